// Reading a spreadsheet's CSV text into rows of fields: the separator (';', ',' or tab) is
// recognised from the header line, fields may be quoted with '"' ("" inside is one quote;
// separators and line breaks inside quotes belong to the field), lines end in CR LF, LF or CR
// alone, blank lines are skipped and a last line without a line end counts. The text may be UTF-8
// (with or without a byte-order mark) or Windows-1252, recognised by its content; the fields
// keep the file's own bytes and the caller converts them with ToWindows1252.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx::exchange {

enum class CsvEncoding { kWindows1252, kUtf8 };

struct CsvField {
  std::string text;     // the file's bytes, quotes removed
  bool quoted = false;  // the field began with '"'
};

struct CsvRow {
  int line = 0;  // the line of the file where the row begins, from 1
  std::vector<CsvField> fields;
  std::size_t fields_left_off = 0;  // fields past the reader's limit, only counted
};

struct CsvTable {
  CsvEncoding encoding = CsvEncoding::kWindows1252;
  char separator = ';';
  std::vector<CsvRow> rows;     // the first one is the header
  int unclosed_quote_line = 0;  // the line of a quote the file never closes; 0: none
};

// True when the bytes are valid UTF-8 (no overlong form, no surrogate, nothing above
// U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// The encoding of a text: UTF-8 when it is valid UTF-8 and holds a non-ASCII character (or
// begins with the byte-order mark), Windows-1252 otherwise.
CsvEncoding DetectEncoding(std::string_view bytes);

// Reads the rows one at a time, so that a large file costs no more memory than its text.
class CsvReader {
 public:
  explicit CsvReader(std::string_view bytes);
  CsvEncoding encoding() const { return encoding_; }
  char separator() const { return separator_; }
  // The next row that is not blank into `row`; false at the end of the text. Past
  // `most_fields` fields the rest of the row is only counted, so that one line of a million
  // separators costs no more memory than a short one.
  bool Next(CsvRow& row, std::size_t most_fields = SIZE_MAX);
  // Once the text has been read: the line of a quote it never closes; 0: none.
  int unclosed_quote_line() const { return unclosed_quote_line_; }

 private:
  void ReadField(CsvField& field);
  std::string_view bytes_;
  std::size_t at_ = 0;
  int line_ = 1;
  CsvEncoding encoding_ = CsvEncoding::kWindows1252;
  char separator_ = ';';
  int unclosed_quote_line_ = 0;
};

// The whole text at once.
CsvTable ReadCsv(std::string_view bytes);

// A field's text as Windows-1252 bytes; nothing when the file is UTF-8 and the text holds a
// character Windows-1252 cannot hold.
std::optional<std::string> ToWindows1252(std::string_view text, CsvEncoding encoding);
// The same for showing the text in a message: such characters become '?'.
std::string ToWindows1252ForDisplay(std::string_view text, CsvEncoding encoding);

}  // namespace qx::exchange
