#include "common/command_line.h"

namespace qx {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

std::vector<std::wstring> SplitWindowsCommandLine(std::wstring_view line) {
  std::vector<std::wstring> args;
  std::size_t i = 0;
  // The program's name: up to the closing quote when it starts with one, else up to the first
  // blank; backslashes are path separators there, never escapes.
  std::wstring program;
  if (i < line.size() && line[i] == L'"') {
    ++i;
    while (i < line.size() && line[i] != L'"') program += line[i++];
    if (i < line.size()) ++i;
  } else {
    while (i < line.size() && !IsBlank(line[i])) program += line[i++];
  }
  args.push_back(std::move(program));

  for (;;) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    std::wstring arg;
    bool quoted = false;
    while (i < line.size() && (quoted || !IsBlank(line[i]))) {
      if (line[i] == L'\\') {
        std::size_t slashes = 0;
        while (i < line.size() && line[i] == L'\\') ++slashes, ++i;
        if (i < line.size() && line[i] == L'"') {
          // 2n backslashes and a quote: n backslashes, the quote opens or closes; 2n + 1: n
          // backslashes and a quote of the text.
          arg.append(slashes / 2, L'\\');
          if (slashes % 2 == 1) arg += line[i++];
        } else {
          arg.append(slashes, L'\\');
        }
      } else if (line[i] == L'"') {
        // Two quotes inside quotes stand for one quote of the text.
        if (quoted && i + 1 < line.size() && line[i + 1] == L'"') {
          arg += L'"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        arg += line[i++];
      }
    }
    args.push_back(std::move(arg));
  }
  return args;
}

}  // namespace qx
