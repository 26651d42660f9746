// Reading a parameter file into the parameter set. The reader is forgiving: it skips what it
// does not recognise, never stops on a bad line, bounds every field by its capacity and every
// key by its range, and reads nothing past the data.
#include <algorithm>
#include <string_view>

#include "common/cp1252.h"
#include "common/file_layer.h"
#include "parfile/par_file.h"
#include "parfile/par_reader.h"
#include "parfile/par_records.h"

namespace qx {
namespace {

using par::FieldCursor;
using par::ParseChar;
using par::ParseKey;
using par::ParseText;

constexpr std::string_view kNoMemoryText = "ERRO DE ALOCAÇÃO DE MEMÓRIA";
// Not an error: this is how a new customer file is started.
constexpr std::string_view kNewFileText = "Não encontrado o arquivo\nGerando arquivo NOVO";
constexpr std::string_view kUnreadableText = "ERRO NA LEITURA DO ARQUIVO";
constexpr std::string_view kNoDataText = "ERRO ARQUIVO SEM DADOS";

// Field capacities as the reader counts them: characters plus the terminator.
constexpr std::size_t Cap(std::size_t length) { return length + 1; }

constexpr bool InRange(int number, int last) { return number >= 1 && number <= last; }

template <class Record>
void ReadStatus(Record& record, FieldCursor& cursor) {
  for (char Record::*flag : par::kStatusFlags<Record>) ParseChar(record.*flag, cursor);
}

void ReadDeptStatus(ParamSet& params, FieldCursor& cursor) {
  const int number = ParseKey(cursor);
  if (InRange(number, kDepartmentCount)) ReadStatus(params.Department(number), cursor);
}

void ReadDeptPrice(ParamSet& params, FieldCursor& cursor) {
  const int number = ParseKey(cursor);
  if (InRange(number, kDepartmentCount)) {
    ParseText(params.Department(number).price, Cap(kPriceLen), cursor);
  }
}

void ReadDeptName(ParamSet& params, FieldCursor& cursor) {
  const int number = ParseKey(cursor);
  if (InRange(number, kDepartmentCount)) {
    ParseText(params.Department(number).name, Cap(kRecordNameLen), cursor);
  }
}

void ReadPluStatus(ParamSet& params, FieldCursor& cursor) {
  const int number = ParseKey(cursor);
  if (InRange(number, kProductCount)) ReadStatus(params.Product(number), cursor);
}

void ReadPluPrice(ParamSet& params, FieldCursor& cursor) {
  const int number = ParseKey(cursor);
  if (InRange(number, kProductCount)) {
    ParseText(params.Product(number).price, Cap(kPriceLen), cursor);
  }
}

void ReadPluName(ParamSet& params, FieldCursor& cursor) {
  const int number = ParseKey(cursor);
  if (InRange(number, kProductCount)) {
    ParseText(params.Product(number).name, Cap(kRecordNameLen), cursor);
  }
}

// The link is kept as read; whoever uses it checks it against the departments.
void ReadPluDept(ParamSet& params, FieldCursor& cursor) {
  const int number = ParseKey(cursor);
  if (InRange(number, kProductCount)) {
    ParseText(params.Product(number).dept_code, Cap(kDeptCodeLen), cursor);
  }
}

void ReadSystemOptions(ParamSet& params, FieldCursor& cursor) {
  SystemOptions& options = params.system_options;
  for (char SystemOptions::*option : par::kSystemOptionFields) ParseChar(options.*option, cursor);
  // The reserved text follows the last option directly; a separator before it is stepped over.
  ParseText(options.system_reserved, Cap(kSystemReservedLen), cursor);
}

void ReadPrintOptions(ParamSet& params, FieldCursor& cursor) {
  PrintOptions& options = params.print_options;
  for (char PrintOptions::*option : par::kPrintFlagsBeforeSymbols) {
    ParseChar(options.*option, cursor);
  }
  ParseText(options.local_currency_symbol, Cap(kCurrencySymbolLen), cursor);
  ParseText(options.foreign_currency_symbol, Cap(kCurrencySymbolLen), cursor);
  for (char PrintOptions::*option : par::kPrintFlagsAfterSymbols) {
    ParseChar(options.*option, cursor);
  }
}

void ReadKeyStatus(ParamSet& params, FieldCursor& cursor) {
  const par::KeyStatusFlags<ParamSet> status = par::KeyStatus(params, ParseKey(cursor));
  for (std::size_t i = 0; i < status.count; ++i) ParseChar(*status.flags[i], cursor);
}

void ReadKeyValues(ParamSet& params, FieldCursor& cursor) {
  const int index = ParseKey(cursor);
  if (index == 5) {
    ParseText(params.currency_key.exchange_rate, Cap(kExchangeRateLen), cursor);
    ParseText(params.currency_key.rate_decimals, Cap(kRateDecimalsLen), cursor);
    return;
  }
  const par::KeyValueField<ParamSet> value = par::KeyValue(params, index);
  if (value.text) ParseText(*value.text, Cap(value.capacity), cursor);
}

void ReadKeyName(ParamSet& params, FieldCursor& cursor) {
  std::string* name = par::KeyName(params, ParseKey(cursor));
  if (name) ParseText(*name, Cap(kKeyNameLen), cursor);
}

void ReadHeader(ParamSet& params, FieldCursor& cursor) {
  for (std::string& line : params.header_lines) ParseText(line, Cap(kReceiptLineLen), cursor);
}

void ReadFooter(ParamSet& params, FieldCursor& cursor) {
  for (std::string& line : params.footer_lines) ParseText(line, Cap(kReceiptLineLen), cursor);
}

void ReadOperators(ParamSet& params, FieldCursor& cursor) {
  for (OperatorRecord& op : params.operators) ParseText(op.name, Cap(kOperatorNameLen), cursor);
}

void ReadRegisterNumber(ParamSet& params, FieldCursor& cursor) {
  ParseText(params.register_number, Cap(kRegisterNumberLen), cursor);
}

struct RecordReader {
  std::string_view type;
  void (*read)(ParamSet&, FieldCursor&);
};

constexpr RecordReader kRecordReaders[] = {
    {par::kDeptStatusRecord, ReadDeptStatus},
    {par::kDeptPriceRecord, ReadDeptPrice},
    {par::kDeptNameRecord, ReadDeptName},
    {par::kPluStatusRecord, ReadPluStatus},
    {par::kPluPriceRecord, ReadPluPrice},
    {par::kPluNameRecord, ReadPluName},
    {par::kPluDeptRecord, ReadPluDept},
    {par::kSystemOptionsRecord, ReadSystemOptions},
    {par::kPrintOptionsRecord, ReadPrintOptions},
    {par::kKeyStatusRecord, ReadKeyStatus},
    {par::kKeyValuesRecord, ReadKeyValues},
    {par::kKeyNamesRecord, ReadKeyName},
    {par::kHeaderRecord, ReadHeader},
    {par::kFooterRecord, ReadFooter},
    {par::kOperatorsRecord, ReadOperators},
    {par::kRegisterNumberRecord, ReadRegisterNumber},
};

// A record is recognised by its first five characters alone; any other line is skipped.
void DispatchLine(ParamSet& params, std::string_view line) {
  if (line.size() < par::kRecordTypeLen) return;
  const std::string_view type = line.substr(0, par::kRecordTypeLen);
  for (const RecordReader& reader : kRecordReaders) {
    if (reader.type == type) {
      FieldCursor cursor{line, par::kRecordTypeLen};
      reader.read(params, cursor);
      return;
    }
  }
}

// Overlays every record of the data on the set. Reading ends at the end of the data or at a
// NUL byte. A run of blank lines, however long, does not end it: NextLine then gives an
// empty line, and the records after the run are still read.
void ReadRecords(ParamSet& params, std::string_view data) {
  for (;;) {
    std::string_view line;
    const std::size_t used = par::NextLine(line, data, par::kLineLimit);
    if (used == 0) break;
    if (!line.empty()) DispatchLine(params, line);
    data.remove_prefix(used);
  }
}

}  // namespace

const std::string_view kDamagedText = "ARQUIVO DANIFICADO POR UMA GRAVAÇÃO INTERROMPIDA";

void TurnOffUncarriedPrintOptions(ParamSet& params) {
  params.print_options.print_ejournal = '0';
  params.print_options.print_training_message = '0';
}

void LoadParBytes(ParamSet& params, std::string_view bytes) {
  ResetParamSet(params);
  ReadRecords(params, bytes.substr(0, std::min(bytes.size(), par::kReadBufferSize)));
}

FileStatus LoadParFile(ParamSet& params, const std::string& path) {
  ResetParamSet(params);
  // Only a path where nothing stands starts a new customer file. A file that is there but
  // cannot be read (no permission, a folder of that name, a folder on the way that may not
  // be entered) is not new: its defaults must never be saved over it.
  switch (GetPathKind(path)) {
    case PathKind::kMissing:
      // Opening leaves nothing behind, not even the folders of the path: the save creates
      // the folders it needs.
      return {FileResult::kMissing, path, kNewFileText};
    case PathKind::kFile:
      break;
    case PathKind::kOther:
    case PathKind::kUnknown:
      return {FileResult::kUnreadable, path, kUnreadableText};
  }

  // A save of this file was cut off while it rewrote the file: its content may be short, and
  // nothing is taken from it.
  if (SaveWasInterrupted(path)) return {FileResult::kDamaged, path, kDamagedText};

  std::string bytes;
  if (!par::ReserveReadBuffer(bytes, par::kReadBufferSize)) {
    return {FileResult::kNoMemory, path, kNoMemoryText};
  }

  // Reading needs no write access: a read-only file is loaded as any other, and only saving
  // over it is refused. A longer file is read as far as the buffer goes.
  switch (ReadWholeFile(path, par::kReadBufferSize, bytes).result) {
    case FileResult::kDone:
    case FileResult::kTooLarge:
      break;
    case FileResult::kMissing:
    case FileResult::kUnreadable:
      return {FileResult::kUnreadable, path, kUnreadableText};
    case FileResult::kNoMemory:
      return {FileResult::kNoMemory, path, kNoMemoryText};
    default:
      return {FileResult::kEmpty, path, kNoDataText};
  }
  if (bytes.empty()) return {FileResult::kEmpty, path, kNoDataText};
  ReadRecords(params, bytes);
  return FileDone(path);
}

}  // namespace qx
