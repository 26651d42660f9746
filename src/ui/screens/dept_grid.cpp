// DeptGrid: one button per department key of the register; a button opens the department
// editor for that key while the grid hides itself.
#include <array>

#include "ui/forms/control_builders.h"
#include "ui/screens/editors.h"
#include "ui/screens/record_editors.h"
#include "ui/workflows/open_save_workflow.h"

namespace qx::ui {
namespace {

// The department buttons' ids, department 1 first. They are the form's fixed ids, not in the
// order of the keys (DEPT 10 is 1003, DEPT 11 is 1054).
constexpr std::array<int, kDepartmentCount> kDeptButtonIds = {
    1000, 1001, 1002, 1004, 1046, 1006, 1007, 1008, 1009, 1003, 1054, 1010, 1011, 1012, 1013, 1014};

int DepartmentOfButton(int id) {
  for (std::size_t i = 0; i < kDeptButtonIds.size(); ++i)
    if (kDeptButtonIds[i] == id) return static_cast<int>(i) + 1;
  return 0;
}

const FormTemplate& DeptGridTemplate() {
  static const FormTemplate form = [] {
    FormTemplate f;
    f.resource_id = 102;
    f.name = "DeptGrid";
    f.title = Win1252("QX-4810  PROGRAMAÇÃO  DEPARTAMENTOS");
    f.width = 278;
    f.height = 175;
    f.controls.push_back(
        CenteredNote("Selecione uma tecla de departamento para programá-la.", {10, 8, 258, 10}));
    // Four columns of four keys: DEPT 1 to 4 down the first column, and so on.
    for (int n = 1; n <= kDepartmentCount; ++n) {
      const int column = (n - 1) / 4;
      const int row = (n - 1) % 4;
      f.controls.push_back(PushButton(kDeptButtonIds[static_cast<std::size_t>(n - 1)],
                                      "DEPT " + std::to_string(n), "",
                                      {14 + 66 * column, 26 + 30 * row, 56, 24}));
    }
    f.controls.push_back(ExitButton({111, 150, 56, 16}));
    return f;
  }();
  return form;
}

class DeptGrid : public Presenter {
 public:
  DeptGrid(AppState& state, Desktop& desktop) : state_(state), desktop_(desktop) {}

  const FormTemplate& Template() const override { return DeptGridTemplate(); }

  void OnOpen(FormView& view) override {
    view.SetTitle(DeptGridTemplate().title);
    view.SetFocus(kDeptButtonIds[0]);
    state_.current_dept = 0;
  }

  void OnCommand(FormView& view, int id) override {
    if (const int dept = DepartmentOfButton(id); dept != 0) {
      state_.current_dept = dept;
      view.Hide();
      std::unique_ptr<Presenter> editor = MakeDeptEditor(state_, desktop_);
      desktop_.RunForm(*editor);
      view.Restore();
    } else if (id == kIdCancel) {
      view.Close(0);
    } else if (id == kIdOk) {
      // Enter while no button has the focus.
      view.Close(1);
    }
  }

  // Closing the grid by its window control saves the parameter file, whether or not anything
  // changed, so a technician who closes the window does not lose the departments just typed.
  // Once the file is written the edits are safe, and the main window need not ask again.
  void OnCloseCommand(FormView& view) override {
    bool written = false;
    if (SaveWorkflow(state_, desktop_, &written) == 1 && written) {
      state_.params_modified = false;
      state_.par_file_in_use = state_.current_par_file;
    } else if (state_.params_modified && !ConfirmDiscardChanges(desktop_)) {
      return;  // the grid stays open with the edits
    }
    view.Close(0);
  }

 private:
  AppState& state_;
  Desktop& desktop_;
};

}  // namespace

std::unique_ptr<Presenter> MakeDeptGrid(AppState& state, Desktop& desktop) {
  return std::make_unique<DeptGrid>(state, desktop);
}

}  // namespace qx::ui
