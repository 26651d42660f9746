// Everything an open form does between its presenter and a toolkit, written once for both
// front ends: the closed state and result, the routing of buttons, Enter, Esc and the close
// command, the focus-lost and text-changed events with their re-entry guards, and the text
// contract (Windows-1252 bytes for the presenter, cut to the length it asks for).
//
// A front end creates the native controls from the template and implements NativeForm over
// them; it hands every native event to the driver and gives the driver to the presenter as
// its FormView.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ui/forms/form.h"

namespace qx::ui {

// One open form as a toolkit holds it, addressed by the template's control ids. Texts are
// the toolkit's UTF-16; a label's "\n" breaks its line. Calls with an id the form does not
// have never reach it.
class NativeForm {
 public:
  virtual ~NativeForm() = default;
  virtual std::u16string Text(int id) const = 0;
  // Edits show a stored text whole, whatever they would take as typed, with the caret at
  // its start.
  virtual void SetText(int id, std::u16string_view text) = 0;
  virtual bool GetCheck(int id) const = 0;
  virtual void SetCheck(int id, bool checked) = 0;
  virtual void SetEnabled(int id, bool enabled) = 0;
  virtual bool IsEnabled(int id) const = 0;
  virtual void SetFocus(int id) = 0;
  // The control with the keyboard focus (-1: none of the form's addressed controls).
  virtual int FocusedControl() const = 0;
  virtual void SetTitle(std::u16string_view title) = 0;
  // Lists (only ids of list controls reach these); rows and tips are Windows-1252.
  virtual void SetListRows(int id, const std::vector<std::vector<std::string>>& rows) = 0;
  virtual void SetListRowTips(int id, const std::vector<std::string>& tips) = 0;
  virtual int GetListSelection(int id) const = 0;
  virtual void SetListSelection(int id, int row) = 0;
  // Ends the modal run; the driver has recorded the result.
  virtual void EndModal(int result) = 0;
  virtual void Hide() = 0;
  virtual void Restore() = 0;
};

class FormDriver final : public FormView {
 public:
  FormDriver(Presenter& presenter, NativeForm& native);

  const FormTemplate& form() const { return form_; }
  Presenter& presenter() { return presenter_; }
  bool closed() const { return closed_; }
  int result() const { return result_; }

  // What the toolkit tells. Nothing reaches the presenter once the form is closed.
  void Open();
  // A control's command: a push button clicked (only while enabled: the dialog manager
  // also sends the default button's id for Enter), a check box clicked (only when its
  // template says notify), kIdCancel from anywhere (Esc), kIdOk from a form without
  // such a control (Enter on a form without a default button).
  void Pressed(int id);
  // Enter where the toolkit leaves its routing to us: the focused push button, otherwise the
  // default push button (nothing when it is disabled), otherwise kIdOk.
  void Enter();
  void Escape() { Pressed(kIdCancel); }
  // The window's close command; the presenter decides.
  void CloseRequested();
  // An edit lost the focus. Only a move within the form counts: a message box or another
  // program taking the focus does not.
  void FocusLeft(int id, bool to_this_form);
  void TextChanged(int id);
  void ListHeaderClicked(int id, int column);
  void ListRowActivated(int id, int row);
  // The modal run ended without Close (the toolkit ended it): closed with that result.
  void Ended(int result);

  // FormView, for the presenter.
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
  void Command(int id);
  bool Has(int id) const { return id >= 0 && form_.Find(id) != nullptr; }
  bool IsList(int id) const;

  Presenter& presenter_;
  const FormTemplate& form_;
  NativeForm& native_;
  std::set<int> changing_;  // edits whose OnTextChanged is running
  std::set<int> leaving_;   // edits whose OnFocusLost is running
  bool closed_ = false;
  int result_ = 0;
};

bool IsPushButton(ControlKind kind);

}  // namespace qx::ui
