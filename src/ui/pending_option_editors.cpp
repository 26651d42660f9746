// Placeholders until the function key, header and footer, and miscellaneous options editors
// land (nullptr: the main window opens nothing). Each is removed when its editor lands.
#include "ui/editors.h"

namespace qx::ui {

std::unique_ptr<Presenter> MakeFunctionKeyEditor(AppState&, Desktop&) { return nullptr; }
std::unique_ptr<Presenter> MakeHeaderFooterEditor(AppState&, Desktop&) { return nullptr; }
std::unique_ptr<Presenter> MakeMiscOptionsEditor(AppState&, Desktop&) { return nullptr; }

}  // namespace qx::ui
