#include "ui/win32/win32_desktop.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "ui/win32/form_dialog.h"
#include "ui/win32/text_win32.h"

namespace qx::ui::win32 {
namespace {

// Room for the chosen path: far more than the 260 characters that the save accepts.
constexpr std::size_t kPathBuffer = 4096;

UINT IconFlag(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::kError:
      return MB_ICONERROR;
    case BoxIcon::kWarning:
      return MB_ICONWARNING;
    case BoxIcon::kInformation:
      return MB_ICONINFORMATION;
    case BoxIcon::kQuestion:
      return MB_ICONQUESTION;
    case BoxIcon::kNone:
      break;
  }
  return 0;
}

// The buttons' words are Portuguese whatever the language of Windows; the letter after '&'
// answers from the keyboard, as the system's own words do.
void PutPortugueseButtonTexts(HWND box) {
  static constexpr struct {
    int id;
    const wchar_t* text;
  } kButtons[] = {{IDYES, L"&Sim"}, {IDNO, L"&N\u00e3o"}, {IDOK, L"OK"}};
  for (const auto& b : kButtons)
    if (HWND button = GetDlgItem(box, b.id)) SetWindowTextW(button, b.text);
}

// The box being shown on this thread: found by a CBT hook as it is activated, so that it
// can be kept on top with its default button, and a question kept from being answered by
// Esc or its close box (IDCANCEL), whatever the system's own box does with them.
struct ShownBox {
  HHOOK hook = nullptr;
  HWND window = nullptr;
  bool set_up = false;
  bool must_answer = false;
  int default_id = IDOK;
};
thread_local ShownBox* shown_box = nullptr;

LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                         DWORD_PTR data) {
  const bool must_answer = data != 0;
  if (must_answer) {
    if (message == WM_COMMAND && LOWORD(wparam) == IDCANCEL) return 0;
    if (message == WM_CLOSE) return 0;
    if (message == WM_SYSCOMMAND && (wparam & 0xFFF0) == SC_CLOSE) return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, BoxProc, id);
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK BoxHook(int code, WPARAM wparam, LPARAM lparam) {
  ShownBox* box = shown_box;
  auto* hwnd = reinterpret_cast<HWND>(wparam);
  // The box is the first dialog window created during the call (the forms are dialog
  // windows too, and one of them may be activated first).
  if (code == HCBT_CREATEWND && box && !box->window) {
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    if (std::wstring_view(name) == L"#32770") box->window = hwnd;
  } else if (code == HCBT_ACTIVATE && box && box->window == hwnd && !box->set_up) {
    box->set_up = true;
    PutPortugueseButtonTexts(hwnd);
    SetWindowSubclass(hwnd, BoxProc, 1, box->must_answer ? 1 : 0);
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SendMessageW(hwnd, DM_SETDEFID, static_cast<WPARAM>(box->default_id), 0);
    if (box->must_answer) EnableMenuItem(GetSystemMenu(hwnd, FALSE), SC_CLOSE, MF_GRAYED);
  }
  return CallNextHookEx(box ? box->hook : nullptr, code, wparam, lparam);
}

int RunMessageBox(const BoxRequest& request) {
  ShownBox box;
  box.must_answer = (request.flags & MB_TYPEMASK) == MB_YESNO;
  box.default_id = box.must_answer ? ((request.flags & MB_DEFBUTTON2) ? IDNO : IDYES) : IDOK;
  // The form under the box gets the keyboard back afterwards.
  HWND active = GetActiveWindow();
  ShownBox* outer = shown_box;
  shown_box = &box;
  box.hook = SetWindowsHookExW(WH_CBT, BoxHook, nullptr, GetCurrentThreadId());
  const int pressed =
      MessageBoxW(nullptr, request.text.c_str(), request.title.c_str(), request.flags);
  if (box.hook) UnhookWindowsHookEx(box.hook);
  shown_box = outer;
  if (active && IsWindow(active) && IsWindowVisible(active)) SetForegroundWindow(active);
  return pressed;
}

std::optional<std::wstring> RunFileDialog(const FileRequest& request) {
  std::vector<wchar_t> path(kPathBuffer, L'\0');
  request.file_name.copy(path.data(), std::min(request.file_name.size(), kPathBuffer - 1));
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = request.owner;
  ofn.lpstrFilter = request.filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = static_cast<DWORD>(path.size());
  ofn.lpstrInitialDir = request.directory.empty() ? nullptr : request.directory.c_str();
  ofn.lpstrTitle = request.title.c_str();
  ofn.Flags = request.flags;
  const BOOL chosen = request.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!chosen) return std::nullopt;
  return std::wstring(path.data());
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring WithBackslash(std::wstring folder) {
  if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
  return folder;
}

}  // namespace

std::wstring StartFolder(const std::wstring& requested, const std::wstring& customer_folder) {
  if (!requested.empty() && IsFolder(requested)) return requested;
  // Failures are ignored: a folder that exists already is just what is wanted.
  CreateDirectoryW(customer_folder.c_str(), nullptr);
  if (IsFolder(customer_folder)) return WithBackslash(customer_folder);
  wchar_t documents[MAX_PATH] = {};
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)))
    return WithBackslash(documents);
  return requested;
}

std::wstring MakeFilter(std::string_view name, std::string_view pattern) {
  // The pattern is shown after the name; a zero inside either would end the list early.
  std::wstring filter = FromCp1252(name) + L" (" + FromCp1252(pattern) + L")";
  std::replace(filter.begin(), filter.end(), L'\0', L' ');
  std::wstring patterns = FromCp1252(pattern);
  std::replace(patterns.begin(), patterns.end(), L'\0', L' ');
  filter.push_back(L'\0');
  filter += patterns;
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  return filter;
}

BoxRequest MakeBoxRequest(const MessageBox& box) {
  BoxRequest request;
  request.title = FromCp1252(box.title);
  request.text = LabelText(box.text);
  request.flags = MB_TASKMODAL | MB_TOPMOST | MB_SETFOREGROUND | IconFlag(box.icon);
  if (box.buttons == BoxButtons::kYesNo) {
    request.flags |= MB_YESNO;
    if (box.default_answer == BoxAnswer::kNo) request.flags |= MB_DEFBUTTON2;
  } else {
    request.flags |= MB_OK;
  }
  return request;
}

BoxAnswer ToAnswer(int pressed, const MessageBox& box) {
  if (box.buttons == BoxButtons::kOk) return BoxAnswer::kOk;
  if (pressed == IDYES) return BoxAnswer::kYes;
  if (pressed == IDNO) return BoxAnswer::kNo;
  return box.default_answer;
}

FileRequest MakeFileRequest(const FileDialog& dialog, bool save) {
  FileRequest request;
  request.save = save;
  request.title = FromCp1252(dialog.title);
  request.directory = FromUtf8(dialog.directory);
  request.file_name = FromUtf8(dialog.file_name);
  request.filter = MakeFilter(dialog.filter_name, dialog.filter_pattern);
  for (const FileDialog::Filter& more : dialog.more_filters) {
    request.filter.pop_back();  // the list ends with one more zero than each entry
    request.filter += MakeFilter(more.name, more.pattern);
  }
  request.flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  request.owner = GetActiveWindow();
  return request;
}

BoxAnswer Win32Desktop::ShowMessage(const MessageBox& box) {
  const BoxRequest request = MakeBoxRequest(box);
  const int pressed = hooks_.message_box ? hooks_.message_box(request) : RunMessageBox(request);
  return ToAnswer(pressed, box);
}

std::optional<std::string> Win32Desktop::AskFileName(const FileDialog& dialog, bool save) {
  FileRequest request = MakeFileRequest(dialog, save);
  request.directory = StartFolder(request.directory, customer_folder_);
  const std::optional<std::wstring> chosen =
      hooks_.file_dialog ? hooks_.file_dialog(request) : RunFileDialog(request);
  if (!chosen || chosen->empty()) return std::nullopt;
  return ToUtf8(*chosen);
}

std::optional<std::string> Win32Desktop::AskOpenFileName(const FileDialog& dialog) {
  return AskFileName(dialog, false);
}

std::optional<std::string> Win32Desktop::AskSaveFileName(const FileDialog& dialog) {
  return AskFileName(dialog, true);
}

bool Win32Desktop::OpenDocument(const std::string& path) {
  const std::wstring file = FromUtf8(path);
  if (hooks_.open_document) return hooks_.open_document(file);
  // Values above 32 mean that a program took the document.
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

LocalTime Win32Desktop::Now() { return ReadLocalClock(); }

int Win32Desktop::RunForm(Presenter& presenter) {
  FormDialog dialog(presenter);
  // A copy: the hook may replace itself while the form runs.
  const std::function<void(FormDialog&)> shown = hooks_.form_shown;
  return dialog.Run(shown);
}

}  // namespace qx::ui::win32
