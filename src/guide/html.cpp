#include "guide/html.h"

#include <array>

#include "common/file_layer.h"
#include "model/register_codes.h"

namespace qx {
namespace {

constexpr std::string_view kNbsp = "&nbsp;";
constexpr std::string_view kBreak = "<br>\r\n";

// The bytes the conversions do not copy as they are: kToHtml for ToHtml's (blank, line feed,
// carriage return, NUL), kEscape for EscapeHtml's.
constexpr unsigned char kToHtml = 1;
constexpr unsigned char kEscape = 2;
constexpr std::array<unsigned char, 256> kSpecialBytes = [] {
  std::array<unsigned char, 256> table{};
  for (unsigned char c : {' ', '\n', '\r', '\0'}) table[c] = kToHtml;
  for (unsigned char c : {'&', '<', '>'}) table[c] = kEscape;
  return table;
}();

// ToHtml, and with `escape` also EscapeHtml first, in one pass. The bytes that stay as they
// are go in as whole runs between the bytes that are replaced.
template <bool escape>
void AppendConverted(std::string& out, std::string_view text) {
  constexpr unsigned char special = escape ? (kToHtml | kEscape) : kToHtml;
  std::size_t run = 0;  // where the bytes not yet appended start
  std::size_t i = 0;
  for (; i < text.size(); ++i) {
    if ((kSpecialBytes[static_cast<unsigned char>(text[i])] & special) == 0) continue;
    out.append(text.data() + run, i - run);
    run = i + 1;
    switch (text[i]) {
      case '\0':
        return;
      case ' ':
        out += kNbsp;
        break;
      case '\n':
        out += kBreak;
        break;
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        break;  // a carriage return is dropped
    }
  }
  out.append(text.data() + run, i - run);
}

// StaggerCodes, with every blank written as `blank`.
void AppendStaggered(std::string& out, int group_size, std::string_view codes, std::size_t capacity,
                     std::string_view blank) {
  out += "<SUP>";
  const long stop_budget = static_cast<long>(capacity) - 7;
  long group_count = 0;
  int in_group = 0;
  long budget = 0;
  for (std::size_t i = 0; i < codes.size() && codes[i] != '\0'; ++i) {
    if (budget >= stop_budget) break;
    const char c = codes[i];
    if (c == '\n') {
      out += "<br>";
    } else if (c != '\r') {
      if (c == ' ') {
        out += blank;
      } else {
        out += c;
      }
      if (in_group < group_size) {
        ++in_group;
      } else {
        out += (group_count % 2 == 0) ? "</SUP>" : "</SUB>";
        ++group_count;
        const bool more = i + 1 < codes.size() && codes[i + 1] != '\0';
        if (more) out += (group_count % 2 == 1) ? "<SUB>" : "<SUP>";
        budget += 7;
        in_group = 0;
      }
    }
    ++budget;
  }
}

}  // namespace

std::string FillTemplate(std::string_view html_template, std::string_view argument) {
  const std::size_t at = html_template.find("%s");
  if (at == std::string_view::npos) return std::string(html_template);
  std::string out;
  out.reserve(html_template.size() + argument.size());
  out.append(html_template.substr(0, at));
  out.append(argument);
  out.append(html_template.substr(at + 2));
  return out;
}

std::string_view CutText(std::string_view text, std::size_t max_chars) {
  const std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  return text.substr(0, max_chars);
}

std::string ToHtml(std::string_view text) {
  std::string out;
  AppendHtml(out, text);
  return out;
}

void AppendHtml(std::string& out, std::string_view text) { AppendConverted<false>(out, text); }

std::string EscapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += c;
        break;
    }
  }
  return out;
}

std::string TextToHtml(std::string_view text) {
  std::string out;
  AppendTextHtml(out, text);
  return out;
}

// The escapes hold no blank, line feed, carriage return or NUL, so escaping on the way gives
// what ToHtml(EscapeHtml(text)) gives.
void AppendTextHtml(std::string& out, std::string_view text) { AppendConverted<true>(out, text); }

void AppendNbsp(std::string& out, std::size_t count) {
  // Rows are mostly blanks (a note stands up to 62 blanks to the right), so the blanks are
  // copied from a ready run, eight at a time: copies of a fixed size are the fast ones.
  constexpr std::string_view kEightBlanks = "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";
  for (; count >= 8; count -= 8) out += kEightBlanks;
  out.append(kEightBlanks.data(), count * kNbsp.size());
}

std::string LineBreaks(int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += kBreak;
  return out;
}

void WriteLineBreaks(std::string& page, int count) {
  if (count <= 0) return;
  for (int i = 0; i < count; ++i) page += kBreak;
  page += "\r\n";
}

std::string StaggerCodes(int group_size, std::string_view codes, std::size_t capacity) {
  std::string out;
  AppendStaggered(out, group_size, codes, capacity, " ");
  return out;
}

void AppendStaggeredCodesHtml(std::string& out, int group_size, std::string_view codes,
                              std::size_t capacity) {
  AppendStaggered(out, group_size, codes, capacity, kNbsp);
}

void WriteBlock(std::string& page, const HtmlTemplate& block, std::string_view argument) {
  BeginBlock(page, block);
  page += argument;
  EndBlock(page, block);
}

void WriteHtmlBlock(std::string& page, const HtmlTemplate& block, std::string_view text) {
  BeginBlock(page, block);
  AppendHtml(page, text);
  EndBlock(page, block);
}

void WriteTextBlock(std::string& page, const HtmlTemplate& block, std::string_view text) {
  BeginBlock(page, block);
  AppendTextHtml(page, text);
  EndBlock(page, block);
}

void WriteNameLine(std::string& page, std::string_view name) {
  std::string codes;
  AppendRegisterCodes(codes, name);
  BeginBlock(page, kCodeLineBold);
  AppendStaggeredCodesHtml(page, kCodeGroupSize, codes, kNameCodesCapacity);
  EndBlock(page, kCodeLineBold);
}

void WriteCodeEntry(std::string& page, std::string_view code, int line_breaks) {
  WriteHtmlBlock(page, kCodeLineLarge, code);
  WriteBlock(page, kKeyBox, "SUBTOTAL");
  WriteLineBreaks(page, line_breaks);
}

void WriteExitBlock(std::string& page, std::string_view caption, std::string_view note) {
  WriteLineBreaks(page, 1);
  WriteBlock(page, kKeyBox, caption);
  WriteHtmlBlock(page, kCodeLine, "   ");
  WriteHtmlBlock(page, kNoteLine, CutText(note, 80));
  WriteLineBreaks(page, 2);
}

}  // namespace qx
