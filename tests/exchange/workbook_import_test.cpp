// Product lists from workbooks under tests/data/workbooks (lista.* saved from lista.fods by a
// spreadsheet program, the rest from make_crafted.py).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/cp1252.h"
#include "exchange/product_list.h"
#include "exchange/workbook_reader.h"

namespace qx::exchange {
namespace {

std::string Workbook(const std::string& name) {
  std::string bytes;
  EXPECT_TRUE(ReadProductListFile(std::string(QX_TEST_DATA_DIR) + "/workbooks/" + name, bytes))
      << name;
  return bytes;
}

// Imports the bytes over an empty set and stores them when there is no error.
ProductImport ImportInto(ParamSet& params, const std::string& bytes) {
  ProductImport import = PrepareProductImport(params, bytes);
  ApplyProductImport(params, import);
  return import;
}

// lista.csv, lista.xlsx and lista.ods: an instructions sheet first, two blank rows above the
// titles, an untitled empty column, numbers, a formula's number and text, rich text, a
// 0.1+0.2 price, booleans, prices and departments typed as text ("R$ 1.234,50", "07").
TEST(WorkbookImport, TheSameListAsCsvXlsxAndOdsGivesTheSameProducts) {
  ParamSet from_csv;  // its values are the CSV import's own, checked there
  EXPECT_EQ(ImportInto(from_csv, Workbook("lista.csv")).added, 4);
  for (const char* file : {"lista.xlsx", "lista.ods"}) {
    ParamSet params;  // stored only without errors; the sheet's name is the tool test's
    ImportInto(params, Workbook(file));
    EXPECT_EQ(params, from_csv) << file;
  }
}

TEST(WorkbookImport, CellKindsAndRepeatsGiveTheirValues) {
  struct Case {
    const char* file;
    std::vector<std::pair<int, std::string>> prices;  // code -> stored price
    std::vector<std::string> messages;                // UTF-8
  };
  const std::vector<Case> cases = {
      // inline strings, rich-text runs without the phonetic hint, booleans, unreferenced cells
      {"celulas.xlsx", {{3, "30"}, {4, "200"}}, {}},
      // a million repeated empty rows and 16 384 empty columns are only counted
      {"repetidas.ods", {{9, "150"}}, {}},
      {"tres_decimais.xlsx", {}, {"linha 2, preco: \"12,345\" não é um preço"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    ParamSet params;  // every department named: the messages are only the sheet's own
    for (int d = 1; d <= kDepartmentCount; ++d) params.Department(d).name = "D" + std::to_string(d);
    const ProductImport import = ImportInto(params, Workbook(c.file));
    std::vector<std::string> messages;
    for (const ImportMessage& m : import.messages) messages.push_back(Cp1252ToUtf8(m.text));
    EXPECT_EQ(messages, c.messages);
    EXPECT_EQ(import.rows.size(), c.prices.size());
    for (const auto& [code, price] : c.prices) EXPECT_EQ(params.Product(code).price, price);
    if (std::string(c.file) == "celulas.xlsx") {  // its booleans
      EXPECT_EQ(params.Product(3).status_fixed_price, '1');
      EXPECT_EQ(params.Product(4).status_fixed_price, '0');
    }
  }
}

TEST(WorkbookImport, UnreadableWorkbooksAreRefusedWithTheirReasonAndStoreNothing) {
  std::string encrypted_ooxml = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + std::string(500, '\0');
  encrypted_ooxml.replace(200, 28, std::string("E\0n\0c\0r\0y\0p\0t\0i\0o\0n\0I\0n\0f\0o\0", 28));
  std::string corrupted = Workbook("lista.xlsx");  // one byte of the compressed sheet changed
  corrupted[corrupted.find("xl/worksheets/sheet2.xml") + 40] ^= 0x55;
  const std::vector<std::pair<std::string, WorkbookStatus>> cases = {
      {Workbook("lista.xls"), WorkbookStatus::kOldExcel},
      {encrypted_ooxml, WorkbookStatus::kEncrypted},
      {Workbook("senha.ods"), WorkbookStatus::kEncrypted},
      {corrupted, WorkbookStatus::kDamaged},
      {Workbook("entidades.xlsx"), WorkbookStatus::kDamaged},
      {Workbook("texto.odt"), WorkbookStatus::kUnknown},
      {Workbook("vazia.ods"), WorkbookStatus::kEmpty},
      {Workbook("bomba.xlsx"), WorkbookStatus::kTooBig},
      {Workbook("linha_repetida.ods"), WorkbookStatus::kTooBig},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    ParamSet params;
    const ProductImport import = ImportInto(params, cases[i].first);
    ASSERT_EQ(import.messages.size(), 1u);
    EXPECT_EQ(import.messages[0].text, WorkbookStatusText(cases[i].second));
    EXPECT_TRUE(import.unreadable);
    EXPECT_EQ(params, ParamSet());
  }
}

TEST(WorkbookImport, NumberCellsReadAsTheSheetShowsThem) {
  const std::vector<std::pair<double, std::string>> table = {
      {0.1 + 0.2, "0,3"},         {-0.5, "-0,5"}, {6.9999999999999, "7"}, {1e20, "1e+20"},
      {1234567.89, "1234567,89"},
  };
  for (const auto& [value, text] : table) EXPECT_EQ(NumberCellText(value), text) << value;
}

}  // namespace
}  // namespace qx::exchange
