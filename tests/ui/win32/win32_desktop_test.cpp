// The desktop port on Windows: message boxes, file dialogs, the browser and the clock.
#include "ui/win32/win32_desktop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "../ui_test_support.h"
#include "common/cp1252.h"
#include "ui/win32/form_dialog.h"
#include "ui/win32/text_win32.h"
#include "win32_test_support.h"

namespace qx::ui::win32 {
namespace {

struct BoxCase {
  const char* name;
  BoxIcon icon;
  BoxButtons buttons;
  BoxAnswer default_answer;
  UINT expected;  // besides MB_TASKMODAL | MB_TOPMOST | MB_SETFOREGROUND
};

class Boxes : public ::testing::TestWithParam<BoxCase> {};

TEST_P(Boxes, CarryTitleTextIconButtonsAndDefaultAndStayOnTop) {
  const BoxCase& c = GetParam();
  MessageBox box;
  box.title = Win1252("LOCALIZAÇÃO");
  box.text = Win1252("linha 1\nlinha ç");
  box.icon = c.icon;
  box.buttons = c.buttons;
  box.default_answer = c.default_answer;
  Win32Desktop desktop;
  std::vector<BoxRequest> shown;
  desktop.hooks().message_box = [&](const BoxRequest& r) {
    shown.push_back(r);
    return IDNO;
  };
  const BoxAnswer answer = desktop.ShowMessage(box);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, L"LOCALIZA\u00c7\u00c3O");
  EXPECT_EQ(shown[0].text, L"linha 1\r\nlinha \u00e7");
  EXPECT_EQ(shown[0].flags, c.expected | MB_TASKMODAL | MB_TOPMOST | MB_SETFOREGROUND) << c.name;
  EXPECT_EQ(answer, c.buttons == BoxButtons::kOk ? BoxAnswer::kOk : BoxAnswer::kNo) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, Boxes,
    ::testing::Values(BoxCase{"Error", BoxIcon::kError, BoxButtons::kOk, BoxAnswer::kOk,
                              MB_OK | MB_ICONERROR},
                      BoxCase{"Warning", BoxIcon::kWarning, BoxButtons::kOk, BoxAnswer::kOk,
                              MB_OK | MB_ICONWARNING},
                      BoxCase{"Information", BoxIcon::kInformation, BoxButtons::kOk, BoxAnswer::kOk,
                              MB_OK | MB_ICONINFORMATION},
                      BoxCase{"Plain", BoxIcon::kNone, BoxButtons::kOk, BoxAnswer::kOk, MB_OK},
                      BoxCase{"QuestionYes", BoxIcon::kQuestion, BoxButtons::kYesNo,
                              BoxAnswer::kYes, MB_YESNO | MB_ICONQUESTION},
                      BoxCase{"QuestionNo", BoxIcon::kQuestion, BoxButtons::kYesNo, BoxAnswer::kNo,
                              MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2}),
    [](const ::testing::TestParamInfo<BoxCase>& p) { return std::string(p.param.name); });

TEST(Win32DesktopBoxes, TheButtonPressedIsTheAnswer) {
  MessageBox question;
  question.buttons = BoxButtons::kYesNo;
  question.default_answer = BoxAnswer::kNo;
  MessageBox note;
  const struct {
    const MessageBox& box;
    int pressed;
    BoxAnswer answer;
  } cases[] = {{question, IDYES, BoxAnswer::kYes},
               {question, IDNO, BoxAnswer::kNo},
               {question, 0, BoxAnswer::kNo},
               {note, IDOK, BoxAnswer::kOk},
               {note, IDCANCEL, BoxAnswer::kOk}};
  for (const auto& c : cases) EXPECT_EQ(ToAnswer(c.pressed, c.box), c.answer) << c.pressed;
}

// The real box, whatever the language of Windows: Portuguese buttons, its default button and
// topmost; Esc and the close box leave a question unanswered but close a note; it answers
// with the button pressed.
TEST(Win32DesktopBoxes, ARealBoxSpeaksPortugueseAndOnlyItsButtonsAnswerAQuestion) {
  const struct {
    const char* name;
    BoxButtons buttons;
    BoxAnswer default_answer;
    int default_id;
    int press;  // the button pressed once Esc and the close box were tried
    BoxAnswer answer;
    std::wstring default_text, press_text;
  } cases[] = {
      {"Question", BoxButtons::kYesNo, BoxAnswer::kNo, IDNO, IDYES, BoxAnswer::kYes, L"&N\u00e3o",
       L"&Sim"},
      {"Note", BoxButtons::kOk, BoxAnswer::kOk, IDOK, IDOK, BoxAnswer::kOk, L"OK", L"OK"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MessageBox box;
    box.title = std::string("CAIXA-TESTE-") + c.name;
    box.text = "Sim ou nao?";
    box.icon = BoxIcon::kQuestion;
    box.buttons = c.buttons;
    box.default_answer = c.default_answer;
    std::atomic<int> default_id{0};
    std::atomic<bool> topmost{false};
    std::atomic<bool> open_after_esc{false};
    wchar_t default_text[32] = {}, press_text[32] = {};
    std::thread presser([&] {
      HWND found = nullptr;
      for (int i = 0; i < 400 && !found; ++i) {
        found = FindWindowA("#32770", box.title.c_str());
        if (!found) Sleep(25);
      }
      if (!found) return;
      Sleep(200);
      default_id = LOWORD(SendMessageW(found, DM_GETDEFID, 0, 0));
      topmost = (GetWindowLongW(found, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
      GetDlgItemTextW(found, c.default_id, default_text, 32);
      GetDlgItemTextW(found, c.press, press_text, 32);
      PostMessageW(GetDlgItem(found, c.default_id), WM_KEYDOWN, VK_ESCAPE, 1);  // Esc
      PostMessageW(found, WM_COMMAND, IDCANCEL, 0);                             // what Esc sends
      PostMessageW(found, WM_CLOSE, 0, 0);
      Sleep(300);
      open_after_esc = IsWindow(found) != FALSE;
      if (open_after_esc) PostMessageW(GetDlgItem(found, c.press), BM_CLICK, 0, 0);
    });
    Win32Desktop desktop;
    const BoxAnswer answer = desktop.ShowMessage(box);
    presser.join();
    EXPECT_EQ(default_text, c.default_text);
    EXPECT_EQ(press_text, c.press_text);
    EXPECT_EQ(default_id, c.default_id);
    EXPECT_TRUE(topmost);
    EXPECT_EQ(open_after_esc, c.buttons == BoxButtons::kYesNo);
    EXPECT_EQ(answer, c.answer);
  }
}

TEST(Win32DesktopFiles, BothDialogsOfferTheParameterFilesAndNeverAskBeforeOverwriting) {
  Win32Desktop desktop;
  std::vector<FileRequest> asked;
  std::optional<std::wstring> reply = L"C:\\KORVA\\Jos\u00e9.par";
  desktop.hooks().file_dialog = [&](const FileRequest& r) {
    asked.push_back(r);
    return reply;
  };
  qx::ui::testing::ScratchDir scratch;
  const std::wstring folder = FromUtf8(scratch.Dir()) + L"S\u00e3o Paulo\\";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  FileDialog dialog;
  dialog.title = Win1252("LER ARQUIVO DE PARÂMETROS - QX-4810");
  dialog.directory = ToUtf8(folder);
  dialog.file_name = "loja1.par";
  EXPECT_EQ(desktop.AskOpenFileName(dialog),
            std::optional<std::string>("C:\\KORVA\\Jos\xC3\xA9.par"));
  reply = std::nullopt;
  EXPECT_EQ(desktop.AskSaveFileName(dialog), std::nullopt);
  ASSERT_EQ(asked.size(), 2u);
  for (const FileRequest& r : asked) {
    EXPECT_EQ(r.title, L"LER ARQUIVO DE PAR\u00c2METROS - QX-4810");
    EXPECT_EQ(r.directory, folder);
    EXPECT_EQ(r.file_name, L"loja1.par");
    EXPECT_EQ(r.filter, std::wstring(L"PARAMETROS Arquivo (*.par)\0*.par\0\0", 34));
    EXPECT_EQ(r.flags & (OFN_EXPLORER | OFN_HIDEREADONLY),
              static_cast<DWORD>(OFN_EXPLORER | OFN_HIDEREADONLY));
    EXPECT_EQ(
        r.flags & (OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_CREATEPROMPT),
        0u);
  }
  EXPECT_FALSE(asked[0].save);
  EXPECT_TRUE(asked[1].save);
}

// The first run on a PC without the customers' folder: when the folder asked for is missing,
// the dialogs start in one that exists and never fall back to the process's own (the
// program's folder). The customers' folder is made only when the dialogs start there.
TEST(Win32DesktopFiles, BothDialogsStartInAFolderThatExists) {
  wchar_t documents[MAX_PATH] = {};
  ASSERT_TRUE(
      SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)));
  const struct {
    const wchar_t* customers;  // under the scratch folder
    const wchar_t* start;      // under the scratch folder; null: the documents folder
  } cases[] = {
      {L"KORVA", L"KORVA\\"},
      {L"existe", L"existe\\"},
      {L"sem\\pai\\KORVA", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.customers);
    qx::ui::testing::ScratchDir scratch;
    const std::wstring root = FromUtf8(scratch.Dir());
    ASSERT_TRUE(CreateDirectoryW((root + L"existe").c_str(), nullptr));
    const std::wstring customers = root + c.customers;
    const std::wstring expected = c.start ? root + c.start : documents + std::wstring(L"\\");
    Win32Desktop desktop;
    desktop.set_customer_folder(customers);
    std::vector<std::wstring> starts;
    desktop.hooks().file_dialog = [&](const FileRequest& r) -> std::optional<std::wstring> {
      starts.push_back(r.directory);
      return std::nullopt;
    };
    FileDialog dialog;
    dialog.directory = ToUtf8(root + L"falta\\");
    desktop.AskOpenFileName(dialog);
    desktop.AskSaveFileName(dialog);
    EXPECT_EQ(starts, (std::vector<std::wstring>{expected, expected}));
    EXPECT_EQ(GetFileAttributesW(customers.c_str()) != INVALID_FILE_ATTRIBUTES,
              expected == customers + L"\\");
  }
}

// The filter list the dialog gets from the request's filter: the parameter files unless the
// request names another (the spreadsheets); a zero inside a name would cut the list short.
struct FilterCase {
  const char* name;
  std::optional<std::pair<std::string, std::string>> filter;  // nothing: the default
  std::wstring expected;
};

class Win32DesktopFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(Win32DesktopFilter, TheDialogGetsTheRequestsOneFilter) {
  const FilterCase& c = GetParam();
  Win32Desktop desktop;
  std::vector<std::wstring> filters;
  desktop.hooks().file_dialog = [&](const FileRequest& r) -> std::optional<std::wstring> {
    filters.push_back(r.filter);
    return std::nullopt;
  };
  FileDialog dialog;
  if (c.filter) {
    dialog.filter_name = c.filter->first;
    dialog.filter_pattern = c.filter->second;
  }
  desktop.AskOpenFileName(dialog);
  desktop.AskSaveFileName(dialog);
  EXPECT_EQ(filters, (std::vector<std::wstring>{c.expected, c.expected}));
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Filters, Win32DesktopFilter,
    ::testing::Values(
        FilterCase{"Default", std::nullopt, L"PARAMETROS Arquivo (*.par)\0*.par\0\0"s},
        FilterCase{"Spreadsheet", std::pair{"Planilha CSV"s, "*.csv"s},
                   L"Planilha CSV (*.csv)\0*.csv\0\0"s},
        FilterCase{"AccentedName", std::pair{"Planilha (separada por ;) \xC9"s, "*.csv;*.txt"s},
                   L"Planilha (separada por ;) \u00c9 (*.csv;*.txt)\0*.csv;*.txt\0\0"s},
        FilterCase{"ZeroInsideTheName", std::pair{"A\0B"s, "*.csv"s}, L"A B (*.csv)\0*.csv\0\0"s}),
    [](const ::testing::TestParamInfo<FilterCase>& p) { return std::string(p.param.name); });

// A file dialog owned by no window would leave the form under it clickable: a second
// "Salvar" while the save dialog is up would start a second save.
TEST(Win32DesktopFiles, TheDialogsAreOwnedByTheFormInFront) {
  Win32Desktop desktop;
  HWND owner = reinterpret_cast<HWND>(1);
  desktop.hooks().file_dialog = [&](const FileRequest& r) -> std::optional<std::wstring> {
    owner = r.owner;
    return std::nullopt;
  };
  FormTemplate form;
  form.name = "Form";
  form.width = 100;
  form.height = 40;
  ControlTemplate open;
  open.id = 1000;
  open.kind = ControlKind::kPushButton;
  open.label = "ABRE";
  open.width = 60;
  open.height = 14;
  form.controls = {open};
  testing::RecordingPresenter presenter(form);
  presenter.on_command = [&](FormView&, int) { desktop.AskOpenFileName(FileDialog{}); };
  HWND form_window = nullptr;
  testing::RunForm(presenter, {[&](FormDialog& d) {
                                 form_window = d.window();
                                 testing::Click(d.Control(1000));
                               },
                               [](FormDialog& d) { d.view().Close(0); }});
  EXPECT_NE(form_window, nullptr);
  EXPECT_EQ(owner, form_window);
}

TEST(Win32DesktopMisc, TheClockIsTheLocalTimeAndDocumentsGoToTheBrowser) {
  Win32Desktop desktop;
  SYSTEMTIME before{};
  GetLocalTime(&before);
  const LocalTime now = desktop.Now();
  EXPECT_EQ(now.year, before.wYear);
  EXPECT_EQ(now.month, before.wMonth);
  EXPECT_EQ(now.day, before.wDay);
  EXPECT_NEAR(now.hour * 3600 + now.minute * 60 + now.second,
              before.wHour * 3600 + before.wMinute * 60 + before.wSecond, 2);
  std::vector<std::wstring> opened;
  desktop.hooks().open_document = [&](const std::wstring& path) {
    opened.push_back(path);
    return true;
  };
  EXPECT_TRUE(desktop.OpenDocument("C:\\KORVA\\Jos\xC3\xA9.HTM"));
  EXPECT_EQ(opened, std::vector<std::wstring>{L"C:\\KORVA\\Jos\u00e9.HTM"});
  // A page that no program can show is reported to the caller, not dropped.
  EXPECT_FALSE(Win32Desktop().OpenDocument("Z:\\nao\\existe\\loja1.HTM"));
}

}  // namespace
}  // namespace qx::ui::win32
