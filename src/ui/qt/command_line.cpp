#include "ui/qt/command_line.h"

#include <QCommandLineParser>
#include <QFile>
#include <QStringList>

namespace qx::ui::qt {
namespace {

constexpr const char* kHelp =
    "Uso: qx4810 [ARQUIVO.par]\n"
    "\n"
    "Assistente de programação da registradora QX-4810: edita os parâmetros em\n"
    "formulários, guarda-os num arquivo de parâmetros .par e gera o roteiro de programação\n"
    "via teclado e o resumo das alterações (páginas HTML).\n"
    "\n"
    "ARQUIVO.par  é aberto ao iniciar, como se tivesse sido escolhido em \"NOVO / ABRE\n"
    "             arquivo\"; um nome que ainda não existe começa um arquivo novo.\n"
    "\n"
    "Opções:\n"
    "  -h, --help     mostra esta ajuda e sai\n"
    "  -v, --version  mostra a versão e sai\n"
    "  --             o que vem depois é nome de arquivo, mesmo começando com \"-\"\n"
    "\n"
    "Um argumento que começa com \"-\" nunca é tomado por nome de arquivo: um arquivo\n"
    "chamado -x.par é dado como ./-x.par ou depois de --.\n";

QString Error(const QString& what) {
  return QStringLiteral("qx4810: ") + what +
         QStringLiteral("\nUse \"qx4810 --help\" para ver como usar.\n");
}

}  // namespace

ProgramCommandLine ParseProgramCommandLine(const std::vector<std::string>& args,
                                           const QString& version) {
  using Action = ProgramCommandLine::Action;
  QCommandLineParser parser;
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption show_version(
      QStringList{QStringLiteral("v"), QStringLiteral("version")});
  parser.addOption(help);
  parser.addOption(show_version);

  // The parser sees decoded text; the file keeps the bytes it came with, so it is picked
  // from the arguments themselves: everything after "--" and whatever does not begin with
  // '-' before it.
  QStringList decoded{QStringLiteral("qx4810")};
  std::vector<std::string> files;
  bool only_files = false;
  for (const std::string& arg : args) {
    decoded << QFile::decodeName(arg.c_str());
    if (only_files || arg.empty() || arg[0] != '-') {
      files.push_back(arg);
    } else if (arg == "--") {
      only_files = true;
    } else if (arg == "-") {
      return {Action::kError, std::nullopt,
              Error(QStringLiteral("\"-\" não é um nome de arquivo (use ./- ou -- -)"))};
    }
  }

  ProgramCommandLine result;
  if (!parser.parse(decoded)) {
    const QStringList unknown = parser.unknownOptionNames();
    const QString name = unknown.isEmpty() ? QString() : unknown.constFirst();
    result.action = Action::kError;
    result.text =
        Error(QStringLiteral("opção desconhecida: %1%2")
                  .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name));
    return result;
  }
  if (parser.isSet(help)) return {Action::kHelp, std::nullopt, QString::fromUtf8(kHelp)};
  if (parser.isSet(show_version))
    return {Action::kVersion, std::nullopt, QStringLiteral("qx4810 %1\n").arg(version)};
  if (files.size() > 1) {
    return {Action::kError, std::nullopt,
            Error(QStringLiteral("só um arquivo de parâmetros pode ser aberto por vez"))};
  }
  if (files.size() == 1 && !files.front().empty()) result.file = files.front();
  return result;
}

}  // namespace qx::ui::qt
