// Fuzz target for the product list import: whatever the bytes, reading never crashes or reads
// outside them; an import without errors stores only products every field of which the
// product rules accept within its capacity; and the export of the result is a fixed point
// (importing it again finds nothing wrong and changes nothing), except for names whose
// Windows-1252 bytes happen to form UTF-8 ("\xC3\xA9"): the encoding is recognised by
// content, and such a file reads as UTF-8 (the export names those products), and for a set
// with no product left, whose list the import refuses as empty.
//
// Built with libFuzzer in the fuzz preset; in every other build QX_FUZZ_REPLAY gives it a
// main() that replays the files and folders named on its command line (the seed corpus).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "exchange/csv_reader.h"
#include "exchange/product_list.h"
#include "model/field_text.h"
#include "model/param_set.h"

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "product_list_fuzz: %s\n", what);
  std::abort();
}

bool Digits(const std::string& text) {
  return qx::IsAllDigits(text, static_cast<int>(text.size()));
}

void CheckProducts(const qx::ParamSet& params) {
  for (const qx::PluRecord& p : params.products) {
    if (p.price.size() > qx::kPriceLen || !Digits(p.price)) Fail("a stored price is not a price");
    if (p.name.size() > qx::kRecordNameLen) Fail("a stored name is too long");
    if (p.dept_code.size() > qx::kDeptCodeLen) Fail("a stored department is too long");
    if (p.name.find('|') != std::string::npos) Fail("a stored name holds the file separator");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  qx::ParamSet params;
  params.Product(5).name = "CAFE";
  params.Product(5).price = "0100";
  params.Product(5).dept_code = "05";
  const qx::exchange::ProductImport import = qx::exchange::PrepareProductImport(params, bytes);
  if (import.errors > 0 && !import.rows.empty()) Fail("an import with errors would store");
  if (import.read != import.added + import.changed + import.unchanged + import.errors &&
      import.errors == 0)
    Fail("the counts do not add up");
  if (!qx::exchange::ApplyProductImport(params, import)) return 0;
  CheckProducts(params);

  bool any_product = false;
  for (const qx::PluRecord& p : params.products) any_product = any_product || !p.name.empty();
  if (!any_product) return 0;  // a list of no product is refused by design
  const std::string exported = qx::exchange::FormatProductList(params);
  if (qx::exchange::DetectEncoding(exported) == qx::exchange::CsvEncoding::kUtf8) return 0;
  qx::ParamSet again = params;
  const qx::exchange::ProductImport second = qx::exchange::PrepareProductImport(again, exported);
  if (second.errors > 0) Fail("the export of an import does not import");
  if (second.changed + second.added > 0) Fail("importing the export would change products");
  qx::exchange::ApplyProductImport(again, second);
  if (!(again == params)) Fail("importing the export changed the set");
  return 0;
}
