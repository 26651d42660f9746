// Pieces shared by the record sections (departments, products, operators, receipt texts and
// the register number): the section opening and exit, small key boxes, the alignment block
// after a name line, the status digits, and the way a text of the parameter set is cut,
// escaped and converted before it reaches a block. Internal to the guide.
#pragma once

#include <array>
#include <charconv>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "common/file_layer.h"
#include "guide/html.h"
#include "model/field_text.h"
#include "model/param_set.h"
#include "model/register_codes.h"

namespace qx::record_rows {

// A field of the parameter set read the way the register's texts are: up to the first NUL.
inline std::string_view Text(const std::string& field) { return std::string_view(field.c_str()); }

// The first n characters of a text ("%.Ns").
inline std::string_view Cut(std::string_view text, std::size_t n) { return CutText(text, n); }

// The pieces of a note or a caption, one after the other.
inline std::string Join(std::initializer_list<std::string_view> pieces) {
  std::size_t size = 0;
  for (std::string_view piece : pieces) size += piece.size();
  std::string text;
  text.reserve(size);
  for (std::string_view piece : pieces) text += piece;
  return text;
}

// A value or note block: `before` blanks, a text of the parameter set (already cut by the
// caller; escaped here), `after` blanks, all converted as ToHtml converts them.
inline void WritePaddedBlock(std::string& page, const HtmlTemplate& block, std::size_t before,
                             std::string_view text, std::size_t after = 0) {
  BeginBlock(page, block);
  AppendNbsp(page, before);
  AppendTextHtml(page, text);
  AppendNbsp(page, after);
  EndBlock(page, block);
}

// A spacer block: blanks only.
inline void WriteSpacerBlock(std::string& page, const HtmlTemplate& block, std::size_t blanks) {
  WritePaddedBlock(page, block, blanks, {});
}

// A block with a record number as "%*d" with blanks before and after, converted: `lead`
// blanks, the number right-aligned in `width` positions, `trail` blanks ("%3d   " is 0, 3, 3;
// "%d  " is 0, 0, 2).
inline void WriteNumberBlock(std::string& page, const HtmlTemplate& block, std::size_t lead,
                             int number, std::size_t width, std::size_t trail) {
  char digits[16];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, number);
  const std::size_t length = static_cast<std::size_t>(end - digits);
  BeginBlock(page, block);
  AppendNbsp(page, lead + (length < width ? width - length : 0));
  page.append(digits, length);
  AppendNbsp(page, trail);
  EndBlock(page, block);
}

// The text up to its NUL without the blanks (0x20 only) at either end, as TrimBlanks gives
// it, but without a copy.
inline std::string_view TrimmedBlanks(std::string_view text) {
  text = CutText(text, std::string_view::npos);
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A small key box whose caption is trimmed, escaped and converted; never split.
inline void WriteSmallKey(std::string& page, std::string_view caption) {
  WriteTextBlock(page, kKeyBoxSmall, TrimmedBlanks(caption));
}

// A block of blanks as wide as the codes of the missing characters, so that the closing
// keys of all rows line up.
inline void WriteAlignmentBlock(std::string& page, std::size_t missing_characters) {
  const auto make = [](std::size_t missing) {
    return FillTemplate(
        kCodeLineBold,
        ToHtml(StaggerCodes(kCodeGroupSize, std::string(4 * missing, ' '), kNameCodesCapacity)));
  };
  // The widths that occur (a name or receipt half of 0 to 12 characters) are made once.
  static const std::array<std::string, 14> blocks = [&] {
    std::array<std::string, 14> made;
    for (std::size_t i = 0; i < made.size(); ++i) made[i] = make(i);
    return made;
  }();
  WriteTextLine(page, missing_characters < blocks.size() ? blocks[missing_characters]
                                                         : make(missing_characters));
}

// The page break, the optional topic comment and title, the optional sub-list title and the
// float style that every record section starts with.
struct SectionOpening {
  std::string_view comment;  // empty: a sub-list without comment and title
  std::string_view title;    // converted with ToHtml
  int breaks_after_title = 2;
  std::string_view group_title;  // written raw; empty: none
};

inline void WriteSectionOpening(std::string& page, const SectionOpening& opening) {
  WriteTextLine(page, kPageBreak);
  WriteLineBreaks(page, 2);
  if (!opening.comment.empty()) {
    WriteTextLine(page, opening.comment);
    WriteHtmlBlock(page, kSectionTitle, opening.title);
    WriteLineBreaks(page, opening.breaks_after_title);
  }
  if (!opening.group_title.empty()) WriteBlock(page, kGroupTitle, opening.group_title);
  WriteTextLine(page, kFloatLeftStyle);
}

// The exit block with [DINHEIRO/TOTAL] and the line break after it.
inline void WriteSectionExit(std::string& page, std::string_view note) {
  WriteExitBlock(page, "DINHEIRO/TOTAL", note);
  WriteLineBreaks(page, 1);
}

// The status digits typed for a department or a product: negative price, single-item sale,
// four fixed zeros, open price, fixed price, without leading zeros.
inline std::string StatusDigits(char negative, char single_item, char open, char fixed) {
  std::string digits;
  digits += FlagChar(IsSet(negative));
  digits += FlagChar(IsSet(single_item));
  digits += "0000";
  digits += FlagChar(IsSet(open));
  digits += FlagChar(IsSet(fixed));
  return std::string(SkipLeadingZeros(digits));
}

}  // namespace qx::record_rows
