#include "ui/qt/qt_desktop.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <filesystem>
#include <system_error>

#include "ui/qt/artwork.h"
#include "ui/qt/form_dialog.h"
#include "ui/qt/text_convert.h"

namespace qx::ui::qt {
namespace {

// A question must be answered with Yes or No: Esc and the close button do nothing.
class QuestionBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;
  bool must_answer = false;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (must_answer && event->key() == Qt::Key_Escape) return;
    QMessageBox::keyPressEvent(event);
  }
  void closeEvent(QCloseEvent* event) override {
    if (must_answer) {
      event->ignore();
      return;
    }
    QMessageBox::closeEvent(event);
  }
};

QMessageBox::Icon ToQtIcon(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::kError:
      return QMessageBox::Critical;
    case BoxIcon::kWarning:
      return QMessageBox::Warning;
    case BoxIcon::kInformation:
      return QMessageBox::Information;
    case BoxIcon::kQuestion:
      return QMessageBox::Question;
    case BoxIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

BoxAnswer ToAnswer(QMessageBox::StandardButton button, const MessageBox& box) {
  if (box.buttons == BoxButtons::kOk) return BoxAnswer::kOk;
  if (button == QMessageBox::Yes) return BoxAnswer::kYes;
  if (button == QMessageBox::No) return BoxAnswer::kNo;
  return box.default_answer;
}

void BringToFront(QWidget& window) {
  window.raise();
  window.activateWindow();
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + '/' + name;
}

bool Exists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::path(path), error);
}

// The bytes of the one entry of the folder whose name Qt reads as the given text; the
// encoded text itself when there is none or more than one.
std::string EntryReadAs(const std::string& folder, const QString& name) {
  const std::string encoded = PathFromQString(name);
  if (Exists(JoinPath(folder, encoded)) || !name.contains(QChar::ReplacementCharacter))
    return encoded;
  std::error_code error;
  std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error);
  std::string found;
  int matches = 0;
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    const std::string entry = it->path().filename().native();
    if (PathToQString(entry) == name && ++matches == 1) found = entry;
  }
  return matches == 1 ? found : encoded;
}

}  // namespace

std::string PathFromDialogAnswer(const QString& answer, const FileDialog& dialog) {
  const QString clean = QDir::cleanPath(answer);
  if (!dialog.file_name.empty()) {
    const std::string proposed = JoinPath(dialog.directory, dialog.file_name);
    if (QDir::cleanPath(PathToQString(proposed)) == clean) return proposed;
  }
  // Component by component, so that a folder with such a name is found too.
  const QStringList parts = clean.split(QLatin1Char('/'));
  std::string path;
  for (qsizetype i = 0; i < parts.size(); ++i) {
    if (i > 0) path += '/';
    if (!parts[i].isEmpty()) path += EntryReadAs(i > 0 ? path : std::string(), parts[i]);
  }
  return path;
}

std::unique_ptr<QMessageBox> MakeMessageBox(const MessageBox& box) {
  auto qbox = std::make_unique<QuestionBox>();
  qbox->setWindowTitle(ToQString(box.title));
  qbox->setTextFormat(Qt::PlainText);
  qbox->setText(ToQString(box.text));
  qbox->setIcon(ToQtIcon(box.icon));
  ApplyWindowIcon(*qbox);
  qbox->setWindowModality(Qt::ApplicationModal);
  qbox->setWindowFlag(Qt::WindowStaysOnTopHint, true);
  if (box.buttons == BoxButtons::kYesNo) {
    QPushButton* yes = qbox->addButton(QMessageBox::Yes);
    QPushButton* no = qbox->addButton(QMessageBox::No);
    // The program's own words, whatever translations are installed.
    yes->setText(QStringLiteral("&Sim"));
    no->setText(QStringLiteral("&Não"));
    qbox->setDefaultButton(box.default_answer == BoxAnswer::kNo ? no : yes);
    qbox->must_answer = true;
    qbox->setWindowFlag(Qt::WindowCloseButtonHint, false);
  } else {
    QPushButton* ok = qbox->addButton(QMessageBox::Ok);
    ok->setText(QStringLiteral("OK"));
    qbox->setDefaultButton(ok);
    qbox->setEscapeButton(ok);
  }
  return qbox;
}

std::unique_ptr<QFileDialog> MakeFileDialog(const FileDialog& dialog, bool save) {
  QString directory = PathToQString(dialog.directory);
  if (directory.isEmpty() || !QFileInfo(directory).isDir()) directory = QDir::homePath();
  auto qdialog = std::make_unique<QFileDialog>(nullptr, ToQString(dialog.title), directory);
  // Qt's own dialog, so that it speaks Portuguese like the rest of the program.
  qdialog->setOption(QFileDialog::DontUseNativeDialog, true);
  qdialog->setOption(QFileDialog::DontConfirmOverwrite, true);
  qdialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  qdialog->setFileMode(QFileDialog::AnyFile);
  // Qt separates the patterns of one filter with blanks.
  const auto filter = [](const std::string& name, const std::string& pattern) {
    return ToQString(name) + QStringLiteral(" (") +
           QString::fromLatin1(pattern).replace(QLatin1Char(';'), QLatin1Char(' ')) +
           QStringLiteral(")");
  };
  QStringList filters{filter(dialog.filter_name, dialog.filter_pattern)};
  for (const FileDialog::Filter& more : dialog.more_filters)
    filters.append(filter(more.name, more.pattern));
  qdialog->setNameFilters(filters);
  qdialog->setWindowModality(Qt::ApplicationModal);
  ApplyWindowIcon(*qdialog);
  if (!dialog.file_name.empty()) qdialog->selectFile(PathToQString(dialog.file_name));
  return qdialog;
}

BoxAnswer QtDesktop::ShowMessage(const MessageBox& box) {
  std::unique_ptr<QMessageBox> qbox = MakeMessageBox(box);
  QMessageBox::StandardButton pressed = QMessageBox::NoButton;
  if (hooks_.message_box) {
    pressed = hooks_.message_box(*qbox);
  } else {
    QTimer::singleShot(0, qbox.get(), [b = qbox.get()] { BringToFront(*b); });
    qbox->exec();
    pressed = qbox->standardButton(qbox->clickedButton());
  }
  return ToAnswer(pressed, box);
}

std::optional<std::string> QtDesktop::AskFileName(const FileDialog& dialog, bool save) {
  std::unique_ptr<QFileDialog> qdialog = MakeFileDialog(dialog, save);
  std::optional<QString> chosen;
  if (hooks_.file_dialog) {
    chosen = hooks_.file_dialog(*qdialog);
  } else {
    QTimer::singleShot(0, qdialog.get(), [d = qdialog.get()] { BringToFront(*d); });
    if (qdialog->exec() == QDialog::Accepted && !qdialog->selectedFiles().isEmpty())
      chosen = qdialog->selectedFiles().constFirst();
  }
  if (!chosen || chosen->isEmpty()) return std::nullopt;
  return PathFromDialogAnswer(*chosen, dialog);
}

std::optional<std::string> QtDesktop::AskOpenFileName(const FileDialog& dialog) {
  return AskFileName(dialog, false);
}

std::optional<std::string> QtDesktop::AskSaveFileName(const FileDialog& dialog) {
  return AskFileName(dialog, true);
}

bool QtDesktop::OpenDocument(const std::string& path) {
  const QString file = PathToQString(path);
  if (hooks_.open_document) return hooks_.open_document(file);
  return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

LocalTime QtDesktop::Now() { return ReadLocalClock(); }

int QtDesktop::RunForm(Presenter& presenter) {
  FormDialog dialog(presenter);
  // A copy: the hook may replace itself while the form runs.
  const std::function<void(FormDialog&)> shown = hooks_.form_shown;
  return dialog.Run(shown);
}

}  // namespace qx::ui::qt
