// Product lists from and to spreadsheets. The import reads a CSV file (see csv_reader.h)
// whose header names the columns, checks every row with the product rules, and prepares what
// would be stored without touching the parameter set; only a list without errors is applied.
// The export writes every programmed product in code order, and importing what it wrote
// changes nothing.
//
// Columns, in any order, named without regard to letter case, accents and surrounding
// blanks, a blank or '-' inside a name counting as '_': codigo (required), nome, preco,
// departamento, preco_negativo, venda_unica, preco_aberto, preco_fixo. A column the file
// does not have leaves that field of each listed product as it is.
//
// Messages are Windows-1252 texts that name the line and the column:
// linha 12, preco: "12,5,0" não é um preço
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_status.h"
#include "model/param_set.h"
#include "model/product_rules.h"

namespace qx::exchange {

struct ImportMessage {
  bool error = false;  // false: a warning, which does not stop the import
  std::string text;    // Windows-1252
};

// The report keeps this many messages; the rest are only counted.
inline constexpr std::size_t kMostImportMessages = 300;

struct ProductImport {
  struct Row {
    int code = 0;
    ProductEntry entry;  // the product as it will be stored
  };
  std::vector<Row> rows;  // in the file's order; empty when there is any error
  int read = 0;           // product lines read
  int added = 0;          // products not programmed before
  int changed = 0;        // programmed products whose stored values change
  int unchanged = 0;      // products the file leaves exactly as they are
  int errors = 0;
  int warnings = 0;
  std::vector<ImportMessage> messages;  // in the order of the file, at most kMostImportMessages
  int messages_left_off = 0;            // messages past kMostImportMessages, only counted
};

// The normalised name of a column header (Windows-1252 in): "Preço fixo" gives "preco_fixo".
std::string NormalizeColumnName(std::string_view header);

// Reais as people write them ("12,50", "R$ 12,50", "1.234,56", "7", "7,5", "0", "") as the
// digits of centavos without leading zeros ("1250", "123456", "700", "750", "", ""). Nothing
// for a negative number, a third decimal, more than 7 digits or anything else.
std::optional<std::string> ParseReais(std::string_view text);

// A flag as written: "1"/"0", "S"/"N", "SIM"/"NÃO" (also "NAO"), "X"/empty, any letter case
// (Windows-1252 in). Nothing for anything else.
std::optional<bool> ParseFlag(std::string_view text);

// Reads a product list and checks it against the stored products; `params` is not changed.
ProductImport PrepareProductImport(const ParamSet& params, std::string_view file_bytes);

// Stores every product of an import without errors as saving it in the product editor would,
// raising the same change markers. Nothing else of the set changes; the caller records that
// the parameters were modified. False (and nothing stored) when the import has errors.
bool ApplyProductImport(ParamSet& params, const ProductImport& import);

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
