// The whole guide: its preamble, the order of the sections, the closing instructions, the
// page file it is written to and the names of the guide and the summary.
#include "guide/guide.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/file_write_ops.h"
#include "page_builder.h"

namespace qx {
namespace {

using expected::Breaks;
using expected::Fill;
using expected::Html;
using expected::Page;
using expected::W;

struct NoteText {
  int number;
  const char* set;
  const char* clear;
};

constexpr NoteText kSystemNotes[] = {
    {1, "(buzina tecla ON)", "(buzina tecla OFF)"},
    {2, "(formato data DDMMAA)", "(formato data DDMMAA)"},
    {3, "(número de casas decimais)", "(número de casas decimais)"},
    {4, "(abre gaveta na leitura)", "(Não abre gaveta na leitura)"},
    {6, "(impressão compactada)", "(impressão normal)"},
    {7, "(jornal eletronico ativado)", "(SEM jornal eletronico)"},
    {8, "(avisa oper.se jornal cheio)", "(NÃO avisa oper.se jornal cheio)"},
    {9, "(jornal eletronico cronológico)", "(jornal eletronico NÃO cronológico)"},
    {10, "(quantidade + tecla [DEPTO])", "(preço + tecla [DEPTO])"},
    {11, "(repete cupom se teclar DINHEIRO)", "~(NÃO repete cupom se tecla DINHEIRO)"},
    {12, "(calcula o troco novamente)", "(NÃO aceita recalcular o troco)"},
    {13, "(Declaração da GAVETA obrigatória)", "(Declaração da GAVETA NÃO obrigatória)"},
    {14, "(Zera no.consecutivo após LEIT.FINANC.-Z)",
     "(NÃO zera no.consecutivo após LEIT.FINANC.-Z)"},
    {15, "(Zera GRANDE TOTAL após LEIT.FINANC.-Z)", "(NÃO zera GRANDE TOTAL após LEIT.FINANC.-Z)"},
    {16, "(Zera contador LEIT.FINANC.-Z)", "(NÃO zera contador após LEIT.FINANC.-Z)"},
    {17, "(Zera contador LEIT.PRODUTOS.-Z)", "(NÃO zera contador LEIT.PRODUTOS.-Z)"},
    {18, "(Zera contador LEIT.OPERADORES.-Z)", "(NÃO zera contador LEIT.OPERADORES.-Z)"},
    {19, "(Multiplica quantidade se quant.2 vezes consecutivas)",
     "(Parte da quant.se quant.2 vezes consecutivas)"},
    {20, "(Arredonda)", "(NÃO arredonda valores)"},
};

// Print options with their default values ('1' set).
struct PrintNote {
  int number;
  bool set_by_default;
  const char* set;
  const char* clear;
};

constexpr PrintNote kPrintNotes[] = {
    {1, true, "(Imprime contador Z nas leituras)", "(NÃO imprime contador Z nas leituras)"},
    {2, true, "(Imprime totaliz. zerados nas leituras)",
     "(NÃO imprime totaliz. zerados nas leituras)"},
    {5, false, "(Imprime copia cupom)", "(NÃO imprime copia cupom)"},
    {6, true, "(Imprime subtotal qdo.teclar SUBTOTAL)", "(NÃO imprime subtot qdo.teclar SUBTOTAL)"},
    {7, true, "(Imprime consecutivo no cupom)", "(NÃO imprime consecutivo no cupom)"},
    {8, true, "(Imprime data no cupom)", "(NÃO imprime data no cupom)"},
    {9, true, "(Imprime hora no cupom)", "(NÃO imprime hora no cupom)"},
    {10, true, "(Imprime nome operador no cupom)", "(NÃO imprime nome operador no cupom)"},
    {11, true, "(Imprime venda negativa/devolução na leitura)",
     "(NÃO Imp.venda negat/devolução na leitura)"},
    {12, false, "(Imprime quant.itens antes do total do cupom)",
     "(NÃO Imprime quant.itens antes do total do cupom)"},
    {18, true, "(Imprime Grande Total na leitura)", "(NÃO Imprime Grande Total na leitura)"},
    {19, true, "(Imprime Grande Total Bruto na leitura)",
     "(NÃO Imprime Grande Total Bruto na leitura)"},
    {20, false, "(Grande Total é líquido)", "(Grande Total é bruto)"},
    {21, false, "(Imprime cupom se abre gaveta)", "(NÃO imprime cupom quando abre gaveta)"},
    {22, true, "(Imprime cabeçalho)", "(NÃO imprime cabeçalho)"},
    {23, true, "(Imprime rodapé)", "(NÃO imprime rodapé)"},
    {24, false, "(Imprime jornal eletrônico)", "(NÃO imprime jornal eletrônico)"},
    {25, false, "(Imprime mensagem de treinamento)", "(NÃO imprime mensagem de treinamento)"},
    {26, false, "(Imprime código depart./produto no cupom)",
     "(NÃO imprime código depart./produto no cupom)"},
    {27, true, "(Imprime código do produto na leitura PRODUTOS)",
     "(NÃO imprime código do produto na leitura PRODUTOS)"},
};

std::string NumberText(int n) { return (n < 10 ? "  " : " ") + std::to_string(n) + "  "; }

std::string ExpectedPreamble() {
  Page p;
  p.Line(expected::kHtmlHead)
      .Line(expected::kBodyStart)
      .Line(expected::kGuideTitle)
      .Line(expected::kGuideSubtitle);
  p.Line(Fill(expected::kBlackHeading,
              Html(W("\n\nUse \"CONTROL +\" para ampliar esta página e \"CONTROL -\" para "
                     "reduzir.\n\n"))));
  for (const char* note :
       {"N O T A 1: \nSe ao girar a chave para a posição REG a Caixa apitar e mostrar erro "
        "(E00), gire a \nchave tipo P ou C para as outras posições até que pare de apitar e "
        "a mensagem esteja apagada. \nTecle então [DINHEIRO/TOTAL].\n\n",
        "N O T A 2: \nPara avançar o papel da impressora tecle [Avanço Papel].\nSe der ERRO "
        "durante a digitação, tecle [LIMPA] e repita a linha.\n\n",
        "N O T A 3: \nUm operador deve estar aberto antes de efetuar qualquer operação. Se "
        "mostrar no \nvisor a mensagem \u201CFECHADO\u201D quando a chave estiver na posição "
        "REG, \ninforme operador 1 conforme a sequência abaixo: \n\n\nCHAVE na posição "
        "\"REG\". Vamos Abrir um operador.\n\n"}) {
    p.Line(Fill(expected::kRedHeading, Html(W(note))));
  }
  p.Line(Fill(expected::kCodeLineRed, "&nbsp;&nbsp;1&nbsp;&nbsp;&nbsp;"))
      .Line(Fill(expected::kKeyBoxRed, "EMPREGADO"))
      .Line(Breaks(6))
      .Line(Fill(expected::kRedHeading,
                 Html(W("Aparecendo  0,00   no visor vamos girar a CHAVE na POSIÇÃO \"P G M\"."
                        "\nVamos iniciar a programação abaixo.\n\n"))));
  return p.str();
}

std::string ExpectedSystemSectionAtDefaults() {
  Page p;
  p.Line(expected::kPageBreak)
      .Line(Breaks(2))
      .Line("<!-- COMENTARIO   OPCAO SISTEMA -->")
      .Line(Fill(expected::kSectionTitle, Html(W("O P Ç Ã O       S I S T E M A"))))
      .Line(Breaks(2))
      .Line(expected::kFloatLeftStyle)
      .CodeEntry("  3 0   ", 5);
  for (const NoteText& n : kSystemNotes) {
    const std::string value = n.number == 2 ? "1" : n.number == 3 ? "2" : "0";
    p.OptionRow(NumberText(n.number), value, Html(W(n.clear).substr(0, 50)));
  }
  p.Exit(W("(sai da programação de sistema)")).Line(Breaks(1));
  return p.str();
}

std::string ExpectedPrintSectionAtDefaults() {
  Page p;
  p.Line(expected::kPageBreak)
      .Line(Breaks(2))
      .Line(W("<!-- COMENTARIO   OPCAO IMPRESSÃO -->"))
      .Line(Fill(expected::kSectionTitle, Html(W("OPÇÃO  IMPRESSÃO"))))
      .Line(Breaks(2))
      .Line(expected::kFloatLeftStyle)
      .CodeEntry("  4 0   ", 5);
  for (const PrintNote& n : kPrintNotes) {
    if (n.number == 5) {
      p.OptionRow(NumberText(3), "<SUP>082&nbsp;</SUP><SUB>036&nbsp;</SUB>",
                  Html(W("(Símbolo da moeda local=R$)")));
      p.OptionRow(NumberText(4), "<SUP>085&nbsp;</SUP><SUB>083&nbsp;</SUB><SUP>036&nbsp;</SUP>",
                  Html(W("(Símbolo da moeda estrangeira=US$)")));
    }
    p.OptionRow(NumberText(n.number), n.set_by_default ? "1" : "0",
                Html(W(n.set_by_default ? n.set : n.clear).substr(0, 50)));
  }
  p.Exit(W("(sai da programação de impressão)")).Line(Breaks(1));
  return p.str();
}

std::string ExpectedKeyStatusSectionAtDefaults() {
  Page p;
  p.Line(expected::kPageBreak)
      .Line(Breaks(2))
      .Line(W("<!-- COMENTARIO   PROGRAMANDO TECLAS DE FUNÇÃO -->"))
      .Line(Fill(expected::kSectionTitle, Html(W("PROGRAMANDO TECLAS DE FUNÇÃO"))))
      .Line(Breaks(2))
      .Line(Fill(expected::kGroupTitle, "Status das teclas"))
      .Line(expected::kFloatLeftStyle)
      .CodeEntry("  7 0   ", 5);
  const std::string payment =
      Html(W("(MEIO PAG: NÃO obriga dig.valor+ Permite troco+ Aceita valor menor)"));
  p.KeyRow("10", "DINHEIRO/TOTAL", payment)
      .KeyRow("10", "CHEQUE", payment)
      .KeyRow("10", "CARTAO", payment)
      .KeyRow(Html("    0  "), "CANC CUPOM", Html(W("(função ativada)")))
      .KeyRow(Html("    1  "), "-  %", Html(W("(desconto % aberto (entra % variável))")))
      .KeyRow(Html("    1  "), "EMPREG-", Html(W("(desconto em valor aberto (valor variável))")))
      .KeyRow(Html("    1  "), "+  %", Html(W("(acréscimo % aberto (entra % variável))")));
  p.Exit(W("(sai da programação de tecla)")).Line(Breaks(1));
  return p.str();
}

std::string ExpectedKeyValueSectionAtDefaults() {
  Page p;
  p.Line(expected::kPageBreak)
      .Line(Breaks(2))
      .Line(Fill(expected::kGroupTitle, "Valor limite ou fixo das teclas"))
      .Line(expected::kFloatLeftStyle)
      .CodeEntry("  9 0   ", 5);
  p.KeyRow("0", "DINHEIRO/TOTAL", Html("(SEM limite de valor em dinheiro)"))
      .KeyRow("0", "CHEQUE", Html("(SEM limite de valor em cheque)"))
      .KeyRow("0", "CARTAO", Html(W("(SEM limite de valor em cartão)")))
      .KeyRow("0", "CANC CUPOM", Html(W("(NÃO limita valor cancelado no cupom)")))
      .KeyRow("0", "CANC ULT ITEM", Html(W("(NÃO limita valor cancelado último item)")))
      .KeyRow("0", "MOEDA", Html(W("(taxa de conversão da moeda)")))
      .KeyRow("0", "- %", Html("(limite % desconto=00,000%)"))
      .KeyRow("0", "+ %", Html(W("(limite % acréscimo=00,000%)")))
      .KeyRow("0", "EMPREGADO -", Html("(limite de desconto em valor=0,00)"));
  p.Exit(W("(sai da programação de tecla)")).Line(Breaks(1));
  return p.str();
}

std::string ExpectedClosing() {
  Page p;
  p.Line(Breaks(5))
      .Line("<!-- COMENTARIO   PROGRAMANDO RELOGIO -->")
      .Line(Fill(expected::kSectionTitle, Html(W("SEQUÊNCIA DE PROGRAMAÇÃO DO RELÓGIO"))))
      .Line(Breaks(2))
      .Line(Html(W("Para corrigir o relógio digite:\n1300  [SUBTOTAL]\nH H M M            "
                   "[X/HORA]   (H=hora   M=minuto)\nM M D D A A        [X/HORA]   (M=mês D=dia "
                   "A=ano)\n[DINHEIRO/TOTAL]\n")))
      .Line(Breaks(2))
      .Line(W("<!-- COMENTARIO   LISTAR PARÂMETROS -->"))
      .Line(Fill(expected::kSectionTitle, Html(W("LISTAGEM DE PARÂMETROS"))))
      .Line(Breaks(2))
      .Line(Html(
          W("1 5      [SUBTOTAL]\n\n\n\n\n\n\nPara listar departamentos: \nExemplo:   [DEPT1]  "
            "[DEPT1] (lista parâmetros do depart.1)\nExemplo:   [DEPT2]  [DEPT5] (lista do "
            "depart. 2 ao 5)\n\n\n\n\n\n\nPara listar produtos: \nExemplo:   código [PLU]  código "
            "[PLU] (lista produtos na faixa)\n\n\n\n\n\n\nO U T R O S \n\n2  [X/HORA]     (lista "
            "sistema)\n3  [X/HORA]     (lista impressora)\n5  [X/HORA]     (lista operador)\n6  "
            "[X/HORA]     (lista cabeçalho e rodapé)\n\n\n\n\n\n\n4  [X/HORA]   [ pressione uma "
            "tecla ]    (lista teclas)\n\n[DINHEIRO/TOTAL]\n\n\n\n")))
      .Line(Breaks(2))
      .Line(Fill(expected::kCenteredTitle, "F&nbsp;&nbsp;&nbsp;I&nbsp;&nbsp;&nbsp;M"));
  return p.str();
}

TEST(BuildGuide, AtDefaultsIsExactlyThePreambleTheOptionAndKeySectionsAndTheClosing) {
  const std::string expected = ExpectedPreamble() + ExpectedSystemSectionAtDefaults() +
                               ExpectedPrintSectionAtDefaults() +
                               ExpectedKeyStatusSectionAtDefaults() +
                               ExpectedKeyValueSectionAtDefaults() + ExpectedClosing();
  const std::string guide = BuildGuide(ParamSet{});
  ASSERT_EQ(guide.size(), expected.size());
  EXPECT_EQ(guide, expected);
}

TEST(BuildGuide, QuotesFechadoWithTheCodePagesTypographicQuotes) {
  EXPECT_NE(BuildGuide(ParamSet{})
                .find("mensagem&nbsp;\x93"
                      "FECHADO\x94&nbsp;quando"),
            std::string::npos);
}

TEST(BuildGuide, EndsWithTheClosingLineAndNoClosingTags) {
  const std::string guide = BuildGuide(ParamSet{});
  const std::string end =
      "<B>F&nbsp;&nbsp;&nbsp;I&nbsp;&nbsp;&nbsp;M</B> </center> </font>\r\n<br>\r\n\r\n";
  ASSERT_GE(guide.size(), end.size());
  EXPECT_EQ(guide.substr(guide.size() - end.size()), end);
  EXPECT_EQ(guide.find("</BODY>"), std::string::npos);
  EXPECT_EQ(guide.find("</HTML>"), std::string::npos);
}

TEST(BuildGuide, SectionsFollowTheOrderOfProgramming) {
  ParamSet params;
  params.cash_key.name = "DIN";
  const std::string guide = BuildGuide(params);
  const std::size_t system = guide.find("OPCAO SISTEMA");
  const std::size_t print = guide.find("OPCAO IMPRESS");
  const std::size_t status = guide.find("Status das teclas");
  const std::size_t names = guide.find("Nome das teclas");
  const std::size_t values = guide.find("Valor limite ou fixo das teclas");
  const std::size_t clock = guide.find("PROGRAMANDO RELOGIO");
  EXPECT_LT(system, print);
  EXPECT_LT(print, status);
  EXPECT_LT(status, names);
  EXPECT_LT(names, values);
  EXPECT_LT(values, clock);
  EXPECT_NE(clock, std::string::npos);
}

class GuideFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("qx_guide_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(dir_, ignored);
  }
  static std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  std::filesystem::path dir_;
};

TEST_F(GuideFileTest, WritesTheGuideAndReplacesAnOldOne) {
  const auto path = dir_ / "sub" / "loja1.HTM";
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path) << "old guide that is much longer than nothing";
  EXPECT_TRUE(WriteGuide(ParamSet{}, path.string()).ok());
  EXPECT_EQ(Read(path), BuildGuide(ParamSet{}));
}

TEST_F(GuideFileTest, CreatesMissingFolders) {
  const auto path = dir_ / "a" / "b" / "loja1.HTM";
  EXPECT_TRUE(WriteGuide(ParamSet{}, path.string()).ok());
  EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(GuideFileTest, AnUncreatablePathIsReportedWithItsPathAndNoFile) {
  const auto blocker = dir_ / "plain-file";
  std::ofstream(blocker) << "x";
  const auto path = blocker / "loja1.HTM";  // a folder that is a file
  const FileStatus status = WriteGuide(ParamSet{}, path.string());
  EXPECT_EQ(status.result, FileResult::kWriteFailed);
  EXPECT_EQ(W(status.text), W("ERRO NA CRIAÇÃO DO ARQUIVO"));
  EXPECT_EQ(status.path, path.string());
  EXPECT_FALSE(std::filesystem::exists(path));
}

// A page that cannot be written leaves whatever stood at its path byte for byte: another
// user's or a read-only page, a folder, a pipe or a device given as the page is never
// removed, and nothing is written into a pipe or device.
TEST_F(GuideFileTest, AFailedWriteLeavesWhatWasThere) {
  const auto readonly = dir_ / "readonly.HTM";
  std::ofstream(readonly) << "guide of the old parameters";
  std::filesystem::permissions(readonly, std::filesystem::perms::owner_read);
  const auto folder = dir_ / "folder.HTM";
  std::filesystem::create_directories(folder);
  std::vector<std::filesystem::path> refused = {readonly, folder};
#ifndef _WIN32
  const auto fifo = dir_ / "fifo.HTM";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
  const auto link_to_fifo = dir_ / "link.HTM";
  std::filesystem::create_symlink(fifo, link_to_fifo);
  refused.push_back(fifo);
  refused.push_back(link_to_fifo);
#endif
  for (const auto& path : refused) {
    EXPECT_FALSE(WritePageFile(path.string(), "page", "ERRO X")) << path;
  }
  EXPECT_EQ(Read(readonly), "guide of the old parameters");
  EXPECT_TRUE(std::filesystem::is_directory(folder));
#ifndef _WIN32
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_TRUE(std::filesystem::is_symlink(link_to_fifo));
#endif
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_),
                          std::filesystem::directory_iterator()),
            static_cast<std::ptrdiff_t>(refused.size()));
}

TEST_F(GuideFileTest, AWriteFailingPartWayKeepsTheOldPage) {
  // A full disk: the first bytes go out, then every write fails.
  const auto path = dir_ / "loja1.HTM";
  std::ofstream(path) << "guide of the old parameters";
  FileWriteOps ops = SystemFileWriteOps();
  static int writes;
  writes = 0;
  ops.write = [](int fd, const void* bytes, std::size_t count) -> ssize_t {
    if (writes++ > 0) return -1;
    return SystemFileWriteOps().write(fd, bytes, count < 100 ? count : std::size_t{100});
  };
  ScopedFileWriteOps scoped_ops(ops);
  EXPECT_FALSE(WriteGuide(ParamSet{}, path.string()));
  EXPECT_EQ(Read(path), "guide of the old parameters");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(GuideFileName, CutsAThreeLetterExtensionAndAppendsHtm) {
  struct Case {
    std::string par, guide;
  } cases[] = {
      {"c:\\KORVA\\Prog-QX-4810.par", "c:\\KORVA\\Prog-QX-4810.HTM"},
      {"c:\\x\\loja.pa", "c:\\x\\loja.pa.HTM"},
      {"c:\\lojas.sp\\caixa1", "c:\\lojas.sp\\caixa1.HTM"},
      {"/home/tec/loja1.par", "/home/tec/loja1.HTM"},
      {"loja1.PAR", "loja1.HTM"},
      {"a.par", "a.HTM"},
      {".par", ".par.HTM"},  // not longer than four characters
      {"loja", "loja.HTM"},
      {"", ".HTM"},
      // Only the file name's own extension is cut: the guide stays in the file's folder.
      {"v1.d/a", "v1.d/a.HTM"},
      {"/x/lojas.sp/ab", "/x/lojas.sp/ab.HTM"},
  };
  for (const Case& c : cases) EXPECT_EQ(GuideFileName(c.par), c.guide) << c.par;
}

TEST(SummaryFileName, CutsTheGuideNameAtItsLastDotAndAddsTheLocalTime) {
  const LocalTime when{2026, 12, 6, 14, 5, 9};
  struct Case {
    std::string par, summary;
  } cases[] = {
      {"c:\\KORVA\\Prog-QX-4810.par", "c:\\KORVA\\Prog-QX-4810-06-12-2026-14-05-09-RESUMO.HTM"},
      {"c:\\x\\loja.pa", "c:\\x\\loja.pa-06-12-2026-14-05-09-RESUMO.HTM"},
      {"c:\\lojas.sp\\caixa1", "c:\\lojas.sp\\caixa1-06-12-2026-14-05-09-RESUMO.HTM"},
      {"loja1", "loja1-06-12-2026-14-05-09-RESUMO.HTM"},
  };
  for (const Case& c : cases) EXPECT_EQ(SummaryFileName(c.par, when), c.summary) << c.par;
  EXPECT_EQ(SummaryFileName("a.par", LocalTime{987, 1, 31, 0, 0, 0}),
            "a-31-01-0987-00-00-00-RESUMO.HTM");
}

}  // namespace
}  // namespace qx
