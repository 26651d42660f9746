// Test doubles for the user-interface ports: a form view that behaves like the real controls
// (length limits and digits-only input when "typed"), and a desktop whose dialogs and
// questions answer from a script and record what was shown.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/forms/desktop.h"
#include "ui/forms/form.h"

namespace qx::ui::testing {

class FakeFormView : public FormView {
 public:
  explicit FakeFormView(const FormTemplate& form) : form_(form) {
    for (const ControlTemplate& c : form.controls) {
      if (c.id >= 0) enabled[c.id] = true;
    }
  }

  // Types into a field as the user would, which puts the focus there: characters that a
  // digits-only field refuses are dropped and the field's input limit cuts the rest.
  void Type(int id, std::string_view text) {
    focus = id;
    const ControlTemplate* c = form_.Find(id);
    std::string accepted;
    for (char ch : text) {
      if (c && c->digits_only && (ch < '0' || ch > '9')) continue;
      accepted += ch;
    }
    if (c && c->max_length > 0 && accepted.size() > static_cast<std::size_t>(c->max_length))
      accepted.resize(static_cast<std::size_t>(c->max_length));
    texts[id] = accepted;
  }
  // A mouse click: the button takes the focus, then its command arrives.
  void Click(Presenter& presenter, int id) {
    focus = id;
    presenter.OnCommand(*this, id);
  }
  // Enter: the default button's command, with the focus left where it is.
  void PressEnter(Presenter& presenter) { presenter.OnCommand(*this, kIdOk); }
  // Types into a field and moves the focus away from it.
  void TypeAndLeave(Presenter& presenter, int id, std::string_view text) {
    Type(id, text);
    focus = -1;
    presenter.OnFocusLost(*this, id);
  }

  std::string GetText(int id, int max_chars) const override {
    auto it = texts.find(id);
    if (it == texts.end()) return {};
    return it->second.substr(0, static_cast<std::size_t>(max_chars < 0 ? 0 : max_chars));
  }
  void SetText(int id, std::string_view text) override { texts[id] = std::string(text); }
  bool GetCheck(int id) const override {
    auto it = checks.find(id);
    return it != checks.end() && it->second;
  }
  void SetCheck(int id, bool checked) override { checks[id] = checked; }
  void SetEnabled(int id, bool on) override { enabled[id] = on; }
  bool IsEnabled(int id) const override {
    auto it = enabled.find(id);
    return it == enabled.end() || it->second;
  }
  void SetListRows(int id, const std::vector<std::vector<std::string>>& rows) override {
    list_rows[id] = rows;
    list_tips.erase(id);
    list_selection[id] = -1;
  }
  void SetListRowTips(int id, const std::vector<std::string>& tips) override {
    list_tips[id] = tips;
  }
  int GetListSelection(int id) const override {
    auto it = list_selection.find(id);
    return it == list_selection.end() ? -1 : it->second;
  }
  void SetListSelection(int id, int row) override {
    const auto count = static_cast<int>(list_rows[id].size());
    list_selection[id] = row >= 0 && row < count ? row : -1;
  }
  // What the user does to a list: choosing a row and activating it, clicking a title.
  void ActivateRow(Presenter& presenter, int id, int row) {
    SetListSelection(id, row);
    presenter.OnListRowActivated(*this, id, row);
  }
  void ClickColumnTitle(Presenter& presenter, int id, int column) {
    presenter.OnListHeaderClicked(*this, id, column);
  }
  void SetFocus(int id) override { focus = id; }
  int FocusedControl() const override { return focus; }
  void SetTitle(std::string_view t) override { title = std::string(t); }
  void Close(int result) override { closed = result; }
  void Hide() override {
    hidden = true;
    ++hide_count;
  }
  void Restore() override {
    hidden = false;
    ++restore_count;
  }

  const FormTemplate& form() const { return form_; }

  std::map<int, std::string> texts;
  std::map<int, bool> checks;
  std::map<int, std::vector<std::vector<std::string>>> list_rows;
  std::map<int, std::vector<std::string>> list_tips;
  std::map<int, int> list_selection;
  std::map<int, bool> enabled;
  int focus = -1;
  std::string title;
  std::optional<int> closed;
  bool hidden = false;
  int hide_count = 0;
  int restore_count = 0;

 private:
  const FormTemplate& form_;
};

class ScriptedDesktop : public Desktop {
 public:
  // What a form run by RunForm does: gets the presenter and its open view (OnOpen already
  // called); the form's result is the view's Close result, or 0 if it never closed.
  using FormScript = std::function<void(Presenter&, FakeFormView&)>;

  BoxAnswer ShowMessage(const MessageBox& box) override {
    messages.push_back(box);
    if (box.buttons == BoxButtons::kOk) return BoxAnswer::kOk;
    if (answers.empty()) return box.default_answer;
    BoxAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::optional<std::string> AskOpenFileName(const FileDialog& dialog) override {
    open_dialogs.push_back(dialog);
    return Next(open_names);
  }
  std::optional<std::string> AskSaveFileName(const FileDialog& dialog) override {
    save_dialogs.push_back(dialog);
    return Next(save_names);
  }
  bool OpenDocument(const std::string& path) override {
    opened_documents.push_back(path);
    return documents_open;
  }
  LocalTime Now() override { return now; }
  int RunForm(Presenter& presenter) override {
    forms_run.push_back(presenter.Template().name);
    FakeFormView view(presenter.Template());
    presenter.OnOpen(view);
    auto it = form_scripts.find(presenter.Template().name);
    if (it != form_scripts.end()) it->second(presenter, view);
    return view.closed.value_or(0);
  }

  // Scripted answers, used in order.
  std::deque<BoxAnswer> answers;  // for Yes/No questions; when empty the default answer
  std::deque<std::optional<std::string>> open_names;  // nullopt: cancelled
  std::deque<std::optional<std::string>> save_names;
  std::map<std::string, FormScript> form_scripts;
  LocalTime now{2026, 12, 6, 14, 5, 9};
  bool documents_open = true;  // false: no program takes a document

  // What happened.
  std::vector<MessageBox> messages;
  std::vector<FileDialog> open_dialogs;
  std::vector<FileDialog> save_dialogs;
  std::vector<std::string> opened_documents;
  std::vector<std::string> forms_run;

  // The texts of the error boxes shown ("ERRO", error icon, one OK button), in order.
  std::vector<std::string> Errors() const {
    std::vector<std::string> texts;
    for (const MessageBox& b : messages) {
      if (b.title == "ERRO" && b.icon == BoxIcon::kError && b.buttons == BoxButtons::kOk)
        texts.push_back(b.text);
    }
    return texts;
  }
  // The texts of the Sim/Não questions asked, in order.
  std::vector<std::string> Questions() const {
    std::vector<std::string> texts;
    for (const MessageBox& b : messages) {
      if (b.buttons == BoxButtons::kYesNo) texts.push_back(b.text);
    }
    return texts;
  }

 private:
  static std::optional<std::string> Next(std::deque<std::optional<std::string>>& q) {
    if (q.empty()) return std::nullopt;
    auto v = q.front();
    q.pop_front();
    return v;
  }
};

}  // namespace qx::ui::testing
