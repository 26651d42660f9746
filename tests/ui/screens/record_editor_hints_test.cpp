// The register-character hint beside the name fields of the department, product and operator
// editors: it follows typing and the presenter's own fills, and never blocks a save.
#include <gtest/gtest.h>

#include "../record_editor_harness.h"

namespace qx::ui::testing {
namespace {

const std::string kHintForBrackets = Win1252("A registradora não recebe: [, ]");

TEST(RecordEditorHints, DepartmentNameHintFollowsTypingAndNeverBlocksTheSave) {
  EditorHarness h;
  h.state.params.Department(2).name = "[CAFE]";
  h.state.current_dept = 2;
  h.Open(MakeDeptEditor);
  EXPECT_EQ(h.Text(RegisterHintId(1052)), kHintForBrackets);  // shown on opening

  h.view->Type(1052, "CAFE");
  h.presenter->OnTextChanged(*h.view, 1052);
  EXPECT_EQ(h.Text(RegisterHintId(1052)), "");

  h.view->Type(1052, "[CHA]");
  h.presenter->OnTextChanged(*h.view, 1052);
  EXPECT_EQ(h.Text(RegisterHintId(1052)), kHintForBrackets);
  h.Click(kIdOk);
  EXPECT_TRUE(h.Errors().empty());
  EXPECT_EQ(h.state.params.Department(2).name, "[CHA]");
}

TEST(RecordEditorHints, ProductHintFollowsTheLoadedProductAndIsClearedForTheNext) {
  EditorHarness h;
  h.Open(MakeProductEditor);
  h.state.params.Product(9).name = "[X]";
  h.TypeAndLeave(1005, "9");
  EXPECT_EQ(h.Text(RegisterHintId(1057)), kHintForBrackets);
  h.view->Type(1059, "1");
  h.Click(kIdOk);
  EXPECT_TRUE(h.Errors().empty());
  EXPECT_EQ(h.state.params.Product(9).name, "[X]");
  EXPECT_EQ(h.Text(RegisterHintId(1057)), "");
  // Typing into another field leaves the name's hint alone.
  h.view->Type(1057, "]");
  h.presenter->OnTextChanged(*h.view, 1052);
  EXPECT_EQ(h.Text(RegisterHintId(1057)), "");
  h.presenter->OnTextChanged(*h.view, 1057);
  EXPECT_EQ(h.Text(RegisterHintId(1057)), Win1252("A registradora não recebe: ]"));
}

TEST(RecordEditorHints, OperatorHintFollowsTheStoredName) {
  EditorHarness h;
  h.Open(MakeOperatorEditor);
  h.state.params.Operator(1).name = Win1252("JOÃO");  // Ã has a register code
  h.state.params.Operator(2).name = Win1252("ÂNGELA");
  h.TypeAndLeave(1005, "1");
  EXPECT_EQ(h.Text(RegisterHintId(1052)), "");
  h.TypeAndLeave(1005, "2");
  EXPECT_EQ(h.Text(RegisterHintId(1052)), Win1252("A registradora não recebe: Â"));
  h.Click(kIdOk);
  EXPECT_TRUE(h.Errors().empty());
  EXPECT_EQ(h.state.params.Operator(2).changed, 1);
  EXPECT_EQ(h.Text(RegisterHintId(1052)), "");
}

}  // namespace
}  // namespace qx::ui::testing
