// The desktop program's command line: help and version for the terminal, and at most one
// parameter file to open at start-up.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace qx::ui::qt {

struct ProgramCommandLine {
  enum class Action { kRun, kHelp, kVersion, kError };
  Action action = Action::kRun;
  // The file to open (kRun), byte for byte as the system handed it over: a name that is not
  // valid UTF-8 stays the same file.
  std::optional<std::string> file;
  // What to print and exit with: the help or version text (standard output, exit 0) or the
  // error (standard error, exit 2). Ends with a line feed.
  QString text;
};

// The arguments after the program's name. An argument that begins with '-' is an option,
// never a file name; after "--" every argument is a file name.
ProgramCommandLine ParseProgramCommandLine(const std::vector<std::string>& args,
                                           const QString& version);

}  // namespace qx::ui::qt
