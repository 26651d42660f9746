// Helpers for the record section tests: the expected lines of a page, and the captions,
// values and notes a page shows, in order, so that grouping can be checked row by row.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "guide/html.h"
#include "model/param_set.h"

namespace qx::testing_util {

// One written line: the text and CR LF.
inline std::string L(std::string_view text) { return std::string(text) + "\r\n"; }
// One written block.
inline std::string B(std::string_view block, std::string_view argument) {
  return L(FillTemplate(block, argument));
}
inline std::string Breaks(int count) { return L(LineBreaks(count)); }
inline std::string Nbsp(int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += "&nbsp;";
  return out;
}

// Every text between `open` and `close`, in page order.
inline std::vector<std::string> Between(std::string_view page, std::string_view open,
                                        std::string_view close) {
  std::vector<std::string> found;
  for (std::size_t at = page.find(open); at != std::string_view::npos; at = page.find(open, at)) {
    at += open.size();
    const std::size_t end = page.find(close, at);
    if (end == std::string_view::npos) break;
    found.emplace_back(page.substr(at, end - at));
    at = end;
  }
  return found;
}

// The captions of the small key boxes (department keys, PLU, X/HORA...).
inline std::vector<std::string> SmallKeys(std::string_view page) {
  return Between(page, "<font size=\"2\"> <center>", "</center>");
}
// The texts of the note lines (Arial notes of the value rows and range rows).
inline std::vector<std::string> Notes(std::string_view page) {
  return Between(page, "<td><font size=-2>", "</td>");
}
// The texts of the small notes under the text rows.
inline std::vector<std::string> SmallNotes(std::string_view page) {
  return Between(page, "<td><font size=1>", "</td>");
}
// The texts of the plain code lines (values, numbers, spacers).
inline std::vector<std::string> CodeLines(std::string_view page) {
  return Between(page, "<td><font size=\"3\"><pre>", "</pre>");
}
// The texts of the bold code lines (names as codes, alignment blocks, product numbers).
inline std::vector<std::string> BoldLines(std::string_view page) {
  return Between(page, "<td><font size=\"4\"><pre><b>", "</b></pre>");
}

inline std::size_t Count(std::string_view page, std::string_view what) {
  std::size_t n = 0;
  for (std::size_t at = page.find(what); at != std::string_view::npos;
       at = page.find(what, at + what.size())) {
    ++n;
  }
  return n;
}

// A parameter set at its defaults.
}  // namespace qx::testing_util
