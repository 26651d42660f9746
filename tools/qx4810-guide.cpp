// qx4810-guide: writes the programming guide (and, on request, the parameter file and a change
// summary) for parameter files given on the command line, exactly as the desktop program
// would after opening each file.
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "common/command_line.h"
#include "common/cp1252.h"
#include "common/local_clock.h"
#include "common/messages.h"
#include "guide/guide.h"
#include "guide_tool.h"
#include "model/param_set.h"
#include "parfile/par_file.h"

namespace qx::tool {
namespace {

constexpr const char* kProgram = "qx4810-guide";

constexpr const char* kHelp =
    R"(Uso: qx4810-guide [-o ROTEIRO.HTM] [--save SAIDA.par] [--since ANTIGO.par [--summary RESUMO.HTM]] ARQUIVO.par...

Gera o roteiro de programação (página HTML) da registradora QX-4810 para cada arquivo
de parâmetros informado, sem abrir o programa. Cada ARQUIVO.par é lido exatamente como
o programa o abre: os parâmetros começam nos valores padrão, recebem os registros do
arquivo e as opções de impressão 24 (jornal eletrônico) e 25 (mensagem de treinamento)
ficam desligadas.

O roteiro é gravado ao lado do arquivo, com o nome derivado dele (loja1.par dá
loja1.HTM), como faz o programa.

Opções:
  -o ROTEIRO.HTM       grava o roteiro neste arquivo (só com um único ARQUIVO.par)
  --save SAIDA.par     grava também os parâmetros lidos neste arquivo de parâmetros
                       (só com um único ARQUIVO.par)
  --since ANTIGO.par   grava também o resumo das alterações de cada ARQUIVO.par em relação
                       a ANTIGO.par: entram os departamentos, produtos e operadores que o
                       programa marcaria como alterados se cada registro fosse salvo com os
                       valores de ARQUIVO.par sobre os de ANTIGO.par (status, preço, nome,
                       departamento do produto; um departamento ou produto com preço zero
                       cujo status ou nome mudou entra também com o preço). O nome do resumo
                       leva a data e a hora atuais: loja1-DD-MM-AAAA-hh-mm-ss-RESUMO.HTM
  --summary RESUMO.HTM grava o resumo neste arquivo (só com --since e um único ARQUIVO.par)
  -h, --help           mostra esta ajuda

As mensagens da leitura dos arquivos e os erros de gravação vão para a saída de erro.
Um ARQUIVO.par ou ANTIGO.par inexistente é um erro (não se cria um arquivo novo), e um
roteiro ou resumo nunca é gravado por cima de um arquivo de parâmetros informado.

Código de saída: 0 quando tudo foi gravado; 1 quando algum arquivo faltou ou não pôde ser
gravado (os demais são processados mesmo assim); 2 para uma linha de comando inválida.
)";

// Messages of the loader and the writers (Windows-1252) go to standard error.
class StderrSink : public MessageSink {
 public:
  void Show(const CoreMessage& message) override {
    std::cerr << kProgram << ": " << Cp1252ToUtf8(message.title) << ": "
              << Cp1252ToUtf8(message.text) << "\n";
  }
};

void Error(const std::string& utf8_text) { std::cerr << kProgram << ": " << utf8_text << "\n"; }

// Paths are UTF-8 on every system (on Windows too, where the command line is read so).
std::filesystem::path FsPath(const std::string& utf8) {
  return std::u8string(utf8.begin(), utf8.end());
}

bool IsExistingFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(FsPath(path), error);
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return a == b || std::filesystem::equivalent(FsPath(a), FsPath(b), error);
}

// Reads a parameter file the way the program opens one.
void OpenParameters(ParamSet& params, const std::string& path) {
  LoadParFile(params, path);
  params.print_options.print_ejournal = '0';
  params.print_options.print_training_message = '0';
}

LocalTime Now() {
  const LocalClockReading t = ReadLocalClock();
  return LocalTime{t.year, t.month, t.day, t.hour, t.minute, t.second};
}

// A page must never replace one of the parameter files it was made from.
bool OverwritesAnInput(const std::string& page, const std::string& input,
                       const GuideToolOptions& options) {
  if (SameFile(page, input) || (!options.since_path.empty() && SameFile(page, options.since_path))) {
    Error("recusado: " + page + " é um dos arquivos de parâmetros informados");
    return true;
  }
  return false;
}

// True when everything for this input was written.
bool ProcessInput(const std::string& input, const GuideToolOptions& options, const ParamSet* old) {
  if (!IsExistingFile(input)) {
    Error("arquivo de parâmetros não encontrado: " + input);
    return false;
  }
  ParamSet params;
  OpenParameters(params, input);
  if (old != nullptr) RaiseMarkersSince(params, *old);

  bool ok = true;
  if (!options.save_path.empty()) {
    if (SaveParFile(params, options.save_path)) {
      std::cout << "parâmetros: " << options.save_path << "\n";
    } else {
      ok = false;
    }
  }

  const std::string guide = options.guide_path.empty() ? GuideFileName(input) : options.guide_path;
  if (OverwritesAnInput(guide, input, options)) {
    ok = false;
  } else if (WriteGuide(params, guide)) {
    std::cout << "roteiro: " << guide << "\n";
  } else {
    ok = false;
  }

  if (old != nullptr) {
    const std::string summary =
        options.summary_path.empty() ? SummaryFileName(input, Now()) : options.summary_path;
    if (OverwritesAnInput(summary, input, options)) {
      ok = false;
    } else if (WriteChangeSummary(params, summary)) {
      std::cout << "resumo: " << summary << "\n";
    } else {
      ok = false;
    }
  }
  return ok;
}

int Run(const std::vector<std::string>& args) {
  std::string error;
  const std::optional<GuideToolOptions> options = ParseGuideToolArguments(args, error);
  if (!options) {
    Error(error);
    std::cerr << "Use \"" << kProgram << " --help\" para ver como usar.\n";
    return 2;
  }
  if (options->help) {
    std::cout << kHelp;
    return 0;
  }

  StderrSink sink;
  ScopedMessageSink scoped(&sink);

  ParamSet old;
  if (!options->since_path.empty()) {
    if (!IsExistingFile(options->since_path)) {
      Error("arquivo de parâmetros antigo não encontrado: " + options->since_path);
      return 1;
    }
    OpenParameters(old, options->since_path);
  }

  bool all_ok = true;
  for (const std::string& input : options->inputs) {
    if (!ProcessInput(input, *options, options->since_path.empty() ? nullptr : &old)) {
      all_ok = false;
    }
  }
  return all_ok ? 0 : 1;
}

}  // namespace
}  // namespace qx::tool

int main(int argc, char** argv) {
  return qx::tool::Run(qx::StartCommandLineProgram(argc, argv));
}
