// The product list import: one table of files and the products or messages they give, then
// the rules around it (all or nothing, markers, counts).
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "common/cp1252.h"
#include "exchange/product_list.h"

namespace qx::exchange {
namespace {

using namespace std::string_literals;

// Product 5 is programmed with texts that read as numbers with leading zeros, so the
// same-number rule shows; every other product has the defaults. Departments 1 to 14 are named
// "D1" to "D14" (7 as "Padaria"), 15 and 16 have no name.
ParamSet StoredSet() {
  ParamSet params;
  for (int d = 1; d <= 14; ++d) params.Department(d).name = "D" + std::to_string(d);
  params.Department(7).name = "Padaria";
  PluRecord& p = params.Product(5);
  p.name = "CAFE";
  p.price = "0100";
  p.dept_code = "05";
  return params;
}

// A product as the test expects it: flags as "NSAF" letters (negative, single item sale,
// open price, fixed price), '1' or '0' each.
struct Expected {
  int code;
  std::string name;  // UTF-8
  std::string price;
  std::string dept;
  std::string flags;
};

struct Case {
  const char* what;
  std::string file;
  std::vector<Expected> products;
  std::vector<std::string> messages;  // UTF-8, errors and warnings in file order
};

const std::string kHead = "codigo;nome;preco;departamento\r\n";

std::vector<Case> Cases() {
  return {
      {"Windows-1252, ';' and CR LF",
       kHead + "1;P\xC3O;12,50;3\r\n",
       {{1, "PÃO", "1250", "3", "0011"}},
       {}},
      {"UTF-8 with a byte-order mark",
       "\xEF\xBB\xBF" + kHead + "1;PÃO;12,50;3\r\n",
       {{1, "PÃO", "1250", "3", "0011"}},
       {}},
      {"UTF-8 without a mark, LF, no end on the last line",
       "codigo;nome;preco;departamento\n1;PÃO;12,50;3",
       {{1, "PÃO", "1250", "3", "0011"}},
       {}},
      {"',' with quoted values",
       "codigo,nome,preco,departamento\n1,\"A,B\",\"1.234,56\",3\n",
       {{1, "A,B", "123456", "3", "0011"}},
       {}},
      {"tab",
       "codigo\tnome\tpreco\tdepartamento\n1\tA B\t7\t3\n",
       {{1, "A B", "700", "3", "0011"}},
       {}},
      {"blank lines, empty rows and untitled columns are skipped",
       "\r\ncodigo;nome;preco;departamento;;\r\n\r\n;;;\r\n1;A;7,5;3;;\r\n\r\n",
       {{1, "A", "750", "3", "0011"}},
       {}},
      {"quotes keep blanks and double quotes; plain values are trimmed",
       kHead + "1;\" A\"\"B \";  R$ 12,50 ; 03 \r\n",
       {{1, " A\"B ", "1250", "3", "0011"}},
       {}},
      {"header names without case, accents or blanks",
       " Código ;NOME;Preço;Departamento ;Preço-fixo; VENDA ÚNICA;Obs\n1;A;0;3;n;sim;9\n",
       {{1, "A", "", "3", "0110"}},
       {"linha 1, \"Obs\": coluna desconhecida, ignorada"}},
      {"the titles customers write",
       "Cód.;Descrição do Produto;Preço Venda (R$);Depto\n1;A;2,5;3\n",
       {{1, "A", "250", "3", "0011"}},
       {}},
      {"prices with a decimal point throughout",
       "COD;NOME;PV;SETOR\n1;A;12.50;1\n2;B;1234.5;1\n",
       {{1, "A", "1250", "1", "0011"}, {2, "B", "123450", "1", "0011"}},
       {}},
      {"departments by name: found folded, new ones named, one without a name told once",
       kHead + "1;A;1;PADARIA\n2;B;1;bebidas\n3;C;1;Bebidas \n4;D;1;15\n6;E;1;16\n7;F;1;16\n",
       {{1, "A", "100", "7", "0011"},
        {2, "B", "100", "15", "0011"},
        {3, "C", "100", "15", "0011"},
        {4, "D", "100", "15", "0011"},
        {6, "E", "100", "16", "0011"},
        {7, "F", "100", "16", "0011"}},
       {"linha 3, departamento: o departamento 15 receberá o nome \"bebidas\"",
        "linha 6, departamento: o departamento 16 não tem nome"}},
      {"more department names than departments without a name",
       kHead + "1;A;1;N1\n2;A;1;N2\n3;A;1;N3\n",
       {},
       {"linha 2, departamento: o departamento 15 receberá o nome \"N1\"",
        "linha 3, departamento: o departamento 16 receberá o nome \"N2\"",
        "linha 4, departamento: não há departamento sem nome para \"N3\" (os 16 já têm nome)"}},
      {"no name column: said once",
       "codigo;preco;preco_fixo\n1;1;S\n2;1;S\n",
       {},
       {"linha 1: nenhuma coluna de nomes; títulos lidos: \"codigo\", \"preco\", \"preco_fixo\""}},
      {"every flag form",
       "codigo;nome;departamento;preco_negativo;venda_unica;preco_aberto;preco_fixo\n"
       "1;A;1;1;S;x;0\n2;B;1;sim;N\xC3O;;n\n3;C;1;0;NAO;X;s\n",
       {{1, "A", "", "1", "1110"}, {2, "B", "", "1", "1000"}, {3, "C", "", "1", "0011"}},
       {}},
      {"the same number keeps the stored text",
       kHead + "5;CAFE;1,00;5\n",
       {{5, "CAFE", "0100", "05", "0011"}},
       {}},
      {"a missing column leaves the field as stored",
       "codigo;preco\n5;2\n",
       {{5, "CAFE", "200", "05", "0011"}},
       {}},
      {"price errors",
       kHead + "1;A;12,5,0;3\n2;A;1,234;3\n3;A;-5;3\n4;A;123.456,78;3\n6;A;1.2.3;3\n",
       {},
       {"linha 2, preco: \"12,5,0\" não é um preço", "linha 3, preco: \"1,234\" não é um preço",
        "linha 4, preco: \"-5\" não é um preço", "linha 5, preco: \"123.456,78\" não é um preço",
        "linha 6, preco: \"1.2.3\" não é um preço"}},
      {"a message quotes at most 40 characters of a value",
       kHead + "1;A;" + std::string(5000, '9') + ";3\n",
       {},
       {"linha 2, preco: \"" + std::string(40, '9') + "...\" não é um preço"}},
      {"a price column mixing decimal points with thousands groups",
       kHead + "1;A;2,50;3\n2;A;1.234;3\n3;A;12.5;3\n",
       {},
       {"linha 2, preco: \"2,50\" não se lê como os preços com ponto decimal da coluna "
        "(linha 4: \"12.5\")"}},
      {"code errors and a duplicate",
       kHead + "0;A;1;3\n501;A;1;3\nx;A;1;3\n7;A;1;3\n7;B;1;3\n",
       {},
       {"linha 2, codigo: \"0\" não é um código de produto (1 a 500)",
        "linha 3, codigo: \"501\" não é um código de produto (1 a 500)",
        "linha 4, codigo: \"x\" não é um código de produto (1 a 500)",
        "linha 6, codigo: o produto 7 já apareceu na linha 5"}},
      {"department errors",
       kHead + "1;A;1;17\n2;A;1;0\n3;A;1;\n4;A;1;1a\n",
       {},
       {"linha 2, departamento: \"17\" não é um departamento (1 a 16)",
        "linha 3, departamento: \"0\" não é um departamento (1 a 16)",
        "linha 4, departamento: departamento não informado",
        "linha 5, departamento: \"1a\" não é um departamento (1 a 16)"}},
      {"name errors",
       "\xEF\xBB\xBF" + kHead +
           "1;ABCDEFGHIJKLM;1;3\n2;A|B;1;3\n3;A\tB;1;3\n4;ΩA;1;3\n6;\"A\nB\";1;3\n7;;1;3\n",
       {},
       {"linha 2, nome: \"ABCDEFGHIJKLM\" tem mais de 12 caracteres",
        "linha 3, nome: o caractere | não é permitido",
        "linha 4, nome: \"A?B\" tem um caractere não permitido (caractere 9)",
        "linha 5, nome: \"?A\" tem um caractere que o Windows-1252 não tem",
        "linha 6, nome: \"A?B\" tem um caractere não permitido (caractere 10)",
        "linha 8, nome: nome não informado para um produto com status marcado"}},
      {"a flag error",
       "codigo;nome;departamento;preco_fixo\n1;A;1;talvez\n",
       {},
       {"linha 2, preco_fixo: \"talvez\" não é S ou N"}},
      {"a character the register cannot print is a warning",
       kHead + "1;CAF\xC2[;1;3\n",
       {{1, "CAFÂ[", "100", "3", "0011"}},
       {"linha 2, nome: a registradora não recebe: Â, ["}},
      {"no code column", "nome;preco\nA;1\n", {}, {"linha 1: falta a coluna codigo"}},
      {"a quote never closed",
       kHead + "1;\"A;1;3\n",
       {},
       {"linha 2: aspas abertas e nunca fechadas"}},
      {"an empty file", "", {}, {"linha 1: o arquivo não tem a linha de títulos das colunas"}},
      {"more values than titles (a decimal comma under ','); a row of only separators is blank",
       "codigo,nome,preco,departamento\n1,PAO,12,05,3\n" + std::string(5000, ',') +
           "\n2,LEITE,3,1\n",
       {},
       {"linha 2: 5 valores, mais do que as 4 colunas da linha de títulos"}},
      {"lines ending in CR alone, a quoted line break among them",
       "codigo;nome;preco;departamento\r1;PAO;1;3\r\r2;\"A\rB\";1;3\r3;X;1;99",
       {},
       {"linha 4, nome: \"A?B\" tem um caractere não permitido (caractere 13)",
        "linha 6, departamento: \"99\" não é um departamento (1 a 16)"}},
      {"a title line of more columns than any list has",
       "codigo" + std::string(1000, ';') + "\n1\n",
       {},
       {"linha 1: a linha de títulos tem mais de 1000 colunas"}},
      {"a NUL byte, in a known column and in an unknown one",
       "codigo;nome;preco;departamento;x\n1;A\0B;1;3;\n2;A;1;3;\0\n"s,
       {},
       {"linha 1, \"x\": coluna desconhecida, ignorada",
        "linha 2, nome: o valor tem um caractere nulo (caractere 0)",
        "linha 3, coluna 5: o valor tem um caractere nulo (caractere 0)"}},
      {"no product rows, only blank and separator-only ones",
       kHead + ";;;\r\n \r\n;\r\n",
       {},
       {"linha 1: a planilha não tem nenhum produto abaixo dos títulos"}},
      {"the apostrophe before a formula character is dropped, no other",
       kHead + "1;'=SOMA;1;3\n2;\"'+1;2\";1;3\n3;''-X;1;3\n4;'ABC;1;3\n",
       {{1, "=SOMA", "100", "3", "0011"},
        {2, "+1;2", "100", "3", "0011"},
        {3, "'-X", "100", "3", "0011"},
        {4, "'ABC", "100", "3", "0011"}},
       {}},
  };
}

std::string Flags(const PluRecord& p) {
  return {p.status_negative_price, p.status_single_item_sale, p.status_open_price,
          p.status_fixed_price};
}

TEST(ProductImport, ReadsEachFileIntoItsProductsOrMessages) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.what);
    ParamSet params = StoredSet();
    const ProductImport import = PrepareProductImport(params, c.file);
    std::vector<std::string> messages;
    for (const ImportMessage& m : import.messages) messages.push_back(Cp1252ToUtf8(m.text));
    EXPECT_EQ(messages, c.messages);
    const bool has_error = import.errors > 0;
    EXPECT_EQ(ApplyProductImport(params, import), !has_error);
    if (has_error) {
      EXPECT_EQ(params, StoredSet()) << "an import with errors stores nothing";
      continue;
    }
    ASSERT_EQ(import.rows.size(), c.products.size());
    for (const Expected& e : c.products) {
      const PluRecord& p = params.Product(e.code);
      EXPECT_EQ(Cp1252ToUtf8(p.name), e.name) << e.code;
      EXPECT_EQ(p.price, e.price) << e.code;
      EXPECT_EQ(p.dept_code, e.dept) << e.code;
      EXPECT_EQ(Flags(p), e.flags) << e.code;
    }
  }
}

// Whatever the file, the report stays small: every error is counted, only the first ones are
// kept, and the rest are counted apart.
TEST(ProductImport, KeepsAtMostTheFirstMessagesAndCountsTheRest) {
  std::string file = kHead;
  const int rows = 1000;
  for (int i = 0; i < rows; ++i) file += "x;A;1;3\n";
  const ProductImport import = PrepareProductImport(StoredSet(), file);
  EXPECT_EQ(import.errors, rows);
  ASSERT_EQ(import.messages.size(), kMostImportMessages);
  EXPECT_EQ(import.messages_left_off, rows - static_cast<int>(kMostImportMessages));
  EXPECT_EQ(Cp1252ToUtf8(import.messages.back().text),
            "linha " + std::to_string(kMostImportMessages + 1) +
                ", codigo: \"x\" não é um código de produto (1 a 500)");
}

TEST(ProductImport, ParsesReaisIntoCentavosDigits) {
  const std::vector<std::pair<std::string, std::optional<std::string>>> table = {
      {"12,50", "1250"},
      {"R$ 12,50", "1250"},
      {"r$7", "700"},
      {"1.234,56", "123456"},
      {"7", "700"},
      {"7,5", "750"},
      {"0", ""},
      {"", ""},
      {"0,00", ""},
      {"0,05", "5"},
      {"99.999,99", "9999999"},
      {"100000", std::nullopt},
      {"1.2345", std::nullopt},
      {"12,", std::nullopt},
      {",5", std::nullopt},
      {"1,2a", std::nullopt},
      {"R$", ""},
      {"12 50", std::nullopt},
  };
  for (const auto& [text, cents] : table) EXPECT_EQ(ParseReais(text), cents) << text;
}

TEST(ProductImport, CountsNewChangedAndUnchangedProducts) {
  ParamSet params = StoredSet();
  params.Product(6).name = "LEITE";
  params.Product(6).dept_code = "2";
  const ProductImport import =
      PrepareProductImport(params, kHead + "5;CAFE;1;5\n6;LEITE;3;2\n7;PAO;1;2\n8;X;;\n");
  EXPECT_EQ(import.read, 4);
  EXPECT_EQ(import.unchanged, 1);
  EXPECT_EQ(import.changed, 1);
  EXPECT_EQ(import.added, 1);
  EXPECT_EQ(import.errors, 1);
}

TEST(ProductImport, StoringRaisesTheMarkersTheEditorWouldRaise) {
  ParamSet params = StoredSet();
  params.Product(9).name = "SUCO";
  params.Product(9).dept_code = "1";
  const ProductImport import = PrepareProductImport(
      params, "codigo;nome;preco;departamento;preco_fixo\n5;CAFE;1,00;7;S\n9;SUCO;;1;N\n");
  ASSERT_EQ(import.errors, 0);
  ASSERT_TRUE(ApplyProductImport(params, import));
  const PluRecord& cafe = params.Product(5);  // only the department changed
  EXPECT_EQ(cafe.dept_code, "7");
  EXPECT_EQ(cafe.changed_dept, 1);
  EXPECT_EQ(cafe.changed_price + cafe.changed_name + cafe.changed_status, 0);
  const PluRecord& suco = params.Product(9);  // status changed while the price is zero
  EXPECT_EQ(suco.changed_status, 1);
  EXPECT_EQ(suco.changed_price, 1);
  EXPECT_EQ(suco.changed_name + suco.changed_dept, 0);
}

// What a spreadsheet writes for "CSV (separado por ponto e vírgula)" on a Brazilian system, and
// the same list saved as UTF-8 with a byte-order mark.
TEST(ProductImport, TheSameListInWindows1252AndInUtf8GivesTheSameProducts) {
  const std::string utf8 =
      "Código;Nome;Preço;Departamento;Preço fixo;Preço aberto\r\n"
      "1;AÇÚCAR;4,99;2;S;N\r\n"
      "2;PÃO FRANCÊS;0,75;1;N;S\r\n"
      "3;CAFÉ;R$ 12,50;3;S;S\r\n";
  const std::string cp1252 = *Utf8ToCp1252(utf8);
  ASSERT_NE(cp1252, utf8);
  ParamSet from_ansi;
  ParamSet from_utf8;
  const ProductImport a = PrepareProductImport(from_ansi, cp1252);
  const ProductImport b = PrepareProductImport(from_utf8, "\xEF\xBB\xBF" + utf8);
  ASSERT_EQ(a.errors + b.errors, 0);
  EXPECT_EQ(a.warnings, b.warnings);  // Ú and Ê have no register code
  ApplyProductImport(from_ansi, a);
  ApplyProductImport(from_utf8, b);
  EXPECT_EQ(from_ansi, from_utf8);
  EXPECT_EQ(from_ansi.Product(2).name, Win1252("PÃO FRANCÊS"));
  EXPECT_EQ(from_ansi.Product(3).price, "1250");
}

// tests/data/csv: the same eight products as a Brazilian spreadsheet saves them with "CSV
// (separado por ponto e vírgula)" (Windows-1252, CR LF, accented titles, "R$ 12,50",
// "1.234,00", a quoted name holding ';') and saved again as UTF-8 with a byte-order mark.
TEST(ProductImport, SpreadsheetFilesInBothEncodingsImportToTheSameProducts) {
  const std::string dir = std::string(QX_TEST_DATA_DIR) + "/csv/";
  std::string ansi;
  std::string utf8;
  ASSERT_TRUE(ReadProductListFile(dir + "planilha_ansi.csv", ansi));
  ASSERT_TRUE(ReadProductListFile(dir + "planilha_utf8_bom.csv", utf8));
  ParamSet a;
  ParamSet b;
  const ProductImport from_ansi = PrepareProductImport(a, ansi);
  const ProductImport from_utf8 = PrepareProductImport(b, utf8);
  EXPECT_EQ(from_ansi.errors + from_utf8.errors, 0);
  EXPECT_EQ(from_ansi.added, 8);
  ASSERT_TRUE(ApplyProductImport(a, from_ansi));
  ASSERT_TRUE(ApplyProductImport(b, from_utf8));
  EXPECT_EQ(a, b);
  EXPECT_EQ(a.Product(5).name, "SACOLA; P");
  EXPECT_EQ(a.Product(7).price, "123400");
  EXPECT_EQ(a.Product(8).price, "");
  EXPECT_EQ(a.Product(6).status_negative_price, '1');
}

// The choices a front end passes: columns, numbering, short names. Products 1 to 3 are
// programmed ("CAFE", "REFR COLA 2L", "ACUCAR"); the stored names are checked unique.
struct OptionCase {
  const char* what;
  std::string file;
  ImportOptions options;
  std::vector<std::pair<int, std::string>> products;  // code and name, UTF-8
  std::vector<std::string> errors;                    // UTF-8
};

TEST(ProductImport, TakesTheFrontEndsChoices) {
  ParamSet params;
  params.Department(1).name = "D1";
  const char* const names[] = {"CAFE", "REFR COLA 2L", "ACUCAR"};
  for (int code = 1; code <= 3; ++code) {
    params.Product(code).name = names[code - 1];
    params.Product(code).dept_code = "1";
  }
  const std::string list =
      "EAN;Produto;Valor;Grupo\n7891;REFRIGERANTE COLA 2 L;5;1\n"
      "7892;REFRIGERANTE COLA 2 L;5;1\n7893;LEITE;3;1\n";
  ImportOptions numbered;
  numbered.numbering = Numbering::kAfterHighest;
  numbered.shorten_names = true;
  ImportOptions from_one = numbered;
  from_one.numbering = Numbering::kFromOne;
  ImportOptions chosen;
  chosen.columns[static_cast<std::size_t>(ListField::kCode)] = 0;
  chosen.columns[static_cast<std::size_t>(ListField::kPrice)] = kNoColumn;
  chosen.shorten_names = true;
  std::string many = "nome;departamento\n";
  for (int i = 0; i < 502; ++i) many += "P" + std::to_string(i) + ";1\n";
  const std::vector<OptionCase> cases = {
      {"numbered after the highest code, short names unique among list and set",
       list,
       numbered,
       {{4, "REFR COL2 2L"}, {5, "REFR COL3 2L"}, {6, "LEITE"}},
       {}},
      {"numbered from 1 over the programmed products",
       list,
       from_one,
       {{1, "REFR COLA 2L"}, {2, "REFR COL2 2L"}, {3, "LEITE"}},
       {}},
      {"a chosen code column and no price column",
       "EAN;Produto;Valor;Grupo\n9;REFRIGERANTE COLA 2 L;x;1\n",
       chosen,
       {{9, "REFR COL2 2L"}},
       {}},
      {"more products than free codes",
       many,
       from_one,
       {},
       {"linha 1, codigo: a planilha tem 502 produtos e só cabem 500 (códigos 1 a 500)"}},
  };
  for (const OptionCase& c : cases) {
    SCOPED_TRACE(c.what);
    ParamSet after = params;
    const ProductImport import = PrepareProductImport(params, c.file, c.options);
    std::vector<std::string> errors;
    for (const ImportMessage& m : import.messages)
      if (m.error) errors.push_back(Cp1252ToUtf8(m.text));
    EXPECT_EQ(errors, c.errors);
    ASSERT_EQ(ApplyProductImport(after, import), c.errors.empty());
    for (const auto& [code, name] : c.products)
      EXPECT_EQ(Cp1252ToUtf8(after.Product(code).name), name) << code;
    std::set<std::string> stored;
    for (const PluRecord& p : after.products)
      EXPECT_TRUE(p.name.empty() || stored.insert(p.name).second) << p.name;
  }
}

}  // namespace
}  // namespace qx::exchange
