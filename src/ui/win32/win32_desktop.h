// The desktop port on Windows: message boxes, the file dialogs, the browser, the clock and
// the modal run of a form.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "ui/forms/desktop.h"
#include "ui/win32/windows_api.h"

namespace qx::ui::win32 {

class FormDialog;

// A message box as MessageBoxW gets it.
struct BoxRequest {
  std::wstring title;
  std::wstring text;
  UINT flags = 0;  // MB_*: buttons, icon, default button, modality
};

// An open or save dialog as GetOpenFileNameW / GetSaveFileNameW get it.
struct FileRequest {
  bool save = false;
  std::wstring title;
  std::wstring directory;  // starting folder; may be empty
  std::wstring file_name;  // proposed name; may be empty
  std::wstring filter;     // description '\0' pattern '\0' ... '\0'
  DWORD flags = 0;         // OFN_*
  HWND owner = nullptr;    // the form in front, which takes no clicks while the dialog is up
};

// The box the user sees: owned by no window, task-modal (the thread's forms take no clicks
// while it is up), topmost and in front, with the icon, the buttons and the default. A
// Yes/No box offers no Cancel, so neither Esc nor its close box can answer it.
BoxRequest MakeBoxRequest(const MessageBox& box);
// The answer for what MessageBoxW gave (IDOK, IDYES, IDNO; anything else: the default).
BoxAnswer ToAnswer(int pressed, const MessageBox& box);
// The filter list of the file dialogs: the one filter "NAME (PATTERN)" '\0' PATTERN '\0',
// ended by a second '\0'.
std::wstring MakeFilter(std::string_view name, std::string_view pattern);
// The open or save dialog, owned by the form in front: the one filter the request names
// ("PARAMETROS Arquivo (*.par)" unless it says otherwise), explorer style, no read-only box, any
// name accepted (existing or not), no question before overwriting.
FileRequest MakeFileRequest(const FileDialog& dialog, bool save);

// The folder a file dialog starts in. Without one that exists, the dialog would start in the
// process's current folder, the program's own when started from its shortcut, and the customers'
// files would land among the programs. So: the requested folder when it exists; otherwise the
// customers' folder, created when missing; failing that the user's documents.
std::wstring StartFolder(const std::wstring& requested, const std::wstring& customer_folder);

// Where the customers' parameter files live unless the user chooses otherwise.
inline constexpr wchar_t kCustomerFolder[] = L"c:\\KORVA";

class Win32Desktop : public Desktop {
 public:
  // Seams for tests. A hook that is set runs instead of the blocking part.
  struct Hooks {
    // Gets the ready box instead of showing it; gives what MessageBoxW would (IDYES, ...).
    std::function<int(const BoxRequest&)> message_box;
    // Gets the ready file dialog instead of showing it; gives the chosen path or nothing.
    std::function<std::optional<std::wstring>(const FileRequest&)> file_dialog;
    // Called once each form is on the screen, before its events run (the form still runs).
    std::function<void(FormDialog&)> form_shown;
    // Called with the path instead of handing it to the browser.
    std::function<bool(const std::wstring&)> open_document;
  };

  BoxAnswer ShowMessage(const MessageBox& box) override;
  std::optional<std::string> AskOpenFileName(const FileDialog& dialog) override;
  std::optional<std::string> AskSaveFileName(const FileDialog& dialog) override;
  bool OpenDocument(const std::string& path) override;
  LocalTime Now() override;
  int RunForm(Presenter& presenter) override;

  Hooks& hooks() { return hooks_; }
  // Tests put the customers' folder elsewhere.
  void set_customer_folder(std::wstring folder) { customer_folder_ = std::move(folder); }

 private:
  std::optional<std::string> AskFileName(const FileDialog& dialog, bool save);
  Hooks hooks_;
  std::wstring customer_folder_ = kCustomerFolder;
};

}  // namespace qx::ui::win32
