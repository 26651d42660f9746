// The batch guide tool's product list options, on the real program.
#include <gtest/gtest.h>

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

TEST(ProductListToolArguments, ImportAndExportTakeOneParameterFile) {
  const std::vector<std::vector<std::string>> refused = {
      {"--import-products", "l.csv", "a.par", "b.par"},
      {"--export-products", "l.csv", "a.par", "b.par"},
      {"--export-products", "l.csv", "-o", "g.HTM", "a.par"},
      {"--export-products", "l.csv", "--import-products", "m.csv", "a.par"},
      {"--import-products"},
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

}  // namespace
}  // namespace qx::tool
