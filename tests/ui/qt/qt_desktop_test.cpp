// The desktop port on Qt: message boxes, file dialogs, the clock, and the Portuguese that
// Qt's own dialogs speak (running forms is the main window's and the editors' tests).
#include "ui/qt/qt_desktop.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <filesystem>
#include <fstream>

#include "common/cp1252.h"
#include "qt_test_support.h"
#include "ui/qt/application.h"
#include "ui/qt/text_convert.h"

namespace qx::ui::qt {
namespace {

QStringList ButtonTexts(const QMessageBox& box) {
  QStringList texts;
  for (QAbstractButton* b : box.buttons()) texts << b->text().remove(QLatin1Char('&'));
  texts.sort();
  return texts;
}

TEST(QtDesktopMessages, ABoxCarriesItsTitleTextIconButtonsAndDefault) {
  struct Case {
    MessageBox box;
    QMessageBox::Icon icon;
    QStringList buttons;
    QString default_button;
  };
  const Case cases[] = {
      {{"ERRO", Win1252("ERRO NA CRIAÇÃO DO ARQUIVO"), BoxIcon::kError, BoxButtons::kOk,
        BoxAnswer::kOk},
       QMessageBox::Critical,
       {QStringLiteral("OK")},
       QStringLiteral("OK")},
      {{Win1252("Pergunta:"),
        Win1252("Arquivo de gravação não é igual ao informado na entrada.\nApaga dados do arquivo "
                "informado e substitui por este ?"),
        BoxIcon::kQuestion, BoxButtons::kYesNo, BoxAnswer::kNo},
       QMessageBox::Question,
       {QStringLiteral("Não"), QStringLiteral("Sim")},
       QStringLiteral("Não")},
      {{"alerta", Win1252("Deseja salvar as alterações ?"), BoxIcon::kQuestion, BoxButtons::kYesNo,
        BoxAnswer::kYes},
       QMessageBox::Question,
       {QStringLiteral("Não"), QStringLiteral("Sim")},
       QStringLiteral("Sim")},
      {{"NOTA IMPORTANTE", "O arquivo   \"a.par\"   possui", BoxIcon::kInformation, BoxButtons::kOk,
        BoxAnswer::kOk},
       QMessageBox::Information,
       {QStringLiteral("OK")},
       QStringLiteral("OK")},
      {{"alerta", "ARQUIVO VAZIO", BoxIcon::kNone, BoxButtons::kOk, BoxAnswer::kOk},
       QMessageBox::NoIcon,
       {QStringLiteral("OK")},
       QStringLiteral("OK")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box.title);
    QtDesktop desktop;
    int shown = 0;
    desktop.hooks().message_box = [&](QMessageBox& box) {
      ++shown;
      EXPECT_EQ(box.windowTitle(), ToQString(c.box.title));
      EXPECT_EQ(box.text(), ToQString(c.box.text));
      EXPECT_EQ(box.textFormat(), Qt::PlainText);
      EXPECT_EQ(box.icon(), c.icon);
      EXPECT_EQ(ButtonTexts(box), c.buttons);
      EXPECT_EQ(box.defaultButton()->text().remove(QLatin1Char('&')), c.default_button);
      // Modal, owned by no window, kept on top.
      EXPECT_EQ(box.windowModality(), Qt::ApplicationModal);
      EXPECT_EQ(box.parentWidget(), nullptr);
      EXPECT_TRUE(box.windowFlags() & Qt::WindowStaysOnTopHint);
      return QMessageBox::NoButton;
    };
    // Without an answer a question takes its default.
    EXPECT_EQ(desktop.ShowMessage(c.box), c.box.default_answer);
    EXPECT_EQ(shown, 1);
  }
}

TEST(QtDesktopMessages, TheButtonPressedIsTheAnswer) {
  QtDesktop desktop;
  MessageBox question{"Pergunta:", "?", BoxIcon::kQuestion, BoxButtons::kYesNo, BoxAnswer::kNo};
  desktop.hooks().message_box = [](QMessageBox&) { return QMessageBox::Yes; };
  EXPECT_EQ(desktop.ShowMessage(question), BoxAnswer::kYes);
  desktop.hooks().message_box = [](QMessageBox&) { return QMessageBox::No; };
  question.default_answer = BoxAnswer::kYes;
  EXPECT_EQ(desktop.ShowMessage(question), BoxAnswer::kNo);
  EXPECT_EQ(desktop.ShowMessage({"ERRO", "x", BoxIcon::kError, BoxButtons::kOk, BoxAnswer::kOk}),
            BoxAnswer::kOk);
}

TEST(QtDesktopMessages, AQuestionIsAnsweredOnlyWithItsButtons) {
  MessageBox question{"alerta", "Deseja salvar as alterações ?", BoxIcon::kQuestion,
                      BoxButtons::kYesNo, BoxAnswer::kYes};
  std::unique_ptr<QMessageBox> box = MakeMessageBox(question);
  QTimer::singleShot(0, box.get(), [b = box.get()] {
    QTest::keyClick(b, Qt::Key_Escape);  // ignored
    b->close();                          // ignored
    EXPECT_TRUE(b->isVisible());
    QTest::keyClick(b, Qt::Key_Return);  // the default, "Sim"
  });
  box->exec();
  EXPECT_EQ(box->standardButton(box->clickedButton()), QMessageBox::Yes);

  // A box with only OK is closed by Esc too.
  std::unique_ptr<QMessageBox> note =
      MakeMessageBox({"ERRO", "x", BoxIcon::kError, BoxButtons::kOk, BoxAnswer::kOk});
  QTimer::singleShot(0, note.get(), [b = note.get()] { QTest::keyClick(b, Qt::Key_Escape); });
  note->exec();
  EXPECT_EQ(note->standardButton(note->clickedButton()), QMessageBox::Ok);
}

TEST(QtDesktopFiles, BothDialogsOfferTheParameterFilesAndNeverAskBeforeOverwriting) {
  const QString home = QDir::homePath();
  const QString folder = QDir::tempPath();
  for (bool save : {false, true}) {
    SCOPED_TRACE(save);
    QtDesktop desktop;
    FileDialog request;
    request.title = save ? Win1252("SALVA ARQUIVO DE PARÂMETROS - QX-4810")
                         : Win1252("LER ARQUIVO DE PARÂMETROS - QX-4810");
    request.directory = PathFromQString(folder) + "/";
    request.file_name = save ? "loja1.par" : "";
    desktop.hooks().file_dialog = [&](QFileDialog& d) -> std::optional<QString> {
      EXPECT_EQ(d.windowTitle(), ToQString(request.title));
      EXPECT_EQ(d.nameFilters(), QStringList{QStringLiteral("PARAMETROS Arquivo (*.par)")});
      EXPECT_EQ(d.acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
      EXPECT_EQ(d.fileMode(), QFileDialog::AnyFile);  // a new name is fine
      EXPECT_TRUE(d.testOption(QFileDialog::DontConfirmOverwrite));
      EXPECT_TRUE(d.testOption(QFileDialog::DontUseNativeDialog));
      EXPECT_EQ(QDir(d.directory()).canonicalPath(), QDir(folder).canonicalPath());
      if (save) {
        EXPECT_EQ(QFileInfo(d.selectedFiles().value(0)).fileName(), QStringLiteral("loja1.par"));
      }
      return folder + QStringLiteral("/caixa ção");
    };
    const std::optional<std::string> chosen =
        save ? desktop.AskSaveFileName(request) : desktop.AskOpenFileName(request);
    ASSERT_TRUE(chosen.has_value());
    // The platform path, as the file system spells it (UTF-8 here), with no extension added.
    EXPECT_EQ(*chosen, PathFromQString(folder) + "/caixa \xC3\xA7\xC3\xA3o");
  }
  // A cancelled dialog gives nothing; a folder that does not exist starts at home.
  QtDesktop desktop;
  desktop.hooks().file_dialog = [&](QFileDialog& d) -> std::optional<QString> {
    EXPECT_EQ(QDir(d.directory()).canonicalPath(), QDir(home).canonicalPath());
    return std::nullopt;
  };
  EXPECT_EQ(desktop.AskOpenFileName({"t", "/nao/existe/KORVA/", ""}), std::nullopt);
}

// A name that is not UTF-8 (written by an older system in Latin-1) is answered by the dialog
// with replacement characters; the save must still go to the same file, not to a new one.
TEST(QtDesktopFiles, ANameThatIsNotUtf8IsAnsweredWithItsOwnBytes) {
  const std::string folder = PathFromQString(QDir::tempPath()) + "/qx-names-" +
                             std::to_string(QCoreApplication::applicationPid());
  const std::string latin1 = "S\xE3o.par";
  std::filesystem::create_directories(folder + "/Jo\xE3o");
  const std::string existing[] = {folder + "/" + latin1, folder + "/Jo\xE3o/" + latin1};
  for (const std::string& file : existing) std::ofstream{file};
  struct Case {
    std::string directory, proposed;  // what the workflow hands the dialog
    std::string answer;               // the file the user accepts, as platform bytes
    std::string expected;
  } const cases[] = {
      // Save: the proposed name accepted as it is.
      {folder + "/", latin1, folder + "/" + latin1, folder + "/" + latin1},
      // Open: picked from the folder's listing, in a folder with such a name too.
      {folder + "/", "", folder + "/Jo\xE3o/" + latin1, folder + "/Jo\xE3o/" + latin1},
      // A new name typed in that folder keeps the folder's bytes.
      {folder + "/Jo\xE3o/", "", folder + "/Jo\xE3o/novo.par", folder + "/Jo\xE3o/novo.par"},
      // Nothing on disk reads the same: the name as typed.
      {folder + "/", "", folder + "/Jos\xE9.par", folder + "/Jos\xEF\xBF\xBD.par"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    QtDesktop desktop;
    desktop.hooks().file_dialog = [&](QFileDialog&) -> std::optional<QString> {
      return PathToQString(c.answer);
    };
    const FileDialog request{"t", c.directory, c.proposed};
    EXPECT_EQ(
        c.proposed.empty() ? desktop.AskOpenFileName(request) : desktop.AskSaveFileName(request),
        c.expected);
  }
  // The save dialog's own proposal, accepted unchanged, is the file that was opened.
  QtDesktop desktop;
  desktop.hooks().file_dialog = [](QFileDialog& d) -> std::optional<QString> {
    return d.selectedFiles().value(0);
  };
  EXPECT_EQ(desktop.AskSaveFileName({"t", folder + "/", latin1}), existing[0]);
  std::filesystem::remove_all(folder);
}

TEST(QtDesktopMisc, TheClockIsTheLocalTimeAndDocumentsGoToTheBrowser) {
  QtDesktop desktop;
  const QDateTime before = QDateTime::currentDateTime();
  const LocalTime now = desktop.Now();
  const QDateTime after = QDateTime::currentDateTime();
  const QDateTime got(QDate(now.year, now.month, now.day), QTime(now.hour, now.minute, now.second));
  EXPECT_GE(got, before.addMSecs(-before.time().msec()));
  EXPECT_LE(got, after);

  QString handed;
  bool taken = true;
  desktop.hooks().open_document = [&](const QString& path) {
    handed = path;
    return taken;
  };
  EXPECT_TRUE(desktop.OpenDocument("/tmp/loja1.HTM"));
  EXPECT_EQ(handed, QStringLiteral("/tmp/loja1.HTM"));
  // No program took it: the caller hears so.
  taken = false;
  EXPECT_FALSE(desktop.OpenDocument("/tmp/loja1.HTM"));
}

TEST(QtApplicationSetUp, QtSpeaksBrazilianPortugueseWithTheProgramsIconAndBalloonHelp) {
  SetUpApplication(*qApp);
  EXPECT_EQ(QLocale().name(), QStringLiteral("pt_BR"));
  EXPECT_FALSE(QApplication::windowIcon().isNull());
  EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), QColor(0xff, 0xff, 0xe1));
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!QFile::exists(folder + QStringLiteral("/qtbase_pt_BR.qm")))
    GTEST_SKIP() << "qt6-translations-l10n is not installed";
  ASSERT_TRUE(LoadPortugueseTranslations(*QCoreApplication::instance()));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancelar"));
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "&Open"), QStringLiteral("&Abrir"));
}

}  // namespace
}  // namespace qx::ui::qt
