// The desktop program's command line: what it prints, what it opens, and that no argument
// beginning with '-' is ever opened as a parameter file.
#include "ui/qt/command_line.h"

#include <gtest/gtest.h>

namespace qx::ui::qt {
namespace {

using Action = ProgramCommandLine::Action;

ProgramCommandLine Parse(const std::vector<std::string>& args) {
  return ParseProgramCommandLine(args, QStringLiteral("9.8.7.6"));
}

TEST(ProgramCommandLineTest, EachArgumentListGivesItsActionAndFile) {
  struct Case {
    std::vector<std::string> args;
    Action action;
    std::optional<std::string> file;
  } const cases[] = {
      {{}, Action::kRun, std::nullopt},
      {{""}, Action::kRun, std::nullopt},
      {{"loja1.par"}, Action::kRun, "loja1.par"},
      // Not UTF-8: the same bytes reach the open workflow.
      {{"S\xE3o.par"}, Action::kRun, "S\xE3o.par"},
      {{"./-x.par"}, Action::kRun, "./-x.par"},
      {{"--", "-x.par"}, Action::kRun, "-x.par"},
      {{"--", "-"}, Action::kRun, "-"},
      {{"--help"}, Action::kHelp, std::nullopt},
      {{"-h"}, Action::kHelp, std::nullopt},
      {{"loja1.par", "--help"}, Action::kHelp, std::nullopt},
      {{"--version"}, Action::kVersion, std::nullopt},
      {{"-v"}, Action::kVersion, std::nullopt},
      {{"-x.par"}, Action::kError, std::nullopt},
      {{"--abre", "loja1.par"}, Action::kError, std::nullopt},
      {{"-"}, Action::kError, std::nullopt},
      {{"a.par", "b.par"}, Action::kError, std::nullopt},
      {{"--help", "--", "a.par", "b.par"}, Action::kHelp, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.empty() ? std::string("(none)") : c.args.front());
    const ProgramCommandLine got = Parse(c.args);
    EXPECT_EQ(got.action, c.action);
    EXPECT_EQ(got.file, c.file);
    EXPECT_EQ(got.text.isEmpty(), c.action == Action::kRun);
  }
}

TEST(ProgramCommandLineTest, TextsArePortugueseAndNameWhatWentWrong) {
  EXPECT_TRUE(Parse({"--help"}).text.startsWith(QStringLiteral("Uso: qx4810 [ARQUIVO.par]")));
  EXPECT_TRUE(Parse({"--help"}).text.contains(QStringLiteral("mostra a versão")));
  EXPECT_EQ(Parse({"--version"}).text, QStringLiteral("qx4810 9.8.7.6\n"));
  EXPECT_TRUE(Parse({"--abre"}).text.contains(QStringLiteral("opção desconhecida: --abre")));
  EXPECT_TRUE(Parse({"-x.par"}).text.contains(QStringLiteral("opção desconhecida: -x")));
  EXPECT_TRUE(Parse({"-"}).text.contains(QStringLiteral("qx4810 --help")));
}

}  // namespace
}  // namespace qx::ui::qt
