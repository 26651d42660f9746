#include "common/command_line.h"

namespace qx {

std::vector<std::string> StartCommandLineProgram(int argc, char** argv) {
  if (argc < 1) return {};
  return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace qx
