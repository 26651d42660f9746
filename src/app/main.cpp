// qx4810: the desktop program. Sets up Qt in Portuguese, shows the core's messages as message
// boxes and runs the start-up routine, which shows the main window until it closes.
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ui/qt/application.h"
#include "ui/qt/command_line.h"
#include "ui/qt/form_dialog.h"
#include "ui/qt/qt_desktop.h"
#include "ui/screens/main_window.h"

namespace {

bool EnvSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// Without a display Qt would abort with a message of its own; say it in one clear line.
bool HasDisplay() {
#if defined(__linux__) || defined(__unix__)
  return EnvSet("QT_QPA_PLATFORM") || EnvSet("DISPLAY") || EnvSet("WAYLAND_DISPLAY");
#else
  return true;
#endif
}

// Milliseconds since the process was created (the kernel's start time, so loading the
// libraries counts too); -1 when the system does not tell.
long ProcessAgeMs() {
  std::ifstream stat("/proc/self/stat");
  std::ifstream uptime_file("/proc/uptime");
  std::string line;
  double uptime = 0;
  if (!std::getline(stat, line) || !(uptime_file >> uptime)) return -1;
  std::istringstream fields(line.substr(line.rfind(')') + 2));
  std::string field;
  // After the name: state is field 3, the start time (in clock ticks after boot) field 22.
  for (int i = 3; i < 22 && fields >> field;) ++i;
  unsigned long long start_ticks = 0;
  if (!(fields >> start_ticks)) return -1;
  const double ticks_per_second = static_cast<double>(sysconf(_SC_CLK_TCK));
  return static_cast<long>((uptime - static_cast<double>(start_ticks) / ticks_per_second) * 1000.0);
}

// QX4810_STARTUP_PROBE=1 prints how long the first window took to come up;
// QX4810_STARTUP_PROBE=exit also ends the program there (for timing runs).
void InstallStartupProbe(qx::ui::qt::QtDesktop& desktop, const QElapsedTimer& since_main) {
  const std::string mode = std::getenv("QX4810_STARTUP_PROBE");
  desktop.hooks().form_shown = [&since_main, mode, first = true](qx::ui::qt::FormDialog&) mutable {
    if (!first) return;
    first = false;
    QTimer::singleShot(0, [&since_main, mode] {
      std::fprintf(stderr, "qx4810: primeira janela na tela em %ld ms (desde main: %lld ms)\n",
                   ProcessAgeMs(), static_cast<long long>(since_main.elapsed()));
      if (mode == "exit") std::_Exit(0);
    });
  };
}

qx::ui::qt::ProgramCommandLine ParseArguments(int argc, char* argv[]) {
  if (argc < 1) return {};
  return qx::ui::qt::ParseProgramCommandLine(std::vector<std::string>(argv + 1, argv + argc),
                                             QStringLiteral(QX_PROGRAM_VERSION));
}

// Help and version go to standard output, a bad command line to standard error.
int Print(const qx::ui::qt::ProgramCommandLine& command_line) {
  using Action = qx::ui::qt::ProgramCommandLine::Action;
  const bool failed = command_line.action == Action::kError;
  std::fputs(command_line.text.toUtf8().constData(), failed ? stderr : stdout);
  return failed ? 2 : 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  QElapsedTimer since_main;
  since_main.start();
  using Action = qx::ui::qt::ProgramCommandLine::Action;
  // Help and version need no screen. Qt's own options (-platform...) are only known once
  // QApplication has taken them out, so the rest waits for it.
  const qx::ui::qt::ProgramCommandLine early = ParseArguments(argc, argv);
  if (early.action == Action::kHelp || early.action == Action::kVersion) return Print(early);
  if (!HasDisplay()) {
    std::fputs(
        "qx4810: sem tela gráfica (DISPLAY não definido); abra o programa numa sessão "
        "gráfica.\n",
        stderr);
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("qx4810"));
  QApplication::setApplicationVersion(QStringLiteral(QX_PROGRAM_VERSION));
  QGuiApplication::setDesktopFileName(QStringLiteral("qx4810"));
  qx::ui::qt::SetUpApplication(app);

  qx::ui::qt::QtDesktop desktop;
  if (EnvSet("QX4810_STARTUP_PROBE")) InstallStartupProbe(desktop, since_main);
  // A parameter file named on the command line (opened from the file manager) is opened as
  // if it had been chosen in the open dialog. Qt has taken its own options out of argv.
  const qx::ui::qt::ProgramCommandLine command_line = ParseArguments(argc, argv);
  if (command_line.action != Action::kRun) return Print(command_line);
  return qx::ui::RunApplication(desktop, command_line.file);
}
