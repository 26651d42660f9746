// The desktop port on Qt: message boxes, the file dialogs, the browser, the clock and the
// modal run of a form.
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "ui/forms/desktop.h"

class QFileDialog;

namespace qx::ui::qt {

class FormDialog;

// Builds the box the user sees: modal, owned by no window, topmost, with the icon, the
// buttons ("Sim" and "Não", or "OK") and the default. A Yes/No box has no escape: it is
// answered with one of its buttons, as the questions expect.
std::unique_ptr<QMessageBox> MakeMessageBox(const MessageBox& box);
// The open or save dialog: the dialog's one filter ("PARAMETROS Arquivo (*.par)" unless it
// names another), any name accepted
// (existing or not), no question before overwriting.
std::unique_ptr<QFileDialog> MakeFileDialog(const FileDialog& dialog, bool save);
// The platform path of the dialog's answer. Qt shows a name that is not valid UTF-8 with
// replacement characters, which would name another file; such a name is taken back to the
// bytes of the proposed file, or of the one entry of its folder that reads the same.
std::string PathFromDialogAnswer(const QString& answer, const FileDialog& dialog);

class QtDesktop : public Desktop {
 public:
  // Seams for tests and probes. A hook that is set runs instead of the blocking part.
  struct Hooks {
    // Gets the ready box instead of showing it; gives the button pressed.
    std::function<QMessageBox::StandardButton(QMessageBox&)> message_box;
    // Gets the ready file dialog instead of showing it; gives the chosen path or nothing.
    std::function<std::optional<QString>(QFileDialog&)> file_dialog;
    // Called once each form is on the screen, before its events run (the form still runs).
    std::function<void(FormDialog&)> form_shown;
    // Called with the path instead of handing it to the browser.
    std::function<bool(const QString&)> open_document;
  };

  BoxAnswer ShowMessage(const MessageBox& box) override;
  std::optional<std::string> AskOpenFileName(const FileDialog& dialog) override;
  std::optional<std::string> AskSaveFileName(const FileDialog& dialog) override;
  bool OpenDocument(const std::string& path) override;
  LocalTime Now() override;
  int RunForm(Presenter& presenter) override;

  Hooks& hooks() { return hooks_; }

 private:
  std::optional<std::string> AskFileName(const FileDialog& dialog, bool save);
  Hooks hooks_;
};

}  // namespace qx::ui::qt
