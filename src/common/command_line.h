// A command-line program's start: its arguments as UTF-8, whatever the system hands over.
#pragma once

#include <string>
#include <vector>

namespace qx {

// The arguments after the program's name, as UTF-8. On Windows they are read from the
// system's UTF-16 command line (argv holds them in the ANSI code page, which loses accented
// names), and the console is set to show the program's UTF-8 output.
std::vector<std::string> StartCommandLineProgram(int argc, char** argv);

}  // namespace qx
