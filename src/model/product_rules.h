// What makes a product valid, shared by every place that stores one: the product editor, the
// spreadsheet import and any later product table. The checks run in a fixed order and the
// first failure is the one reported; storing applies the cuts, the empty-name rule and the
// change markers exactly as saving the product in the editor does.
#pragma once

#include <string>
#include <string_view>

#include "model/param_set.h"

namespace qx {

// The four status flags of a product as the user chose them.
struct ProductFlags {
  bool fixed_price = false;
  bool open_price = false;
  bool negative_price = false;
  bool single_item_sale = false;
  bool Any() const { return fixed_price || open_price || negative_price || single_item_sale; }
};

// A product as typed, before any cut: the texts are Windows-1252 bytes.
struct ProductEntry {
  ProductFlags flags;
  std::string price;
  std::string name;
  std::string dept_code;
};

enum class ProductFault {
  kNone,
  kPriceNotNumeric,  // the price holds something other than digits
  kPriceTooLong,     // more than 7 digits
  kNameMissing,      // no name while a status flag is marked
  kNameTooLong,      // more than 12 characters
  kDeptMissing,      // no department, or department 0
  kDeptNotNumeric,   // the department holds something other than digits
  kDeptTooLong,      // more than 2 digits
  kDeptAboveLast,    // above 16
  kSeparator,        // a '|' in a text, which would split the parameter file's record
};

enum class ProductField { kNone, kPrice, kName, kDept };

struct ProductCheck {
  ProductFault fault = ProductFault::kNone;
  ProductField field = ProductField::kNone;
  bool ok() const { return fault == ProductFault::kNone; }
};

// The editor's checks, in the editor's order: price, name, department, then the separator
// in the price, the name and the department.
ProductCheck CheckProductEntry(const ProductEntry& entry);

// The product editor's message for a fault (Windows-1252), as its error box shows it.
std::string ProductEditorMessage(ProductFault fault);

// The name a valid entry is stored with: an empty name (allowed only with no flag marked)
// becomes one blank, which the register accepts as a name; otherwise the first 12 characters.
std::string ProductNameToStore(std::string_view name);

// Stores a valid entry into the product with the editor's cuts (price 7, name 12,
// department 2 characters, the department as given) and raises the product's change
// markers for what really changed. A flag whose meaning stays keeps its stored character
// (an odd code other than '1' read from a file stays as it is). Nothing outside the record
// is touched.
void StoreProductEntry(PluRecord& plu, const ProductEntry& entry);

}  // namespace qx
