#include "ui/screens/product_table.h"

#include <algorithm>
#include <array>
#include <tuple>

#include "common/cp1252.h"
#include "model/field_text.h"
#include "model/search_fold.h"
#include "ui/screens/register_hint.h"

namespace qx::ui {
namespace {

// A field's text up to its terminator, as the register and the guide read it.
std::string_view Text(const std::string& field) { return std::string_view(field.c_str()); }

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string_view WithoutLeadingZeros(std::string_view digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? std::string_view() : digits.substr(first);
}

// The department a product is linked to, read as a whole number from the start of its text
// (blanks, a sign, digits): "5" and "05" are the same department, no digits is none.
int DepartmentOf(const PluRecord& plu) {
  const std::string_view dept = Text(plu.dept_code);
  return ParseShortNumber(dept, static_cast<int>(std::min<std::size_t>(dept.size(), 7)));
}

std::string FlagCell(char flag) { return IsSet(flag) ? "Sim" : ""; }

// A sort key for a text that should hold a number: no text first, then the numbers by value,
// then texts that are no number, by their bytes. Digits are compared by count and then
// by bytes, so no length overflows.
struct NumberKey {
  int kind = 0;  // 0: empty, 1: a number, 2: something else
  std::size_t length = 0;
  std::string_view text;
  friend bool operator<(const NumberKey& a, const NumberKey& b) {
    return std::tie(a.kind, a.length, a.text) < std::tie(b.kind, b.length, b.text);
  }
};

NumberKey KeyOfNumber(std::string_view text) {
  if (text.empty()) return {};
  if (!AllDigits(text)) return {2, 0, text};
  const std::string_view digits = WithoutLeadingZeros(text);
  return {1, digits.size(), digits};
}

const std::string& Cell(const ProductRow& row, ProductColumn column) {
  return row.cells[static_cast<std::size_t>(static_cast<int>(column))];
}

// Whether row a comes before row b in ascending order of the column; false for a tie.
bool Before(const ProductRow& a, const ProductRow& b, ProductColumn column) {
  switch (column) {
    case ProductColumn::kCode:
      return a.code < b.code;
    case ProductColumn::kName:
      return a.name_key < b.name_key;
    case ProductColumn::kPrice:
      return KeyOfNumber(a.price) < KeyOfNumber(b.price);
    case ProductColumn::kDept:
      return KeyOfNumber(a.dept) < KeyOfNumber(b.dept);
    case ProductColumn::kAttention:
    case ProductColumn::kNegative:
    case ProductColumn::kSingleItem:
    case ProductColumn::kOpen:
    case ProductColumn::kFixed:
      // Marked rows first.
      return !Cell(a, column).empty() && Cell(b, column).empty();
  }
  return false;
}

}  // namespace

std::string PriceCell(std::string_view price) {
  if (price.empty()) return {};
  if (!AllDigits(price)) return std::string(price);
  std::string digits(WithoutLeadingZeros(price));
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  const std::size_t whole = digits.size() - 2;
  std::string cell = "R$ ";
  for (std::size_t i = 0; i < whole; ++i) {
    if (i > 0 && (whole - i) % 3 == 0) cell += '.';
    cell += digits[i];
  }
  cell += ',';
  cell += digits.substr(whole);
  return cell;
}

std::string ProductAttention(const ParamSet& params, int code) {
  const PluRecord& plu = params.Product(code);
  const std::string_view name = Text(plu.name);
  if (name.empty()) return {};
  std::vector<std::string> problems;
  const int dept = DepartmentOf(plu);
  if (dept <= 0) {
    problems.push_back(Win1252("Sem departamento: o produto não fica ligado a nenhum"));
  } else if (dept > kDepartmentCount) {
    problems.push_back(Win1252("O departamento ") + std::to_string(dept) +
                       Win1252(" não existe (1 a 16)"));
  } else if (Text(params.Department(dept).name).empty()) {
    problems.push_back(Win1252("O departamento ") + std::to_string(dept) +
                       Win1252(" não tem nome"));
  }
  std::string hint = RegisterHint(name);
  if (!hint.empty()) problems.push_back(std::move(hint));
  const std::string_view price = Text(plu.price);
  if (!AllDigits(price))
    problems.push_back(Win1252("O preço não é só de dígitos: ") + std::string(price));
  std::string text;
  for (const std::string& p : problems) {
    if (!text.empty()) text += '\n';
    text += p;
  }
  return text;
}

std::vector<ProductRow> BuildProductRows(const ParamSet& params, bool show_all) {
  std::vector<ProductRow> rows;
  rows.reserve(static_cast<std::size_t>(kProductCount));
  for (int code = 1; code <= kProductCount; ++code) {
    const PluRecord& plu = params.Product(code);
    const std::string_view name = Text(plu.name);
    if (name.empty() && !show_all) continue;
    ProductRow row;
    row.code = code;
    row.attention = ProductAttention(params, code);
    row.name_key = FoldForSearch(name);
    row.price = std::string(Text(plu.price));
    row.dept = std::string(Text(plu.dept_code));
    row.cells = {row.attention.empty() ? std::string() : std::string("!"),
                 std::to_string(code),
                 std::string(name),
                 PriceCell(Text(plu.price)),
                 std::string(Text(plu.dept_code)),
                 FlagCell(plu.status_negative_price),
                 FlagCell(plu.status_single_item_sale),
                 FlagCell(plu.status_open_price),
                 FlagCell(plu.status_fixed_price)};
    rows.push_back(std::move(row));
  }
  return rows;
}

ProductFind::ProductFind(std::string_view typed) : folded_(FoldForSearch(TrimBlanks(typed))) {
  if (!folded_.empty() && AllDigits(folded_)) {
    const std::string_view digits = WithoutLeadingZeros(folded_);
    if (!digits.empty() && digits.size() <= 3)
      code_ = ParseShortNumber(digits, static_cast<int>(digits.size()));
    if (code_ > kProductCount) code_ = 0;
  }
}

bool ProductFind::Matches(const ProductRow& row) const {
  if (folded_.empty()) return true;
  if (code_ != 0 && row.code == code_) return true;
  return row.name_key.find(folded_) != std::string::npos;
}

void SortProductRows(std::vector<ProductRow>& rows, SortOrder order) {
  std::stable_sort(rows.begin(), rows.end(),
                   [](const ProductRow& a, const ProductRow& b) { return a.code < b.code; });
  std::stable_sort(rows.begin(), rows.end(), [order](const ProductRow& a, const ProductRow& b) {
    return order.descending ? Before(b, a, order.column) : Before(a, b, order.column);
  });
}

void ProductTable::SetShowAll(bool show_all) {
  if (show_all == show_all_) return;
  show_all_ = show_all;
  Rebuild();
}

void ProductTable::SetFind(std::string_view typed) {
  find_ = std::string(typed);
  Refilter();
}

void ProductTable::ClickColumn(int column) {
  if (column < 0 || column >= kProductColumnCount) return;
  const auto clicked = static_cast<ProductColumn>(column);
  if (clicked == order_.column)
    order_.descending = !order_.descending;
  else
    order_ = {clicked, false};
  SortProductRows(rows_, order_);
  Refilter();
}

std::string ProductTable::CountText() const {
  return std::to_string(shown_.size()) + " de " + std::to_string(kProductCount);
}

void ProductTable::Rebuild() {
  rows_ = BuildProductRows(params_, show_all_);
  SortProductRows(rows_, order_);
  Refilter();
}

void ProductTable::Refilter() {
  const ProductFind find(find_);
  shown_.clear();
  for (const ProductRow& row : rows_)
    if (find.Matches(row)) shown_.push_back(&row);
}

}  // namespace qx::ui
