#include "model/change_markers.h"

#include <string>

#include "model/field_text.h"

namespace qx {
namespace {

template <class Record>
bool StatusDiffers(const Record& a, const Record& b) {
  return a.status_negative_price != b.status_negative_price ||
         a.status_single_item_sale != b.status_single_item_sale ||
         a.status_open_price != b.status_open_price || a.status_fixed_price != b.status_fixed_price;
}

template <class Record>
void RaiseStatusPriceName(Record& record, const Record& old) {
  if (StatusDiffers(record, old)) record.changed_status = 1;
  if (PricesDiffer(old.price, record.price)) record.changed_price = 1;
  if (old.name != record.name) record.changed_name = 1;
}

template <class Record>
void ApplyZeroPriceRule(Record& record) {
  if (!record.changed_price && PriceReadsAsZero(record.price) &&
      (record.changed_status || record.changed_name))
    record.changed_price = 1;
}

}  // namespace

bool PriceReadsAsZero(std::string_view price) {
  const int n = static_cast<int>(price.size() < kPriceLen ? price.size() : kPriceLen);
  return ParseShortNumber(price, n) == 0;
}

std::string PriceAsKept(std::string_view price) {
  price = price.substr(0, kPriceLen);
  if (price.empty()) return {};
  return std::string(SkipLeadingZeros(price));
}

bool PricesDiffer(std::string_view old_price, std::string_view new_price) {
  return PriceAsKept(old_price) != PriceAsKept(new_price);
}

bool DiffersRightAligned(std::string_view old_text, std::string_view new_text, std::size_t width) {
  auto aligned = [width](std::string_view t) {
    t = t.substr(0, width);
    return std::string(width - t.size(), ' ') + std::string(t);
  };
  return aligned(old_text) != aligned(new_text);
}

void RaiseStoredMarkers(DeptRecord& record, const DeptRecord& old) {
  RaiseStatusPriceName(record, old);
  ApplyZeroPriceRule(record);
}

void RaiseStoredMarkers(PluRecord& record, const PluRecord& old) {
  RaiseStatusPriceName(record, old);
  if (DiffersRightAligned(old.dept_code, record.dept_code, kDeptCodeLen)) record.changed_dept = 1;
  ApplyZeroPriceRule(record);
}

void RaiseMarkersSince(ParamSet& params, const ParamSet& old) {
  for (int d = 1; d <= kDepartmentCount; ++d)
    RaiseStoredMarkers(params.Department(d), old.Department(d));
  for (int p = 1; p <= kProductCount; ++p) RaiseStoredMarkers(params.Product(p), old.Product(p));
  for (int o = 1; o <= kOperatorCount; ++o) {
    if (params.Operator(o).name != old.Operator(o).name) params.Operator(o).changed = 1;
  }
}

}  // namespace qx
