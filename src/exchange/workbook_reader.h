// Reading a product list from a workbook: Office Open XML (.xlsx) and OpenDocument (.ods),
// recognised by content. The reader picks the first sheet whose first non-empty row the
// caller recognises as a title row and gives its rows as the CSV reader does (CsvTable, UTF-8
// text), so that the import checks a workbook exactly as a CSV file.
//
// Cell values become the text a CSV export of the sheet would hold: strings (shared, inline,
// rich-text runs joined), formula results as stored with the formula, booleans as "S"/"N",
// numbers without a thousands separator and with a decimal comma, a whole number without
// decimals ("7"), a number within a rounding error of two decimals with at most two ("12,5",
// "0,3" for a stored 0.30000000000000004); any other number keeps all its decimals, which
// the price rules then refuse ("12,345").
//
// A workbook is hostile input: every archive entry and the whole archive are bounded while
// inflating (whatever the archive says of their sizes), document types and entities are
// refused, repeated empty rows and columns are counted instead of materialised, and the
// rows, cells and the text of one cell are bounded.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "exchange/csv_reader.h"

namespace qx::exchange {

enum class WorkbookStatus {
  kOk,
  kOldExcel,   // the binary format of old Excel versions (an OLE2 container)
  kEncrypted,  // protected by a password
  kDamaged,    // an archive or XML that cannot be read
  kUnknown,    // a zip archive that is neither .xlsx nor .ods
  kEmpty,      // no sheet holds anything
  kTooBig,     // beyond the reader's limits
};

struct Workbook {
  WorkbookStatus status = WorkbookStatus::kOk;
  std::string sheet;  // the name of the sheet read, UTF-8
  CsvTable table;     // its rows, line = the sheet's row number; UTF-8
};

// True when the bytes are a zip archive or an OLE2 container: a workbook, not CSV text.
bool LooksLikeWorkbook(std::string_view bytes);

// Whether a sheet's first non-empty row holds the titles of a product list.
using TitleRowTest = std::function<bool(const CsvRow&)>;

// Reads the workbook's sheet (see above). When no sheet starts with a title row, the first
// sheet that holds anything is given, for the caller to report what it lacks.
Workbook ReadWorkbook(std::string_view bytes, const TitleRowTest& is_title_row);

// What a status means, for the user: Windows-1252, without the file's name.
std::string WorkbookStatusText(WorkbookStatus status);

// A number cell's value as text (see above): 12.5 -> "12,5", 7.0 -> "7".
std::string NumberCellText(double value);

}  // namespace qx::exchange
