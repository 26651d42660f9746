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

std::string Status(const ParamSet& params, SectionMode mode = kFull) {
  std::string page;
  WriteDepartmentStatusSection(page, params, mode);
  return page;
}
std::string Price(const ParamSet& params, SectionMode mode = kFull) {
  std::string page;
  WriteDepartmentPriceSection(page, params, mode);
  return page;
}
std::string Name(const ParamSet& params, SectionMode mode = kFull) {
  std::string page;
  WriteDepartmentNameSection(page, params, mode);
  return page;
}

void SetFlags(DeptRecord& dept, const char* flags) {
  dept.status_negative_price = flags[0];
  dept.status_single_item_sale = flags[1];
  dept.status_open_price = flags[2];
  dept.status_fixed_price = flags[3];
}

TEST(DepartmentSections, NothingWithoutANamedDepartmentInEitherMode) {
  ParamSet params;
  params.Department(4).price = "100";
  params.Department(4).changed_status = params.Department(4).changed_price = 1;
  params.Department(4).changed_name = 1;
  for (SectionMode mode : {kFull, kChanges}) {
    EXPECT_EQ(Status(params, mode), "");
    EXPECT_EQ(Price(params, mode), "");
    EXPECT_EQ(Name(params, mode), "");
  }
}

// The whole status section of one department, written out byte by byte.
TEST(DepartmentSections, StatusSectionOfOneDepartmentIsExact) {
  ParamSet params;
  params.Department(1).name = "CAFE";
  const std::string expected =
      "<DIV style=\"page-break-after:always\"></DIV>\r\n"
      "<br>\r\n<br>\r\n\r\n"
      "<!-- COMENTARIO   PROGRAMANDO DE DEPARTAMENTOS -->\r\n"
      "<font size=\"4\" color=\"blue\"> <left> <B> <U> PROGRAMANDO&nbsp;DEPARTAMENTOS</U> </B> "
      "</left> </font><br>\r\n\r\n"
      "<br>\r\n<br>\r\n\r\n"
      "<font size=\"2\"> <left> <B> <U> ================= Status dos departamentos "
      "==================</U> </B> </left> </font><br>\r\n\r\n"
      "<style type=\"text/css\">\r\ntable\r\n{\r\n  float:left\r\n}\r\n</style>\r\n<br>\r\n\r\n"
      "<table border=0 font face=\"Courier New\">\r\n<td><font size=\"5\"><pre><b>"
      "&nbsp;&nbsp;5&nbsp;0&nbsp;0&nbsp;&nbsp;&nbsp;</b></pre></font></td>\r\n</table>\r\n\r\n"
      "<table  border=9 cellpadding=5 font face=\"Courier New\">\r\n<tr><td>SUBTOTAL</td></tr>\r\n"
      "</table>\r\n\r\n"
      "<br>\r\n<br>\r\n<br>\r\n<br>\r\n\r\n"
      // The row: [CAFE] 11 [X/HORA] and its note.
      "<br>\r\n\r\n"
      "<table  border=9 cellpadding=0 font face=\"Courier New\">\r\n<tr><td> <font size=\"2\"> "
      "<center>CAFE</center> </font></td></tr>\r\n</table>\r\n\r\n"
      "<table border=0 font face=\"Courier New\">\r\n<td><font size=\"3\"><pre>"
      "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;11&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;"
      "</pre></font></td>\r\n</table>\r\n\r\n"
      "<table  border=9 cellpadding=0 font face=\"Courier New\">\r\n<tr><td> <font size=\"2\"> "
      "<center>X/HORA</center> </font></td></tr>\r\n</table>\r\n\r\n"
      "<table border=0 font face=\"Arial\">\r\n<td><font size=-2>"
      "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;(DEPT1...+ABERTO+FIXO)</td>\r\n</table>\r\n"
      "<br>\r\n\r\n"
      "<br>\r\n<br>\r\n\r\n"
      // The exit block and the break after it.
      "<br>\r\n\r\n"
      "<table  border=9 cellpadding=5 font face=\"Courier New\">\r\n<tr><td>DINHEIRO/TOTAL</td>"
      "</tr>\r\n</table>\r\n\r\n"
      "<table border=0 font face=\"Courier New\">\r\n<td><font size=\"3\"><pre>&nbsp;&nbsp;&nbsp;"
      "</pre></font></td>\r\n</table>\r\n\r\n"
      "<table border=0 font face=\"Arial\">\r\n<td><font size=-2>"
      "(sai&nbsp;da&nbsp;programa\xE7\xE3o&nbsp;de&nbsp;depart-status)</td>\r\n</table>\r\n"
      "<br>\r\n\r\n"
      "<br>\r\n<br>\r\n\r\n"
      "<br>\r\n\r\n";
  EXPECT_EQ(Status(params), expected);
}

TEST(DepartmentSections, StatusDigitsAndNotesFollowTheFlags) {
  struct Case {
    const char* flags;
    const char* digits;
    std::string note;
  };
  const Case cases[] = {
      {"0000", "0", "(DEPT2...+ABERTO)"},
      {"0011", "11", "(DEPT2...+ABERTO+FIXO)"},
      {"1101", "11000001", Win1252("(DEPT2...PREÇO negativo+UNICO VENDA+FIXO)")},
      {"1001", "10000001", Win1252("(DEPT2...PREÇO negativo+FIXO)")},
      {"0010", "10", "(DEPT2...+ABERTO)"},
      // Only the lowest bit of a flag character counts: '3' is set, '2' and NUL are not.
      {"3\0"
       "20",
       "10000000", Win1252("(DEPT2...PREÇO negativo+ABERTO)")},
  };
  for (const Case& c : cases) {
    ParamSet params;
    params.Department(2).name = "PAO";
    SetFlags(params.Department(2), c.flags);
    const std::string page = Status(params);
    EXPECT_EQ(CodeLines(page), (Strings{Nbsp(7) + c.digits + Nbsp(7), Nbsp(3)})) << c.flags;
    EXPECT_EQ(Notes(page)[0], Nbsp(8) + ToHtml(c.note)) << c.flags;
  }
}

TEST(DepartmentSections, StatusGroupsEqualNeighboursAndStopsAtAnUnnamedOne) {
  ParamSet params;
  for (int d : {1, 2, 3, 5}) params.Department(d).name = "D" + std::to_string(d);
  const std::string page = Status(params);
  EXPECT_EQ(SmallKeys(page), (Strings{"D1", "D3", "X/HORA", "D5", "X/HORA"}));
  EXPECT_EQ(Notes(page)[0], Nbsp(2) + "(DEPT1...+ABERTO+FIXO)");
  EXPECT_EQ(Notes(page)[1], Nbsp(8) + "(DEPT5...+ABERTO+FIXO)");
  // The range row: the gap between the keys, then the value between 4 and 3 blanks.
  EXPECT_EQ(CodeLines(page)[0], Nbsp(4));
  EXPECT_EQ(CodeLines(page)[1], Nbsp(4) + "11" + Nbsp(3));
}

TEST(DepartmentSections, FlagsGroupAsCharactersNotAsBits) {
  ParamSet params;
  params.Department(1).name = "A";
  params.Department(2).name = "B";
  SetFlags(params.Department(2), "0031");  // '3' counts as set, yet differs from '1'
  EXPECT_EQ(SmallKeys(Status(params)), (Strings{"A", "X/HORA", "B", "X/HORA"}));
}

TEST(DepartmentSections, PriceRangeReachesDepartmentSixteen) {
  ParamSet params;
  params.Department(14).name = "A";
  params.Department(14).price = "100";
  params.Department(15).name = "B";
  params.Department(15).price = "250";
  params.Department(16).name = "C";
  params.Department(16).price = "250";
  EXPECT_EQ(SmallKeys(Price(params)), (Strings{"A", "X/HORA", "B", "C", "X/HORA"}));
  params.Department(15).price = "251";
  EXPECT_EQ(SmallKeys(Price(params)), (Strings{"A", "X/HORA", "B", "X/HORA", "C", "X/HORA"}));
  EXPECT_EQ(Notes(Price(params))[2], Nbsp(8) + "(DEPT16...R$&nbsp;2,50)");
}

TEST(DepartmentSections, PriceGroupStartsAtDepartmentOne) {
  ParamSet params;
  params.Department(1).name = "A";
  params.Department(2).name = "B";
  params.Department(1).price = params.Department(2).price = "0001250";
  const std::string page = Price(params);
  EXPECT_EQ(SmallKeys(page), (Strings{"A", "B", "X/HORA"}));
  EXPECT_EQ(CodeLines(page)[1], Nbsp(4) + "1250" + Nbsp(3));
  EXPECT_EQ(Notes(page)[0], Nbsp(2) + "(DEPT1...R$&nbsp;00.012,50)");
}

TEST(DepartmentSections, EmptyPricesShowZeroAndGroupTogether) {
  ParamSet params;
  params.Department(6).name = "A";
  params.Department(7).name = "B";
  const std::string page = Price(params);
  EXPECT_EQ(SmallKeys(page), (Strings{"A", "B", "X/HORA"}));
  EXPECT_EQ(CodeLines(page)[1], Nbsp(4) + "0" + Nbsp(3));
  EXPECT_EQ(Notes(page)[0], Nbsp(2) + "(DEPT6...0,00)");
}

// The row of the typical run: [CAFE] 1250 [X/HORA] with its note.
TEST(DepartmentSections, PriceRowOfTheTypicalRun) {
  ParamSet params;
  params.Department(2).name = "PAO";
  params.Department(2).price = "50";
  params.Department(3).name = "CAFE";
  params.Department(3).price = "1250";
  params.Department(3).changed_price = 1;
  const std::string row = Breaks(1) + B(kKeyBoxSmall, "CAFE") +
                          B(kCodeLine, Nbsp(7) + "1250" + Nbsp(7)) + B(kKeyBoxSmall, "X/HORA") +
                          B(kNoteLine, Nbsp(8) + "(DEPT3...R$&nbsp;12,50)") + Breaks(2);
  const std::string changes = Price(params, kChanges);
  EXPECT_NE(changes.find(row), std::string::npos);
  EXPECT_EQ(SmallKeys(changes), (Strings{"CAFE", "X/HORA"}));
  EXPECT_EQ(SmallKeys(Price(params)), (Strings{"PAO", "X/HORA", "CAFE", "X/HORA"}));
  // Long prices and symbols are cut: the value to 7 characters, the amount to 12.
  params.Department(3).price = "123456789";
  params.print_options.local_currency_symbol = "REAIS";
  EXPECT_EQ(CodeLines(Price(params))[1], Nbsp(7) + "1234567" + Nbsp(7));
  EXPECT_EQ(Notes(Price(params))[1], Nbsp(8) + "(DEPT3...REAIS&nbsp;123.45)");
}

TEST(DepartmentSections, NameSectionWritesTheShorterRangesOfLaterMembers) {
  ParamSet params;
  for (int d : {3, 4, 5}) params.Department(d).name = "LEITE";
  params.Department(6).name = "PAO";
  params.Department(6).price = "1";
  SetFlags(params.Department(6), "1001");
  const std::string page = Name(params);
  EXPECT_EQ(SmallKeys(page), (Strings{"LEITE", "LEITE", "X/HORA", "LEITE", "LEITE", "X/HORA",
                                      "LEITE", "X/HORA", "PAO", "X/HORA"}));
  // The status and price sections type the three equal departments once.
  EXPECT_EQ(SmallKeys(Status(params)), (Strings{"LEITE", "LEITE", "X/HORA", "PAO", "X/HORA"}));
  EXPECT_EQ(SmallKeys(Price(params)), (Strings{"LEITE", "LEITE", "X/HORA", "PAO", "X/HORA"}));
  // In the changes each of those rows is tested on its own members.
  params.Department(3).changed_name = 1;
  EXPECT_EQ(SmallKeys(Name(params, kChanges)), (Strings{"LEITE", "LEITE", "X/HORA"}));
  params.Department(3).changed_name = 0;
  params.Department(5).changed_name = 1;
  EXPECT_EQ(Count(Name(params, kChanges), "X/HORA"), 3u);
  params.Department(5).changed_name = 0;
  params.Department(4).changed_name = 1;
  EXPECT_EQ(Count(Name(params, kChanges), "X/HORA"), 2u);
}

TEST(DepartmentSections, NamesDifferingInCaseOrByATrailingBlankAreNotGrouped) {
  ParamSet params;
  params.Department(1).name = "Cafe";
  params.Department(2).name = "CAFE";
  params.Department(3).name = "CAFE ";
  EXPECT_EQ(SmallKeys(Name(params)),
            (Strings{"Cafe", "X/HORA", "CAFE", "X/HORA", "CAFE", "X/HORA"}));
}

TEST(DepartmentSections, ChangesShowTheWholeGroupOfAnAlteredDepartment) {
  ParamSet params;
  for (int d : {1, 2, 3}) params.Department(d).name = "D" + std::to_string(d);
  params.Department(8).name = "OUTRO";
  SetFlags(params.Department(8), "1001");
  params.Department(2).changed_status = 1;
  const std::string page = Status(params, kChanges);
  EXPECT_EQ(SmallKeys(page), (Strings{"D1", "D3", "X/HORA"}));
  EXPECT_EQ(Notes(page)[0], Nbsp(2) + "(DEPT1...+ABERTO+FIXO)");
  // A marker of another section does not count here.
  params.Department(2).changed_status = 0;
  params.Department(2).changed_price = 1;
  EXPECT_EQ(Status(params, kChanges), "");
}

TEST(DepartmentSections, MarkerOfAnUnnamedDepartmentOpensTheSectionWithoutRows) {
  ParamSet params;
  params.Department(1).name = "CAFE";
  params.Department(9).changed_status = 1;
  const std::string page = Status(params, kChanges);
  EXPECT_NE(page.find("PROGRAMANDO&nbsp;DEPARTAMENTOS"), std::string::npos);
  EXPECT_NE(page.find("DINHEIRO/TOTAL"), std::string::npos);
  EXPECT_EQ(SmallKeys(page), Strings{});
}

TEST(DepartmentSections, LongLabelsAreSplitInTwoAndTrimmed) {
  struct Case {
    const char* name;
    const char* label;
  };
  const Case cases[] = {
      {"ABCDEFGHIJKL", "ABCDEFG<br>\r\nHIJKL"},  // 12: 7 over 5
      {"ABCDEFGHIJK", "ABCDEF<br>\r\nGHIJK"},    // 11: 6 over 5
      {"ABCDEFGHIJ", "ABCDEF<br>\r\nGHIJ"},      // 10: 6 over 4
      {"ABCDEFGHI", "ABCDE<br>\r\nFGHI"},        // 9: 5 over 4
      {"ABCDEFGH", "ABCDEFGH"},                  // 8: one line
      {"  CAFE  ", "CAFE"},
      {" PAO  DE MEL", "PAO&nbsp;&nbsp;D<br>\r\nE&nbsp;MEL"},
  };
  for (const Case& c : cases) {
    ParamSet params;
    params.Department(1).name = c.name;
    EXPECT_EQ(SmallKeys(Status(params))[0], c.label) << c.name;
    EXPECT_EQ(SmallKeys(Name(params))[0], c.label) << c.name;
  }
}

TEST(DepartmentSections, NameRowAlignsItsClosingKey) {
  ParamSet params;
  params.Department(1).name = "ABCDEFGHIJKL";
  params.Department(3).name = "X";
  const std::string page = Name(params);
  const Strings bold = BoldLines(page);
  ASSERT_EQ(bold.size(), 4u);
  EXPECT_EQ(bold[0],
            ToHtml(StaggerCodes(3, "065 066 067 068 069 070 071 072 073 074 075 076 ", 2048)));
  EXPECT_EQ(bold[1], "<SUP>" + Nbsp(4) + "</SUP>");  // 12 characters: one code width
  EXPECT_EQ(bold[2], "<SUP>088&nbsp;</SUP>");
  EXPECT_EQ(bold[3], ToHtml(StaggerCodes(3, std::string(48, ' '), 2048)));  // 1 character
  EXPECT_EQ(CodeLines(page)[0], Nbsp(3));
  EXPECT_EQ(Notes(page), (Strings{"(sai&nbsp;da&nbsp;programa\xE7\xE3o&nbsp;do&nbsp;nome&nbsp;do"
                                  "&nbsp;departamento&nbsp;)"}));
}

TEST(DepartmentSections, NameRangeRowHasNoAlignmentBlock) {
  ParamSet params;
  params.Department(1).name = params.Department(2).name = "AB";
  const std::string page = Name(params);
  const std::string range = Breaks(1) + B(kKeyBoxSmall, "AB") + B(kCodeLine, Nbsp(3)) +
                            B(kKeyBoxSmall, "AB") + B(kCodeLine, Nbsp(6)) +
                            B(kCodeLineBold, "<SUP>065&nbsp;</SUP><SUB>066&nbsp;</SUB>") +
                            B(kKeyBoxSmall, "X/HORA") + Breaks(2);
  const std::string single = Breaks(1) + B(kKeyBoxSmall, "AB") + B(kCodeLine, Nbsp(3)) +
                             B(kCodeLineBold, "<SUP>065&nbsp;</SUP><SUB>066&nbsp;</SUB>") +
                             B(kCodeLineBold, ToHtml(StaggerCodes(3, std::string(44, ' '), 2048))) +
                             B(kKeyBoxSmall, "X/HORA") + Breaks(2);
  EXPECT_NE(page.find(range + single + Breaks(1) + B(kKeyBox, "DINHEIRO/TOTAL")),
            std::string::npos);
}

TEST(DepartmentSections, BracesAndAccentsInNames) {
  ParamSet params;
  params.Department(1).name = Win1252("{CAFÉ");
  const std::string page = Name(params);
  EXPECT_EQ(SmallKeys(page)[0], Win1252("{CAFÉ"));
  EXPECT_EQ(BoldLines(page)[0], ToHtml(StaggerCodes(3, "999 067 065 070 017 ", 2048)));
  EXPECT_EQ(SmallKeys(Status(params))[0], Win1252("{CAFÉ"));
}

TEST(DepartmentSections, TextFromTheSetIsEscapedButItsCodesAreNot) {
  ParamSet params;
  params.Department(1).name = "A<B&C";
  params.Department(1).price = "<x>";
  params.print_options.local_currency_symbol = "<y>";
  EXPECT_EQ(SmallKeys(Status(params))[0], "A&lt;B&amp;C");
  EXPECT_EQ(BoldLines(Name(params))[0], ToHtml(StaggerCodes(3, "065 060 066 038 067 ", 2048)));
  const std::string price = Price(params);
  EXPECT_EQ(CodeLines(price)[0], Nbsp(7) + "&lt;x&gt;" + Nbsp(7));
  EXPECT_EQ(Notes(price)[0], Nbsp(8) + "(DEPT1...&lt;y&gt;&nbsp;&lt;,x&gt;)");
  EXPECT_EQ(price.find("<x>"), std::string::npos);
  EXPECT_EQ(price.find("<y>"), std::string::npos);
  // A long label is split and trimmed before it is escaped: the cut never halves "&amp;".
  params.Department(1).name = "AAAAAAAA&BBB";
  EXPECT_EQ(SmallKeys(Status(params))[0], "AAAAAAA<br>\r\nA&amp;BBB");
}

}  // namespace
}  // namespace qx
