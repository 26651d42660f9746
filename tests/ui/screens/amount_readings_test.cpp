// The readings beside the amount fields of the department, product and function key editors:
// what the typed digits are worth, shown on opening, as the user types and whenever the form
// fills or empties the field; placed beside their field without covering another control.
#include <gtest/gtest.h>

#include "../record_editor_harness.h"
#include "ui/screens/amount_reading.h"

namespace qx::ui::testing {
namespace {

using Factory = std::unique_ptr<Presenter> (*)(AppState&, Desktop&);

// One amount field: the stored text it shows on opening, and what "12" typed into it means.
struct AmountCase {
  const char* form;
  Factory make;
  int field;
  std::string& (*stored)(ParamSet&);
  const char* stored_text;
  const char* stored_reading;
  const char* reading_of_12;
};

#define QX_STORED(expr) [](ParamSet& p) -> std::string& { return p.expr; }

const AmountCase kAmountCases[] = {
    {"dept price", MakeDeptEditor, 1005, QX_STORED(Department(3).price), "1250", "= R$ 12,50",
     "= R$ 0,12"},
    {"cheque limit", MakeFunctionKeyEditor, 1057, QX_STORED(cheque_key.limit), "99999999",
     "= R$ 999.999,99", "= R$ 0,12"},
    {"discount percent", MakeFunctionKeyEditor, 1068, QX_STORED(discount_pct_key.percent), "10000",
     "= 10,000 %", "= 0,012 %"},
};

#undef QX_STORED

TEST(AmountReadings, ShowTheStoredValueOnOpeningAndFollowTyping) {
  for (const AmountCase& c : kAmountCases) {
    SCOPED_TRACE(c.form);
    EditorHarness h;
    h.state.current_dept = 3;
    c.stored(h.state.params) = c.stored_text;
    h.Open(c.make);
    const int reading = AmountReadingId(c.field);
    EXPECT_EQ(h.Text(reading), c.stored_reading);

    for (const char* typed : {"", "12"}) {
      h.view->Type(c.field, typed);
      h.presenter->OnTextChanged(*h.view, c.field);
      EXPECT_EQ(h.Text(reading), *typed ? c.reading_of_12 : "");
    }
    // A reading is only a reading: the save stores the digits as typed.
    h.Click(kIdOk);
    EXPECT_TRUE(h.Errors().empty());
    EXPECT_EQ(c.stored(h.state.params), "12");
  }
}

TEST(AmountReadings, ProductPriceReadingFollowsTheLoadedProductAndIsClearedForTheNext) {
  EditorHarness h;
  h.state.params.Product(7).price = "1250";
  h.state.params.Product(7).name = "CAFE";
  h.state.params.Product(7).dept_code = "1";
  h.Open(MakeProductEditor);
  const int reading = AmountReadingId(1052);
  EXPECT_EQ(h.Text(reading), "");
  h.TypeAndLeave(1005, "7");
  EXPECT_EQ(h.Text(reading), "= R$ 12,50");

  h.view->Type(1052, "5");
  h.presenter->OnTextChanged(*h.view, 1052);
  EXPECT_EQ(h.Text(reading), "= R$ 0,05");

  h.Click(kIdOk);
  EXPECT_TRUE(h.Errors().empty());
  EXPECT_EQ(h.state.params.Product(7).price, "5");
  EXPECT_EQ(h.Text(reading), "");
}

bool Overlap(const ControlTemplate& a, const ControlTemplate& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

TEST(AmountReadings, SitInsideTheFormRightOfTheirFieldAndCoverNothing) {
  AppState state;
  ScriptedDesktop desktop;
  for (Factory make : {MakeDeptEditor, MakeProductEditor, MakeFunctionKeyEditor}) {
    const FormTemplate& form = make(state, desktop)->Template();
    SCOPED_TRACE(form.name);
    int placed = 0;
    for (const ControlTemplate& r : form.controls) {
      if (r.id < AmountReadingId(1000) || r.id > AmountReadingId(1068)) continue;
      ++placed;
      const ControlTemplate* field = form.Find(r.id - kAmountReadingIdOffset);
      ASSERT_NE(field, nullptr) << r.id;
      EXPECT_GE(r.x, field->x + field->width) << r.id;
      EXPECT_LT(r.y, field->y + field->height) << r.id;
      EXPECT_GE(r.width, 40) << r.id;  // room for "= R$ 999,99"
      EXPECT_LE(r.x + r.width, form.width) << r.id;
      EXPECT_LE(r.y + r.height, form.height) << r.id;
      for (const ControlTemplate& other : form.controls) {
        if (&other == &r || other.kind == ControlKind::kGroupBox) continue;
        EXPECT_FALSE(Overlap(r, other)) << r.id << " covers " << other.id;
      }
    }
    EXPECT_EQ(placed, form.name == "FunctionKeyEditor" ? 8 : 1);
  }
}

}  // namespace
}  // namespace qx::ui::testing
