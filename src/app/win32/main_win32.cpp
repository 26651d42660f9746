// qx4810.exe: the desktop program on Windows. Runs the start-up routine with the native front
// end, which shows the main window until it closes. A parameter file named on the command line (a
// double-click on a .par file) is opened as if it had been chosen in the open dialog.
#include <optional>
#include <string>
#include <vector>

#include "common/command_line.h"
#include "ui/screens/main_window.h"
#include "ui/win32/text_win32.h"
#include "ui/win32/win32_desktop.h"
#include "ui/win32/windows_api.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::optional<std::string> initial_file;
  const std::vector<std::wstring> args = qx::SplitWindowsCommandLine(GetCommandLineW());
  if (args.size() > 1 && !args[1].empty()) initial_file = qx::ui::win32::ToUtf8(args[1]);
  qx::ui::win32::Win32Desktop desktop;
  return qx::ui::RunApplication(desktop, initial_file);
}
