// Customers' column titles and the short names proposed for long product names.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/cp1252.h"
#include "model/list_columns.h"
#include "model/param_set.h"
#include "model/short_names.h"

namespace qx {
namespace {

TEST(ListColumns, UsualTitlesNameTheirField) {
  struct Case {
    const char* title;  // UTF-8, as typed in a spreadsheet
    std::optional<ListField> field;
  } cases[] = {
      {"Código", ListField::kCode},
      {"Cód.", ListField::kCode},
      {"PLU", ListField::kCode},
      {"Nº", ListField::kCode},
      {"número", ListField::kCode},
      {"Descrição do Produto", ListField::kName},
      {"MERCADORIA", ListField::kName},
      {"Preço Venda", ListField::kPrice},
      {"Preço de venda (R$)", ListField::kPrice},
      {"Valor Unit.", ListField::kPrice},
      {"PV", ListField::kPrice},
      {"Depto", ListField::kDept},
      {"Seção", ListField::kDept},
      {"preco-fixo", ListField::kFixedPrice},
      {" Venda Única ", ListField::kSingleItemSale},
      {"Estoque", std::nullopt},
      {"(R$)", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(FieldForTitle(Win1252(c.title)), c.field) << c.title;
}

TEST(ListColumns, EveryFieldKeyReadsBack) {
  for (int i = 0; i < kListFieldCount; ++i) {
    const auto field = static_cast<ListField>(i);
    EXPECT_EQ(ListFieldForKey(ListFieldKey(field)), field);
    EXPECT_EQ(FieldForTitle(ListFieldKey(field)), field);
  }
  EXPECT_EQ(ListFieldForKey("Codigo"), std::nullopt);  // the batch tool's keys are exact
}

TEST(ShortNames, ProposalsFollowTheTechniciansSteps) {
  struct Case {
    const char* name;
    const char* proposal;
  } cases[] = {
      {"  CAFE   PILAO ", "CAFE PILAO"},          // fits: only blanks change
      {"LEITE DE COCO 1L", "LEIT COCO 1L"},       // connecting word dropped
      {"REFRIGERANTE COLA 2 L", "REFR COLA 2L"},  // unit joined, abbreviation
      {"PACOTE DE BALAS 500 G", "PCT BAL 500G"},
      {"Sabonete Erva 90g", "Sab Erva 90g"},                  // style kept, longest word cut
      {"CAFE SEM ACUCAR", "CAFE S/ ACUC"},                    // "SEM" is never dropped
      {"BISCOITO RECHEADO DE MORANGO 140G", "BIS REC 140G"},  // quantity kept at a cut
      {"DESINFETANTE PINHO", "DESINF PINHO"},
      {"CHOCOLATEBRANCOAMARGO", "CHOCOLATEBRA"},  // one word: cut
  };
  for (const Case& c : cases) {
    const std::string proposal = ProposeShortName(c.name, kRecordNameLen);
    EXPECT_EQ(proposal, c.proposal) << c.name;
    EXPECT_LE(proposal.size(), kRecordNameLen) << c.name;
  }
}

TEST(ShortNames, UniqueAmongTakenNamesWithinTheLimit) {
  std::set<std::string> taken = {FoldName("REFRIG COLA"), FoldName("REFRIG COLA2"),
                                 FoldName("refrig cola3")};
  const auto is_taken = [&](std::string_view n) { return taken.count(FoldName(n)) > 0; };
  EXPECT_EQ(MakeUniqueName("FEIJAO 1KG", kRecordNameLen, is_taken), "FEIJAO 1KG");
  taken.insert(FoldName("REFR COLA 2L"));
  EXPECT_EQ(MakeUniqueName("REFR COLA 2L", kRecordNameLen, is_taken), "REFR COL2 2L");
  const std::string unique = MakeUniqueName("REFRIG COLA", kRecordNameLen, is_taken);
  EXPECT_EQ(unique, "REFRIG COLA4");
  // Many equal proposals stay distinct and within the limit.
  for (int i = 0; i < 150; ++i) {
    const std::string name = MakeUniqueName("ABCDEFGHIJKL", kRecordNameLen, is_taken);
    ASSERT_FALSE(name.empty());
    ASSERT_LE(name.size(), kRecordNameLen);
    ASSERT_TRUE(taken.insert(FoldName(name)).second) << name;
  }
}

}  // namespace
}  // namespace qx
