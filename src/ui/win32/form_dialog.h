// The one generic dialog that shows any form from its template and hands every event to the
// form's presenter: the Windows face of FormView. The template becomes an in-memory dialog
// template run by DialogBoxIndirectParamW, so the dialog manager lays the form out in the
// template's dialog units and font and routes the keys as it does for any dialog.
//
// The rules of events and texts live in the form driver (ui/forms/form_driver.h); this file
// turns the dialog manager's messages into the driver's events: BN_CLICKED (a click, Enter,
// Esc), the close box and Alt+F4, EN_KILLFOCUS with where the focus went, EN_CHANGE, and a
// list's column click, double click and Enter (kept from the default button). A row's hover
// text (SetListRowTips) shows over every cell of the row, from the list's own tooltip.
// Enter leaves the focus where it was and a mouse click moves it to the button first (the
// field it leaves reports OnFocusLost before the command), so FocusedControl() tells Enter in
// a field from a click.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "ui/forms/form.h"
#include "ui/forms/form_driver.h"
#include "ui/win32/windows_api.h"

namespace qx::ui::win32 {

// Balloon help: wraps at about 400 pixels and stays up 30 seconds.
inline constexpr int kHelpMaxWidthPixels = 400;
inline constexpr int kHelpDurationMs = 30000;

class FormDialog {
 public:
  explicit FormDialog(Presenter& presenter);
  ~FormDialog();
  FormDialog(const FormDialog&) = delete;
  FormDialog& operator=(const FormDialog&) = delete;

  // Opens the form (OnOpen), centres it on the screen, shows it in front and runs it modally
  // until the presenter closes it; gives the result the presenter closed it with.
  // on_shown, when given, is called once the form is on the screen, before its events run.
  int Run(const std::function<void(FormDialog&)>& on_shown = {});

  const FormTemplate& form() const { return form_; }
  Presenter& presenter() { return presenter_; }
  FormView& view() { return driver_; }
  HWND window() const { return hwnd_; }
  // The control with this id (nullptr when the form has none).
  HWND Control(int id) const;
  // The balloon help window of the form.
  HWND help() const { return tooltip_; }
  bool closed() const { return driver_.closed(); }
  int result() const { return driver_.result(); }
  void CloseWith(int result) { driver_.Close(result); }
  // The id of the control with the keyboard focus (-1: none of the form's).
  int FocusedId() const;

 private:
  struct Edit {
    int id = 0;
    bool digits_only = false;
  };

  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR subclass_id, DWORD_PTR data);
  INT_PTR Handle(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleEdit(HWND edit, const Edit& info, UINT message, WPARAM wparam, LPARAM lparam);
  BOOL Init();
  void AddEditLabel(const ControlTemplate& c, HWND edit);
  void AddHelp(HWND control, const std::string& help);
  void CenterOnScreen();
  void Shown();
  void OnCommandMessage(int id, int code, HWND from);
  void OnNotify(const NMHDR& header);

  class Native;
  friend class Native;

  Presenter& presenter_;
  const FormTemplate& form_;
  std::unique_ptr<Native> native_;
  FormDriver driver_;
  std::function<void(FormDialog&)> on_shown_;
  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;
  std::map<int, HWND> controls_;
  std::map<HWND, Edit> edits_;
  std::map<HWND, int> lists_;
  std::vector<HBITMAP> bitmaps_;
  HWND focus_going_to_ = nullptr;  // where the focus went when an edit last lost it
  bool focus_set_ = false;         // the presenter placed the focus while opening
};

}  // namespace qx::ui::win32
