// The product list import: columns, values, the product rules for every row, the report.
#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <utility>

#include "common/cp1252.h"
#include "common/file_layer.h"
#include "exchange/csv_reader.h"
#include "exchange/product_list.h"
#include "exchange/workbook_reader.h"
#include "model/change_markers.h"
#include "model/field_text.h"
#include "model/list_columns.h"
#include "model/register_codes.h"
#include "model/search_fold.h"
#include "model/short_names.h"

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

// A file larger than this is no product list (500 products take some 25 kB).
constexpr std::size_t kLargestFile = std::size_t{8} * 1024 * 1024;

// A title line wider than this is no product list.
constexpr std::size_t kMostColumns = 1000;

// What a message quotes of a value, in characters; a longer value is cut and ends in "...".
constexpr std::size_t kLongestQuote = 40;

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

// How a price column writes its decimals: with a comma (and '.' between thousands), with a
// point throughout, or both, which cannot be read safely.
enum class PriceForm { kComma, kPoint, kMixed };

// A price that only a decimal point reads ("12.50", "1.5"); "1.234" reads as thousands.
bool ReadsOnlyWithPoint(std::string_view text) {
  return text.find('.') != std::string_view::npos && !ParseReais(text) && ParsePointReais(text);
}

// A price that reads with a decimal comma or a thousands group ("1.234", "12,50").
bool ReadsWithCommaOrGroup(std::string_view text) {
  return (text.find('.') != std::string_view::npos || text.find(',') != std::string_view::npos) &&
         ParseReais(text);
}

class Importer {
 public:
  Importer(const ParamSet& params, std::string_view bytes, const ImportOptions& options)
      : params_(params), bytes_(bytes), options_(options) {}

  ProductImport Run() {
    if (LooksLikeWorkbook(bytes_)) {
      CsvTable table;
      if (!ReadSheet(table)) return Finish();
      encoding_ = table.encoding;
      table_ = &table;
      ReadRows();
      table_ = nullptr;
      return Finish();
    }
    encoding_ = CsvReader(bytes_).encoding();
    ReadRows();
    // A quote never closed took the rest of the file into one value: nothing read is sure.
    CsvReader reader(bytes_);
    CsvRow row;
    while (reader.Next(row, 1)) {
    }
    if (reader.unclosed_quote_line() != 0) {
      result_ = ProductImport();
      told_.clear();
      Error(reader.unclosed_quote_line(), "", "aspas abertas e nunca fechadas");
    }
    return Finish();
  }

 private:
  struct Told {
    int line;
    ImportMessage message;
  };

  // A product read from its line, waiting for the checks that need the whole list.
  struct Pending {
    int line;
    int code;
    ProductEntry entry;
  };

  // The titles and then every row, from a CSV file or a workbook's sheet.
  void ReadRows() {
    CsvRow header;
    if (!Titles(header)) {
      Error(1, "", Win1252("o arquivo não tem a linha de títulos das colunas"));
      return;
    }
    header_line_ = header.line;
    if (header.fields_left_off > 0) {
      Error(header_line_, "",
            Win1252("a linha de títulos tem mais de ") + std::to_string(kMostColumns) + " colunas");
      return;
    }
    if (HasNul(header)) return;
    header_width_ = header.fields.size();
    // The rows are read again for each pass rather than kept: a list of 8 MB holds millions
    // of values.
    std::vector<CsvRow> first_rows;
    EachRow([&first_rows](const CsvRow& r) {
      if (first_rows.size() < kFirstValuesShown) first_rows.push_back(r);
    });
    if (!ReadHeader(header, first_rows)) return;
    ReadPriceForm();
    EachRow([this](const CsvRow& r) { ReadRow(r); });
    FinishRows();
    if (result_.read == 0 && result_.errors == 0)
      Error(header_line_, "", Win1252("a planilha não tem nenhum produto abaixo dos títulos"));
  }

  // A row cut at `most_fields` values, the rest only counted, as the CSV reader cuts.
  static void Cut(CsvRow& row, std::size_t most_fields) {
    if (row.fields.size() <= most_fields) return;
    row.fields_left_off = row.fields.size() - most_fields;
    row.fields.resize(most_fields);
  }

  // The title line, from the sheet or read afresh from the CSV bytes.
  bool Titles(CsvRow& header) const {
    if (table_ != nullptr) {
      if (table_->rows.empty()) return false;
      header = table_->rows.front();
      Cut(header, kMostColumns);
      return true;
    }
    CsvReader reader(bytes_);
    return reader.Next(header, kMostColumns);
  }

  // Each row below the titles, from the sheet or read afresh from the CSV bytes.
  template <typename F>
  void EachRow(F f) const {
    if (table_ != nullptr) {
      for (std::size_t i = 1; i < table_->rows.size(); ++i) {
        CsvRow row = table_->rows[i];
        Cut(row, header_width_ + 1);
        f(row);
      }
      return;
    }
    CsvReader reader(bytes_);
    CsvRow row;
    if (!reader.Next(row, kMostColumns)) return;
    while (reader.Next(row, header_width_ + 1)) f(row);
  }

  void Error(int line, std::string_view column, std::string_view text) {
    Tell(line, {true, Where(line, column) + std::string(text)});
    ++result_.errors;
  }
  void Warning(int line, std::string_view column, std::string_view text) {
    Tell(line, {false, Where(line, column) + std::string(text)});
    ++result_.warnings;
  }
  // Only the first messages of the file are shown: whenever the list doubles it is cut back
  // to them, so a list with a million faulty rows costs no more memory than a short one.
  void Tell(int line, ImportMessage message) {
    told_.push_back({line, std::move(message)});
    if (told_.size() >= 2 * kMostImportMessages) KeepFirstMessages();
  }
  void KeepFirstMessages() {
    std::stable_sort(told_.begin(), told_.end(),
                     [](const Told& a, const Told& b) { return a.line < b.line; });
    if (told_.size() <= kMostImportMessages) return;
    result_.messages_left_off += static_cast<int>(told_.size() - kMostImportMessages);
    told_.resize(kMostImportMessages);
  }

  // A NUL byte is no text any program writes into a list; it is refused wherever it is.
  bool HasNul(const CsvRow& row) {
    for (std::size_t i = 0; i < row.fields.size(); ++i) {
      if (row.fields[i].text.find('\0') == std::string::npos) continue;
      std::string column = ColumnLabel(static_cast<int>(i));
      for (int c = 0; c < kColumnCount; ++c)
        if (columns_[static_cast<std::size_t>(c)] == static_cast<int>(i)) column = Name(Column(c));
      Error(row.line, column, Win1252("o valor tem um caractere nulo (caractere 0)"));
      return true;
    }
    return false;
  }

  // A workbook's sheet that starts with the list's titles; false when none can be read.
  bool ReadSheet(CsvTable& table) {
    Workbook book = ReadWorkbook(bytes_, [](const CsvRow& row) {
      for (const CsvField& f : row.fields)
        if (FieldForTitle(ToWindows1252ForDisplay(f.text, CsvEncoding::kUtf8))) return true;
      return false;
    });
    if (book.status != WorkbookStatus::kOk) {
      result_.messages.push_back({true, WorkbookStatusText(book.status)});  // the first one
      ++result_.errors;
      result_.unreadable = true;
      return false;
    }
    result_.sheet = ToWindows1252ForDisplay(book.sheet, CsvEncoding::kUtf8);
    table = std::move(book.table);
    return true;
  }

  std::string Display(std::string_view text) const {
    return ToWindows1252ForDisplay(text, encoding_);
  }

  // The columns of the fields: the caller's choice, else the one column whose title names
  // the field. The file's columns are kept for offering that choice.
  bool ReadHeader(const CsvRow& header, const std::vector<CsvRow>& first_rows) {
    columns_.fill(kNoColumn);
    std::vector<bool> chosen(header.fields.size(), false);
    for (const std::optional<int>& c : options_.columns)
      if (c && *c >= 0 && static_cast<std::size_t>(*c) < chosen.size())
        chosen[static_cast<std::size_t>(*c)] = true;
    std::array<std::vector<int>, kColumnCount> claims;
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
      ListColumn column{Display(header.fields[i].text), {}};
      for (const CsvRow& r : first_rows)
        if (i < r.fields.size())
          column.first_values.push_back(Display(TrimBlanks(r.fields[i].text)));
      const std::string title = column.title;
      result_.columns.push_back(std::move(column));
      if (FoldColumnTitle(title).empty() || chosen[i]) {
        continue;  // spreadsheets write empty titles for columns that were only formatted
      }
      const std::optional<ListField> field = FieldForTitle(title);
      if (!field) {
        Warning(header.line, Quoted(title), "coluna desconhecida, ignorada");
      } else {
        claims[static_cast<std::size_t>(*field)].push_back(static_cast<int>(i));
      }
    }
    const auto width = static_cast<int>(header.fields.size());
    for (int c = 0; c < kColumnCount; ++c) {
      const auto at = static_cast<std::size_t>(c);
      if (const std::optional<int> choice = options_.columns[at]) {
        columns_[at] = *choice >= 0 && *choice < width ? *choice : kNoColumn;
      } else if (claims[at].size() == 1) {
        columns_[at] = claims[at].front();
      } else if (claims[at].size() > 1) {
        Error(header.line, Name(Column(c)), "coluna repetida");
        result_.needs_column_choice = true;
      }
    }
    result_.field_columns = columns_;
    const bool numbered = options_.numbering != Numbering::kFromList;
    if (!Has(kCode) && !numbered) result_.needs_column_choice = true;
    if (!Has(kCode) && !numbered) {
      Error(header.line, "", Win1252("falta a coluna codigo"));
      return false;
    }
    return result_.errors == 0;
  }

  // A column writing every price with a decimal point is read that way; one that mixes that
  // with decimal commas or thousands groups is refused at its first value of the other form.
  void ReadPriceForm() {
    if (!Has(kPrice)) return;
    std::optional<std::pair<int, std::string>> point;  // line and value
    std::optional<std::pair<int, std::string>> other;
    EachRow([&](const CsvRow& r) {
      const std::string value = Value(r, kPrice);
      if (!point && ReadsOnlyWithPoint(value)) point.emplace(r.line, value);
      if (!other && ReadsWithCommaOrGroup(value)) other.emplace(r.line, value);
    });
    if (!point) return;
    price_form_ = other ? PriceForm::kMixed : PriceForm::kPoint;
    if (other) {
      Error(other->first, Name(kPrice),
            Quoted(Display(other->second)) +
                Win1252(" não se lê como os preços com ponto decimal da coluna (linha ") +
                std::to_string(point->first) + ": " + Quoted(Display(point->second)) + ")");
    }
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

  static std::string_view Name(Column c) { return ListFieldKey(static_cast<ListField>(c)); }

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

    const int code = options_.numbering == Numbering::kFromList ? ReadCode(row) : NextCode();
    if (code == 0) return;

    // A list numbered from 1 replaces the products: nothing of the old one stays.
    const PluRecord& stored = params_.Product(code);
    const PluRecord& base = options_.numbering == Numbering::kFromOne ? empty_ : stored;
    ProductEntry entry;
    entry.flags = {IsSet(base.status_fixed_price), IsSet(base.status_open_price),
                   IsSet(base.status_negative_price), IsSet(base.status_single_item_sale)};
    entry.price = base.price;
    entry.name = base.name;
    entry.dept_code = base.dept_code;

    if (Has(kName)) ReadName(row, entry);
    if (Has(kPrice)) ReadPrice(row, base, entry);
    if (Has(kDept)) ReadDept(row, base, entry);
    ReadFlag(row, kFixedPrice, entry.flags.fixed_price);
    ReadFlag(row, kOpenPrice, entry.flags.open_price);
    ReadFlag(row, kNegativePrice, entry.flags.negative_price);
    ReadFlag(row, kSingleItemSale, entry.flags.single_item_sale);
    if (result_.errors != errors_before) return;
    pending_.push_back({line, code, entry});
  }

  // The first free code of a numbered list.
  int FirstNumber() const {
    if (options_.numbering == Numbering::kFromOne) return 1;
    int highest = 0;
    for (int code = 1; code <= kProductCount; ++code)
      if (!TrimBlanks(params_.Product(code).name).empty()) highest = code;
    return highest + 1;
  }

  // The next code in list order; 0 (counted) past the last product.
  int NextCode() {
    if (next_code_ == 0) next_code_ = FirstNumber();
    if (next_code_ > kProductCount) {
      ++overflow_;
      return 0;
    }
    return next_code_++;
  }

  int ReadCode(const CsvRow& row) {
    const int line = row.line;
    const std::string code_text = Value(row, kCode);
    const std::string code_digits = IsDigits(code_text) ? WithoutLeadingZeros(code_text) : "";
    const int code = !code_digits.empty() && code_digits.size() <= 3
                         ? ParseShortNumber(code_digits, static_cast<int>(code_digits.size()))
                         : 0;
    if (code < 1 || code > kProductCount) {
      Error(line, Name(kCode),
            Quoted(Display(code_text)) + Win1252(" não é um código de produto (1 a 500)"));
      return 0;
    }
    auto [first, inserted] = seen_.emplace(code, line);
    if (!inserted) {
      Error(line, Name(kCode),
            "o produto " + std::to_string(code) + Win1252(" já apareceu na linha ") +
                std::to_string(first->second));
      return 0;
    }
    return code;
  }

  // The checks that need the whole list: the codes left over, the short names (unique among
  // the list and the other products), the departments without a name, the product rules.
  void FinishRows() {
    if (overflow_ > 0) {
      const int fit = kProductCount - FirstNumber() + 1;
      Error(header_line_, Name(kCode),
            "a planilha tem " + std::to_string(fit + overflow_) + Win1252(" produtos e só cabem ") +
                std::to_string(fit) +
                (fit > 0 ? Win1252(" (códigos ") + std::to_string(FirstNumber()) + " a 500)" : ""));
    }
    std::set<std::string> taken;
    std::set<int> listed;
    for (const Pending& p : pending_) listed.insert(p.code);
    for (int code = 1; code <= kProductCount; ++code)
      if (listed.count(code) == 0 && !TrimBlanks(params_.Product(code).name).empty())
        taken.insert(FoldName(params_.Product(code).name));
    for (const Pending& p : pending_)
      if (p.entry.name.size() <= kRecordNameLen && !TrimBlanks(p.entry.name).empty())
        taken.insert(FoldName(p.entry.name));
    int nameless = 0;
    for (Pending& p : pending_) {
      std::string long_name;
      if (options_.shorten_names && p.entry.name.size() > kRecordNameLen) {
        long_name = p.entry.name;
        if (!Shorten(p, taken)) continue;
      }
      const ProductCheck check = CheckProductEntry(p.entry);
      if (check.fault == ProductFault::kNameMissing && !Has(kName)) {
        ++nameless;
        continue;
      }
      if (!check.ok()) {
        RuleError(p.line, check, p.entry);
        continue;
      }
      WarnUnprintable(p.line, p.entry.name);
      WarnNamelessDept(p.line, p.entry);
      Count(params_.Product(p.code), p.entry);
      result_.rows.push_back({p.code, p.line, p.entry, long_name});
    }
    // Without a name column every such product would say the same: the list says it once.
    if (nameless > 0) {
      std::string titles;
      for (const ListColumn& c : result_.columns) {
        if (c.title.empty()) continue;
        titles += (titles.empty() ? "" : ", ") + Quoted(c.title);
      }
      Error(header_line_, "", Win1252("nenhuma coluna de nomes; títulos lidos: ") + titles);
      result_.needs_column_choice = true;
    }
  }

  // The user's name for a long one, or a proposal no other product has.
  bool Shorten(Pending& p, std::set<std::string>& taken) {
    const std::string long_name = p.entry.name;
    const auto edit = options_.names.find(p.line);
    std::string name;
    if (edit != options_.names.end() && !TrimBlanks(edit->second).empty()) {
      name = TrimBlanks(edit->second);
      if (taken.count(FoldName(name)) > 0) {
        Error(p.line, Name(kName), Quoted(name) + Win1252(" já é o nome de outro produto"));
        return false;
      }
    } else {
      name = MakeUniqueName(ProposeShortName(long_name, kRecordNameLen), kRecordNameLen,
                            [&taken](std::string_view n) { return taken.count(FoldName(n)) > 0; });
    }
    if (name.empty()) {
      Error(p.line, Name(kName), Quoted(long_name) + Win1252(" tem mais de 12 caracteres"));
      return false;
    }
    taken.insert(FoldName(name));
    p.entry.name = name;
    ++result_.shortened;
    Warning(
        p.line, Name(kName),
        Quoted(long_name) + Win1252(" tem mais de 12 caracteres; nome proposto: ") + Quoted(name));
    return true;
  }

  void WarnUnprintable(int line, const std::string& name) {
    const std::string missing = CharactersWithoutRegisterCode(name);
    if (missing.empty() || !Has(kName)) return;
    std::string text = Win1252("a registradora não recebe: ");
    for (std::size_t i = 0; i < missing.size(); ++i) {
      if (i > 0) text += ", ";
      text += VisibleCharacterName(static_cast<unsigned char>(missing[i]));
    }
    Warning(line, Name(kName), text);
  }

  // A department without a name shows on the register as nothing: told here, once for each
  // department, rather than later in the product table.
  void WarnNamelessDept(int line, const ProductEntry& entry) {
    if (TrimBlanks(entry.name).empty() || !IsDigits(entry.dept_code)) return;
    const std::string digits = WithoutLeadingZeros(entry.dept_code);
    if (digits.size() > 2) return;
    const int dept = ParseShortNumber(digits, static_cast<int>(digits.size()));
    if (dept < 1 || dept > kDepartmentCount) return;
    if (!TrimBlanks(params_.Department(dept).name).empty()) return;
    for (const NewDepartment& d : result_.new_departments)
      if (d.number == dept) return;
    if (!warned_depts_.insert(dept).second) return;  // once, at its first product
    Warning(line, Name(kDept), "o departamento " + std::to_string(dept) + Win1252(" não tem nome"));
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
    // A mixed column is refused once, not at each of its decimal-point prices.
    if (price_form_ == PriceForm::kMixed && ReadsOnlyWithPoint(raw)) return;
    const std::optional<std::string> cents =
        price_form_ == PriceForm::kPoint ? ParsePointReais(raw) : ParseReais(raw);
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
    // A name ("BEBIDAS"); a value starting with a digit is a mistyped number.
    if (!(raw[0] >= '0' && raw[0] <= '9')) {
      const std::optional<std::string> name = ToWindows1252(raw, encoding_);
      const int dept = name ? DeptForName(row.line, *name) : 0;
      if (!name) {
        Error(row.line, Name(kDept),
              Quoted(Display(raw)) + Win1252(" não é um departamento (1 a 16)"));
      }
      if (dept > 0 && !SameNumber(stored.dept_code, std::to_string(dept)))
        entry.dept_code = std::to_string(dept);
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

  // The department of that name; a name no department has takes the first department
  // without a name. 0 (and an error) when it cannot.
  int DeptForName(int line, const std::string& name) {
    const std::string key = FoldForSearch(TrimBlanks(name));
    for (int d = 1; d <= kDepartmentCount; ++d)
      if (FoldForSearch(TrimBlanks(params_.Department(d).name)) == key) return d;
    for (const NewDepartment& d : result_.new_departments)
      if (FoldForSearch(d.name) == key) return d.number;
    if (name.size() > kRecordNameLen || name.find('|') != std::string::npos ||
        std::any_of(name.begin(), name.end(),
                    [](char c) { return IsForbiddenByte(static_cast<unsigned char>(c)); })) {
      Error(line, Name(kDept),
            Quoted(name) + Win1252(" não é um nome de departamento (até 12 caracteres)"));
      return 0;
    }
    for (int d = 1; d <= kDepartmentCount; ++d) {
      if (!TrimBlanks(params_.Department(d).name).empty()) continue;
      const bool given = std::any_of(result_.new_departments.begin(), result_.new_departments.end(),
                                     [d](const NewDepartment& n) { return n.number == d; });
      if (given) continue;
      result_.new_departments.push_back({d, TrimBlanks(name)});
      Warning(line, Name(kDept),
              "o departamento " + std::to_string(d) + Win1252(" receberá o nome ") + Quoted(name));
      return d;
    }
    Error(line, Name(kDept),
          Win1252("não há departamento sem nome para ") + Quoted(name) +
              Win1252(" (os 16 já têm nome)"));
    return 0;
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

  // The messages in the order of the file, the first kMostImportMessages kept.
  ProductImport Finish() {
    if (result_.errors > 0) {
      result_.rows.clear();
      result_.new_departments.clear();
    }
    KeepFirstMessages();
    for (Told& t : told_) {
      if (result_.messages.size() < kMostImportMessages) {
        result_.messages.push_back(std::move(t.message));
      } else {
        ++result_.messages_left_off;
      }
    }
    return std::move(result_);
  }

  const ParamSet& params_;
  std::string_view bytes_;
  const ImportOptions& options_;
  const PluRecord empty_{};
  CsvEncoding encoding_ = CsvEncoding::kWindows1252;
  std::array<int, kColumnCount> columns_{};
  std::size_t header_width_ = 0;
  int header_line_ = 1;
  PriceForm price_form_ = PriceForm::kComma;
  int next_code_ = 0;
  int overflow_ = 0;
  std::map<int, int> seen_;  // product code -> line
  std::vector<Pending> pending_;
  std::set<int> warned_depts_;
  const CsvTable* table_ = nullptr;  // a workbook's sheet; none for a CSV file
  std::vector<Told> told_;
  ProductImport result_;
};

}  // namespace

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
  const std::string t = FoldForSearch(TrimBlanks(text));
  if (t == "1" || t == "s" || t == "sim" || t == "x") return true;
  if (t.empty() || t == "0" || t == "n" || t == "nao") return false;
  return std::nullopt;
}

std::optional<std::string> ParsePointReais(std::string_view text) {
  if (text.find(',') != std::string_view::npos) return std::nullopt;
  std::string with_comma(text);
  std::replace(with_comma.begin(), with_comma.end(), '.', ',');
  return ParseReais(with_comma);
}

ProductImport PrepareProductImport(const ParamSet& params, std::string_view file_bytes,
                                   const ImportOptions& options) {
  return Importer(params, file_bytes, options).Run();
}

std::optional<int> FindListColumn(const std::vector<ListColumn>& columns, std::string_view title) {
  const std::string wanted = FoldColumnTitle(title);
  for (std::size_t i = 0; i < columns.size(); ++i)
    if (TrimBlanks(columns[i].title) == TrimBlanks(title) ||
        (!wanted.empty() && FoldColumnTitle(columns[i].title) == wanted))
      return static_cast<int>(i);
  return std::nullopt;
}

bool ApplyProductImport(ParamSet& params, const ProductImport& import) {
  if (import.errors > 0) return false;
  for (const NewDepartment& d : import.new_departments) {
    DeptRecord& dept = params.Department(d.number);
    const DeptRecord old = dept;
    dept.name = d.name;
    RaiseStoredMarkers(dept, old);
  }
  for (const ProductImport::Row& row : import.rows)
    StoreProductEntry(params.Product(row.code), row.entry);
  return true;
}

std::string ImportSummary(const ProductImport& import) {
  return std::to_string(import.rows.size()) + " produtos importados; " +
         std::to_string(import.shortened) + " nomes encurtados; " +
         std::to_string(import.new_departments.size()) + " departamentos criados";
}

FileStatus ReadProductListFile(const std::string& path, std::string& bytes) {
  return ReadWholeFile(path, kLargestFile, bytes);
}

}  // namespace qx::exchange
