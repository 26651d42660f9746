// The product table: every product at a glance, with a find field and sortable columns. The
// rows, the find, the sort order and the attention marks are worked out here from the
// parameter set; a form only shows the cells and hands back the clicks and the typing. The
// table reads the set and stores nothing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/param_set.h"
#include "model/search_fold.h"

namespace qx::ui {

// The table's columns, in their order on screen.
enum class ProductColumn {
  kAttention,  // "!" when the register cannot take the product as it stands
  kCode,
  kName,
  kPrice,
  kDept,
  kNegative,    // "Neg."
  kSingleItem,  // "Única"
  kOpen,        // "Aberto"
  kFixed,       // "Fixo"
};
inline constexpr int kProductColumnCount = 9;

// A price as the table shows it: "R$ 12,50" for "1250", "R$ 0,05" for "5", leading zeros
// dropped; empty for no price; a price that is not all digits as it stands.
std::string PriceCell(std::string_view price);

// Why the register cannot take a programmed product as it stands, one problem a line
// (Windows-1252), or empty when it can: no department, a department that does not exist, a
// department without a name, characters the register cannot print, a price that is not all
// digits. An unprogrammed product has none.
std::string ProductAttention(const ParamSet& params, int code);

struct ProductRow {
  int code = 0;
  std::vector<std::string> cells;  // one per column, Windows-1252
  std::string attention;           // the hover text; empty: the row is not marked
  std::string name_key;            // FoldForSearch of the name
  std::string price;               // the stored texts the price and department sort by
  std::string dept;
};

// One row per product, in code order: the programmed ones (name not empty), or all 500.
std::vector<ProductRow> BuildProductRows(const ParamSet& params, bool show_all);

// The text typed into the find field. A row is found when the text (blanks around it
// ignored) names the product's code ("7", "007") or is part of its name, letter case and
// accents aside. An empty text finds every row.
class ProductFind {
 public:
  explicit ProductFind(std::string_view typed);
  bool Matches(const ProductRow& row) const;
  // The product code the text names (1 to 500), 0 when it names none.
  int Code() const { return code_; }

 private:
  std::string folded_;
  int code_ = 0;  // the code the text names; 0: none
};

struct SortOrder {
  ProductColumn column = ProductColumn::kCode;
  bool descending = false;
};

// Sorts rows by one column: codes, prices and departments as numbers, names as a Brazilian
// reader expects (accents and letter case aside), flags and marks with the set ones first.
// Rows that tie keep their code order, in either direction.
void SortProductRows(std::vector<ProductRow>& rows, SortOrder order);

// What the table shows at a moment: which products, in what order, found by what.
class ProductTable {
 public:
  explicit ProductTable(const ParamSet& params) : params_(params) { Rebuild(); }

  void SetShowAll(bool show_all);
  void SetFind(std::string_view typed);
  // A click on a column title: sorts by it, or reverses when it already sorts by it.
  void ClickColumn(int column);

  const std::vector<const ProductRow*>& Shown() const { return shown_; }
  SortOrder Order() const { return order_; }
  // "37 de 500": the rows shown out of every product the register holds.
  std::string CountText() const;

 private:
  void Rebuild();
  void Refilter();

  const ParamSet& params_;
  bool show_all_ = false;
  std::string find_;
  SortOrder order_;
  std::vector<ProductRow> rows_;  // sorted
  std::vector<const ProductRow*> shown_;
};

}  // namespace qx::ui
