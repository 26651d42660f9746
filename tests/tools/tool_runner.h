// Runs the batch tool as a real program with UTF-8 arguments, its standard output and error
// going to two files. Gives its exit code (-1 when it did not exit normally).
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace qx::tool {

inline int RunTool(const std::string& tool, const std::vector<std::string>& args,
                   const std::filesystem::path& out, const std::filesystem::path& err) {
#ifdef _WIN32
  // cmd.exe takes the line in UTF-16 and drops the quotes around the whole of it.
  std::string command = "\"\"" + tool + "\"";
  for (const std::string& arg : args) command += " \"" + arg + "\"";
  command += " >\"" + out.string() + "\" 2>\"" + err.string() + "\"\"";
  const std::wstring wide =
      std::filesystem::path(std::u8string(command.begin(), command.end())).wstring();
  return _wsystem(wide.c_str());
#else
  std::string command = "'" + tool + "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  command += " >'" + out.string() + "' 2>'" + err.string() + "'";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

}  // namespace qx::tool
