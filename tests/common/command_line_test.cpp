#include "common/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx {
namespace {

TEST(SplitWindowsCommandLine, FollowsTheRulesOfTheCRuntime) {
  struct Case {
    const wchar_t* line;
    std::vector<std::wstring> args;
  } cases[] = {
      {L"", {L""}},
      {L"qx4810-guide.exe", {L"qx4810-guide.exe"}},
      // The program's name keeps its backslashes and ends at its closing quote.
      {L"\"C:\\Program Files\\QX-4810\\qx4810-guide.exe\" a.par",
       {L"C:\\Program Files\\QX-4810\\qx4810-guide.exe", L"a.par"}},
      {L"C:\\x\\g.exe\t  -o \t a.HTM  ", {L"C:\\x\\g.exe", L"-o", L"a.HTM"}},
      // Blanks inside quotes, quotes in the middle of an argument, an empty argument.
      {L"g \"caixa ção São João.par\"", {L"g", L"caixa ção São João.par"}},
      {L"g a\"b c\"d", {L"g", L"ab cd"}},
      {L"g \"\" x", {L"g", L"", L"x"}},
      {L"g \"unclosed arg", {L"g", L"unclosed arg"}},
      // Backslashes: plain unless a quote follows.
      {L"g C:\\KORVA\\ a\\\\b", {L"g", L"C:\\KORVA\\", L"a\\\\b"}},
      {L"g \"C:\\KORVA\\\\\" x", {L"g", L"C:\\KORVA\\", L"x"}},
      {L"g a\\\"b", {L"g", L"a\"b"}},
      {L"g a\\\\\\\"b", {L"g", L"a\\\"b"}},
      // Two quotes inside quotes are one quote of the text.
      {L"g \"a\"\"b\"", {L"g", L"a\"b"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitWindowsCommandLine(c.line), c.args) << c.line;
}

}  // namespace
}  // namespace qx
