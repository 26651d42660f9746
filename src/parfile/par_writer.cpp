// Writing the parameter set as a parameter file. The writer emits the records in one fixed
// order, every line ending with CR LF, and replaces the file all or nothing.
#include <string>
#include <string_view>

#include "common/cp1252.h"
#include "common/file_layer.h"
#include "model/field_text.h"
#include "parfile/par_file.h"
#include "parfile/par_reader.h"
#include "parfile/par_records.h"

namespace qx {
namespace {

constexpr std::string_view kCreateErrorText = "ERRO NA CRIAÇÃO DO ARQUIVO";
constexpr std::string_view kBackupErrorText = "ERRO NA CRIAÇÃO DA CÓPIA DE SEGURANÇA";
constexpr std::string_view kBusyText = "ARQUIVO EM GRAVAÇÃO POR OUTRO PROGRAMA";
constexpr std::string_view kRestoreErrorText = "ERRO NA LEITURA DA CÓPIA DE SEGURANÇA";

// A stored text as the file carries it: up to its first NUL (the register's texts end
// there) and never more than the field's capacity.
std::string_view Stored(const std::string& text, std::size_t capacity) {
  std::string_view view = text;
  view = view.substr(0, view.find('\0'));
  return view.substr(0, capacity);
}

template <class Record>
bool HasNoNulFlag(const Record& record) {
  for (char Record::*flag : par::kStatusFlags<Record>) {
    if (record.*flag == '\0') return false;
  }
  return true;
}

// Builds one record line; Finish appends it with CR LF to the page.
class RecordLine {
 public:
  explicit RecordLine(std::string& page) : page_(page) { line_.reserve(512); }

  RecordLine& Start(std::string_view type) {
    line_.assign(type);
    return *this;
  }
  // 'D' and two digits for departments, 'P' and three for products, one digit for keys.
  RecordLine& Key(char letter, int number, int width) {
    line_ += par::kSeparator;
    if (letter) line_ += letter;
    char digits[3];
    for (int i = width - 1; i >= 0; --i) {
      digits[i] = static_cast<char>('0' + number % 10);
      number /= 10;
    }
    line_.append(digits, static_cast<std::size_t>(width));
    return *this;
  }
  RecordLine& Flag(char flag) {
    line_ += par::kSeparator;
    line_ += FlagChar(IsSet(flag));
    return *this;
  }
  // A character field is written as stored; a NUL (which would end the reading of the whole
  // file) is written as the '0' a missing field reads as.
  RecordLine& Char(char c) {
    line_ += par::kSeparator;
    line_ += c == '\0' ? '0' : c;
    return *this;
  }
  RecordLine& Text(const std::string& text, std::size_t capacity) {
    line_ += par::kSeparator;
    line_ += Stored(text, capacity);
    return *this;
  }
  // Prices lose their leading zeros; a price of zeros only is written as its last character.
  RecordLine& Price(const std::string& price) {
    line_ += par::kSeparator;
    line_ += SkipLeadingZeros(Stored(price, kPriceLen));
    return *this;
  }
  // Appended to the previous field with no separator.
  RecordLine& Attached(const std::string& text, std::size_t capacity) {
    line_ += Stored(text, capacity);
    return *this;
  }
  void Finish() { WriteTextLine(page_, line_); }

 private:
  std::string& page_;
  std::string line_;
};

template <class Record>
void WriteStatus(RecordLine& line, std::string_view type, char letter, int number, int width,
                 const Record& record) {
  // A record holding a NUL flag is left out; the reader then keeps its defaults.
  if (!HasNoNulFlag(record)) return;
  line.Start(type).Key(letter, number, width);
  for (char Record::*flag : par::kStatusFlags<Record>) line.Flag(record.*flag);
  line.Finish();
}

void WriteDepartments(RecordLine& line, const ParamSet& params) {
  for (int n = 1; n <= kDepartmentCount; ++n) {
    WriteStatus(line, par::kDeptStatusRecord, 'D', n, 2, params.Department(n));
  }
  for (int n = 1; n <= kDepartmentCount; ++n) {
    const DeptRecord& dept = params.Department(n);
    if (Stored(dept.price, kPriceLen).empty()) continue;
    line.Start(par::kDeptPriceRecord).Key('D', n, 2).Price(dept.price).Finish();
  }
  for (int n = 1; n <= kDepartmentCount; ++n) {
    const DeptRecord& dept = params.Department(n);
    if (Stored(dept.name, kRecordNameLen).empty()) continue;
    line.Start(par::kDeptNameRecord).Key('D', n, 2).Text(dept.name, kRecordNameLen).Finish();
  }
}

void WriteProducts(RecordLine& line, const ParamSet& params) {
  for (int n = 1; n <= kProductCount; ++n) {
    WriteStatus(line, par::kPluStatusRecord, 'P', n, 3, params.Product(n));
  }
  for (int n = 1; n <= kProductCount; ++n) {
    const PluRecord& plu = params.Product(n);
    if (Stored(plu.price, kPriceLen).empty()) continue;
    line.Start(par::kPluPriceRecord).Key('P', n, 3).Price(plu.price).Finish();
  }
  for (int n = 1; n <= kProductCount; ++n) {
    const PluRecord& plu = params.Product(n);
    if (Stored(plu.name, kRecordNameLen).empty()) continue;
    line.Start(par::kPluNameRecord).Key('P', n, 3).Text(plu.name, kRecordNameLen).Finish();
  }
  for (int n = 1; n <= kProductCount; ++n) {
    const PluRecord& plu = params.Product(n);
    if (Stored(plu.dept_code, kDeptCodeLen).empty()) continue;
    line.Start(par::kPluDeptRecord).Key('P', n, 3).Text(plu.dept_code, kDeptCodeLen).Finish();
  }
}

void WriteSystemOptions(RecordLine& line, const SystemOptions& options) {
  line.Start(par::kSystemOptionsRecord);
  for (std::size_t i = 0; i < par::kSystemOptionFields.size(); ++i) {
    const char value = options.*par::kSystemOptionFields[i];
    if (par::IsSystemCharacterField(i)) {
      line.Char(value);
    } else {
      line.Flag(value);
    }
  }
  line.Attached(options.system_reserved, kSystemReservedLen).Finish();
}

void WritePrintOptions(RecordLine& line, const PrintOptions& options) {
  line.Start(par::kPrintOptionsRecord);
  for (char PrintOptions::*option : par::kPrintFlagsBeforeSymbols) line.Flag(options.*option);
  line.Text(options.local_currency_symbol, kCurrencySymbolLen)
      .Text(options.foreign_currency_symbol, kCurrencySymbolLen);
  for (char PrintOptions::*option : par::kPrintFlagsAfterSymbols) line.Flag(options.*option);
  line.Finish();
}

void WriteFunctionKeys(RecordLine& line, const ParamSet& params) {
  for (int index : par::kKeyStatusIndexes) {
    const par::KeyStatusFlags<const ParamSet> status = par::KeyStatus(params, index);
    line.Start(par::kKeyStatusRecord).Key('\0', index, 1);
    for (std::size_t i = 0; i < status.count; ++i) line.Flag(*status.flags[i]);
    line.Finish();
  }
  for (int index = 1; index <= kFunctionKeyCount; ++index) {
    line.Start(par::kKeyValuesRecord).Key('\0', index, 1);
    if (index == 5) {
      line.Text(params.currency_key.exchange_rate, kExchangeRateLen)
          .Text(params.currency_key.rate_decimals, kRateDecimalsLen);
    } else {
      const par::KeyValueField<const ParamSet> value = par::KeyValue(params, index);
      line.Text(*value.text, value.capacity);
    }
    line.Finish();
  }
  for (int index = 1; index <= par::kKeyNameCount; ++index) {
    line.Start(par::kKeyNamesRecord).Key('\0', index, 1);
    line.Text(*par::KeyName(params, index), kKeyNameLen).Finish();
  }
}

void WriteReceiptLines(RecordLine& line, std::string_view type,
                       const std::array<std::string, kReceiptLineCount>& lines) {
  line.Start(type);
  for (const std::string& text : lines) line.Text(text, kReceiptLineLen);
  line.Finish();
}

}  // namespace

std::string FormatParFile(const ParamSet& params) {
  std::string page;
  page.reserve(par::kReadBufferSize);
  RecordLine line(page);
  WriteDepartments(line, params);
  WriteProducts(line, params);
  WriteSystemOptions(line, params.system_options);
  WritePrintOptions(line, params.print_options);
  WriteFunctionKeys(line, params);
  WriteReceiptLines(line, par::kHeaderRecord, params.header_lines);
  WriteReceiptLines(line, par::kFooterRecord, params.footer_lines);
  line.Start(par::kOperatorsRecord);
  for (const OperatorRecord& op : params.operators) line.Text(op.name, kOperatorNameLen);
  line.Finish();
  line.Start(par::kRegisterNumberRecord).Text(params.register_number, kRegisterNumberLen).Finish();
  return page;
}

// The whole name plus ".bak": no two files share a backup ("loja1.par" and "loja1.PAR", or
// "cliente.2023" and "cliente.2024", each keep their own).
std::string BackupFileName(const std::string& path) { return path + ".bak"; }

FileStatus SaveParFile(const ParamSet& params, const std::string& path) {
  // The whole file is built first and then replaces the old one in one step, so a failure
  // at any point leaves the customer's previous file and its backup as they were.
  const std::string backup = BackupFileName(path);
  switch (WriteFileWithBackup(path, FormatParFile(params), backup).result) {
    case FileResult::kDone:
      return FileDone(path);
    case FileResult::kBackupFailed:
      return {FileResult::kBackupFailed, backup, kBackupErrorText};
    case FileResult::kBusy:
      return {FileResult::kBusy, path, kBusyText};
    case FileResult::kDamaged:
      return {FileResult::kDamaged, path, kDamagedText};
    default:
      break;
  }
  return {FileResult::kWriteFailed, path, kCreateErrorText};
}

FileStatus RestoreParFile(const std::string& path) {
  const std::string backup = BackupFileName(path);
  switch (RestoreFromBackup(path, backup).result) {
    case FileResult::kDone:
      return FileDone(path);
    case FileResult::kBusy:
      return {FileResult::kBusy, path, kBusyText};
    case FileResult::kBackupFailed:
      return {FileResult::kUnreadable, backup, kRestoreErrorText};
    default:
      break;
  }
  return {FileResult::kWriteFailed, path, kCreateErrorText};
}

}  // namespace qx
