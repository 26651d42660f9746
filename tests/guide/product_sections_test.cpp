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

using Writer = void (*)(std::string&, const ParamSet&, SectionMode);
std::string RunSection(Writer writer, const ParamSet& params, SectionMode mode = kFull) {
  std::string page;
  writer(page, params, mode);
  return page;
}
std::string Status(const ParamSet& p, SectionMode m = kFull) {
  return RunSection(WriteProductStatusSection, p, m);
}
std::string Price(const ParamSet& p, SectionMode m = kFull) {
  return RunSection(WriteProductPriceSection, p, m);
}
std::string Name(const ParamSet& p, SectionMode m = kFull) {
  return RunSection(WriteProductNameSection, p, m);
}
std::string Link(const ParamSet& p, SectionMode m = kFull) {
  return RunSection(WriteProductLinkSection, p, m);
}

// Shown text of a note: ToHtml of the plain text given in UTF-8.
std::string Shown(std::string_view utf8) { return ToHtml(Win1252(utf8)); }
// A name left-aligned in 12 characters, as the notes show it.
std::string Pad(std::string name) {
  name.resize(12, ' ');
  return name;
}

TEST(ProductSections, NothingWithoutANamedProductInEitherMode) {
  ParamSet params;
  params.Product(3).dept_code = "1";
  params.Product(3).changed_status = params.Product(3).changed_price = 1;
  params.Product(3).changed_name = params.Product(3).changed_dept = 1;
  for (SectionMode mode : {kFull, kChanges}) {
    for (Writer writer : {WriteProductStatusSection, WriteProductPriceSection,
                          WriteProductNameSection, WriteProductLinkSection}) {
      EXPECT_EQ(RunSection(writer, params, mode), "");
    }
  }
}

TEST(ProductSections, StatusRowOfASingleProduct) {
  ParamSet params;
  params.Product(7).name = "LEITE";
  const std::string page = Status(params);
  const std::string row =
      "<br>\r\n\r\n"
      "<table border=0 font face=\"Courier New\">\r\n<td><font size=\"4\"><pre><b>"
      "&nbsp;&nbsp;7&nbsp;&nbsp;&nbsp;</b></pre></font></td>\r\n</table>\r\n\r\n"
      "<table  border=9 cellpadding=0 font face=\"Courier New\">\r\n<tr><td> <font size=\"2\"> "
      "<center>PLU</center> </font></td></tr>\r\n</table>\r\n\r\n"
      "<table border=0 font face=\"Courier New\">\r\n<td><font size=\"3\"><pre>"
      "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;11&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;"
      "</pre></font></td>\r\n</table>\r\n\r\n"
      "<table  border=9 cellpadding=0 font face=\"Courier New\">\r\n<tr><td> <font size=\"2\"> "
      "<center>X/HORA</center> </font></td></tr>\r\n</table>\r\n\r\n"
      "<table border=0 font face=\"Arial\">\r\n<td><font size=-2>"
      "&nbsp;(LEITE&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;...+PRE\xC7O&nbsp;ABERTO+PRE\xC7O"
      "&nbsp;FIXO)</td>\r\n</table>\r\n<br>\r\n\r\n"
      "<br>\r\n<br>\r\n\r\n";
  const std::string expected =
      L("<DIV style=\"page-break-after:always\"></DIV>") + Breaks(2) +
      L("<!-- COMENTARIO   PROGRAMANDO PRODUTOS -->") +
      B(kSectionTitle, "PROGRAMANDO&nbsp;PRODUTOS") + Breaks(2) +
      B(kGroupTitle, "Status dos produtos") + L(kFloatLeftStyle) +
      B(kCodeLineLarge, "&nbsp;&nbsp;1&nbsp;0&nbsp;0&nbsp;&nbsp;&nbsp;") + B(kKeyBox, "SUBTOTAL") +
      Breaks(4) + row + Breaks(1) + B(kKeyBox, "DINHEIRO/TOTAL") + B(kCodeLine, Nbsp(3)) +
      B(kNoteLine, Shown("(sai da programação status do produto)")) + Breaks(2) + Breaks(1);
  EXPECT_EQ(page, expected);
}

TEST(ProductSections, StatusNotesFollowTheFlags) {
  struct Case {
    const char* flags;
    const char* digits;
    const char* note;
  };
  const Case cases[] = {
      {"0000", "0", "...+ABERTO)"},
      {"1100", "11000000", "...PLU.preço negativo+UNICO NA VENDA+ABERTO)"},
      {"0001", "1", "...+PREÇO FIXO)"},
  };
  for (const Case& c : cases) {
    ParamSet params;
    PluRecord& plu = params.Product(1);
    plu.name = "A";
    plu.status_negative_price = c.flags[0];
    plu.status_single_item_sale = c.flags[1];
    plu.status_open_price = c.flags[2];
    plu.status_fixed_price = c.flags[3];
    const std::string page = Status(params);
    EXPECT_EQ(CodeLines(page)[0], Nbsp(7) + c.digits + Nbsp(7)) << c.flags;
    EXPECT_EQ(Notes(page)[0], "&nbsp;" + Shown("(" + Pad("A") + c.note)) << c.flags;
  }
}

TEST(ProductSections, RangesStopAtAnUnnamedProductAndReachProduct500) {
  ParamSet params;
  for (int p : {1, 2, 3, 4, 6, 499, 500}) params.Product(p).name = "P" + std::to_string(p);
  const std::string page = Status(params);
  EXPECT_EQ(SmallKeys(page),
            (Strings{"PLU", "PLU", "X/HORA", "PLU", "X/HORA", "PLU", "PLU", "X/HORA"}));
  EXPECT_EQ(BoldLines(page), (Strings{"&nbsp;&nbsp;1&nbsp;&nbsp;&nbsp;",
                                      "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;4&nbsp;&nbsp;&nbsp;",
                                      "&nbsp;&nbsp;6&nbsp;&nbsp;&nbsp;", "499&nbsp;&nbsp;&nbsp;",
                                      "&nbsp;&nbsp;&nbsp;500&nbsp;&nbsp;&nbsp;"}));
  EXPECT_EQ(Notes(page)[0], "&nbsp;" + Shown("(" + Pad("P1") + "...+PREÇO ABERTO+PREÇO FIXO)"));
  EXPECT_EQ(CodeLines(page)[0], Nbsp(2) + "11" + Nbsp(2));
  // Product 500 on its own.
  params.Product(500).status_fixed_price = '0';
  EXPECT_EQ(BoldLines(Status(params)).back(), "500&nbsp;&nbsp;&nbsp;");
}

TEST(ProductSections, PriceValueIsPaddedToSevenCharacters) {
  ParamSet params;
  params.Product(1).name = "ARROZ";
  params.Product(1).price = "0000150";
  params.Product(2).name = "FEIJAO";
  params.Product(3).name = "SAL";
  params.Product(3).price = "1234567";
  const std::string page = Price(params);
  EXPECT_EQ(CodeLines(page),
            (Strings{Nbsp(7) + "150" + Nbsp(4) + Nbsp(7), Nbsp(7) + "0" + Nbsp(6) + Nbsp(7),
                     Nbsp(7) + "1234567" + Nbsp(7), Nbsp(3)}));
  EXPECT_EQ(Notes(page)[0], "&nbsp;" + Shown("(" + Pad("ARROZ") + "...R$ 00.001,50)"));
  EXPECT_EQ(Notes(page)[1], "&nbsp;" + Shown("(" + Pad("FEIJAO") + "...0,00)"));
  EXPECT_EQ(Notes(page)[2], "&nbsp;" + Shown("(" + Pad("SAL") + "...R$ 12.345,67)"));
}

TEST(ProductSections, NameRowsTypeTheNameAndAlignTheClosingKey) {
  ParamSet params;
  params.Product(12).name = "ABCDEFGHIJKL";
  params.Product(14).name = " ";
  const std::string page = Name(params);
  const std::string single =
      Breaks(1) + B(kCodeLine, "12" + Nbsp(2)) + B(kKeyBoxSmall, "PLU") + B(kCodeLine, Nbsp(1)) +
      B(kCodeLineBold,
        ToHtml(StaggerCodes(3, "065 066 067 068 069 070 071 072 073 074 075 076 ", 2048))) +
      B(kCodeLineBold, "<SUP>" + Nbsp(4) + "</SUP>") + B(kKeyBoxSmall, "X/HORA") + Breaks(1) +
      B(kSmallNoteLine, Nbsp(61) + "(ABCDEFGHIJKL)") + Breaks(2);
  EXPECT_NE(page.find(single), std::string::npos);
  // A name of one blank is typed as the blank's code, with its note padded to 12.
  EXPECT_EQ(BoldLines(page)[2], "<SUP>032&nbsp;</SUP>");
  EXPECT_EQ(SmallNotes(page)[1], Nbsp(61) + "(" + Nbsp(12) + ")");
}

TEST(ProductSections, NameRangeRow) {
  ParamSet params;
  for (int p : {8, 9, 10}) params.Product(p).name = "OVO";
  const std::string page = Name(params);
  const std::string range =
      Breaks(1) + B(kCodeLine, "8&nbsp;") + B(kKeyBoxSmall, "PLU") + B(kCodeLine, Nbsp(1)) +
      B(kCodeLine, "10" + Nbsp(3)) + B(kKeyBoxSmall, "PLU") + B(kCodeLine, Nbsp(1)) +
      B(kCodeLineBold, "<SUP>079&nbsp;</SUP><SUB>086&nbsp;</SUB><SUP>079&nbsp;</SUP>") +
      B(kKeyBoxSmall, "X/HORA") + B(kNoteLine, Nbsp(3) + "(OVO" + Nbsp(9) + ")") + Breaks(2);
  EXPECT_NE(page.find(range), std::string::npos);
  EXPECT_EQ(Count(page, "X/HORA"), 1u);  // never the shorter ranges of later members
}

TEST(ProductSections, ChangesShowTheWholeGroupOfAnAlteredProduct) {
  ParamSet params;
  for (int p : {1, 2, 3}) params.Product(p).name = "CHA";
  params.Product(4).name = "MATE";
  params.Product(3).changed_name = 1;
  EXPECT_EQ(CodeLines(Name(params, kChanges))[0], "1&nbsp;");
  EXPECT_EQ(SmallKeys(Name(params, kChanges)), (Strings{"PLU", "PLU", "X/HORA"}));
  EXPECT_EQ(Count(Name(params), "X/HORA"), 2u);
  // Another section's marker does not count.
  EXPECT_EQ(Status(params, kChanges), "");
  EXPECT_EQ(Price(params, kChanges), "");
  // A raised marker on an unnamed product opens the section without rows.
  params.Product(3).changed_name = 0;
  params.Product(300).changed_name = 1;
  const std::string empty = Name(params, kChanges);
  EXPECT_NE(empty.find("Nome dos produtos"), std::string::npos);
  EXPECT_EQ(SmallKeys(empty), Strings{});
}

TEST(ProductSections, LinkGroupsByDepartmentValue) {
  ParamSet params;
  params.Department(5).name = "BEBIDAS";
  params.Product(10).name = "SUCO";
  params.Product(10).dept_code = "5";
  params.Product(11).name = "AGUA";
  params.Product(11).dept_code = "05";
  const std::string page = Link(params);
  const std::string range =
      Breaks(1) + B(kCodeLine, "10&nbsp;") + B(kKeyBoxSmall, "PLU") + B(kCodeLine, Nbsp(1)) +
      B(kCodeLine, "11" + Nbsp(3)) + B(kKeyBoxSmall, "PLU") + B(kCodeLine, Nbsp(1)) +
      B(kCodeLine, Nbsp(2)) + B(kKeyBoxSmall, "BEBIDAS") +
      B(kNoteLine, Nbsp(3) + "(departamento=&nbsp;5&nbsp;&nbsp;)") + Breaks(2);
  EXPECT_NE(page.find(range), std::string::npos);
  EXPECT_EQ(SmallKeys(page), (Strings{"PLU", "PLU", "BEBIDAS"}));
}

TEST(ProductSections, LinkRowsOnlyForADepartmentAboveZero) {
  ParamSet params;
  const char* codes[] = {"3", "", "0", "-2", "x", "3"};
  for (int i = 0; i < 6; ++i) {
    params.Product(i + 1).name = "P" + std::to_string(i + 1);
    params.Product(i + 1).dept_code = codes[i];
  }
  const std::string page = Link(params);
  // The unlinked products between 1 and 6 keep them apart; department 3 has no name.
  EXPECT_EQ(SmallKeys(page), (Strings{"PLU", "DEPT3", "PLU", "DEPT3"}));
  EXPECT_EQ(SmallNotes(page), (Strings{Nbsp(61) + "(departamento=&nbsp;3&nbsp;&nbsp;)",
                                       Nbsp(61) + "(departamento=&nbsp;3&nbsp;&nbsp;)"}));
  const std::string single = Breaks(1) + B(kCodeLine, "6" + Nbsp(2)) + B(kKeyBoxSmall, "PLU") +
                             B(kCodeLine, Nbsp(1)) + B(kKeyBoxSmall, "DEPT3") + Breaks(1) +
                             B(kSmallNoteLine, Nbsp(61) + "(departamento=&nbsp;3&nbsp;&nbsp;)") +
                             Breaks(2);
  EXPECT_NE(page.find(single), std::string::npos);
  // No product linked at all: the section is still opened and closed, with no row.
  for (int i = 1; i <= 6; ++i) params.Product(i).dept_code = "";
  EXPECT_EQ(SmallKeys(Link(params)), Strings{});
  EXPECT_NE(Link(params).find("Vincula um produto a um departamento"), std::string::npos);
}

TEST(ProductSections, LinkKeyOfAnUnnamedOrUnknownDepartment) {
  struct Case {
    const char* code;
    const char* key;
    const char* note;
  };
  const Case cases[] = {
      {"7", "DEPT7", "(departamento=&nbsp;7&nbsp;&nbsp;)"},
      {"20", "DEPT20", "(departamento=&nbsp;20&nbsp;)"},
      {"07", "DEPT7", "(departamento=&nbsp;07&nbsp;)"},
      {" 9", "DEPT9", "(departamento=&nbsp;&nbsp;9&nbsp;)"},
      {"16", "ULTIMO", "(departamento=&nbsp;16&nbsp;)"},
  };
  for (const Case& c : cases) {
    ParamSet params;
    params.Department(16).name = "ULTIMO";
    params.Product(1).name = "X";
    params.Product(1).dept_code = c.code;
    const std::string page = Link(params);
    EXPECT_EQ(SmallKeys(page), (Strings{"PLU", c.key})) << c.code;
    EXPECT_EQ(SmallNotes(page)[0], Nbsp(61) + c.note) << c.code;
  }
}

TEST(ProductSections, LinkChangesNeedADepartmentOtherThanZero) {
  ParamSet params;
  params.Product(1).name = "X";
  params.Product(1).changed_dept = 1;
  EXPECT_EQ(Link(params, kChanges), "");
  params.Product(2).name = "Y";
  params.Product(2).dept_code = "4";
  EXPECT_EQ(Link(params, kChanges), "");
  params.Product(2).changed_dept = 1;
  EXPECT_EQ(SmallKeys(Link(params, kChanges)), (Strings{"PLU", "DEPT4"}));
}

TEST(ProductSections, LongDepartmentNameIsOneLineInTheLinkKey) {
  ParamSet params;
  params.Department(2).name = " LATICINIOS&1";
  params.Product(1).name = "X";
  params.Product(1).dept_code = "2";
  EXPECT_EQ(SmallKeys(Link(params)), (Strings{"PLU", "LATICINIOS&amp;1"}));
}

TEST(ProductSections, TextFromTheSetIsEscapedAfterItsCuts) {
  ParamSet params;
  params.Product(1).name = "A<B&C";
  params.Product(1).price = "<9>";
  EXPECT_EQ(Notes(Status(params))[0],
            "&nbsp;(A&lt;B&amp;C" + Nbsp(7) + Shown("...+PREÇO ABERTO+PREÇO FIXO)"));
  EXPECT_EQ(SmallNotes(Name(params))[0], Nbsp(61) + "(A&lt;B&amp;C" + Nbsp(7) + ")");
  EXPECT_EQ(BoldLines(Name(params))[0],
            "<SUP>065&nbsp;</SUP><SUB>060&nbsp;</SUB><SUP>066&nbsp;</SUP><SUB>038&nbsp;</SUB>"
            "<SUP>067&nbsp;</SUP>");
  EXPECT_EQ(CodeLines(Price(params))[0], Nbsp(7) + "&lt;9&gt;" + Nbsp(11));
  // The name is cut to 12 before it is escaped.
  params.Product(1).name = "ABCDEFGHIJK>";
  EXPECT_EQ(SmallNotes(Name(params))[0], Nbsp(61) + "(ABCDEFGHIJK&gt;)");
}

}  // namespace
}  // namespace qx
