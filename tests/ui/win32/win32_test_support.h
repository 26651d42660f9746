// What the native front end's tests share: a presenter that records what the dialog tells
// it, scripted steps run inside a form's own modal loop, and typing, pasting and reading
// through the real controls.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "../recording_presenter.h"
#include "ui/forms/form.h"
#include "ui/win32/form_dialog.h"
#include "ui/win32/windows_api.h"

namespace qx::ui::win32::testing {

using qx::ui::testing::RecordingPresenter;

// A control of a test form, placed in dialog units.
inline ControlTemplate MakeControl(int id, ControlKind kind, std::string label, int x, int y, int w,
                                   int h) {
  ControlTemplate c;
  c.id = id;
  c.kind = kind;
  c.label = std::move(label);
  c.x = x;
  c.y = y;
  c.width = w;
  c.height = h;
  return c;
}

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
