// Fuzz target for the workbook reader and the import over it: whatever the bytes, reading
// never crashes, reads outside them or runs past its limits; a workbook read gives rows in
// the sheet's order, each within the column limit; an import with errors stores nothing.
//
// Built with libFuzzer in the fuzz preset; in every other build QX_FUZZ_REPLAY gives it a
// main() that replays the files and folders named on its command line (the seed corpus).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "exchange/product_list.h"
#include "exchange/workbook_reader.h"

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "workbook_fuzz: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const qx::exchange::Workbook book = qx::exchange::ReadWorkbook(
      bytes, [](const qx::exchange::CsvRow& row) { return row.fields.size() > 1; });
  if (book.status != qx::exchange::WorkbookStatus::kOk && !book.table.rows.empty())
    Fail("an unreadable workbook gave rows");
  int line = 0;
  for (const qx::exchange::CsvRow& row : book.table.rows) {
    if (row.line <= line) Fail("rows out of the sheet's order");
    if (row.fields.size() > 16384) Fail("a row beyond the last column");
    line = row.line;
  }

  qx::ParamSet params;
  const qx::exchange::ProductImport import = qx::exchange::PrepareProductImport(params, bytes);
  if (import.errors > 0 && !import.rows.empty()) Fail("an import with errors would store");
  if (import.unreadable && import.messages.size() != 1) Fail("an unreadable workbook's report");
  return 0;
}
