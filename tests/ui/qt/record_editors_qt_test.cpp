// The department grid and editor, the product editor and the operator editor in the real
// dialog: every control with its id, label, limit, digits-only input and help, and one run of
// each form as a user would drive it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "common/cp1252.h"
#include "qt_test_support.h"
#include "ui/workflows/app_state.h"
#include "ui/screens/editors.h"
#include "ui/qt/field_validator.h"
#include "ui/qt/form_dialog.h"
#include "ui/qt/qt_desktop.h"

namespace qx::ui::qt {
namespace {

using testing::Ctl;

enum class Kind { kButton, kCheckBox, kEdit };

struct Expected {
  int id;
  Kind kind;
  QString label;
  int max_length = 0;  // edits; 0: no limit
  bool digits_only = false;
  bool help = false;
};

void ExpectControls(const FormDialog& d, const std::vector<Expected>& table) {
  for (const Expected& e : table) {
    SCOPED_TRACE(e.id);
    switch (e.kind) {
      case Kind::kButton:
      case Kind::kCheckBox: {
        auto* b = e.kind == Kind::kButton ? static_cast<QAbstractButton*>(Ctl<QPushButton>(d, e.id))
                                          : Ctl<QCheckBox>(d, e.id);
        ASSERT_NE(b, nullptr);
        // A checkbox label may be wrapped onto two lines to fit its place.
        EXPECT_EQ(b->text().replace(QLatin1Char('\n'), QLatin1Char(' ')), e.label);
        break;
      }
      case Kind::kEdit: {
        auto* edit = Ctl<QLineEdit>(d, e.id);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->maxLength(), e.max_length ? e.max_length : 32767);
        auto* validator = qobject_cast<const FieldValidator*>(edit->validator());
        ASSERT_NE(validator, nullptr);
        EXPECT_EQ(validator->digits_only(), e.digits_only);
        auto* label = Ctl<QLabel>(d, e.id + 5000);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), e.label);
        EXPECT_EQ(label->buddy(), edit);
        break;
      }
    }
    QWidget* w = d.Control(e.id);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(!w->toolTip().isEmpty(), e.help);
  }
}

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
      const int ids[16] = {1000, 1001, 1002, 1004, 1046, 1006, 1007, 1008,
                           1009, 1003, 1054, 1010, 1011, 1012, 1013, 1014};
      std::vector<Expected> table;
      for (int n = 1; n <= 16; ++n)
        table.push_back({ids[n - 1], Kind::kButton, QStringLiteral("DEPT %1").arg(n)});
      table.push_back({kIdCancel, Kind::kButton, QStringLiteral("Sair")});
      ExpectControls(d, table);
      EXPECT_EQ(d.focusWidget(), Ctl<QWidget>(d, 1000));
      Ctl<QPushButton>(d, 1002)->click();  // DEPT 3: the editor runs inside this click
      EXPECT_TRUE(d.isVisible());
      ++grid_round;
      d.close();  // the window's close command
      return;
    }
    grid_hidden = grid && !grid->isVisible();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("QX-4810  PROGRAMAÇÃO  DEPARTAMENTO: 3"));
    ExpectControls(d, {
        {1048, Kind::kCheckBox, QStringLiteral("Preço programado (fixo) ?"), 0, false, true},
        {1050, Kind::kCheckBox, QStringLiteral("Preço é negativo ?"), 0, false, true},
        {1049, Kind::kCheckBox, QStringLiteral("Pode alterar preço programado na VENDA?"), 0, false, true},
        {1051, Kind::kCheckBox, QStringLiteral("Produto fecha a venda em DINHEIRO ?"), 0, false, true},
        {1052, Kind::kEdit, QStringLiteral("NOME DO DEPARTAMENTO"), 12, false, true},
        {1005, Kind::kEdit, QStringLiteral("PREÇO /  LIMITE DE PREÇO:"), 7, true, true},
        {kIdOk, Kind::kButton, QStringLiteral("Salvar")},
        {kIdCancel, Kind::kButton, QStringLiteral("Sair")},
    });
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
    ExpectControls(d, {
        {1005, Kind::kEdit, QStringLiteral("Código      (1 a 500):"), 0, true, false},
        {1048, Kind::kCheckBox, QStringLiteral("Preço programado (fixo) ?"), 0, false, true},
        {1050, Kind::kCheckBox, QStringLiteral("Preço é negativo ?"), 0, false, true},
        {1049, Kind::kCheckBox, QStringLiteral("Pode alterar preço programado na VENDA?"), 0, false, true},
        {1051, Kind::kCheckBox, QStringLiteral("Produto fecha a venda em DINHEIRO ?"), 0, false, true},
        {1057, Kind::kEdit, QStringLiteral("Nome do produto:"), 12, false, true},
        {1052, Kind::kEdit, QStringLiteral("Preço / Limite de preço:"), 7, true, true},
        {1059, Kind::kEdit, QStringLiteral("Código do departamento"), 2, true, true},
        {kIdOk, Kind::kButton, QStringLiteral("Salvar / Próximo")},
        {kIdCancel, Kind::kButton, QStringLiteral("Sair")},
    });
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

// Enter in the code field takes the code as leaving it does, and stores nothing; a click on
// "Salvar / Próximo" after typing a code reaches the presenter after the focus-lost.
TEST_F(RecordEditorsQtTest, EnterInTheCodeFieldTakesTheCodeAndAClickAfterItAsksFirst) {
  state.params.Product(9).name = "NOVE";
  state.params.Product(9).dept_code = "1";
  state.params.Product(5).name = "CINCO";
  std::vector<QString> questions;
  desktop.hooks().message_box = [&](QMessageBox& box) {
    questions.push_back(box.text());
    return box.defaultButton() == box.button(QMessageBox::No) ? QMessageBox::No : QMessageBox::Yes;
  };
  Run(MakeProductEditor(state, desktop), [&](FormDialog& d) {
    auto* code = Ctl<QLineEdit>(d, 1005);
    Type(d, 1005, QStringLiteral("9"));
    QTest::keyClick(code, Qt::Key_Return);
    EXPECT_EQ(d.focusWidget(), code);
    EXPECT_EQ(Text(d, 1057), QStringLiteral("NOVE"));
    EXPECT_EQ(Text(d, 1005), QStringLiteral("9"));
    Type(d, 1057, QStringLiteral("NOVO NOME"));
    Type(d, 1005, QStringLiteral("5"));
    QTest::keyClick(code, Qt::Key_Return);  // Não, the default: product 9 keeps its values
    EXPECT_EQ(Text(d, 1005), QStringLiteral("9"));
    EXPECT_EQ(Text(d, 1057), QStringLiteral("NOVO NOME"));
    QTest::mouseClick(Ctl<QPushButton>(d, kIdOk), Qt::LeftButton);
    EXPECT_EQ(Text(d, 1005), QString());
    d.reject();
  });
  EXPECT_EQ(questions,
            std::vector<QString>{QStringLiteral("Descartar as alterações do produto 9?")});
  EXPECT_EQ(state.params.Product(9).name, "NOVO NOME");
  EXPECT_EQ(state.params.Product(5).name, "CINCO");
}

TEST_F(RecordEditorsQtTest, OperatorEditorShowsTheStoredNameAndMarksEverySave) {
  state.params.Operator(5).name = "JOSE";
  Run(MakeOperatorEditor(state, desktop), [&](FormDialog& d) {
    EXPECT_EQ(d.windowTitle(), QStringLiteral("QX-4810  PROGRAMAÇÃO  OPERADORES"));
    ExpectControls(d, {
        {1005, Kind::kEdit, QStringLiteral("Código (1 a 10):"), 0, true, false},
        {1052, Kind::kEdit, QStringLiteral("Nome do empregado"), 8, false, true},
        {kIdOk, Kind::kButton, QStringLiteral("Salvar / Próximo")},
        {kIdCancel, Kind::kButton, QStringLiteral("Sair")},
    });
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

// Esc and the window's close command reach the editor's question about values typed and not
// stored: Não keeps the form open with them, Sim closes it.
TEST_F(RecordEditorsQtTest, EscAndTheCloseBoxAskBeforeTypedValuesAreDropped) {
  for (bool by_close : {false, true}) {
    SCOPED_TRACE(by_close ? "close box" : "Esc");
    std::vector<QString> questions;
    desktop.hooks().message_box = [&](QMessageBox& box) {
      questions.push_back(box.text());
      return questions.size() == 1 ? QMessageBox::No : QMessageBox::Yes;
    };
    Run(MakeOperatorEditor(state, desktop), [&](FormDialog& d) {
      Type(d, 1005, QStringLiteral("3"));
      Type(d, 1052, QStringLiteral("ANA"));  // leaving the code field takes operator 3
      auto leave = [&] {
        if (by_close)
          d.close();
        else
          QTest::keyClick(Ctl<QLineEdit>(d, 1052), Qt::Key_Escape);
      };
      leave();  // Não
      EXPECT_FALSE(d.closed());
      EXPECT_EQ(Text(d, 1052), QStringLiteral("ANA"));
      leave();  // Sim
      if (!d.closed()) d.CloseWith(0);
    });
    EXPECT_EQ(questions, std::vector<QString>(2, QStringLiteral("Descartar as alterações do "
                                                                "operador 3?")));
  }
  EXPECT_EQ(state.params.Operator(3).name, "");
}

}  // namespace
}  // namespace qx::ui::qt
