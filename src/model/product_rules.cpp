#include "model/product_rules.h"

#include "common/cp1252.h"
#include "model/change_markers.h"
#include "model/field_text.h"

namespace qx {
namespace {

bool AllDigits(std::string_view text) { return IsAllDigits(text, static_cast<int>(text.size())); }

// The department read as a number, at most its first 7 characters.
int DeptNumber(std::string_view dept_code) {
  const int chars = static_cast<int>(dept_code.size() < 7 ? dept_code.size() : 7);
  return ParseShortNumber(dept_code, chars);
}

bool HasSeparator(std::string_view text) { return text.find('|') != std::string_view::npos; }

ProductCheck Fault(ProductFault fault, ProductField field) { return ProductCheck{fault, field}; }

// A flag that keeps its meaning keeps its character, so that a record read from a file with
// an odd character other than '1' is not counted as changed.
void StoreFlag(char& flag, bool set) {
  if (IsSet(flag) != set) flag = FlagChar(set);
}

}  // namespace

ProductCheck CheckProductEntry(const ProductEntry& entry) {
  const std::string& price = entry.price;
  const std::string& name = entry.name;
  const std::string& dept = entry.dept_code;
  if (!AllDigits(price)) return Fault(ProductFault::kPriceNotNumeric, ProductField::kPrice);
  if (price.size() > kPriceLen) return Fault(ProductFault::kPriceTooLong, ProductField::kPrice);
  if (name.empty() && entry.flags.Any())
    return Fault(ProductFault::kNameMissing, ProductField::kName);
  if (name.size() > kRecordNameLen) return Fault(ProductFault::kNameTooLong, ProductField::kName);
  if (dept.empty() || DeptNumber(dept) == 0)
    return Fault(ProductFault::kDeptMissing, ProductField::kDept);
  if (!AllDigits(dept)) return Fault(ProductFault::kDeptNotNumeric, ProductField::kDept);
  if (dept.size() > kDeptCodeLen) return Fault(ProductFault::kDeptTooLong, ProductField::kDept);
  if (DeptNumber(dept) > kDepartmentCount)
    return Fault(ProductFault::kDeptAboveLast, ProductField::kDept);
  if (HasSeparator(price)) return Fault(ProductFault::kSeparator, ProductField::kPrice);
  if (HasSeparator(name)) return Fault(ProductFault::kSeparator, ProductField::kName);
  if (HasSeparator(dept)) return Fault(ProductFault::kSeparator, ProductField::kDept);
  return {};
}

std::string ProductEditorMessage(ProductFault fault) {
  switch (fault) {
    case ProductFault::kNone:
      return {};
    case ProductFault::kPriceNotNumeric:
      return "ERRO - VALOR DEVE SER NUMERICO";
    case ProductFault::kPriceTooLong:
      return "ERRO - VALOR EXCEDE 7 DIGITOS";
    case ProductFault::kNameMissing:
      return Win1252("ERRO - NOME DO PRODUTO NÃO INFORMADO.\n");
    case ProductFault::kNameTooLong:
      return "ERRO - NOME EXCEDE 12 CARACTERES";
    case ProductFault::kDeptMissing:
      return Win1252("ERRO - COD DEPTO NÃO INFORMADO");
    case ProductFault::kDeptNotNumeric:
      return "ERRO - COD DEPTO DEVE SER NUMERICO";
    case ProductFault::kDeptTooLong:
      return "ERRO - DEPARTAMENTO EXCEDE 2 DIGITOS";
    case ProductFault::kDeptAboveLast:
      return "ERRO - MAXIMO 16 DEPARTAMENTOS";
    case ProductFault::kSeparator:
      return Win1252("ERRO - O CARACTERE | NÃO É PERMITIDO");
  }
  return {};
}

std::string ProductNameToStore(std::string_view name) {
  if (name.empty()) return std::string(1, ' ');
  return std::string(name.substr(0, kRecordNameLen));
}

void StoreProductEntry(PluRecord& plu, const ProductEntry& entry) {
  const PluRecord old = plu;
  StoreFlag(plu.status_fixed_price, entry.flags.fixed_price);
  StoreFlag(plu.status_open_price, entry.flags.open_price);
  StoreFlag(plu.status_negative_price, entry.flags.negative_price);
  StoreFlag(plu.status_single_item_sale, entry.flags.single_item_sale);
  plu.price = entry.price.substr(0, kPriceLen);
  plu.name = ProductNameToStore(entry.name);
  plu.dept_code = entry.dept_code.substr(0, kDeptCodeLen);
  RaiseStoredMarkers(plu, old);
}

}  // namespace qx
