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
    if (c == '\n' || c == '\r') {
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

bool IsBlankField(const CsvField& f) {
  return !f.quoted && f.text.find_first_not_of(" \t") == std::string::npos;
}

bool IsBlankRow(const CsvRow& row) {
  for (const CsvField& f : row.fields)
    if (!IsBlankField(f)) return false;
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

CsvReader::CsvReader(std::string_view bytes) : bytes_(bytes) {
  encoding_ = DetectEncoding(bytes_);
  if (StartsWithMark(bytes_)) bytes_.remove_prefix(kByteOrderMark.size());
  // A file with a byte-order mark whose text is not UTF-8 after all is read byte for byte.
  if (encoding_ == CsvEncoding::kUtf8 && !IsValidUtf8(bytes_))
    encoding_ = CsvEncoding::kWindows1252;
  separator_ = RecogniseSeparator(bytes_);
}

void CsvReader::ReadField(CsvField& field) {
  const std::string_view b = bytes_;
  const std::size_t n = b.size();
  std::size_t i = at_;
  const auto is_end = [&](char c) { return c == separator_ || c == '\n' || c == '\r'; };
  if (i < n && b[i] == '"') {
    field.quoted = true;
    const int opened_at = line_;
    ++i;
    bool closed = false;
    while (i < n) {
      const std::size_t quote = b.find('"', i);
      const std::size_t stop = quote == std::string_view::npos ? n : quote;
      for (std::size_t k = i; k < stop; ++k)  // line breaks inside the quotes
        if (b[k] == '\n' || (b[k] == '\r' && (k + 1 >= n || b[k + 1] != '\n'))) ++line_;
      field.text.append(b.substr(i, stop - i));
      i = stop;
      if (i >= n) break;
      if (i + 1 < n && b[i + 1] == '"') {
        field.text += '"';
        i += 2;
        continue;
      }
      ++i;
      closed = true;
      break;
    }
    if (!closed && unclosed_quote_line_ == 0) unclosed_quote_line_ = opened_at;
    // Whatever follows the closing quote up to the separator belongs to the field, as
    // spreadsheets read it; trailing blanks there are dropped.
    const std::size_t from = i;
    while (i < n && !is_end(b[i])) ++i;
    std::string_view tail = b.substr(from, i - from);
    while (!tail.empty() && (tail.back() == ' ' || tail.back() == '\t')) tail.remove_suffix(1);
    field.text.append(tail);
  } else {
    const std::size_t from = i;
    while (i < n && !is_end(b[i])) ++i;
    field.text.assign(b.substr(from, i - from));
  }
  at_ = i;
}

bool CsvReader::Next(CsvRow& row, std::size_t most_fields) {
  const std::size_t n = bytes_.size();
  CsvField skipped;
  while (at_ < n) {
    row.line = line_;
    row.fields_left_off = 0;
    std::size_t used = 0;
    bool skipped_blank = true;
    bool row_done = false;
    while (!row_done) {
      if (used == most_fields) {
        ++row.fields_left_off;
      } else if (used == row.fields.size()) {
        row.fields.emplace_back();
      }
      CsvField& field = used == most_fields ? skipped : row.fields[used++];
      field.text.clear();
      field.quoted = false;
      ReadField(field);
      if (&field == &skipped && !IsBlankField(skipped)) skipped_blank = false;
      if (at_ >= n) {
        row_done = true;
      } else if (bytes_[at_] == separator_) {
        ++at_;
      } else {  // CR LF, LF or CR alone
        if (bytes_[at_] == '\r' && at_ + 1 < n && bytes_[at_ + 1] == '\n') ++at_;
        ++at_;
        ++line_;
        row_done = true;
      }
    }
    row.fields.resize(used);
    if (!skipped_blank || !IsBlankRow(row)) return true;
  }
  return false;
}

CsvTable ReadCsv(std::string_view bytes) {
  CsvReader reader(bytes);
  CsvTable table;
  table.encoding = reader.encoding();
  table.separator = reader.separator();
  CsvRow row;
  while (reader.Next(row)) table.rows.push_back(row);
  table.unclosed_quote_line = reader.unclosed_quote_line();
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
