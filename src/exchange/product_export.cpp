// The product list export.
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

}  // namespace

std::string FormatProductList(const ParamSet& params) {
  std::string out(kExportHeader);
  out += kLineEnd;
  for (int code = 1; code <= kProductCount; ++code) {
    const PluRecord& p = params.Product(code);
    if (p.name.empty()) continue;
    out += std::to_string(code);
    for (const std::string& value :
         {Field(p.name), Field(Reais(p.price)), Field(p.dept_code),
          std::string(Flag(p.status_negative_price)), std::string(Flag(p.status_single_item_sale)),
          std::string(Flag(p.status_open_price)), std::string(Flag(p.status_fixed_price))}) {
      out += ';';
      out += value;
    }
    out += kLineEnd;
  }
  return out;
}

bool WriteProductList(const ParamSet& params, const std::string& path) {
  return WriteFileSafely(path, FormatProductList(params), MissingFolders::kFail);
}

}  // namespace qx::exchange
