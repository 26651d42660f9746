// The list control in the Qt adapter, on the product import report: columns, rows, the chosen
// row, and the header click and row activation that reach the presenter.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "common/cp1252.h"
#include "qt_test_support.h"
#include "ui/qt/qt_desktop.h"
#include "ui/workflows/import_choices.h"
#include "ui/workflows/product_list_workflow.h"

namespace qx::ui::qt {
namespace {

using testing::Ctl;

// The report's presenter, with what the list tells it recorded.
class ListEvents : public Presenter {
 public:
  explicit ListEvents(std::unique_ptr<Presenter> report) : report_(std::move(report)) {}
  const FormTemplate& Template() const override { return report_->Template(); }
  void OnOpen(FormView& view) override { report_->OnOpen(view); }
  void OnCommand(FormView& view, int id) override { report_->OnCommand(view, id); }
  void OnListHeaderClicked(FormView&, int id, int column) override {
    events.push_back("header " + std::to_string(id) + " " + std::to_string(column));
  }
  void OnListRowActivated(FormView&, int id, int row) override {
    events.push_back("row " + std::to_string(id) + " " + std::to_string(row));
  }
  std::vector<std::string> events;

 private:
  std::unique_ptr<Presenter> report_;
};

exchange::ProductImport ImportWithMessages(int errors) {
  exchange::ProductImport import;
  import.read = 40;
  import.errors = errors;
  for (int i = 0; i < 30; ++i)
    import.messages.push_back({i < errors, Win1252("linha " + std::to_string(i + 2) + ", preco: "
                                                                                      "\"x\" não "
                                                                                       "é "
                                                                                      "um "
                                                                                       "preço")});
  return import;
}

TEST(ListControlQt, TheReportListShowsEveryMessageInItsColumnsAndReportsWhatTheUserDoes) {
  const exchange::ProductImport import = ImportWithMessages(2);
  ListEvents presenter(MakeImportReport(import));
  FormDialog dialog(presenter);
  presenter.OnOpen(dialog.view());
  dialog.show();

  auto* list = Ctl<QTreeWidget>(dialog, kIdReportMessages);
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(dialog.rect().contains(list->geometry()));
  ASSERT_EQ(list->columnCount(), 2);
  EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Tipo"));
  EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Mensagem"));
  ASSERT_EQ(list->topLevelItemCount(), 30);
  EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("ERRO"));
  EXPECT_EQ(list->topLevelItem(2)->text(0), QStringLiteral("aviso"));
  EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("linha 2, preco: \"x\" não é um preço"));
  EXPECT_FALSE(Ctl<QPushButton>(dialog, kIdOk)->isEnabled()) << "errors: no Importar";

  FormView& view = dialog.view();
  EXPECT_EQ(view.GetListSelection(kIdReportMessages), -1);
  view.SetListSelection(kIdReportMessages, 25);
  EXPECT_EQ(view.GetListSelection(kIdReportMessages), 25);
  view.SetListSelection(kIdReportMessages, 99);
  EXPECT_EQ(view.GetListSelection(kIdReportMessages), -1);

  view.SetListSelection(kIdReportMessages, 3);
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Return);
  emit list->header()->sectionClicked(1);
  emit list->itemDoubleClicked(list->topLevelItem(5), 0);
  EXPECT_EQ(presenter.events,
            (std::vector<std::string>{"row 1110 3", "header 1110 1", "row 1110 5"}));
  EXPECT_FALSE(dialog.closed()) << "Enter on a row presses no button";
}

TEST(ListControlQt, WithoutErrorsImportarClosesTheReportWithOne) {
  const exchange::ProductImport import = ImportWithMessages(0);
  std::unique_ptr<Presenter> report = MakeImportReport(import);
  FormDialog dialog(*report);
  report->OnOpen(dialog.view());
  auto* import_button = Ctl<QPushButton>(dialog, kIdOk);
  ASSERT_TRUE(import_button->isEnabled());
  import_button->click();
  EXPECT_TRUE(dialog.closed());
  EXPECT_EQ(dialog.result(), 1);
}

TEST(ListControlQt, FileDialogsOfferTheFilterTheyAreGivenAndTheParameterFilesByDefault) {
  FileDialog csv;
  csv.filter_name = "Planilha CSV";
  csv.filter_pattern = "*.csv";
  EXPECT_EQ(MakeFileDialog(csv, false)->nameFilters(),
            QStringList{QStringLiteral("Planilha CSV (*.csv)")});
  EXPECT_EQ(MakeFileDialog(FileDialog{}, true)->nameFilters(),
            QStringList{QStringLiteral("PARAMETROS Arquivo (*.par)")});
  // Several patterns in one filter, and further filters after it.
  FileDialog sheets;
  sheets.filter_name = "Planilhas";
  sheets.filter_pattern = "*.xlsx;*.ods";
  sheets.more_filters = {{"Planilha CSV", "*.csv"}};
  EXPECT_EQ(MakeFileDialog(sheets, false)->nameFilters(),
            (QStringList{QStringLiteral("Planilhas (*.xlsx *.ods)"),
                         QStringLiteral("Planilha CSV (*.csv)")}));
}

// The column-choice step built from its template: a double click on a file column gives it
// to the chosen field, and "Continuar" stores the choice.
TEST(ListControlQt, TheColumnChoiceAssignsTheDoubleClickedColumn) {
  const ParamSet params;
  ImportSession session(params, "Produto;Mercadoria\nA;B\n");
  session.Prepare();
  std::unique_ptr<Presenter> choice = MakeColumnChoice(session);
  FormDialog dialog(*choice);
  choice->OnOpen(dialog.view());
  dialog.show();
  auto* fields = Ctl<QTreeWidget>(dialog, kIdColumnFields);
  auto* file = Ctl<QTreeWidget>(dialog, kIdColumnFile);
  ASSERT_TRUE(fields && file);
  ASSERT_EQ(file->topLevelItemCount(), 3);
  dialog.view().SetListSelection(kIdColumnFields, 1);
  emit file->itemDoubleClicked(file->topLevelItem(2), 0);
  EXPECT_EQ(fields->topLevelItem(1)->text(1), QStringLiteral("Mercadoria"));
  Ctl<QPushButton>(dialog, kIdOk)->click();
  EXPECT_EQ(dialog.result(), 1);
  EXPECT_EQ(session.options.columns[static_cast<std::size_t>(ListField::kName)], 1);
}

}  // namespace
}  // namespace qx::ui::qt
