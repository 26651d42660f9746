#include "ui/win32/form_dialog.h"

#include <algorithm>
#include <optional>
#include <string>

#include "ui/forms/text_contract.h"
#include "ui/win32/artwork.h"
#include "ui/win32/dialog_template.h"
#include "ui/win32/list_control.h"
#include "ui/win32/text_win32.h"

namespace qx::ui::win32 {
namespace {

// Posted at the end of WM_INITDIALOG: the form is shown and brought to the front.
constexpr UINT kShownMessage = WM_APP + 1;
// The gap between an edit and the label placed beside it, and the form's margin.
constexpr int kLabelGapDu = 3;
constexpr int kMarginDu = 4;

void InitCommonControlsOnce() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX),
                              ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)done;
}

std::wstring WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int n = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(0, n)));
  return text;
}

std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace

// The form's windows as the driver addresses them: control ids, UTF-16 texts.
class FormDialog::Native : public NativeForm {
 public:
  explicit Native(FormDialog& dialog) : dialog_(dialog) {}

  std::u16string Text(int id) const override;
  void SetText(int id, std::u16string_view text) override;
  bool GetCheck(int id) const override;
  void SetCheck(int id, bool checked) override;
  void SetEnabled(int id, bool enabled) override;
  bool IsEnabled(int id) const override;
  void SetFocus(int id) override;
  int FocusedControl() const override { return dialog_.FocusedId(); }
  void SetTitle(std::u16string_view title) override;
  void SetListRows(int id, const std::vector<std::vector<std::string>>& rows) override {
    if (HWND list = dialog_.Control(id)) win32::SetListRows(list, rows);
  }
  void SetListRowTips(int id, const std::vector<std::string>& tips) override {
    if (HWND list = dialog_.Control(id)) win32::SetListRowTips(list, tips);
  }
  int GetListSelection(int id) const override {
    HWND list = dialog_.Control(id);
    return list ? ListSelection(list) : -1;
  }
  void SetListSelection(int id, int row) override {
    if (HWND list = dialog_.Control(id)) SelectListRow(list, row);
  }
  void EndModal(int result) override {
    if (dialog_.hwnd_) EndDialog(dialog_.hwnd_, result);
  }
  void Hide() override;
  void Restore() override;

 private:
  bool IsEdit(int id) const {
    const ControlTemplate* c = dialog_.form_.Find(id);
    return c && c->kind == ControlKind::kEdit;
  }

  FormDialog& dialog_;
};

FormDialog::FormDialog(Presenter& presenter)
    : presenter_(presenter),
      form_(presenter.Template()),
      native_(std::make_unique<Native>(*this)),
      driver_(presenter, *native_) {
  InitCommonControlsOnce();
}

FormDialog::~FormDialog() {
  for (HBITMAP bitmap : bitmaps_) DeleteObject(bitmap);
}

HWND FormDialog::Control(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

int FormDialog::Run(const std::function<void(FormDialog&)>& on_shown) {
  on_shown_ = on_shown;
  const DialogLayout layout = LayOut(form_);
  const std::vector<std::uint16_t> words = BuildDialogTemplate(form_, layout);
  const INT_PTR ended = DialogBoxIndirectParamW(
      GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), nullptr,
      DialogProc, reinterpret_cast<LPARAM>(this));
  hwnd_ = nullptr;
  tooltip_ = nullptr;
  controls_.clear();
  edits_.clear();
  lists_.clear();
  driver_.Ended(ended == -1 ? driver_.result() : static_cast<int>(ended));
  return driver_.result();
}

INT_PTR CALLBACK FormDialog::DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<FormDialog*>(lparam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
    self->hwnd_ = hwnd;
    return self->Init();
  }
  auto* self = reinterpret_cast<FormDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;
  return self->Handle(message, wparam, lparam);
}

BOOL FormDialog::Init() {
  // The controls by id; the first control with an id wins, as GetDlgItem would find it.
  for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    if (id != kStaticControlId && !controls_.count(id)) controls_[id] = child;
  }

  const int big = GetSystemMetrics(SM_CXICON);
  const int small = GetSystemMetrics(SM_CXSMICON);
  if (HICON icon = LoadFormIcon(form_.icon_id, big))
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  if (HICON icon = LoadFormIcon(form_.icon_id, small))
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_BALLOON | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (tooltip_) {
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, kHelpMaxWidthPixels);
    SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, kHelpDurationMs);
  }

  // The controls in the dialog's order, which is the template's apart from the group boxes.
  const DialogLayout layout = LayOut(form_);
  std::vector<HWND> children;
  for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  for (std::size_t i = 0; i < layout.controls.size() && i < children.size(); ++i) {
    HWND child = children[i];
    const ControlTemplate& c = *layout.controls[i].control;
    if (c.kind == ControlKind::kEdit) {
      if (c.max_length > 0)
        SendMessageW(child, EM_SETLIMITTEXT, static_cast<WPARAM>(c.max_length), 0);
      edits_[child] = Edit{c.id, c.digits_only};
      SetWindowSubclass(child, EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
      if (c.buddy < 0 && !c.label.empty()) AddEditLabel(c, child);
    } else if (c.kind == ControlKind::kList) {
      SetUpList(child, hwnd_, c);
      lists_[child] = c.id;
    } else if (c.kind == ControlKind::kPicture) {
      RECT r{};
      GetClientRect(child, &r);
      if (HBITMAP logo = MakeLogoBitmap(r.right - r.left, r.bottom - r.top)) {
        bitmaps_.push_back(logo);
        SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo));
      }
    }
    if (!c.help.empty()) AddHelp(child, c.help);
  }

  driver_.Open();
  if (driver_.closed()) return FALSE;
  CenterOnScreen();
  PostMessageW(hwnd_, kShownMessage, 0, 0);
  // TRUE lets the dialog manager focus the first control when the presenter chose none.
  return focus_set_ ? FALSE : TRUE;
}

// An edit whose template names no label gets one made here, beside it when there is room and
// otherwise just above it.
void FormDialog::AddEditLabel(const ControlTemplate& c, HWND edit) {
  const std::wstring text = FromCp1252(c.label);
  HWND label =
      CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0,
                      0, 0, 0, hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!label) return;
  const auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SIZE size{};
  HDC dc = GetDC(label);
  HGDIOBJ old = SelectObject(dc, font);
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  RECT e{};
  GetWindowRect(edit, &e);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&e), 2);
  RECT units{kMarginDu, 0, kLabelGapDu, 0};
  MapDialogRect(hwnd_, &units);
  const int right = e.left - units.right;
  if (right - units.left >= size.cx)
    MoveWindow(label, right - size.cx, e.top + (e.bottom - e.top - size.cy) / 2, size.cx, size.cy,
               FALSE);
  else
    MoveWindow(label, e.left, std::max(0L, e.top - size.cy - 2), size.cx, size.cy, FALSE);
}

void FormDialog::AddHelp(HWND control, const std::string& help) {
  if (!tooltip_) return;
  std::wstring text = LabelText(help);
  TOOLINFOW tool{};
  // The size that every version of the common controls takes.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void FormDialog::CenterOnScreen() {
  RECT window{};
  GetWindowRect(hwnd_, &window);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor)) return;
  const RECT& area = monitor.rcMonitor;
  const int w = window.right - window.left;
  const int h = window.bottom - window.top;
  SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - w) / 2,
               area.top + (area.bottom - area.top - h) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormDialog::Shown() {
  if (driver_.closed()) return;
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd_);
  BringWindowToTop(hwnd_);
  if (on_shown_) {
    // A copy: the hook may replace itself while it runs.
    const std::function<void(FormDialog&)> shown = on_shown_;
    shown(*this);
  }
}

INT_PTR FormDialog::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kShownMessage:
      Shown();
      return TRUE;
    case WM_COMMAND:
      OnCommandMessage(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      return TRUE;
    case WM_NOTIFY:
      if (lparam) OnNotify(*reinterpret_cast<const NMHDR*>(lparam));
      return FALSE;
    case WM_CLOSE:
      // The presenter decides; it closes the form through the view when it wants to.
      driver_.CloseRequested();
      return TRUE;
    case WM_DESTROY:
      if (tooltip_) DestroyWindow(tooltip_);
      tooltip_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

void FormDialog::OnCommandMessage(int id, int code, HWND from) {
  auto edit = edits_.find(from);
  if (edit != edits_.end()) {
    if (code == EN_CHANGE) {
      driver_.TextChanged(edit->second.id);
    } else if (code == EN_KILLFOCUS) {
      HWND to = focus_going_to_;
      focus_going_to_ = nullptr;
      driver_.FocusLeft(edit->second.id, to && (to == hwnd_ || IsChild(hwnd_, to)));
    }
    return;
  }
  if (code == BN_CLICKED) driver_.Pressed(id);
}

void FormDialog::OnNotify(const NMHDR& header) {
  auto list = lists_.find(header.hwndFrom);
  if (list == lists_.end()) return;
  if (AnswerListCell(header)) return;
  const std::optional<ListEvent> event = DecodeListNotify(header);
  if (!event) return;
  if (event->kind == ListEvent::kHeaderClicked)
    driver_.ListHeaderClicked(list->second, event->index);
  else
    driver_.ListRowActivated(list->second, event->index);
}

LRESULT CALLBACK FormDialog::EditProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR subclass_id, DWORD_PTR data) {
  auto* self = reinterpret_cast<FormDialog*>(data);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, EditProc, subclass_id);
    return DefSubclassProc(hwnd, message, wparam, lparam);
  }
  auto it = self->edits_.find(hwnd);
  if (it == self->edits_.end()) return DefSubclassProc(hwnd, message, wparam, lparam);
  return self->HandleEdit(hwnd, it->second, message, wparam, lparam);
}

// Only what is newly typed or pasted is checked, never the whole text: a stored character
// that could not be typed stays visible, editable and deletable.
LRESULT FormDialog::HandleEdit(HWND edit, const Edit& info, UINT message, WPARAM wparam,
                               LPARAM lparam) {
  switch (message) {
    case WM_CHAR:
      if (!AcceptsTyped(static_cast<char16_t>(wparam), info.digits_only)) return 0;
      break;
    case WM_PASTE:
      if (!AcceptsInserted(AsUtf16(ClipboardText(edit)), info.digits_only)) return 0;
      break;
    case WM_KILLFOCUS:
      focus_going_to_ = reinterpret_cast<HWND>(wparam);
      break;
    default:
      break;
  }
  return DefSubclassProc(edit, message, wparam, lparam);
}

int FormDialog::FocusedId() const {
  if (!hwnd_) return -1;
  // The focus may sit in a part of a control (a list's header): the control is the
  // form's child that holds it.
  for (HWND w = GetFocus(); w && w != hwnd_; w = GetParent(w)) {
    if (GetParent(w) != hwnd_) continue;
    for (const auto& [id, control] : controls_)
      if (control == w) return id;
    return -1;
  }
  return -1;
}

// --- FormDialog::Native ---

std::u16string FormDialog::Native::Text(int id) const {
  HWND control = dialog_.Control(id);
  if (!control) return {};
  const std::wstring text = WindowText(control);
  return std::u16string(AsUtf16(IsEdit(id) ? text : WithoutCr(text)));
}

void FormDialog::Native::SetText(int id, std::u16string_view text) {
  HWND control = dialog_.Control(id);
  if (!control) return;
  if (IsEdit(id)) {
    SetWindowTextW(control, AsWide(text).c_str());
    SendMessageW(control, EM_SETSEL, 0, 0);
  } else {
    SetWindowTextW(control, WithCrLf(AsWide(text)).c_str());
  }
}

bool FormDialog::Native::GetCheck(int id) const {
  HWND control = dialog_.Control(id);
  return control && SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void FormDialog::Native::SetCheck(int id, bool checked) {
  if (HWND control = dialog_.Control(id))
    SendMessageW(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void FormDialog::Native::SetEnabled(int id, bool enabled) {
  HWND control = dialog_.Control(id);
  if (!control) return;
  // A control that goes grey while it has the focus hands it on, so the keys keep working.
  if (!enabled && GetFocus() == control && dialog_.hwnd_)
    SendMessageW(dialog_.hwnd_, WM_NEXTDLGCTL, 0, FALSE);
  EnableWindow(control, enabled ? TRUE : FALSE);
}

bool FormDialog::Native::IsEnabled(int id) const {
  HWND control = dialog_.Control(id);
  return control && IsWindowEnabled(control);
}

void FormDialog::Native::SetFocus(int id) {
  HWND control = dialog_.Control(id);
  if (!control || !dialog_.hwnd_) return;
  dialog_.focus_set_ = true;
  SendMessageW(dialog_.hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

void FormDialog::Native::SetTitle(std::u16string_view title) {
  if (dialog_.hwnd_) SetWindowTextW(dialog_.hwnd_, AsWide(title).c_str());
}

void FormDialog::Native::Hide() {
  if (dialog_.hwnd_) ShowWindow(dialog_.hwnd_, SW_HIDE);
}

void FormDialog::Native::Restore() {
  if (!dialog_.hwnd_) return;
  ShowWindow(dialog_.hwnd_, SW_SHOW);
  SetForegroundWindow(dialog_.hwnd_);
  BringWindowToTop(dialog_.hwnd_);
}

}  // namespace qx::ui::win32
