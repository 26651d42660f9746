// The technician's usual run, end to end through the Windows desktop and its real dialogs:
// open loja1.par, give department 3 (CAFE) the price 1250, save, and find the parameter
// file (with the backup of what it held), the guide and the summary next to each other with the
// right contents. Only the file dialogs and the message boxes answer from a script.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>

#include "common/cp1252.h"
#include "guide/guide.h"
#include "guide/html.h"
#include "parfile/par_file.h"
#include "ui/screens/main_window.h"
#include "ui/win32/text_win32.h"
#include "ui/win32/win32_desktop.h"
#include "win32_test_support.h"

namespace qx::ui::win32 {
namespace {

using testing::Click;
using testing::RunSteps;
using testing::Step;
using testing::TypeInto;

std::string Read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class TypicalRunWin32 : public ::testing::Test {
 protected:
  TypicalRunWin32() {
    std::random_device rd;
    dir_ = std::filesystem::temp_directory_path() / ("qx_win32_run_" + std::to_string(rd()));
    std::filesystem::create_directories(dir_);
  }
  ~TypicalRunWin32() override {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  std::string Path(const std::string& name) const { return ToUtf8((dir_ / name).wstring()); }

  std::filesystem::path dir_;
};

TEST_F(TypicalRunWin32, OpenEditDepartmentThreeAndSaveWritesTheThreeFiles) {
  std::filesystem::copy_file(std::filesystem::path(QX_TEST_DATA_DIR) / "loja1.par",
                             dir_ / "loja1.par");
  auto owned = std::make_unique<AppState>();
  AppState& state = *owned;
  Win32Desktop desktop;
  std::vector<FileRequest> dialogs;
  std::vector<BoxRequest> boxes;
  std::vector<std::wstring> documents;
  std::vector<std::string> forms;
  bool main_hidden_during_editors = true;
  HWND main_window = nullptr;
  desktop.hooks().file_dialog = [&](const FileRequest& r) -> std::optional<std::wstring> {
    dialogs.push_back(r);
    return (dir_ / "loja1.par").wstring();
  };
  desktop.hooks().message_box = [&](const BoxRequest& r) {
    boxes.push_back(r);
    return (r.flags & MB_YESNO) ? IDYES : IDOK;  // view the guide and the summary
  };
  desktop.hooks().open_document = [&](const std::wstring& path) {
    documents.push_back(path);
    return true;
  };

  std::map<std::string, std::vector<Step>> scripts;
  scripts["MainWindow"] = {[&](FormDialog& d) {
                             main_window = d.window();
                             EXPECT_FALSE(d.view().IsEnabled(kIdDepartments));
                             Click(d.Control(kIdOpenFile));
                           },
                           [&](FormDialog& d) {
                             EXPECT_EQ(state.params.Department(3).name, "CAFE");
                             EXPECT_TRUE(d.view().IsEnabled(kIdDepartments));
                             Click(d.Control(kIdDepartments));
                           },
                           [&](FormDialog& d) {
                             EXPECT_TRUE(IsWindowVisible(d.window()));
                             EXPECT_TRUE(state.params_modified);
                             Click(d.Control(kIdSaveFile));
                           },
                           [&](FormDialog& d) {
                             EXPECT_FALSE(state.params_modified);
                             Click(d.Control(kIdCancel));  // nothing unsaved: closes without asking
                           }};
  scripts["DeptGrid"] = {[&](FormDialog& d) {
                           main_hidden_during_editors &= !IsWindowVisible(main_window);
                           Click(d.Control(1002));  // "DEPT 3"
                         },
                         [&](FormDialog& d) { Click(d.Control(kIdCancel)); }};
  scripts["DeptEditor"] = {[&](FormDialog& d) {
                             main_hidden_during_editors &= !IsWindowVisible(main_window);
                             HWND price = d.Control(1005);
                             SendMessageW(price, EM_SETSEL, 0, -1);
                             SendMessageW(price, WM_CHAR, VK_BACK, 1);
                             TypeInto(price, L"1250");
                           },
                           [&](FormDialog& d) { Click(d.Control(kIdOk)); }};  // "Salvar"
  desktop.hooks().form_shown = [&](FormDialog& d) {
    forms.push_back(d.form().name);
    RunSteps(d, scripts[d.form().name]);
  };

  EXPECT_EQ(RunApplication(state, desktop), 0);

  EXPECT_EQ(forms, (std::vector<std::string>{"MainWindow", "DeptGrid", "DeptEditor"}));
  EXPECT_TRUE(main_hidden_during_editors);
  ASSERT_EQ(dialogs.size(), 2u);
  EXPECT_FALSE(dialogs[0].save);
  EXPECT_TRUE(dialogs[1].save);
  for (const BoxRequest& b : boxes)
    if (b.title == L"ERRO") ADD_FAILURE() << b.text;

  std::vector<std::string> files;
  std::string summary_name;
  for (const auto& e : std::filesystem::directory_iterator(dir_)) {
    files.push_back(e.path().filename().string());
    if (files.back().find("-RESUMO.HTM") != std::string::npos) summary_name = files.back();
  }
  std::sort(files.begin(), files.end());
  // The save keeps the file's previous content as its backup.
  ASSERT_EQ(files.size(), 4u);
  EXPECT_EQ(files[0].rfind("loja1-", 0), 0u);
  EXPECT_EQ(files[1], "loja1.HTM");
  EXPECT_EQ(files[2], "loja1.par");
  EXPECT_EQ(files[3], "loja1.par.bak");
  EXPECT_EQ(Read(dir_ / "loja1.par.bak"),
            Read(std::filesystem::path(QX_TEST_DATA_DIR) / "loja1.par"));
  EXPECT_EQ(documents, (std::vector<std::wstring>{(dir_ / "loja1.HTM").wstring(),
                                                  (dir_ / summary_name).wstring()}));

  EXPECT_EQ(state.params.Department(3).price, "1250");
  EXPECT_EQ(state.params.Department(3).changed_price, 1);
  const std::string par_bytes = Read(dir_ / "loja1.par");
  EXPECT_EQ(par_bytes, FormatParFile(state.params));
  ParamSet reread;
  LoadParFile(reread, Path("loja1.par"));
  EXPECT_EQ(reread.Department(3).price, "1250");
  EXPECT_EQ(reread.Department(3).name, "CAFE");

  const std::string guide_bytes = Read(dir_ / "loja1.HTM");
  EXPECT_EQ(guide_bytes, BuildGuide(state.params));
  EXPECT_NE(guide_bytes.find("1250"), std::string::npos);
  EXPECT_NE(guide_bytes.find(ToHtml("F   I   M")), std::string::npos);
  const std::string summary_bytes = Read(dir_ / summary_name);
  EXPECT_EQ(summary_bytes, BuildChangeSummary(state.params));
  EXPECT_NE(summary_bytes.find("1250"), std::string::npos);
}

}  // namespace
}  // namespace qx::ui::win32
