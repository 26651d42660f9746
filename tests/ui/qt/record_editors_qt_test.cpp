// The department grid and editor, the product editor and the operator editor in the real
// dialog: every control with its id, label, limit, digits-only input and help, and one run of
// each form as a user would drive it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "common/cp1252.h"
#include "qt_test_support.h"
#include "ui/qt/form_dialog.h"
#include "ui/qt/qt_desktop.h"
#include "ui/screens/editors.h"
#include "ui/workflows/app_state.h"

namespace qx::ui::qt {
namespace {

using testing::Ctl;

// Runs a form in the real dialog through the Qt desktop; `script` acts on each form once it is
// on the screen, inside that form's own loop.
class RecordEditorsQtTest : public ::testing::Test {
 protected:
  int Run(std::unique_ptr<Presenter> presenter, std::function<void(FormDialog&)> script) {
    desktop.hooks().form_shown = [this, script](FormDialog& d) {
      forms.push_back(d.form().name);
      QTimer::singleShot(0, &d, [&d, script] {
        // Focus moves, and with them the focus-lost events, need the active window.
        EXPECT_TRUE(testing::ShowActive(d));
        script(d);
      });
    };
    desktop.hooks().file_dialog = [this](QFileDialog&) -> std::optional<QString> {
      ++file_dialogs;
      return std::nullopt;
    };
    return desktop.RunForm(*presenter);
  }
  static void Type(FormDialog& d, int id, const QString& text) {
    auto* edit = Ctl<QLineEdit>(d, id);
    edit->setFocus();
    edit->selectAll();
    testing::TypeText(edit, text);
  }
  static QString Text(FormDialog& d, int id) {
    if (auto* edit = Ctl<QLineEdit>(d, id)) return edit->text();
    return Ctl<QLabel>(d, id)->text();
  }

  // The boxes shown, unless a test answers them itself.
  RecordEditorsQtTest() {
    desktop.hooks().message_box = [this](QMessageBox& box) {
      boxes.push_back(box.text());
      return QMessageBox::Ok;
    };
  }

  std::vector<QString> boxes;
  AppState state;
  QtDesktop desktop;
  std::vector<std::string> forms;
  int file_dialogs = 0;
};

TEST_F(RecordEditorsQtTest, DepartmentGridRunsTheEditorHiddenAndItsCloseCommandSaves) {
  state.params.Department(3).name = "CAFE";
  FormDialog* grid = nullptr;
  bool grid_hidden = false;
  int grid_round = 0;
  // The save dialog is cancelled with the department's edit unsaved: the grid closes only
  // after the user agrees to drop the edit.
  std::vector<QString> questions;
  desktop.hooks().message_box = [&](QMessageBox& box) {
    questions.push_back(box.text());
    return QMessageBox::Yes;
  };
  Run(MakeDeptGrid(state, desktop), [&](FormDialog& d) {
    if (d.form().name == "DeptGrid") {
      grid = &d;
      EXPECT_EQ(d.windowTitle(), QStringLiteral("QX-4810  PROGRAMAÇÃO  DEPARTAMENTOS"));
      testing::ExpectDialogShowsTemplate(d, d.form());
      EXPECT_EQ(d.focusWidget(), Ctl<QWidget>(d, 1000));
      Ctl<QPushButton>(d, 1002)->click();  // DEPT 3: the editor runs inside this click
      EXPECT_TRUE(d.isVisible());
      ++grid_round;
      d.close();  // the window's close command
      return;
    }
    grid_hidden = grid && !grid->isVisible();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("QX-4810  PROGRAMAÇÃO  DEPARTAMENTO: 3"));
    testing::ExpectDialogShowsTemplate(d, d.form());
    EXPECT_EQ(d.focusWidget(), Ctl<QWidget>(d, 1052));
    EXPECT_EQ(Text(d, 1052), QStringLiteral("CAFE"));
    Type(d, 1005, QStringLiteral("12,50x"));  // only the digits go in
    EXPECT_EQ(Text(d, 1005), QStringLiteral("1250"));
    Type(d, 1052, QStringLiteral("[CAFÉ]"));
    EXPECT_EQ(Text(d, 5052), QStringLiteral("A registradora não recebe: [, ]"));
    Ctl<QPushButton>(d, kIdOk)->click();
  });
  EXPECT_EQ(forms, (std::vector<std::string>{"DeptGrid", "DeptEditor"}));
  EXPECT_EQ(grid_round, 1);
  EXPECT_TRUE(grid_hidden);
  EXPECT_EQ(state.params.Department(3).price, "1250");
  EXPECT_EQ(state.params.Department(3).name, Win1252("[CAFÉ]"));
  EXPECT_EQ(file_dialogs, 1);  // closing the grid's window ran the save workflow
  EXPECT_EQ(questions, (std::vector<QString>{QStringLiteral(
                           "As alterações não foram salvas.\nDescartar as alterações?")}));
}

TEST_F(RecordEditorsQtTest, ProductEditorTakesItsCodeWhenTheFieldIsLeft) {
  PluRecord& tea = state.params.Product(123);
  tea.name = "CHA";
  tea.price = "990";
  tea.dept_code = "5";
  Run(MakeProductEditor(state, desktop), [&](FormDialog& d) {
    EXPECT_EQ(d.windowTitle(), QStringLiteral("QX-4810  PROGRAMAÇÃO  PRODUTOS"));
    testing::ExpectDialogShowsTemplate(d, d.form());
    EXPECT_EQ(d.focusWidget(), Ctl<QWidget>(d, 1005));
    Type(d, 1005, QStringLiteral("1234"));
    Ctl<QLineEdit>(d, 1057)->setFocus();  // leaving the code field takes product 123
    EXPECT_EQ(state.current_plu, 123);
    EXPECT_EQ(Text(d, 1057), QStringLiteral("CHA"));
    EXPECT_EQ(Text(d, 1052), QStringLiteral("990"));
    EXPECT_EQ(Text(d, 1059), QStringLiteral("5"));
    Type(d, 1059, QStringLiteral("1x7"));
    EXPECT_EQ(Text(d, 1059), QStringLiteral("17"));
    Ctl<QPushButton>(d, kIdOk)->click();  // refused: above 16, the form keeps it
    EXPECT_EQ(Text(d, 1059), QStringLiteral("17"));
    Type(d, 1059, QStringLiteral("6"));
    Ctl<QPushButton>(d, kIdOk)->click();
    EXPECT_EQ(Text(d, 1005), QString());
    EXPECT_EQ(Text(d, 1057), QString());
    EXPECT_EQ(d.focusWidget(), Ctl<QWidget>(d, 1005));
    Ctl<QPushButton>(d, kIdCancel)->click();
  });
  EXPECT_EQ(boxes, std::vector<QString>{QStringLiteral("ERRO - MAXIMO 16 DEPARTAMENTOS")});
  EXPECT_EQ(tea.dept_code, "6");
  EXPECT_EQ(tea.changed_dept, 1);
  EXPECT_EQ(tea.changed_name, 0);
}

TEST_F(RecordEditorsQtTest, OperatorEditorShowsTheStoredNameAndMarksEverySave) {
  state.params.Operator(5).name = "JOSE";
  Run(MakeOperatorEditor(state, desktop), [&](FormDialog& d) {
    EXPECT_EQ(d.windowTitle(), QStringLiteral("QX-4810  PROGRAMAÇÃO  OPERADORES"));
    testing::ExpectDialogShowsTemplate(d, d.form());
    EXPECT_EQ(d.focusWidget(), Ctl<QWidget>(d, 1005));
    Type(d, 1005, QStringLiteral("05"));
    Ctl<QLineEdit>(d, 1052)->setFocus();
    EXPECT_EQ(Text(d, 1052), QStringLiteral("JOSE"));
    EXPECT_EQ(Text(d, 5052), QString());
    Type(d, 1052, QStringLiteral("ÂNGELA|X"));
    EXPECT_EQ(Text(d, 1052), QStringLiteral("ÂNGELA|X"));
    EXPECT_EQ(Text(d, 5052), QStringLiteral("A registradora não recebe: Â, |"));
    Ctl<QPushButton>(d, kIdOk)->click();  // refused: the separator
    Type(d, 1052, QStringLiteral("JOSE"));
    Ctl<QPushButton>(d, kIdOk)->click();
    EXPECT_EQ(Text(d, 1005), QString());
    d.reject();  // Esc
  });
  EXPECT_EQ(boxes, std::vector<QString>{
                       QStringLiteral("ERRO - O CARACTERE | NÃO É PERMITIDO\nNOME DO OPERADOR")});
  EXPECT_EQ(state.params.Operator(5).name, "JOSE");
  EXPECT_EQ(state.params.Operator(5).changed, 1);
}

}  // namespace
}  // namespace qx::ui::qt
