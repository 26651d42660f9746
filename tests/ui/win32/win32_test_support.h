// What the native front end's tests share: a presenter that records what the dialog tells
// it, scripted steps run inside a form's own modal loop, and typing, pasting and reading
// through the real controls.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/win32/form_dialog.h"
#include "ui/win32/windows_api.h"

namespace qx::ui::win32::testing {

// Records every event as a short text ("command 1000", "focus-lost 1052", ...) and lets a
// test react to them.
class RecordingPresenter : public Presenter {
 public:
  explicit RecordingPresenter(FormTemplate form) : form_(std::move(form)) {}
  const FormTemplate& Template() const override { return form_; }
  void OnOpen(FormView& view) override {
    events.push_back("open");
    if (on_open) on_open(view);
  }
  void OnCommand(FormView& view, int id) override {
    events.push_back("command " + std::to_string(id));
    if (on_command) on_command(view, id);
  }
  void OnCloseCommand(FormView& view) override {
    events.push_back("close-command");
    if (on_close_command) on_close_command(view);
  }
  void OnFocusLost(FormView& view, int id) override {
    events.push_back("focus-lost " + std::to_string(id));
    if (on_focus_lost) on_focus_lost(view, id);
  }
  void OnTextChanged(FormView& view, int id) override {
    events.push_back("text-changed " + std::to_string(id));
    if (on_text_changed) on_text_changed(view, id);
  }

  void OnListHeaderClicked(FormView& view, int id, int column) override {
    events.push_back("header-clicked " + std::to_string(id) + " " + std::to_string(column));
    (void)view;
  }
  void OnListRowActivated(FormView& view, int id, int row) override {
    events.push_back("row-activated " + std::to_string(id) + " " + std::to_string(row));
    (void)view;
  }

  std::vector<std::string> events;
  std::function<void(FormView&)> on_open;
  std::function<void(FormView&, int)> on_command;
  std::function<void(FormView&)> on_close_command;
  std::function<void(FormView&, int)> on_focus_lost;
  std::function<void(FormView&, int)> on_text_changed;

 private:
  FormTemplate form_;
};

using Step = std::function<void(FormDialog&)>;

// Runs the steps one at a time on the open form, each from a timer of the form's own modal
// loop, so that the keys and messages one step posts are handled before the next step
// starts. A form still open after its last step is closed with kStepsRanOut.
inline constexpr int kStepsRanOut = -77;
void RunSteps(FormDialog& dialog, std::vector<Step> steps);

// Runs a presenter's form with steps; gives the form's result.
int RunForm(Presenter& presenter, std::vector<Step> steps);

// The window class of a control ("Button", "Edit", "Static").
std::wstring ClassOf(HWND hwnd);
std::wstring TextOf(HWND hwnd);
// Types the text as WM_CHAR messages at the end of the field.
void TypeInto(HWND edit, std::wstring_view text);
// Puts the text on the clipboard and pastes it at the end of the field.
void PasteInto(HWND edit, std::wstring_view text);
// Clicks a push button as the mouse would.
void Click(HWND button);
// Posts a left button press and release at this point of the window's client area, as the
// mouse gives them: the press moves the focus before the release makes the click.
void PostMouseClick(HWND to, POINT at);
// Posts a double click there (the second press of a double click, then its release).
void PostDoubleClick(HWND to, POINT at);
// Posts a key as the keyboard would, to the window with the focus.
void PostKey(HWND to, WPARAM key);

}  // namespace qx::ui::win32::testing
