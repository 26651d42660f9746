// The product sections of the guide: status (code 100), price (200), name (300) and the link
// of a product to its department (350). A product is addressed by its number and [PLU];
// neighbours that share the section's value are typed once as first [PLU] last [PLU].
#include <climits>
#include <string>
#include <string_view>

#include "common/cp1252.h"
#include "guide/record_rows.h"
#include "guide/sections.h"

namespace qx {
namespace {

using namespace record_rows;

constexpr std::string_view kPluKey = "PLU";
constexpr std::string_view kClosingKey = "X/HORA";

enum class PluKey { kStatus, kPrice, kName, kLink };

bool IsProgrammed(const PluRecord& plu) { return !Text(plu.name).empty(); }

// The department a product is linked to, read the way a whole number is read from the start
// of a text: blanks skipped, an optional sign, digits up to the first non-digit; 0 without
// digits. "5" and "05" are the same department. Saturates instead of overflowing.
int DepartmentValue(const PluRecord& plu) {
  std::string_view text = Text(plu.dept_code);
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value < INT_MAX) value = value * 10 + (text[i] - '0');
  }
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(negative ? -value : value);
}

bool SameKey(const PluRecord& a, const PluRecord& b, PluKey key) {
  switch (key) {
    case PluKey::kStatus:
      return a.status_negative_price == b.status_negative_price &&
             a.status_single_item_sale == b.status_single_item_sale &&
             a.status_open_price == b.status_open_price &&
             a.status_fixed_price == b.status_fixed_price;
    case PluKey::kPrice:
      return Text(a.price) == Text(b.price);
    case PluKey::kName:
      return Text(a.name) == Text(b.name);
    case PluKey::kLink:
      return DepartmentValue(a) == DepartmentValue(b);
  }
  return false;
}

bool MarkerRaised(const PluRecord& plu, PluKey key) {
  switch (key) {
    case PluKey::kStatus:
      return plu.changed_status != 0;
    case PluKey::kPrice:
      return plu.changed_price != 0;
    case PluKey::kName:
      return plu.changed_name != 0;
    case PluKey::kLink:
      return plu.changed_dept != 0;
  }
  return false;
}

// The name left-aligned and padded with blanks to 12 characters ("%-12.12s").
std::string PaddedName(const PluRecord& plu) {
  std::string name(Cut(Text(plu.name), 12));
  name.resize(12, ' ');
  return name;
}

void WritePluValueRow(std::string& page, int code, std::string_view key_caption,
                      std::string_view value, std::string_view closing_key, std::string_view note) {
  WriteLineBreaks(page, 1);
  WriteNumberBlock(page, kCodeLineBold, 0, code, 3, 3);
  WriteSmallKey(page, key_caption);
  WritePaddedBlock(page, kCodeLine, 7, Cut(value, 40), 7);
  WriteSmallKey(page, closing_key);
  WritePaddedBlock(page, kNoteLine, 1, Cut(note, 80));
  WriteLineBreaks(page, 2);
}

void WritePluRangeValueRow(std::string& page, int first_code, std::string_view first_caption,
                           int last_code, std::string_view last_caption, std::string_view value,
                           std::string_view closing_key, std::string_view note) {
  WriteLineBreaks(page, 1);
  WriteNumberBlock(page, kCodeLineBold, 0, first_code, 3, 3);
  WriteSmallKey(page, first_caption);
  WriteNumberBlock(page, kCodeLineBold, 3, last_code, 3, 3);
  WriteSmallKey(page, last_caption);
  WritePaddedBlock(page, kCodeLine, 2, Cut(value, 40), 2);
  WriteSmallKey(page, closing_key);
  WritePaddedBlock(page, kNoteLine, 1, Cut(note, 80));
  WriteLineBreaks(page, 2);
}

void WritePluTextRow(std::string& page, int code, std::string_view key_caption,
                     std::string_view text, std::string_view closing_key, std::string_view note) {
  WriteLineBreaks(page, 1);
  WriteNumberBlock(page, kCodeLine, 0, code, 0, 2);
  WriteSmallKey(page, key_caption);
  WriteSpacerBlock(page, kCodeLine, 1);
  if (!text.empty()) {
    WriteNameLine(page, text);
    if (text.size() < 13) WriteAlignmentBlock(page, 13 - text.size());
  }
  WriteSmallKey(page, closing_key);
  WriteLineBreaks(page, 1);
  WritePaddedBlock(page, kSmallNoteLine, 61, Cut(note, 60));
  WriteLineBreaks(page, 2);
}

void WritePluRangeTextRow(std::string& page, int first_code, std::string_view first_caption,
                          int last_code, std::string_view last_caption, std::string_view text,
                          std::string_view closing_key, std::string_view note) {
  WriteLineBreaks(page, 1);
  WriteNumberBlock(page, kCodeLine, 0, first_code, 0, 1);
  WriteSmallKey(page, first_caption);
  WriteSpacerBlock(page, kCodeLine, 1);
  WriteNumberBlock(page, kCodeLine, 0, last_code, 0, 3);
  WriteSmallKey(page, last_caption);
  WriteSpacerBlock(page, kCodeLine, 1);
  if (!text.empty()) {
    WriteNameLine(page, text);
  } else {
    WriteSpacerBlock(page, kCodeLine, 2);
  }
  WriteSmallKey(page, closing_key);
  WritePaddedBlock(page, kNoteLine, 3, Cut(note, 60));
  WriteLineBreaks(page, 2);
}

std::string StatusNote(const PluRecord& plu) {
  static const std::string negative = Win1252("PLU.preço negativo");
  static const std::string open = Win1252("+PREÇO ABERTO");
  static const std::string fixed = Win1252("+PREÇO FIXO");
  std::string note = Join({"(", PaddedName(plu), "..."});
  if (IsSet(plu.status_negative_price)) note += negative;
  if (IsSet(plu.status_single_item_sale)) note += "+UNICO NA VENDA";
  if (IsSet(plu.status_open_price)) note += open;
  if (IsSet(plu.status_fixed_price)) note += fixed;
  // Neither open nor fixed: the register treats the price as open.
  if (!IsSet(plu.status_open_price) && !IsSet(plu.status_fixed_price)) note += "+ABERTO";
  return note + ")";
}

std::string PriceValue(const PluRecord& plu) {
  std::string value(Cut(SkipLeadingZeros(Text(plu.price)), 7));
  value.resize(7, ' ');
  return value;
}

std::string PriceNote(const ParamSet& params, const PluRecord& plu) {
  const std::string amount =
      FormatAmount(Text(params.print_options.local_currency_symbol), Text(plu.price), 8);
  return Join({"(", PaddedName(plu), "...", Cut(amount, 12), ")"});
}

// The key that links a product: the department's own key, labelled with its name, or the
// department's number when it has no name (or lies outside 1 to 16).
std::string DepartmentKey(const ParamSet& params, const PluRecord& plu) {
  const int value = DepartmentValue(plu);
  if (value >= 1 && value <= kDepartmentCount && !Text(params.Department(value).name).empty()) {
    return std::string(Text(params.Department(value).name));
  }
  return Join({"DEPT", Cut(SkipLeadingZeros(Text(plu.dept_code)), 2)});
}

std::string LinkNote(const PluRecord& plu) {
  std::string code(Cut(Text(plu.dept_code), 3));
  code.resize(3, ' ');
  return Join({"(departamento= ", code, ")"});
}

// Writes a product section: opening, code entry, one row per group, exit block. In the link
// section only products linked to a department (value above 0) get a row.
template <typename WriteRow>
void WriteProductSection(std::string& page, const ParamSet& params, SectionMode mode, PluKey key,
                         const SectionOpening& opening, std::string_view code,
                         std::string_view exit_note, WriteRow write_row) {
  bool any_programmed = false;
  bool any_marker = false;
  for (const PluRecord& plu : params.products) {
    any_programmed = any_programmed || IsProgrammed(plu);
    const bool counts = key != PluKey::kLink || DepartmentValue(plu) != 0;
    any_marker = any_marker || (MarkerRaised(plu, key) && counts);
  }
  if (!any_programmed) return;
  if (mode == SectionMode::kChangesOnly && !any_marker) return;

  WriteSectionOpening(page, opening);
  WriteCodeEntry(page, code, 4);
  for (int p = 1; p <= kProductCount;) {
    const PluRecord& first = params.Product(p);
    if (!IsProgrammed(first)) {
      ++p;
      continue;
    }
    int q = p;
    bool marker = MarkerRaised(first, key);
    while (q < kProductCount && IsProgrammed(params.Product(q + 1)) &&
           SameKey(first, params.Product(q + 1), key)) {
      ++q;
      marker = marker || MarkerRaised(params.Product(q), key);
    }
    const bool linked = key != PluKey::kLink || DepartmentValue(first) > 0;
    if ((mode == SectionMode::kFullGuide || marker) && linked) write_row(p, q);
    p = q + 1;
  }
  WriteSectionExit(page, exit_note);
}

}  // namespace

void WriteProductStatusSection(std::string& page, const ParamSet& params, SectionMode mode) {
  static const std::string exit_note = Win1252("(sai da programação status do produto)");
  const SectionOpening opening{"<!-- COMENTARIO   PROGRAMANDO PRODUTOS -->", "PROGRAMANDO PRODUTOS",
                               2, "Status dos produtos"};
  WriteProductSection(
      page, params, mode, PluKey::kStatus, opening, "  1 0 0   ", exit_note, [&](int p, int q) {
        const PluRecord& first = params.Product(p);
        const std::string digits =
            StatusDigits(first.status_negative_price, first.status_single_item_sale,
                         first.status_open_price, first.status_fixed_price);
        const std::string note = StatusNote(first);
        if (p == q) {
          WritePluValueRow(page, p, kPluKey, digits, kClosingKey, note);
        } else {
          WritePluRangeValueRow(page, p, kPluKey, q, kPluKey, digits, kClosingKey, note);
        }
      });
}

void WriteProductPriceSection(std::string& page, const ParamSet& params, SectionMode mode) {
  static const std::string exit_note = Win1252("(sai da programação do valor do produto)");
  static const std::string group_title = Win1252("Preço limite ou fixo dos produtos");
  const SectionOpening opening{{}, {}, 2, group_title};
  WriteProductSection(
      page, params, mode, PluKey::kPrice, opening, "  2 0 0   ", exit_note, [&](int p, int q) {
        const PluRecord& first = params.Product(p);
        const std::string value = PriceValue(first);
        const std::string note = PriceNote(params, first);
        if (p == q) {
          WritePluValueRow(page, p, kPluKey, value, kClosingKey, note);
        } else {
          WritePluRangeValueRow(page, p, kPluKey, q, kPluKey, value, kClosingKey, note);
        }
      });
}

void WriteProductNameSection(std::string& page, const ParamSet& params, SectionMode mode) {
  static const std::string exit_note = Win1252("(sai da programação do nome do produto)");
  const SectionOpening opening{{}, {}, 2, "Nome dos produtos"};
  WriteProductSection(
      page, params, mode, PluKey::kName, opening, "  3 0 0   ", exit_note, [&](int p, int q) {
        const PluRecord& first = params.Product(p);
        const std::string note = Join({"(", PaddedName(first), ")"});
        if (p == q) {
          WritePluTextRow(page, p, kPluKey, Text(first.name), kClosingKey, note);
        } else {
          WritePluRangeTextRow(page, p, kPluKey, q, kPluKey, Text(first.name), kClosingKey, note);
        }
      });
}

void WriteProductLinkSection(std::string& page, const ParamSet& params, SectionMode mode) {
  static const std::string exit_note = Win1252("(sai da programação de vinc. depto a produto)");
  const SectionOpening opening{{}, {}, 2, "Vincula um produto a um departamento"};
  WriteProductSection(
      page, params, mode, PluKey::kLink, opening, "  3 5 0   ", exit_note, [&](int p, int q) {
        const PluRecord& first = params.Product(p);
        const std::string department_key = DepartmentKey(params, first);
        const std::string note = LinkNote(first);
        // Nothing is typed between the product keys and the department key.
        if (p == q) {
          WritePluTextRow(page, p, kPluKey, {}, department_key, note);
        } else {
          WritePluRangeTextRow(page, p, kPluKey, q, kPluKey, {}, department_key, note);
        }
      });
}

}  // namespace qx
