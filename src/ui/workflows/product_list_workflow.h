// The product editor's spreadsheet buttons: importing a product list with its report before
// anything is stored, and exporting the programmed products.
#pragma once

#include <memory>

#include "exchange/product_list.h"
#include "ui/workflows/app_state.h"
#include "ui/forms/desktop.h"
#include "ui/forms/form.h"

namespace qx::ui {

// The report form's controls: the six counts, the list of messages and the two buttons
// ("Importar" is kIdOk, "Cancelar" kIdCancel).
inline constexpr int kIdReportRead = 1101;
inline constexpr int kIdReportNew = 1102;
inline constexpr int kIdReportChanged = 1103;
inline constexpr int kIdReportUnchanged = 1104;
inline constexpr int kIdReportErrors = 1105;
inline constexpr int kIdReportWarnings = 1106;
inline constexpr int kIdReportMessages = 1110;

// The report of an import: closes with 1 when the user chose "Importar", which is offered
// only for an import without errors, and 0 for "Cancelar", Esc or the close command.
std::unique_ptr<Presenter> MakeImportReport(const exchange::ProductImport& import);

// Asks for a CSV file, reads it, shows the report and, when the user chooses "Importar",
// stores the products (raising their change markers) and sets params_modified. True when
// something was stored.
bool ImportProductListWorkflow(AppState& state, Desktop& desktop);

// Asks for a CSV file name and writes the programmed products there. True when written.
bool ExportProductListWorkflow(const AppState& state, Desktop& desktop);

}  // namespace qx::ui
