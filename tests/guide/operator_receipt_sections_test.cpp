#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/cp1252.h"
#include "guide/sections.h"
#include "record_test_util.h"

namespace qx {
namespace {

using namespace testing_util;
using Strings = std::vector<std::string>;
constexpr SectionMode kFull = SectionMode::kFullGuide;
constexpr SectionMode kChanges = SectionMode::kChangesOnly;

std::string Operators(const ParamSet& params, SectionMode mode = kFull) {
  std::string page;
  WriteOperatorSection(page, params, mode);
  return page;
}
std::string Header(const ParamSet& params) {
  std::string page;
  WriteHeaderSection(page, params);
  return page;
}
std::string Footer(const ParamSet& params) {
  std::string page;
  WriteFooterSection(page, params);
  return page;
}
std::string RegisterNumber(const ParamSet& params) {
  std::string page;
  WriteRegisterNumberSection(page, params);
  return page;
}

// The texts of the small notes that stand to the right under a coded row.
Strings PreNotes(std::string_view page) {
  return Between(page, "<td><font size=1><pre>", "</pre>");
}

TEST(OperatorSection, NothingWithoutANamedOperator) {
  ParamSet params;
  params.Operator(4).changed = 1;
  EXPECT_EQ(Operators(params, kFull), "");
  EXPECT_EQ(Operators(params, kChanges), "");
}

TEST(OperatorSection, WholeSectionWithTheRowOfAna) {
  ParamSet params;
  params.Operator(2).name = "ANA";
  const std::string row =
      "<br>\r\n\r\n"
      "<table border=0 font face=\"Courier New\">\r\n<td><font size=\"3\"><pre>"
      "2&nbsp;&nbsp;&nbsp;</pre></font></td>\r\n</table>\r\n\r\n"
      "<table  border=9 cellpadding=0 font face=\"Courier New\">\r\n<tr><td> <font size=\"2\"> "
      "<center>X/HORA</center> </font></td></tr>\r\n</table>\r\n\r\n"
      "<table border=0 font face=\"Courier New\">\r\n<td><font size=\"3\"><pre>"
      "&nbsp;&nbsp;</pre></font></td>\r\n</table>\r\n\r\n"
      "<table border=0 font face=\"Courier New\">\r\n<td><font size=\"4\"><pre><b>"
      "<SUP>065&nbsp;</SUP><SUB>078&nbsp;</SUB><SUP>065&nbsp;</SUP></b></pre></font></td>\r\n"
      "</table>\r\n\r\n"
      "<table border=0 font face=\"Courier New\">\r\n<td><font size=\"4\"><pre><b>"
      "<SUP>&nbsp;&nbsp;&nbsp;&nbsp;</SUP><SUB>&nbsp;&nbsp;&nbsp;&nbsp;</SUB>"
      "<SUP>&nbsp;&nbsp;&nbsp;&nbsp;</SUP><SUB>&nbsp;&nbsp;&nbsp;&nbsp;</SUB>"
      "<SUP>&nbsp;&nbsp;&nbsp;&nbsp;</SUP></b></pre></font></td>\r\n</table>\r\n\r\n"
      "<table  border=9 cellpadding=0 font face=\"Courier New\">\r\n<tr><td> <font size=\"2\"> "
      "<center>SUBTOTAL</center> </font></td></tr>\r\n</table>\r\n\r\n"
      "<br>\r\n\r\n"
      "<table border=0 font face=\"Courier New\">\r\n<td><font size=1><pre>" +
      Nbsp(62) + "(ANA)</pre></td>\r\n</table>\r\n<br>\r\n\r\n" + "<br>\r\n<br>\r\n\r\n";
  const std::string expected =
      L(kPageBreak) + Breaks(2) + L("<!-- COMENTARIO   PROGRAMANDO OPERADORES -->") +
      B(kSectionTitle, "PROGRAMANDO&nbsp;OPERADORES") + Breaks(2) + L(kFloatLeftStyle) +
      B(kCodeLineLarge, "&nbsp;&nbsp;8&nbsp;1&nbsp;0&nbsp;&nbsp;&nbsp;") + B(kKeyBox, "SUBTOTAL") +
      Breaks(4) + row + Breaks(1) + B(kKeyBox, "DINHEIRO/TOTAL") + B(kCodeLine, Nbsp(3)) +
      B(kNoteLine, ToHtml(Win1252("(sai da programação de operadores)"))) + Breaks(2) + Breaks(1);
  EXPECT_EQ(Operators(params), expected);
}

TEST(OperatorSection, OperatorsAreNeverGroupedAndFullNamesGetNoAlignment) {
  ParamSet params;
  params.Operator(1).name = "JOSE";
  params.Operator(3).name = "JOSE";
  params.Operator(10).name = "ABCDEFGH";
  const std::string page = Operators(params);
  EXPECT_EQ(CodeLines(page), (Strings{"1" + Nbsp(3), Nbsp(2), "3" + Nbsp(3), Nbsp(2),
                                      "10" + Nbsp(3), Nbsp(2), Nbsp(3)}));
  // JOSE, its 16-blank block, JOSE, its block, then the 8 codes of ABCDEFGH alone.
  const Strings bold = BoldLines(page);
  ASSERT_EQ(bold.size(), 5u);
  EXPECT_EQ(bold[1], ToHtml(StaggerCodes(3, std::string(16, ' '), 2048)));
  EXPECT_EQ(bold[4], ToHtml(StaggerCodes(3, "065 066 067 068 069 070 071 072 ", 2048)));
  EXPECT_EQ(PreNotes(page),
            (Strings{Nbsp(62) + "(JOSE)", Nbsp(62) + "(JOSE)", Nbsp(62) + "(ABCDEFGH)"}));
  // An eight-character name ends with two line breaks.
  EXPECT_NE(page.find("(ABCDEFGH)</pre></td>\r\n</table>\r\n<br>\r\n\r\n" + Breaks(2) + Breaks(1) +
                      B(kKeyBox, "DINHEIRO/TOTAL")),
            std::string::npos);
}

TEST(OperatorSection, ChangesShowOnlyMarkedNamedOperators) {
  ParamSet params;
  params.Operator(1).name = "ANA";
  params.Operator(2).name = "BIA";
  params.Operator(2).changed = 1;
  EXPECT_EQ(PreNotes(Operators(params, kChanges)), (Strings{Nbsp(62) + "(BIA)"}));
  // The only raised marker on an unnamed operator: opening, code entry and exit only.
  params.Operator(2).changed = 0;
  params.Operator(7).changed = 1;
  const std::string page = Operators(params, kChanges);
  EXPECT_NE(page.find("PROGRAMANDO&nbsp;OPERADORES"), std::string::npos);
  EXPECT_NE(page.find("DINHEIRO/TOTAL"), std::string::npos);
  EXPECT_EQ(PreNotes(page), Strings{});
}

TEST(OperatorSection, NameIsEscapedInItsNoteOnly) {
  ParamSet params;
  params.Operator(1).name = "A<B&C";
  const std::string page = Operators(params);
  EXPECT_EQ(PreNotes(page), (Strings{Nbsp(62) + "(A&lt;B&amp;C)"}));
  EXPECT_EQ(BoldLines(page)[0], ToHtml(StaggerCodes(3, "065 060 066 038 067 ", 2048)));
}

TEST(ReceiptSections, NothingWhenAllLinesAreEmpty) {
  ParamSet params;
  EXPECT_EQ(Header(params), "");
  EXPECT_EQ(Footer(params), "");
}

TEST(ReceiptSections, LongLinesAreTypedInTwoHalves) {
  ParamSet params;
  params.header_lines[0] = "ABCDEFGHIJKL";              // 12: one row
  params.header_lines[2] = "ABCDEFGHIJKLM";             // 13: 12, two line feeds, 1
  params.header_lines[5] = "ABCDEFGHIJKLMNOPQRSTUVWX";  // 24
  const std::string page = Header(params);
  const Strings bold = BoldLines(page);
  ASSERT_EQ(bold.size(), 3u);  // no alignment block: none is shorter than 12
  EXPECT_EQ(bold[0],
            ToHtml(StaggerCodes(3, "065 066 067 068 069 070 071 072 073 074 075 076 ", 2048)));
  EXPECT_EQ(bold[1],
            ToHtml(StaggerCodes(
                3, "065 066 067 068 069 070 071 072 073 074 075 076 <br><br><br><br>077 ", 2048)));
  EXPECT_EQ(CodeLines(page)[0], "1" + Nbsp(3));
  EXPECT_EQ(CodeLines(page)[2], "3" + Nbsp(3));
  EXPECT_EQ(CodeLines(page)[4], "6" + Nbsp(3));
  EXPECT_EQ(PreNotes(page), (Strings{Nbsp(62) + "(ABCDEFGHIJKL)", Nbsp(62) + "(ABCDEFGHIJKLM)",
                                     Nbsp(62) + "(ABCDEFGHIJKLMNOPQRSTUVWX)"}));
  const std::string note_end = "</pre></td>\r\n</table>\r\n<br>\r\n\r\n";
  EXPECT_NE(page.find("(ABCDEFGHIJKL)" + note_end + Breaks(2)), std::string::npos);
  EXPECT_NE(page.find("(ABCDEFGHIJKLM)" + note_end + Breaks(6)), std::string::npos);
  EXPECT_NE(page.find("(ABCDEFGHIJKLMNOPQRSTUVWX)" + note_end + Breaks(6)), std::string::npos);
}

TEST(ReceiptSections, ShortBlankAndBracedLines) {
  ParamSet params;
  params.footer_lines[1] = "   ";
  params.footer_lines[3] = Win1252("{OBRIGADO{É");
  const std::string page = Footer(params);
  const Strings bold = BoldLines(page);
  ASSERT_EQ(bold.size(), 4u);
  EXPECT_EQ(bold[0], ToHtml(StaggerCodes(3, "032 032 032 ", 2048)));
  EXPECT_EQ(bold[1], ToHtml(StaggerCodes(3, std::string(36, ' '), 2048)));
  EXPECT_EQ(bold[2], ToHtml(StaggerCodes(3, "999 079 066 082 073 071 065 068 079 999 017 ", 2048)));
  EXPECT_EQ(bold[3], ToHtml(StaggerCodes(3, std::string(4, ' '), 2048)));
  EXPECT_EQ(PreNotes(page),
            (Strings{Nbsp(62) + "(" + Nbsp(3) + ")", Nbsp(62) + ToHtml(Win1252("({OBRIGADO{É)"))}));
  EXPECT_NE(page.find(L(Win1252("<!-- COMENTARIO   PROGRAMANDO RODAPÉ -->")) +
                      B(kSectionTitle, ToHtml(Win1252("PROGRAMANDO RODAPÉ"))) + Breaks(2) +
                      L(kFloatLeftStyle) +
                      B(kCodeLineLarge, "&nbsp;&nbsp;7&nbsp;5&nbsp;0&nbsp;&nbsp;&nbsp;")),
            std::string::npos);
  EXPECT_NE(page.find(ToHtml(Win1252("(sai da programação do rodapé)"))), std::string::npos);
}

TEST(ReceiptSections, HeaderOpeningAndExit) {
  ParamSet params;
  params.header_lines[0] = "LOJA";
  const std::string page = Header(params);
  EXPECT_EQ(page.find(L(kPageBreak) + Breaks(2) +
                      L(Win1252("<!-- COMENTARIO   PROGRAMANDO CABEÇALHO -->")) +
                      B(kSectionTitle, ToHtml(Win1252("PROGRAMANDO CABEÇALHO"))) + Breaks(2) +
                      L(kFloatLeftStyle) +
                      B(kCodeLineLarge, "&nbsp;&nbsp;7&nbsp;0&nbsp;0&nbsp;&nbsp;&nbsp;") +
                      B(kKeyBox, "SUBTOTAL") + Breaks(4)),
            0u);
  const std::string tail = Breaks(1) + B(kKeyBox, "DINHEIRO/TOTAL") + B(kCodeLine, Nbsp(3)) +
                           B(kNoteLine, ToHtml(Win1252("(sai da programação do cabeçalho)"))) +
                           Breaks(2) + Breaks(1);
  ASSERT_GE(page.size(), tail.size());
  EXPECT_EQ(page.substr(page.size() - tail.size()), tail);
}

TEST(RegisterNumberSection, WholeSection) {
  ParamSet params;
  EXPECT_EQ(RegisterNumber(params), "");
  params.register_number = "000123";
  const std::string expected =
      L(kPageBreak) + Breaks(2) + L(Win1252("<!-- COMENTARIO   PROGRAMANDO NÚMERO DO CAIXA -->")) +
      B(kSectionTitle, ToHtml(Win1252("NÚMERO DA REGISTRADORA"))) + Breaks(1) + L(kFloatLeftStyle) +
      Breaks(1) + B(kCodeLine, "1600" + Nbsp(3)) + B(kKeyBoxSmall, "SUBTOTAL") +
      B(kCodeLine, Nbsp(7) + "123" + Nbsp(7)) + B(kKeyBoxSmall, "X/HORA") +
      B(kNoteLine, Nbsp(8) + "(000123)") + Breaks(2) + Breaks(1) + Breaks(1) +
      B(kKeyBox, "DINHEIRO/TOTAL") + B(kCodeLine, Nbsp(3)) +
      B(kNoteLine, ToHtml(Win1252("(sai da programação do número do caixa)"))) + Breaks(2) +
      Breaks(1);
  EXPECT_EQ(RegisterNumber(params), expected);
}

TEST(RegisterNumberSection, ValueWithoutLeadingZerosAndEscapedText) {
  struct Case {
    const char* number;
    const char* value;
    const char* note;
  };
  const Case cases[] = {
      {"0", "0", "(0)"},
      {"000000", "0", "(000000)"},
      {"42", "42", "(42)"},
      {"1<2", "1&lt;2", "(1&lt;2)"},
  };
  for (const Case& c : cases) {
    ParamSet params;
    params.register_number = c.number;
    const std::string page = RegisterNumber(params);
    EXPECT_EQ(CodeLines(page)[1], Nbsp(7) + c.value + Nbsp(7)) << c.number;
    EXPECT_EQ(Notes(page)[0], Nbsp(8) + c.note) << c.number;
  }
}

}  // namespace
}  // namespace qx
