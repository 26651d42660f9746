// The programming guide: a preamble, every programming section in the order the register
// is programmed, then the clock and listing instructions.
#include "guide/guide.h"

#include <cstdio>
#include <system_error>

#include "common/cp1252.h"
#include "common/file_layer.h"
#include "guide/html.h"
#include "guide/sections.h"

namespace qx {
namespace {

constexpr std::string_view kZoomHint =
    "\n\nUse \"CONTROL +\" para ampliar esta página e \"CONTROL -\" para reduzir.\n\n";
constexpr std::string_view kNote1 =
    "N O T A 1: \nSe ao girar a chave para a posição REG a Caixa apitar e mostrar erro (E00), "
    "gire a \nchave tipo P ou C para as outras posições até que pare de apitar e a mensagem "
    "esteja apagada. \nTecle então [DINHEIRO/TOTAL].\n\n";
constexpr std::string_view kNote2 =
    "N O T A 2: \nPara avançar o papel da impressora tecle [Avanço Papel].\nSe der ERRO durante "
    "a digitação, tecle [LIMPA] e repita a linha.\n\n";
// FECHADO stands between the typographic quotes of the code page (0x93 and 0x94).
constexpr std::string_view kNote3 =
    "N O T A 3: \nUm operador deve estar aberto antes de efetuar qualquer operação. Se mostrar "
    "no \nvisor a mensagem “FECHADO” quando a chave estiver na posição REG, \ninforme "
    "operador 1 conforme a sequência abaixo: \n\n\nCHAVE na posição \"REG\". Vamos Abrir um "
    "operador.\n\n";
constexpr std::string_view kStartProgramming =
    "Aparecendo  0,00   no visor vamos girar a CHAVE na POSIÇÃO \"P G M\".\nVamos iniciar a "
    "programação abaixo.\n\n";

constexpr std::string_view kClockComment = "<!-- COMENTARIO   PROGRAMANDO RELOGIO -->";
constexpr std::string_view kClockTitle = "SEQUÊNCIA DE PROGRAMAÇÃO DO RELÓGIO";
constexpr std::string_view kClockText =
    "Para corrigir o relógio digite:\n1300  [SUBTOTAL]\nH H M M            [X/HORA]   "
    "(H=hora   M=minuto)\nM M D D A A        [X/HORA]   (M=mês D=dia A=ano)\n"
    "[DINHEIRO/TOTAL]\n";

constexpr std::string_view kListingComment = "<!-- COMENTARIO   LISTAR PARÂMETROS -->";
constexpr std::string_view kListingTitle = "LISTAGEM DE PARÂMETROS";
constexpr std::string_view kListingText =
    "1 5      [SUBTOTAL]\n\n\n\n\n\n\n"
    "Para listar departamentos: \n"
    "Exemplo:   [DEPT1]  [DEPT1] (lista parâmetros do depart.1)\n"
    "Exemplo:   [DEPT2]  [DEPT5] (lista do depart. 2 ao 5)\n\n\n\n\n\n\n"
    "Para listar produtos: \n"
    "Exemplo:   código [PLU]  código [PLU] (lista produtos na faixa)\n\n\n\n\n\n\n"
    "O U T R O S \n\n"
    "2  [X/HORA]     (lista sistema)\n"
    "3  [X/HORA]     (lista impressora)\n"
    "5  [X/HORA]     (lista operador)\n"
    "6  [X/HORA]     (lista cabeçalho e rodapé)\n\n\n\n\n\n\n"
    "4  [X/HORA]   [ pressione uma tecla ]    (lista teclas)\n\n"
    "[DINHEIRO/TOTAL]\n\n\n\n";

constexpr std::string_view kGuideCreationError = "ERRO NA CRIAÇÃO DO ARQUIVO";

void WriteRedNote(std::string& page, std::string_view utf8_text) {
  WriteHtmlBlock(page, kRedHeading, Win1252(utf8_text));
}

void WritePreamble(std::string& page) {
  WriteTextLine(page, kHtmlHead);
  WriteTextLine(page, kBodyStart);
  WriteTextLine(page, kGuideTitle);
  WriteTextLine(page, kGuideSubtitle);
  WriteHtmlBlock(page, kBlackHeading, Win1252(kZoomHint));
  WriteRedNote(page, kNote1);
  WriteRedNote(page, kNote2);
  WriteRedNote(page, kNote3);
  // The technician first opens operator 1 with the key switch in REG.
  WriteHtmlBlock(page, kCodeLineRed, "  1   ");
  WriteBlock(page, kKeyBoxRed, "EMPREGADO");
  WriteLineBreaks(page, 6);
  WriteRedNote(page, kStartProgramming);
}

void WriteProgrammingSections(std::string& page, const ParamSet& params) {
  WriteRegisterNumberSection(page, params);
  WriteSystemOptionsSection(page, params);
  WritePrintOptionsSection(page, params);
  WriteFunctionKeyStatusSection(page, params);
  WriteFunctionKeyNameSection(page, params);
  WriteFunctionKeyValueSection(page, params);
  WriteDepartmentStatusSection(page, params, SectionMode::kFullGuide);
  WriteDepartmentPriceSection(page, params, SectionMode::kFullGuide);
  WriteDepartmentNameSection(page, params, SectionMode::kFullGuide);
  WriteProductStatusSection(page, params, SectionMode::kFullGuide);
  WriteProductPriceSection(page, params, SectionMode::kFullGuide);
  WriteProductNameSection(page, params, SectionMode::kFullGuide);
  WriteProductLinkSection(page, params, SectionMode::kFullGuide);
  WriteOperatorSection(page, params, SectionMode::kFullGuide);
  WriteHeaderSection(page, params);
  WriteFooterSection(page, params);
}

// The clock and listing instructions follow the last section on its page.
void WriteClosing(std::string& page) {
  WriteLineBreaks(page, 5);
  WriteTextLine(page, kClockComment);
  WriteHtmlBlock(page, kSectionTitle, Win1252(kClockTitle));
  WriteLineBreaks(page, 2);
  WriteTextLine(page, ToHtml(Win1252(kClockText)));
  WriteLineBreaks(page, 2);
  WriteTextLine(page, Win1252(kListingComment));
  WriteHtmlBlock(page, kSectionTitle, Win1252(kListingTitle));
  WriteLineBreaks(page, 2);
  WriteTextLine(page, ToHtml(Win1252(kListingText)));
  WriteLineBreaks(page, 2);
  WriteHtmlBlock(page, kCenteredTitle, "F   I   M");
}

}  // namespace

std::size_t ExpectedPageSize(const ParamSet& params, SectionMode mode) {
  // A product's four rows take about 4 KB when its texts are at capacity, a department's
  // three about 2.5 KB; all the rest of the guide stays under 128 KB, of the summary under
  // 32 KB. A page that turns out larger simply grows.
  constexpr std::size_t kPerProduct = 4096;
  constexpr std::size_t kPerDepartment = 2560;
  const bool changes_only = mode == SectionMode::kChangesOnly;
  const auto named = [](const std::string& name) { return name.c_str()[0] != '\0'; };
  std::size_t size = changes_only ? 32 * 1024 : 128 * 1024;
  for (const PluRecord& plu : params.products) {
    const bool changed =
        plu.changed_status || plu.changed_price || plu.changed_name || plu.changed_dept;
    if (named(plu.name) && (changed || !changes_only)) size += kPerProduct;
  }
  for (const DeptRecord& dept : params.departments) {
    const bool changed = dept.changed_status || dept.changed_price || dept.changed_name;
    if (named(dept.name) && (changed || !changes_only)) size += kPerDepartment;
  }
  return size;
}

std::string BuildGuide(const ParamSet& params) {
  std::string page;
  page.reserve(ExpectedPageSize(params, SectionMode::kFullGuide));
  WritePreamble(page);
  WriteProgrammingSections(page, params);
  WriteClosing(page);
  return page;
}

FileStatus WritePageFile(const std::string& path, std::string_view page,
                         std::string_view error_text, MissingFolders folders) {
  if (WriteFileSafely(path, page, folders)) return FileDone(path);
  return {FileResult::kWriteFailed, path, error_text};
}

FileStatus WriteGuide(const ParamSet& params, const std::string& path) {
  return WritePageFile(path, BuildGuide(params), kGuideCreationError);
}

std::string GuideFileName(const std::string& par_path) {
  std::string name = par_path;
  const std::size_t size = name.size();
  if (size > 4 && name[size - 4] == '.' && size - 4 >= FileNameStart(name)) name.resize(size - 4);
  return name + ".HTM";
}

std::string SummaryFileName(const std::string& par_path, const LocalTime& now) {
  std::string name = GuideFileName(par_path);
  name.resize(name.rfind('.'));
  char stamp[80];
  std::snprintf(stamp, sizeof stamp, "-%02d-%02d-%04d-%02d-%02d-%02d", now.day, now.month, now.year,
                now.hour, now.minute, now.second);
  return name + stamp + "-RESUMO.HTM";
}

}  // namespace qx
