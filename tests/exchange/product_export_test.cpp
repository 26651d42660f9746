// The product list export: its exact bytes, and that importing it changes nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/cp1252.h"
#include "exchange/product_list.h"

namespace qx::exchange {
namespace {

ParamSet ProgrammedSet() {
  ParamSet params;
  auto set = [&](int code, std::string_view name, std::string_view price, std::string_view dept) {
    PluRecord& p = params.Product(code);
    p.name = Win1252(name);
    p.price = std::string(price);
    p.dept_code = std::string(dept);
  };
  set(12, "PÃO;FRANCÊS", "0075", "01");
  set(3, "CAFÉ", "1250", "3");
  set(7, " \"BOLO\" ", "", "16");
  set(8, " ", "5", "2");  // stored by the editor with neither name nor status
  set(9, "SUCO", "1234567", "4");
  params.Product(9).status_negative_price = '1';
  params.Product(9).status_fixed_price = '0';
  params.Product(400).price = "100";          // not programmed: no name
  params.Product(3).status_open_price = '3';  // read from a file: set, though not '1'
  params.Product(3).status_fixed_price = '\0';
  return params;
}

TEST(ProductExport, WritesProgrammedProductsInCodeOrder) {
  const std::string expected = Win1252(
      "codigo;nome;preco;departamento;preco_negativo;venda_unica;preco_aberto;preco_fixo\r\n"
      "3;CAFÉ;12,50;3;N;N;S;N\r\n"
      "7;\" \"\"BOLO\"\" \";;16;N;N;S;S\r\n"
      "8;\" \";0,05;2;N;N;S;S\r\n"
      "9;SUCO;12345,67;4;S;N;S;N\r\n"
      "12;\"PÃO;FRANCÊS\";0,75;01;N;N;S;S\r\n");
  EXPECT_EQ(FormatProductList(ProgrammedSet()), expected);
}

TEST(ProductExport, ImportingTheExportChangesNothingAndRaisesNoMarker) {
  const ParamSet before = ProgrammedSet();
  ParamSet params = before;
  const ProductImport import = PrepareProductImport(params, FormatProductList(params));
  EXPECT_EQ(import.errors, 0);
  EXPECT_EQ(import.read, 5);
  EXPECT_EQ(import.unchanged, 5);
  ASSERT_TRUE(ApplyProductImport(params, import));
  EXPECT_EQ(params, before);
  EXPECT_FALSE(AnyChangeMarker(params));
}

// Names a spreadsheet would read as formulas are written after an apostrophe and read back
// exactly; so are names that already start with apostrophes before such a character.
TEST(ProductExport, FormulaLookingNamesStayTextAndReadBackUnchanged) {
  const std::vector<std::string> names = {"=SOMA(A1)", "+55", "-1",  "@X",
                                          "'=A",       "'A",  "A=B", "=;X"};
  const std::vector<std::string> fields = {"'=SOMA(A1)", "'+55", "'-1", "'@X",
                                           "''=A",       "'A",   "A=B", "\"'=;X\""};
  ParamSet params;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const int code = static_cast<int>(i) + 1;
    params.Product(code).name = names[i];
    params.Product(code).dept_code = "1";
    const std::string line = std::to_string(code) + ";" + fields[i] + ";;1;";
    EXPECT_NE(FormatProductList(params).find("\r\n" + line), std::string::npos) << names[i];
  }
  ParamSet again = params;
  const ProductImport import = PrepareProductImport(again, FormatProductList(params));
  EXPECT_EQ(import.unchanged, static_cast<int>(names.size()));
  ApplyProductImport(again, import);
  EXPECT_EQ(again, params);
  EXPECT_TRUE(ProductListProblems(params, FormatProductList(params)).empty());
  EXPECT_TRUE(ProductListProblems(ParamSet(), FormatProductList(ParamSet())).empty());
}

// Stored values the import refuses, or would read as something else, are named for the export's
// message.
TEST(ProductExport, NamesStoredValuesItsOwnImportWouldNotReadBack) {
  const auto problems = [](const char* name, const char* dept) {
    ParamSet params;  // ASCII names only: the whole list could read as UTF-8
    params.Product(3).name = "CAFE";
    params.Product(3).dept_code = "3";
    params.Product(8).name = name;
    params.Product(8).dept_code = dept;
    std::vector<std::string> utf8;
    for (const std::string& p : ProductListProblems(params, FormatProductList(params)))
      utf8.push_back(Cp1252ToUtf8(p));
    return utf8;
  };
  EXPECT_EQ(
      problems("SUCO", "17"),
      std::vector<std::string>{"linha 3, departamento: \"17\" não é um departamento (1 a 16)"});
  EXPECT_EQ(problems("CAF\xC3\xA9", "2"),
            std::vector<std::string>{"produto 8: a importação leria outros valores"});
}

TEST(ProductExport, WritesTheFileAndLeavesAnUnwritablePathAlone) {
  const auto folder = std::filesystem::temp_directory_path() / "qx-export-test";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::string path = (folder / "lista.csv").string();
  ASSERT_TRUE(WriteProductList(ProgrammedSet(), path));
  std::stringstream bytes;
  {
    std::ifstream in(path, std::ios::binary);  // closed before the folder goes (Windows)
    bytes << in.rdbuf();
  }
  EXPECT_EQ(bytes.str(), FormatProductList(ProgrammedSet()));
  std::string read;
  EXPECT_TRUE(ReadProductListFile(path, read));
  EXPECT_EQ(read, bytes.str());
  EXPECT_FALSE(WriteProductList(ProgrammedSet(), (folder / "no" / "lista.csv").string()));
  EXPECT_EQ(ReadProductListFile((folder / "missing.csv").string(), read).result,
            FileResult::kMissing);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace qx::exchange
