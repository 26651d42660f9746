// The building blocks of the guide and the summary pages: fixed HTML templates, the
// conversion of plain text to HTML, line breaks, staggered register codes and the exit block.
//
// How a section writer uses them:
//   - A page is a std::string of Windows-1252 bytes. Every piece goes in as one line with
//     WriteTextLine(page, text) (common/file_layer.h): the text and CR LF, or nothing at all
//     for an empty text. Most templates already end in CR LF, so the page shows an empty
//     line after most blocks; that is how the pages look.
//   - A block is a template with one "%s" for its argument. WriteBlock(page, kSomeBlock,
//     argument) writes it as one line with the argument inserted as given; WriteHtmlBlock and
//     WriteTextBlock convert the argument on the way (ToHtml, TextToHtml). Code lines, note
//     lines and headings take converted text; key boxes take their caption raw ("SUBTOTAL",
//     "X/HORA"). FillTemplate gives the same line as a string.
//   - The guide of a full set is about 2 MB, so the writers append straight into the page:
//     BeginBlock, the argument through the Append* conversions, EndBlock. The functions that
//     return strings (ToHtml, StaggerCodes...) are the same conversions, for tests and for
//     the few texts that are made once.
//   - Text that comes from the parameter set and is shown as text (names in key labels,
//     notes, value texts) goes through EscapeHtml as the very last step before ToHtml, after
//     every cut ("%.50s", 60, 80 characters...): TextToHtml(text) does both. A name shown as
//     register codes (WriteNameLine, ToRegisterCodes, StaggerCodes) and fixed captions are
//     never escaped.
//   - Every section ends with WriteExitBlock(page, "DINHEIRO/TOTAL", exit note).
// Fixed Portuguese texts here are written with \x escapes (Windows-1252 bytes).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qx {

// A heading or block template: its text, with one "%s" where the argument goes. It is the
// text itself (a string_view) and also knows the two halves around "%s", found when the
// template is defined, so writing a block is two copies and the argument.
class HtmlTemplate : public std::string_view {
 public:
  consteval HtmlTemplate(const char* text) : std::string_view(text), at_(find("%s")) {
    if (at_ == npos) throw "a block template needs one %s";
  }
  constexpr std::string_view before() const { return substr(0, at_); }
  constexpr std::string_view after() const { return substr(at_ + 2); }

 private:
  std::size_t at_;
};

// Document pieces, written as they stand.
inline constexpr std::string_view kHtmlHead =
    "<HTML>\r\n<HEAD>\r\n<title> KORVA - TESTE </title>\r\n"
    "<METANAME=\"descri\xE7\xE3o\"  CONTENT=\"conte\xFA"
    "do\">\r\n</HEAD>\r\n";
inline constexpr std::string_view kBodyStart =
    "<BODY>\r\n<style type=\"text/css\">\r\nbody {color: black; background=white;}\r\n"
    "</style>\r\n";
inline constexpr std::string_view kGuideTitle =
    "<font size=\"6\"> <center> <B>Programa\xE7\xE3o&nbsp;&nbsp;QX-4810</B> </center> "
    "</font>\r\n<br>\r\n";
inline constexpr std::string_view kGuideSubtitle =
    "<font size=\"6\"> <center> <B>Roteiro&nbsp;&nbsp;de&nbsp;&nbsp;Programa\xE7\xE3o"
    "&nbsp;&nbsp;</B> </center> </font>\r\n<br>\r\n";
inline constexpr std::string_view kSummaryTitle =
    "<font size=\"6\"> <center> <B>R&nbsp;E&nbsp;S&nbsp;U&nbsp;M&nbsp;O&nbsp;&nbsp;&nbsp;</B> "
    "</center> </font>\r\n<br>\r\n";
// Makes every table float left, so the blocks of one entry stand side by side.
inline constexpr std::string_view kFloatLeftStyle =
    "<style type=\"text/css\">\r\ntable\r\n{\r\n  float:left\r\n}\r\n</style>\r\n<br>\r\n";
inline constexpr std::string_view kPageBreak = "<DIV style=\"page-break-after:always\"></DIV>";

// Headings. The group title has 17 equals signs before its argument and 18 after it.
inline constexpr HtmlTemplate kSectionTitle =
    "<font size=\"4\" color=\"blue\"> <left> <B> <U> %s</U> </B> </left> </font><br>\r\n";
inline constexpr HtmlTemplate kGroupTitle =
    "<font size=\"2\"> <left> <B> <U> ================= %s ==================</U> </B> "
    "</left> </font><br>\r\n";
inline constexpr HtmlTemplate kRedHeading =
    "<font size=\"2\" color=\"red\"> <left> <B> <U> %s</U> </B> </left> </font><br>\r\n";
inline constexpr HtmlTemplate kBlackHeading =
    "<font size=\"2\" color=\"black\"> <left> <B> <U> %s</U> </B> </left> </font><br>\r\n";
inline constexpr HtmlTemplate kCenteredTitle =
    "<font size=\"4\"> <center> <B>%s</B> </center> </font>\r\n<br>\r\n";

// Blocks: one-cell tables. The note lines leave their font open and end the line of blocks.
inline constexpr HtmlTemplate kCodeLine =
    "<table border=0 font face=\"Courier New\">\r\n<td><font size=\"3\"><pre>%s</pre></font>"
    "</td>\r\n</table>\r\n";
inline constexpr HtmlTemplate kCodeLineBold =
    "<table border=0 font face=\"Courier New\">\r\n<td><font size=\"4\"><pre><b>%s</b></pre>"
    "</font></td>\r\n</table>\r\n";
inline constexpr HtmlTemplate kCodeLineLarge =
    "<table border=0 font face=\"Courier New\">\r\n<td><font size=\"5\"><pre><b>%s</b></pre>"
    "</font></td>\r\n</table>\r\n";
inline constexpr HtmlTemplate kCodeLineRed =
    "<table border=0 font face=\"Courier New\">\r\n<td><font size=\"5\" color=\"red\"><pre><b>"
    "%s</b></pre></font></td>\r\n</table>\r\n";
inline constexpr HtmlTemplate kKeyBox =
    "<table  border=9 cellpadding=5 font face=\"Courier New\">\r\n<tr><td>%s</td></tr>\r\n"
    "</table>\r\n";
inline constexpr HtmlTemplate kKeyBoxRed =
    "<table  border=9 cellpadding=5 font face=\"Courier New\">\r\n<tr><td> <font color=\"red\">"
    "%s</font> </td></tr>\r\n</table>\r\n";
inline constexpr HtmlTemplate kKeyBoxSmall =
    "<table  border=9 cellpadding=0 font face=\"Courier New\">\r\n<tr><td> <font size=\"2\"> "
    "<center>%s</center> </font></td></tr>\r\n</table>\r\n";
inline constexpr HtmlTemplate kKeyBoxLarge =
    "<table  border=9 cellpadding=0 font face=\"Courier New\">\r\n<tr><td> <font size=\"4\">%s"
    "</font></td></tr>\r\n</table>\r\n";
inline constexpr HtmlTemplate kNoteLine =
    "<table border=0 font face=\"Arial\">\r\n<td><font size=-2>%s</td>\r\n</table>\r\n<br>\r\n";
inline constexpr HtmlTemplate kSmallNoteLine =
    "<table border=0 font face=\"Courier New\">\r\n<td><font size=1>%s</td>\r\n</table>\r\n"
    "<br>\r\n";
inline constexpr HtmlTemplate kSmallPreNoteLine =
    "<table border=0 font face=\"Courier New\">\r\n<td><font size=1><pre>%s</pre></td>\r\n"
    "</table>\r\n<br>\r\n";

// Capacities passed to StaggerCodes: names, and the currency symbols.
inline constexpr std::size_t kNameCodesCapacity = 2048;
inline constexpr std::size_t kSymbolCodesCapacity = 256;
// Every caller staggers whole codes: three digits and a blank.
inline constexpr int kCodeGroupSize = 3;

// The template with its one "%s" replaced by the argument, inserted as given. A text without
// "%s" is returned as it is.
std::string FillTemplate(std::string_view html_template, std::string_view argument);

// Plain text to HTML: a blank becomes "&nbsp;", a line feed "<br>\r\n", a carriage return
// nothing; every other byte stays as it is. Stops at a NUL byte, as the set's texts end there.
std::string ToHtml(std::string_view text);
void AppendHtml(std::string& out, std::string_view text);

// "&", "<" and ">" as "&amp;", "&lt;" and "&gt;", so user text can neither hide part of the
// page nor run markup in the browser.
std::string EscapeHtml(std::string_view text);
// EscapeHtml then ToHtml: how a text from the parameter set is shown, after its cut. The
// Append form does both in one pass.
std::string TextToHtml(std::string_view text);
void AppendTextHtml(std::string& out, std::string_view text);

// `count` blanks as ToHtml turns them: "&nbsp;" each.
void AppendNbsp(std::string& out, std::size_t count);

// The first max_chars bytes of the text ("%.Ns"); a NUL ends the text earlier.
std::string_view CutText(std::string_view text, std::size_t max_chars);

// "<br>\r\n" count times; empty for 0 (and for a negative count).
std::string LineBreaks(int count);
// LineBreaks(count) written as one line: nothing at all for 0.
void WriteLineBreaks(std::string& page, int count);

// Register codes alternately raised and lowered ("<SUP>065 </SUP><SUB>066 </SUB>..."),
// so neighbouring codes can be told apart. A line feed becomes "<br>", a carriage return
// nothing. Each complete group of group_size + 1 bytes closes its element and adds 7 to a
// budget that also counts every byte taken; the conversion stops before a byte once the
// budget reaches capacity - 7.
std::string StaggerCodes(int group_size, std::string_view codes, std::size_t capacity);
// ToHtml(StaggerCodes(...)), appended: the same codes with their blanks as "&nbsp;".
void AppendStaggeredCodesHtml(std::string& out, int group_size, std::string_view codes,
                              std::size_t capacity);

// Writing blocks into the page, one line each (a filled template is never empty, so each
// ends in CR LF). BeginBlock writes the template up to its argument, EndBlock the rest.
inline void BeginBlock(std::string& page, const HtmlTemplate& block) { page += block.before(); }
inline void EndBlock(std::string& page, const HtmlTemplate& block) {
  page += block.after();
  page += "\r\n";
}
// The argument inserted as given.
void WriteBlock(std::string& page, const HtmlTemplate& block, std::string_view argument);
// The argument converted by ToHtml.
void WriteHtmlBlock(std::string& page, const HtmlTemplate& block, std::string_view text);
// The argument escaped and converted (TextToHtml): a text of the parameter set, already cut.
void WriteTextBlock(std::string& page, const HtmlTemplate& block, std::string_view text);

// A name as the register types it: its codes, staggered (capacity 2048), in CodeLineBold.
void WriteNameLine(std::string& page, std::string_view name);

// The code entry that opens a section's rows: the programming code ("  3 0   "), converted, in
// CodeLineLarge, the SUBTOTAL key, then the given number of line breaks.
void WriteCodeEntry(std::string& page, std::string_view code, int line_breaks);

// The last block of every section: a break, the caption in a key box, a spacer, the note cut
// to 80 characters, two breaks.
void WriteExitBlock(std::string& page, std::string_view caption, std::string_view note);

}  // namespace qx
