// The batch guide tool: the command line, the markers of a file against an older one, and
// the program itself run on sample parameter files.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "guide/guide.h"
#include "guide_tool.h"
#include "parfile/par_file.h"
#include "tool_runner.h"
#ifndef _WIN32
#include "../support/interrupted_save.h"
#endif

namespace qx::tool {
namespace {

namespace fs = std::filesystem;

std::optional<GuideToolOptions> Parse(std::vector<std::string> args, std::string* error = nullptr) {
  std::string message;
  auto options = ParseGuideToolArguments(args, message);
  if (error) *error = message;
  return options;
}

TEST(GuideToolArguments, AcceptsOptionsInAnyOrder) {
  const auto options = Parse(
      {"a.par", "--since", "old.par", "-o", "g.HTM", "--summary", "s.HTM", "--save", "out.par"});
  ASSERT_TRUE(options);
  EXPECT_EQ(options->inputs, std::vector<std::string>{"a.par"});
  EXPECT_EQ(options->guide_path, "g.HTM");
  EXPECT_EQ(options->since_path, "old.par");
  EXPECT_EQ(options->summary_path, "s.HTM");
  EXPECT_EQ(options->save_path, "out.par");
  EXPECT_TRUE(Parse({"--", "-odd.par"}));
}

TEST(GuideToolArguments, RefusesWhatWouldWriteSeveralFilesToOneName) {
  const std::vector<std::vector<std::string>> refused = {
      {},
      {"-o", "g.HTM", "a.par", "b.par"},
      {"--save", "x.par", "a.par", "b.par"},
      {"--summary", "s.HTM", "a.par"},
      {"--since", "old.par", "--summary", "s.HTM", "a.par", "b.par"},
      {"--since"},
      {"-x", "a.par"},
  };
  for (const auto& args : refused) {
    std::string error;
    EXPECT_FALSE(Parse(args, &error)) << args.size();
    EXPECT_FALSE(error.empty());
  }
  EXPECT_TRUE(Parse({"--since", "old.par", "a.par", "b.par"}));
  EXPECT_TRUE(Parse({"--help"})->help);
}

// An argument beginning with '-' is an option or an error, never a file to read or write.
TEST(GuideToolArguments, NoArgumentBeginningWithADashIsTakenAsAFile) {
  const std::vector<std::vector<std::string>> refused = {
      {"-"},
      {"-o", "--save", "a.par"},
      {"--since", "-x.par", "a.par"},
      {"--save", "-", "a.par"},
  };
  for (const auto& args : refused) {
    SCOPED_TRACE(args.front() + " " + args.back());
    std::string error;
    EXPECT_FALSE(Parse(args, &error));
    EXPECT_NE(error.find(args.front() == "-" || args.back() == "-" ? "\"-\"" : "-"),
              std::string::npos);
  }
  EXPECT_EQ(Parse({"--", "-", "-x.par"})->inputs, (std::vector<std::string>{"-", "-x.par"}));
  EXPECT_EQ(Parse({"-o", "./-g.HTM", "./-x.par"})->guide_path, "./-g.HTM");
  for (const char* flag : {"-v", "--version"}) EXPECT_TRUE(Parse({flag})->version) << flag;
}

// The real program, run in a fresh folder.
class GuideToolRun : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() /
        ("qx_tool_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Sample(const std::string& name) {
    const fs::path copy = dir_ / name;
    fs::copy_file(fs::path(QX_TEST_DATA_DIR) / name, copy, fs::copy_options::overwrite_existing);
    return copy;
  }
  // Runs the program with UTF-8 arguments; its output goes to out.txt and err.txt.
  int Run(const std::vector<std::string>& args) {
    return RunTool(QX_GUIDE_TOOL, args, dir_ / "out.txt", dir_ / "err.txt");
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  std::string Err() { return Read(dir_ / "err.txt"); }
  // What the program holds after opening the file.
  static ParamSet Opened(const fs::path& path) {
    ParamSet params;
    const std::u8string utf8 = path.u8string();
    LoadParFile(params, std::string(utf8.begin(), utf8.end()));
    params.print_options.print_ejournal = '0';
    params.print_options.print_training_message = '0';
    return params;
  }
  std::set<std::string> Listing() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_))
      names.insert(entry.path().filename().string());
    return names;
  }
#ifndef _WIN32
  // When the tests run as root, the tool runs as the user nobody from a copy that user can
  // reach (the checkout may be in a folder only root can enter). Empty when that is not
  // possible; as an ordinary user, the tool itself.
  std::string CopyToolForAnyUser() {
    if (::geteuid() != 0) return QX_GUIDE_TOOL;
    if (std::system("command -v runuser >/dev/null 2>&1") != 0) return {};
    const fs::path copy = dir_ / "qx4810-guide";
    fs::copy_file(QX_GUIDE_TOOL, copy);
    fs::permissions(dir_, fs::perms::all);
    fs::permissions(copy, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec |
                              fs::perms::group_read | fs::perms::others_read);
    for (const auto& entry : fs::directory_iterator(dir_))
      EXPECT_EQ(::lchown(entry.path().c_str(), 65534, 65534), 0) << entry.path();
    return copy.string();
  }
  int RunAs(const std::string& tool, const std::vector<std::string>& args) {
    std::string command = ::geteuid() == 0 ? "runuser -u nobody -- " : "";
    command += "'" + tool + "'";
    for (const std::string& arg : args) command += " '" + arg + "'";
    command += " >'" + (dir_ / "out.txt").string() + "' 2>'" + (dir_ / "err.txt").string() + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
#endif
  fs::path dir_;
};

TEST_F(GuideToolRun, WritesTheGuideUnderTheDerivedNameAsTheProgramWould) {
  const fs::path par = Sample("loja1.par");
  EXPECT_EQ(Run({par.string()}), 0) << Err();
  EXPECT_EQ(Read(dir_ / "loja1.HTM"), BuildGuide(Opened(par)));
}

TEST_F(GuideToolRun, AccentedNamesReachTheProgramIntact) {
  const std::string name = "caixa \xC3\xA7\xC3\xA3o \xE2\x82\xAC";  // "caixa ção €"
  const fs::path folder = dir_ / fs::path(std::u8string(u8"lojas S\u00E3o Jo\u00E3o"));
  fs::create_directories(folder);
  const fs::path par = folder / fs::path(std::u8string(name.begin(), name.end()) + u8".par");
  fs::copy_file(fs::path(QX_TEST_DATA_DIR) / "loja1.par", par);
  const std::u8string par_text = par.u8string();
  ASSERT_EQ(Run({std::string(par_text.begin(), par_text.end())}), 0) << Err();
  const fs::path guide = folder / fs::path(std::u8string(name.begin(), name.end()) + u8".HTM");
  EXPECT_EQ(Read(guide), BuildGuide(Opened(par)));
}

TEST_F(GuideToolRun, PrintOptions24And25AreSwitchedOffAsOnOpening) {
  const fs::path par = dir_ / "jornal.par";
  std::ofstream(par, std::ios::binary)
      << "P0040|1|1|R$|US$|0|1|1|1|1|1|1|0|1|1|0|0|0|1|1|0|0|1|1|1|1|0|1\r\n";
  ASSERT_EQ(Run({"-o", (dir_ / "g.HTM").string(), par.string()}), 0) << Err();
  const std::string guide = Read(dir_ / "g.HTM");
  EXPECT_NE(guide.find("(N\xC3O&nbsp;imprime&nbsp;jornal&nbsp;eletr\xF4nico)"), std::string::npos);
  EXPECT_NE(guide.find("(N\xC3O&nbsp;imprime&nbsp;mensagem&nbsp;de&nbsp;treinamento)"),
            std::string::npos);
}

TEST_F(GuideToolRun, SaveWritesTheSetBackOut) {
  const fs::path par = Sample("small.par");
  const fs::path out = dir_ / "copia.par";
  ASSERT_EQ(Run({"--save", out.string(), par.string()}), 0) << Err();
  EXPECT_EQ(Read(out), FormatParFile(Opened(par)));
  EXPECT_TRUE(fs::exists(dir_ / "small.HTM"));
}

TEST_F(GuideToolRun, AMissingInputIsAnErrorAndCreatesNothing) {
  const fs::path good = Sample("small.par");
  const fs::path missing = dir_ / "nova.par";
  const fs::path nested = dir_ / "a" / "b" / "x.par";
  EXPECT_EQ(Run({missing.string(), nested.string(), good.string()}), 1);
  EXPECT_NE(Err().find("nova.par"), std::string::npos);
  EXPECT_FALSE(fs::exists(missing));
  EXPECT_FALSE(fs::exists(dir_ / "a")) << "reading a missing file creates no folder";
  EXPECT_FALSE(fs::exists(dir_ / "nova.HTM"));
  EXPECT_TRUE(fs::exists(dir_ / "small.HTM")) << "the other files are still processed";
}

TEST_F(GuideToolRun, AMissingOldFileStopsBeforeWritingAnything) {
  const fs::path par = Sample("small.par");
  EXPECT_EQ(Run({"--since", (dir_ / "antigo.par").string(), par.string()}), 1);
  EXPECT_FALSE(fs::exists(dir_ / "small.HTM"));
}

// Links, pipes, permissions and the user nobody are POSIX matters.
#ifndef _WIN32
// Before anything is written, every output is compared with every other output and every
// input (the same file through a link too): a clash names both, exits 2 and writes nothing.
TEST_F(GuideToolRun, OutputsThatClashWithEachOtherOrAnInputWriteNothing) {
  const fs::path par = Sample("small.par");
  const fs::path old = Sample("loja1.par");
  fs::copy_file(par, dir_ / "loja.HTM");  // a parameter file with an unlucky name
  fs::create_symlink(par, dir_ / "link.HTM");
  const std::string o = (dir_ / "o.par").string();
  struct Case {
    std::vector<std::string> args;
    std::string named;  // what the message names
  } cases[] = {
      {{"--save", o, "-o", o, par.string()}, "--save e -o"},
      {{"--since", old.string(), "--summary", o, "-o", o, par.string()}, "-o e --summary"},
      {{"-o", par.string(), par.string()}, "-o e " + par.string()},
      {{"-o", (dir_ / "link.HTM").string(), par.string()}, "-o e " + par.string()},
      {{"--save", par.string(), par.string()}, "--save e " + par.string()},
      {{"--since", old.string(), "--summary", old.string(), par.string()}, "--summary e --since"},
      {{(dir_ / "loja.HTM").string()},
       "o roteiro de " + (dir_ / "loja.HTM").string() + " e " + (dir_ / "loja.HTM").string()},
  };
  ASSERT_EQ(Run({"--help"}), 0);  // the run's own output files exist from here on
  for (const Case& c : cases) {
    const auto before = Listing();
    EXPECT_EQ(Run(c.args), 2) << c.named;
    EXPECT_EQ(Listing(), before) << c.named;
    EXPECT_NE(Err().find(c.named + " indicam o mesmo arquivo"), std::string::npos) << Err();
  }
}

// A page that cannot be written leaves what stood there: a pipe given as -o stays a pipe.
TEST_F(GuideToolRun, AGuideThatCannotBeWrittenLeavesWhatWasThere) {
  const fs::path par = Sample("small.par");
  const fs::path fifo = dir_ / "fila.HTM";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
  EXPECT_EQ(Run({"-o", fifo.string(), par.string()}), 1);
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(Err(),
            "qx4810-guide: ERRO NA CRIA\xC3\x87\xC3\x83O DO ARQUIVO: " + fifo.string() + "\n");
}

TEST_F(GuideToolRun, AnEmptyInputIsAnErrorAndNothingIsWrittenForIt) {
  const fs::path par = dir_ / "vazio.par";
  std::ofstream(par, std::ios::binary).flush();
  EXPECT_EQ(Run({"--save", (dir_ / "s.par").string(), par.string()}), 1);
  EXPECT_EQ(Err(), "qx4810-guide: ERRO ARQUIVO SEM DADOS: " + par.string() + "\n");
  EXPECT_EQ(Listing(), (std::set<std::string>{"err.txt", "out.txt", "vazio.par"}));
}

// A file that exists but cannot be read is never taken for a new one: exit 1, its message
// with the path, nothing written. Run as an unprivileged user, whom the permission stops.
TEST_F(GuideToolRun, AnUnreadableInputIsAnErrorAndNothingIsWrittenForIt) {
  const fs::path par = Sample("small.par");
  ASSERT_EQ(::chmod(par.c_str(), 0200), 0);
  const std::string tool = CopyToolForAnyUser();
  if (tool.empty()) GTEST_SKIP() << "no unprivileged user to run the tool as";
  EXPECT_EQ(RunAs(tool, {"--save", (dir_ / "s.par").string(), par.string()}), 1);
  EXPECT_EQ(Err(), "qx4810-guide: ERRO NA LEITURA DO ARQUIVO: " + par.string() + "\n");
  EXPECT_FALSE(fs::exists(dir_ / "s.par"));
  EXPECT_FALSE(fs::exists(dir_ / "small.HTM"));
}

// A parameter file that a killed save left damaged, as the input or as --save: exit 1, one
// line naming the file and its backup, nothing written.
TEST_F(GuideToolRun, ADamagedParameterFileStopsTheRunAndNothingIsWritten) {
  const fs::path par = Sample("small.par");
  const fs::path damaged = Sample("loja1.par");
  const std::string backup = BackupFileName(damaged.string());
  ASSERT_TRUE(qx::test::LeaveInterruptedSave(damaged.string(), backup));
  const std::string cut = Read(damaged);
  const std::vector<std::vector<std::string>> runs = {
      {damaged.string()},
      {"--save", damaged.string(), par.string()},
  };
  ASSERT_EQ(Run({"--help"}), 0);  // the run's own output files exist from here on
  for (const auto& args : runs) {
    const auto before = Listing();
    EXPECT_EQ(Run(args), 1) << args.size();
    EXPECT_EQ(Err(),
              "qx4810-guide: ARQUIVO DANIFICADO POR UMA GRAVA\xC3\x87\xC3\x83O "
              "INTERROMPIDA: " +
                  damaged.string() +
                  " (c\xC3\xB3pia de seguran\xC3\xA7"
                  "a: " +
                  backup + ")\n");
    EXPECT_EQ(Listing(), before) << args.size();
    EXPECT_EQ(Read(damaged), cut);
  }
}

#endif  // _WIN32

// The backup that --save writes is an output like the others: another output there, or a
// file read from there, would lose the previous content. Nothing is written.
TEST_F(GuideToolRun, TheBackupOfSaveClashesWithOutputsAndInputs) {
  const fs::path par = Sample("small.par");
  const fs::path customer = Sample("loja1.par");
  const std::string bak = BackupFileName(customer.string());
  fs::copy_file(par, bak);  // an older parameter file that happens to sit there
  const std::string c = customer.string();
  const std::string backup =
      "a c\xC3\xB3pia de seguran\xC3\xA7"
      "a de --save e ";
  struct Case {
    std::vector<std::string> args;
    std::string named;  // what the message names besides the backup
  } cases[] = {
      {{"-o", bak, "--save", c, par.string()}, "-o"},
      {{"--since", bak, "--save", c, par.string()}, "--since"},
      {{"--save", c, bak}, bak},
  };
  ASSERT_EQ(Run({"--help"}), 0);  // the run's own output files exist from here on
  const std::string before_customer = Read(customer);
  for (const Case& k : cases) {
    const auto before = Listing();
    EXPECT_EQ(Run(k.args), 2) << k.named;
    EXPECT_EQ(Listing(), before) << k.named;
    EXPECT_NE(Err().find(backup + k.named + " indicam o mesmo arquivo"), std::string::npos)
        << Err();
    EXPECT_EQ(Read(customer), before_customer);
  }
}

#ifdef _WIN32
// A name Windows keeps for a device is told as such: as an input it is skipped like a file
// that cannot be read (the others still run, exit 1); as an output nothing is written (2).
TEST_F(GuideToolRun, DeviceNamesAreToldAsSuch) {
  const fs::path par = Sample("small.par");
  const std::string device = (dir_ / "COM1.par").string();
  const std::string reserved = "nome reservado de dispositivo do Windows: ";
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    std::string named;
    bool guide_written;
  } cases[] = {
      {{device, par.string()}, 1, device, true},
      {{"-o", (dir_ / "nul.HTM").string(), par.string()}, 2, (dir_ / "nul.HTM").string(), false},
      {{"--save", (dir_ / "Lpt3.par").string(), par.string()},
       2,
       (dir_ / "Lpt3.par").string(),
       false},
  };
  for (const Case& k : cases) {
    fs::remove(dir_ / "small.HTM");
    EXPECT_EQ(Run(k.args), k.exit_code) << k.named;
    EXPECT_NE(Err().find(reserved + k.named), std::string::npos) << Err();
    EXPECT_EQ(Err().find("indicam o mesmo arquivo"), std::string::npos) << Err();
    EXPECT_EQ(fs::exists(dir_ / "small.HTM"), k.guide_written) << k.named;
  }
}
#endif

TEST_F(GuideToolRun, SavingOverAnotherParameterFileKeepsItsBackup) {
  const fs::path par = Sample("small.par");
  const fs::path out = Sample("loja1.par");
  const std::string before = Read(out);
  ASSERT_EQ(Run({"--save", out.string(), par.string()}), 0) << Err();
  EXPECT_EQ(Read(dir_ / "loja1.par.bak"), before);
}

TEST_F(GuideToolRun, WritesTheSummaryAgainstAnOlderFile) {
  const fs::path par = Sample("loja1.par");
  const fs::path old = Sample("small.par");
  const fs::path summary = dir_ / "resumo.HTM";
  EXPECT_EQ(Run({"--since", old.string(), "--summary", summary.string(), par.string()}), 0)
      << Err();
  EXPECT_NE(Read(dir_ / "out.txt").find("resumo: " + summary.string()), std::string::npos);
  ParamSet expected = Opened(par);
  RaiseMarkersSince(expected, Opened(old));
  EXPECT_EQ(Read(summary), BuildChangeSummary(expected));
}

TEST_F(GuideToolRun, BadCommandLinesExitWithTwoAndHelpIsInPortuguese) {
  EXPECT_EQ(Run({"-o", "g.HTM", "a.par", "b.par"}), 2);
  EXPECT_NE(Err().find("-o s\xC3\xB3 pode ser usado"), std::string::npos);
  EXPECT_EQ(Run({"--help"}), 0);
  const std::string help = Read(dir_ / "out.txt");
  EXPECT_NE(help.find("Uso: qx4810-guide"), std::string::npos);
  EXPECT_NE(help.find("--since ANTIGO.par"), std::string::npos);
  EXPECT_NE(help.find("roteiro de programa\xC3\xA7\xC3\xA3o"), std::string::npos);
  // The version line: the program's name and a dotted number, as packaging tools read it.
  EXPECT_EQ(Run({"--version"}), 0);
  const std::string version = Read(dir_ / "out.txt");
  EXPECT_EQ(version.rfind("qx4810-guide 1.", 0), 0u) << version;
  EXPECT_EQ(version.find('\n'), version.size() - 1);
}

}  // namespace
}  // namespace qx::tool
