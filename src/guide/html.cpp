#include "guide/html.h"

#include "common/file_layer.h"
#include "guide/register_codes.h"

namespace qx {

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
  out.reserve(text.size() * 2);
  for (char c : text) {
    if (c == '\0') break;
    switch (c) {
      case ' ': out += "&nbsp;"; break;
      case '\n': out += "<br>\r\n"; break;
      case '\r': break;
      default: out += c; break;
    }
  }
  return out;
}

std::string EscapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c; break;
    }
  }
  return out;
}

std::string TextToHtml(std::string_view text) {
  return ToHtml(EscapeHtml(CutText(text, std::string_view::npos)));
}

std::string LineBreaks(int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += "<br>\r\n";
  return out;
}

std::string StaggerCodes(int group_size, std::string_view codes, std::size_t capacity) {
  std::string out = "<SUP>";
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
      out += c;
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
  return out;
}

void WriteNameLine(std::string& page, std::string_view name) {
  const std::string codes = ToRegisterCodes(name);
  WriteTextLine(page, FillTemplate(kCodeLineBold,
                                   ToHtml(StaggerCodes(kCodeGroupSize, codes, kNameCodesCapacity))));
}

void WriteCodeEntry(std::string& page, std::string_view code, int line_breaks) {
  WriteTextLine(page, FillTemplate(kCodeLineLarge, ToHtml(code)));
  WriteTextLine(page, FillTemplate(kKeyBox, "SUBTOTAL"));
  WriteTextLine(page, LineBreaks(line_breaks));
}

void WriteExitBlock(std::string& page, std::string_view caption, std::string_view note) {
  WriteTextLine(page, LineBreaks(1));
  WriteTextLine(page, FillTemplate(kKeyBox, caption));
  WriteTextLine(page, FillTemplate(kCodeLine, ToHtml("   ")));
  WriteTextLine(page, FillTemplate(kNoteLine, ToHtml(CutText(note, 80))));
  WriteTextLine(page, LineBreaks(2));
}

}  // namespace qx
