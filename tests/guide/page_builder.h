// Builds expected page text the way the pages are described: each piece one line, blanks as
// "&nbsp;", line feeds as "<br>\r\n", the templates of expected_text.h. Kept apart from the
// writer's own code so the tests do not merely repeat it.
#pragma once

#include <string>
#include <string_view>

#include "common/cp1252.h"
#include "expected_text.h"

namespace qx::expected {

inline std::string W(std::string_view utf8) { return Win1252(utf8); }

inline std::string Html(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == ' ')
      out += "&nbsp;";
    else if (c == '\n')
      out += "<br>\r\n";
    else if (c != '\r')
      out += c;
  }
  return out;
}

inline std::string Fill(std::string_view tmpl, std::string_view arg) {
  const auto at = tmpl.find("%s");
  return std::string(tmpl.substr(0, at)) + std::string(arg) + std::string(tmpl.substr(at + 2));
}

inline std::string Breaks(int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += "<br>\r\n";
  return out;
}

// One written line: the text and CR LF, nothing for an empty text.
class Page {
 public:
  Page& Line(std::string_view text) {
    if (!text.empty()) text_ += std::string(text) + "\r\n";
    return *this;
  }
  Page& Raw(std::string_view text) {
    text_ += text;
    return *this;
  }
  const std::string& str() const { return text_; }

  Page& CodeEntry(std::string_view code, int breaks) {
    return Line(Fill(kCodeLineLarge, Html(code)))
        .Line(Fill(kKeyBox, "SUBTOTAL"))
        .Line(Breaks(breaks));
  }
  Page& Exit(std::string_view note_cp1252) {
    return Line(Breaks(1))
        .Line(Fill(kKeyBox, "DINHEIRO/TOTAL"))
        .Line(Fill(kCodeLine, Html("   ")))
        .Line(Fill(kNoteLine, Html(note_cp1252)))
        .Line(Breaks(2));
  }
  // number [X/HORA] value [SUBTOTAL] note; the value already as HTML, the note as bytes.
  Page& OptionRow(std::string_view number_text, std::string_view value_html,
                  std::string_view note_html) {
    return Line(Breaks(1))
        .Line(Fill(kCodeLine, Html(number_text)))
        .Line(Fill(kKeyBoxSmall, "X/HORA"))
        .Line(Fill(kCodeLineBold,
                   "&nbsp;&nbsp;&nbsp;" + std::string(value_html) + "&nbsp;&nbsp;&nbsp;"))
        .Line(Fill(kKeyBoxSmall, "SUBTOTAL"))
        .Line(Fill(kCodeLine, Html("   ")))
        .Line(Fill(kNoteLine, note_html))
        .Line(Breaks(2));
  }
  Page& KeyRow(std::string_view value_html, std::string_view caption, std::string_view note_html) {
    return Line(Breaks(1))
        .Line(Fill(kCodeLineBold, value_html))
        .Line(Fill(kCodeLine, Html("   ")))
        .Line(Fill(caption.size() > 3 ? kKeyBoxSmall : kKeyBoxLarge, caption))
        .Line(Fill(kCodeLine, Html("   ")))
        .Line(Fill(kNoteLine, note_html))
        .Line(Breaks(2));
  }

 private:
  std::string text_;
};

}  // namespace qx::expected
