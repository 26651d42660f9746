// Placeholders until the department, product and operator editors land (nullptr: the main
// window opens nothing). Each is removed from this file when its editor lands.
#include "ui/editors.h"

namespace qx::ui {

std::unique_ptr<Presenter> MakeDeptGrid(AppState&, Desktop&) { return nullptr; }
std::unique_ptr<Presenter> MakeProductEditor(AppState&, Desktop&) { return nullptr; }
std::unique_ptr<Presenter> MakeOperatorEditor(AppState&, Desktop&) { return nullptr; }

}  // namespace qx::ui
