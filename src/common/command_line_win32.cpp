#include <windows.h>

#include "common/command_line.h"

namespace qx {

std::vector<std::string> StartCommandLineProgram(int /*argc*/, char** /*argv*/) {
  ::SetConsoleOutputCP(CP_UTF8);
  const std::vector<std::wstring> wide = SplitWindowsCommandLine(::GetCommandLineW());
  std::vector<std::string> args;
  for (std::size_t i = 1; i < wide.size(); ++i) {
    const std::wstring& w = wide[i];
    const int length = static_cast<int>(w.size());
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, w.data(), length, nullptr, 0, nullptr, nullptr);
    std::string arg(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    if (size > 0)
      ::WideCharToMultiByte(CP_UTF8, 0, w.data(), length, arg.data(), size, nullptr, nullptr);
    args.push_back(std::move(arg));
  }
  return args;
}

}  // namespace qx
