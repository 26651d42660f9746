// The technician's usual run, end to end through the main window: open loja1.par, give
// department 3 (CAFE) the price 1250, save, and find the parameter file, the guide and the
// summary next to each other with the right names and contents.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "../fakes.h"
#include "../ui_test_support.h"
#include "common/cp1252.h"
#include "guide/guide.h"
#include "guide/html.h"
#include "parfile/par_file.h"
#include "ui/screens/main_window.h"

namespace qx::ui::testing {
namespace {

std::size_t CountLines(const std::string& bytes) {
  std::size_t n = 0;
  for (std::size_t at = bytes.find("\r\n"); at != std::string::npos;
       at = bytes.find("\r\n", at + 2))
    ++n;
  return n;
}

TEST(TypicalRun, OpenEditDepartmentThreeAndSaveWritesTheThreeFiles) {
  ScratchDir dir;
  // loja1.par: a customer file whose department 3 is CAFE.
  std::filesystem::copy_file(QX_TEST_DATA_DIR "/loja1.par", dir / "loja1.par");
  std::optional<ScopedEnvironment> home(std::in_place, "HOME", dir.Dir());

  auto owned = std::make_unique<AppState>();
  AppState& state = *owned;
  ScriptedDesktop desktop;
  desktop.open_names = {dir / "loja1.par"};
  desktop.save_names = {dir / "loja1.par"};
  desktop.answers = {BoxAnswer::kYes, BoxAnswer::kYes};  // view the guide and the summary
  desktop.form_scripts["DeptGrid"] = [](Presenter& p, FakeFormView& v) {
    v.Click(p, 1002);  // "DEPT 3"
    v.Click(p, kIdCancel);
  };
  desktop.form_scripts["DeptEditor"] = [](Presenter& p, FakeFormView& v) {
    v.Type(1005, "1250");
    v.Click(p, kIdOk);  // "Salvar"
  };
  desktop.form_scripts["MainWindow"] = [&](Presenter& p, FakeFormView& v) {
    v.Click(p, kIdOpenFile);
    EXPECT_EQ(state.params.Department(3).name, "CAFE");
    v.Click(p, kIdDepartments);
    EXPECT_TRUE(state.params_modified);
    v.Click(p, kIdSaveFile);
    EXPECT_FALSE(state.params_modified);
    v.Click(p, kIdCancel);  // nothing unsaved: closes without asking
  };

  EXPECT_EQ(RunApplication(state, desktop), 0);
  home.reset();

  const std::string par = dir / "loja1.par";
  const std::string guide = dir / "loja1.HTM";
  const std::string summary = dir / "loja1-06-12-2026-14-05-09-RESUMO.HTM";
  EXPECT_EQ(dir.Files(), (std::vector<std::string>{"loja1-06-12-2026-14-05-09-RESUMO.HTM",
                                                   "loja1.HTM", "loja1.par", "loja1.par.bak"}));
  EXPECT_EQ(desktop.forms_run, (std::vector<std::string>{"MainWindow", "DeptGrid", "DeptEditor"}));
  EXPECT_EQ(desktop.save_dialogs.size(), 1u);
  EXPECT_EQ(desktop.opened_documents, (std::vector<std::string>{guide, summary}));
  for (const std::string& e : desktop.Errors()) ADD_FAILURE() << e;

  EXPECT_EQ(state.params.Department(3).price, "1250");
  EXPECT_EQ(state.params.Department(3).changed_price, 1);
  const std::string par_bytes = ReadFile(par);
  EXPECT_EQ(par_bytes, FormatParFile(state.params));
  EXPECT_GE(CountLines(par_bytes), 546u);
  ParamSet reread;
  LoadParFile(reread, par);
  EXPECT_EQ(reread.Department(3).price, "1250");
  EXPECT_EQ(reread.Department(3).name, "CAFE");

  const std::string guide_bytes = ReadFile(guide);
  EXPECT_EQ(guide_bytes, BuildGuide(state.params));
  EXPECT_NE(guide_bytes.find("1250"), std::string::npos);
  EXPECT_NE(guide_bytes.find(ToHtml("F   I   M")), std::string::npos);
  const std::string summary_bytes = ReadFile(summary);
  EXPECT_EQ(summary_bytes, BuildChangeSummary(state.params));
  EXPECT_NE(summary_bytes.find("1250"), std::string::npos);
  EXPECT_NE(summary_bytes.find(ToHtml("F   I   M")), std::string::npos);
}

}  // namespace
}  // namespace qx::ui::testing
