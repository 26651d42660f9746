// The batch guide tool: the command line, the markers of a file against an older one, and
// the program itself run on sample parameter files.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "guide/guide.h"
#include "guide_tool.h"
#include "parfile/par_file.h"

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
#ifdef _WIN32
    // cmd.exe takes the line in UTF-16 and drops the quotes around the whole of it.
    std::string command = std::string("\"\"") + QX_GUIDE_TOOL + "\"";
    for (const std::string& arg : args) command += " \"" + arg + "\"";
    command +=
        " >\"" + (dir_ / "out.txt").string() + "\" 2>\"" + (dir_ / "err.txt").string() + "\"\"";
    const std::wstring wide = fs::path(std::u8string(command.begin(), command.end())).wstring();
    return _wsystem(wide.c_str());
#else
    std::string command = std::string("'") + QX_GUIDE_TOOL + "'";
    for (const std::string& arg : args) command += " '" + arg + "'";
    command += " >'" + (dir_ / "out.txt").string() + "' 2>'" + (dir_ / "err.txt").string() + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
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
  EXPECT_EQ(Run({missing.string(), good.string()}), 1);
  EXPECT_NE(Err().find("nova.par"), std::string::npos);
  EXPECT_FALSE(fs::exists(missing));
  EXPECT_FALSE(fs::exists(dir_ / "nova.HTM"));
  EXPECT_TRUE(fs::exists(dir_ / "small.HTM")) << "the other files are still processed";
}

TEST_F(GuideToolRun, AMissingOldFileStopsBeforeWritingAnything) {
  const fs::path par = Sample("small.par");
  EXPECT_EQ(Run({"--since", (dir_ / "antigo.par").string(), par.string()}), 1);
  EXPECT_FALSE(fs::exists(dir_ / "small.HTM"));
}

TEST_F(GuideToolRun, NeverWritesAPageOverAParameterFile) {
  const fs::path par = dir_ / "loja.HTM";  // a parameter file with an unlucky name
  fs::copy_file(fs::path(QX_TEST_DATA_DIR) / "small.par", par);
  const std::string before = Read(par);
  EXPECT_EQ(Run({par.string()}), 1);
  EXPECT_EQ(Read(par), before);
  EXPECT_NE(Err().find("recusado"), std::string::npos);
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
}

}  // namespace
}  // namespace qx::tool
