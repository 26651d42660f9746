// The department sections of the guide: status (code 500), price (520) and name (530).
// Each department is reached through its own key, so a row shows the key labelled with the
// department's name; neighbours that share the section's value are typed once as a range.
#include <cstdint>
#include <string>
#include <string_view>

#include "common/cp1252.h"
#include "guide/record_rows.h"
#include "guide/sections.h"

namespace qx {
namespace {

using namespace record_rows;

// Labels longer than this are shown on two lines inside their key box.
constexpr std::size_t kSplitWidth = 8;
constexpr std::string_view kClosingKey = "X/HORA";

enum class DeptKey { kStatus, kPrice, kName };

bool IsProgrammed(const DeptRecord& dept) { return !Text(dept.name).empty(); }

bool SameKey(const DeptRecord& a, const DeptRecord& b, DeptKey key) {
  switch (key) {
    case DeptKey::kStatus:
      return a.status_negative_price == b.status_negative_price &&
             a.status_single_item_sale == b.status_single_item_sale &&
             a.status_open_price == b.status_open_price &&
             a.status_fixed_price == b.status_fixed_price;
    case DeptKey::kPrice:
      return Text(a.price) == Text(b.price);
    case DeptKey::kName:
      return Text(a.name) == Text(b.name);
  }
  return false;
}

bool MarkerRaised(const DeptRecord& dept, DeptKey key) {
  switch (key) {
    case DeptKey::kStatus:
      return dept.changed_status != 0;
    case DeptKey::kPrice:
      return dept.changed_price != 0;
    case DeptKey::kName:
      return dept.changed_name != 0;
  }
  return false;
}

// The label of a department key: a long name is split after its first half plus one
// character, so that it fits the small key box on two lines.
void WriteKeyLabel(std::string& page, std::size_t split_width, std::string_view label) {
  std::string text(label);
  if (split_width > 1 && label.size() > split_width) {
    const std::size_t first = label.size() / 2 + 1;
    text = std::string(label.substr(0, first)) + '\n' + std::string(label.substr(first));
  }
  WriteSmallKey(page, text);
}

void WriteKeyValueRow(std::string& page, std::size_t split_width, std::string_view key_label,
                      std::string_view value, std::string_view closing_key, std::string_view note) {
  WriteLineBreaks(page, 1);
  WriteKeyLabel(page, split_width, key_label);
  WritePaddedBlock(page, kCodeLine, 7, Cut(value, 40), 7);
  WriteSmallKey(page, closing_key);
  WritePaddedBlock(page, kNoteLine, 8, Cut(note, 60));
  WriteLineBreaks(page, 2);
}

void WriteKeyRangeValueRow(std::string& page, std::size_t split_width, std::string_view first_label,
                           std::string_view last_label, std::string_view value,
                           std::string_view closing_key, std::string_view note) {
  WriteLineBreaks(page, 1);
  WriteKeyLabel(page, split_width, first_label);
  WriteSpacerBlock(page, kCodeLine, 4);
  WriteKeyLabel(page, split_width, last_label);
  WritePaddedBlock(page, kCodeLine, 4, Cut(value, 40), 3);
  WriteSmallKey(page, closing_key);
  WritePaddedBlock(page, kNoteLine, 2, Cut(note, 60));
  WriteLineBreaks(page, 2);
}

void WriteKeyNameRow(std::string& page, std::size_t split_width, std::string_view key_label,
                     std::string_view name, std::string_view closing_key, std::string_view note) {
  WriteLineBreaks(page, 1);
  WriteKeyLabel(page, split_width, key_label);
  WriteSpacerBlock(page, kCodeLine, 3);
  WriteNameLine(page, name);
  if (name.size() < 13) WriteAlignmentBlock(page, 13 - name.size());
  WriteSmallKey(page, closing_key);
  if (!note.empty()) WritePaddedBlock(page, kNoteLine, 4, Cut(note, 60));
  WriteLineBreaks(page, 2);
}

void WriteKeyRangeNameRow(std::string& page, std::size_t split_width, std::string_view first_label,
                          std::string_view last_label, std::string_view name,
                          std::string_view closing_key, std::string_view note) {
  WriteLineBreaks(page, 1);
  WriteKeyLabel(page, split_width, first_label);
  WriteSpacerBlock(page, kCodeLine, 3);
  WriteKeyLabel(page, split_width, last_label);
  WriteSpacerBlock(page, kCodeLine, 6);
  WriteNameLine(page, name);
  WriteSmallKey(page, closing_key);
  if (!note.empty()) WritePaddedBlock(page, kNoteLine, 5, Cut(note, 60));
  WriteLineBreaks(page, 2);
}

std::string DeptTag(int number) { return Join({"DEPT", std::to_string(number)}); }

std::string StatusNote(const DeptRecord& dept, int number) {
  static const std::string negative = Win1252("PREÇO negativo");
  std::string note = Join({"(", DeptTag(number), "..."});
  if (IsSet(dept.status_negative_price)) note += negative;
  if (IsSet(dept.status_single_item_sale)) note += "+UNICO VENDA";
  if (IsSet(dept.status_open_price)) note += "+ABERTO";
  if (IsSet(dept.status_fixed_price)) note += "+FIXO";
  // Neither open nor fixed: the register treats the price as open.
  if (!IsSet(dept.status_open_price) && !IsSet(dept.status_fixed_price)) note += "+ABERTO";
  return note + ")";
}

std::string PriceNote(const ParamSet& params, const DeptRecord& dept, int number) {
  const std::string amount =
      FormatAmount(Text(params.print_options.local_currency_symbol), Text(dept.price), 8);
  return Join({"(", DeptTag(number), "...", Cut(amount, 12), ")"});
}

// Writes a department section: opening, code entry, one row per group, exit block.
// `overlapping` makes the scan go on at the next department after each group rather than
// after the group's last member (the name section types every later member's range too).
template <typename WriteRow>
void WriteDepartmentSection(std::string& page, const ParamSet& params, SectionMode mode,
                            DeptKey key, const SectionOpening& opening, std::string_view code,
                            std::string_view exit_note, bool overlapping, WriteRow write_row) {
  bool any_programmed = false;
  bool any_marker = false;
  for (const DeptRecord& dept : params.departments) {
    any_programmed = any_programmed || IsProgrammed(dept);
    any_marker = any_marker || MarkerRaised(dept, key);
  }
  if (!any_programmed) return;
  if (mode == SectionMode::kChangesOnly && !any_marker) return;

  WriteSectionOpening(page, opening);
  WriteCodeEntry(page, code, 4);
  for (int d = 1; d <= kDepartmentCount;) {
    const DeptRecord& first = params.Department(d);
    if (!IsProgrammed(first)) {
      ++d;
      continue;
    }
    int e = d;
    bool marker = MarkerRaised(first, key);
    while (e < kDepartmentCount && IsProgrammed(params.Department(e + 1)) &&
           SameKey(first, params.Department(e + 1), key)) {
      ++e;
      marker = marker || MarkerRaised(params.Department(e), key);
    }
    if (mode == SectionMode::kFullGuide || marker) write_row(d, e);
    d = overlapping ? d + 1 : e + 1;
  }
  WriteSectionExit(page, exit_note);
}

}  // namespace

void WriteDepartmentStatusSection(std::string& page, const ParamSet& params, SectionMode mode) {
  static const std::string exit_note = Win1252("(sai da programação de depart-status)");
  const SectionOpening opening{"<!-- COMENTARIO   PROGRAMANDO DE DEPARTAMENTOS -->",
                               "PROGRAMANDO DEPARTAMENTOS", 2, "Status dos departamentos"};
  WriteDepartmentSection(
      page, params, mode, DeptKey::kStatus, opening, "  5 0 0   ", exit_note, false,
      [&](int d, int e) {
        const DeptRecord& first = params.Department(d);
        const std::string digits =
            StatusDigits(first.status_negative_price, first.status_single_item_sale,
                         first.status_open_price, first.status_fixed_price);
        const std::string note = StatusNote(first, d);
        if (d == e) {
          WriteKeyValueRow(page, kSplitWidth, Text(first.name), digits, kClosingKey, note);
        } else {
          WriteKeyRangeValueRow(page, kSplitWidth, Text(first.name),
                                Text(params.Department(e).name), digits, kClosingKey, note);
        }
      });
}

void WriteDepartmentPriceSection(std::string& page, const ParamSet& params, SectionMode mode) {
  static const std::string exit_note = Win1252("(sai da programação do valor departamento)");
  static const std::string group_title = Win1252("Preço limite ou fixo dos departamentos");
  const SectionOpening opening{{}, {}, 2, group_title};
  WriteDepartmentSection(
      page, params, mode, DeptKey::kPrice, opening, "  5 2 0   ", exit_note, false,
      [&](int d, int e) {
        const DeptRecord& first = params.Department(d);
        const std::string_view value = Cut(SkipLeadingZeros(Text(first.price)), 7);
        const std::string note = PriceNote(params, first, d);
        if (d == e) {
          WriteKeyValueRow(page, kSplitWidth, Text(first.name), value, kClosingKey, note);
        } else {
          WriteKeyRangeValueRow(page, kSplitWidth, Text(first.name),
                                Text(params.Department(e).name), value, kClosingKey, note);
        }
      });
}

void WriteDepartmentNameSection(std::string& page, const ParamSet& params, SectionMode mode) {
  static const std::string exit_note = Win1252("(sai da programação do nome do departamento )");
  const SectionOpening opening{{}, {}, 2, "Nome dos departamentos"};
  WriteDepartmentSection(page, params, mode, DeptKey::kName, opening, "  5 3 0   ", exit_note, true,
                         [&](int d, int e) {
                           const std::string_view name = Text(params.Department(d).name);
                           if (d == e) {
                             WriteKeyNameRow(page, kSplitWidth, name, name, kClosingKey, {});
                           } else {
                             WriteKeyRangeNameRow(page, kSplitWidth, name,
                                                  Text(params.Department(e).name), name,
                                                  kClosingKey, {});
                           }
                         });
}

}  // namespace qx
