// The workbook reader: the zip archive through minizip (over the bytes in memory), the XML
// parts through expat, both bounded; cells gathered into the rows the import reads.
#include "exchange/workbook_reader.h"

#include <expat.h>
#include <unzip.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "common/cp1252.h"

namespace qx::exchange {
namespace {

// Limits. A product list has at most 500 products: these leave room for real workbooks
// (formatting, other sheets, a few thousand rows) and stop anything that only pretends.
constexpr std::uint64_t kMaxEntryBytes = 32u << 20;    // one inflated part
constexpr std::uint64_t kMaxArchiveBytes = 64u << 20;  // all inflated parts together
constexpr std::uint64_t kMaxEntries = 10000;           // entries of the archive
constexpr std::size_t kMaxRows = 10000;                // non-empty rows of the sheet read
constexpr std::size_t kMaxFields = 1000000;            // cells kept, gaps included
constexpr std::size_t kMaxCellBytes = 32767;           // the text of one cell
constexpr std::size_t kMaxSharedBytes = 64u << 20;     // the shared strings together
constexpr long kMaxColumns = 16384;                    // columns A to XFD
constexpr long kMaxRowNumber = 1 << 24;                // beyond any spreadsheet's last row

constexpr std::string_view kZipSignature = "PK\x03\x04";
constexpr std::string_view kEmptyZipSignature = "PK\x05\x06";
constexpr std::string_view kOle2Signature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
// The stream an encrypted Office Open XML workbook keeps inside its OLE2 container, as the
// container's directory spells it (UTF-16LE).
constexpr std::string_view kEncryptionInfoName =
    std::string_view("E\0n\0c\0r\0y\0p\0t\0i\0o\0n\0I\0n\0f\0o\0", 28);

// ---- the archive, read from memory -------------------------------------------------------

struct MemoryFile {
  std::string_view bytes;
  std::uint64_t pos = 0;
};

voidpf ZCALLBACK MemoryOpen(voidpf opaque, const void*, int) {
  static_cast<MemoryFile*>(opaque)->pos = 0;
  return opaque;
}

uLong ZCALLBACK MemoryRead(voidpf, voidpf stream, void* buf, uLong size) {
  auto* file = static_cast<MemoryFile*>(stream);
  const std::uint64_t left = file->bytes.size() - file->pos;
  const std::uint64_t n = std::min<std::uint64_t>(left, size);
  std::memcpy(buf, file->bytes.data() + file->pos, static_cast<std::size_t>(n));
  file->pos += n;
  return static_cast<uLong>(n);
}

uLong ZCALLBACK MemoryWrite(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK MemoryTell(voidpf, voidpf stream) {
  return static_cast<MemoryFile*>(stream)->pos;
}

long ZCALLBACK MemorySeek(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  auto* file = static_cast<MemoryFile*>(stream);
  std::uint64_t base = 0;
  if (origin == ZLIB_FILEFUNC_SEEK_CUR) base = file->pos;
  if (origin == ZLIB_FILEFUNC_SEEK_END) base = file->bytes.size();
  if (offset > file->bytes.size() - base) return -1;
  file->pos = base + offset;
  return 0;
}

int ZCALLBACK MemoryClose(voidpf, voidpf) { return 0; }
int ZCALLBACK MemoryError(voidpf, voidpf) { return 0; }

// Receives an entry's inflated bytes piece by piece; false stops the reading.
using ChunkSink = std::function<bool(const char*, std::size_t)>;

class Archive {
 public:
  explicit Archive(std::string_view bytes) : file_{bytes} {
    zlib_filefunc64_def functions{};
    functions.zopen64_file = MemoryOpen;
    functions.zread_file = MemoryRead;
    functions.zwrite_file = MemoryWrite;
    functions.ztell64_file = MemoryTell;
    functions.zseek64_file = MemorySeek;
    functions.zclose_file = MemoryClose;
    functions.zerror_file = MemoryError;
    functions.opaque = &file_;
    zip_ = unzOpen2_64("workbook", &functions);
    unz_global_info64 info{};
    if (zip_ && (unzGetGlobalInfo64(zip_, &info) != UNZ_OK || info.number_entry > kMaxEntries))
      too_many_ = true;
  }
  ~Archive() {
    if (zip_) unzClose(zip_);
  }
  Archive(const Archive&) = delete;
  Archive& operator=(const Archive&) = delete;

  WorkbookStatus OpenStatus() const {
    if (!zip_) return WorkbookStatus::kDamaged;
    return too_many_ ? WorkbookStatus::kTooBig : WorkbookStatus::kOk;
  }

  bool Has(const std::string& name) { return unzLocateFile(zip_, name.c_str(), 1) == UNZ_OK; }

  // Inflates the entry into the sink, bounded by the entry and archive limits.
  WorkbookStatus Read(const std::string& name, const ChunkSink& sink) {
    if (unzLocateFile(zip_, name.c_str(), 1) != UNZ_OK) return WorkbookStatus::kDamaged;
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip_, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
      return WorkbookStatus::kDamaged;
    if (info.flag & 1u) return WorkbookStatus::kEncrypted;
    if (unzOpenCurrentFile(zip_) != UNZ_OK) return WorkbookStatus::kDamaged;
    std::vector<char> buffer(std::size_t{64} * 1024);
    std::uint64_t entry = 0;
    WorkbookStatus status = WorkbookStatus::kOk;
    bool complete = false;
    while (true) {
      const int got = unzReadCurrentFile(zip_, buffer.data(), static_cast<unsigned>(buffer.size()));
      if (got < 0) {
        status = WorkbookStatus::kDamaged;
        break;
      }
      if (got == 0) {
        complete = true;
        break;
      }
      entry += static_cast<std::uint64_t>(got);
      inflated_ += static_cast<std::uint64_t>(got);
      if (entry > kMaxEntryBytes || inflated_ > kMaxArchiveBytes) {
        status = WorkbookStatus::kTooBig;
        break;
      }
      if (!sink(buffer.data(), static_cast<std::size_t>(got))) break;
    }
    // The checksum is checked only when the entry was read to its end.
    const int closed = unzCloseCurrentFile(zip_);
    if (complete && closed != UNZ_OK) status = WorkbookStatus::kDamaged;
    return status;
  }

 private:
  MemoryFile file_;
  unzFile zip_ = nullptr;
  bool too_many_ = false;
  std::uint64_t inflated_ = 0;
};

// ---- XML parts ---------------------------------------------------------------------------

std::string_view LocalName(const XML_Char* name) {
  const std::string_view full(name);
  const std::size_t sep = full.rfind('\x01');
  return sep == std::string_view::npos ? full : full.substr(sep + 1);
}

// An attribute by its local name; empty when absent.
std::string_view Attribute(const XML_Char** attrs, std::string_view local) {
  for (int i = 0; attrs[i]; i += 2)
    if (LocalName(attrs[i]) == local) return attrs[i + 1];
  return {};
}

// A positive count, saturated at `cap`; `fallback` when absent or not a number.
long Count(std::string_view text, long fallback, long cap) {
  if (text.empty()) return fallback;
  long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return fallback;
    value = std::min(cap, value * 10 + (c - '0'));
  }
  return value;
}

// One XML part streamed through expat with namespaces, handing local names to the handlers.
// Document types (and so entities) are refused, and nothing external is ever fetched.
class XmlPart {
 public:
  virtual ~XmlPart() = default;

  WorkbookStatus Parse(Archive& archive, const std::string& name) {
    std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(
        XML_ParserCreateNS(nullptr, '\x01'), XML_ParserFree);
    if (!parser) return WorkbookStatus::kTooBig;
    parser_ = parser.get();
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser_, OnText);
    XML_SetStartDoctypeDeclHandler(parser_, OnDoctype);
    XML_SetEntityDeclHandler(parser_, OnEntity);
    XML_SetParamEntityParsing(parser_, XML_PARAM_ENTITY_PARSING_NEVER);
    const WorkbookStatus read = archive.Read(name, [&](const char* data, std::size_t size) {
      if (XML_Parse(parser_, data, static_cast<int>(size), XML_FALSE) != XML_STATUS_OK) {
        if (!stopped_) failure_ = WorkbookStatus::kDamaged;
        return false;
      }
      return !stopped_;
    });
    if (read != WorkbookStatus::kOk) return read;
    if (!stopped_ && XML_Parse(parser_, nullptr, 0, XML_TRUE) != XML_STATUS_OK && !stopped_)
      failure_ = WorkbookStatus::kDamaged;
    return failure_;
  }

 protected:
  virtual void Start(std::string_view name, const XML_Char** attrs) = 0;
  virtual void End(std::string_view name) = 0;
  virtual void Text(std::string_view) {}

  // Stops reading: with success (kOk) when everything needed is known, or with a failure.
  void Stop(WorkbookStatus status = WorkbookStatus::kOk) {
    if (stopped_) return;
    stopped_ = true;
    failure_ = status;
    XML_StopParser(parser_, XML_FALSE);
  }

 private:
  static void XMLCALL OnStart(void* self, const XML_Char* name, const XML_Char** attrs) {
    static_cast<XmlPart*>(self)->Start(LocalName(name), attrs);
  }
  static void XMLCALL OnEnd(void* self, const XML_Char* name) {
    static_cast<XmlPart*>(self)->End(LocalName(name));
  }
  static void XMLCALL OnText(void* self, const XML_Char* text, int len) {
    auto* part = static_cast<XmlPart*>(self);
    if (!part->stopped_) part->Text(std::string_view(text, static_cast<std::size_t>(len)));
  }
  static void XMLCALL OnDoctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*,
                                int) {
    static_cast<XmlPart*>(self)->Stop(WorkbookStatus::kDamaged);
  }
  static void XMLCALL OnEntity(void* self, const XML_Char*, int, const XML_Char*, int,
                               const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*) {
    static_cast<XmlPart*>(self)->Stop(WorkbookStatus::kDamaged);
  }

  XML_Parser parser_ = nullptr;
  bool stopped_ = false;
  WorkbookStatus failure_ = WorkbookStatus::kOk;
};

// Appends text to a cell's text within the cell limit; false when it would not fit.
bool AppendBounded(std::string& to, std::string_view text) {
  if (to.size() + text.size() > kMaxCellBytes) return false;
  to.append(text);
  return true;
}

// ---- rows of a sheet ---------------------------------------------------------------------

// Gathers the non-empty rows of one sheet. With `stop_unless_titled`, a sheet whose first
// non-empty row is not a title row is given up at that row.
class SheetRows {
 public:
  SheetRows(const TitleRowTest& is_title_row, bool stop_unless_titled)
      : is_title_row_(is_title_row), stop_unless_titled_(stop_unless_titled) {}

  void BeginRow(long number) {
    row_.line = static_cast<int>(std::min(number, kMaxRowNumber));
    row_.fields.clear();
  }

  // A cell of the current row at a column (from 0), repeated; empty cells only take room.
  bool Cell(long column, const std::string& text, long repeat = 1) {
    if (text.empty()) return true;
    if (column + repeat > kMaxColumns) return Fail(WorkbookStatus::kTooBig);
    const auto end = static_cast<std::size_t>(column + repeat);
    if (row_.fields.size() < end) {
      fields_ += end - row_.fields.size();
      if (fields_ > kMaxFields) return Fail(WorkbookStatus::kTooBig);
      row_.fields.resize(end);
    }
    for (auto c = static_cast<std::size_t>(column); c < end; ++c) row_.fields[c].text = text;
    return true;
  }

  // Ends the current row, repeated; false when the sheet needs reading no further.
  bool EndRow(long repeat = 1) {
    if (row_.fields.empty()) return true;
    if (row_.line + repeat - 1 > kMaxRowNumber) return Fail(WorkbookStatus::kTooBig);
    if (table_.rows.empty()) {
      titled_ = is_title_row_(row_);
      if (!titled_ && stop_unless_titled_) {
        table_.rows.push_back(row_);
        return false;
      }
    }
    for (long i = 0; i < repeat; ++i) {
      if (table_.rows.size() >= kMaxRows) return Fail(WorkbookStatus::kTooBig);
      table_.rows.push_back(row_);
      table_.rows.back().line = row_.line + static_cast<int>(i);
      if (i > 0) fields_ += row_.fields.size();
      if (fields_ > kMaxFields) return Fail(WorkbookStatus::kTooBig);
    }
    return true;
  }

  bool Fail(WorkbookStatus status) {
    status_ = status;
    return false;
  }

  WorkbookStatus status() const { return status_; }
  bool empty() const { return table_.rows.empty(); }
  bool titled() const { return titled_; }
  CsvTable Take() {
    table_.encoding = CsvEncoding::kUtf8;
    return std::move(table_);
  }

 private:
  const TitleRowTest& is_title_row_;
  bool stop_unless_titled_;
  CsvRow row_;
  CsvTable table_;
  std::size_t fields_ = 0;
  bool titled_ = false;
  WorkbookStatus status_ = WorkbookStatus::kOk;
};

// Picks the sheet: the first whose first non-empty row is a title row, else the first that
// holds anything. Each sheet is offered in order to Offer().
class SheetChoice {
 public:
  explicit SheetChoice(const TitleRowTest& is_title_row) : is_title_row_(is_title_row) {}

  // Rows for the next sheet: the first non-empty sheet is read whole (it is the fallback).
  std::unique_ptr<SheetRows> Begin() {
    return std::make_unique<SheetRows>(is_title_row_, have_fallback_);
  }

  // Takes a read sheet; true when it is the one.
  bool Offer(std::string name, SheetRows& rows) {
    if (rows.empty()) return false;
    if (rows.titled()) {
      chosen_ = {WorkbookStatus::kOk, std::move(name), rows.Take()};
      found_ = true;
      return true;
    }
    if (!have_fallback_) {
      fallback_ = {WorkbookStatus::kOk, std::move(name), rows.Take()};
      have_fallback_ = true;
    }
    return false;
  }

  Workbook Result() {
    if (found_) return std::move(chosen_);
    if (have_fallback_) return std::move(fallback_);
    Workbook empty;
    empty.status = WorkbookStatus::kEmpty;
    return empty;
  }

 private:
  const TitleRowTest& is_title_row_;
  Workbook chosen_, fallback_;
  bool found_ = false;
  bool have_fallback_ = false;
};

Workbook Failed(WorkbookStatus status) {
  Workbook w;
  w.status = status;
  return w;
}

// ---- Office Open XML ----------------------------------------------------------------------

struct Relationship {
  std::string type;
  std::string target;  // the part's name in the archive
};

// The folder of a part: "xl/workbook.xml" -> "xl/".
std::string FolderOf(std::string_view part) {
  const std::size_t slash = part.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(part.substr(0, slash + 1));
}

// A relationship's target as a part name, relative to the folder of the part it belongs to.
std::string ResolveTarget(const std::string& folder, std::string_view target) {
  std::string path = !target.empty() && target[0] == '/' ? std::string(target.substr(1))
                                                         : folder + std::string(target);
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t slash = std::min(path.find('/', start), path.size());
    const std::string piece = path.substr(start, slash - start);
    if (piece == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!piece.empty() && piece != ".") {
      parts.push_back(piece);
    }
    start = slash + 1;
  }
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : "/") + p;
  return out;
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

class RelationshipsPart : public XmlPart {
 public:
  explicit RelationshipsPart(std::string folder) : folder_(std::move(folder)) {}
  std::map<std::string, Relationship> by_id;

 protected:
  void Start(std::string_view name, const XML_Char** attrs) override {
    if (name != "Relationship" || Attribute(attrs, "TargetMode") == "External") return;
    by_id[std::string(Attribute(attrs, "Id"))] = {
        std::string(Attribute(attrs, "Type")), ResolveTarget(folder_, Attribute(attrs, "Target"))};
  }
  void End(std::string_view) override {}

 private:
  std::string folder_;
};

// The relationships of a part ("xl/workbook.xml" -> "xl/_rels/workbook.xml.rels").
WorkbookStatus ReadRelationships(Archive& archive, const std::string& part,
                                 std::map<std::string, Relationship>& out) {
  const std::string folder = FolderOf(part);
  const std::string rels = folder + "_rels/" + part.substr(folder.size()) + ".rels";
  if (!archive.Has(rels)) return WorkbookStatus::kOk;
  RelationshipsPart reader(folder);
  const WorkbookStatus status = reader.Parse(archive, rels);
  out = std::move(reader.by_id);
  return status;
}

class WorkbookPart : public XmlPart {
 public:
  struct Sheet {
    std::string name;
    std::string id;
  };
  std::vector<Sheet> sheets;

 protected:
  void Start(std::string_view name, const XML_Char** attrs) override {
    if (name == "sheet")
      sheets.push_back(
          {std::string(Attribute(attrs, "name")), std::string(Attribute(attrs, "id"))});
    if (sheets.size() > kMaxEntries) Stop(WorkbookStatus::kTooBig);
  }
  void End(std::string_view) override {}
};

// Shared strings: the text of each <si>, its runs joined, phonetic hints left out.
class SharedStringsPart : public XmlPart {
 public:
  std::vector<std::string> strings;

 protected:
  void Start(std::string_view name, const XML_Char**) override {
    if (name == "si") {
      in_item_ = true;
      strings.emplace_back();
    } else if (name == "rPh") {
      in_phonetic_ = true;
    } else if (name == "t") {
      in_text_ = in_item_ && !in_phonetic_;
    }
  }
  void End(std::string_view name) override {
    if (name == "si") in_item_ = false;
    if (name == "rPh") in_phonetic_ = false;
    if (name == "t") in_text_ = false;
  }
  void Text(std::string_view text) override {
    if (!in_text_) return;
    total_ += text.size();
    if (total_ > kMaxSharedBytes || !AppendBounded(strings.back(), text))
      Stop(WorkbookStatus::kTooBig);
  }

 private:
  bool in_item_ = false, in_phonetic_ = false, in_text_ = false;
  std::size_t total_ = 0;
};

// "BC12" -> 54 (from 0); -1 when the reference names no column.
long ColumnOfReference(std::string_view ref) {
  long column = 0;
  std::size_t i = 0;
  for (; i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z'; ++i) {
    column = column * 26 + (ref[i] - 'A' + 1);
    if (column > kMaxColumns) return kMaxColumns;
  }
  return i == 0 ? -1 : column - 1;
}

class WorksheetPart : public XmlPart {
 public:
  WorksheetPart(SheetRows& rows, const std::vector<std::string>& shared)
      : rows_(rows), shared_(shared) {}

 protected:
  void Start(std::string_view name, const XML_Char** attrs) override {
    if (name == "sheetData") {
      in_data_ = true;
    } else if (!in_data_) {
      return;
    } else if (name == "row") {
      const long number = Count(Attribute(attrs, "r"), next_row_, kMaxRowNumber);
      rows_.BeginRow(number);
      next_row_ = std::min(number + 1, kMaxRowNumber);
      next_column_ = 0;
    } else if (name == "c") {
      const long ref = ColumnOfReference(Attribute(attrs, "r"));
      column_ = ref >= 0 ? ref : next_column_;
      next_column_ = column_ + 1;
      type_ = Attribute(attrs, "t");
      value_.clear();
      inline_.clear();
    } else if (name == "v") {
      into_ = &value_;
    } else if (name == "rPh") {
      in_phonetic_ = true;
    } else if (name == "t" && !in_phonetic_) {
      into_ = &inline_;
    }
  }

  void End(std::string_view name) override {
    if (!in_data_) return;
    if (name == "sheetData") {
      Stop();
    } else if (name == "v" || name == "t") {
      into_ = nullptr;
    } else if (name == "rPh") {
      in_phonetic_ = false;
    } else if (name == "c") {
      std::string text;
      if (!CellText(text)) return;
      if (!rows_.Cell(column_, text)) Stop(rows_.status());
    } else if (name == "row") {
      if (!rows_.EndRow()) Stop(rows_.status());
    }
  }

  void Text(std::string_view text) override {
    if (into_ && !AppendBounded(*into_, text)) Stop(WorkbookStatus::kTooBig);
  }

 private:
  bool CellText(std::string& text) {
    if (type_ == "s") {
      const long index = Count(value_, -1, static_cast<long>(shared_.size()));
      if (index < 0 || index >= static_cast<long>(shared_.size())) {
        Stop(WorkbookStatus::kDamaged);
        return false;
      }
      text = shared_[static_cast<std::size_t>(index)];
    } else if (type_ == "inlineStr") {
      text = inline_;
    } else if (type_ == "b") {
      text = value_ == "1" ? "S" : "N";
    } else if (type_ == "n" || type_.empty()) {
      double number = 0;
      const auto [end, error] =
          std::from_chars(value_.data(), value_.data() + value_.size(), number);
      text = error == std::errc() && end == value_.data() + value_.size() && !value_.empty()
                 ? NumberCellText(number)
                 : value_;
    } else {
      text = value_;  // a formula's text result, an error value, a date as written
    }
    return true;
  }

  SheetRows& rows_;
  const std::vector<std::string>& shared_;
  bool in_data_ = false, in_phonetic_ = false;
  long next_row_ = 1, next_column_ = 0, column_ = 0;
  std::string type_, value_, inline_;
  std::string* into_ = nullptr;
};

constexpr std::string_view kOfficeDocumentType = "/officeDocument";

Workbook ReadOfficeOpenXml(Archive& archive, const TitleRowTest& is_title_row) {
  std::map<std::string, Relationship> root;
  WorkbookStatus status = ReadRelationships(archive, "", root);
  if (status != WorkbookStatus::kOk) return Failed(status);
  std::string workbook_part;
  for (const auto& [id, rel] : root)
    if (EndsWith(rel.type, kOfficeDocumentType)) workbook_part = rel.target;
  if (workbook_part.empty() || !archive.Has(workbook_part)) return Failed(WorkbookStatus::kUnknown);

  WorkbookPart workbook;
  if ((status = workbook.Parse(archive, workbook_part)) != WorkbookStatus::kOk)
    return Failed(status);
  if (workbook.sheets.empty()) return Failed(WorkbookStatus::kUnknown);
  std::map<std::string, Relationship> rels;
  if ((status = ReadRelationships(archive, workbook_part, rels)) != WorkbookStatus::kOk)
    return Failed(status);

  SharedStringsPart shared;
  for (const auto& [id, rel] : rels) {
    if (!EndsWith(rel.type, "/sharedStrings") || !archive.Has(rel.target)) continue;
    if ((status = shared.Parse(archive, rel.target)) != WorkbookStatus::kOk) return Failed(status);
  }

  SheetChoice choice(is_title_row);
  for (const WorkbookPart::Sheet& sheet : workbook.sheets) {
    const auto rel = rels.find(sheet.id);
    if (rel == rels.end() || !EndsWith(rel->second.type, "/worksheet")) continue;
    if (!archive.Has(rel->second.target)) return Failed(WorkbookStatus::kDamaged);
    std::unique_ptr<SheetRows> rows = choice.Begin();
    WorksheetPart part(*rows, shared.strings);
    if ((status = part.Parse(archive, rel->second.target)) != WorkbookStatus::kOk)
      return Failed(status);
    if (choice.Offer(sheet.name, *rows)) break;
  }
  return choice.Result();
}

// ---- OpenDocument -------------------------------------------------------------------------

constexpr std::string_view kOdsMimeType = "application/vnd.oasis.opendocument.spreadsheet";

// The manifest: an entry with encryption data is protected by a password.
class ManifestPart : public XmlPart {
 public:
  bool encrypted = false;

 protected:
  void Start(std::string_view name, const XML_Char**) override {
    if (name == "encryption-data") {
      encrypted = true;
      Stop();
    }
  }
  void End(std::string_view) override {}
};

// content.xml: the tables in order, each offered to the sheet choice.
class ContentPart : public XmlPart {
 public:
  explicit ContentPart(SheetChoice& choice) : choice_(choice) {}
  WorkbookStatus status = WorkbookStatus::kOk;

 protected:
  void Start(std::string_view name, const XML_Char** attrs) override {
    if (skip_depth_ > 0) {
      ++skip_depth_;
      return;
    }
    if (name == "table" && !rows_) {
      rows_ = choice_.Begin();
      sheet_ = Attribute(attrs, "name");
      next_row_ = 1;
    } else if (!rows_) {
      return;
    } else if (name == "annotation" || name == "table") {
      skip_depth_ = 1;  // a comment's text, a table inside a cell: not the cell's value
    } else if (name == "table-row") {
      row_repeat_ = Count(Attribute(attrs, "number-rows-repeated"), 1, kMaxRowNumber);
      rows_->BeginRow(next_row_);
      next_row_ = std::min(next_row_ + row_repeat_, kMaxRowNumber);
      column_ = 0;
    } else if (name == "table-cell" || name == "covered-table-cell") {
      StartCell(attrs);
    } else if (in_cell_ && name == "p") {
      if (paragraphs_++ > 0) AddText("\n");
    } else if (in_cell_ && name == "s") {
      const long blanks = Count(Attribute(attrs, "c"), 1, kMaxCellBytes + 1);
      AddText(std::string(static_cast<std::size_t>(blanks), ' '));
    } else if (in_cell_ && name == "tab") {
      AddText("\t");
    } else if (in_cell_ && name == "line-break") {
      AddText("\n");
    }
  }

  void End(std::string_view name) override {
    if (skip_depth_ > 0) {
      --skip_depth_;
      return;
    }
    if (!rows_) return;
    if (name == "table-cell" || name == "covered-table-cell") {
      EndCell();
    } else if (name == "table-row") {
      if (!rows_->EndRow(row_repeat_)) Leave(false);
    } else if (name == "table") {
      Leave(true);
    }
  }

  void Text(std::string_view text) override {
    if (in_cell_ && skip_depth_ == 0) AddText(text);
  }

 private:
  void StartCell(const XML_Char** attrs) {
    in_cell_ = true;
    paragraphs_ = 0;
    text_.clear();
    cell_repeat_ = Count(Attribute(attrs, "number-columns-repeated"), 1, kMaxColumns + 1);
    const std::string_view type = Attribute(attrs, "value-type");
    value_.clear();
    typed_ = false;
    if (type == "float" || type == "percentage" || type == "currency") {
      const std::string_view v = Attribute(attrs, "value");
      double number = 0;
      const auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), number);
      if (error == std::errc() && end == v.data() + v.size() && !v.empty()) {
        value_ = NumberCellText(number);
        typed_ = true;
      }
    } else if (type == "boolean") {
      value_ = Attribute(attrs, "boolean-value") == "true" ? "S" : "N";
      typed_ = true;
    }
  }

  void EndCell() {
    in_cell_ = false;
    if (!rows_->Cell(column_, typed_ ? value_ : text_, cell_repeat_)) Fail(rows_->status());
    column_ = std::min(column_ + cell_repeat_, kMaxColumns + 1);
  }

  void AddText(std::string_view text) {
    if (!AppendBounded(text_, text)) Fail(WorkbookStatus::kTooBig);
  }

  void Fail(WorkbookStatus failure) {
    status = failure;
    Stop(failure);
  }

  // The current table is done, read or given up: offer it, and stop when it is the one (or
  // on a failure). The rest of a table given up early is passed over.
  void Leave(bool at_end) {
    if (rows_->status() != WorkbookStatus::kOk) return Fail(rows_->status());
    if (choice_.Offer(sheet_, *rows_)) Stop();
    rows_.reset();
    if (!at_end) skip_depth_ = 1;
  }

  SheetChoice& choice_;
  std::unique_ptr<SheetRows> rows_;
  std::string sheet_;
  long next_row_ = 1, row_repeat_ = 1, column_ = 0, cell_repeat_ = 1;
  int skip_depth_ = 0, paragraphs_ = 0;
  bool in_cell_ = false, typed_ = false;
  std::string text_, value_;
};

Workbook ReadOpenDocument(Archive& archive, const TitleRowTest& is_title_row) {
  ManifestPart manifest;
  WorkbookStatus status = manifest.Parse(archive, "META-INF/manifest.xml");
  if (status != WorkbookStatus::kOk) return Failed(status);
  if (manifest.encrypted) return Failed(WorkbookStatus::kEncrypted);
  if (archive.Has("mimetype")) {
    std::string mime;
    status = archive.Read("mimetype", [&](const char* data, std::size_t size) {
      mime.append(data, std::min<std::size_t>(size, 256));
      return mime.size() < 256;
    });
    if (status != WorkbookStatus::kOk) return Failed(status);
    if (mime.rfind(kOdsMimeType, 0) != 0) return Failed(WorkbookStatus::kUnknown);
  }
  SheetChoice choice(is_title_row);
  ContentPart content(choice);
  status = content.Parse(archive, "content.xml");
  if (status != WorkbookStatus::kOk) return Failed(status);
  return choice.Result();
}

}  // namespace

bool LooksLikeWorkbook(std::string_view bytes) {
  return bytes.rfind(kZipSignature, 0) == 0 || bytes.rfind(kEmptyZipSignature, 0) == 0 ||
         bytes.rfind(kOle2Signature, 0) == 0;
}

Workbook ReadWorkbook(std::string_view bytes, const TitleRowTest& is_title_row) {
  if (bytes.rfind(kOle2Signature, 0) == 0) {
    return Failed(bytes.find(kEncryptionInfoName) != std::string_view::npos
                      ? WorkbookStatus::kEncrypted
                      : WorkbookStatus::kOldExcel);
  }
  Archive archive(bytes);
  if (archive.OpenStatus() != WorkbookStatus::kOk) return Failed(archive.OpenStatus());
  Workbook book;
  if (archive.Has("content.xml") && archive.Has("META-INF/manifest.xml")) {
    book = ReadOpenDocument(archive, is_title_row);
  } else if (archive.Has("_rels/.rels")) {
    book = ReadOfficeOpenXml(archive, is_title_row);
  } else {
    book.status = WorkbookStatus::kUnknown;
  }
  if (book.status != WorkbookStatus::kOk) book.table = CsvTable();
  return book;
}

std::string WorkbookStatusText(WorkbookStatus status) {
  switch (status) {
    case WorkbookStatus::kOk:
      return {};
    case WorkbookStatus::kOldExcel:
      return Win1252("formato antigo do Excel (.xls): salve a planilha como .xlsx ou .csv");
    case WorkbookStatus::kEncrypted:
      return Win1252("a planilha está protegida por senha: salve-a sem senha");
    case WorkbookStatus::kDamaged:
      return Win1252("o arquivo está danificado: não é uma planilha legível");
    case WorkbookStatus::kUnknown:
      return Win1252("o arquivo compactado não é uma planilha .xlsx ou .ods");
    case WorkbookStatus::kEmpty:
      return Win1252("a planilha está vazia");
    case WorkbookStatus::kTooBig:
      return Win1252("a planilha é grande demais para uma lista de produtos");
  }
  return {};
}

std::string NumberCellText(double value) {
  char buffer[64];
  if (std::isfinite(value) && std::fabs(value) < 1e15 && value == std::trunc(value)) {
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value));
    return std::string(buffer, r.ptr);
  }
  if (std::isfinite(value) && std::fabs(value) < 1e13) {
    // What the sheet shows with two decimals: the stored value within a rounding error.
    const double cents = std::nearbyint(value * 100);
    if (std::fabs(value * 100 - cents) < 1e-6) {
      const auto all = static_cast<long long>(std::fabs(cents));
      std::string text = (cents < 0 ? "-" : "") + std::to_string(all / 100);
      const long long decimals = all % 100;
      if (decimals != 0) {
        text += ',';
        text += static_cast<char>('0' + decimals / 10);
        if (decimals % 10 != 0) text += static_cast<char>('0' + decimals % 10);
      }
      return text;
    }
  }
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, r.ptr);
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

}  // namespace qx::exchange
