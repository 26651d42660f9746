#include "ui/workflows/open_save_workflow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "../fakes.h"
#include "common/cp1252.h"
#include "guide/guide.h"
#include "parfile/par_file.h"
#ifndef _WIN32
#include "../../support/interrupted_save.h"
#endif
#include "../ui_test_support.h"

namespace qx::ui::testing {
namespace {

const std::string kNameDiffers = Win1252(
    "Arquivo de gravação não é igual ao informado na entrada.\nApaga dados do arquivo "
    "informado e substitui por este ?");
const std::string kViewGuide = "Deseja visualizar o arquivo HTML ?    ";
const std::string kViewSummary =
    " Deseja visualizar o arquivo RESUMO HTML\n (Departamentos e Produtos alterados) ?    ";
const std::string kGuideWhere = Win1252("LOCALIZAÇÃO DO ARQUIVO HTML    ");
const std::string kSummaryWhere = Win1252("LOCALIZAÇÃO DO RESUMO HTML COM DEP/PROD ALTERADOS");

TEST(PathParts, SplitAtTheLastSlash) {
  struct Case {
    std::string path, name, dir;
  } cases[] = {
      {"/home/ana/KORVA/loja1.par", "loja1.par", "/home/ana/KORVA/"},
      {"loja1.par", "loja1.par", ""},
      {"/loja1", "loja1", "/"},
      {"/home/ana/", "", "/home/ana/"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileNamePart(c.path), c.name) << c.path;
    EXPECT_EQ(DirectoryPart(c.path), c.dir) << c.path;
  }
  EXPECT_EQ(FileNamePart("/d/" + std::string(300, 'x')), std::string(259, 'x'));
}

TEST(PathParts, ParIsAppendedOnlyWhenTheFileNameHasNoDot) {
  struct Case {
    std::string chosen, saved;
  } cases[] = {
      {"/dados/loja1", "/dados/loja1.par"},
      {"loja1", "loja1.par"},
      {"/dados/loja1.par", "/dados/loja1.par"},
      {"/x/loja.pa", "/x/loja.pa"},
      // A dot in a folder name does not count.
      {"/lojas.sp/caixa1", "/lojas.sp/caixa1.par"},
      {"/home/jose.silva/.local/caixa1", "/home/jose.silva/.local/caixa1.par"},
      {"/home/ana/.caixa", "/home/ana/.caixa"},
  };
  for (const Case& c : cases) EXPECT_EQ(WithParExtension(c.chosen), c.saved) << c.chosen;
}

TEST(PathParts, FileNamesCompareWithoutCaseOfAToZOnly) {
  EXPECT_TRUE(SameFileName("LOJA1.PAR", "loja1.par"));
  EXPECT_TRUE(SameFileName("Caixa-01.Par", "cAIXA-01.pAR"));
  EXPECT_FALSE(SameFileName("loja1.par", "loja2.par"));
  EXPECT_FALSE(SameFileName("loja1.par", "loja1.par "));
  EXPECT_FALSE(SameFileName("", "loja1.par"));
  // Accented letters are not folded.
  EXPECT_FALSE(SameFileName(Win1252("ção.par"), Win1252("ÇÃO.par")));
  // '@' and '`' sit next to the letters; they are not letters.
  EXPECT_FALSE(SameFileName("@.par", "`.par"));
}

class WorkflowTest : public ::testing::Test {
 protected:
  void SetUp() override { StartState(state, dir / "Prog-QX-4810.par"); }

  // Writes a parameter file with department 3 named CAFE and both forced print options on.
  std::string MakeParFile(const std::string& name) {
    ParamSet p;
    ResetParamSet(p);
    p.Department(3).name = "CAFE";
    p.Department(3).price = "1250";
    p.print_options.print_ejournal = '1';
    p.print_options.print_training_message = '1';
    const std::string path = dir / name;
    EXPECT_TRUE(SaveParFile(p, path));
    return path;
  }

  void Open(const std::string& path) {
    desktop.open_names.push_back(path);
    ASSERT_EQ(OpenWorkflow(state, desktop), 1);
    desktop.messages.clear();
  }

  ScratchDir dir;
  AppState state;
  ScriptedDesktop desktop;
};

// --- Open ---

TEST_F(WorkflowTest, CancelledOpenKeepsEverything) {
  state.params.Department(1).name = "X";
  EXPECT_EQ(OpenWorkflow(state, desktop), 0);
  EXPECT_EQ(state.current_par_file, dir / "Prog-QX-4810.par");
  EXPECT_EQ(state.opened_par_file, "");
  EXPECT_EQ(state.params.Department(1).name, "X");
  ASSERT_EQ(desktop.open_dialogs.size(), 1u);
  EXPECT_EQ(desktop.open_dialogs[0].title, Win1252("LER ARQUIVO DE PARÂMETROS - QX-4810"));
  EXPECT_EQ(desktop.open_dialogs[0].directory, dir.Dir());
  EXPECT_EQ(desktop.open_dialogs[0].file_name, "");
}

TEST_F(WorkflowTest, OpenLoadsTheFileAndForcesTwoPrintOptionsOff) {
  const std::string path = MakeParFile("loja1.par");
  state.params.Department(1).changed_name = 1;
  desktop.open_names.push_back(path);
  EXPECT_EQ(OpenWorkflow(state, desktop), 1);
  EXPECT_EQ(state.current_par_file, path);
  EXPECT_EQ(state.opened_par_file, path);
  EXPECT_EQ(state.params.Department(3).name, "CAFE");
  EXPECT_EQ(state.params.print_options.print_ejournal, '0');
  EXPECT_EQ(state.params.print_options.print_training_message, '0');
  EXPECT_FALSE(AnyChangeMarker(state.params));
  EXPECT_TRUE(desktop.Errors().empty());
}

TEST_F(WorkflowTest, OpenOfANameWithoutExtensionLoadsThePar) {
  MakeParFile("loja1.par");
  desktop.open_names.push_back(dir / "loja1");
  EXPECT_EQ(OpenWorkflow(state, desktop), 1);
  EXPECT_EQ(state.current_par_file, dir / "loja1.par");
  EXPECT_EQ(state.opened_par_file, dir / "loja1.par");
  EXPECT_EQ(state.params.Department(3).name, "CAFE");
}

TEST_F(WorkflowTest, OpenOfANewNameStartsFromDefaultsAndCountsAsDone) {
  state.params.Department(3).name = "OLD";
  desktop.open_names.push_back(dir / "novo.par");
  EXPECT_EQ(OpenWorkflow(state, desktop), 1);
  ParamSet defaults;
  ResetParamSet(defaults);
  EXPECT_TRUE(state.params == defaults);
  EXPECT_EQ(state.opened_par_file, dir / "novo.par");
  EXPECT_FALSE(Exists(dir / "novo.par"));  // opening never creates the file
}

// --- Save ---

TEST_F(WorkflowTest, CancelledSaveWritesNothing) {
  bool written = true;
  EXPECT_EQ(SaveWorkflow(state, desktop, &written), 0);
  EXPECT_FALSE(written);
  EXPECT_TRUE(dir.Files().empty());
  EXPECT_TRUE(desktop.messages.empty());
  ASSERT_EQ(desktop.save_dialogs.size(), 1u);
  EXPECT_EQ(desktop.save_dialogs[0].title, Win1252("SALVA ARQUIVO DE PARÂMETROS - QX-4810"));
  EXPECT_EQ(desktop.save_dialogs[0].directory, dir.Dir());
  EXPECT_EQ(desktop.save_dialogs[0].file_name, "Prog-QX-4810.par");
}

TEST_F(WorkflowTest, SaveAfterOpenShowsEveryBoxInOrderAndWritesTheThreeFiles) {
  const std::string par = MakeParFile("loja1.par");
  Open(par);
  desktop.save_names.push_back(par);
  desktop.answers = {BoxAnswer::kNo};  // do not view the guide
  bool written = false;
  EXPECT_EQ(SaveWorkflow(state, desktop, &written), 1);
  EXPECT_TRUE(written);

  const std::string guide = dir / "loja1.HTM";
  const std::string summary = dir / "loja1-06-12-2026-14-05-09-RESUMO.HTM";
  EXPECT_EQ(dir.Files(), (std::vector<std::string>{"loja1-06-12-2026-14-05-09-RESUMO.HTM",
                                                   "loja1.HTM", "loja1.par", "loja1.par.bak"}));
  EXPECT_EQ(ReadFile(par), FormatParFile(state.params));
  EXPECT_EQ(ReadFile(guide), BuildGuide(state.params));
  EXPECT_EQ(ReadFile(summary), BuildChangeSummary(state.params));

  // No marker after an open: no question about the summary, but it is written.
  ASSERT_EQ(desktop.messages.size(), 4u);
  const MessageBox& note = desktop.messages[0];
  EXPECT_EQ(note.title, "NOTA IMPORTANTE");
  EXPECT_EQ(note.text, Win1252("O arquivo   \"loja1.par\"   possui a parametrização do Caixa do "
                               "cliente.\nEle deve ser preservado para que alterações futuras "
                               "ou a reimpressão\ndo roteiro possam ser realizadas."));
  EXPECT_EQ(note.icon, BoxIcon::kInformation);
  EXPECT_EQ(note.buttons, BoxButtons::kOk);
  const MessageBox& view = desktop.messages[1];
  EXPECT_EQ(view.title, "Pergunta:");
  EXPECT_EQ(view.text, kViewGuide);
  EXPECT_EQ(view.icon, BoxIcon::kQuestion);
  EXPECT_EQ(view.buttons, BoxButtons::kYesNo);
  const MessageBox& where = desktop.messages[2];
  EXPECT_EQ(where.title, kGuideWhere);
  EXPECT_EQ(where.text, guide);
  EXPECT_EQ(where.icon, BoxIcon::kInformation);
  EXPECT_EQ(where.buttons, BoxButtons::kOk);
  EXPECT_EQ(desktop.messages[3].title, kSummaryWhere);
  EXPECT_EQ(desktop.messages[3].text, summary);
  EXPECT_EQ(desktop.messages[3].icon, BoxIcon::kInformation);
  EXPECT_TRUE(desktop.opened_documents.empty());
  EXPECT_TRUE(desktop.Errors().empty());
  // The save does not touch the opened name.
  EXPECT_EQ(state.opened_par_file, par);
}

TEST_F(WorkflowTest, WithAMarkerTheSummaryIsOfferedAndBothPagesOpenOnYes) {
  Open(dir / "loja1.par");
  state.params.Product(500).changed_dept = 1;
  desktop.save_names.push_back(dir / "loja1.par");
  desktop.answers = {BoxAnswer::kYes, BoxAnswer::kYes};
  EXPECT_EQ(SaveWorkflow(state, desktop), 1);
  EXPECT_EQ(Titles(desktop.messages),
            (std::vector<std::string>{"NOTA IMPORTANTE", "Pergunta:", kGuideWhere,
                                      "Pergunta:", kSummaryWhere}));
  EXPECT_EQ(desktop.messages[3].text, kViewSummary);
  EXPECT_EQ(desktop.messages[3].buttons, BoxButtons::kYesNo);
  EXPECT_EQ(
      desktop.opened_documents,
      (std::vector<std::string>{dir / "loja1.HTM", dir / "loja1-06-12-2026-14-05-09-RESUMO.HTM"}));
  // The markers stay raised after a save.
  EXPECT_EQ(state.params.Product(500).changed_dept, 1);
}

// "Sim" to viewing a page that no program shows: an error names the page, right after the
// question, and the workflow carries on to the location box.
TEST_F(WorkflowTest, APageNoProgramShowsIsReportedWithItsPath) {
  Open(dir / "loja1.par");
  state.params.Product(500).changed_dept = 1;
  desktop.save_names.push_back(dir / "loja1.par");
  desktop.answers = {BoxAnswer::kYes, BoxAnswer::kYes};
  desktop.documents_open = false;
  EXPECT_EQ(SaveWorkflow(state, desktop), 1);
  EXPECT_EQ(Titles(desktop.messages),
            (std::vector<std::string>{"NOTA IMPORTANTE", "Pergunta:", "ERRO", kGuideWhere,
                                      "Pergunta:", "ERRO", kSummaryWhere}));
  ASSERT_EQ(desktop.opened_documents.size(), 2u);
  for (const auto& [box, page] : {std::pair{2, 0}, std::pair{5, 1}}) {
    const MessageBox& error = desktop.messages[box];
    EXPECT_EQ(error.icon, BoxIcon::kError);
    EXPECT_NE(error.text.find(desktop.opened_documents[page]), std::string::npos) << error.text;
  }
}

TEST_F(WorkflowTest, EachKindOfMarkerRaisesTheSummaryQuestion) {
  const std::vector<std::function<void(ParamSet&)>> raise = {
      [](ParamSet& p) { p.Department(16).changed_status = 1; },
      [](ParamSet& p) { p.Department(1).changed_price = 1; },
      [](ParamSet& p) { p.Department(8).changed_name = 1; },
      [](ParamSet& p) { p.Product(1).changed_status = 1; },
      [](ParamSet& p) { p.Product(250).changed_price = 1; },
      [](ParamSet& p) { p.Product(499).changed_name = 1; },
      [](ParamSet& p) { p.Operator(10).changed = 1; },
  };
  for (std::size_t i = 0; i < raise.size(); ++i) {
    Open(dir / "loja1.par");
    raise[i](state.params);
    desktop.save_names.push_back(dir / "loja1.par");
    desktop.answers = {BoxAnswer::kNo, BoxAnswer::kNo};
    EXPECT_EQ(SaveWorkflow(state, desktop), 1);
    EXPECT_EQ(desktop.messages.size(), 5u) << "case " << i;
  }
}

TEST_F(WorkflowTest, SameNameInOtherLetterCaseAsksNothing) {
  Open(dir / "Loja1.par");
  desktop.save_names.push_back(dir / "LOJA1.PAR");
  EXPECT_EQ(SaveWorkflow(state, desktop), 1);
  EXPECT_EQ(desktop.messages[0].title, "NOTA IMPORTANTE");
  EXPECT_TRUE(Exists(dir / "LOJA1.PAR"));
  EXPECT_TRUE(Exists(dir / "LOJA1.HTM"));
}

TEST_F(WorkflowTest, OtherNameAskedNoThenCancelledWritesNothing) {
  Open(dir / "a.par");
  desktop.save_names = {dir / "b.par", std::nullopt};
  desktop.answers = {BoxAnswer::kNo};
  EXPECT_EQ(SaveWorkflow(state, desktop), 0);
  EXPECT_TRUE(dir.Files().empty());
  ASSERT_EQ(desktop.messages.size(), 1u);
  const MessageBox& q = desktop.messages[0];
  EXPECT_EQ(q.title, "Pergunta:");
  EXPECT_EQ(q.text, kNameDiffers);
  EXPECT_EQ(q.icon, BoxIcon::kQuestion);
  EXPECT_EQ(q.buttons, BoxButtons::kYesNo);
  EXPECT_EQ(q.default_answer, BoxAnswer::kNo);
  // The dialog asks again with the previous choice, in the folder of the updated path.
  ASSERT_EQ(desktop.save_dialogs.size(), 2u);
  EXPECT_EQ(desktop.save_dialogs[1].title, desktop.save_dialogs[0].title);
  EXPECT_EQ(desktop.save_dialogs[1].file_name, "b.par");
  EXPECT_EQ(desktop.save_dialogs[1].directory, dir.Dir());
}

TEST_F(WorkflowTest, NameQuestionLoopsUntilYes) {
  Open(dir / "a.par");
  std::filesystem::create_directory(dir / "sub");
  desktop.save_names = {dir / "b.par", dir / "sub/c", dir / "d.par"};
  desktop.answers = {BoxAnswer::kNo, BoxAnswer::kNo, BoxAnswer::kYes};
  EXPECT_EQ(SaveWorkflow(state, desktop), 1);
  ASSERT_EQ(desktop.save_dialogs.size(), 3u);
  EXPECT_EQ(desktop.save_dialogs[2].file_name, "c");
  EXPECT_EQ(desktop.save_dialogs[2].directory, dir / "sub/");
  EXPECT_EQ(state.current_par_file, dir / "d.par");
  EXPECT_EQ(state.opened_par_file, dir / "a.par");
  EXPECT_TRUE(Exists(dir / "d.par"));
  EXPECT_FALSE(Exists(dir / "b.par"));
  EXPECT_FALSE(Exists(dir / "sub/c.par"));
}

TEST_F(WorkflowTest, ASecondSaveUnderTheNewNameAsksAgain) {
  Open(dir / "a.par");
  desktop.save_names = {dir / "b.par"};
  desktop.answers = {BoxAnswer::kYes, BoxAnswer::kNo};
  EXPECT_EQ(SaveWorkflow(state, desktop), 1);
  desktop.messages.clear();
  desktop.save_names = {dir / "b.par"};
  // b.par exists now and is not the file opened: replacing it is confirmed too.
  desktop.answers = {BoxAnswer::kYes, BoxAnswer::kYes, BoxAnswer::kNo};
  EXPECT_EQ(SaveWorkflow(state, desktop), 1);
  EXPECT_EQ(desktop.save_dialogs[1].file_name, "b.par");
  EXPECT_EQ(desktop.messages[0].text, kNameDiffers);
}

TEST_F(WorkflowTest, BeforeAnyOpenEverySaveAsks) {
  desktop.save_names = {dir / "Prog-QX-4810.par"};
  desktop.answers = {BoxAnswer::kYes, BoxAnswer::kNo};
  EXPECT_EQ(SaveWorkflow(state, desktop), 1);
  EXPECT_EQ(desktop.messages[0].text, kNameDiffers);
  EXPECT_TRUE(Exists(dir / "Prog-QX-4810.par"));
  EXPECT_TRUE(Exists(dir / "Prog-QX-4810.HTM"));
  EXPECT_TRUE(Exists(dir / "Prog-QX-4810-06-12-2026-14-05-09-RESUMO.HTM"));
}

TEST_F(WorkflowTest, NameWithoutExtensionIsSavedAsPar) {
  Open(dir / "caixa1.par");
  std::filesystem::create_directory(dir / "lojas.sp");
  desktop.save_names = {dir / "lojas.sp/caixa1"};
  EXPECT_EQ(SaveWorkflow(state, desktop), 1);
  EXPECT_EQ(state.current_par_file, dir / "lojas.sp/caixa1.par");
  EXPECT_EQ(dir.Files(), (std::vector<std::string>{"lojas.sp/caixa1-06-12-2026-14-05-09-RESUMO.HTM",
                                                   "lojas.sp/caixa1.HTM", "lojas.sp/caixa1.par"}));
}

TEST_F(WorkflowTest, ExtensionOfTwoLettersKeepsItInTheGuideName) {
  Open(dir / "loja.pa");
  desktop.save_names = {dir / "loja.pa"};
  EXPECT_EQ(SaveWorkflow(state, desktop), 1);
  EXPECT_EQ(dir.Files(), (std::vector<std::string>{
                             "loja.pa", "loja.pa-06-12-2026-14-05-09-RESUMO.HTM", "loja.pa.HTM"}));
}

TEST_F(WorkflowTest, TwoSavesInOneSecondShareTheSummaryName) {
  Open(dir / "loja1.par");
  state.params.Operator(1).changed = 1;
  for (int i = 0; i < 2; ++i) {
    desktop.save_names.push_back(dir / "loja1.par");
    desktop.answers = {BoxAnswer::kNo, BoxAnswer::kNo};
    EXPECT_EQ(SaveWorkflow(state, desktop), 1);
  }
  desktop.now.second = 10;
  desktop.save_names.push_back(dir / "loja1.par");
  desktop.answers = {BoxAnswer::kNo, BoxAnswer::kNo};
  EXPECT_EQ(SaveWorkflow(state, desktop), 1);
  EXPECT_EQ(dir.Files(), (std::vector<std::string>{"loja1-06-12-2026-14-05-09-RESUMO.HTM",
                                                   "loja1-06-12-2026-14-05-10-RESUMO.HTM",
                                                   "loja1.HTM", "loja1.par", "loja1.par.bak"}));
}

// A parameter file that was not written gets no note about keeping it; the guide and the
// summary are still written and offered.
TEST_F(WorkflowTest, AParFileThatCannotBeWrittenIsReportedAndTheRestGoesOn) {
  Open(dir / "loja1.par");
  std::filesystem::create_directory(dir / "loja1.par");  // a folder in the file's place
  desktop.save_names = {dir / "loja1.par"};
  bool written = true;
  EXPECT_EQ(SaveWorkflow(state, desktop, &written), 1);
  EXPECT_FALSE(written);
  ASSERT_GE(desktop.messages.size(), 2u);
  EXPECT_EQ(desktop.messages[0].title, "ERRO");
  EXPECT_EQ(desktop.messages[0].icon, BoxIcon::kError);
  EXPECT_EQ(desktop.messages[0].text,
            Win1252("ERRO NA CRIAÇÃO DO ARQUIVO\n") + (dir / "loja1.par"));
  EXPECT_EQ(desktop.messages[1].text, kViewGuide);
  for (const MessageBox& box : desktop.messages) EXPECT_NE(box.title, "NOTA IMPORTANTE");
  EXPECT_EQ(ReadFile(dir / "loja1.HTM"), BuildGuide(state.params));
  EXPECT_TRUE(Exists(dir / "loja1-06-12-2026-14-05-09-RESUMO.HTM"));
}

// A page that was not written is neither offered for viewing nor located.
TEST_F(WorkflowTest, APageThatWasNotWrittenIsNotOffered) {
  Open(dir / "loja1.par");
  state.params.Operator(1).changed = 1;
  std::filesystem::create_directory(dir / "loja1.HTM");
  std::filesystem::create_directory(dir / "loja1-06-12-2026-14-05-09-RESUMO.HTM");
  desktop.save_names = {dir / "loja1.par"};
  EXPECT_EQ(SaveWorkflow(state, desktop), 1);
  std::vector<std::string> titles;
  for (const MessageBox& box : desktop.messages) titles.push_back(box.title);
  EXPECT_EQ(titles, (std::vector<std::string>{"NOTA IMPORTANTE", "ERRO", "ERRO"}));
  EXPECT_EQ(desktop.messages[1].text,
            Win1252("ERRO NA CRIAÇÃO DO ARQUIVO\n") + (dir / "loja1.HTM"));
  EXPECT_EQ(desktop.messages[2].text, Win1252("ERRO NA CRIAÇÃO DO ARQUIVO RESUMO\n") +
                                          (dir / "loja1-06-12-2026-14-05-09-RESUMO.HTM"));
  EXPECT_TRUE(desktop.opened_documents.empty());
}

TEST_F(WorkflowTest, AParFileNamedLikeItsGuideIsNotOverwrittenByThePage) {
  Open(dir / "loja1.HTM");
  desktop.save_names = {dir / "loja1.HTM"};
  EXPECT_EQ(SaveWorkflow(state, desktop), 1);
  EXPECT_EQ(ReadFile(dir / "loja1.HTM"), FormatParFile(state.params));
  ASSERT_EQ(desktop.messages.size(), 3u);  // the note, the refusal, the summary's location
  EXPECT_EQ(desktop.messages[1].title, "ERRO");
  EXPECT_EQ(desktop.messages[2].title, kSummaryWhere);
  EXPECT_TRUE(Exists(dir / "loja1-06-12-2026-14-05-09-RESUMO.HTM"));
}

// Another customer's file of the same name in another folder is not replaced without a
// question; Não goes back to the file dialog.
TEST_F(WorkflowTest, ReplacingAnExistingFileThatWasNotOpenedIsConfirmed) {
  const std::string other = MakeParFile("clienteB/loja1.par");
  const std::string other_bytes = ReadFile(other);
  Open(MakeParFile("clienteA/loja1.par"));
  desktop.save_names = {other, std::nullopt};
  EXPECT_EQ(SaveWorkflow(state, desktop), 0);
  ASSERT_EQ(desktop.messages.size(), 1u);
  const MessageBox& q = desktop.messages[0];
  EXPECT_EQ(q.title, Win1252("ATENÇÃO"));
  EXPECT_EQ(q.text,
            "O arquivo\n" + other + Win1252("\njá existe e não é o arquivo aberto.\nSubstituir?"));
  EXPECT_EQ(q.buttons, BoxButtons::kYesNo);
  EXPECT_EQ(q.default_answer, BoxAnswer::kNo);
  EXPECT_EQ(desktop.save_dialogs.size(), 2u);
  EXPECT_EQ(ReadFile(other), other_bytes);

  desktop.messages.clear();
  desktop.save_names = {other};
  desktop.answers = {BoxAnswer::kYes, BoxAnswer::kNo};
  EXPECT_EQ(SaveWorkflow(state, desktop), 1);
  EXPECT_EQ(desktop.messages[1].title, "NOTA IMPORTANTE");
  EXPECT_TRUE(Exists(dir / "clienteB/loja1.par.bak"));
}

// Two programs on one customer file: when the file on disk changed after it was opened, the
// save asks first (default Não: nothing is written and the edits stay in memory). A file
// rewritten with the same bytes or removed holds nothing to lose; after a save of its own the
// program asks nothing about what it wrote itself.
TEST_F(WorkflowTest, AFileChangedByAnotherProgramIsReplacedOnlyOnSim) {
  enum Other { kSameBytes, kRewrites, kRemoves };
  struct Case {
    const char* name;  // a new customer file when it does not exist yet
    bool exists_at_open;
    Other other;
    std::optional<BoxAnswer> answer;  // nothing: no question
  } cases[] = {
      {"a/loja1.par", true, kSameBytes, {}},
      {"b/loja1.par", true, kRewrites, BoxAnswer::kYes},
      {"c/loja1.par", true, kRemoves, {}},
      {"d/novo.par", false, kRewrites, BoxAnswer::kNo},
  };
  for (const Case& c : cases) {
    const std::string path = c.exists_at_open ? MakeParFile(c.name) : dir / c.name;
    Open(path);
    state.params.Department(3).name = "CHA";
    const std::string other_bytes = "P0530|D03|CAFE COM LEITE\r\n";
    if (c.other == kSameBytes) WriteFile(path, ReadFile(path));
    if (c.other == kRewrites) {
      std::filesystem::create_directories(std::filesystem::path(path).parent_path());
      WriteFile(path, other_bytes);
    }
    if (c.other == kRemoves) std::filesystem::remove(path);

    desktop.save_names = {path};
    desktop.answers.clear();
    if (c.answer) desktop.answers.push_back(*c.answer);
    desktop.answers.push_back(BoxAnswer::kNo);  // do not view the guide
    const bool kept = c.answer == BoxAnswer::kNo;
    EXPECT_EQ(SaveWorkflow(state, desktop), kept ? 0 : 1) << c.name;
    ASSERT_FALSE(desktop.messages.empty()) << c.name;
    const MessageBox& first = desktop.messages[0];
    if (c.answer) {
      EXPECT_EQ(first.text, "O arquivo\n" + path +
                                "\nfoi alterado por outro programa depois de aberto.\n"
                                "Substituir assim mesmo?");
      EXPECT_EQ(first.buttons, BoxButtons::kYesNo);
      EXPECT_EQ(first.default_answer, BoxAnswer::kNo);
    } else {
      EXPECT_EQ(first.title, "NOTA IMPORTANTE") << c.name;
    }
    EXPECT_EQ(state.params.Department(3).name, "CHA");
    if (kept) {
      EXPECT_EQ(desktop.messages.size(), 1u);
      EXPECT_EQ(ReadFile(path), other_bytes) << c.name;
      continue;
    }
    EXPECT_EQ(ReadFile(path), FormatParFile(state.params)) << c.name;
    desktop.messages.clear();
    desktop.save_names = {path};
    desktop.answers = {BoxAnswer::kNo};
    EXPECT_EQ(SaveWorkflow(state, desktop), 1) << c.name;
    EXPECT_EQ(desktop.messages[0].title, "NOTA IMPORTANTE") << "a second save: " << c.name;
  }
}

// A file that exists but could not be read is not new: it is reported with its path, and
// the defaults shown instead are never saved over it.
TEST_F(WorkflowTest, AnUnreadableFileIsReportedAndNeverSavedOver) {
  const std::string path = dir / "loja1.par";
  std::filesystem::create_directory(path);  // exists, cannot be read as a file
  desktop.open_names.push_back(path);
  EXPECT_EQ(OpenWorkflow(state, desktop), 1);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].title, "ERRO");
  EXPECT_EQ(desktop.messages[0].text, "ERRO NA LEITURA DO ARQUIVO\n" + path);
  desktop.messages.clear();

  desktop.save_names = {path, dir / "outro.par"};
  desktop.answers = {BoxAnswer::kYes, BoxAnswer::kNo};  // names differ; no guide viewing
  bool written = false;
  EXPECT_EQ(SaveWorkflow(state, desktop, &written), 1);
  EXPECT_TRUE(written);
  EXPECT_EQ(desktop.messages[0].title, "ERRO");
  EXPECT_EQ(desktop.messages[0].text.rfind("ERRO NA LEITURA DO ARQUIVO\n" + path, 0), 0u);
  EXPECT_EQ(desktop.save_dialogs.size(), 2u);
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_TRUE(Exists(dir / "outro.par"));
}

#ifndef _WIN32
// A file that a killed save left damaged: the open names the file and its backup and offers
// to restore it (default: leave it). Sim puts the backup back and loads it; Não leaves the
// file, which is then never saved over.
TEST_F(WorkflowTest, ADamagedFileIsRestoredOnlyWhenTheUserSaysSoAndNeverSavedOver) {
  for (const BoxAnswer answer : {BoxAnswer::kYes, BoxAnswer::kNo}) {
    const std::string path = MakeParFile("loja1.par");
    const std::string good = ReadFile(path);
    ASSERT_TRUE(qx::test::LeaveInterruptedSave(path, BackupFileName(path)));
    desktop.messages.clear();
    desktop.open_names.push_back(path);
    desktop.answers = {answer};
    EXPECT_EQ(OpenWorkflow(state, desktop), 1);
    ASSERT_FALSE(desktop.messages.empty());
    const MessageBox& offer = desktop.messages[0];
    EXPECT_EQ(offer.default_answer, BoxAnswer::kNo);
    EXPECT_NE(offer.text.find(path + "\n"), std::string::npos) << offer.text;
    EXPECT_NE(offer.text.find(BackupFileName(path)), std::string::npos) << offer.text;
    if (answer == BoxAnswer::kYes) {
      EXPECT_EQ(ReadFile(path), good);
      EXPECT_EQ(state.params.Department(3).name, "CAFE");
      EXPECT_TRUE(state.unread_par_file.empty());
      continue;
    }
    const std::string damaged = ReadFile(path);
    desktop.messages.clear();
    desktop.save_names = {path};  // refused: the dialog is cancelled next
    EXPECT_EQ(SaveWorkflow(state, desktop), 0);
    EXPECT_EQ(ReadFile(path), damaged);
    EXPECT_EQ(ReadFile(BackupFileName(path)), good);
  }
}
#endif

}  // namespace
}  // namespace qx::ui::testing
