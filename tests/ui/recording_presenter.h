// A presenter for the adapters' tests (Qt and Win32): it records every event a real dialog
// sends it and lets a test react to them.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/forms/form.h"

namespace qx::ui::testing {

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

}  // namespace qx::ui::testing
