// The function-key sections 70, 80 and 90: the value typed, the key pressed and the note.
#include <gtest/gtest.h>

#include <string>

#include "guide/html.h"
#include "guide/option_rows.h"
#include "guide/sections.h"
#include "page_builder.h"

namespace qx {
namespace {

using expected::Breaks;
using expected::Fill;
using expected::Html;
using expected::Page;
using expected::W;

bool Contains(const std::string& page, const std::string& part) {
  return page.find(part) != std::string::npos;
}

std::string KeyRow(std::string_view value_html, std::string_view caption,
                   std::string_view note_html) {
  return Page().KeyRow(value_html, caption, note_html).str();
}

std::string StatusSection(const ParamSet& params) {
  std::string page;
  WriteFunctionKeyStatusSection(page, params);
  return page;
}
std::string NameSection(const ParamSet& params) {
  std::string page;
  WriteFunctionKeyNameSection(page, params);
  return page;
}
std::string ValueSection(const ParamSet& params) {
  std::string page;
  WriteFunctionKeyValueSection(page, params);
  return page;
}

TEST(FunctionKeyStatusSection, PaymentDigitsDropLeadingZerosAndNotesFollowTheFlags) {
  struct Case {
    char required, change, refuse;
    const char* value;
    const char* cash_note;
    const char* cheque_note;
  } cases[] = {
      {'0', '1', '0', "10", "(MEIO PAG: NÃO obriga dig.valor+ Permite troco+ Aceita valor menor)",
       "(MEIO PAG: NÃO obriga dig.valor+ Permite troco+ Aceita valor menor)"},
      {'0', '0', '0', "0",
       "(MEIO PAG: NÃO obriga dig.valor+ NÃO permite troco+ Aceita valor menor)",
       "(MEIO PAG: NÃO obriga dig.valor+ NÃO permite troco+ Aceita valor menor)"},
      {'1', '1', '1', "111", "(MEIO PAG: Obriga dig.valor+ Permite troco+ NÃO aceita valor menor+)",
       "(MEIO PAG: Obriga dig.valor+ Permite troco+ NÃO Aceita valor menor+)"},
      {'2', '3', '5', "11",
       "(MEIO PAG: NÃO obriga dig.valor+ Permite troco+ NÃO aceita valor menor+)",
       "(MEIO PAG: NÃO obriga dig.valor+ Permite troco+ NÃO Aceita valor menor+)"},
      {'0', '0', '1', "1",
       "(MEIO PAG: NÃO obriga dig.valor+ NÃO permite troco+ NÃO aceita valor menor+)",
       "(MEIO PAG: NÃO obriga dig.valor+ NÃO permite troco+ NÃO Aceita valor menor+)"},
  };
  for (const Case& c : cases) {
    ParamSet params;
    for (PaymentKey* key : {&params.cash_key, &params.cheque_key, &params.card_key}) {
      key->value_required = c.required;
      key->change_allowed = c.change;
      key->lower_value_refused = c.refuse;
    }
    const std::string page = StatusSection(params);
    EXPECT_TRUE(Contains(page, KeyRow(c.value, "DINHEIRO/TOTAL", Html(W(c.cash_note))))) << c.value;
    EXPECT_TRUE(Contains(page, KeyRow(c.value, "CHEQUE", Html(W(c.cheque_note))))) << c.value;
    EXPECT_TRUE(Contains(page, KeyRow(c.value, "CARTAO", Html(W(c.cash_note))))) << c.value;
  }
}

TEST(FunctionKeyStatusSection, OneDigitStatusesKeepTheirBlanks) {
  ParamSet params;
  params.void_receipt_key.disabled = '1';
  params.discount_pct_key.open = '0';
  params.discount_value_key.open = '0';
  params.surcharge_pct_key.open = '\0';
  const std::string page = StatusSection(params);
  EXPECT_TRUE(Contains(page, KeyRow("&nbsp;&nbsp;&nbsp;&nbsp;1&nbsp;&nbsp;", "CANC CUPOM",
                                    Html(W("(função desativada)")))));
  EXPECT_TRUE(Contains(page, KeyRow(Html("    0  "), "-  %", Html("(desconto % fixo)"))));
  EXPECT_TRUE(
      Contains(page, KeyRow(Html("    0  "), "EMPREG-", Html(W("(valor do desconto é fixo)")))));
  EXPECT_TRUE(Contains(page, KeyRow(Html("    0  "), "+  %", Html(W("(acréscimo % fixo)")))));
}

TEST(FunctionKeyRow, ShortCaptionsGetTheLargeBoxAndLongNotesAreCutAtEighty) {
  const std::string note(79, 'n');
  std::string page;
  WriteFunctionKeyRow(page, "A<B&C", "- %", note + "<x");
  EXPECT_EQ(page, KeyRow("A&lt;B&amp;C", "- %", note + "&lt;"));
  EXPECT_TRUE(Contains(page, Fill(expected::kKeyBoxLarge, "- %")));
  page.clear();
  WriteFunctionKeyRow(page, std::string(130, '9'), "-  %", "");
  EXPECT_TRUE(Contains(page, Fill(expected::kCodeLineBold, std::string(128, '9'))));
  EXPECT_TRUE(Contains(page, Fill(expected::kKeyBoxSmall, "-  %")));
  EXPECT_TRUE(Contains(page, Fill(expected::kNoteLine, "")));
}

TEST(FunctionKeyNameSection, WritesNothingWithoutNames) { EXPECT_EQ(NameSection(ParamSet{}), ""); }

std::string Filler(int codes) {
  std::string staggered = "<SUP>";
  for (int i = 0; i < codes; ++i) {
    staggered += "&nbsp;&nbsp;&nbsp;&nbsp;";
    staggered += i % 2 == 0 ? "</SUP>" : "</SUB>";
    if (i + 1 < codes) staggered += i % 2 == 0 ? "<SUB>" : "<SUP>";
  }
  return Fill(expected::kCodeLineBold, staggered) + "\r\n";
}

TEST(FunctionKeyNameSection, OneKeyNamedGivesTheWholeSection) {
  ParamSet params;
  params.card_key.name = "VISA";
  Page p;
  p.Line(expected::kPageBreak)
      .Line(Breaks(2))
      .Line(Fill(expected::kGroupTitle, "Nome das teclas"))
      .Line(Breaks(2))
      .Line(Fill(expected::kRedHeading,
                 Html(W("Os nomes poderão ser consultados antes para saber se haverá alteração."
                        "\nPara consultar digite : 15 [ SUBTOTAL ] \ndepois para cada tecla:  4 "
                        "[X/HORA] tecla \nExemplo para legenda CARTAO: 4 [X/HORA] [CARTAO]\n"
                        "Exemplo para legenda CHEQUE: 4 [X/HORA] [CHEQUE]\nPara sair da "
                        "consulta teclar [DINHEIRO/TOTAL]."))))
      .Line(Breaks(2))
      .Line(expected::kFloatLeftStyle)
      .CodeEntry("  8 0   ", 5)
      .Line(Breaks(1))
      .Line(Fill(expected::kCodeLineBold,
                 "<SUP>086&nbsp;</SUP><SUB>073&nbsp;</SUB><SUP>083&nbsp;"
                 "</SUP><SUB>065&nbsp;</SUB>"))
      .Raw(Filler(5))
      .Line(Fill(expected::kKeyBoxSmall, "CARTAO"))
      .Line(Fill(expected::kNoteLine, Html("        (VISA)")))
      .Line(Breaks(2))
      .Exit(W("(sai da programação de tecla)"))
      .Line(Breaks(1));
  EXPECT_EQ(NameSection(params), p.str());
}

TEST(FunctionKeyNameSection, FillersPadEveryNameToNineCodes) {
  struct Case {
    std::string name;
    int filler_codes;
  } cases[] = {{"ABCDEFGH", 1}, {"A", 8}, {"{A}", 6}, {"ABCDEFGHI", 0}};
  for (const Case& c : cases) {
    ParamSet params;
    params.cheque_key.name = c.name;
    const std::string page = NameSection(params);
    const std::string box = Fill(expected::kKeyBoxSmall, "CHEQUE") + "\r\n";
    if (c.filler_codes > 0) {
      EXPECT_TRUE(Contains(page, Filler(c.filler_codes) + box)) << c.name;
    } else {
      EXPECT_TRUE(Contains(page, "073&nbsp;</SUP></b></pre></font></td>\r\n</table>\r\n\r\n" + box))
          << c.name;
    }
  }
}

TEST(FunctionKeyNameSection, CaptionsAreTrimmedAndNamesEscapedOnlyInNotes) {
  ParamSet params;
  params.discount_value_key.name = "A<B&C";
  params.discount_pct_key.name = "{D}";
  const std::string page = NameSection(params);
  EXPECT_TRUE(Contains(page,
                       "<SUP>065&nbsp;</SUP><SUB>060&nbsp;</SUB><SUP>066&nbsp;</SUP>"
                       "<SUB>038&nbsp;</SUB><SUP>067&nbsp;</SUP>"));
  EXPECT_TRUE(Contains(page, Fill(expected::kNoteLine, Html("        (A&lt;B&amp;C)"))));
  EXPECT_TRUE(Contains(page, Fill(expected::kKeyBoxSmall, "EMPREGADO&nbsp;-")));
  EXPECT_TRUE(Contains(page, "<SUP>999&nbsp;</SUP><SUB>068&nbsp;</SUB><SUP>999&nbsp;</SUP>"));
  EXPECT_TRUE(Contains(page, Fill(expected::kKeyBoxSmall, "-&nbsp;%")));
}

TEST(FunctionKeyNameSection, TheCurrencyKeySaysWhereItIsAndLongNotesAreCutAtSixty) {
  ParamSet params;
  params.currency_key.name = "US";
  params.cash_key.name = std::string(70, 'x');  // longer than any editor allows
  const std::string page = NameSection(params);
  EXPECT_TRUE(
      Contains(page, Fill(expected::kNoteLine, Html("        (NOTA: tecla`a direita de X/HORA)"))));
  EXPECT_TRUE(Contains(page, Fill(expected::kNoteLine, Html("        (" + std::string(59, 'x')))));
  EXPECT_EQ(page.find("CANC&nbsp;CUPOM"), std::string::npos) << "no row for an unnamed key";
}

TEST(FunctionKeyValueSection, LimitsShowTheStoredDigitsAndSayWhetherTheyLimit) {
  struct Case {
    std::string limit;
    std::string value;
    bool limited;
  } cases[] = {
      {"", "0", false}, {"000000", "0", false},           {"00012300", "12300", true},
      {"7", "7", true}, {"A<B&C", "A&lt;B&amp;C", false},
  };
  for (const Case& c : cases) {
    ParamSet params;
    params.cash_key.limit = c.limit;
    params.void_item_key.limit = c.limit;
    const std::string page = ValueSection(params);
    EXPECT_TRUE(Contains(page, KeyRow(c.value, "DINHEIRO/TOTAL",
                                      Html(c.limited ? "(limite de valor em dinheiro)"
                                                     : "(SEM limite de valor em dinheiro)"))))
        << c.limit;
    EXPECT_TRUE(
        Contains(page, KeyRow(c.value, "CANC ULT ITEM",
                              Html(W(c.limited ? "(limita valor cancelado último item)"
                                               : "(NÃO limita valor cancelado último item)")))))
        << c.limit;
  }
}

TEST(FunctionKeyValueSection, ExchangeRateIsDigitsThenDecimals) {
  struct Case {
    std::string rate, decimals, value;
  } cases[] = {
      {"", "2", "0"},        {"0000", "2", "0"},
      {"125", "2", "125 2"}, {"1234567", "34", "1234567 3"},
      {"12.5", "", "125 "},
  };
  for (const Case& c : cases) {
    ParamSet params;
    params.currency_key.exchange_rate = c.rate;
    params.currency_key.rate_decimals = c.decimals;
    EXPECT_TRUE(Contains(ValueSection(params),
                         KeyRow(Html(c.value), "MOEDA", Html(W("(taxa de conversão da moeda)")))))
        << c.rate;
  }
}

TEST(FunctionKeyValueSection, PercentagesAreNormalisedAndLabelledByOpen) {
  ParamSet params;
  params.discount_pct_key.percent = "5,5";
  params.surcharge_pct_key.percent = "10000";
  params.surcharge_pct_key.open = '0';
  const std::string page = ValueSection(params);
  EXPECT_TRUE(Contains(page, KeyRow("5500", "- %", Html("(limite % desconto=05,500%)"))));
  EXPECT_TRUE(Contains(page, KeyRow("10000", "+ %", Html(W("(acréscimo % fixo=10,000%)")))));
}

TEST(FunctionKeyValueSection, DiscountValueShowsTheAmountWithTheLocalSymbolEscaped) {
  ParamSet params;
  params.discount_value_key.value = "1500";
  params.print_options.local_currency_symbol = "R$";
  EXPECT_TRUE(
      Contains(ValueSection(params),
               KeyRow("1500", "EMPREGADO -", Html("(limite de desconto em valor=R$ 15,00)"))));
  params.discount_value_key.value = "0150";  // typed without its leading zero
  EXPECT_TRUE(
      Contains(ValueSection(params),
               KeyRow("150", "EMPREGADO -", Html("(limite de desconto em valor=R$ 01,50)"))));
  params.discount_value_key.value = "1500";
  params.print_options.local_currency_symbol = "<$>";
  EXPECT_TRUE(Contains(
      ValueSection(params),
      KeyRow("1500", "EMPREGADO -", Html("(limite de desconto em valor=&lt;$&gt; 15,00)"))));
}

TEST(FunctionKeyValueSection, RowsComeInTheRegistersOrder) {
  const std::string page = ValueSection(ParamSet{});
  const char* captions[] = {
      "DINHEIRO/TOTAL</center>", "CHEQUE</center>", "CARTAO</center>", "CANC CUPOM</center>",
      "CANC ULT ITEM</center>",  "MOEDA</center>",  ">- %</font>",     ">+ %</font>",
      "EMPREGADO -</center>"};
  std::size_t at = 0;
  for (const char* caption : captions) {
    const std::size_t next = page.find(caption, at);
    ASSERT_NE(next, std::string::npos) << caption;
    at = next;
  }
}

}  // namespace
}  // namespace qx
