// The technician's usual run through the department forms: open loja1.par, give department 3
// (CAFE, price 990 between neighbours of other prices) the price 1250 in the department
// editor, save, and find the department's new price row in the guide and, alone, in the
// summary.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "../record_editor_harness.h"
#include "common/cp1252.h"
#include "guide/html.h"
#include "ui/workflows/open_save_workflow.h"

namespace qx::ui::testing {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::size_t Count(const std::string& text, std::string_view what) {
  std::size_t n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// One line of a page as the writers put it: the text and CR LF.
std::string Line(std::string_view text) { return std::string(text) + "\r\n"; }

// The price row of a single department: its key, the value between 7 blanks, X/HORA, the note.
std::string DeptPriceRow(std::string_view key, std::string_view value, std::string_view note) {
  return Line(LineBreaks(1)) + Line(FillTemplate(kKeyBoxSmall, ToHtml(key))) +
         Line(FillTemplate(kCodeLine, ToHtml("       " + std::string(value) + "       "))) +
         Line(FillTemplate(kKeyBoxSmall, "X/HORA")) +
         Line(FillTemplate(kNoteLine, ToHtml("        " + std::string(note)))) +
         Line(LineBreaks(2));
}

class DeptPriceRun : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("qx-dept-run-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::copy_file(QX_TEST_DATA_DIR "/loja1.par", dir_ / "loja1.par");
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(DeptPriceRun, NewPriceOfDepartmentThreeReachesTheGuideAndAloneTheSummary) {
  EditorHarness h;
  const std::string par = (dir_ / "loja1.par").string();
  h.desktop.open_names = {par};
  ASSERT_EQ(OpenWorkflow(h.state, h.desktop), 1);
  ASSERT_EQ(h.state.params.Department(3).name, "CAFE");
  ASSERT_EQ(h.state.params.Department(3).price, "990");

  h.desktop.form_scripts["DeptGrid"] = [](Presenter& p, FakeFormView& v) {
    v.Click(p, 1002);       // "DEPT 3"
    v.Click(p, kIdCancel);  // "Sair"
  };
  h.desktop.form_scripts["DeptEditor"] = [](Presenter& p, FakeFormView& v) {
    v.Type(1005, "1250");
    v.Click(p, kIdOk);  // "Salvar"
  };
  std::unique_ptr<Presenter> grid = MakeDeptGrid(h.state, h.desktop);
  EXPECT_EQ(h.desktop.RunForm(*grid), 0);
  EXPECT_EQ(h.desktop.forms_run, (std::vector<std::string>{"DeptGrid", "DeptEditor"}));

  const DeptRecord& cafe = h.state.params.Department(3);
  EXPECT_EQ(cafe.price, "1250");
  EXPECT_EQ(cafe.changed_price, 1);
  EXPECT_EQ(cafe.changed_status, 0);
  EXPECT_EQ(cafe.changed_name, 0);
  EXPECT_TRUE(h.state.params_modified);
  h.state.params.Department(3).changed_price = 0;
  EXPECT_FALSE(AnyChangeMarker(h.state.params));  // nothing else was marked
  h.state.params.Department(3).changed_price = 1;

  h.desktop.save_names = {par};
  h.desktop.answers = {BoxAnswer::kNo, BoxAnswer::kNo};  // do not view the pages
  ASSERT_EQ(SaveWorkflow(h.state, h.desktop), 1);
  EXPECT_TRUE(h.Errors().empty());

  const std::string row = DeptPriceRow("CAFE", "1250", "(DEPT3...R$ 12,50)");
  const std::string guide = ReadBytes(dir_ / "loja1.HTM");
  EXPECT_EQ(Count(guide, row), 1u);
  const std::string price_title = Win1252("Preço limite ou fixo dos departamentos");
  EXPECT_LT(guide.find(price_title), guide.find(row));

  fs::path summary_path;
  for (const fs::directory_entry& e : fs::directory_iterator(dir_))
    if (e.path().filename().string().ends_with("-RESUMO.HTM")) summary_path = e.path();
  ASSERT_FALSE(summary_path.empty());
  const std::string summary = ReadBytes(summary_path);
  EXPECT_EQ(Count(summary, row), 1u);
  // Only the department price section: one group title, one code entry, one row.
  EXPECT_EQ(Count(summary, "================= "), 1u);
  EXPECT_EQ(Count(summary, price_title), 1u);
  EXPECT_EQ(Count(summary, FillTemplate(kKeyBoxSmall, "X/HORA")), 1u);
  EXPECT_TRUE(summary.ends_with(Line(FillTemplate(kCenteredTitle, ToHtml("F   I   M")))));

  // The parameter file holds the new price for the next opening.
  h.desktop.open_names = {par};
  AppState again;
  ASSERT_EQ(OpenWorkflow(again, h.desktop), 1);
  EXPECT_EQ(again.params.Department(3).price, "1250");
}

}  // namespace
}  // namespace qx::ui::testing
