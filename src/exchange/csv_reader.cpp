#include "exchange/csv_reader.h"

#include "common/cp1252.h"

namespace qx::exchange {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool StartsWithMark(std::string_view bytes) { return bytes.substr(0, 3) == kByteOrderMark; }

// Counts a separator in the header line, outside quotes; the most frequent one wins, and ';'
// (what a Brazilian spreadsheet writes) when none is there or on a tie.
char RecogniseSeparator(std::string_view bytes) {
  int semicolons = 0, commas = 0, tabs = 0;
  bool quoted = false;
  for (char c : bytes) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '\n') {
      if (semicolons + commas + tabs > 0) break;
      continue;  // a blank line before the header
    }
    if (c == ';') ++semicolons;
    if (c == ',') ++commas;
    if (c == '\t') ++tabs;
  }
  if (tabs > semicolons && tabs >= commas) return '\t';
  if (commas > semicolons && commas > tabs) return ',';
  return ';';
}

bool IsBlankRow(const CsvRow& row) {
  for (const CsvField& f : row.fields) {
    if (f.quoted) return false;
    for (char c : f.text)
      if (c != ' ' && c != '\t') return false;
  }
  return true;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    int extra = 0;
    char32_t cp = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      extra = 1;
      cp = b & 0x1Fu;
    } else if (b >= 0xE0 && b <= 0xEF) {
      extra = 2;
      cp = b & 0x0Fu;
    } else if (b >= 0xF0 && b <= 0xF4) {
      extra = 3;
      cp = b & 0x07u;
    } else {
      return false;
    }
    if (i + static_cast<std::size_t>(extra) >= bytes.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto c = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
      if ((c & 0xC0u) != 0x80u) return false;
      cp = (cp << 6) | (c & 0x3Fu);
    }
    if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

CsvEncoding DetectEncoding(std::string_view bytes) {
  if (StartsWithMark(bytes)) return CsvEncoding::kUtf8;
  bool non_ascii = false;
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) non_ascii = true;
  return non_ascii && IsValidUtf8(bytes) ? CsvEncoding::kUtf8 : CsvEncoding::kWindows1252;
}

CsvTable ReadCsv(std::string_view bytes) {
  CsvTable table;
  table.encoding = DetectEncoding(bytes);
  if (StartsWithMark(bytes)) bytes.remove_prefix(kByteOrderMark.size());
  // A file with a byte-order mark whose text is not UTF-8 after all is read byte for byte.
  if (table.encoding == CsvEncoding::kUtf8 && !IsValidUtf8(bytes))
    table.encoding = CsvEncoding::kWindows1252;
  table.separator = RecogniseSeparator(bytes);

  const char sep = table.separator;
  int line = 1;
  std::size_t i = 0;
  const std::size_t n = bytes.size();
  while (i < n) {
    CsvRow row;
    row.line = line;
    bool row_done = false;
    while (!row_done) {
      CsvField field;
      if (i < n && bytes[i] == '"') {
        field.quoted = true;
        const int opened_at = line;
        ++i;
        bool closed = false;
        while (i < n) {
          const char c = bytes[i];
          if (c == '"') {
            if (i + 1 < n && bytes[i + 1] == '"') {
              field.text += '"';
              i += 2;
              continue;
            }
            ++i;
            closed = true;
            break;
          }
          if (c == '\n') ++line;
          field.text += c;
          ++i;
        }
        if (!closed && table.unclosed_quote_line == 0) table.unclosed_quote_line = opened_at;
        // Whatever follows the closing quote up to the separator belongs to the field, as
        // spreadsheets read it; trailing blanks there are dropped.
        std::string tail;
        while (i < n && bytes[i] != sep && bytes[i] != '\n' && bytes[i] != '\r') tail += bytes[i++];
        while (!tail.empty() && (tail.back() == ' ' || tail.back() == '\t')) tail.pop_back();
        field.text += tail;
      } else {
        while (i < n && bytes[i] != sep && bytes[i] != '\n') field.text += bytes[i++];
      }
      if (i < n && bytes[i] == '\r' && (i + 1 >= n || bytes[i + 1] == '\n')) ++i;
      if (!field.quoted && !field.text.empty() && field.text.back() == '\r' &&
          (i >= n || bytes[i] == '\n'))
        field.text.pop_back();
      row.fields.push_back(std::move(field));
      if (i >= n) {
        row_done = true;
      } else if (bytes[i] == sep) {
        ++i;
      } else {  // '\n', or a lone CR after a quoted field
        if (bytes[i] == '\n') ++line;
        ++i;
        row_done = true;
      }
    }
    if (!IsBlankRow(row)) table.rows.push_back(std::move(row));
  }
  return table;
}

std::optional<std::string> ToWindows1252(std::string_view text, CsvEncoding encoding) {
  if (encoding == CsvEncoding::kWindows1252) return std::string(text);
  return Utf8ToCp1252(text);
}

std::string ToWindows1252ForDisplay(std::string_view text, CsvEncoding encoding) {
  if (encoding == CsvEncoding::kWindows1252) return std::string(text);
  return Utf8ToCp1252Lossy(text);
}

}  // namespace qx::exchange
