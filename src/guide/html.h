// The building blocks of the guide and the summary pages: fixed HTML templates, the
// conversion of plain text to HTML, line breaks, staggered register codes and the exit block.
//
// How a section writer uses them:
//   - A page is a std::string of Windows-1252 bytes. Every piece goes in as one line with
//     WriteTextLine(page, text) (common/file_layer.h): the text and CR LF, or nothing at all
//     for an empty text. Most templates already end in CR LF, so the page shows an empty
//     line after most blocks; that is how the pages look.
//   - A block is FillTemplate(kSomeBlock, argument); the argument replaces the template's one
//     "%s" and is inserted as given. Code lines, note lines and headings take text already
//     converted by ToHtml; key boxes take their caption raw ("SUBTOTAL", "X/HORA").
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

// Document pieces, written as they stand.
inline constexpr std::string_view kHtmlHead =
    "<HTML>\r\n<HEAD>\r\n<title> KORVA - TESTE </title>\r\n"
    "<METANAME=\"descri\xE7\xE3o\"  CONTENT=\"conte\xFA" "do\">\r\n</HEAD>\r\n";
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
inline constexpr std::string_view kSectionTitle =
    "<font size=\"4\" color=\"blue\"> <left> <B> <U> %s</U> </B> </left> </font><br>\r\n";
inline constexpr std::string_view kGroupTitle =
    "<font size=\"2\"> <left> <B> <U> ================= %s ==================</U> </B> "
    "</left> </font><br>\r\n";
inline constexpr std::string_view kRedHeading =
    "<font size=\"2\" color=\"red\"> <left> <B> <U> %s</U> </B> </left> </font><br>\r\n";
inline constexpr std::string_view kBlackHeading =
    "<font size=\"2\" color=\"black\"> <left> <B> <U> %s</U> </B> </left> </font><br>\r\n";
inline constexpr std::string_view kCenteredTitle =
    "<font size=\"4\"> <center> <B>%s</B> </center> </font>\r\n<br>\r\n";

// Blocks: one-cell tables. The note lines leave their font open and end the line of blocks.
inline constexpr std::string_view kCodeLine =
    "<table border=0 font face=\"Courier New\">\r\n<td><font size=\"3\"><pre>%s</pre></font>"
    "</td>\r\n</table>\r\n";
inline constexpr std::string_view kCodeLineBold =
    "<table border=0 font face=\"Courier New\">\r\n<td><font size=\"4\"><pre><b>%s</b></pre>"
    "</font></td>\r\n</table>\r\n";
inline constexpr std::string_view kCodeLineLarge =
    "<table border=0 font face=\"Courier New\">\r\n<td><font size=\"5\"><pre><b>%s</b></pre>"
    "</font></td>\r\n</table>\r\n";
inline constexpr std::string_view kCodeLineRed =
    "<table border=0 font face=\"Courier New\">\r\n<td><font size=\"5\" color=\"red\"><pre><b>"
    "%s</b></pre></font></td>\r\n</table>\r\n";
inline constexpr std::string_view kKeyBox =
    "<table  border=9 cellpadding=5 font face=\"Courier New\">\r\n<tr><td>%s</td></tr>\r\n"
    "</table>\r\n";
inline constexpr std::string_view kKeyBoxRed =
    "<table  border=9 cellpadding=5 font face=\"Courier New\">\r\n<tr><td> <font color=\"red\">"
    "%s</font> </td></tr>\r\n</table>\r\n";
inline constexpr std::string_view kKeyBoxSmall =
    "<table  border=9 cellpadding=0 font face=\"Courier New\">\r\n<tr><td> <font size=\"2\"> "
    "<center>%s</center> </font></td></tr>\r\n</table>\r\n";
inline constexpr std::string_view kKeyBoxLarge =
    "<table  border=9 cellpadding=0 font face=\"Courier New\">\r\n<tr><td> <font size=\"4\">%s"
    "</font></td></tr>\r\n</table>\r\n";
inline constexpr std::string_view kNoteLine =
    "<table border=0 font face=\"Arial\">\r\n<td><font size=-2>%s</td>\r\n</table>\r\n<br>\r\n";
inline constexpr std::string_view kSmallNoteLine =
    "<table border=0 font face=\"Courier New\">\r\n<td><font size=1>%s</td>\r\n</table>\r\n"
    "<br>\r\n";
inline constexpr std::string_view kSmallPreNoteLine =
    "<table border=0 font face=\"Courier New\">\r\n<td><font size=1><pre>%s</pre></td>\r\n"
    "</table>\r\n<br>\r\n";

// Capacities passed to StaggerCodes: names, and the currency symbols.
inline constexpr std::size_t kNameCodesCapacity = 2048;
inline constexpr std::size_t kSymbolCodesCapacity = 256;
// Every caller staggers whole codes: three digits and a blank.
inline constexpr int kCodeGroupSize = 3;

// The template with its one "%s" replaced by the argument, inserted as given.
std::string FillTemplate(std::string_view html_template, std::string_view argument);

// Plain text to HTML: a blank becomes "&nbsp;", a line feed "<br>\r\n", a carriage return
// nothing; every other byte stays as it is. Stops at a NUL byte, as the set's texts end there.
std::string ToHtml(std::string_view text);

// "&", "<" and ">" as "&amp;", "&lt;" and "&gt;", so user text can neither hide part of the
// page nor run markup in the browser.
std::string EscapeHtml(std::string_view text);
// EscapeHtml then ToHtml: how a text from the parameter set is shown, after its cut.
std::string TextToHtml(std::string_view text);

// The first max_chars bytes of the text ("%.Ns"); a NUL ends the text earlier.
std::string_view CutText(std::string_view text, std::size_t max_chars);

// "<br>\r\n" count times; empty for 0 (and for a negative count).
std::string LineBreaks(int count);

// Register codes alternately raised and lowered ("<SUP>065 </SUP><SUB>066 </SUB>..."),
// so neighbouring codes can be told apart. A line feed becomes "<br>", a carriage return
// nothing. Each complete group of group_size + 1 bytes closes its element and adds 7 to a
// budget that also counts every byte taken; the conversion stops before a byte once the
// budget reaches capacity - 7.
std::string StaggerCodes(int group_size, std::string_view codes, std::size_t capacity);

// A name as the register types it: its codes, staggered (capacity 2048), in CodeLineBold.
void WriteNameLine(std::string& page, std::string_view name);

// The code entry that opens a section's rows: the programming code ("  3 0   "), converted, in
// CodeLineLarge, the SUBTOTAL key, then the given number of line breaks.
void WriteCodeEntry(std::string& page, std::string_view code, int line_breaks);

// The last block of every section: a break, the caption in a key box, a spacer, the note cut
// to 80 characters, two breaks.
void WriteExitBlock(std::string& page, std::string_view caption, std::string_view note);

}  // namespace qx
