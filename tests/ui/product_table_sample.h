// The products both adapters' table tests open: two sugars (one without a department, so it is
// marked), a soda, and the department they belong to.
#pragma once

#include "common/cp1252.h"
#include "ui/workflows/app_state.h"

namespace qx::ui::testing {

inline void FillProductTableSample(AppState& state) {
  state.params.Department(1).name = "MERCEARIA";
  for (int code : {3, 40, 120}) state.params.Product(code).dept_code = "1";
  state.params.Product(3).name = Win1252("AÇÚCAR 1KG");
  state.params.Product(3).price = "459";
  state.params.Product(40).name = "ACUCAR MASC";
  state.params.Product(40).dept_code = "";  // no department: marked, with a tip
  state.params.Product(120).name = "COCA 2L";
}

}  // namespace qx::ui::testing
