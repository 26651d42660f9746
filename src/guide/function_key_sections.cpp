// The function-key sections: code 70 (status digits), 80 (printed names) and 90 (limits,
// fixed values and rates). Under each code the technician types a value and then presses
// the function key itself, which ends the row.
#include <algorithm>
#include <cstdlib>

#include "common/cp1252.h"
#include "common/file_layer.h"
#include "guide/html.h"
#include "guide/option_rows.h"
#include "guide/sections.h"
#include "model/field_text.h"
#include "model/register_codes.h"

namespace qx {
namespace {

constexpr std::size_t kKeyValueLen = 128;
constexpr std::size_t kKeyNoteLen = 80;
constexpr std::size_t kKeyNameNoteLen = 60;
// Every name row is padded to the width of nine codes, so the key boxes line up.
constexpr std::size_t kNameRowCodes = 9;

constexpr std::string_view kExitCaption = "DINHEIRO/TOTAL";
constexpr std::string_view kExitNote = "(sai da programação de tecla)";

char Digit(char flag) { return IsSet(flag) ? '1' : '0'; }

// The number a text reads as the usual way (leading blanks, a sign, digits up to the first
// other character; 0 when there are none).
long ReadNumber(std::string_view text) {
  const std::string copy(CutText(text, std::string_view::npos));
  return std::strtol(copy.c_str(), nullptr, 10);
}

// The value typed for a stored amount: "0" for an empty text, else without leading zeros.
std::string StoredValue(const std::string& text) {
  if (CutText(text, std::string_view::npos).empty()) return "0";
  return std::string(SkipLeadingZeros(CutText(text, std::string_view::npos)));
}

void WriteSectionOpening(std::string& page, std::string_view group_title) {
  WriteTextLine(page, kPageBreak);
  WriteLineBreaks(page, 2);
  WriteBlock(page, kGroupTitle, group_title);
}

void WriteSectionEnd(std::string& page) {
  WriteExitBlock(page, kExitCaption, Win1252(kExitNote));
  WriteLineBreaks(page, 1);
}

// ---- code 70 --------------------------------------------------------------------------

void WritePaymentStatusRow(std::string& page, const PaymentKey& key, std::string_view caption,
                           bool capital_accepts) {
  const std::string digits = std::string("    ") + Digit(key.value_required) +
                             Digit(key.change_allowed) + Digit(key.lower_value_refused);
  std::string note = "(MEIO PAG: ";
  note += IsSet(key.value_required) ? "Obriga dig.valor+ " : "NÃO obriga dig.valor+ ";
  note += IsSet(key.change_allowed) ? "Permite troco+ " : "NÃO permite troco+ ";
  if (IsSet(key.lower_value_refused)) {
    note += capital_accepts ? "NÃO Aceita valor menor+" : "NÃO aceita valor menor+";
  } else {
    note += "Aceita valor menor";
  }
  note += ")";
  WriteFunctionKeyRow(page, SkipLeadingZeros(digits), caption, Win1252(note));
}

// A one-digit status typed with its blanks kept: "    1  ".
void WriteDigitStatusRow(std::string& page, char flag, std::string_view caption,
                         std::string_view note_set, std::string_view note_clear) {
  const std::string value = std::string("    ") + Digit(flag) + "  ";
  WriteFunctionKeyRow(page, value, caption, Win1252(IsSet(flag) ? note_set : note_clear));
}

// ---- code 90 --------------------------------------------------------------------------

void WriteLimitRow(std::string& page, const std::string& limit, std::string_view caption,
                   std::string_view note_limited, std::string_view note_unlimited) {
  WriteFunctionKeyRow(page, StoredValue(limit), caption,
                      Win1252(ReadNumber(limit) != 0 ? note_limited : note_unlimited));
}

void WriteCurrencyRateRow(std::string& page, const CurrencyKey& key) {
  std::string value = "0";
  if (ReadNumber(key.exchange_rate) != 0) {
    value = std::string(CutText(KeepDigits(key.exchange_rate), 7)) + " " +
            std::string(CutText(key.rate_decimals, 1));
  }
  WriteFunctionKeyRow(page, value, "MOEDA", Win1252("(taxa de conversão da moeda)"));
}

void WritePercentRow(std::string& page, const PercentKey& key, std::string_view caption,
                     std::string_view label_open, std::string_view label_fixed) {
  const std::string percent = NormalizePercent(CutText(key.percent, std::string_view::npos));
  const std::string_view p = percent;
  const std::string note = Win1252(IsSet(key.open) ? label_open : label_fixed) + "=" +
                           std::string(p.substr(0, 2)) + "," +
                           std::string(p.substr(std::min<std::size_t>(2, p.size()), 3)) + "%)";
  const std::string value = ReadNumber(percent) == 0 ? "0" : std::string(SkipLeadingZeros(p));
  WriteFunctionKeyRow(page, value, caption, note);
}

void WriteDiscountValueRow(std::string& page, const ParamSet& params) {
  const DiscountValueKey& key = params.discount_value_key;
  const std::string note =
      "(limite de desconto em valor=" +
      FormatAmount(CutText(params.print_options.local_currency_symbol, std::string_view::npos),
                   CutText(key.value, std::string_view::npos), 6) +
      ")";
  WriteFunctionKeyRow(page, StoredValue(key.value), "EMPREGADO -", note);
}

}  // namespace

void WriteFunctionKeyRow(std::string& page, std::string_view value, std::string_view caption,
                         std::string_view note) {
  WriteLineBreaks(page, 1);
  WriteTextBlock(page, kCodeLineBold, CutText(value, kKeyValueLen));
  WriteHtmlBlock(page, kCodeLine, "   ");
  WriteBlock(page, caption.size() > 3 ? kKeyBoxSmall : kKeyBoxLarge, caption);
  WriteHtmlBlock(page, kCodeLine, "   ");
  WriteTextBlock(page, kNoteLine, CutText(note, kKeyNoteLen));
  WriteLineBreaks(page, 2);
}

void WriteFunctionKeyNameRow(std::string& page, std::string_view name, std::string_view caption,
                             std::string_view note) {
  name = CutText(name, std::string_view::npos);
  if (name.empty()) return;
  WriteLineBreaks(page, 1);
  WriteNameLine(page, name);
  if (name.size() < kNameRowCodes) {
    const std::string filler((kNameRowCodes - name.size()) * 4, ' ');
    BeginBlock(page, kCodeLineBold);
    AppendStaggeredCodesHtml(page, kCodeGroupSize, filler, kNameCodesCapacity);
    EndBlock(page, kCodeLineBold);
  }
  WriteHtmlBlock(page, kKeyBoxSmall, TrimBlanks(caption));
  note = CutText(note, std::string_view::npos);
  if (!note.empty()) {
    // The note stands eight blanks to the right, in brackets, cut with its brackets.
    std::string bracketed = "(";
    bracketed += note;
    bracketed += ')';
    BeginBlock(page, kNoteLine);
    AppendNbsp(page, 8);
    AppendTextHtml(page, CutText(bracketed, kKeyNameNoteLen));
    EndBlock(page, kNoteLine);
  }
  WriteLineBreaks(page, 2);
}

void WriteFunctionKeyStatusSection(std::string& page, const ParamSet& params) {
  WriteTextLine(page, kPageBreak);
  WriteLineBreaks(page, 2);
  WriteTextLine(page, Win1252("<!-- COMENTARIO   PROGRAMANDO TECLAS DE FUNÇÃO -->"));
  WriteHtmlBlock(page, kSectionTitle, Win1252("PROGRAMANDO TECLAS DE FUNÇÃO"));
  WriteLineBreaks(page, 2);
  WriteBlock(page, kGroupTitle, "Status das teclas");
  WriteTextLine(page, kFloatLeftStyle);
  WriteCodeEntry(page, "  7 0   ", 5);

  WritePaymentStatusRow(page, params.cash_key, "DINHEIRO/TOTAL", false);
  WritePaymentStatusRow(page, params.cheque_key, "CHEQUE", true);
  WritePaymentStatusRow(page, params.card_key, "CARTAO", false);
  WriteDigitStatusRow(page, params.void_receipt_key.disabled, "CANC CUPOM", "(função desativada)",
                      "(função ativada)");
  WriteDigitStatusRow(page, params.discount_pct_key.open, "-  %",
                      "(desconto % aberto (entra % variável))", "(desconto % fixo)");
  WriteDigitStatusRow(page, params.discount_value_key.open, "EMPREG-",
                      "(desconto em valor aberto (valor variável))", "(valor do desconto é fixo)");
  WriteDigitStatusRow(page, params.surcharge_pct_key.open, "+  %",
                      "(acréscimo % aberto (entra % variável))", "(acréscimo % fixo)");
  WriteSectionEnd(page);
}

void WriteFunctionKeyNameSection(std::string& page, const ParamSet& params) {
  struct NamedKey {
    std::string_view name;
    std::string_view caption;
    std::string_view note;  // the key's own name, except for the currency key
  };
  const NamedKey keys[] = {
      {params.cash_key.name, "DINHEIRO/TOTAL", params.cash_key.name},
      {params.cheque_key.name, "CHEQUE", params.cheque_key.name},
      {params.card_key.name, "CARTAO", params.card_key.name},
      {params.void_receipt_key.name, "CANC CUPOM", params.void_receipt_key.name},
      {params.currency_key.name, "MOEDA", "NOTA: tecla`a direita de X/HORA"},
      {params.discount_pct_key.name, "- %", params.discount_pct_key.name},
      {params.discount_value_key.name, "EMPREGADO -", params.discount_value_key.name},
      {params.surcharge_pct_key.name, "+ %", params.surcharge_pct_key.name},
  };
  bool any_name = false;
  for (const NamedKey& key : keys) {
    any_name = any_name || !CutText(key.name, std::string_view::npos).empty();
  }
  if (!any_name) return;

  WriteSectionOpening(page, "Nome das teclas");
  WriteLineBreaks(page, 2);
  WriteHtmlBlock(page, kRedHeading,
                 Win1252("Os nomes poderão ser consultados antes para saber se haverá "
                         "alteração.\nPara consultar digite : 15 [ SUBTOTAL ] \ndepois "
                         "para cada tecla:  4 [X/HORA] tecla \nExemplo para legenda "
                         "CARTAO: 4 [X/HORA] [CARTAO]\nExemplo para legenda CHEQUE: 4 "
                         "[X/HORA] [CHEQUE]\nPara sair da consulta teclar "
                         "[DINHEIRO/TOTAL]."));
  WriteLineBreaks(page, 2);
  WriteTextLine(page, kFloatLeftStyle);
  WriteCodeEntry(page, "  8 0   ", 5);
  for (const NamedKey& key : keys) WriteFunctionKeyNameRow(page, key.name, key.caption, key.note);
  WriteSectionEnd(page);
}

void WriteFunctionKeyValueSection(std::string& page, const ParamSet& params) {
  WriteSectionOpening(page, "Valor limite ou fixo das teclas");
  WriteTextLine(page, kFloatLeftStyle);
  WriteCodeEntry(page, "  9 0   ", 5);

  WriteLimitRow(page, params.cash_key.limit, "DINHEIRO/TOTAL", "(limite de valor em dinheiro)",
                "(SEM limite de valor em dinheiro)");
  WriteLimitRow(page, params.cheque_key.limit, "CHEQUE", "(limite de valor em cheque)",
                "(SEM limite de valor em cheque)");
  WriteLimitRow(page, params.card_key.limit, "CARTAO", "(limite de valor em cartão)",
                "(SEM limite de valor em cartão)");
  WriteLimitRow(page, params.void_receipt_key.limit, "CANC CUPOM",
                "(limita valor cancelado no cupom)", "(NÃO limita valor cancelado no cupom)");
  WriteLimitRow(page, params.void_item_key.limit, "CANC ULT ITEM",
                "(limita valor cancelado último item)", "(NÃO limita valor cancelado último item)");
  WriteCurrencyRateRow(page, params.currency_key);
  WritePercentRow(page, params.discount_pct_key, "- %", "(limite % desconto", "(desconto % fixo");
  WritePercentRow(page, params.surcharge_pct_key, "+ %", "(limite % acréscimo",
                  "(acréscimo % fixo");
  WriteDiscountValueRow(page, params);
  WriteSectionEnd(page);
}

}  // namespace qx
