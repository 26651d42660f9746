// What the Qt adapter's tests share: one QApplication for the whole program (offscreen), a
// presenter that records what the dialog tells it, and control lookup by id.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/qt/form_dialog.h"

namespace qx::ui::qt::testing {

// The control named "ctl<id>" of a form, of the given widget type (nullptr if none).
template <typename W>
W* Ctl(const QWidget& form, int id) {
  return form.findChild<W*>(QStringLiteral("ctl%1").arg(id));
}

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

  std::vector<std::string> events;
  std::function<void(FormView&)> on_open;
  std::function<void(FormView&, int)> on_command;
  std::function<void(FormView&)> on_close_command;
  std::function<void(FormView&, int)> on_focus_lost;
  std::function<void(FormView&, int)> on_text_changed;

 private:
  FormTemplate form_;
};

// Types the text into the widget one character at a time, as key presses carrying that
// character (QTest::keyClicks knows only ASCII).
void TypeText(QWidget* widget, const QString& text);

// Shows the dialog and waits until it is the active window, so focus and keys work.
bool ShowActive(FormDialog& dialog);

}  // namespace qx::ui::qt::testing
