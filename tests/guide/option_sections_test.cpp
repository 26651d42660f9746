// The system and print option sections: one row per option with the value typed and its
// note, as the technician reads it.
#include <gtest/gtest.h>

#include <string>

#include "guide/option_rows.h"
#include "guide/sections.h"
#include "page_builder.h"

namespace qx {
namespace {

using expected::Html;
using expected::Page;
using expected::W;

std::string Row(std::string_view number, std::string_view value_html, std::string_view note_html) {
  return Page().OptionRow(number, value_html, note_html).str();
}

bool Contains(const std::string& page, const std::string& part) {
  return page.find(part) != std::string::npos;
}

std::string SystemSection(const ParamSet& params) {
  std::string page;
  WriteSystemOptionsSection(page, params);
  return page;
}

std::string PrintSection(const ParamSet& params) {
  std::string page;
  WritePrintOptionsSection(page, params);
  return page;
}

TEST(SystemOptionsSection, FlagsCountByTheirLowBit) {
  struct Case {
    char flag;
    const char* value;
    const char* note;
  } cases[] = {
      {'1', "1", "(buzina tecla ON)"},   {'0', "0", "(buzina tecla OFF)"},
      {'3', "1", "(buzina tecla ON)"},   {'2', "0", "(buzina tecla OFF)"},
      {'\0', "0", "(buzina tecla OFF)"}, {'\xFF', "1", "(buzina tecla ON)"},
  };
  for (const Case& c : cases) {
    ParamSet params;
    params.system_options.key_beep = c.flag;
    EXPECT_TRUE(Contains(SystemSection(params), Row("  1  ", c.value, Html(c.note))))
        << int(c.flag);
  }
}

TEST(SystemOptionsSection, NotesAreCutToFiftyCharacters) {
  ParamSet params;
  params.system_options.multiply_quantity = '1';
  EXPECT_TRUE(
      Contains(SystemSection(params),
               Row(" 19  ", "1", Html("(Multiplica quantidade se quant.2 vezes consecutiv"))));
  params.system_options.multiply_quantity = '0';
  EXPECT_TRUE(Contains(SystemSection(params),
                       Row(" 19  ", "0", Html("(Parte da quant.se quant.2 vezes consecutivas)"))));
}

TEST(SystemOptionsSection, RepeatReceiptClearKeepsItsTilde) {
  EXPECT_TRUE(Contains(SystemSection(ParamSet{}),
                       Row(" 11  ", "0", Html(W("~(NÃO repete cupom se tecla DINHEIRO)")))));
}

TEST(SystemOptionsSection, DateAndDecimalsShowTheStoredCharacterEscaped) {
  ParamSet params;
  params.system_options.date_format = '\0';
  params.system_options.decimal_places = '<';
  const std::string page = SystemSection(params);
  EXPECT_TRUE(Contains(page, Row("  2  ", "", Html("(formato data DDMMAA)"))));
  EXPECT_TRUE(Contains(page, Row("  3  ", "&lt;", Html(W("(número de casas decimais)")))));
}

TEST(SystemOptionsSection, WritesNineteenRowsWithoutOptionFive) {
  const std::string page = SystemSection(ParamSet{});
  std::size_t rows = 0;
  for (std::size_t at = page.find("X/HORA"); at != std::string::npos;
       at = page.find("X/HORA", at + 1)) {
    ++rows;
  }
  EXPECT_EQ(rows, 19u);
  EXPECT_FALSE(Contains(page, "<pre>&nbsp;&nbsp;5&nbsp;&nbsp;</pre>"));
  EXPECT_TRUE(Contains(page, "<pre>&nbsp;&nbsp;6&nbsp;&nbsp;</pre>"));
}

TEST(PrintOptionsSection, TheCurrencySymbolsAreTypedAsCodes) {
  ParamSet params;
  params.print_options.local_currency_symbol = "R\x80";  // the euro sign has no code
  params.print_options.foreign_currency_symbol = "<b>";
  const std::string page = PrintSection(params);
  EXPECT_TRUE(
      Contains(page, Row("  3  ", "<SUP>082&nbsp;</SUP>", Html(W("(Símbolo da moeda local=R€)")))));
  EXPECT_TRUE(
      Contains(page, Row("  4  ", "<SUP>060&nbsp;</SUP><SUB>098&nbsp;</SUB><SUP>062&nbsp;</SUP>",
                         Html(W("(Símbolo da moeda estrangeira=&lt;b&gt;)")))));
}

TEST(PrintOptionsSection, AnEmptySymbolRemovesOnlyItsRow) {
  ParamSet params;
  params.print_options.local_currency_symbol.clear();
  const std::string page = PrintSection(params);
  EXPECT_FALSE(Contains(page, "<pre>&nbsp;&nbsp;3&nbsp;&nbsp;</pre>"));
  EXPECT_TRUE(
      Contains(page, Row("  4  ", "<SUP>085&nbsp;</SUP><SUB>083&nbsp;</SUB><SUP>036&nbsp;</SUP>",
                         Html(W("(Símbolo da moeda estrangeira=US$)")))));
  EXPECT_TRUE(Contains(page, "<pre>&nbsp;&nbsp;5&nbsp;&nbsp;</pre>"));
}

TEST(PrintOptionsSection, OptionTwentySevenClearIsCutBeforeItsParenthesis) {
  ParamSet params;
  params.print_options.print_code_in_product_report = '0';
  EXPECT_TRUE(
      Contains(PrintSection(params),
               Row(" 27  ", "0", Html(W("(NÃO imprime código do produto na leitura PRODUTOS")))));
}

TEST(PrintOptionsSection, ReservedOptionsNeverAppear) {
  ParamSet params;
  for (char* flag :
       {&params.print_options.print_reserved_13, &params.print_options.print_reserved_14,
        &params.print_options.print_reserved_15, &params.print_options.print_reserved_16,
        &params.print_options.print_reserved_17}) {
    *flag = '1';
  }
  const std::string page = PrintSection(params);
  for (int n = 13; n <= 17; ++n) {
    EXPECT_FALSE(Contains(page, "<pre>&nbsp;" + std::to_string(n) + "&nbsp;&nbsp;</pre>")) << n;
  }
  EXPECT_TRUE(Contains(page, "<pre>&nbsp;12&nbsp;&nbsp;</pre>"));
  EXPECT_TRUE(Contains(page, "<pre>&nbsp;18&nbsp;&nbsp;</pre>"));
}

TEST(WriteOptionRow, CutsTheNoteBeforeEscapingIt) {
  // 48 characters and "<&x": the cut to 50 keeps "<&"; escaping first would have cut the
  // page inside an entity.
  const std::string note = std::string(48, 'n') + "<&x";
  std::string page;
  WriteOptionRow(page, 7, "1", note);
  EXPECT_EQ(page, Row("  7  ", "1", std::string(48, 'n') + "&lt;&amp;"));
  page.clear();
  WriteOptionRow(page, 8, "1", "A<B&C");
  EXPECT_EQ(page, Row("  8  ", "1", "A&lt;B&amp;C"));
}

}  // namespace
}  // namespace qx
