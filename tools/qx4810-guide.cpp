// qx4810-guide: writes the programming guide (and, on request, the parameter file and a change
// summary) for parameter files given on the command line, exactly as the desktop program
// would after opening each file.
#include <cstdio>
#include <ctime>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "common/command_line.h"
#include "common/cp1252.h"
#include "common/file_layer.h"
#include "common/file_status.h"
#include "common/local_clock.h"
#include "exchange/product_list.h"
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
  --import-products LISTA.csv
                       lê os produtos da planilha LISTA.csv (colunas codigo, nome, preco,
                       departamento, preco_negativo, venda_unica, preco_aberto, preco_fixo;
                       separador ';', ',' ou tabulação; UTF-8 ou Windows-1252) e os grava nos
                       parâmetros lidos antes de gravar o roteiro e --save, marcando-os como
                       alterados como faz o programa. Com qualquer erro na planilha as
                       mensagens vão para a saída de erro e nada é gravado (código 1).
                       LISTA também pode ser uma pasta de trabalho .xlsx ou .ods (a primeira
                       folha que começa com esses títulos).
                       Além dos nomes das colunas, a planilha pode usar os títulos usuais
                       ("Código", "Descrição", "Preço Venda", "Depto"...); o departamento pode
                       vir pelo nome (um nome novo vai para o primeiro departamento sem nome).
                       (só com um único ARQUIVO.par)
  --column CAMPO=TÍTULO
                       lê o CAMPO (codigo, nome, preco, departamento, preco_negativo,
                       venda_unica, preco_aberto, preco_fixo) da coluna com este título; pode
                       ser repetida (só com --import-products)
  --shorten-names      um nome com mais de 12 caracteres recebe um nome curto proposto, único
                       entre os produtos (um aviso); sem esta opção ele é um erro
                       (só com --import-products)
  --number-products    dá aos produtos os códigos em ordem, a partir do código seguinte ao
                       maior código já programado, sem ler a coluna de códigos (códigos de
                       barras, referências da loja) (só com --import-products)
  --export-products LISTA.csv
                       grava só a planilha LISTA.csv com todos os produtos programados de
                       ARQUIVO.par (separador ';', Windows-1252), sem roteiro
  -h, --help           mostra esta ajuda
  -v, --version        mostra a versão
  --                   o que vem depois é nome de arquivo, mesmo começando com "-"

Um argumento que começa com "-" nunca é tomado por nome de arquivo: um arquivo chamado
-x.par é dado como ./-x.par ou depois de --.

Os erros de leitura e de gravação vão para a saída de erro, um por linha, com o arquivo.
Um ARQUIVO.par ou ANTIGO.par inexistente, ilegível ou vazio é um erro (não se cria um
arquivo novo nem pastas) e nada é gravado para ele. Antes de gravar qualquer coisa, a ferramenta
confere que nenhuma saída (--save e a sua cópia .bak, -o, --summary, os roteiros e resumos
derivados) é outra saída ou um dos arquivos lidos; se for, nada é gravado.
Antes de substituir um arquivo de parâmetros (--save), o conteúdo anterior é guardado ao
lado dele, com o nome inteiro mais .bak (loja1.par -> loja1.par.bak). Um arquivo de
parâmetros danificado por uma gravação interrompida não é lido nem substituído: a
ferramenta informa o arquivo e a cópia de segurança e sai com código 1, sem gravar nada.

Código de saída: 0 quando tudo foi gravado; 1 quando algum arquivo faltou, não pôde ser lido
ou não pôde ser gravado (os demais são processados mesmo assim); 2 para uma linha de comando
inválida ou saídas que coincidem.
)";

void Error(const std::string& utf8_text) { std::cerr << kProgram << ": " << utf8_text << "\n"; }

// One line per failure: the message's fixed text, then the file.
void ReportFailure(const FileStatus& status) {
  if (status.result == FileResult::kMissing) {
    // Here a missing file is an error: the tool never starts a new customer file.
    Error("arquivo de parâmetros não encontrado: " + status.path);
  } else if (status.result == FileResult::kDamaged) {
    Error(std::string(status.text) + ": " + status.path +
          " (cópia de segurança: " + BackupFileName(status.path) + ")");
  } else {
    Error(std::string(status.text) + ": " + status.path);
  }
}

// A name Windows keeps for a device (COM1.par, nul.HTM) is no file: told as such, instead of
// as a read failure or as two names for one file.
bool ReservedName(const std::string& path) {
  if (!IsReservedDeviceName(path)) return false;
  Error("nome reservado de dispositivo do Windows: " + path);
  return true;
}

// Reads a parameter file the way the program opens one. False (reported) when it is missing,
// unreadable or empty: nothing is written for such a file.
bool OpenParameters(ParamSet& params, const std::string& path) {
  if (ReservedName(path)) return false;
  const FileStatus status = LoadParFile(params, path);
  if (!status) {
    ReportFailure(status);
    return false;
  }
  TurnOffUncarriedPrintOptions(params);
  return true;
}

LocalTime Now() { return ReadLocalClock(); }

// A file the run reads or writes, with the option that names it.
struct NamedFile {
  std::string option;
  std::string path;
};

// What one input gives: the paths its outputs go to.
struct Outputs {
  std::string save;  // empty: none
  std::string guide;
  std::string summary;  // empty: none
};

Outputs OutputsFor(const std::string& input, const GuideToolOptions& options,
                   const LocalTime& now) {
  Outputs out;
  out.save = options.save_path;
  out.guide = options.guide_path.empty() ? GuideFileName(input) : options.guide_path;
  if (!options.since_path.empty())
    out.summary = options.summary_path.empty() ? SummaryFileName(input, now) : options.summary_path;
  return out;
}

// Before anything is written: no output may be another output or an input, or one file
// would silently replace another (a guide over the saved parameter file, say). The clash is
// told naming both, and nothing is written.
bool OutputsClash(const GuideToolOptions& options, const LocalTime& now) {
  std::vector<NamedFile> inputs;
  // An input with a device's name is refused when it is read; it writes nothing to clash.
  std::vector<std::string> files;
  for (const std::string& input : options.inputs)
    if (!IsReservedDeviceName(input)) files.push_back(input);
  for (const std::string& input : files) inputs.push_back({input, input});
  if (!options.since_path.empty()) inputs.push_back({"--since", options.since_path});
  if (!options.import_products_path.empty())
    inputs.push_back({"--import-products", options.import_products_path});

  std::vector<NamedFile> outputs;
  if (!options.export_products_path.empty())
    outputs.push_back({"--export-products", options.export_products_path});
  for (const std::string& input : files) {
    if (!options.export_products_path.empty()) break;  // the export writes nothing else
    const Outputs out = OutputsFor(input, options, now);
    if (!out.save.empty()) {
      outputs.push_back({"--save", out.save});
      // The file's previous content goes there: another output or an input at that name
      // would lose it (or be lost).
      outputs.push_back({"a cópia de segurança de --save", BackupFileName(out.save)});
    }
    outputs.push_back({options.guide_path.empty() ? "o roteiro de " + input : "-o", out.guide});
    if (!out.summary.empty())
      outputs.push_back(
          {options.summary_path.empty() ? "o resumo de " + input : "--summary", out.summary});
  }

  for (std::size_t i = 0; i < outputs.size(); ++i) {
    for (std::size_t k = i + 1; k < outputs.size(); ++k) {
      if (SameFile(outputs[i].path, outputs[k].path)) {
        Error(outputs[i].option + " e " + outputs[k].option +
              " indicam o mesmo arquivo: " + outputs[i].path);
        return true;
      }
    }
    for (const NamedFile& input : inputs) {
      if (SameFile(outputs[i].path, input.path)) {
        Error(outputs[i].option + " e " + input.option +
              " indicam o mesmo arquivo: " + outputs[i].path);
        return true;
      }
    }
  }
  return false;
}

// A Windows-1252 message as a terminal line: a control character (or a byte Windows-1252 leaves
// undefined) never reaches the terminal raw, it is shown as "\xNN".
std::string ForTerminal(std::string_view cp1252) {
  std::string safe;
  safe.reserve(cp1252.size());
  for (char c : cp1252) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      safe += "\\x";
      safe += kHex[b >> 4];
      safe += kHex[b & 0xF];
    } else {
      safe += c;
    }
  }
  return Cp1252ToUtf8(safe);
}

// Messages about one file, written to standard error at once.
void WriteMessages(const std::string& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += std::string(kProgram) + ": " + path + ": " + line + "\n";
  std::cerr << text << std::flush;
}

// An output named after a device can never be written: told before anything is written.
bool OutputsReserved(const GuideToolOptions& options) {
  bool reserved = false;
  for (const std::string* path : {&options.save_path, &options.guide_path, &options.summary_path,
                                  &options.export_products_path})
    if (ReservedName(*path)) reserved = true;
  return reserved;
}

// Product lists. The import's messages (warnings and errors) go to standard error with the
// line and the column; with any error nothing is stored and nothing may be written.
bool ImportProducts(ParamSet& params, const std::string& csv_path,
                    const GuideToolOptions& options) {
  std::string bytes;
  const FileStatus read = exchange::ReadProductListFile(csv_path, bytes);
  if (!read) {
    Error((read.result == FileResult::kTooLarge ? "planilha grande demais (mais de 8 MB): "
                                                : "planilha não encontrada ou ilegível: ") +
          csv_path);
    return false;
  }
  exchange::ImportOptions choices;
  choices.shorten_names = options.shorten_names;
  if (options.number_products) choices.numbering = exchange::Numbering::kAfterHighest;
  if (!options.columns.empty()) {
    const std::vector<exchange::ListColumn> columns =
        exchange::PrepareProductImport(params, bytes).columns;
    for (const auto& [field, title] : options.columns) {
      const std::optional<std::string> cp1252 = Utf8ToCp1252(title);
      const std::optional<int> column =
          cp1252 ? exchange::FindListColumn(columns, *cp1252) : std::nullopt;
      if (!column) {
        Error("a planilha não tem a coluna \"" + title + "\" (--column): " + csv_path);
        return false;
      }
      choices.columns[static_cast<std::size_t>(field)] = *column;
    }
  }
  const exchange::ProductImport import = exchange::PrepareProductImport(params, bytes, choices);
  std::vector<std::string> lines;
  lines.reserve(import.messages.size() + 2);
  if (!import.sheet.empty()) lines.push_back("planilha: " + ForTerminal(import.sheet));
  for (const exchange::ImportMessage& m : import.messages)
    lines.push_back((m.error ? "erro: " : "aviso: ") + ForTerminal(m.text));
  if (import.messages_left_off > 0)
    lines.push_back("e mais " + std::to_string(import.messages_left_off) + " mensagens");
  WriteMessages(csv_path, lines);
  if (!exchange::ApplyProductImport(params, import)) {
    Error("planilha com erros, nada foi gravado: " + csv_path);
    return false;
  }
  std::cout << "planilha: " << csv_path << " (" << import.read << " lidos, " << import.added
            << " novos, " << import.changed << " alterados, " << import.unchanged
            << " sem alteração; " << ForTerminal(exchange::ImportSummary(import)) << ")\n";
  if (options.number_products) {
    std::string numbering;
    for (const exchange::ProductImport::Row& row : import.rows)
      numbering +=
          "linha " + std::to_string(row.line) + " → código " + std::to_string(row.code) + "\n";
    std::cout << numbering;
  }
  return true;
}

int ExportProducts(const GuideToolOptions& options) {
  ParamSet params;
  if (!OpenParameters(params, options.inputs.front())) return 1;
  if (!exchange::WriteProductList(params, options.export_products_path)) {
    Error("erro na gravação da planilha: " + options.export_products_path);
    return 1;
  }
  // Values the import would refuse are named, as warnings: the list itself is written.
  std::vector<std::string> lines;
  for (const std::string& problem :
       exchange::ProductListProblems(params, exchange::FormatProductList(params)))
    lines.push_back("aviso: a planilha não volta igual: " + ForTerminal(problem));
  WriteMessages(options.export_products_path, lines);
  std::cout << "planilha: " << options.export_products_path << "\n";
  return 0;
}

// Writes one output; false (reported) when it failed.
bool Written(const FileStatus& status, const char* what) {
  if (!status) {
    ReportFailure(status);
    return false;
  }
  std::cout << what << ": " << status.path << "\n";
  return true;
}

// True when everything for this input was written.
bool ProcessInput(const std::string& input, const GuideToolOptions& options, const ParamSet* old,
                  const LocalTime& now) {
  ParamSet params;
  if (!OpenParameters(params, input)) return false;
  if (old != nullptr) RaiseMarkersSince(params, *old);
  if (!options.import_products_path.empty() &&
      !ImportProducts(params, options.import_products_path, options))
    return false;

  const Outputs out = OutputsFor(input, options, now);
  // A parameter file damaged by an interrupted save is not saved over, and nothing of this
  // input is written.
  if (!out.save.empty() && SaveWasInterrupted(out.save)) {
    ReportFailure({FileResult::kDamaged, out.save, kDamagedText});
    return false;
  }
  bool ok = true;
  if (!out.save.empty()) ok = Written(SaveParFile(params, out.save), "parâmetros") && ok;
  ok = Written(WriteGuide(params, out.guide), "roteiro") && ok;
  if (!out.summary.empty()) ok = Written(WriteChangeSummary(params, out.summary), "resumo") && ok;
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
  if (options->version) {
    std::cout << kProgram << " " << QX_PROGRAM_VERSION << "\n";
    return 0;
  }

  const LocalTime now = Now();
  if (OutputsReserved(*options) || OutputsClash(*options, now)) return 2;
  if (!options->export_products_path.empty()) return ExportProducts(*options);

  ParamSet old;
  if (!options->since_path.empty() && !OpenParameters(old, options->since_path)) return 1;

  bool all_ok = true;
  for (const std::string& input : options->inputs) {
    if (!ProcessInput(input, *options, options->since_path.empty() ? nullptr : &old, now)) {
      all_ok = false;
    }
  }
  return all_ok ? 0 : 1;
}

}  // namespace
}  // namespace qx::tool

int main(int argc, char** argv) { return qx::tool::Run(qx::StartCommandLineProgram(argc, argv)); }
