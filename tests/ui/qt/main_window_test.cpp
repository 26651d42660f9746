// The main window and the about box in the real dialog: every control with its id, label,
// state and help, and the hiding and restoring around the forms it opens.
#include "ui/screens/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <map>

#include "qt_test_support.h"
#include "ui/qt/form_dialog.h"
#include "ui/qt/qt_desktop.h"
#include "ui/workflows/app_state.h"

namespace qx::ui::qt {
namespace {

using testing::Ctl;

// Runs the program's main window in the real dialog; `script` acts on each form once it is
// shown (the main window first). Message boxes are answered with their defaults.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop.hooks().message_box = [this](QMessageBox& box) {
      boxes.push_back(box.windowTitle());
      return QMessageBox::NoButton;
    };
  }
  int Run(std::function<void(FormDialog&)> script) {
    desktop.hooks().form_shown = [this, script](FormDialog& d) {
      forms.push_back(d.form().name);
      if (d.form().name == "MainWindow") main = &d;
      // The form's own loop runs the script, as a user's clicks would.
      QTimer::singleShot(0, &d, [&d, script] { script(d); });
    };
    return RunApplication(state, desktop);
  }

  AppState state;
  QtDesktop desktop;
  FormDialog* main = nullptr;
  std::vector<std::string> forms;
  std::vector<QString> boxes;
};

TEST_F(MainWindowTest, EveryControlHasItsIdLabelStateAndHelp) {
  Run([](FormDialog& d) {
    EXPECT_EQ(d.windowTitle(), QStringLiteral("QX-4810  PROGRAMAÇÃO  Versão: 1, 1, 0, 0"));
    EXPECT_TRUE(d.windowFlags() & Qt::WindowMinimizeButtonHint);
    testing::ExpectDialogShowsTemplate(d, d.form());
    // Before a file is opened only opening, the about box and leaving are offered.
    for (const ControlTemplate& c : d.form().controls) {
      if (c.id < 0 || !Ctl<QPushButton>(d, c.id)) continue;
      const bool offered = c.id == 1000 || c.id == 1009 || c.id == kIdOk || c.id == kIdCancel;
      EXPECT_EQ(Ctl<QWidget>(d, c.id)->isEnabled(), offered) << c.id;
      if (!c.help.empty()) {
        EXPECT_EQ(Ctl<QWidget>(d, c.id)->toolTipDuration(), 30000) << c.id;
      }
    }
    EXPECT_EQ(d.focusWidget(), Ctl<QWidget>(d, 1000));
    // The logo.
    bool logo = false;
    for (QLabel* label : d.findChildren<QLabel*>()) logo = logo || !label->pixmap().isNull();
    EXPECT_TRUE(logo);
    Ctl<QPushButton>(d, kIdCancel)->click();  // nothing unsaved: the program ends
  });
  EXPECT_EQ(forms, std::vector<std::string>{"MainWindow"});
  EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowTest, TheAboutBoxShowsItsTextsWhileTheMainWindowIsHidden) {
  bool main_hidden = false;
  bool main_back = false;
  Run([&](FormDialog& d) {
    if (d.form().name == "MainWindow") {
      if (main_back) return;
      Ctl<QPushButton>(d, kIdAbout)->click();
      main_back = d.isVisible();
      Ctl<QPushButton>(d, kIdCancel)->click();
      return;
    }
    main_hidden = !main->isVisible();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("QX-4810  SOBRE  APLICATIVO"));
    EXPECT_FALSE(d.windowFlags() & Qt::WindowMinimizeButtonHint);
    QStringList texts;
    for (QLabel* label : d.findChildren<QLabel*>())
      if (!label->text().isEmpty()) texts << label->text();
    EXPECT_TRUE(
        texts.contains(QStringLiteral("Versão:   1, 1, 0, 0    a partir de 1 de agosto de 2013")))
        << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(
        texts.contains(QStringLiteral("A registradora QX-4810 não possui porta serial. Por isso, "
                                      "toda a programação deve ser feita via "
                                      "teclado.  Este aplicativo  recebe a programação de acordo "
                                      "com o formato da registradora QX-4810 "
                                      "e salva em um  arquivo para impressão.")));
    EXPECT_TRUE(texts.contains(QStringLiteral(
        "O relatório impresso é um roteiro  que auxilia na programação  via teclado.")));
    EXPECT_EQ(d.focusWidget(), Ctl<QWidget>(d, kIdOk));
    Ctl<QPushButton>(d, kIdOk)->click();
  });
  EXPECT_TRUE(main_hidden);
  EXPECT_TRUE(main_back);
  EXPECT_EQ(forms, (std::vector<std::string>{"MainWindow", "AboutBox"}));
}

// After a file is opened every editor button works; each editor hides the main window
// while it runs, and Esc (its exit) brings the main window back.
TEST_F(MainWindowTest, EveryEditorHidesTheMainWindowUntilItCloses) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  desktop.hooks().file_dialog = [&](QFileDialog&) -> std::optional<QString> {
    return folder.filePath(QStringLiteral("novo.par"));
  };
  const int editors[] = {kIdDepartments,  kIdProducts,     kIdOperators,
                         kIdFunctionKeys, kIdHeaderFooter, kIdMiscOptions};
  std::map<std::string, bool> main_hidden_during;
  std::vector<bool> main_visible_after;
  Run([&](FormDialog& d) {
    if (d.form().name != "MainWindow") {
      main_hidden_during[d.form().name] = !main->isVisible();
      d.reject();  // Esc
      return;
    }
    if (!main_visible_after.empty()) return;
    Ctl<QPushButton>(d, kIdOpenFile)->click();
    for (int id : editors) {
      auto* button = Ctl<QPushButton>(d, id);
      EXPECT_TRUE(button->isEnabled()) << id;
      button->click();
      main_visible_after.push_back(d.isVisible());
    }
    Ctl<QPushButton>(d, kIdCancel)->click();
  });
  EXPECT_EQ(state.current_par_file,
            QDir::toNativeSeparators(folder.filePath(QStringLiteral("novo.par"))).toStdString());
  EXPECT_EQ(main_visible_after, std::vector<bool>(6, true));
  // Every editor that the program has ran once, with the main window hidden.
  EXPECT_FALSE(main_hidden_during.empty());
  for (const auto& [name, hidden] : main_hidden_during) EXPECT_TRUE(hidden) << name;
  EXPECT_EQ(forms.front(), "MainWindow");
  EXPECT_EQ(forms.size(), main_hidden_during.size() + 1);
}

}  // namespace
}  // namespace qx::ui::qt
