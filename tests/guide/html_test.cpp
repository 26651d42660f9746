// The HTML building blocks: template details the browser and the technician depend on, and
// the conversions of text, line breaks and staggered codes.
#include "guide/html.h"

#include <gtest/gtest.h>

#include <string>

#include "expected_text.h"

namespace qx {
namespace {

TEST(HtmlTemplates, EveryTemplateIsByteExact) {
  struct Case {
    std::string_view name, actual, expected;
  } cases[] = {
      {"HtmlHead", kHtmlHead, expected::kHtmlHead},
      {"BodyStart", kBodyStart, expected::kBodyStart},
      {"GuideTitle", kGuideTitle, expected::kGuideTitle},
      {"GuideSubtitle", kGuideSubtitle, expected::kGuideSubtitle},
      {"SummaryTitle", kSummaryTitle, expected::kSummaryTitle},
      {"FloatLeftStyle", kFloatLeftStyle, expected::kFloatLeftStyle},
      {"PageBreak", kPageBreak, expected::kPageBreak},
      {"SectionTitle", kSectionTitle, expected::kSectionTitle},
      {"GroupTitle", kGroupTitle, expected::kGroupTitle},
      {"RedHeading", kRedHeading, expected::kRedHeading},
      {"BlackHeading", kBlackHeading, expected::kBlackHeading},
      {"CenteredTitle", kCenteredTitle, expected::kCenteredTitle},
      {"CodeLine", kCodeLine, expected::kCodeLine},
      {"CodeLineBold", kCodeLineBold, expected::kCodeLineBold},
      {"CodeLineLarge", kCodeLineLarge, expected::kCodeLineLarge},
      {"CodeLineRed", kCodeLineRed, expected::kCodeLineRed},
      {"KeyBox", kKeyBox, expected::kKeyBox},
      {"KeyBoxRed", kKeyBoxRed, expected::kKeyBoxRed},
      {"KeyBoxSmall", kKeyBoxSmall, expected::kKeyBoxSmall},
      {"KeyBoxLarge", kKeyBoxLarge, expected::kKeyBoxLarge},
      {"NoteLine", kNoteLine, expected::kNoteLine},
      {"SmallNoteLine", kSmallNoteLine, expected::kSmallNoteLine},
      {"SmallPreNoteLine", kSmallPreNoteLine, expected::kSmallPreNoteLine},
  };
  for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
}

TEST(HtmlTemplates, DetailsABrowserOrAReaderWouldNotCatch) {
  EXPECT_NE(kHtmlHead.find("<METANAME=\"descri\xE7\xE3o\"  CONTENT="), std::string_view::npos);
  EXPECT_NE(kGroupTitle.find("<U> ================= %s ==================</U>"),
            std::string_view::npos);
  EXPECT_NE(kFloatLeftStyle.find("{\r\n  float:left\r\n}"), std::string_view::npos);
  EXPECT_EQ(kNoteLine.find("</font>"), std::string_view::npos);
  EXPECT_EQ(kSmallNoteLine.find("</font>"), std::string_view::npos);
}

TEST(HtmlTemplates, KeyBoxesHaveTwoBlanksAfterTableAndCodeLinesOne) {
  for (std::string_view box : {kKeyBox, kKeyBoxRed, kKeyBoxSmall, kKeyBoxLarge}) {
    EXPECT_EQ(box.substr(0, 17), "<table  border=9 ") << box;
  }
  for (std::string_view line : {kCodeLine, kCodeLineBold, kCodeLineLarge, kCodeLineRed, kNoteLine,
                                kSmallNoteLine, kSmallPreNoteLine}) {
    EXPECT_EQ(line.substr(0, 16), "<table border=0 ") << line;
  }
}

TEST(HtmlTemplates, EveryHeadingAndBlockHasExactlyOnePlaceForItsArgument) {
  for (std::string_view t :
       {kSectionTitle, kGroupTitle, kRedHeading, kBlackHeading, kCenteredTitle, kCodeLine,
        kCodeLineBold, kCodeLineLarge, kCodeLineRed, kKeyBox, kKeyBoxRed, kKeyBoxSmall,
        kKeyBoxLarge, kNoteLine, kSmallNoteLine, kSmallPreNoteLine}) {
    const auto first = t.find('%');
    ASSERT_NE(first, std::string_view::npos) << t;
    EXPECT_EQ(t.substr(first, 2), "%s") << t;
    EXPECT_EQ(t.find('%', first + 1), std::string_view::npos) << t;
  }
  EXPECT_EQ(kPageBreak, "<DIV style=\"page-break-after:always\"></DIV>");
}

TEST(FillTemplate, InsertsTheArgumentAsGivenEvenWithPercentSigns) {
  EXPECT_EQ(FillTemplate(kKeyBoxLarge, "- %s"),
            "<table  border=9 cellpadding=0 font face=\"Courier New\">\r\n<tr><td> "
            "<font size=\"4\">- %s</font></td></tr>\r\n</table>\r\n");
  EXPECT_EQ(FillTemplate(kKeyBox, "CANC CUPOM").find("<td>CANC CUPOM</td>") != std::string::npos,
            true);
}

TEST(ToHtml, ConvertsBlanksLineFeedsAndDropsCarriageReturns) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"  3 0   ", "&nbsp;&nbsp;3&nbsp;0&nbsp;&nbsp;&nbsp;"},
      {"A\r\nB", "A<br>\r\nB"},
      {"P<5 & \"x\"", "P<5&nbsp;&&nbsp;\"x\""},  // no escaping of its own
      {"CAF\xC9", "CAF\xC9"},
      {"", ""},
      {std::string("AB\0CD", 5), "AB"},  // a text ends at its NUL
  };
  for (const Case& c : cases) EXPECT_EQ(ToHtml(c.in), c.out) << c.in;
}

TEST(EscapeHtml, EscapesOnlyAmpersandAndAngleBrackets) {
  EXPECT_EQ(EscapeHtml("A<B&C>\"'"), "A&lt;B&amp;C&gt;\"'");
  EXPECT_EQ(TextToHtml("A<B&C D"), "A&lt;B&amp;C&nbsp;D");
  EXPECT_EQ(TextToHtml("<script>"), "&lt;script&gt;");
}

// The page is written with the one-pass forms; they must give exactly what the composed
// conversions give, for every byte, a NUL inside the text, and text already in the page.
TEST(AppendConversions, GiveWhatTheComposedConversionsGive) {
  std::string every_byte;
  for (int b = 1; b < 256; ++b) every_byte += static_cast<char>(b);
  const std::string texts[] = {every_byte,
                               "",
                               " ",
                               "A<B&C> D\r\nE",
                               std::string("ab \0<c", 6),
                               "\n\n  &&",
                               "065 066 <br>067 \r\n068 ",
                               std::string(70, ' ')};
  for (const std::string& text : texts) {
    std::string page = "x";
    AppendHtml(page, text);
    EXPECT_EQ(page, "x" + ToHtml(text)) << text;
    page = "x";
    AppendTextHtml(page, text);
    EXPECT_EQ(page, "x" + ToHtml(EscapeHtml(CutText(text, std::string_view::npos)))) << text;
    for (std::size_t capacity : {std::size_t{0}, std::size_t{20}, kNameCodesCapacity}) {
      page = "x";
      AppendStaggeredCodesHtml(page, kCodeGroupSize, text, capacity);
      EXPECT_EQ(page, "x" + ToHtml(StaggerCodes(kCodeGroupSize, text, capacity))) << text;
    }
  }
  for (std::size_t blanks : {0u, 1u, 61u, 64u, 65u, 200u}) {
    std::string page = "x";
    AppendNbsp(page, blanks);
    EXPECT_EQ(page, "x" + ToHtml(std::string(blanks, ' '))) << blanks;
  }
}

TEST(WriteBlocks, WriteTheFilledTemplateAsOneLine) {
  for (const HtmlTemplate& block : {kCodeLine, kKeyBoxSmall, kNoteLine, kGroupTitle}) {
    std::string page = "x";
    WriteBlock(page, block, "A B&");
    WriteHtmlBlock(page, block, "A B&");
    WriteTextBlock(page, block, "A B&");
    EXPECT_EQ(page, "x" + FillTemplate(block, "A B&") + "\r\n" + FillTemplate(block, "A&nbsp;B&") +
                        "\r\n" + FillTemplate(block, "A&nbsp;B&amp;") + "\r\n");
  }
  std::string page = "x";
  WriteLineBreaks(page, 0);
  WriteLineBreaks(page, -1);
  EXPECT_EQ(page, "x");
  WriteLineBreaks(page, 2);
  EXPECT_EQ(page, "x<br>\r\n<br>\r\n\r\n");
}

TEST(CutText, CutsAtTheCountOrAtNul) {
  EXPECT_EQ(CutText("abcdef", 3), "abc");
  EXPECT_EQ(CutText("ab", 3), "ab");
  EXPECT_EQ(CutText(std::string_view("a\0bc", 4), 3), "a");
}

TEST(LineBreaks, GivesCountBreaksAndNothingForZero) {
  EXPECT_EQ(LineBreaks(0), "");
  EXPECT_EQ(LineBreaks(-1), "");
  EXPECT_EQ(LineBreaks(2), "<br>\r\n<br>\r\n");
}

TEST(StaggerCodes, AlternatesRaisedAndLoweredCodes) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"065 066 067 ", "<SUP>065 </SUP><SUB>066 </SUB><SUP>067 </SUP>"},
      {"", "<SUP>"},
      {"065 06", "<SUP>065 </SUP><SUB>06"},  // a cut group stays open
      {"065 <br>066 ", "<SUP>065 </SUP><SUB><br></SUB><SUP>066 </SUP>"},
      {"065 \n066 ", "<SUP>065 </SUP><SUB><br>066 </SUB>"},  // a line feed is not counted
      {"06\r5 ", "<SUP>065 </SUP>"},
  };
  for (const Case& c : cases) EXPECT_EQ(StaggerCodes(3, c.in, 2048), c.out) << c.in;
}

TEST(StaggerCodes, StopsWhenTheBudgetReachesCapacityMinusSeven) {
  // Each code costs 4 bytes + 7: after two codes the budget is 22; a capacity of 29 stops
  // there (22 >= 29 - 7), 30 takes one more byte, 33 the whole third code.
  const std::string codes = "065 066 067 068 ";
  EXPECT_EQ(StaggerCodes(3, codes, 29), "<SUP>065 </SUP><SUB>066 </SUB><SUP>");
  EXPECT_EQ(StaggerCodes(3, codes, 30), "<SUP>065 </SUP><SUB>066 </SUB><SUP>0");
  EXPECT_EQ(StaggerCodes(3, codes, 33), "<SUP>065 </SUP><SUB>066 </SUB><SUP>067 </SUP><SUB>");
  EXPECT_EQ(StaggerCodes(3, codes, 0), "<SUP>");
}

TEST(StaggerCodes, HonoursTheGroupSize) {
  EXPECT_EQ(StaggerCodes(1, "abcd", 2048), "<SUP>ab</SUP><SUB>cd</SUB>");
}

TEST(StaggerCodes, NamesAtCapacityAreNeverCut) {
  std::string codes;
  for (int i = 0; i < 24; ++i) codes += "065 ";  // a receipt line of 24 characters
  std::string out = StaggerCodes(3, codes, kNameCodesCapacity);
  EXPECT_EQ(out.size(), 5 + 24 * 15 - 5u);
}

TEST(WriteExitBlock, WritesBreakCaptionSpacerNoteCutTo80AndTwoBreaks) {
  const std::string note(79, 'n');
  std::string page;
  WriteExitBlock(page, "DINHEIRO/TOTAL", note + "XY");
  const std::string expected = "<br>\r\n\r\n" + FillTemplate(kKeyBox, "DINHEIRO/TOTAL") + "\r\n" +
                               FillTemplate(kCodeLine, "&nbsp;&nbsp;&nbsp;") + "\r\n" +
                               FillTemplate(kNoteLine, note + "X") + "\r\n" +
                               "<br>\r\n<br>\r\n\r\n";
  EXPECT_EQ(page, expected);
}

TEST(WriteExitBlock, NeverCutsOrConvertsTheCaption) {
  std::string page;
  WriteExitBlock(page, "CANC CUPOM", "(sai)");
  EXPECT_NE(page.find("<tr><td>CANC CUPOM</td></tr>"), std::string::npos);
  EXPECT_NE(page.find("<font size=-2>(sai)</td>"), std::string::npos);
}

TEST(WriteCodeEntry, WritesCodeSubtotalAndBreaks) {
  std::string page;
  WriteCodeEntry(page, "  3 0   ", 5);
  EXPECT_EQ(page, FillTemplate(kCodeLineLarge, "&nbsp;&nbsp;3&nbsp;0&nbsp;&nbsp;&nbsp;") + "\r\n" +
                      FillTemplate(kKeyBox, "SUBTOTAL") + "\r\n" + LineBreaks(5) + "\r\n");
}

TEST(WriteNameLine, ShowsTheStaggeredCodesInBoldWithoutEscaping) {
  std::string page;
  WriteNameLine(page, "A<B&C");
  EXPECT_EQ(page, FillTemplate(kCodeLineBold,
                               "<SUP>065&nbsp;</SUP><SUB>060&nbsp;</SUB><SUP>066&nbsp;</SUP>"
                               "<SUB>038&nbsp;</SUB><SUP>067&nbsp;</SUP>") +
                      "\r\n");
  page.clear();
  WriteNameLine(page, "");
  EXPECT_EQ(page, FillTemplate(kCodeLineBold, "<SUP>") + "\r\n");
}

}  // namespace
}  // namespace qx
