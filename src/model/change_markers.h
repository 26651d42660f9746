// How storing a record raises its change markers. The record editors and the batch guide
// tool both go through these rules, so a summary lists the same records whichever wrote the
// markers. Markers are only ever raised here, never lowered.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/param_set.h"

namespace qx {

// A price reads as zero when its leading digits make 0: empty, only zeros, or no digits.
bool PriceReadsAsZero(std::string_view price);

// A price as the parameter file keeps it: its first 7 characters without leading zeros
// ("0100" is kept as "100", "000" as "0"); an empty price stays empty, as it is not written.
std::string PriceAsKept(std::string_view price);

// Two prices differ only when they differ as the file keeps them, so a change that the next
// open would undo ("0100" over "100") is no change.
bool PricesDiffer(std::string_view old_price, std::string_view new_price);

// Two texts as the register's programs compare them: each cut to `width` characters and
// right-aligned in that width, so " 5" and "5" count as equal.
bool DiffersRightAligned(std::string_view old_text, std::string_view new_text, std::size_t width);

// After a department's or product's new status flags, price and name were stored over `old`:
// raises changed_status, changed_price (PricesDiffer) and changed_name for what really
// changed, then the zero-price rule: a record whose status or name was touched while its
// price is zero is listed with its price too. For a product, changed_dept (first 2
// characters) as well; the link plays no part in the zero-price rule.
void RaiseStoredMarkers(DeptRecord& record, const DeptRecord& old);
void RaiseStoredMarkers(PluRecord& record, const PluRecord& old);

// The markers of `params` as if every department, product and operator had been stored with
// its values over those of `old` (an operator counts as stored when its name differs).
void RaiseMarkersSince(ParamSet& params, const ParamSet& old);

}  // namespace qx
