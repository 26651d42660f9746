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
#include "ui/forms/stacked_layout.h"
#include "ui/forms/text_contract.h"

namespace qx::ui {
namespace {

using testing::RecordingPresenter;

constexpr int kField = 1052, kPrice = 1005, kDefault = 1000, kOther = 1001;
constexpr int kCheck = 1048, kNotifyCheck = 1049, kList = 1200;

// What a toolkit would hold: texts, enabled states, the focus and the lists.
class FakeNative : public NativeForm {
 public:
  std::u16string Text(int id) const override { return texts.count(id) ? texts.at(id) : u""; }
  void SetText(int id, std::u16string_view text) override { texts[id] = std::u16string(text); }
  bool GetCheck(int) const override { return false; }
  void SetCheck(int, bool) override {}
  void SetEnabled(int id, bool on) override { enabled[id] = on; }
  bool IsEnabled(int id) const override { return !enabled.count(id) || enabled.at(id); }
  void SetFocus(int id) override { focused = id; }
  int FocusedControl() const override { return focused; }
  void SetTitle(std::u16string_view text) override { title = text; }
  void SetListRows(int id, const std::vector<std::vector<std::string>>&) override {
    listed.push_back(id);
  }
  void SetListRowTips(int, const std::vector<std::string>&) override {}
  int GetListSelection(int) const override { return selection; }
  void SetListSelection(int, int row) override { selection = row; }
  void EndModal(int result) override { ended.push_back(result); }
  void Hide() override { hidden = true; }
  void Restore() override { hidden = false; }

  std::map<int, std::u16string> texts;
  std::map<int, bool> enabled;
  std::vector<int> listed, ended;
  std::u16string title;
  int focused = -1, selection = -1;
  bool hidden = false;
};

ControlTemplate Control(int id, ControlKind kind) {
  ControlTemplate c;
  c.id = id;
  c.kind = kind;
  c.notify = id == kNotifyCheck;
  return c;
}

// Two fields, two check boxes (one that notifies), a list, a label, a default and a second
// button.
FormTemplate SampleForm(bool with_default = true) {
  using K = ControlKind;
  FormTemplate f;
  f.controls = {Control(kField, K::kEdit),
                Control(kPrice, K::kEdit),
                Control(kCheck, K::kCheckBox),
                Control(kNotifyCheck, K::kCheckBox),
                Control(kList, K::kList),
                Control(-1, K::kStaticText),
                Control(kDefault, with_default ? K::kDefaultPushButton : K::kPushButton),
                Control(kOther, K::kPushButton)};
  return f;
}

enum DefaultButton { kDefaultOn, kDefaultGrey, kNoDefault };

// The one fixture: a presenter, a fake toolkit and the driver between them, opened with the
// focus on the first field. Like the editors, the presenter moves the focus again when told
// it left, and rewrites a changed text.
struct Rig {
  explicit Rig(DefaultButton def = kDefaultOn, int focus = kField)
      : presenter(SampleForm(def != kNoDefault)) {
    native.focused = focus;
    native.SetEnabled(kDefault, def != kDefaultGrey);
    presenter.on_focus_lost = [this](FormView&, int id) { driver.FocusLeft(id, true); };
    presenter.on_text_changed = [this](FormView&, int id) { driver.TextChanged(id); };
    driver.Open();
  }
  std::vector<std::string> EventsAfterOpen() const {
    return {presenter.events.begin() + 1, presenter.events.end()};
  }
  RecordingPresenter presenter;
  FakeNative native;
  FormDriver driver{presenter, native};
};

struct RoutingCase {
  const char* name;
  void (*act)(FormDriver&);
  std::vector<std::string> events;
  DefaultButton def = kDefaultOn;
  int focus = kField;
};

const RoutingCase kRouting[] = {
    {"a push button's click is its command", [](auto& d) { d.Pressed(kOther); }, {"command 1001"}},
    {"of the rest only a notifying check box speaks",
     [](auto& d) {
       for (int id : {kField, kCheck, kNotifyCheck, kList, 4242}) d.Pressed(id);
     },
     {"command 1049"}},
    {"a grey push button is silent", [](auto& d) { d.Pressed(kDefault); }, {}, kDefaultGrey},
    {"OK from a form without that control", [](auto& d) { d.Pressed(kIdOk); }, {"command 1"}},
    {"Esc is cancel", [](auto& d) { d.Escape(); }, {"command 2"}},
    {"Enter in a field presses the default", [](auto& d) { d.Enter(); }, {"command 1000"}},
    {"Enter on a push button presses it", [](auto& d) { d.Enter(); }, {"command 1001"}, {}, kOther},
    {"Enter with a grey default is silent", [](auto& d) { d.Enter(); }, {}, kDefaultGrey},
    {"Enter without a default button is OK", [](auto& d) { d.Enter(); }, {"command 1"}, kNoDefault},
    {"close is the presenter's", [](auto& d) { d.CloseRequested(); }, {"close-command"}},
    {"focus-lost, told once", [](auto& d) { d.FocusLeft(kField, true); }, {"focus-lost 1052"}},
    {"no focus-lost to another window", [](auto& d) { d.FocusLeft(kField, false); }, {}},
    {"a rewritten change, once", [](auto& d) { d.TextChanged(kField); }, {"text-changed 1052"}},
    {"a column title", [](auto& d) { d.ListHeaderClicked(kList, 2); }, {"header-clicked 1200 2"}},
    {"an activated row", [](auto& d) { d.ListRowActivated(kList, 4); }, {"row-activated 1200 4"}},
    {"no row, no activation", [](auto& d) { d.ListRowActivated(kList, -1); }, {}},
};

// Each case also runs on a closed form, where nothing reaches the presenter.
TEST(FormDriver, RoutesEveryNativeEventAsTheDialogManagerDoes) {
  for (const RoutingCase& c : kRouting) {
    SCOPED_TRACE(c.name);
    Rig rig(c.def, c.focus), closed(c.def, c.focus);
    closed.driver.Close(7);
    c.act(rig.driver);
    c.act(closed.driver);
    EXPECT_EQ(rig.EventsAfterOpen(), c.events);
    EXPECT_EQ(closed.EventsAfterOpen(), std::vector<std::string>{});
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
  // A run the toolkit ended by itself gives its own result.
  Rig ended;
  ended.driver.Ended(3);
  EXPECT_EQ(ended.driver.result(), 3);
  EXPECT_TRUE(ended.native.ended.empty());
}

TEST(FormDriver, TextsAreWindows1252ForThePresenterAndUtf16ForTheToolkit) {
  Rig rig;
  FormView& view = rig.driver;
  view.SetText(kField, "CAF\xC9 \x80");
  view.SetTitle("PROGRAMA\xC7\xC3O");
  EXPECT_EQ(rig.native.texts[kField], u"CAF\u00C9 \u20AC");
  EXPECT_EQ(rig.native.title, u"PROGRAMA\u00C7\u00C3O");
  EXPECT_EQ(view.GetText(kField, 100), "CAF\xC9 \x80");
  EXPECT_EQ(view.GetText(kField, 3), "CAF");
  // What the toolkit holds beyond Windows-1252 comes back as '?', a pair as one.
  rig.native.texts[kPrice] = u"A\u0141\U0001F600B";
  EXPECT_EQ(view.GetText(kPrice, 100), "A??B");
  // Ids the form does not have, and list calls on what is no list, never reach the toolkit.
  view.SetText(4242, "x");
  view.SetListRows(kField, {{"a"}});
  view.SetListSelection(kField, 0);
  view.SetListRows(kList, {{"a"}});
  EXPECT_EQ(rig.native.texts.count(4242), 0u);
  EXPECT_EQ(rig.native.listed, std::vector<int>{kList});
  EXPECT_EQ(rig.native.selection, -1);
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
    {"a line break", u"A\nB", false, false},
    {"an unused byte's control character", u"\u0081", false, false},
    {"DEL, typed by Ctrl+Backspace", u"\u007F", false, false},
    {"nothing at all (a deletion)", u"", false, true},
};

TEST(FieldCharacters, WhatIsTypedOrPastedGoesInOnlyWhenTheFieldCanHoldAllOfIt) {
  for (const CharacterCase& c : kCharacters) {
    SCOPED_TRACE(c.name);
    // A paste: the inserted part of the edit is judged, never the text already there.
    const std::u16string after = u"X" + c.inserted + u"\tY";
    EXPECT_EQ(AcceptsInserted(InsertedPart(u"X\tY", after), c.digits_only), c.accepted);
    if (c.inserted.size() == 1) {
      EXPECT_EQ(AcceptsTyped(c.inserted[0], c.digits_only), c.accepted);
    }
  }
  // The editing keys always pass, even in a digits field.
  for (char16_t key : {u'\x01', u'\x03', u'\b', u'\x16', u'\x18', u'\x1A'})
    EXPECT_TRUE(AcceptsTyped(key, true)) << static_cast<int>(key);
  EXPECT_EQ(InsertedPart(u"ABC", u"AC"), u"");
  EXPECT_EQ(InsertedPart(u"ABC", u"AXXC"), u"XX");
}

TEST(StackedLayout, FieldsStandAloneAndButtonsGoFourToARow) {
  FormTemplate form = SampleForm();
  for (int i = 0; i < 4; ++i) form.controls.push_back(Control(2000 + i, ControlKind::kPushButton));
  EXPECT_FALSE(HasPlaces(form));
  // Each row as its kind (Field, Whole, Buttons) and size, '+' when it continues buttons.
  std::string shape;
  for (const StackedRow& row : StackRows(form)) {
    shape += row.kind == StackedRow::kField ? 'F' : row.kind == StackedRow::kWhole ? 'W' : 'B';
    shape += std::to_string(row.controls.size()) + (row.continues_buttons ? "+ " : " ");
  }
  EXPECT_EQ(shape, "F1 F1 W1 W1 W1 W1 B4 B2+ ");
  form.controls[0].width = form.controls[0].height = 10;
  EXPECT_TRUE(HasPlaces(form));
}

}  // namespace
}  // namespace qx::ui
