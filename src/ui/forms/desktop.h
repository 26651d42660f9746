// What the program needs of the desktop besides its own forms: message boxes with answers,
// the file dialogs, handing a document to the user's browser, the local clock and running a
// form modally. Everything in the program that tells the user something goes through it.
// Each front end implements it; tests script it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/local_clock.h"

namespace qx::ui {

class Presenter;

enum class BoxIcon { kNone, kError, kWarning, kInformation, kQuestion };
enum class BoxButtons { kOk, kYesNo };
enum class BoxAnswer { kOk, kYes, kNo };

// A modal box owned by no window, kept topmost and brought to the front.
struct MessageBox {
  std::string title;  // Windows-1252
  std::string text;   // Windows-1252; "\n" breaks the line
  BoxIcon icon = BoxIcon::kNone;
  BoxButtons buttons = BoxButtons::kOk;
  BoxAnswer default_answer = BoxAnswer::kOk;  // for kYesNo: kYes or kNo
};

// The open and save dialogs: a filter, by default "PARAMETROS Arquivo" (*.par), and any further
// ones to choose from after it, never asking before overwriting, never requiring the file to
// exist. A pattern may list several, separated by ';' ("*.xlsx;*.ods").
struct FileDialog {
  std::string title;                               // Windows-1252
  std::string directory;                           // starting folder, platform path; may be empty
  std::string file_name;                           // proposed name, platform path; may be empty
  std::string filter_name = "PARAMETROS Arquivo";  // Windows-1252
  std::string filter_pattern = "*.par";
  struct Filter {
    std::string name;  // Windows-1252
    std::string pattern;
  };
  std::vector<Filter> more_filters{};
};

class Desktop {
 public:
  virtual ~Desktop() = default;
  virtual BoxAnswer ShowMessage(const MessageBox& box) = 0;
  // The chosen path, or nothing when the dialog was cancelled.
  virtual std::optional<std::string> AskOpenFileName(const FileDialog& dialog) = 0;
  virtual std::optional<std::string> AskSaveFileName(const FileDialog& dialog) = 0;
  // Hands a document to the program the user's system associates with it; false when no
  // program took it (the caller tells the user where the document is).
  [[nodiscard]] virtual bool OpenDocument(const std::string& path) = 0;
  virtual LocalTime Now() = 0;
  // Runs a form modally and gives its result.
  virtual int RunForm(Presenter& presenter) = 0;
};

// The boxes the program shows, built in one place. Titles and texts are Windows-1252.
// A box with one OK button.
void ShowBox(Desktop& desktop, std::string title, std::string text, BoxIcon icon);
// The error box: titled "ERRO", error icon, one OK button.
void ShowError(Desktop& desktop, std::string text);
// A question with Sim and Não and the given default; gives the answer.
BoxAnswer Ask(Desktop& desktop, std::string title, std::string text, BoxAnswer default_answer,
              BoxIcon icon = BoxIcon::kQuestion);

}  // namespace qx::ui
