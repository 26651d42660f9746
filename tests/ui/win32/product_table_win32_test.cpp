// The product table in the real dialog, opened from the product editor: typing filters the
// list, the count follows, a marked row answers the list's hover request with its problem,
// "Mostrar todos os 500" reports its click, a title click sorts, and a double click on a row
// loads that product into the editor. Also: which check boxes report their clicks.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "../product_table_sample.h"
#include "common/cp1252.h"
#include "ui/screens/editors.h"
#include "ui/screens/product_table_form.h"
#include "ui/win32/list_control.h"
#include "ui/win32/text_win32.h"
#include "ui/win32/win32_desktop.h"
#include "ui/workflows/app_state.h"
#include "win32_test_support.h"

namespace qx::ui::win32 {
namespace {

using testing::Click;
using testing::PostDoubleClick;
using testing::PostMouseClick;
using testing::RecordingPresenter;
using testing::RunForm;
using testing::RunSteps;
using testing::Step;
using testing::TypeInto;

constexpr int kIdListButton = 1092;
constexpr int kIdCode = 1005;
constexpr int kIdName = 1057;

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

std::vector<std::string> Codes(HWND list) {
  std::vector<std::string> codes;
  for (int row = 0; row < ListRowCount(list); ++row) codes.push_back(ListCell(list, row, 1));
  return codes;
}

// The middle of a cell, in the list's client area.
POINT CellCentre(HWND list, int row, int column) {
  RECT r{};
  r.top = column;
  r.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
  if (column == 0)
    r.right = r.left + static_cast<LONG>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
  return Centre(r);
}

TEST(ProductTableWin32, OpensFromTheEditorFiltersSortsShowsTipsAndOpensTheProductChosen) {
  AppState state;
  qx::ui::testing::FillProductTableSample(state);
  Win32Desktop desktop;
  std::vector<std::string> forms;
  std::vector<std::wstring> boxes;
  desktop.hooks().message_box = [&](const BoxRequest& r) {
    boxes.push_back(r.text);
    return IDOK;
  };

  const std::vector<Step> editor_steps = {
      [](FormDialog& d) { Click(d.Control(kIdListButton)); },  // runs the table until it closes
      [](FormDialog& d) {
        EXPECT_EQ(d.view().GetText(kIdCode, 100), "3");
        EXPECT_EQ(d.view().GetText(kIdName, 100), Win1252("AÇÚCAR 1KG"));
        d.CloseWith(0);
      }};
  const std::vector<Step> table_steps = {
      [](FormDialog& d) {
        HWND list = d.Control(kIdTableList);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(testing::TextOf(d.window()),
                  L"QX-4810  PROGRAMA\u00c7\u00c3O  LISTA DE PRODUTOS");
        EXPECT_EQ(GetFocus(), d.Control(kIdTableFind));
        EXPECT_EQ(d.view().GetText(kIdTableCount, 20), "3 de 500");
        EXPECT_EQ(ListColumnCount(list), 9);
        EXPECT_EQ(ListColumnTitle(list, 4), "Depto");
        TypeInto(d.Control(kIdTableFind), L"a\u00e7u");
        EXPECT_EQ(d.view().GetText(kIdTableCount, 20), "2 de 500");
        EXPECT_EQ(Codes(list), (std::vector<std::string>{"3", "40"}));
        EXPECT_EQ(ListCell(list, 1, 0), "!");
        EXPECT_EQ(ListCell(list, 0, 3), "R$ 4,59");
        // The marked row answers on every cell; the clean row and the space below have none.
        const std::string tip = Win1252("Sem departamento: o produto não fica ligado a nenhum");
        for (int column : {0, 2, 8})
          EXPECT_EQ(ListTipAt(list, CellCentre(list, 1, column)), tip) << column;
        EXPECT_EQ(ListTipAt(list, CellCentre(list, 0, 2)), "");
        RECT client{};
        GetClientRect(list, &client);
        EXPECT_EQ(ListTipAt(list, POINT{client.right / 2, client.bottom - 4}), "");
        EXPECT_EQ(ListRowTip(list, 1), tip);
        // The box reports its click; the find still applies.
        Click(d.Control(kIdTableShowAll));
        EXPECT_TRUE(d.view().GetCheck(kIdTableShowAll));
        EXPECT_EQ(d.view().GetText(kIdTableCount, 20), "2 de 500");
        d.view().SetText(kIdTableFind, "");
        EXPECT_EQ(d.view().GetText(kIdTableCount, 20), "500 de 500");
        ASSERT_EQ(ListRowCount(list), 500);
        EXPECT_EQ(ListCell(list, 0, 1), "1");
        EXPECT_EQ(ListRowTip(list, 2), "") << "the tips follow the rows shown";
        HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
        RECT title{};
        SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&title));
        PostMouseClick(header, Centre(title));  // by code again: reversed
      },
      [](FormDialog& d) {
        HWND list = d.Control(kIdTableList);
        ASSERT_EQ(ListRowCount(list), 500);
        EXPECT_EQ(ListCell(list, 0, 1), "500");
        EXPECT_EQ(ListCell(list, 499, 1), "1");
        TypeInto(d.Control(kIdTableFind), L"ACUCAR 1");
        ASSERT_EQ(Codes(list), (std::vector<std::string>{"3"}));
        RECT row{};
        row.left = LVIR_BOUNDS;
        SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        PostDoubleClick(list, Centre(row));
      }};
  desktop.hooks().form_shown = [&](FormDialog& d) {
    forms.push_back(d.form().name);
    if (d.form().name == "ProductEditor") RunSteps(d, editor_steps);
    if (d.form().name == "ProductTable") RunSteps(d, table_steps);
  };
  std::unique_ptr<Presenter> editor = MakeProductEditor(state, desktop);
  desktop.RunForm(*editor);
  EXPECT_EQ(forms, (std::vector<std::string>{"ProductEditor", "ProductTable"}));
  EXPECT_EQ(state.current_plu, 3);
  EXPECT_FALSE(state.params_modified);
  EXPECT_TRUE(boxes.empty());
}

TEST(CheckBoxWin32, OnlyABoxMarkedNotifyReportsItsClickAfterItChanged) {
  FormTemplate f;
  f.name = "Boxes";
  f.title = "CAIXAS";
  f.width = 200;
  f.height = 60;
  for (const auto& [id, notify, y] : {std::tuple{1301, true, 8}, std::tuple{1302, false, 24}}) {
    ControlTemplate box;
    box.id = id;
    box.kind = ControlKind::kCheckBox;
    box.label = "caixa";
    box.notify = notify;
    box.x = 10;
    box.y = y;
    box.width = 80;
    box.height = 12;
    f.controls.push_back(box);
  }
  RecordingPresenter presenter(f);
  std::vector<bool> seen;
  presenter.on_command = [&](FormView& view, int id) { seen.push_back(view.GetCheck(id)); };
  RunForm(presenter, {[](FormDialog& d) {
                        Click(d.Control(1302));
                        Click(d.Control(1301));
                        d.view().SetCheck(1301, false);  // the program's own change is silent
                        PostMessageW(d.Control(1301), WM_KEYDOWN, VK_SPACE, 0);
                        PostMessageW(d.Control(1301), WM_KEYUP, VK_SPACE, 0xC0000001);
                      },
                      [](FormDialog& d) {
                        EXPECT_TRUE(d.view().GetCheck(1302));
                        d.view().Close(1);
                      }});
  EXPECT_EQ(presenter.events, (std::vector<std::string>{"open", "command 1301", "command 1301"}));
  EXPECT_EQ(seen, (std::vector<bool>{true, true}));
}

}  // namespace
}  // namespace qx::ui::win32
