// Writes the guide of a parameter file, read exactly as opening it in the program reads it:
// load, then print options 24 and 25 forced off. Used by the browser check, which prints the
// page with a real browser. Usage: make_guide FILE.par GUIDE.HTM
#include <cstdio>
#include <string>

#include "common/file_status.h"
#include "guide/guide.h"
#include "model/param_set.h"
#include "parfile/par_file.h"

namespace {

// Every failure of the loader or the writer is a failure of the check: the sample must load
// cleanly and its guide must be written.
bool Reported(const qx::FileStatus& status) {
  if (status) return false;
  std::fprintf(stderr, "make_guide: %.*s: %s\n", static_cast<int>(status.text.size()),
               status.text.data(), status.path.c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "uso: make_guide ARQUIVO.par GUIA.HTM\n");
    return 2;
  }
  static qx::ParamSet params;  // large: kept off the stack
  if (Reported(qx::LoadParFile(params, argv[1]))) return 1;
  qx::TurnOffUncarriedPrintOptions(params);
  return Reported(qx::WriteGuide(params, argv[2])) ? 1 : 0;
}
