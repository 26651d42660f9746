// The page templates as the technician's browser must receive them, written out here once
// more, independently of the writer's constants, so that each block and the whole guide are
// checked byte for byte.
#pragma once

#include <string_view>

namespace qx::expected {

inline constexpr std::string_view kHtmlHead =
    "<HTML>\r\n<HEAD>\r\n<title> KORVA - TESTE </title>\r\n<METANAME=\"descri\xE7\xE3o\"  "
    "CONTENT=\"conte\xFA"
    "do\">\r\n</HEAD>\r\n";
inline constexpr std::string_view kBodyStart =
    "<BODY>\r\n<style type=\"text/css\">\r\nbody {color: black; background=white;}\r\n</style>\r\n";
inline constexpr std::string_view kGuideTitle =
    "<font size=\"6\"> <center> <B>Programa\xE7\xE3o&nbsp;&nbsp;QX-4810</B> </center> "
    "</font>\r\n<br>\r\n";
inline constexpr std::string_view kGuideSubtitle =
    "<font size=\"6\"> <center> "
    "<B>Roteiro&nbsp;&nbsp;de&nbsp;&nbsp;Programa\xE7\xE3o&nbsp;&nbsp;</B> </center> "
    "</font>\r\n<br>\r\n";
inline constexpr std::string_view kSummaryTitle =
    "<font size=\"6\"> <center> <B>R&nbsp;E&nbsp;S&nbsp;U&nbsp;M&nbsp;O&nbsp;&nbsp;&nbsp;</B> "
    "</center> </font>\r\n<br>\r\n";
inline constexpr std::string_view kSectionTitle =
    "<font size=\"4\" color=\"blue\"> <left> <B> <U> %s</U> </B> </left> </font><br>\r\n";
inline constexpr std::string_view kGroupTitle =
    "<font size=\"2\"> <left> <B> <U> ================= %s ==================</U> </B> </left> "
    "</font><br>\r\n";
inline constexpr std::string_view kRedHeading =
    "<font size=\"2\" color=\"red\"> <left> <B> <U> %s</U> </B> </left> </font><br>\r\n";
inline constexpr std::string_view kBlackHeading =
    "<font size=\"2\" color=\"black\"> <left> <B> <U> %s</U> </B> </left> </font><br>\r\n";
inline constexpr std::string_view kCenteredTitle =
    "<font size=\"4\"> <center> <B>%s</B> </center> </font>\r\n<br>\r\n";
inline constexpr std::string_view kCodeLine =
    "<table border=0 font face=\"Courier New\">\r\n<td><font "
    "size=\"3\"><pre>%s</pre></font></td>\r\n</table>\r\n";
inline constexpr std::string_view kCodeLineBold =
    "<table border=0 font face=\"Courier New\">\r\n<td><font "
    "size=\"4\"><pre><b>%s</b></pre></font></td>\r\n</table>\r\n";
inline constexpr std::string_view kCodeLineLarge =
    "<table border=0 font face=\"Courier New\">\r\n<td><font "
    "size=\"5\"><pre><b>%s</b></pre></font></td>\r\n</table>\r\n";
inline constexpr std::string_view kCodeLineRed =
    "<table border=0 font face=\"Courier New\">\r\n<td><font size=\"5\" "
    "color=\"red\"><pre><b>%s</b></pre></font></td>\r\n</table>\r\n";
inline constexpr std::string_view kKeyBox =
    "<table  border=9 cellpadding=5 font face=\"Courier "
    "New\">\r\n<tr><td>%s</td></tr>\r\n</table>\r\n";
inline constexpr std::string_view kKeyBoxRed =
    "<table  border=9 cellpadding=5 font face=\"Courier New\">\r\n<tr><td> <font "
    "color=\"red\">%s</font> </td></tr>\r\n</table>\r\n";
inline constexpr std::string_view kKeyBoxSmall =
    "<table  border=9 cellpadding=0 font face=\"Courier New\">\r\n<tr><td> <font size=\"2\"> "
    "<center>%s</center> </font></td></tr>\r\n</table>\r\n";
inline constexpr std::string_view kKeyBoxLarge =
    "<table  border=9 cellpadding=0 font face=\"Courier New\">\r\n<tr><td> <font "
    "size=\"4\">%s</font></td></tr>\r\n</table>\r\n";
inline constexpr std::string_view kNoteLine =
    "<table border=0 font face=\"Arial\">\r\n<td><font size=-2>%s</td>\r\n</table>\r\n<br>\r\n";
inline constexpr std::string_view kSmallNoteLine =
    "<table border=0 font face=\"Courier New\">\r\n<td><font "
    "size=1>%s</td>\r\n</table>\r\n<br>\r\n";
inline constexpr std::string_view kSmallPreNoteLine =
    "<table border=0 font face=\"Courier New\">\r\n<td><font "
    "size=1><pre>%s</pre></td>\r\n</table>\r\n<br>\r\n";
inline constexpr std::string_view kFloatLeftStyle =
    "<style type=\"text/css\">\r\ntable\r\n{\r\n  float:left\r\n}\r\n</style>\r\n<br>\r\n";
inline constexpr std::string_view kPageBreak = "<DIV style=\"page-break-after:always\"></DIV>";

}  // namespace qx::expected
