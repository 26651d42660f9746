// The system options (code 30) and print options (code 40) sections: per option its number,
// [X/HORA], the value, [SUBTOTAL], and a note that says in words what the value does.
#include <cstdio>

#include "common/cp1252.h"
#include "common/file_layer.h"
#include "guide/html.h"
#include "guide/option_rows.h"
#include "guide/sections.h"
#include "model/register_codes.h"

namespace qx {
namespace {

constexpr std::size_t kOptionNoteLen = 50;

// One flag option: the field and its two notes (UTF-8 in the source).
template <typename Options>
struct FlagOption {
  int number;
  char Options::*field;
  std::string_view note_set;
  std::string_view note_clear;
};

using SystemFlag = FlagOption<SystemOptions>;
using PrintFlag = FlagOption<PrintOptions>;

constexpr SystemFlag kSystemFlagsAfterDecimals[] = {
    {4, &SystemOptions::drawer_on_reports, "(abre gaveta na leitura)",
     "(Não abre gaveta na leitura)"},
    {6, &SystemOptions::compact_print, "(impressão compactada)", "(impressão normal)"},
    {7, &SystemOptions::ejournal_enabled, "(jornal eletronico ativado)", "(SEM jornal eletronico)"},
    {8, &SystemOptions::ejournal_full_warning, "(avisa oper.se jornal cheio)",
     "(NÃO avisa oper.se jornal cheio)"},
    {9, &SystemOptions::ejournal_chronological, "(jornal eletronico cronológico)",
     "(jornal eletronico NÃO cronológico)"},
    {10, &SystemOptions::qty_dept_key, "(quantidade + tecla [DEPTO])", "(preço + tecla [DEPTO])"},
    {11, &SystemOptions::repeat_receipt, "(repete cupom se teclar DINHEIRO)",
     "~(NÃO repete cupom se tecla DINHEIRO)"},
    {12, &SystemOptions::recalc_change, "(calcula o troco novamente)",
     "(NÃO aceita recalcular o troco)"},
    {13, &SystemOptions::drawer_declaration, "(Declaração da GAVETA obrigatória)",
     "(Declaração da GAVETA NÃO obrigatória)"},
    {14, &SystemOptions::zero_consecutive_after_z, "(Zera no.consecutivo após LEIT.FINANC.-Z)",
     "(NÃO zera no.consecutivo após LEIT.FINANC.-Z)"},
    {15, &SystemOptions::zero_grand_total_after_z, "(Zera GRANDE TOTAL após LEIT.FINANC.-Z)",
     "(NÃO zera GRANDE TOTAL após LEIT.FINANC.-Z)"},
    {16, &SystemOptions::zero_financial_counter, "(Zera contador LEIT.FINANC.-Z)",
     "(NÃO zera contador após LEIT.FINANC.-Z)"},
    {17, &SystemOptions::zero_product_counter, "(Zera contador LEIT.PRODUTOS.-Z)",
     "(NÃO zera contador LEIT.PRODUTOS.-Z)"},
    {18, &SystemOptions::zero_operator_counter, "(Zera contador LEIT.OPERADORES.-Z)",
     "(NÃO zera contador LEIT.OPERADORES.-Z)"},
    {19, &SystemOptions::multiply_quantity, "(Multiplica quantidade se quant.2 vezes consecutivas)",
     "(Parte da quant.se quant.2 vezes consecutivas)"},
    {20, &SystemOptions::rounding, "(Arredonda)", "(NÃO arredonda valores)"},
};

constexpr PrintFlag kPrintFlagsBeforeSymbols[] = {
    {1, &PrintOptions::print_z_counter, "(Imprime contador Z nas leituras)",
     "(NÃO imprime contador Z nas leituras)"},
    {2, &PrintOptions::print_zero_totals, "(Imprime totaliz. zerados nas leituras)",
     "(NÃO imprime totaliz. zerados nas leituras)"},
};

// Options 13 to 17 are reserved and never programmed from the guide.
constexpr PrintFlag kPrintFlagsAfterSymbols[] = {
    {5, &PrintOptions::print_receipt_copy, "(Imprime copia cupom)", "(NÃO imprime copia cupom)"},
    {6, &PrintOptions::print_subtotal, "(Imprime subtotal qdo.teclar SUBTOTAL)",
     "(NÃO imprime subtot qdo.teclar SUBTOTAL)"},
    {7, &PrintOptions::print_consecutive, "(Imprime consecutivo no cupom)",
     "(NÃO imprime consecutivo no cupom)"},
    {8, &PrintOptions::print_date, "(Imprime data no cupom)", "(NÃO imprime data no cupom)"},
    {9, &PrintOptions::print_time, "(Imprime hora no cupom)", "(NÃO imprime hora no cupom)"},
    {10, &PrintOptions::print_operator_name, "(Imprime nome operador no cupom)",
     "(NÃO imprime nome operador no cupom)"},
    {11, &PrintOptions::print_returns, "(Imprime venda negativa/devolução na leitura)",
     "(NÃO Imp.venda negat/devolução na leitura)"},
    {12, &PrintOptions::print_item_count, "(Imprime quant.itens antes do total do cupom)",
     "(NÃO Imprime quant.itens antes do total do cupom)"},
    {18, &PrintOptions::print_grand_total, "(Imprime Grande Total na leitura)",
     "(NÃO Imprime Grande Total na leitura)"},
    {19, &PrintOptions::print_gross_grand_total, "(Imprime Grande Total Bruto na leitura)",
     "(NÃO Imprime Grande Total Bruto na leitura)"},
    {20, &PrintOptions::grand_total_net, "(Grande Total é líquido)", "(Grande Total é bruto)"},
    {21, &PrintOptions::receipt_on_drawer_open, "(Imprime cupom se abre gaveta)",
     "(NÃO imprime cupom quando abre gaveta)"},
    {22, &PrintOptions::print_header, "(Imprime cabeçalho)", "(NÃO imprime cabeçalho)"},
    {23, &PrintOptions::print_footer, "(Imprime rodapé)", "(NÃO imprime rodapé)"},
    {24, &PrintOptions::print_ejournal, "(Imprime jornal eletrônico)",
     "(NÃO imprime jornal eletrônico)"},
    {25, &PrintOptions::print_training_message, "(Imprime mensagem de treinamento)",
     "(NÃO imprime mensagem de treinamento)"},
    {26, &PrintOptions::print_code_on_receipt, "(Imprime código depart./produto no cupom)",
     "(NÃO imprime código depart./produto no cupom)"},
    {27, &PrintOptions::print_code_in_product_report,
     "(Imprime código do produto na leitura PRODUTOS)",
     "(NÃO imprime código do produto na leitura PRODUTOS)"},
};

template <typename Options>
void WriteFlagRow(std::string& page, const Options& options, const FlagOption<Options>& option) {
  const bool set = IsSet(options.*option.field);
  WriteOptionRow(page, option.number, set ? "1" : "0",
                 Win1252(set ? option.note_set : option.note_clear));
}

// Options 2 and 3 are typed as the stored character itself.
void WriteCharacterRow(std::string& page, int number, char stored, std::string_view note) {
  const std::string value = stored == '\0' ? std::string() : std::string(1, stored);
  WriteOptionRow(page, number, EscapeHtml(value), Win1252(note));
}

// A currency symbol is typed as register codes; the note shows it as written.
void WriteSymbolRow(std::string& page, int number, const std::string& symbol,
                    std::string_view note_utf8) {
  if (CutText(symbol, std::string_view::npos).empty()) return;
  const std::string codes =
      ToHtml(StaggerCodes(kCodeGroupSize, ToRegisterCodes(symbol), kSymbolCodesCapacity));
  const std::string note =
      FillTemplate(Win1252(note_utf8), CutText(symbol, std::string_view::npos));
  WriteOptionRow(page, number, codes, note);
}

void WriteOptionsOpening(std::string& page, std::string_view comment_utf8,
                         std::string_view title_utf8, std::string_view code) {
  WriteTextLine(page, kPageBreak);
  WriteLineBreaks(page, 2);
  WriteTextLine(page, Win1252(comment_utf8));
  WriteHtmlBlock(page, kSectionTitle, Win1252(title_utf8));
  WriteLineBreaks(page, 2);
  WriteTextLine(page, kFloatLeftStyle);
  WriteCodeEntry(page, code, 5);
}

}  // namespace

void WriteOptionRow(std::string& page, int number, std::string_view value, std::string_view note) {
  char number_text[16];
  std::snprintf(number_text, sizeof number_text, "%3d  ", number);
  WriteLineBreaks(page, 1);
  WriteHtmlBlock(page, kCodeLine, number_text);
  WriteBlock(page, kKeyBoxSmall, "X/HORA");
  WriteHtmlBlock(page, kCodeLineBold, "   " + std::string(value) + "   ");
  WriteBlock(page, kKeyBoxSmall, "SUBTOTAL");
  WriteHtmlBlock(page, kCodeLine, "   ");
  WriteTextBlock(page, kNoteLine, CutText(note, kOptionNoteLen));
  WriteLineBreaks(page, 2);
}

void WriteSystemOptionsSection(std::string& page, const ParamSet& params) {
  const SystemOptions& options = params.system_options;
  WriteOptionsOpening(page, "<!-- COMENTARIO   OPCAO SISTEMA -->", "O P Ç Ã O       S I S T E M A",
                      "  3 0   ");
  WriteFlagRow(page, options,
               SystemFlag{1, &SystemOptions::key_beep, "(buzina tecla ON)", "(buzina tecla OFF)"});
  WriteCharacterRow(page, 2, options.date_format, "(formato data DDMMAA)");
  WriteCharacterRow(page, 3, options.decimal_places, "(número de casas decimais)");
  for (const SystemFlag& option : kSystemFlagsAfterDecimals) WriteFlagRow(page, options, option);
  WriteExitBlock(page, "DINHEIRO/TOTAL", Win1252("(sai da programação de sistema)"));
  WriteLineBreaks(page, 1);
}

void WritePrintOptionsSection(std::string& page, const ParamSet& params) {
  const PrintOptions& options = params.print_options;
  WriteOptionsOpening(page, "<!-- COMENTARIO   OPCAO IMPRESSÃO -->", "OPÇÃO  IMPRESSÃO",
                      "  4 0   ");
  for (const PrintFlag& option : kPrintFlagsBeforeSymbols) WriteFlagRow(page, options, option);
  WriteSymbolRow(page, 3, options.local_currency_symbol, "(Símbolo da moeda local=%s)");
  WriteSymbolRow(page, 4, options.foreign_currency_symbol, "(Símbolo da moeda estrangeira=%s)");
  for (const PrintFlag& option : kPrintFlagsAfterSymbols) WriteFlagRow(page, options, option);
  WriteExitBlock(page, "DINHEIRO/TOTAL", Win1252("(sai da programação de impressão)"));
  WriteLineBreaks(page, 1);
}

}  // namespace qx
