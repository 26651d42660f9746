// The product list import: columns, values, the product rules for every row, the report.
#include <array>
#include <map>

#include "common/cp1252.h"
#include "common/file_layer.h"
#include "exchange/csv_reader.h"
#include "exchange/product_list.h"
#include "model/field_text.h"
#include "model/register_codes.h"

namespace qx::exchange {
namespace {

enum Column {
  kCode,
  kName,
  kPrice,
  kDept,
  kNegativePrice,
  kSingleItemSale,
  kOpenPrice,
  kFixedPrice,
  kColumnCount
};

constexpr std::array<std::string_view, kColumnCount> kColumnNames = {
    "codigo",         "nome",        "preco",        "departamento",
    "preco_negativo", "venda_unica", "preco_aberto", "preco_fixo"};

// A file larger than this is no product list (500 products take some 25 kB).
constexpr long kLargestFile = 8 * 1024 * 1024;

// A title line wider than this is no product list.
constexpr std::size_t kMostColumns = 1000;

// What a message quotes of a value, in characters; a longer value is cut and ends in "...".
constexpr std::size_t kLongestQuote = 40;

// Accented Windows-1252 letters and their plain letter, for comparing column names.
char PlainLetter(unsigned char c) {
  static constexpr std::string_view kAccented =
      "\xC0\xC1\xC2\xC3\xC4\xC5\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD1\xD2\xD3\xD4\xD5\xD6\xD9"
      "\xDA\xDB\xDC\xDD\xE0\xE1\xE2\xE3\xE4\xE5\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF1\xF2\xF3"
      "\xF4\xF5\xF6\xF9\xFA\xFB\xFC\xFD\xFF";
  static constexpr std::string_view kPlain =
      "aaaaaaceeeeiiiinooooouuuuyaaaaaaceeeeiiiinooooouuuuyy";
  const std::size_t at = kAccented.find(static_cast<char>(c));
  if (at != std::string_view::npos) return kPlain[at];
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
  return static_cast<char>(c);
}

// "linha 12, preco: " and the rest.
std::string Where(int line, std::string_view column) {
  std::string text = "linha " + std::to_string(line);
  if (!column.empty()) {
    text += ", ";
    text += column;
  }
  return text + ": ";
}

// Control characters, and the five bytes Windows-1252 leaves undefined.
bool IsForbiddenByte(unsigned char b) {
  return b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

// A value in a message: at most kLongestQuote characters, anything that cannot be shown as '?'.
std::string Quoted(std::string_view value) {
  std::string text = "\"";
  for (char c : value.substr(0, kLongestQuote))
    text += IsForbiddenByte(static_cast<unsigned char>(c)) ? '?' : c;
  if (value.size() > kLongestQuote) text += "...";
  return text + "\"";
}

// The names of the columns of a row, for a message: the known column, or its number.
std::string ColumnLabel(int index) { return "coluna " + std::to_string(index + 1); }

// A spreadsheet reads a value starting with one of these as a formula; the export writes such a
// name after an apostrophe, which keeps it text, and the import drops that apostrophe again.
constexpr std::string_view kFormulaStarts = "=+-@";

bool IsDigits(std::string_view text) {
  return !text.empty() && IsAllDigits(text, static_cast<int>(text.size()));
}

// The digits without their leading zeros; "0" for only zeros.
std::string WithoutLeadingZeros(std::string_view digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? std::string("0") : std::string(digits.substr(first));
}

// A stored digit text and a new one read as the same number: the stored text stays.
bool SameNumber(std::string_view stored, std::string_view digits) {
  if (!stored.empty() && !IsAllDigits(stored, static_cast<int>(stored.size()))) return false;
  return WithoutLeadingZeros(stored) == WithoutLeadingZeros(digits);
}

class Importer {
 public:
  Importer(const ParamSet& params, std::string_view bytes) : params_(params), bytes_(bytes) {}

  ProductImport Run() {
    CsvReader reader(bytes_);
    encoding_ = reader.encoding();
    CsvRow row;
    if (!reader.Next(row, kMostColumns)) {
      Error(1, "", Win1252("o arquivo não tem a linha de títulos das colunas"));
      return Finish();
    }
    const int header_line = row.line;
    if (row.fields_left_off > 0) {
      Error(header_line, "",
            Win1252("a linha de títulos tem mais de ") + std::to_string(kMostColumns) + " colunas");
    } else if (ReadHeader(row)) {
      header_width_ = row.fields.size();
      while (reader.Next(row, header_width_ + 1)) ReadRow(row);
      if (result_.read == 0 && result_.errors == 0)
        Error(header_line, "", Win1252("a planilha não tem nenhum produto abaixo dos títulos"));
    }
    while (reader.Next(row, 1)) {  // after an error in the titles: only to find the quotes
    }
    // A quote never closed took the rest of the file into one value: nothing read is sure.
    if (reader.unclosed_quote_line() != 0) {
      result_ = ProductImport();
      Error(reader.unclosed_quote_line(), "", "aspas abertas e nunca fechadas");
    }
    return Finish();
  }

 private:
  void Error(int line, std::string_view column, std::string_view text) {
    Tell(true, line, column, text);
    ++result_.errors;
  }
  void Warning(int line, std::string_view column, std::string_view text) {
    Tell(false, line, column, text);
    ++result_.warnings;
  }
  // Past kMostImportMessages the messages are only counted.
  void Tell(bool error, int line, std::string_view column, std::string_view text) {
    if (result_.messages.size() >= kMostImportMessages) {
      ++result_.messages_left_off;
      return;
    }
    result_.messages.push_back({error, Where(line, column) + std::string(text)});
  }

  // A NUL byte is no text any program writes into a list; it is refused wherever it is.
  bool HasNul(const CsvRow& row) {
    for (std::size_t i = 0; i < row.fields.size(); ++i) {
      if (row.fields[i].text.find('\0') == std::string::npos) continue;
      std::string column = ColumnLabel(static_cast<int>(i));
      for (int c = 0; c < kColumnCount; ++c)
        if (columns_[static_cast<std::size_t>(c)] == static_cast<int>(i))
          column = kColumnNames[static_cast<std::size_t>(c)];
      Error(row.line, column, Win1252("o valor tem um caractere nulo (caractere 0)"));
      return true;
    }
    return false;
  }

  std::string Display(std::string_view text) const {
    return ToWindows1252ForDisplay(text, encoding_);
  }

  bool ReadHeader(const CsvRow& header) {
    columns_.fill(-1);
    if (HasNul(header)) return false;
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
      const std::string title = Display(header.fields[i].text);
      const std::string name = NormalizeColumnName(title);
      int column = -1;
      for (int c = 0; c < kColumnCount; ++c)
        if (kColumnNames[static_cast<std::size_t>(c)] == name) column = c;
      if (name.empty()) {
        continue;  // spreadsheets write empty titles for columns that were only formatted
      } else if (column < 0) {
        Warning(header.line, Quoted(title), "coluna desconhecida, ignorada");
      } else if (columns_[static_cast<std::size_t>(column)] >= 0) {
        Error(header.line, name, "coluna repetida");
      } else {
        columns_[static_cast<std::size_t>(column)] = static_cast<int>(i);
      }
    }
    if (columns_[kCode] < 0) {
      Error(header.line, "", Win1252("falta a coluna codigo"));
      return false;
    }
    return result_.errors == 0;
  }

  bool Has(Column c) const { return columns_[static_cast<std::size_t>(c)] >= 0; }

  // The value of a column in a row, trimmed unless quoted; a missing field is empty.
  std::string Value(const CsvRow& row, Column c, bool* quoted = nullptr) const {
    const auto at = static_cast<std::size_t>(columns_[static_cast<std::size_t>(c)]);
    if (quoted) *quoted = false;
    if (at >= row.fields.size()) return {};
    const CsvField& f = row.fields[at];
    if (quoted) *quoted = f.quoted;
    return f.quoted ? f.text : TrimBlanks(f.text);
  }

  static std::string_view Name(Column c) { return kColumnNames[static_cast<std::size_t>(c)]; }

  void ReadRow(const CsvRow& row) {
    ++result_.read;
    const int errors_before = result_.errors;
    const int line = row.line;
    if (HasNul(row)) return;
    // A value past the last title belongs to no column: most often a decimal comma under a
    // ',' separator ("1,PAO,12,05,3"), which would otherwise shift the values silently.
    if (row.fields.size() > header_width_) {
      Error(line, "",
            std::to_string(row.fields.size() + row.fields_left_off) +
                Win1252(" valores, mais do que as ") + std::to_string(header_width_) +
                Win1252(" colunas da linha de títulos"));
      return;
    }

    const std::string code_text = Value(row, kCode);
    const std::string code_digits = IsDigits(code_text) ? WithoutLeadingZeros(code_text) : "";
    const int code = !code_digits.empty() && code_digits.size() <= 3
                         ? ParseShortNumber(code_digits, static_cast<int>(code_digits.size()))
                         : 0;
    if (code < 1 || code > kProductCount) {
      Error(line, Name(kCode),
            Quoted(Display(code_text)) + Win1252(" não é um código de produto (1 a 500)"));
      return;
    }
    auto [first, inserted] = seen_.emplace(code, line);
    if (!inserted) {
      Error(line, Name(kCode),
            "o produto " + std::to_string(code) + Win1252(" já apareceu na linha ") +
                std::to_string(first->second));
      return;
    }

    const PluRecord& stored = params_.Product(code);
    ProductEntry entry;
    entry.flags = {IsSet(stored.status_fixed_price), IsSet(stored.status_open_price),
                   IsSet(stored.status_negative_price), IsSet(stored.status_single_item_sale)};
    entry.price = stored.price;
    entry.name = stored.name;
    entry.dept_code = stored.dept_code;

    if (Has(kName)) ReadName(row, entry);
    if (Has(kPrice)) ReadPrice(row, stored, entry);
    if (Has(kDept)) ReadDept(row, stored, entry);
    ReadFlag(row, kFixedPrice, entry.flags.fixed_price);
    ReadFlag(row, kOpenPrice, entry.flags.open_price);
    ReadFlag(row, kNegativePrice, entry.flags.negative_price);
    ReadFlag(row, kSingleItemSale, entry.flags.single_item_sale);
    if (result_.errors != errors_before) return;

    const ProductCheck check = CheckProductEntry(entry);
    if (!check.ok()) {
      RuleError(line, check, entry);
      return;
    }
    const std::string missing = CharactersWithoutRegisterCode(entry.name);
    if (!missing.empty() && Has(kName)) {
      std::string text = Win1252("a registradora não recebe: ");
      for (std::size_t i = 0; i < missing.size(); ++i) {
        if (i > 0) text += ", ";
        text += VisibleCharacterName(static_cast<unsigned char>(missing[i]));
      }
      Warning(line, Name(kName), text);
    }
    Count(stored, entry);
    result_.rows.push_back({code, entry});
  }

  void ReadName(const CsvRow& row, ProductEntry& entry) {
    std::string raw = Value(row, kName);
    const std::size_t after = raw.find_first_not_of('\'');
    if (after > 0 && after != std::string::npos &&
        kFormulaStarts.find(raw[after]) != std::string_view::npos)
      raw.erase(0, 1);
    const std::optional<std::string> name = ToWindows1252(raw, encoding_);
    if (!name) {
      Error(row.line, Name(kName),
            Quoted(Display(raw)) + Win1252(" tem um caractere que o Windows-1252 não tem"));
      return;
    }
    for (char c : *name) {
      const auto b = static_cast<unsigned char>(c);
      if (IsForbiddenByte(b)) {
        Error(
            row.line, Name(kName),
            Quoted(*name) + Win1252(" tem um caractere não permitido ") + VisibleCharacterName(b));
        return;
      }
    }
    entry.name = *name;
  }

  void ReadPrice(const CsvRow& row, const PluRecord& stored, ProductEntry& entry) {
    const std::string raw = Value(row, kPrice);
    const std::optional<std::string> cents = ParseReais(raw);
    if (!cents) {
      Error(row.line, Name(kPrice), Quoted(Display(raw)) + Win1252(" não é um preço"));
      return;
    }
    if (!SameNumber(stored.price, *cents)) entry.price = *cents;
  }

  void ReadDept(const CsvRow& row, const PluRecord& stored, ProductEntry& entry) {
    const std::string raw = Value(row, kDept);
    if (raw.empty()) {
      Error(row.line, Name(kDept), Win1252("departamento não informado"));
      return;
    }
    if (!IsDigits(raw)) {
      Error(row.line, Name(kDept),
            Quoted(Display(raw)) + Win1252(" não é um departamento (1 a 16)"));
      return;
    }
    const std::string digits = WithoutLeadingZeros(raw);
    if (digits.size() > 2 || ParseShortNumber(digits, static_cast<int>(digits.size())) < 1 ||
        ParseShortNumber(digits, static_cast<int>(digits.size())) > kDepartmentCount) {
      Error(row.line, Name(kDept),
            Quoted(Display(raw)) + Win1252(" não é um departamento (1 a 16)"));
      return;
    }
    if (!SameNumber(stored.dept_code, digits)) entry.dept_code = digits;
  }

  void ReadFlag(const CsvRow& row, Column c, bool& flag) {
    if (!Has(c)) return;
    const std::string raw = Value(row, c);
    const std::optional<bool> value = ParseFlag(Display(raw));
    if (!value) {
      Error(row.line, Name(c), Quoted(Display(raw)) + Win1252(" não é S ou N"));
      return;
    }
    flag = *value;
  }

  // A rule the row's values break once merged with what is stored.
  void RuleError(int line, const ProductCheck& check, const ProductEntry& entry) {
    std::string_view column;
    std::string text;
    switch (check.field) {
      case ProductField::kPrice:
        column = Name(kPrice);
        break;
      case ProductField::kName:
        column = Name(kName);
        break;
      case ProductField::kDept:
      case ProductField::kNone:
        column = Name(kDept);
        break;
    }
    switch (check.fault) {
      case ProductFault::kPriceNotNumeric:
      case ProductFault::kPriceTooLong:
        text = Quoted(entry.price) + Win1252(" não é um preço de até 7 dígitos");
        break;
      case ProductFault::kNameMissing:
        text = Win1252("nome não informado para um produto com status marcado");
        break;
      case ProductFault::kNameTooLong:
        text = Quoted(entry.name) + Win1252(" tem mais de 12 caracteres");
        break;
      case ProductFault::kDeptMissing:
        text = Win1252("departamento não informado");
        break;
      case ProductFault::kDeptNotNumeric:
      case ProductFault::kDeptTooLong:
      case ProductFault::kDeptAboveLast:
        text = Quoted(entry.dept_code) + Win1252(" não é um departamento (1 a 16)");
        break;
      case ProductFault::kSeparator:
        text = Win1252("o caractere | não é permitido");
        break;
      case ProductFault::kNone:
        return;
    }
    Error(line, column, text);
  }

  void Count(const PluRecord& stored, const ProductEntry& entry) {
    PluRecord after = stored;
    StoreProductEntry(after, entry);
    if (stored.name.empty()) {
      ++result_.added;
    } else if (after.price != stored.price || after.name != stored.name ||
               after.dept_code != stored.dept_code ||
               after.status_fixed_price != stored.status_fixed_price ||
               after.status_open_price != stored.status_open_price ||
               after.status_negative_price != stored.status_negative_price ||
               after.status_single_item_sale != stored.status_single_item_sale) {
      ++result_.changed;
    } else {
      ++result_.unchanged;
    }
  }

  ProductImport Finish() {
    if (result_.errors > 0) result_.rows.clear();
    return std::move(result_);
  }

  const ParamSet& params_;
  std::string_view bytes_;
  CsvEncoding encoding_ = CsvEncoding::kWindows1252;
  std::array<int, kColumnCount> columns_{};
  std::size_t header_width_ = 0;
  std::map<int, int> seen_;  // product code -> line
  ProductImport result_;
};

}  // namespace

std::string NormalizeColumnName(std::string_view header) {
  const std::string trimmed = TrimBlanks(header);
  std::string name;
  for (char c : trimmed) {
    if (c == ' ' || c == '-') {
      name += '_';
    } else {
      name += PlainLetter(static_cast<unsigned char>(c));
    }
  }
  return name;
}

std::optional<std::string> ParseReais(std::string_view text) {
  std::string t = TrimBlanks(text);
  if (t.size() >= 2 && (t[0] == 'R' || t[0] == 'r') && t[1] == '$') t = TrimBlanks(t.substr(2));
  if (t.empty()) return std::string();
  const std::size_t comma = t.find(',');
  const std::string whole = t.substr(0, comma);
  const std::string decimals = comma == std::string::npos ? "" : t.substr(comma + 1);
  if (comma != std::string::npos &&
      (decimals.empty() || decimals.size() > 2 || !IsDigits(decimals)))
    return std::nullopt;
  // The whole part: digits, or groups of three after the first joined by '.'.
  std::string digits;
  if (whole.find('.') == std::string::npos) {
    if (!IsDigits(whole)) return std::nullopt;
    digits = whole;
  } else {
    std::size_t start = 0;
    bool first = true;
    while (true) {
      const std::size_t dot = whole.find('.', start);
      const std::string group = whole.substr(start, dot == std::string::npos ? dot : dot - start);
      if (!IsDigits(group) || (first ? group.size() > 3 : group.size() != 3)) return std::nullopt;
      digits += group;
      first = false;
      if (dot == std::string::npos) break;
      start = dot + 1;
    }
  }
  std::string cents = WithoutLeadingZeros(digits + (decimals + "00").substr(0, 2));
  if (cents == "0") return std::string();
  if (cents.size() > kPriceLen) return std::nullopt;
  return cents;
}

std::optional<bool> ParseFlag(std::string_view text) {
  std::string t;
  for (char c : TrimBlanks(text)) t += PlainLetter(static_cast<unsigned char>(c));
  if (t == "1" || t == "s" || t == "sim" || t == "x") return true;
  if (t.empty() || t == "0" || t == "n" || t == "nao") return false;
  return std::nullopt;
}

ProductImport PrepareProductImport(const ParamSet& params, std::string_view file_bytes) {
  return Importer(params, file_bytes).Run();
}

bool ApplyProductImport(ParamSet& params, const ProductImport& import) {
  if (import.errors > 0) return false;
  for (const ProductImport::Row& row : import.rows)
    StoreProductEntry(params.Product(row.code), row.entry);
  return true;
}

std::optional<std::string> ReadProductListFile(const std::string& path, bool* too_large) {
  if (too_large) *too_large = false;
  const FileHandle file = OpenFileForReading(path);
  if (file == kNoFile) return std::nullopt;
  std::string bytes;
  char buffer[16384];
  bool ok = true;
  while (true) {
    const long got = ReadBytes(file, buffer, sizeof buffer);
    if (got < 0) ok = false;
    if (got <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
    if (static_cast<long>(bytes.size()) > kLargestFile) {
      if (too_large) *too_large = true;
      ok = false;
      break;
    }
  }
  CloseFile(file);
  if (!ok) return std::nullopt;
  return bytes;
}

}  // namespace qx::exchange
