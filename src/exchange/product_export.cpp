// The product list export.
#include "common/cp1252.h"
#include "common/file_layer.h"
#include "exchange/product_list.h"
#include "model/field_text.h"

namespace qx::exchange {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A value a spreadsheet would split, change or trim goes in quotes, its quotes doubled.
std::string Field(std::string_view value) {
  const bool quote = value.find_first_of(";\"\r\n") != std::string_view::npos ||
                     (!value.empty() && (value.front() == ' ' || value.back() == ' '));
  if (!quote) return std::string(value);
  std::string out = "\"";
  for (char c : value) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

// The stored centavos as reais: "1250" gives "12,50", "5" gives "0,05"; an empty price stays
// empty. A price that is not all digits is written as it is, for the import to point at.
std::string Reais(std::string_view price) {
  if (price.empty() || !IsAllDigits(price, static_cast<int>(price.size())))
    return std::string(price);
  std::string digits(price);
  while (digits.size() < 3) digits.insert(digits.begin(), '0');
  const std::size_t first = digits.find_first_not_of('0');
  const std::size_t keep = digits.size() - 3;  // the last digit of the reais
  const std::size_t from = first == std::string::npos || first > keep ? keep : first;
  return digits.substr(from, digits.size() - 2 - from) + "," + digits.substr(digits.size() - 2);
}

std::string_view Flag(char flag) { return IsSet(flag) ? "S" : "N"; }

// A spreadsheet would take a name starting with = + - or @ for a formula: after an apostrophe
// it stays text there, and the import drops exactly that apostrophe. A name that itself
// starts with apostrophes before such a character gets one more, so it reads back unchanged.
std::string Name(std::string_view name) {
  const std::size_t after = name.find_first_not_of('\'');
  if (after != std::string_view::npos &&
      std::string_view("=+-@").find(name[after]) != std::string_view::npos)
    return Field("'" + std::string(name));
  return Field(name);
}

bool SameProduct(const PluRecord& a, const PluRecord& b) {
  return a.name == b.name && a.price == b.price && a.dept_code == b.dept_code &&
         IsSet(a.status_fixed_price) == IsSet(b.status_fixed_price) &&
         IsSet(a.status_open_price) == IsSet(b.status_open_price) &&
         IsSet(a.status_negative_price) == IsSet(b.status_negative_price) &&
         IsSet(a.status_single_item_sale) == IsSet(b.status_single_item_sale);
}

}  // namespace

std::string FormatProductList(const ParamSet& params) {
  std::string out(kExportHeader);
  out += kLineEnd;
  for (int code = 1; code <= kProductCount; ++code) {
    const PluRecord& p = params.Product(code);
    if (p.name.empty()) continue;
    out += std::to_string(code);
    for (const std::string& value :
         {Name(p.name), Field(Reais(p.price)), Field(p.dept_code),
          std::string(Flag(p.status_negative_price)), std::string(Flag(p.status_single_item_sale)),
          std::string(Flag(p.status_open_price)), std::string(Flag(p.status_fixed_price))}) {
      out += ';';
      out += value;
    }
    out += kLineEnd;
  }
  return out;
}

std::vector<std::string> ProductListProblems(const ParamSet& params, std::string_view list) {
  std::vector<std::string> problems;
  // A list of no product is refused by the import, and the export's count already says so.
  bool any = false;
  for (const PluRecord& p : params.products) any = any || !p.name.empty();
  if (!any) return problems;
  const ProductImport import = PrepareProductImport(params, list);
  for (const ImportMessage& m : import.messages)
    if (m.error) problems.push_back(m.text);
  if (import.messages_left_off > 0)
    problems.push_back("e mais " + std::to_string(import.messages_left_off) + " mensagens");
  for (const ProductImport::Row& row : import.rows) {
    PluRecord after = params.Product(row.code);
    StoreProductEntry(after, row.entry);
    if (!SameProduct(after, params.Product(row.code)))
      problems.push_back("produto " + std::to_string(row.code) +
                         Win1252(": a importação leria outros valores"));
  }
  return problems;
}

FileStatus WriteProductList(const ParamSet& params, const std::string& path) {
  return WriteFileSafely(path, FormatProductList(params), MissingFolders::kFail);
}

}  // namespace qx::exchange
