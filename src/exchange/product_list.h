// Product lists from and to spreadsheets. The import reads a CSV file (see csv_reader.h) or a
// workbook (.xlsx, .ods: see workbook_reader.h), recognised by content,
// whose header names the columns, checks every row with the product rules, and prepares what
// would be stored without touching the parameter set; only a list without errors is applied.
// The export writes every programmed product in code order, and importing what it wrote
// changes nothing.
//
// Columns, in any order, named by the field's key (codigo, nome, preco, departamento,
// preco_negativo, venda_unica, preco_aberto, preco_fixo) or by a title customers use
// ("Código", "Descrição", "Preço Venda", "Depto"...), folded as model/list_columns.h says; the
// caller may choose the column of any field instead. A column the file does not have leaves
// that field of each listed product as it is. The code column is required unless the
// products are numbered in list order.
//
// Messages are Windows-1252 texts that name the line and the column:
// linha 12, preco: "12,5,0" não é um preço
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_status.h"
#include "model/list_columns.h"
#include "model/param_set.h"
#include "model/product_rules.h"

namespace qx::exchange {

struct ImportMessage {
  bool error = false;  // false: a warning, which does not stop the import
  std::string text;    // Windows-1252
};

// The report keeps this many messages; the rest are only counted.
inline constexpr std::size_t kMostImportMessages = 300;

// How the products of a list get their codes.
enum class Numbering {
  kFromList,      // the code column
  kAfterHighest,  // 1, 2, 3 ... in list order after the highest programmed code
  kFromOne,       // 1, 2, 3 ... in list order, replacing the products of those codes (the
                  // products above the list's last code stay as they are)
};

// The column given to a field that has none.
inline constexpr int kNoColumn = -1;

struct ImportOptions {
  // For each field (indexed by ListField): the column chosen for it (0 the first, kNoColumn
  // for none), or nothing to find it by its title.
  std::array<std::optional<int>, kListFieldCount> columns{};
  // A name longer than the register takes gets a short proposal (a warning) instead of an
  // error.
  bool shorten_names = false;
  Numbering numbering = Numbering::kFromList;
  // The names the user chose instead of the proposals, by the line of the product.
  std::map<int, std::string> names;
};

// A column of the file, for offering the choice of columns.
inline constexpr std::size_t kFirstValuesShown = 3;
struct ListColumn {
  std::string title;                      // Windows-1252
  std::vector<std::string> first_values;  // up to kFirstValuesShown, Windows-1252
};

struct NewDepartment {
  int number = 0;
  std::string name;  // Windows-1252, as the list wrote it
};

struct ProductImport {
  struct Row {
    int code = 0;
    int line = 0;           // the product's line in the file
    ProductEntry entry;     // the product as it will be stored
    std::string long_name;  // the list's name when it was too long and entry.name is shorter
  };
  std::vector<Row> rows;                       // in the file's order; empty when there is any error
  std::vector<NewDepartment> new_departments;  // departments that receive a name
  int shortened = 0;                           // names replaced by a shorter one
  // The file's columns, the column each field reads (kNoColumn for none), and whether the
  // user should choose: no column for the code (unless numbering), none for the names that
  // new products need, or a field that two columns claim.
  std::vector<ListColumn> columns;
  std::array<int, kListFieldCount> field_columns{};
  bool needs_column_choice = false;
  int read = 0;       // product lines read
  int added = 0;      // products not programmed before
  int changed = 0;    // programmed products whose stored values change
  int unchanged = 0;  // products the file leaves exactly as they are
  int errors = 0;
  int warnings = 0;
  std::vector<ImportMessage> messages;  // in the order of the file, at most kMostImportMessages
  int messages_left_off = 0;            // messages past kMostImportMessages, only counted
  // A workbook (.xlsx, .ods): the name of the sheet read (Windows-1252), and whether the
  // workbook could not be read at all (its one error message says why).
  std::string sheet;
  bool unreadable = false;
};

// Reais as people write them ("12,50", "R$ 12,50", "1.234,56", "7", "7,5", "0", "") as the
// digits of centavos without leading zeros ("1250", "123456", "700", "750", "", ""). Nothing
// for a negative number, a third decimal, more than 7 digits or anything else.
std::optional<std::string> ParseReais(std::string_view text);

// A flag as written: "1"/"0", "S"/"N", "SIM"/"NÃO" (also "NAO"), "X"/empty, any letter case
// (Windows-1252 in). Nothing for anything else.
std::optional<bool> ParseFlag(std::string_view text);

// Reais written with a decimal point ("12.50", "1234.5", "R$ 7.5"), as ParseReais gives
// them; nothing for any other form.
std::optional<std::string> ParsePointReais(std::string_view text);

// Reads a product list and checks it against the stored products; `params` is not changed.
ProductImport PrepareProductImport(const ParamSet& params, std::string_view file_bytes,
                                   const ImportOptions& options = {});

// The column whose title folds as `title` does (the batch tool's --column), or nothing.
std::optional<int> FindListColumn(const std::vector<ListColumn>& columns, std::string_view title);

// Stores every product of an import without errors as saving it in the product editor would,
// raising the same change markers, and names the new departments. Nothing else of the set
// changes; the caller records that the parameters were modified. False (and nothing stored)
// when the import has errors.
bool ApplyProductImport(ParamSet& params, const ProductImport& import);

// What an applied import stored: "N produtos importados; M nomes encurtados; K departamentos
// criados" (Windows-1252).
std::string ImportSummary(const ProductImport& import);

// The header line and the column names, in the order the export writes them.
inline constexpr std::string_view kExportHeader =
    "codigo;nome;preco;departamento;preco_negativo;venda_unica;preco_aberto;preco_fixo";

// The product list of every programmed product (name not empty) in code order: the header,
// ';' between fields, Windows-1252, CR LF, prices as "12,50", flags as "S"/"N", a value
// quoted when it holds ';', '"', a line break or a blank at either end, a name a spreadsheet
// would read as a formula (= + - @ first) after an apostrophe.
std::string FormatProductList(const ParamSet& params);

// What importing a list written by FormatProductList would refuse or read differently from
// what is stored (a department 17 read from an old file, a tab in a name): the import's error
// messages, then "produto N: ..." for each product that would come back changed. Empty when
// the list reads back exactly.
std::vector<std::string> ProductListProblems(const ParamSet& params, std::string_view list);

// Writes FormatProductList to the path all or nothing (folders are not created). kWriteFailed
// when the file could not be written; what was at the path then stays as it was.
FileStatus WriteProductList(const ParamSet& params, const std::string& path);

// Reads a whole file for the import (as ReadWholeFile): kTooLarge when it is larger than any
// product list (8 MB).
FileStatus ReadProductListFile(const std::string& path, std::string& bytes);

}  // namespace qx::exchange
