// The generic dialog on Windows: every form of the program opened as a real dialog, and the
// events it hands to the presenter.
#include <gtest/gtest.h>

#include <memory>

#include "common/cp1252.h"
#include "ui/screens/editors.h"
#include "ui/screens/main_window.h"
#include "ui/screens/product_table_form.h"
#include "ui/screens/record_editors.h"
#include "ui/win32/dialog_template.h"
#include "ui/win32/form_dialog.h"
#include "ui/win32/list_control.h"
#include "ui/win32/text_win32.h"
#include "ui/win32/win32_desktop.h"
#include "ui/workflows/app_state.h"
#include "ui/workflows/import_choices.h"
#include "ui/workflows/product_list_workflow.h"
#include "win32_test_support.h"

namespace qx::ui::win32 {
namespace {

using testing::ClassOf;
using testing::Click;
using testing::MakeControl;
using testing::PasteInto;
using testing::PostKey;
using testing::RecordingPresenter;
using testing::RunForm;
using testing::Step;
using testing::TextOf;
using testing::TypeInto;

// Every form of the program, from its own presenter.
std::vector<FormTemplate> ProgramForms() {
  static auto state = std::make_unique<AppState>();
  static Win32Desktop desktop;
  std::vector<FormTemplate> forms = {MainWindowTemplate(), AboutBoxTemplate()};
  for (auto make : {MakeDeptEditor, MakeDeptGrid, MakeProductEditor, MakeOperatorEditor,
                    MakeFunctionKeyEditor, MakeHeaderFooterEditor, MakeMiscOptionsEditor})
    forms.push_back(make(*state, desktop)->Template());
  static const exchange::ProductImport import;
  forms.push_back(MakeImportReport(import)->Template());
  static ImportSession session(state->params, "");
  forms.push_back(MakeColumnChoice(session)->Template());
  forms.push_back(MakeProductTable(state->params)->Template());
  return forms;
}

std::wstring ExpectedClass(ControlKind kind) {
  switch (kind) {
    case ControlKind::kEdit:
      return L"Edit";
    case ControlKind::kList:
      return kListClass;
    case ControlKind::kStaticText:
    case ControlKind::kCenteredText:
    case ControlKind::kPicture:
      return L"Static";
    default:
      return L"Button";
  }
}

std::wstring HelpOf(HWND tooltip, HWND form, HWND control) {
  wchar_t buffer[2048] = {};
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = buffer;
  SendMessageW(tooltip, TTM_GETTEXTW, 2048, reinterpret_cast<LPARAM>(&tool));
  return buffer;
}

// Checks one edit of a real form: its limit, and that typing and pasting meet the field's
// character rule (whose cases are the form driver's).
void CheckEdit(FormDialog& dialog, const ControlTemplate& c) {
  HWND edit = dialog.Control(c.id);
  FormView& view = dialog.view();
  const std::string name = dialog.form().name + " " + std::to_string(c.id);
  const auto limit = static_cast<int>(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
  if (c.max_length > 0) {
    EXPECT_EQ(limit, c.max_length) << name;
  } else {
    EXPECT_GT(limit, 255) << name;
  }
  view.SetText(c.id, "");
  TypeInto(edit, L"a1\u03a9\t2");  // a, 1, Ω, tab, 2
  PasteInto(edit, L"x\r\ny");      // refused whole
  const std::string typed = c.digits_only ? "12" : "a12";
  EXPECT_EQ(view.GetText(c.id, 100), typed.substr(0, c.max_length > 0 ? c.max_length : 100))
      << name;
  // A stored text the field would refuse as typed stays editable.
  view.SetText(c.id, "\t\x81");
  TypeInto(edit, L"\b");
  EXPECT_EQ(view.GetText(c.id, 100), "\t") << name;
  view.SetText(c.id, "");
}

class EveryForm : public ::testing::TestWithParam<FormTemplate> {};

TEST_P(EveryForm, OpensAsADialogWithItsControlsLimitsFiltersHelpAndPictures) {
  const FormTemplate& form = GetParam();
  RecordingPresenter presenter(form);
  bool checked = false;
  const int result = RunForm(
      presenter, {[&](FormDialog& dialog) {
        checked = true;
        HWND hwnd = dialog.window();
        EXPECT_TRUE(IsWindowVisible(hwnd));
        EXPECT_EQ(TextOf(hwnd), FromCp1252(form.title));
        EXPECT_NE(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0), 0);
        std::size_t helped = 0;
        for (const ControlTemplate& c : form.controls) {
          if (!c.help.empty()) ++helped;
          if (c.id < 0) continue;
          HWND control = dialog.Control(c.id);
          ASSERT_NE(control, nullptr) << form.name << " " << c.id;
          EXPECT_EQ(GetDlgCtrlID(control), c.id);
          EXPECT_EQ(ClassOf(control), ExpectedClass(c.kind)) << form.name << " " << c.id;
          if (c.kind != ControlKind::kEdit) {
            EXPECT_EQ(dialog.view().GetText(c.id, 1000), c.label) << form.name << " " << c.id;
          }
          if (!c.help.empty()) {
            EXPECT_EQ(HelpOf(dialog.help(), hwnd, control), LabelText(c.help))
                << form.name << " " << c.id;
          }
          if (c.kind == ControlKind::kEdit) CheckEdit(dialog, c);
          if (c.kind == ControlKind::kList) {
            ASSERT_EQ(ListColumnCount(control), static_cast<int>(c.column_titles.size()))
                << form.name << " " << c.id;
            for (std::size_t i = 0; i < c.column_titles.size(); ++i)
              EXPECT_EQ(ListColumnTitle(control, static_cast<int>(i)), c.column_titles[i])
                  << form.name << " " << c.id;
          }
          if (c.kind == ControlKind::kEdit && c.buddy >= 0) {
            EXPECT_EQ(ClassOf(dialog.Control(c.buddy)), L"Static") << form.name << " " << c.id;
          }
        }
        EXPECT_EQ(SendMessageW(dialog.help(), TTM_GETTOOLCOUNT, 0, 0),
                  static_cast<LRESULT>(helped));
        EXPECT_EQ(SendMessageW(dialog.help(), TTM_GETMAXTIPWIDTH, 0, 0), kHelpMaxWidthPixels);
        EXPECT_EQ(SendMessageW(dialog.help(), TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), kHelpDurationMs);
        EXPECT_NE(GetWindowLongW(dialog.help(), GWL_STYLE) & TTS_BALLOON, 0);
        // Every logo shows its picture.
        for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
          if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP &&
              ClassOf(child) == L"Static") {
            EXPECT_NE(SendMessageW(child, STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << form.name;
          }
        }
        dialog.view().Close(5);
      }});
  EXPECT_TRUE(checked) << form.name;
  EXPECT_EQ(result, 5) << form.name;
}

INSTANTIATE_TEST_SUITE_P(ProgramForms, EveryForm, ::testing::ValuesIn(ProgramForms()),
                         [](const ::testing::TestParamInfo<FormTemplate>& p) {
                           return p.param.name;
                         });

// A small form with a default button, a second button, a checkbox and two fields.
FormTemplate SampleForm() {
  FormTemplate f;
  f.name = "Sample";
  f.title = Win1252("AMOSTRA");
  f.width = 300;
  f.height = 180;
  ControlTemplate price = MakeControl(1005, ControlKind::kEdit, "", 120, 50, 60, 12);
  price.digits_only = true;
  price.max_length = 7;
  f.controls = {
      MakeControl(-1, ControlKind::kGroupBox, "Grupo", 5, 2, 290, 70),
      MakeControl(1048, ControlKind::kCheckBox, "Fixo", 10, 10, 150, 12),
      MakeControl(1052, ControlKind::kEdit, "NOME", 120, 30, 80, 12),
      price,
      MakeControl(1000, ControlKind::kDefaultPushButton, "NOVO\nABRE arquivo", 10, 140, 80, 28),
      MakeControl(1001, ControlKind::kPushButton, "SALVAR", 100, 140, 80, 20),
      MakeControl(kIdCancel, ControlKind::kPushButton, "Cancel", 245, 160, 50, 14),
  };
  return f;
}

void Focus(FormDialog& d, int id) {
  SendMessageW(d.window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(d.Control(id)), TRUE);
}

// The native events behind each of the driver's entries, on a real dialog: what the driver
// makes of them is its own table's.
TEST(FormDialogWin32, NativeEventsReachThePresenterThroughTheDriver) {
  struct Case {
    const char* name;
    std::vector<Step> steps;
    std::vector<std::string> events;  // after "open"
  };
  const Case cases[] = {
      {"a click is a command, a check box's is not",
       {[](FormDialog& d) { Click(d.Control(1001)); },
        [](FormDialog& d) { Click(d.Control(1048)); }},
       {"command 1001"}},
      {"Enter in a field presses the default button",
       {[](FormDialog& d) {
         Focus(d, 1052);
         PostKey(d.Control(1052), VK_RETURN);
       }},
       {"command 1000"}},
      {"Esc is cancel",
       {[](FormDialog& d) {
         Focus(d, 1052);
         PostKey(d.Control(1052), VK_ESCAPE);
       }},
       {"command 2"}},
      {"the close box is the close command",
       {[](FormDialog& d) { PostMessageW(d.window(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
       {"close-command"}},
      {"leaving a field within the form is focus-lost, to another window is not",
       {[](FormDialog& d) { Focus(d, 1052); }, [](FormDialog& d) { Focus(d, 1005); },
        [](FormDialog&) {
          HWND other = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 20,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
          SetFocus(other);
          DestroyWindow(other);
        }},
       {"focus-lost 1052"}},
      {"typing is a text change",
       {[](FormDialog& d) { TypeInto(d.Control(1052), L"ab"); }},
       {"text-changed 1052", "text-changed 1052"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingPresenter presenter(SampleForm());
    EXPECT_EQ(RunForm(presenter, c.steps), testing::kStepsRanOut);
    std::vector<std::string> expected = {"open"};
    expected.insert(expected.end(), c.events.begin(), c.events.end());
    EXPECT_EQ(presenter.events, expected);
  }
}

TEST(FormDialogWin32, AFormClosedWhileOpeningIsNeverShownAndGivesItsResult) {
  RecordingPresenter presenter(SampleForm());
  presenter.on_open = [](FormView& view) { view.Close(9); };
  bool shown = false;
  FormDialog dialog(presenter);
  EXPECT_EQ(dialog.Run([&](FormDialog&) { shown = true; }), 9);
  EXPECT_FALSE(shown);
}

TEST(FormDialogWin32, OpensCentredWithThePresentersTitleFocusAndTexts) {
  RecordingPresenter presenter(SampleForm());
  presenter.on_open = [](FormView& view) {
    view.SetTitle(Win1252("TÍTULO"));
    view.SetText(1052, Win1252("AÇÚCAR"));
    view.SetCheck(1048, true);
    view.SetFocus(1005);
  };
  RunForm(presenter, {[](FormDialog& d) {
            EXPECT_EQ(TextOf(d.window()), L"T\u00cdTULO");
            EXPECT_EQ(d.view().GetText(1052, 3), Win1252("AÇÚ"));
            EXPECT_TRUE(d.view().GetCheck(1048));
            EXPECT_EQ(GetFocus(), d.Control(1005));
            RECT r{};
            GetWindowRect(d.window(), &r);
            const int screen_w = GetSystemMetrics(SM_CXSCREEN),
                      screen_h = GetSystemMetrics(SM_CYSCREEN);
            EXPECT_NEAR((r.left + r.right) / 2, screen_w / 2, 2);
            EXPECT_NEAR((r.top + r.bottom) / 2, screen_h / 2, 2);
            EXPECT_EQ(GetForegroundWindow(), d.window());
            d.view().Hide();
            EXPECT_FALSE(IsWindowVisible(d.window()));
            d.view().Restore();
            EXPECT_TRUE(IsWindowVisible(d.window()));
            d.view().Close(3);
          }});
}

}  // namespace
}  // namespace qx::ui::win32
