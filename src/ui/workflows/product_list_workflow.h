// The product editor's spreadsheet buttons: importing a product list with its report before
// anything is stored, and exporting the programmed products.
#pragma once

#include <memory>

#include "exchange/product_list.h"
#include "ui/forms/desktop.h"
#include "ui/forms/form.h"
#include "ui/workflows/app_state.h"
#include "ui/workflows/import_choices.h"

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
// The numbering choice (two check boxes that act as one choice), the products with their
// codes and names, and the field and button that change the name proposed for a long one,
// with a note that says why a name was not taken.
inline constexpr int kIdReportAfterHighest = 1111;
inline constexpr int kIdReportFromOne = 1112;
inline constexpr int kIdReportProducts = 1113;
inline constexpr int kIdReportNewName = 1114;
inline constexpr int kIdReportRename = 1115;
inline constexpr int kIdReportNameNote = 1116;

// The report of an import: closes with 1 when the user chose "Importar", which is offered
// only for an import without errors, and 0 for "Cancelar", Esc or the close command. The
// first only shows the import; the second lets the user number the products and rename the
// long ones, preparing the session's import again after each change.
std::unique_ptr<Presenter> MakeImportReport(const exchange::ProductImport& import);
std::unique_ptr<Presenter> MakeImportReport(ImportSession& session);

// Asks for a CSV file, reads it, asks for the columns when a field has none (or two), shows
// the report and, when the user chooses "Importar", stores the products and the new
// department names (raising their change markers), sets params_modified and says what was
// stored. True when something was stored.
bool ImportProductListWorkflow(AppState& state, Desktop& desktop);

// Asks for a CSV file name and writes the programmed products there. True when written.
bool ExportProductListWorkflow(const AppState& state, Desktop& desktop);

}  // namespace qx::ui
