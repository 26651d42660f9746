#include <windows.h>
// After windows.h:
#include <shellapi.h>

#include "common/command_line.h"

namespace qx {

std::vector<std::string> StartCommandLineProgram(int /*argc*/, char** /*argv*/) {
  ::SetConsoleOutputCP(CP_UTF8);
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return {};
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(size > 0 ? static_cast<std::size_t>(size) : 1, '\0');
    if (size > 0)
      ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), size, nullptr, nullptr);
    arg.pop_back();  // the terminating zero
    args.push_back(arg);
  }
  ::LocalFree(wide);
  return args;
}

}  // namespace qx
