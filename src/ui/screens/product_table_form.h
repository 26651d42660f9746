// The product table form, opened by the product editor's "LISTA" button: the find field with
// the count beside it, "Mostrar todos os 500" and the list of products.
#pragma once

#include <memory>

#include "model/param_set.h"
#include "ui/forms/form.h"

namespace qx::ui {

inline constexpr int kIdTableFind = 1201;
inline constexpr int kIdTableCount = 1202;
inline constexpr int kIdTableShowAll = 1203;
inline constexpr int kIdTableList = 1210;

// Closes with the code of the product chosen (a row activated, or "Abrir" on the chosen row)
// and 0 for "Fechar", Esc or the close command. Reads the set and stores nothing.
std::unique_ptr<Presenter> MakeProductTable(const ParamSet& params);

}  // namespace qx::ui
