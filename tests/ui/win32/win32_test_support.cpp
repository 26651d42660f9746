#include "win32_test_support.h"

#include <map>

namespace qx::ui::win32::testing {
namespace {

constexpr UINT_PTR kStepTimer = 0x5157;
constexpr UINT kStepMs = 25;

struct Script {
  FormDialog* dialog = nullptr;
  std::vector<Step> steps;
  std::size_t next = 0;
};

// The scripts of the forms open now, by window (forms run nested).
std::map<HWND, Script>& Scripts() {
  static std::map<HWND, Script> scripts;
  return scripts;
}

void CALLBACK OnStepTimer(HWND hwnd, UINT, UINT_PTR, DWORD) {
  auto it = Scripts().find(hwnd);
  if (it == Scripts().end()) {
    KillTimer(hwnd, kStepTimer);
    return;
  }
  Script& script = it->second;
  FormDialog& dialog = *script.dialog;
  if (dialog.closed()) {
    KillTimer(hwnd, kStepTimer);
    Scripts().erase(it);
    return;
  }
  if (script.next >= script.steps.size()) {
    KillTimer(hwnd, kStepTimer);
    Scripts().erase(it);
    dialog.CloseWith(kStepsRanOut);
    return;
  }
  // The step may run a nested form whose own timer fires meanwhile; this one waits.
  KillTimer(hwnd, kStepTimer);
  Step step = script.steps[script.next++];
  step(dialog);
  if (!dialog.closed() && IsWindow(hwnd))
    SetTimer(hwnd, kStepTimer, kStepMs, OnStepTimer);
  else
    Scripts().erase(hwnd);
}

}  // namespace

void RunSteps(FormDialog& dialog, std::vector<Step> steps) {
  HWND hwnd = dialog.window();
  Scripts()[hwnd] = Script{&dialog, std::move(steps), 0};
  SetTimer(hwnd, kStepTimer, kStepMs, OnStepTimer);
}

int RunForm(Presenter& presenter, std::vector<Step> steps) {
  FormDialog dialog(presenter);
  return dialog.Run([&steps](FormDialog& d) { RunSteps(d, std::move(steps)); });
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

std::wstring TextOf(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
  return text;
}

void TypeInto(HWND edit, std::wstring_view text) {
  SendMessageW(edit, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
  for (wchar_t ch : text) SendMessageW(edit, WM_CHAR, ch, 1);
}

void PasteInto(HWND edit, std::wstring_view text) {
  if (!OpenClipboard(edit)) return;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    auto* chars = static_cast<wchar_t*>(GlobalLock(memory));
    text.copy(chars, text.size());
    chars[text.size()] = L'\0';
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
  }
  CloseClipboard();
  SendMessageW(edit, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
  SendMessageW(edit, WM_PASTE, 0, 0);
}

void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

void PostMouseClick(HWND to, POINT at) {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  PostMessageW(to, WM_LBUTTONDOWN, MK_LBUTTON, where);
  PostMessageW(to, WM_LBUTTONUP, 0, where);
}

void PostDoubleClick(HWND to, POINT at) {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  PostMessageW(to, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
  PostMessageW(to, WM_LBUTTONUP, 0, where);
}

void PostKey(HWND to, WPARAM key) {
  PostMessageW(to, WM_KEYDOWN, key, 1);
  PostMessageW(to, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

}  // namespace qx::ui::win32::testing
