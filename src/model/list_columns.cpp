#include "model/list_columns.h"

#include <cstddef>

#include "model/search_fold.h"

namespace qx {
namespace {

constexpr std::array<std::string_view, kListFieldCount> kKeys = {
    "codigo",         "nome",        "preco",        "departamento",
    "preco_negativo", "venda_unica", "preco_aberto", "preco_fixo"};

struct Title {
  std::string_view folded;
  ListField field;
};

// The titles customers' lists use, folded. A field's own key is always recognised too.
constexpr Title kTitles[] = {
    {"cod", ListField::kCode},
    {"codigo_do_produto", ListField::kCode},
    {"codigo_produto", ListField::kCode},
    {"cod_produto", ListField::kCode},
    {"codigo_plu", ListField::kCode},
    {"plu", ListField::kCode},
    {"item", ListField::kCode},
    {"n", ListField::kCode},
    {"no", ListField::kCode},
    {"num", ListField::kCode},
    {"numero", ListField::kCode},
    {"descricao", ListField::kName},
    {"descricao_do_produto", ListField::kName},
    {"descricao_produto", ListField::kName},
    {"desc", ListField::kName},
    {"nome_do_produto", ListField::kName},
    {"nome_produto", ListField::kName},
    {"produto", ListField::kName},
    {"mercadoria", ListField::kName},
    {"preco_de_venda", ListField::kPrice},
    {"preco_venda", ListField::kPrice},
    {"preco_unitario", ListField::kPrice},
    {"preco_unit", ListField::kPrice},
    {"valor", ListField::kPrice},
    {"valor_de_venda", ListField::kPrice},
    {"valor_venda", ListField::kPrice},
    {"valor_unitario", ListField::kPrice},
    {"valor_unit", ListField::kPrice},
    {"vl_unit", ListField::kPrice},
    {"pv", ListField::kPrice},
    {"depto", ListField::kDept},
    {"dept", ListField::kDept},
    {"dep", ListField::kDept},
    {"secao", ListField::kDept},
    {"setor", ListField::kDept},
    {"grupo", ListField::kDept},
};

bool IsLetterOrDigit(char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

}  // namespace

std::string_view ListFieldKey(ListField field) { return kKeys[static_cast<std::size_t>(field)]; }

std::optional<ListField> ListFieldForKey(std::string_view key) {
  for (std::size_t i = 0; i < kKeys.size(); ++i)
    if (kKeys[i] == key) return static_cast<ListField>(i);
  return std::nullopt;
}

std::string FoldColumnTitle(std::string_view title) {
  std::string folded;
  int parentheses = 0;
  bool gap = false;  // a separator since the last letter or digit
  for (const char raw : title) {
    if (raw == '(') ++parentheses;
    if (raw == ')' && parentheses > 0) {
      --parentheses;
      gap = true;
      continue;
    }
    if (parentheses > 0) continue;
    for (const char c : FoldForSearch(std::string_view(&raw, 1))) {
      if (!IsLetterOrDigit(c)) {
        // Blanks, dashes and underscores part words; other punctuation ("Cód.", "Nº") is
        // dropped where it stands.
        if (c == ' ' || c == '-' || c == '_' || c == '/' || c == '\t') gap = true;
        continue;
      }
      if (gap && !folded.empty()) folded += '_';
      gap = false;
      folded += c;
    }
  }
  return folded;
}

std::optional<ListField> FieldForTitle(std::string_view title) {
  const std::string folded = FoldColumnTitle(title);
  if (folded.empty()) return std::nullopt;
  if (const std::optional<ListField> own = ListFieldForKey(folded)) return own;
  for (const Title& t : kTitles)
    if (t.folded == folded) return t.field;
  return std::nullopt;
}

}  // namespace qx
