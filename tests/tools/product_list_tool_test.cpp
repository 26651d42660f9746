// The batch guide tool's product list options, on the real program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "exchange/product_list.h"
#include "guide/guide.h"
#include "guide_tool.h"
#include "parfile/par_file.h"
#include "tool_runner.h"

namespace qx::tool {
namespace {

namespace fs = std::filesystem;

std::string Repeat(const std::string& row, int times) {
  std::string rows;
  for (int i = 0; i < times; ++i) rows += row;
  return rows;
}

TEST(ProductListToolArguments, ImportAndExportTakeOneParameterFile) {
  const std::vector<std::vector<std::string>> refused = {
      {"--import-products", "l.csv", "a.par", "b.par"},
      {"--export-products", "l.csv", "a.par", "b.par"},
      {"--export-products", "l.csv", "-o", "g.HTM", "a.par"},
      {"--export-products", "l.csv", "--import-products", "m.csv", "a.par"},
      {"--import-products"},
      {"--shorten-names", "a.par"},
      {"--number-products", "a.par"},
      {"--column", "nome=Produto", "a.par"},
      {"--import-products", "l.csv", "--column", "sku=EAN", "a.par"},
      {"--import-products", "l.csv", "--column", "nome=", "a.par"},
  };
  for (const auto& args : refused) {
    std::string error;
    EXPECT_FALSE(ParseGuideToolArguments(args, error)) << args.front();
    EXPECT_FALSE(error.empty());
  }
  std::string error;
  const auto options = ParseGuideToolArguments(
      {"--import-products", "l.csv", "--save", "o.par", "-o", "g.HTM", "a.par"}, error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->import_products_path, "l.csv");
}

class ProductListToolRun : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("qx_tool_list_" +
            std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    par_ = dir_ / "loja1.par";
    fs::copy_file(fs::path(QX_TEST_DATA_DIR) / "loja1.par", par_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  int Run(const std::vector<std::string>& args) {
    return RunTool(QX_GUIDE_TOOL, args, dir_ / "out.txt", dir_ / "err.txt");
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  ParamSet Opened() const {
    ParamSet params;
    LoadParFile(params, par_.string());
    params.print_options.print_ejournal = '0';
    params.print_options.print_training_message = '0';
    return params;
  }
  fs::path dir_;
  fs::path par_;
};

TEST_F(ProductListToolRun, ImportsBeforeSavingAndWritingTheGuide) {
  const fs::path csv = dir_ / "lista.csv";
  Write(csv, "codigo;nome;preco;departamento\r\n450;P\xC3O QUEIJO;4,50;2\r\n");
  const fs::path out = dir_ / "novo.par";
  ASSERT_EQ(Run({"--import-products", csv.string(), "--save", out.string(), par_.string()}), 0)
      << Read(dir_ / "err.txt");
  ParamSet expected = Opened();
  ASSERT_TRUE(
      exchange::ApplyProductImport(expected, exchange::PrepareProductImport(expected, Read(csv))));
  EXPECT_EQ(expected.Product(450).price, "450");
  EXPECT_EQ(Read(out), FormatParFile(expected));
  EXPECT_EQ(Read(dir_ / "loja1.HTM"), BuildGuide(expected));
}

// A customer's list as it arrives: their titles, a price title of their own, bar codes, 80
// names longer than the register takes and departments by name, imported in one run.
TEST_F(ProductListToolRun, ACustomersListImportsInOneRunWithItsChoices) {
  const fs::path csv = dir_ / "lista.csv";
  std::string list = "EAN;Descri\xE7\xE3o;Valor Final;Se\xE7\xE3o\r\n";
  const char* const depts[] = {"BEBIDAS", "Padaria", "LIMPEZA"};
  for (int i = 0; i < 80; ++i)
    list += std::to_string(7891000000000 + i) + ";REFRIGERANTE SABOR " + std::to_string(i % 7) +
            " PACOTE 2 LITROS;" + std::to_string(i + 1) + ",50;" + depts[i % 3] + "\r\n";
  Write(csv, list);
  ParamSet shop = Opened();  // room after the highest code
  for (int code = 201; code <= kProductCount; ++code) shop.Product(code) = PluRecord();
  Write(par_, FormatParFile(shop));
  int highest = 0;
  for (int code = 1; code <= kProductCount; ++code)
    if (!shop.Product(code).name.empty()) highest = code;
  const fs::path out = dir_ / "novo.par";
  ASSERT_EQ(Run({"--import-products", csv.string(), "--shorten-names", "--number-products",
                 "--column", "preco=Valor Final", "--save", out.string(), par_.string()}),
            0)
      << Read(dir_ / "err.txt");
  ParamSet saved;
  LoadParFile(saved, out.string());
  EXPECT_EQ(saved.Product(highest + 80).price, "8050");
  EXPECT_TRUE(saved.Product(highest + 81).name.empty());
  const std::string said = Read(dir_ / "out.txt");
  EXPECT_NE(said.find("linha 81 → código " + std::to_string(highest + 80)), std::string::npos);
  EXPECT_NE(said.find("80 produtos importados; 80 nomes encurtados"), std::string::npos);
}

TEST_F(ProductListToolRun, AnErrorInTheListPrintsItsMessagesAndWritesNothing) {
  const fs::path csv = dir_ / "lista.csv";
  Write(csv, "codigo;nome;preco;departamento\n450;PAO;12,5,0;2\n451;LEITE;1;99\n");
  const fs::path out = dir_ / "novo.par";
  EXPECT_EQ(Run({"--import-products", csv.string(), "--save", out.string(), par_.string()}), 1);
  const std::string err = Read(dir_ / "err.txt");
  EXPECT_NE(err.find("linha 2, preco: \"12,5,0\" n\xC3\xA3o \xC3\xA9 um pre\xC3\xA7o"),
            std::string::npos)
      << err;
  EXPECT_NE(err.find("linha 3, departamento"), std::string::npos) << err;
  EXPECT_FALSE(fs::exists(out));
  EXPECT_FALSE(fs::exists(dir_ / "loja1.HTM"));
}

// The same list as CSV, .xlsx and .ods saves the same parameter file.
TEST_F(ProductListToolRun, TheSameListAsCsvXlsxAndOdsSavesTheSameFile) {
  const fs::path books = fs::path(QX_TEST_DATA_DIR) / "workbooks";
  std::vector<std::string> saved;
  for (const char* name : {"lista.csv", "lista.xlsx", "lista.ods"}) {
    const fs::path out = dir_ / (std::string(name) + ".par");
    ASSERT_EQ(
        Run({"--import-products", (books / name).string(), "--save", out.string(), par_.string()}),
        0)
        << Read(dir_ / "err.txt");
    saved.push_back(Read(out));
  }
  EXPECT_EQ(saved[0], saved[1]);
  EXPECT_EQ(saved[0], saved[2]);
  EXPECT_NE(Read(dir_ / "err.txt").find("planilha: Produtos"), std::string::npos);
}

TEST_F(ProductListToolRun, ExportWritesOnlyTheListAndItImportsBackUnchanged) {
  const fs::path csv = dir_ / "lista.csv";
  ASSERT_EQ(Run({"--export-products", csv.string(), par_.string()}), 0) << Read(dir_ / "err.txt");
  EXPECT_EQ(Read(csv), exchange::FormatProductList(Opened()));
  EXPECT_FALSE(fs::exists(dir_ / "loja1.HTM"));
  const fs::path out = dir_ / "de-volta.par";
  ASSERT_EQ(Run({"--import-products", csv.string(), "--save", out.string(), par_.string()}), 0);
  EXPECT_EQ(Read(out), FormatParFile(Opened()));
  EXPECT_EQ(Run({"--help"}), 0);
  const std::string help = Read(dir_ / "out.txt");
  EXPECT_NE(help.find("--import-products LISTA.csv"), std::string::npos);
  EXPECT_NE(help.find("--export-products LISTA.csv"), std::string::npos);
}

// Lists the import refuses, run through the tool: exit 1, the message on standard error,
// nothing written; control characters never reach the terminal raw and a long report is cut.
// An old .xls workbook is refused naming the file.
TEST_F(ProductListToolRun, RefusedListsTellWhyAndWriteNothing) {
  const fs::path xls = fs::path(QX_TEST_DATA_DIR) / "workbooks" / "lista.xls";
  struct Case {
    const char* what;
    std::string list;     // written to lista.csv; empty: the .xls workbook is imported
    std::string message;  // UTF-8, expected in standard error
  } cases[] = {
      {"a NUL byte", std::string("codigo;nome;departamento\n450;P\0O;2\n", 34),
       "linha 2, nome: o valor tem um caractere nulo"},
      {"an escape sequence in a value", "codigo;nome\n\x1B[2J\x9D;A\n",
       "linha 2, codigo: \"?[2J?\""},
      {"too large", std::string(8 * 1024 * 1024 + 1, ' '), "planilha grande demais"},
      {"an old .xls workbook", "", xls.string() + ": erro: formato antigo do Excel (.xls)"},
      {"100 000 rows without a department", "codigo;nome\n" + Repeat("450;PAO\n", 100000),
       "e mais " + std::to_string(100000 - exchange::kMostImportMessages) + " mensagens"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::path list = xls;
    if (!c.list.empty()) Write(list = dir_ / "lista.csv", c.list);
    const fs::path out = dir_ / "novo.par";
    EXPECT_EQ(Run({"--import-products", list.string(), "--save", out.string(), par_.string()}), 1);
    const std::string err = Read(dir_ / "err.txt");
    EXPECT_NE(err.find(c.message), std::string::npos) << err;
    EXPECT_LT(std::count(err.begin(), err.end(), '\n'), 400) << "a long report is cut";
    for (char ch : err)
      EXPECT_TRUE(ch == '\n' || ch == '\r' || static_cast<unsigned char>(ch) >= 0x20) << err;
    EXPECT_FALSE(fs::exists(out));
  }
}

TEST_F(ProductListToolRun, ExportNamesValuesItsImportWouldRefuse) {
  ParamSet params = Opened();
  params.Product(450).name = "A\tB";
  params.Product(450).dept_code = "1";
  Write(par_, FormatParFile(params));
  const fs::path csv = dir_ / "lista.csv";
  ASSERT_EQ(Run({"--export-products", csv.string(), par_.string()}), 0);
  EXPECT_NE(Read(dir_ / "err.txt").find("nome: \"A?B\" tem um caractere n\xC3\xA3o permitido"),
            std::string::npos);
}

}  // namespace
}  // namespace qx::tool
