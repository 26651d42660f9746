// The application state that lives for the whole run: the one parameter set, the current
// and opened parameter file paths, the unsaved-changes flag and the record numbers that
// the editors remember between uses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/param_set.h"

namespace qx::ui {

// What the opened parameter file held when it was read (and after each save of it by this
// program), so that a save can tell whether another program changed it meanwhile.
struct FileContentMark {
  bool present = false;   // a file stood at the path
  bool readable = false;  // and its content could be read
  std::size_t size = 0;
  std::uint64_t hash = 0;
  bool operator==(const FileContentMark&) const = default;
};

struct AppState {
  ParamSet params;
  std::string current_par_file;  // platform path
  std::string opened_par_file;   // platform path; empty until a file was opened
  // The file last opened when it existed but could not be read: it still holds the
  // customer's data, so the defaults in memory are never saved over it. Empty otherwise.
  std::string unread_par_file;
  // The parameter file the set in memory belongs to: the one opened, or the one a save last
  // wrote. Empty until a file is opened; the main window shows it.
  std::string par_file_in_use;  // platform path
  // The opened file as it was read or last saved; compared before saving over it.
  FileContentMark opened_content;
  bool params_modified = false;
  int current_dept = 0;      // department chosen in the grid, 0: none
  int current_plu = 0;       // product code last accepted by the product editor
  int current_operator = 0;  // operator code last accepted by the operator editor
};

}  // namespace qx::ui
