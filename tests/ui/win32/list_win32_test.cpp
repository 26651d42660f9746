// Lists and the keyboard focus in the real dialog: rows, the chosen row, a click on a column
// title and an activated row reaching the presenter, Enter in a list kept from the default
// button, and which control has the focus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/cp1252.h"
#include "ui/win32/form_dialog.h"
#include "ui/win32/list_control.h"
#include "ui/win32/text_win32.h"
#include "win32_test_support.h"

namespace qx::ui::win32 {
namespace {

using testing::MakeControl;
using testing::PostDoubleClick;
using testing::PostKey;
using testing::PostMouseClick;
using testing::RecordingPresenter;
using testing::RunForm;
using testing::Step;

constexpr int kIdList = 1200;
constexpr int kIdField = 1052;
constexpr int kIdDefault = 1000;
constexpr int kIdOther = 1001;

// A field (which has the focus when the form opens), a list of three rows with two columns (the
// second takes the rest), a default button and a second button.
FormTemplate ListForm() {
  FormTemplate f;
  f.name = "ListSample";
  f.title = "LISTA";
  f.width = 260;
  f.height = 150;
  ControlTemplate list = MakeControl(kIdList, ControlKind::kList, "", 10, 25, 240, 90);
  list.column_titles = {"Tipo", Win1252("Mensagem é longa")};
  list.column_widths = {40, 0};
  f.controls = {
      MakeControl(kIdField, ControlKind::kEdit, "", 10, 8, 80, 12),
      list,
      MakeControl(kIdDefault, ControlKind::kDefaultPushButton, "OK", 10, 125, 60, 14),
      MakeControl(kIdOther, ControlKind::kPushButton, "OUTRO", 80, 125, 60, 14),
  };
  return f;
}

const std::vector<std::vector<std::string>>& SampleRows() {
  static const std::vector<std::vector<std::string>> rows = {
      {"ERRO", Win1252("linha 2: preço inválido")},
      {"aviso", Win1252("linha 3: AÇÚCAR")},
      {"ERRO", "linha 4"},
  };
  return rows;
}

void Focus(FormDialog& d, int id) {
  SendMessageW(d.window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(d.Control(id)), TRUE);
}

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

POINT RowCentre(HWND list, int row) {
  RECT r{};
  r.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
  return Centre(r);
}

POINT ColumnTitleCentre(HWND header, int column) {
  RECT r{};
  SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r));
  return Centre(r);
}

HWND HeaderOf(HWND list) { return reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)); }

// The list's native events on a real dialog; the driver's table holds what it makes of them.
TEST(ListWin32, ListEventsReachThePresenter) {
  struct Case {
    const char* name;
    std::vector<Step> steps;
    std::vector<std::string> events;  // after "open"
  };
  const Case cases[] = {
      {"a click on a column title",
       {[](FormDialog& d) {
         HWND header = HeaderOf(d.Control(kIdList));
         PostMouseClick(header, ColumnTitleCentre(header, 1));
       }},
       {"header-clicked 1200 1"}},
      {"a double click on a row activates it",
       {[](FormDialog& d) {
         PostDoubleClick(d.Control(kIdList), RowCentre(d.Control(kIdList), 2));
       }},
       {"row-activated 1200 2"}},
      {"Enter on the chosen row activates it and presses no button",
       {[](FormDialog& d) {
         Focus(d, kIdList);
         d.view().SetListSelection(kIdList, 1);
         PostKey(d.Control(kIdList), VK_RETURN);
       }},
       {"focus-lost 1052", "row-activated 1200 1"}},
      {"Enter in a list with no row chosen does nothing",
       {[](FormDialog& d) {
         Focus(d, kIdList);
         PostKey(d.Control(kIdList), VK_RETURN);
       }},
       {"focus-lost 1052"}},
      {"Esc in a list is still cancel",
       {[](FormDialog& d) {
         Focus(d, kIdList);
         PostKey(d.Control(kIdList), VK_ESCAPE);
       }},
       {"focus-lost 1052", "command 2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingPresenter presenter(ListForm());
    presenter.on_open = [](FormView& view) { view.SetListRows(kIdList, SampleRows()); };
    EXPECT_EQ(RunForm(presenter, c.steps), testing::kStepsRanOut);
    std::vector<std::string> expected = {"open"};
    expected.insert(expected.end(), c.events.begin(), c.events.end());
    EXPECT_EQ(presenter.events, expected);
  }
}

TEST(ListWin32, ShowsTheRowsAndColumnsAndKeepsOneChosenRow) {
  RecordingPresenter presenter(ListForm());
  RunForm(presenter, {[](FormDialog& d) {
            HWND list = d.Control(kIdList);
            FormView& view = d.view();
            EXPECT_NE(GetWindowLongW(list, GWL_STYLE) & LVS_REPORT, 0);
            EXPECT_NE(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT,
                      0);
            ASSERT_EQ(ListColumnCount(list), 2);
            EXPECT_EQ(ListColumnTitle(list, 1), Win1252("Mensagem é longa"));
            // The last column takes the rest of the list's width.
            RECT client{};
            GetClientRect(list, &client);
            const auto first = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
            const auto last = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0));
            RECT forty{0, 0, 40, 0};
            MapDialogRect(d.window(), &forty);
            EXPECT_EQ(first, forty.right);
            EXPECT_NEAR(first + last, client.right - GetSystemMetrics(SM_CXVSCROLL), 2);

            view.SetListRows(kIdList, SampleRows());
            ASSERT_EQ(ListRowCount(list), 3);
            for (int row = 0; row < 3; ++row)
              for (int column = 0; column < 2; ++column)
                EXPECT_EQ(
                    ListCell(list, row, column),
                    SampleRows()[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]);
            EXPECT_EQ(view.GetListSelection(kIdList), -1);
            for (const auto& [chosen, expected] :
                 std::vector<std::pair<int, int>>{{2, 2}, {0, 0}, {-1, -1}, {1, 1}, {3, -1}}) {
              view.SetListSelection(kIdList, chosen);
              EXPECT_EQ(view.GetListSelection(kIdList), expected) << chosen;
            }
            view.SetListSelection(kIdList, 1);
            view.SetListRows(kIdList, {{"um"}, {"dois", "2", "extra"}});
            EXPECT_EQ(ListRowCount(list), 2);
            EXPECT_EQ(ListCell(list, 1, 1), "2");
            EXPECT_EQ(view.GetListSelection(kIdList), -1);
            d.view().Close(1);
          }});
}

TEST(ListWin32, FocusedControlNamesTheFormsControlOrNone) {
  RecordingPresenter presenter(ListForm());
  RunForm(presenter, {[](FormDialog& d) {
            for (int id : {kIdField, kIdList, kIdOther}) {
              Focus(d, id);
              EXPECT_EQ(d.view().FocusedControl(), id);
            }
            // The list's header is part of the list.
            SetFocus(HeaderOf(d.Control(kIdList)));
            if (GetFocus() == HeaderOf(d.Control(kIdList))) {
              EXPECT_EQ(d.view().FocusedControl(), kIdList);
            }
            HWND other = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 20,
                                         nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
            SetFocus(other);
            EXPECT_EQ(d.view().FocusedControl(), -1);
            DestroyWindow(other);
            d.view().Close(1);
          }});
}

}  // namespace
}  // namespace qx::ui::win32
