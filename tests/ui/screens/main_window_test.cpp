#include "ui/screens/main_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "../fakes.h"
#include "../ui_test_support.h"
#include "common/cp1252.h"
#include "guide/guide.h"
#include "parfile/par_file.h"
#include "ui/screens/editors.h"

namespace qx::ui::testing {
namespace {

constexpr int kSeven[] = {kIdSaveFile,     kIdDepartments,  kIdProducts,   kIdOperators,
                          kIdFunctionKeys, kIdHeaderFooter, kIdMiscOptions};

TEST(MainWindowTemplate, HoldsEveryControlWithItsLabelKindAndHelp) {
  const FormTemplate& f = MainWindowTemplate();
  EXPECT_EQ(f.resource_id, 101);
  EXPECT_EQ(f.width, 324);
  EXPECT_EQ(f.height, 222);
  EXPECT_TRUE(f.has_minimize);
  EXPECT_EQ(f.icon_id, 121);
  struct Row {
    int id;
    const char* label;
    ControlKind kind;
    bool has_help;
  } rows[] = {
      {1000, "NOVO\nABRE arquivo", ControlKind::kDefaultPushButton, true},
      {1001, "SALVAR arquivo", ControlKind::kPushButton, true},
      {1009, "SOBRE", ControlKind::kPushButton, false},
      {1002, "DEPARTAMENTOS", ControlKind::kPushButton, true},
      {1004, "PRODUTOS", ControlKind::kPushButton, true},
      {1046, "EMPREGADOS", ControlKind::kPushButton, true},
      {1006, "TECLAS de FUNÇÃO", ControlKind::kPushButton, true},
      {1007, "LOGO", ControlKind::kPushButton, true},
      {1008, "DIVERSOS", ControlKind::kPushButton, true},
      {1, "OK", ControlKind::kDefaultPushButton, false},
      {2, "Cancel", ControlKind::kPushButton, false},
  };
  for (const Row& r : rows) {
    const ControlTemplate* c = f.Find(r.id);
    ASSERT_NE(c, nullptr) << r.id;
    EXPECT_EQ(c->label, Win1252(r.label)) << r.id;
    EXPECT_EQ(c->kind, r.kind) << r.id;
    EXPECT_EQ(!c->help.empty(), r.has_help) << r.id;
    // Inside the form.
    EXPECT_GT(c->width, 0);
    EXPECT_LE(c->x + c->width, f.width) << r.id;
    EXPECT_LE(c->y + c->height, f.height) << r.id;
  }
  EXPECT_EQ(f.Find(1000)->help,
            Win1252(" Permite abrir o arquivo que tem a \n programação salva ou criar um "
                    "arquivo \n com novos parâmetros."));
  EXPECT_EQ(f.Find(1001)->help,
            Win1252(" Salva os parâmetros em um arquivo.\n Gera arquivo HTML lido por um editor "
                    "de INTERNET,\n contendo toda  a  programação e outro arquivo do \n mesmo "
                    "tipo com um resumo dos departamentos,produtos\n e operadores alterados."));
  EXPECT_EQ(f.Find(1046)->help,
            Win1252(" Permite programar OPERADORES.\nAté 10 operadores poderão ser ativados."));
  EXPECT_EQ(f.Find(1008)->help,
            Win1252(" Parâmetros de sistema e de impressão são \nalterados aqui."));
  int logos = 0;
  for (const ControlTemplate& c : f.controls)
    if (c.kind == ControlKind::kPicture && c.image_id == kLogoBitmapId) ++logos;
  EXPECT_EQ(logos, 1);
}

TEST(AboutBoxTest, TitleVersionLineAndClosing) {
  EXPECT_EQ(GetProductVersion(), "1, 1, 0, 0");
  AboutBox about;
  EXPECT_EQ(about.Template().resource_id, 120);
  FakeFormView view(about.Template());
  about.OnOpen(view);
  EXPECT_EQ(view.title, "QX-4810  SOBRE  APLICATIVO");
  EXPECT_EQ(view.texts[kIdAboutVersion],
            Win1252("Versão:   1, 1, 0, 0    a partir de 1 de agosto de 2013"));
  EXPECT_EQ(view.focus, kIdOk);
  // The version line is the form's first static text.
  for (const ControlTemplate& c : about.Template().controls) {
    if (c.kind == ControlKind::kStaticText || c.kind == ControlKind::kCenteredText) {
      EXPECT_EQ(c.id, kIdAboutVersion);
      break;
    }
  }
  about.OnCommand(view, kIdOk);
  EXPECT_EQ(view.closed, 1);
  FakeFormView esc(about.Template());
  about.OnCloseCommand(esc);
  EXPECT_EQ(esc.closed, 0);
}

#ifdef _WIN32
TEST(DefaultParFileTest, IsTheKorvaFolderOfDriveC) {
  ScopedEnvironment home("HOME", "c:\\users\\ana");
  EXPECT_EQ(DefaultParFile(), "c:\\KORVA\\Prog-QX-4810.par");
}
#else
TEST(DefaultParFileTest, LivesUnderTheHomeFolder) {
  {
    ScopedEnvironment home("HOME", "/home/ana");
    EXPECT_EQ(DefaultParFile(), "/home/ana/KORVA/Prog-QX-4810.par");
  }
  ScopedEnvironment home("HOME", "/home/ana/");
  EXPECT_EQ(DefaultParFile(), "/home/ana/KORVA/Prog-QX-4810.par");
}
#endif

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartState(state, dir / "Prog-QX-4810.par");
    window.OnOpen(view);
  }

  bool Unlocked() const {
    for (int id : kSeven)
      if (!view.IsEnabled(id)) return false;
    return true;
  }
  bool Locked() const {
    for (int id : kSeven)
      if (view.IsEnabled(id)) return false;
    return true;
  }
  void OpenFile(const std::string& name) {
    desktop.open_names.push_back(dir / name);
    view.Click(window, kIdOpenFile);
  }
  // A save of the opened file: no name question; "No" to viewing the guide and summary.
  void ScriptSave(const std::string& name) {
    desktop.save_names.push_back(dir / name);
    desktop.answers.push_back(BoxAnswer::kNo);
    desktop.answers.push_back(BoxAnswer::kNo);
  }
  std::size_t Questions(const std::string& text) const {
    std::size_t n = 0;
    for (const MessageBox& b : desktop.messages)
      if (b.text == text) ++n;
    return n;
  }

  ScratchDir dir;
  AppState state;
  ScriptedDesktop desktop;
  MainWindow window{state, desktop};
  FakeFormView view{window.Template()};
  const std::string kSaveQuestion = Win1252("Deseja salvar as alterações ?");
  const std::string kDiscardQuestion =
      Win1252("As alterações não foram salvas.\nDescartar as alterações?");
};

TEST_F(MainWindowTest, OpensLockedWithTitleAndFocus) {
  EXPECT_EQ(view.title, Win1252("QX-4810  PROGRAMAÇÃO  Versão: 1, 1, 0, 0"));
  EXPECT_TRUE(Locked());
  for (int id : {kIdOpenFile, kIdAbout, kIdOk, kIdCancel}) EXPECT_TRUE(view.IsEnabled(id)) << id;
  EXPECT_EQ(view.focus, kIdOpenFile);
  EXPECT_FALSE(view.closed);
}

TEST_F(MainWindowTest, CancelledFirstOpenStaysLockedAndAsksNothing) {
  view.Click(window, kIdOpenFile);
  EXPECT_TRUE(Locked());
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(desktop.open_dialogs.size(), 1u);
  EXPECT_EQ(state.current_par_file, dir / "Prog-QX-4810.par");
}

// The path line names the file the edits belong to: nothing before an open, the file opened,
// then the file a save wrote (under another name too); a cancelled open or save changes
// nothing, and neither does a save that asked for a name and then was cancelled.
TEST_F(MainWindowTest, PathLineShowsTheFileInUse) {
  const auto line = [&] { return view.GetText(kIdFileInUse, 1000); };
  const auto shows = [&](const std::string& name) {
    return Win1252("Arquivo: " + (dir / name));  // the path as boxes show it
  };
  EXPECT_EQ(line(), "");
  view.Click(window, kIdOpenFile);  // cancelled
  EXPECT_EQ(line(), "");

  OpenFile("preço.par");
  EXPECT_EQ(line(), shows("preço.par"));
  view.Click(window, kIdOpenFile);  // cancelled
  EXPECT_EQ(line(), shows("preço.par"));

  // Saved under another name: Sim to the question about the other name.
  desktop.save_names.push_back(dir / "loja2.par");
  desktop.answers = {BoxAnswer::kYes, BoxAnswer::kNo, BoxAnswer::kNo};
  view.Click(window, kIdSaveFile);
  ASSERT_TRUE(std::filesystem::exists(dir / "loja2.par"));
  EXPECT_EQ(line(), shows("loja2.par"));

  // Another name refused, then the dialog that asks again cancelled: nothing was written.
  desktop.save_names = {dir / "loja3.par", std::nullopt};
  desktop.answers = {BoxAnswer::kNo};
  view.Click(window, kIdSaveFile);
  EXPECT_EQ(line(), shows("loja2.par"));
}

// Closing the department grid by its window control saves; the line follows that save too.
TEST_F(MainWindowTest, PathLineFollowsASaveMadeFromTheDepartmentGrid) {
  OpenFile("loja1.par");
  desktop.form_scripts["DeptGrid"] = [&](Presenter& p, FakeFormView& v) {
    desktop.save_names.push_back(dir / "loja9.par");
    desktop.answers = {BoxAnswer::kYes, BoxAnswer::kNo, BoxAnswer::kNo};
    p.OnCloseCommand(v);
  };
  view.Click(window, kIdDepartments);
  EXPECT_EQ(view.GetText(kIdFileInUse, 1000), Win1252("Arquivo: " + (dir / "loja9.par")));
}

TEST_F(MainWindowTest, OpenUnlocksForTheRestOfTheRun) {
  OpenFile("loja1.par");
  EXPECT_TRUE(Unlocked());
  view.Click(window, kIdOpenFile);  // cancelled
  EXPECT_TRUE(Unlocked());
  EXPECT_EQ(state.opened_par_file, dir / "loja1.par");
}

TEST_F(MainWindowTest, UnsavedChangesBeforeOpenNoSkipsTheSave) {
  OpenFile("loja1.par");
  state.params_modified = true;
  desktop.answers = {BoxAnswer::kNo};
  desktop.messages.clear();
  OpenFile("loja2.par");
  ASSERT_EQ(desktop.messages.size(), 2u);  // the question, then the new file's notice
  const MessageBox& q = desktop.messages[0];
  EXPECT_EQ(q.title, "alerta");
  EXPECT_EQ(q.text, kSaveQuestion);
  EXPECT_EQ(q.icon, BoxIcon::kQuestion);
  EXPECT_EQ(q.buttons, BoxButtons::kYesNo);
  EXPECT_TRUE(desktop.save_dialogs.empty());
  EXPECT_EQ(state.opened_par_file, dir / "loja2.par");
  EXPECT_FALSE(state.params_modified);
  EXPECT_TRUE(dir.Files().empty());
}

TEST_F(MainWindowTest, UnsavedChangesBeforeOpenYesSavesThenOpens) {
  OpenFile("loja1.par");
  state.params.Department(2).name = "PADARIA";
  state.params_modified = true;
  desktop.answers = {BoxAnswer::kYes};
  ScriptSave("loja1.par");
  OpenFile("loja2.par");
  EXPECT_EQ(desktop.save_dialogs.size(), 1u);
  EXPECT_EQ(desktop.open_dialogs.size(), 2u);
  ParamSet saved;
  LoadParFile(saved, dir / "loja1.par");
  EXPECT_EQ(saved.Department(2).name, "PADARIA");
  EXPECT_EQ(state.opened_par_file, dir / "loja2.par");
  EXPECT_FALSE(state.params_modified);
}

// The user wanted the edits saved, and they were not: they are dropped only on a second,
// explicit answer, and Não keeps them without showing the open dialog.
TEST_F(MainWindowTest, YesWithACancelledSaveAsksBeforeDroppingTheEdits) {
  OpenFile("loja1.par");
  state.params.Department(2).name = "PADARIA";
  state.params_modified = true;
  desktop.answers = {BoxAnswer::kYes, BoxAnswer::kNo};
  desktop.save_names.push_back(std::nullopt);
  OpenFile("loja2.par");
  EXPECT_EQ(Questions(kDiscardQuestion), 1u);
  EXPECT_EQ(desktop.open_dialogs.size(), 1u);
  EXPECT_EQ(state.opened_par_file, dir / "loja1.par");
  EXPECT_EQ(state.params.Department(2).name, "PADARIA");
  EXPECT_TRUE(state.params_modified);

  desktop.answers = {BoxAnswer::kYes, BoxAnswer::kYes};
  desktop.save_names.push_back(std::nullopt);
  desktop.open_names.clear();
  OpenFile("loja2.par");
  EXPECT_EQ(desktop.open_dialogs.size(), 2u);
  EXPECT_EQ(state.opened_par_file, dir / "loja2.par");
  EXPECT_FALSE(state.params_modified);  // the set now holds the opened file
}

TEST_F(MainWindowTest, CancelledOpenAndCancelledSaveKeepTheEditsUnsaved) {
  OpenFile("loja1.par");
  state.params_modified = true;
  desktop.answers = {BoxAnswer::kNo};
  view.Click(window, kIdOpenFile);  // open dialog cancelled
  EXPECT_TRUE(state.params_modified);
  desktop.answers = {BoxAnswer::kYes};
  desktop.save_names.push_back(std::nullopt);
  view.Click(window, kIdOpenFile);  // save and open both cancelled
  EXPECT_TRUE(state.params_modified);
  view.Click(window, kIdSaveFile);  // save cancelled
  EXPECT_TRUE(state.params_modified);
  EXPECT_TRUE(dir.Files().empty());
}

TEST_F(MainWindowTest, SaveButtonClearsTheFlagOnlyAfterAWrite) {
  OpenFile("loja1.par");
  state.params_modified = true;
  ScriptSave("loja1.par");
  view.Click(window, kIdSaveFile);
  EXPECT_FALSE(state.params_modified);
  EXPECT_TRUE(Exists(dir / "loja1.par"));
  EXPECT_FALSE(view.closed);
}

TEST_F(MainWindowTest, OkOnAFreshStartProposesTheDefaultFile) {
  desktop.save_names.push_back(std::nullopt);
  view.Click(window, kIdOk);
  ASSERT_EQ(desktop.save_dialogs.size(), 1u);
  EXPECT_EQ(desktop.save_dialogs[0].file_name, "Prog-QX-4810.par");
  EXPECT_EQ(desktop.save_dialogs[0].directory, dir.Dir());
  EXPECT_FALSE(view.closed);
}

TEST_F(MainWindowTest, OkSavesAndCloses) {
  OpenFile("loja1.par");
  state.params_modified = true;
  ScriptSave("loja1.par");
  view.Click(window, kIdOk);
  EXPECT_EQ(view.closed, kIdOk);
  EXPECT_FALSE(state.params_modified);
  EXPECT_TRUE(Exists(dir / "loja1.par"));
}

TEST_F(MainWindowTest, OkWithCancelledSaveStaysOpenAndCancelStillOffersTheSave) {
  OpenFile("loja1.par");
  state.params_modified = true;
  desktop.save_names.push_back(std::nullopt);
  view.Click(window, kIdOk);
  EXPECT_FALSE(view.closed);
  EXPECT_TRUE(state.params_modified);
  ScriptSave("loja1.par");
  view.Click(window, kIdCancel);
  EXPECT_EQ(desktop.save_dialogs.size(), 2u);
  EXPECT_TRUE(Exists(dir / "loja1.par"));
  EXPECT_EQ(view.closed, 0);
}

TEST_F(MainWindowTest, CancelWithoutChangesClosesAtOnce) {
  view.Click(window, kIdCancel);
  EXPECT_EQ(view.closed, 0);
  EXPECT_TRUE(desktop.save_dialogs.empty());
  FakeFormView other(window.Template());
  window.OnCloseCommand(other);
  EXPECT_EQ(other.closed, 0);
}

// Cancel, Esc and the close box with unsaved edits and a cancelled save: the program ends
// only when the user agrees to drop the edits (the default keeps them).
TEST_F(MainWindowTest, CancelWithChangesWhoseSaveIsCancelledAsksBeforeClosing) {
  OpenFile("loja1.par");
  state.params_modified = true;
  window.OnCloseCommand(view);  // the default answer: Não
  EXPECT_EQ(desktop.save_dialogs.size(), 1u);
  ASSERT_EQ(Questions(kDiscardQuestion), 1u);
  const MessageBox& q = desktop.messages.back();
  EXPECT_EQ(q.title, Win1252("ATENÇÃO"));
  EXPECT_EQ(q.buttons, BoxButtons::kYesNo);
  EXPECT_EQ(q.default_answer, BoxAnswer::kNo);
  EXPECT_FALSE(view.closed);
  EXPECT_TRUE(state.params_modified);

  desktop.answers = {BoxAnswer::kYes};
  view.Click(window, kIdCancel);
  EXPECT_EQ(view.closed, 0);
  EXPECT_TRUE(dir.Files().empty());
}

TEST_F(MainWindowTest, AFailedWriteKeepsTheWindowOpenAndTheEditsUnsaved) {
  OpenFile("loja1.par");
  std::filesystem::create_directory(dir / "loja1.par");  // cannot be written
  state.params_modified = true;
  desktop.messages.clear();
  for (int id : {kIdSaveFile, kIdOk, kIdCancel}) {
    ScriptSave("loja1.par");
    view.Click(window, id);
    EXPECT_FALSE(view.closed) << id;
    EXPECT_TRUE(state.params_modified) << id;
  }
  const std::string error = Win1252("ERRO NA CRIAÇÃO DO ARQUIVO\n") + (dir / "loja1.par");
  EXPECT_EQ(Questions(error), 3u);
  EXPECT_EQ(Questions(kDiscardQuestion), 1u);  // after the Cancel
}

TEST_F(MainWindowTest, AboutHidesTheWindowAndRestoresIt) {
  std::string title;
  desktop.form_scripts["AboutBox"] = [&](Presenter& p, FakeFormView& v) {
    title = v.title;
    EXPECT_TRUE(view.hidden);
    p.OnCommand(v, kIdOk);
  };
  view.Click(window, kIdAbout);
  EXPECT_EQ(desktop.forms_run, std::vector<std::string>{"AboutBox"});
  EXPECT_EQ(title, "QX-4810  SOBRE  APLICATIVO");
  EXPECT_EQ(view.hide_count, 1);
  EXPECT_EQ(view.restore_count, 1);
  EXPECT_FALSE(view.hidden);
}

TEST_F(MainWindowTest, EditorButtonsHideTheWindowAroundTheirForm) {
  OpenFile("loja1.par");
  struct Editor {
    int id;
    std::unique_ptr<Presenter> (*make)(AppState&, Desktop&);
  } editors[] = {{kIdDepartments, MakeDeptGrid},
                 {kIdProducts, MakeProductEditor},
                 {kIdOperators, MakeOperatorEditor},
                 {kIdFunctionKeys, MakeFunctionKeyEditor},
                 {kIdHeaderFooter, MakeHeaderFooterEditor},
                 {kIdMiscOptions, MakeMiscOptionsEditor}};
  int runs = 0;
  for (const Editor& e : editors) {
    std::unique_ptr<Presenter> probe = e.make(state, desktop);
    const std::size_t before = desktop.forms_run.size();
    view.Click(window, e.id);
    if (probe) {
      // The form closes in whatever way its script leaves it; the window comes back.
      ++runs;
      ASSERT_EQ(desktop.forms_run.size(), before + 1) << e.id;
      EXPECT_EQ(desktop.forms_run.back(), probe->Template().name);
    } else {
      EXPECT_EQ(desktop.forms_run.size(), before) << e.id;  // nothing to open yet
    }
    EXPECT_EQ(view.hide_count, runs) << e.id;
    EXPECT_EQ(view.restore_count, runs) << e.id;
    EXPECT_FALSE(view.hidden);
  }
}

// Start-up: defaults, the default file proposed, the main window run once.
TEST(RunApplicationTest, StartsWithDefaultsAndEndsWithZero) {
  ScratchDir dir;
  ScopedEnvironment home("HOME", dir.Dir());
  auto owned = std::make_unique<AppState>();
  AppState& state = *owned;
  state.opened_par_file = "x";
  state.params.Department(1).name = "X";
  ScriptedDesktop desktop;
  desktop.form_scripts["MainWindow"] = [&](Presenter& p, FakeFormView& v) {
#ifdef _WIN32
    EXPECT_EQ(state.current_par_file, "c:\\KORVA\\Prog-QX-4810.par");
#else
    EXPECT_EQ(state.current_par_file, dir / "KORVA/Prog-QX-4810.par");
#endif
    EXPECT_EQ(state.opened_par_file, "");
    EXPECT_EQ(state.params.Department(1).name, "");
    EXPECT_FALSE(v.IsEnabled(kIdSaveFile));
    p.OnCommand(v, kIdCancel);
    EXPECT_EQ(v.closed, 0);
  };
  EXPECT_EQ(RunApplication(state, desktop), 0);
  EXPECT_EQ(desktop.forms_run, std::vector<std::string>{"MainWindow"});
}

// A parameter file named on the command line: opened as the window comes up, exactly as a
// file chosen in the open dialog (no dialog shown, everything unlocked, nothing unsaved);
// a name without extension gets ".par", and a missing file starts from the defaults.
TEST(RunApplicationTest, AFileNamedOnTheCommandLineIsOpenedAsIfChosen) {
  struct Case {
    std::string given;  // relative to the scratch folder
    std::string opened;
    std::string dept3;
  };
  const Case cases[] = {{"loja1.par", "loja1.par", "CAFE"},
                        {"loja1", "loja1.par", "CAFE"},
                        {"nova.par", "nova.par", ""}};
  for (const Case& c : cases) {
    ScratchDir dir;
    std::filesystem::copy_file(QX_TEST_DATA_DIR "/loja1.par", dir / "loja1.par");
    auto owned = std::make_unique<AppState>();
    AppState& state = *owned;
    ScriptedDesktop desktop;
    bool ran = false;
    desktop.form_scripts["MainWindow"] = [&](Presenter& p, FakeFormView& v) {
      ran = true;
      EXPECT_EQ(state.opened_par_file, dir / c.opened) << c.given;
      EXPECT_EQ(state.current_par_file, dir / c.opened) << c.given;
      EXPECT_EQ(state.params.Department(3).name, c.dept3) << c.given;
      EXPECT_FALSE(state.params_modified) << c.given;
      for (int id : {kIdSaveFile, kIdDepartments, kIdProducts, kIdOperators, kIdFunctionKeys,
                     kIdHeaderFooter, kIdMiscOptions})
        EXPECT_TRUE(v.IsEnabled(id)) << c.given << " " << id;
      EXPECT_EQ(v.focus, kIdOpenFile) << c.given;
      p.OnCommand(v, kIdCancel);
      EXPECT_EQ(v.closed, 0) << c.given;
    };
    EXPECT_EQ(RunApplication(state, desktop, dir / c.given), 0);
    EXPECT_TRUE(ran);
    EXPECT_TRUE(desktop.open_dialogs.empty()) << c.given;
    // Only the new file's notice ("alerta"), as after the open dialog.
    EXPECT_EQ(desktop.messages.size(), c.dept3.empty() ? 1u : 0u) << c.given;
  }
}

}  // namespace
}  // namespace qx::ui::testing
