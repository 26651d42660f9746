// The one generic dialog that shows any form from its template and hands every event to the
// form's presenter: the Windows face of FormView. The template becomes an in-memory dialog
// template run by DialogBoxIndirectParamW, so the dialog manager lays the form out in the
// template's dialog units and font and routes the keys as it does for any dialog.
//
// Events reach the presenter as they do in the Qt front end:
// - a push button's click, OnCommand(id); a check box's click (mouse or space) only when its
//   template says notify, as OnCommand(id) after the box has changed;
// - Enter: the focused push button's id, otherwise the default push button's id (nothing when
//   it is disabled), otherwise kIdOk; Esc: kIdCancel;
// - the close box (and Alt+F4): OnCloseCommand;
// - an edit losing the focus to another control of the form (or to a SetFocus of the
//   presenter), from EN_KILLFOCUS: OnFocusLost(id); switching to another window (a message
//   box, another program) is not a focus change here;
// - every change of an edit's text, typed or set (EN_CHANGE): OnTextChanged(id), never
//   re-entered for the same field while the presenter handles it;
// - lists: a click on a column title, OnListHeaderClicked(id, column); a double click on a
//   row or Enter on the chosen row, OnListRowActivated(id, row). Enter in a list never
//   presses the default button. A row's hover text (SetListRowTips) shows over every cell
//   of the row, from the list's own tooltip.
// Enter leaves the focus where it was and a mouse click moves it to the button first (the
// field it leaves reports OnFocusLost before the command), so FocusedControl() tells Enter in
// a field from a click.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "ui/form.h"
#include "ui/win32/windows_api.h"

namespace qx::ui::win32 {

// Balloon help: wraps at about 400 pixels and stays up 30 seconds.
inline constexpr int kHelpMaxWidthPixels = 400;
inline constexpr int kHelpDurationMs = 30000;

class Win32FormView;

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
  FormView& view();
  HWND window() const { return hwnd_; }
  // The control with this id (nullptr when the form has none).
  HWND Control(int id) const;
  // The balloon help window of the form.
  HWND help() const { return tooltip_; }
  bool closed() const { return closed_; }
  int result() const { return result_; }

  // FormView's work, done by the dialog.
  void CloseWith(int result);
  void HideForm();
  void RestoreForm();
  void FocusControl(int id);
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
  void Command(int id);
  void TextChanged(int id);
  void FocusLost(int id);
  void OnNotify(const NMHDR& header);

  Presenter& presenter_;
  const FormTemplate& form_;
  std::unique_ptr<Win32FormView> view_;
  std::function<void(FormDialog&)> on_shown_;
  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;
  std::map<int, HWND> controls_;
  std::map<HWND, Edit> edits_;
  std::map<HWND, int> lists_;
  std::vector<HBITMAP> bitmaps_;
  std::set<int> changing_;         // edits whose OnTextChanged is running
  std::set<int> leaving_;          // edits whose OnFocusLost is running
  HWND focus_going_to_ = nullptr;  // where the focus went when an edit last lost it
  bool focus_set_ = false;         // the presenter placed the focus while opening
  bool closed_ = false;
  int result_ = 0;
};

// The FormView that presenters talk to: control ids, Windows-1252 texts.
class Win32FormView : public FormView {
 public:
  explicit Win32FormView(FormDialog& dialog) : dialog_(dialog) {}

  std::string GetText(int id, int max_chars) const override;
  void SetText(int id, std::string_view text) override;
  bool GetCheck(int id) const override;
  void SetCheck(int id, bool checked) override;
  void SetEnabled(int id, bool enabled) override;
  bool IsEnabled(int id) const override;
  void SetFocus(int id) override;
  int FocusedControl() const override;
  void SetTitle(std::string_view title) override;
  void SetListRows(int id, const std::vector<std::vector<std::string>>& rows) override;
  void SetListRowTips(int id, const std::vector<std::string>& tips) override;
  int GetListSelection(int id) const override;
  void SetListSelection(int id, int row) override;
  void Close(int result) override;
  void Hide() override;
  void Restore() override;

 private:
  FormDialog& dialog_;
};

}  // namespace qx::ui::win32
