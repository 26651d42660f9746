// The product table in the real dialog, opened from the product editor: typing filters the
// list, a title click sorts it, a marked row carries its problem as hover text, and Enter on
// a row loads that product into the editor.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "../product_table_sample.h"
#include "common/cp1252.h"
#include "qt_test_support.h"
#include "ui/qt/form_dialog.h"
#include "ui/qt/qt_desktop.h"
#include "ui/screens/editors.h"
#include "ui/screens/product_table_form.h"
#include "ui/workflows/app_state.h"

namespace qx::ui::qt {
namespace {

using testing::Ctl;

constexpr int kListButton = 1092;
constexpr int kCode = 1005;
constexpr int kName = 1057;

QStringList Codes(const QTreeWidget& list) {
  QStringList codes;
  for (int i = 0; i < list.topLevelItemCount(); ++i) codes << list.topLevelItem(i)->text(1);
  return codes;
}

TEST(ProductTableQt, OpensFromTheEditorFiltersAsTypedAndOpensTheProductChosen) {
  AppState state;
  qx::ui::testing::FillProductTableSample(state);
  QtDesktop desktop;
  std::vector<std::string> forms;
  std::vector<QString> boxes;
  desktop.hooks().message_box = [&](QMessageBox& box) {
    boxes.push_back(box.text());
    return QMessageBox::Ok;
  };
  desktop.hooks().form_shown = [&](FormDialog& d) {
    forms.push_back(d.form().name);
    QTimer::singleShot(0, &d, [&, dialog = &d] {
      FormDialog& form = *dialog;
      EXPECT_TRUE(testing::ShowActive(form));
      if (form.form().name == "ProductEditor") {
        Ctl<QPushButton>(form, kListButton)->click();  // runs the table until it closes
        EXPECT_EQ(Ctl<QLineEdit>(form, kCode)->text(), QStringLiteral("3"));
        EXPECT_EQ(Ctl<QLineEdit>(form, kName)->text(), QStringLiteral("AÇÚCAR 1KG"));
        form.reject();
        return;
      }
      EXPECT_EQ(form.windowTitle(), QStringLiteral("QX-4810  PROGRAMAÇÃO  LISTA DE PRODUTOS"));
      auto* list = Ctl<QTreeWidget>(form, kIdTableList);
      auto* find = Ctl<QLineEdit>(form, kIdTableFind);
      auto* count = Ctl<QLabel>(form, kIdTableCount);
      ASSERT_TRUE(list && find && count);
      EXPECT_EQ(form.focusWidget(), find);
      EXPECT_EQ(count->text(), QStringLiteral("3 de 500"));
      EXPECT_EQ(list->columnCount(), 9);
      EXPECT_EQ(list->headerItem()->text(4), QStringLiteral("Depto"));
      testing::TypeText(find, QStringLiteral("açu"));
      EXPECT_EQ(count->text(), QStringLiteral("2 de 500"));
      EXPECT_EQ(Codes(*list), (QStringList{"3", "40"}));
      EXPECT_EQ(list->topLevelItem(1)->text(0), QStringLiteral("!"));
      EXPECT_EQ(list->topLevelItem(1)->toolTip(2),
                QStringLiteral("Sem departamento: o produto não fica ligado a nenhum"));
      EXPECT_TRUE(list->topLevelItem(0)->toolTip(2).isEmpty());
      EXPECT_EQ(list->topLevelItem(0)->text(3), QStringLiteral("R$ 4,59"));
      emit list->header()->sectionClicked(1);  // by code, reversed
      EXPECT_EQ(Codes(*list), (QStringList{"40", "3"}));
      Ctl<QCheckBox>(form, kIdTableShowAll)->click();
      EXPECT_EQ(count->text(), QStringLiteral("2 de 500")) << "the find still applies";
      find->clear();
      EXPECT_EQ(count->text(), QStringLiteral("500 de 500"));
      testing::TypeText(find, QStringLiteral("ACUCAR 1"));
      list->setFocus();
      form.view().SetListSelection(kIdTableList, 0);
      QTest::keyClick(list, Qt::Key_Return);
    });
  };
  desktop.RunForm(*MakeProductEditor(state, desktop));
  EXPECT_EQ(forms, (std::vector<std::string>{"ProductEditor", "ProductTable"}));
  EXPECT_EQ(state.current_plu, 3);
  EXPECT_TRUE(boxes.empty());
  EXPECT_FALSE(state.params_modified);
}

}  // namespace
}  // namespace qx::ui::qt
