// The columns of a customer's product list: our fields and the titles customers give them.
// Titles are compared folded: letter case, accents, blanks, dashes and punctuation (".",
// "º", "ª", ":", "/", "$" ...) do not count, and a part in parentheses ("Preço (R$)") is
// dropped, so "Cód.", "COD" and "cod" are one title.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

enum class ListField {
  kCode,
  kName,
  kPrice,
  kDept,
  kNegativePrice,
  kSingleItemSale,
  kOpenPrice,
  kFixedPrice,
};
inline constexpr int kListFieldCount = 8;

// The field's own key, as the export writes it and as the batch tool's --column takes it:
// codigo, nome, preco, departamento, preco_negativo, venda_unica, preco_aberto, preco_fixo.
std::string_view ListFieldKey(ListField field);
std::optional<ListField> ListFieldForKey(std::string_view key);

// A title folded for comparison (Windows-1252 in): "Preço de Venda (R$)" gives
// "preco_de_venda", "Nº" gives "n", "Cód." gives "cod".
std::string FoldColumnTitle(std::string_view title);

// The field a title names, from the table of usual titles; nothing for a title that no
// field takes.
std::optional<ListField> FieldForTitle(std::string_view title);

}  // namespace qx
