// The form driver against a fake native form: every rule between a presenter and a toolkit
// (routing of buttons, Enter, Esc and close, focus-lost, text changes, closing, the text
// contract, the characters a field lets in, the stacked layout), tested once for both front
// ends. The adapters' smoke tests drive real forms through the key cases of these tables.
#include "ui/forms/form_driver.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "../recording_presenter.h"
#include "common/cp1252.h"
#include "ui/forms/stacked_layout.h"
#include "ui/forms/text_contract.h"

namespace qx::ui {
namespace {

using testing::RecordingPresenter;

constexpr int kField = 1052;
constexpr int kPrice = 1005;
constexpr int kDefault = 1000;
constexpr int kOther = 1001;
constexpr int kCheck = 1048;
constexpr int kNotifyCheck = 1049;
constexpr int kList = 1200;

// What a toolkit would hold: texts, checks, enabled states, the focus and the list.
class FakeNative : public NativeForm {
 public:
  std::u16string Text(int id) const override {
    auto it = texts.find(id);
    return it == texts.end() ? std::u16string() : it->second;
  }
  void SetText(int id, std::u16string_view text) override { texts[id] = std::u16string(text); }
  bool GetCheck(int id) const override { return checks.count(id) && checks.at(id); }
  void SetCheck(int id, bool checked) override { checks[id] = checked; }
  void SetEnabled(int id, bool enabled) override { disabled[id] = !enabled; }
  bool IsEnabled(int id) const override { return !disabled.count(id) || !disabled.at(id); }
  void SetFocus(int id) override { focused = id; }
  int FocusedControl() const override { return focused; }
  void SetTitle(std::u16string_view text) override { title = text; }
  void SetListRows(int id, const std::vector<std::vector<std::string>>& r) override {
    rows[id] = r;
  }
  void SetListRowTips(int, const std::vector<std::string>&) override {}
  int GetListSelection(int) const override { return selection; }
  void SetListSelection(int, int row) override { selection = row; }
  void EndModal(int result) override { ended.push_back(result); }
  void Hide() override { hidden = true; }
  void Restore() override { hidden = false; }

  std::map<int, std::u16string> texts;
  std::map<int, bool> checks, disabled;
  std::map<int, std::vector<std::vector<std::string>>> rows;
  std::u16string title;
  int focused = -1;
  int selection = -1;
  std::vector<int> ended;
  bool hidden = false;
};

ControlTemplate Control(int id, ControlKind kind) {
  ControlTemplate c;
  c.id = id;
  c.kind = kind;
  return c;
}

// Two fields, two check boxes (one that notifies), a list, a default and a second button.
FormTemplate SampleForm(bool with_default = true) {
  FormTemplate f;
  f.name = "Sample";
  ControlTemplate notify = Control(kNotifyCheck, ControlKind::kCheckBox);
  notify.notify = true;
  f.controls = {
      Control(kField, ControlKind::kEdit),
      Control(kPrice, ControlKind::kEdit),
      Control(kCheck, ControlKind::kCheckBox),
      notify,
      Control(kList, ControlKind::kList),
      Control(-1, ControlKind::kStaticText),
      Control(kDefault, with_default ? ControlKind::kDefaultPushButton : ControlKind::kPushButton),
      Control(kOther, ControlKind::kPushButton)};
  return f;
}

// The one fixture: a presenter, a fake toolkit and the driver between them, opened.
struct Rig {
  explicit Rig(FormTemplate form = SampleForm()) : presenter(std::move(form)) { driver.Open(); }
  std::vector<std::string> EventsAfterOpen() const {
    return {presenter.events.begin() + 1, presenter.events.end()};
  }
  RecordingPresenter presenter;
  FakeNative native;
  FormDriver driver{presenter, native};
};

using Action = std::function<void(Rig&)>;

struct RoutingCase {
  const char* name;
  Action act;
  std::vector<std::string> events;
  bool with_default = true;
};

const RoutingCase kRouting[] = {
    {"a push button's click is its command",
     [](Rig& r) { r.driver.Pressed(kOther); },
     {"command 1001"}},
    {"a disabled push button says nothing (Enter with a grey default)",
     [](Rig& r) {
       r.native.SetEnabled(kDefault, false);
       r.driver.Pressed(kDefault);
     },
     {}},
    {"a check box speaks only when it notifies",
     [](Rig& r) {
       r.driver.Pressed(kCheck);
       r.driver.Pressed(kNotifyCheck);
     },
     {"command 1049"}},
    {"an edit, a list or an unknown id is no command",
     [](Rig& r) {
       r.driver.Pressed(kField);
       r.driver.Pressed(kList);
       r.driver.Pressed(4242);
     },
     {}},
    {"OK from a form without such a control",
     [](Rig& r) { r.driver.Pressed(kIdOk); },
     {"command 1"}},
    {"Esc is cancel", [](Rig& r) { r.driver.Escape(); }, {"command 2"}},
    {"Enter in a field presses the default button",
     [](Rig& r) {
       r.native.focused = kField;
       r.driver.Enter();
     },
     {"command 1000"}},
    {"Enter on a push button presses that button",
     [](Rig& r) {
       r.native.focused = kOther;
       r.driver.Enter();
     },
     {"command 1001"}},
    {"Enter with the default button disabled does nothing",
     [](Rig& r) {
       r.native.focused = kField;
       r.native.SetEnabled(kDefault, false);
       r.driver.Enter();
     },
     {}},
    {"Enter without a default button is OK",
     [](Rig& r) {
       r.native.focused = kField;
       r.driver.Enter();
     },
     {"command 1"},
     false},
    {"the close command is the presenter's",
     [](Rig& r) { r.driver.CloseRequested(); },
     {"close-command"}},
    {"leaving a field within the form is focus-lost, to another window is not",
     [](Rig& r) {
       r.driver.FocusLeft(kField, true);
       r.driver.FocusLeft(kPrice, false);
     },
     {"focus-lost 1052"}},
    {"a focus-lost that moves the focus again is not re-entered",
     [](Rig& r) {
       r.presenter.on_focus_lost = [&r](FormView&, int id) { r.driver.FocusLeft(id, true); };
       r.driver.FocusLeft(kField, true);
     },
     {"focus-lost 1052"}},
    {"a text change rewritten by the presenter is told once",
     [](Rig& r) {
       r.presenter.on_text_changed = [&r](FormView&, int id) { r.driver.TextChanged(id); };
       r.driver.TextChanged(kField);
       r.driver.TextChanged(kField);
     },
     {"text-changed 1052", "text-changed 1052"}},
    {"list titles and rows reach the presenter; no row, no activation",
     [](Rig& r) {
       r.driver.ListHeaderClicked(kList, 2);
       r.driver.ListRowActivated(kList, 4);
       r.driver.ListRowActivated(kList, -1);
     },
     {"header-clicked 1200 2", "row-activated 1200 4"}},
    {"nothing reaches the presenter once the form is closed",
     [](Rig& r) {
       r.driver.Close(7);
       r.driver.Pressed(kOther);
       r.driver.Enter();
       r.driver.Escape();
       r.driver.CloseRequested();
       r.driver.FocusLeft(kField, true);
       r.driver.TextChanged(kField);
       r.driver.ListRowActivated(kList, 0);
     },
     {}},
};

TEST(FormDriver, RoutesEveryNativeEventAsTheDialogManagerDoes) {
  for (const RoutingCase& c : kRouting) {
    SCOPED_TRACE(c.name);
    Rig rig(SampleForm(c.with_default));
    c.act(rig);
    EXPECT_EQ(rig.EventsAfterOpen(), c.events);
  }
}

TEST(FormDriver, ClosingRecordsTheFirstResultAndEndsTheRunOnce) {
  Rig rig;
  rig.driver.Close(7);
  rig.driver.Close(8);
  rig.driver.Ended(9);
  EXPECT_TRUE(rig.driver.closed());
  EXPECT_EQ(rig.driver.result(), 7);
  EXPECT_EQ(rig.native.ended, std::vector<int>{7});
  // A closed form is hidden but never shown again.
  rig.driver.Hide();
  rig.driver.Restore();
  EXPECT_TRUE(rig.native.hidden);
  // A run the toolkit ended by itself gives its own result; a form closed while opening
  // never gets past its opening.
  Rig ended;
  ended.driver.Ended(3);
  EXPECT_EQ(ended.driver.result(), 3);
  EXPECT_TRUE(ended.native.ended.empty());
}

TEST(FormDriver, TextsAreWindows1252ForThePresenterAndUtf16ForTheToolkit) {
  Rig rig;
  FormView& view = rig.driver;
  view.SetText(kField, "CAF\xC9 \x80");
  EXPECT_EQ(rig.native.texts[kField], u"CAF\u00C9 \u20AC");
  EXPECT_EQ(view.GetText(kField, 100), "CAF\xC9 \x80");
  EXPECT_EQ(view.GetText(kField, 3), "CAF");
  EXPECT_EQ(view.GetText(kField, 0), "");
  // What the toolkit holds beyond Windows-1252 comes back as '?', a pair as one.
  rig.native.texts[kPrice] = u"A\u0141\U0001F600B";
  EXPECT_EQ(view.GetText(kPrice, 100), "A??B");
  view.SetTitle("PROGRAMA\xC7\xC3O");
  EXPECT_EQ(rig.native.title, u"PROGRAMA\u00C7\u00C3O");
  // Ids the form does not have, and list calls on what is no list, never reach the toolkit.
  view.SetText(4242, "x");
  view.SetListRows(kField, {{"a"}});
  view.SetListSelection(kField, 0);
  EXPECT_EQ(view.GetText(4242, 10), "");
  EXPECT_EQ(rig.native.texts.count(4242), 0u);
  EXPECT_TRUE(rig.native.rows.empty());
  EXPECT_EQ(rig.native.selection, -1);
  view.SetListRows(kList, {{"a"}});
  EXPECT_EQ(rig.native.rows[kList].size(), 1u);
}

struct CharacterCase {
  const char* name;
  std::u16string inserted;
  bool digits_only;
  bool accepted;
};

const CharacterCase kCharacters[] = {
    {"digits in a digits field", u"0250", true, true},
    {"a letter, comma or blank in a digits field", u"12,5", true, false},
    {"accents and the euro sign", u"A\u00C7\u00DACAR \u20AC", false, true},
    {"a letter Windows-1252 cannot hold", u"LOJA \u0141", false, false},
    {"a character beyond the BMP", u"\U0001F600", false, false},
    {"a line break or tab", u"A\nB", false, false},
    {"a tab", u"A\tB", false, false},
    {"an unused byte's control character", u"\u0081", false, false},
    {"DEL, typed by Ctrl+Backspace", u"\u007F", false, false},
    {"nothing at all (a deletion)", u"", false, true},
};

TEST(FieldCharacters, WhatIsTypedOrPastedGoesInOnlyWhenTheFieldCanHoldAllOfIt) {
  for (const CharacterCase& c : kCharacters) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(AcceptsInserted(c.inserted, c.digits_only), c.accepted);
    // A paste: the inserted part of the edit is judged, never the text already there.
    const std::u16string before = u"X\tY";
    const std::u16string after = u"X" + c.inserted + u"\tY";
    EXPECT_EQ(AcceptsInserted(InsertedPart(before, after), c.digits_only), c.accepted);
    // Typed one by one, the same rule, and the editing keys always pass.
    if (c.inserted.size() == 1) {
      EXPECT_EQ(AcceptsTyped(c.inserted[0], c.digits_only), c.accepted);
    }
  }
  for (char16_t key : {u'\x01', u'\x03', u'\b', u'\x16', u'\x18', u'\x1A'})
    EXPECT_TRUE(AcceptsTyped(key, true)) << static_cast<int>(key);
  EXPECT_EQ(InsertedPart(u"ABC", u"AC"), u"");
  EXPECT_EQ(InsertedPart(u"ABC", u"AXXC"), u"XX");
}

TEST(StackedLayout, FieldsStandAloneAndButtonsGoFourToARow) {
  FormTemplate form = SampleForm();
  for (ControlTemplate& c : form.controls) c.width = c.height = 0;
  for (int i = 0; i < 4; ++i) form.controls.push_back(Control(2000 + i, ControlKind::kPushButton));
  EXPECT_FALSE(HasPlaces(form));
  const std::vector<StackedRow> rows = StackRows(form);
  std::vector<std::pair<StackedRow::Kind, std::size_t>> shape;
  for (const StackedRow& row : rows) shape.emplace_back(row.kind, row.controls.size());
  using R = StackedRow;
  EXPECT_EQ(shape, (std::vector<std::pair<R::Kind, std::size_t>>{{R::kField, 1},
                                                                 {R::kField, 1},
                                                                 {R::kWhole, 1},
                                                                 {R::kWhole, 1},
                                                                 {R::kWhole, 1},
                                                                 {R::kWhole, 1},
                                                                 {R::kButtons, 4},
                                                                 {R::kButtons, 2}}));
  EXPECT_TRUE(rows.back().continues_buttons);
  EXPECT_FALSE(rows[rows.size() - 2].continues_buttons);
  form.controls[0].width = form.controls[0].height = 10;
  EXPECT_TRUE(HasPlaces(form));
}

}  // namespace
}  // namespace qx::ui
