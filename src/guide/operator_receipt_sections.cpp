// The operator (code 810), receipt header (700) and footer (750) sections, whose rows type a
// text as register codes after its record number and [X/HORA]; and the register number
// section (1600), typed as a plain number.
#include <array>
#include <string>
#include <string_view>

#include "common/cp1252.h"
#include "guide/record_rows.h"
#include "guide/sections.h"

namespace qx {
namespace {

using namespace record_rows;

// A receipt line is typed in two halves of this many characters.
constexpr std::size_t kReceiptHalf = 12;

// One record: its number, [X/HORA], the text as codes padded to `width` characters so that
// the [SUBTOTAL] boxes of all rows line up, [SUBTOTAL], and the note far to the right below.
void WriteCodedTextRow(std::string& page, int code, std::size_t width, std::string_view text,
                       std::string_view note) {
  if (text.empty()) return;
  WriteLineBreaks(page, 1);
  WriteNumberBlock(page, kCodeLine, 0, code, 0, 3);
  WriteBlock(page, kKeyBoxSmall, "X/HORA");
  WriteSpacerBlock(page, kCodeLine, 2);
  WriteNameLine(page, text);
  if (text.size() < width) WriteAlignmentBlock(page, width - text.size());
  WriteBlock(page, kKeyBoxSmall, "SUBTOTAL");
  if (!note.empty() && note.front() == '\n') {
    WriteLineBreaks(page, 1);
    note.remove_prefix(1);
  }
  if (!note.empty()) {
    WritePaddedBlock(page, kSmallPreNoteLine, 62, Cut(note, 60));
  }
  // A receipt line shown in two halves takes more room.
  WriteLineBreaks(page, text.size() <= width ? 2 : 6);
}

void WriteCodeKeyValueRow(std::string& page, int code, std::string_view first_key,
                          std::string_view value, std::string_view closing_key,
                          std::string_view note) {
  WriteLineBreaks(page, 1);
  WriteNumberBlock(page, kCodeLine, 0, code, 0, 3);
  WriteSmallKey(page, first_key);
  WritePaddedBlock(page, kCodeLine, 7, Cut(value, 40), 7);
  WriteSmallKey(page, closing_key);
  WritePaddedBlock(page, kNoteLine, 8, Cut(note, 60));
  WriteLineBreaks(page, 2);
}

struct ReceiptTexts {
  std::string comment;
  std::string title;
  std::string_view code;
  std::string exit_note;
};

void WriteReceiptSection(std::string& page, const std::array<std::string, kReceiptLineCount>& lines,
                         const ReceiptTexts& texts) {
  bool any = false;
  for (const std::string& line : lines) any = any || !Text(line).empty();
  if (!any) return;

  WriteSectionOpening(page, {texts.comment, texts.title, 2, {}});
  WriteCodeEntry(page, texts.code, 4);
  for (int i = 1; i <= kReceiptLineCount; ++i) {
    const std::string_view line = Text(lines[static_cast<std::size_t>(i - 1)]);
    if (line.empty()) continue;
    // The register takes a line in two halves: the second half goes on its own row of codes.
    std::string shown(Cut(line, kReceiptHalf));
    if (line.size() > kReceiptHalf) {
      shown += "\n\n";
      shown += Cut(line.substr(kReceiptHalf), kReceiptHalf);
    }
    const std::string note = Join({"\n(", Cut(line, kReceiptLineLen), ")"});
    WriteCodedTextRow(page, i, kReceiptHalf, shown, note);
  }
  WriteSectionExit(page, texts.exit_note);
}

}  // namespace

void WriteOperatorSection(std::string& page, const ParamSet& params, SectionMode mode) {
  static const std::string exit_note = Win1252("(sai da programação de operadores)");
  bool any_named = false;
  bool any_marker = false;
  for (const OperatorRecord& op : params.operators) {
    any_named = any_named || !Text(op.name).empty();
    any_marker = any_marker || op.changed != 0;
  }
  if (!any_named) return;
  if (mode == SectionMode::kChangesOnly && !any_marker) return;

  WriteSectionOpening(
      page, {"<!-- COMENTARIO   PROGRAMANDO OPERADORES -->", "PROGRAMANDO OPERADORES", 2, {}});
  WriteCodeEntry(page, "  8 1 0   ", 4);
  // Operators are never grouped: each has its own number.
  for (int k = 1; k <= kOperatorCount; ++k) {
    const OperatorRecord& op = params.Operator(k);
    const std::string_view name = Text(op.name);
    if (name.empty()) continue;
    if (mode == SectionMode::kChangesOnly && op.changed == 0) continue;
    WriteCodedTextRow(page, k, kOperatorNameLen, name,
                      Join({"\n(", Cut(name, kOperatorNameLen), ")"}));
  }
  WriteSectionExit(page, exit_note);
}

void WriteHeaderSection(std::string& page, const ParamSet& params) {
  static const ReceiptTexts texts{Win1252("<!-- COMENTARIO   PROGRAMANDO CABEÇALHO -->"),
                                  Win1252("PROGRAMANDO CABEÇALHO"), "  7 0 0   ",
                                  Win1252("(sai da programação do cabeçalho)")};
  WriteReceiptSection(page, params.header_lines, texts);
}

void WriteFooterSection(std::string& page, const ParamSet& params) {
  static const ReceiptTexts texts{Win1252("<!-- COMENTARIO   PROGRAMANDO RODAPÉ -->"),
                                  Win1252("PROGRAMANDO RODAPÉ"), "  7 5 0   ",
                                  Win1252("(sai da programação do rodapé)")};
  WriteReceiptSection(page, params.footer_lines, texts);
}

void WriteRegisterNumberSection(std::string& page, const ParamSet& params) {
  static const std::string comment = Win1252("<!-- COMENTARIO   PROGRAMANDO NÚMERO DO CAIXA -->");
  static const std::string title = Win1252("NÚMERO DA REGISTRADORA");
  static const std::string exit_note = Win1252("(sai da programação do número do caixa)");
  const std::string_view number = Text(params.register_number);
  if (number.empty()) return;

  // The programming code is part of the row: 1600 [SUBTOTAL] number [X/HORA].
  WriteSectionOpening(page, {comment, title, 1, {}});
  WriteCodeKeyValueRow(page, 1600, "SUBTOTAL", SkipLeadingZeros(number), "X/HORA",
                       Join({"(", Cut(number, kRegisterNumberLen), ")"}));
  WriteLineBreaks(page, 1);
  WriteSectionExit(page, exit_note);
}

}  // namespace qx
