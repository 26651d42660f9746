// A department, product or operator editor opened on a fake view, with its messages recorded.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/cp1252.h"
#include "fakes.h"
#include "ui/screens/editors.h"
#include "ui/screens/record_editors.h"
#include "ui/workflows/app_state.h"

namespace qx::ui::testing {

struct EditorHarness {
  AppState state;
  ScriptedDesktop desktop;
  std::unique_ptr<Presenter> presenter;
  std::unique_ptr<FakeFormView> view;

  template <class Factory>
  void Open(Factory make) {
    presenter = make(state, desktop);
    view = std::make_unique<FakeFormView>(presenter->Template());
    presenter->OnOpen(*view);
  }
  void Click(int id) { view->Click(*presenter, id); }
  void TypeAndLeave(int id, std::string_view text) { view->TypeAndLeave(*presenter, id, text); }
  std::string Text(int id) const { return view->GetText(id, 1000); }

  std::vector<std::string> Errors() const { return desktop.Errors(); }
};

// The fields of a control that the form's layout and behaviour rely on.
struct ExpectedControl {
  int id;
  ControlKind kind;
  const char* label_utf8;
  int max_length;
  bool digits_only;
  bool has_help;
};

inline void ExpectControls(const FormTemplate& form, const std::vector<ExpectedControl>& expected) {
  for (const ExpectedControl& e : expected) {
    SCOPED_TRACE("control " + std::to_string(e.id));
    const ControlTemplate* c = form.Find(e.id);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->kind, e.kind);
    EXPECT_EQ(c->label, Win1252(e.label_utf8));
    EXPECT_EQ(c->max_length, e.max_length);
    EXPECT_EQ(c->digits_only, e.digits_only);
    EXPECT_EQ(!c->help.empty(), e.has_help);
    EXPECT_GT(c->width, 0);
    EXPECT_GT(c->height, 0);
    EXPECT_LE(c->x + c->width, form.width);
    EXPECT_LE(c->y + c->height, form.height);
  }
}

}  // namespace qx::ui::testing
