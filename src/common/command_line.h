// A command-line program's start: its arguments as UTF-8, whatever the system hands over.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qx {

// The arguments after the program's name, as UTF-8. On Windows they are read from the
// system's UTF-16 command line (argv holds them in the ANSI code page, which loses accented
// names), and the console is set to show the program's UTF-8 output.
std::vector<std::string> StartCommandLineProgram(int argc, char** argv);

// A Windows command line split into the program's name and its arguments, by the rules the
// C runtime follows: blanks separate arguments except inside quotes, "" inside quotes is one
// quote, backslashes are plain characters except before a quote (2n of them give n and the
// quote opens or closes; 2n + 1 give n and a quote of the text). Splitting it here keeps the
// shell library (and all it loads) out of the command-line tool.
std::vector<std::wstring> SplitWindowsCommandLine(std::wstring_view line);

}  // namespace qx
