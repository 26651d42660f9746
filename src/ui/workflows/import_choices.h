// The choices a technician makes about a customer's product list before anything is stored:
// which column holds each of our fields, how the products are numbered, the names given to
// the long ones. The session keeps the list's bytes and prepares the import again after
// every choice, so the report always shows what "Importar" would store.
#pragma once

#include <memory>
#include <string>

#include "exchange/product_list.h"
#include "model/param_set.h"
#include "ui/forms/form.h"

namespace qx::ui {

struct ImportSession {
  ImportSession(const ParamSet& set, std::string list) : params(&set), bytes(std::move(list)) {
    options.shorten_names = true;  // the desktop always proposes, the technician decides
  }
  void Prepare() { import = exchange::PrepareProductImport(*params, bytes, options); }

  const ParamSet* params;
  std::string bytes;
  exchange::ImportOptions options;
  exchange::ProductImport import;
};

// The column-choice form's controls: our fields with the column each reads, the file's
// columns ("(nenhuma)" first) and the button that gives the chosen column to the chosen
// field (a row activated in the file's columns does the same). "Continuar" is kIdOk.
inline constexpr int kIdColumnFields = 1201;
inline constexpr int kIdColumnFile = 1202;
inline constexpr int kIdColumnAssign = 1203;

// The text of the choice of no column.
inline constexpr std::string_view kNoColumnText = "(nenhuma)";

// Closes with 1 and the choice stored in the session's options ("Continuar"), 0 otherwise.
std::unique_ptr<Presenter> MakeColumnChoice(ImportSession& session);

}  // namespace qx::ui
