#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/cp1252.h"
#include "guide/guide.h"
#include "guide/sections.h"
#include "record_test_util.h"

namespace qx {
namespace {

using namespace testing_util;

// Everything the summary writes before its sections.
std::string SummaryStart() {
  return L(kHtmlHead) + L(kBodyStart) + L(kSummaryTitle) + L(kGuideTitle) + L(kGuideSubtitle) +
         B(kBlackHeading,
           "<br>\r\n<br>\r\nUse&nbsp;\"CONTROL&nbsp;+\"&nbsp;para&nbsp;ampliar&nbsp;esta&nbsp;"
           "p\xE1gina&nbsp;e&nbsp;\"CONTROL&nbsp;-\"&nbsp;para&nbsp;reduzir.<br>\r\n<br>\r\n") +
         B(kCenteredTitle, "Departamentos,&nbsp;produtos&nbsp;e&nbsp;operadores") + Breaks(5);
}
const std::string kEnd = B(kCenteredTitle, "F&nbsp;&nbsp;&nbsp;I&nbsp;&nbsp;&nbsp;M");
const std::string kNoChanges =
    B(kCenteredTitle,
      "S&nbsp;E&nbsp;M&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;A&nbsp;L&nbsp;T&nbsp;"
      "E&nbsp;R&nbsp;A&nbsp;\xC7&nbsp;\xC3&nbsp;O");

// A set with named records everywhere, so that only the markers decide what is shown.
ParamSet RichSet() {
  ParamSet params;
  for (int d = 1; d <= kDepartmentCount; ++d) {
    params.Department(d).name = "DEP" + std::to_string(d);
    params.Department(d).price = std::to_string(100 * d);
  }
  for (int p = 1; p <= 40; ++p) {
    params.Product(p).name = "PROD" + std::to_string(p);
    params.Product(p).dept_code = std::to_string(1 + p % 16);
  }
  for (int k = 1; k <= kOperatorCount; ++k) params.Operator(k).name = "OP" + std::to_string(k);
  params.header_lines[0] = "LOJA";
  params.register_number = "7";
  return params;
}

TEST(ChangeSummary, WithoutMarkersOnlyTheTitlesAndNoAlteration) {
  ParamSet params = RichSet();
  EXPECT_EQ(BuildChangeSummary(params), SummaryStart() + kNoChanges);
  // Receipt lines, options and the register number carry no markers.
  params.header_lines[1] = "NOVA LINHA";
  params.print_options.print_date = '0';
  params.register_number = "9";
  EXPECT_EQ(BuildChangeSummary(params), SummaryStart() + kNoChanges);
}

TEST(ChangeSummary, LinkMarkerOfAProductWithoutDepartmentEndsWithFim) {
  ParamSet params = RichSet();
  params.Product(41).name = "SOLTO";
  params.Product(41).changed_dept = 1;
  EXPECT_EQ(BuildChangeSummary(params), SummaryStart() + kEnd);
}

TEST(ChangeSummary, OneAlteredPriceShowsThatSectionOnly) {
  ParamSet params;
  params.Department(2).name = "PAO";
  params.Department(2).price = "50";
  params.Department(3).name = "CAFE";
  params.Department(3).price = "1250";
  params.Department(3).changed_price = 1;
  params.Operator(1).name = "ANA";
  ParamSet only_cafe = params;
  only_cafe.Department(2).name.clear();
  std::string section;
  WriteDepartmentPriceSection(section, only_cafe, SectionMode::kFullGuide);
  EXPECT_EQ(BuildChangeSummary(params), SummaryStart() + section + kEnd);
  EXPECT_NE(section.find(B(kNoteLine, Nbsp(8) + "(DEPT3...R$&nbsp;12,50)")), std::string::npos);
}

TEST(ChangeSummary, SectionsComeInTheGuideOrder) {
  ParamSet params = RichSet();
  params.Operator(5).changed = 1;
  params.Product(3).changed_dept = 1;
  params.Product(2).changed_name = 1;
  params.Department(9).changed_name = 1;
  params.Department(1).changed_status = 1;
  const std::string page = BuildChangeSummary(params);
  const std::size_t order[] = {
      page.find("Status dos departamentos"),    page.find("Nome dos departamentos"),
      page.find("Nome dos produtos"),           page.find("Vincula um produto a um departamento"),
      page.find("PROGRAMANDO&nbsp;OPERADORES"), page.find(kEnd)};
  for (std::size_t i = 0; i < std::size(order); ++i) {
    ASSERT_NE(order[i], std::string::npos) << i;
    if (i > 0) {
      EXPECT_LT(order[i - 1], order[i]) << i;
    }
  }
  EXPECT_EQ(page.find(Win1252("Preço limite ou fixo")), std::string::npos);
  EXPECT_EQ(page.find("Status dos produtos"), std::string::npos);
  EXPECT_EQ(page.find("DEP10"), std::string::npos);  // only the altered rows
  EXPECT_EQ(page.find(kEnd), page.size() - kEnd.size());
}

TEST(ChangeSummary, UnnamedOperatorMarkerOpensTheOperatorSectionWithoutRows) {
  ParamSet params;
  params.Operator(1).name = "ANA";
  params.Operator(6).changed = 1;
  std::string section;
  WriteOperatorSection(section, params, SectionMode::kChangesOnly);
  EXPECT_NE(section, "");
  EXPECT_EQ(section.find("(ANA)"), std::string::npos);
  EXPECT_EQ(BuildChangeSummary(params), SummaryStart() + section + kEnd);
}

class ChangeSummaryFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        std::filesystem::temp_directory_path() / ("qx_summary_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

TEST_F(ChangeSummaryFile, WritesThePageAndReplacesAnOldOne) {
  ParamSet params = RichSet();
  params.Operator(2).changed = 1;
  const std::string path = (dir_ / "loja1-01-02-2026-03-04-05-RESUMO.HTM").string();
  std::ofstream(path) << "old";
  EXPECT_TRUE(WriteChangeSummary(params, path).ok());
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  EXPECT_EQ(bytes.str(), BuildChangeSummary(params));
}

TEST_F(ChangeSummaryFile, UncreatableFileIsReportedOnce) {
  const std::filesystem::path blocker = dir_ / "arquivo";
  std::ofstream(blocker) << "x";
  const std::string path = (blocker / "RESUMO.HTM").string();  // a folder that is a file
  const FileStatus status = WriteChangeSummary(RichSet(), path);
  EXPECT_EQ(status.result, FileResult::kWriteFailed);
  EXPECT_EQ(status.text, "ERRO NA CRIAÇÃO DO ARQUIVO RESUMO");
  EXPECT_EQ(status.path, path);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(ChangeSummaryFile, MissingFolderIsNotCreated) {
  // The summary goes next to the guide, which has made the folders; a summary path in a
  // folder that does not exist is a creation error, and no folder appears.
  const std::filesystem::path missing = dir_ / "faltando";
  const std::string path = (missing / "loja1-01-02-2026-03-04-05-RESUMO.HTM").string();
  EXPECT_FALSE(WriteChangeSummary(RichSet(), path));
  EXPECT_FALSE(std::filesystem::exists(missing));
}

}  // namespace
}  // namespace qx
