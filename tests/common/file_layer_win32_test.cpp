// The file layer on Windows: device names, read-only and locked files, names beyond ASCII,
// long paths, and the safe save's failure paths, each leaving the old file as it was.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "common/file_layer.h"
#include "common/file_replace_ops.h"
#include "common/file_write_ops.h"

namespace qx {
namespace {

namespace fs = std::filesystem;

fs::path FromUtf8(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string ToUtf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::wstring Wide(const std::string& utf8) { return FromUtf8(utf8).wstring(); }

// The extended form, for checks on paths beyond the classic limit.
std::wstring Extended(const std::string& utf8) {
  std::wstring wide = Wide(utf8);
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  return L"\\\\?\\" + wide;
}

std::string ReadWhole(const std::string& path) {
  const HANDLE file =
      ::CreateFileW(Extended(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
    bytes.append(buffer, got);
  ::CloseHandle(file);
  return bytes;
}

void WriteWhole(const std::string& path, const std::string& bytes) {
  const HANDLE file = ::CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  ASSERT_TRUE(::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  ::CloseHandle(file);
}

DWORD AttributesOf(const std::string& path) { return ::GetFileAttributesW(Extended(path).c_str()); }

// The names in a folder, as UTF-8.
std::set<std::string> NamesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(FromUtf8(folder))) {
    names.insert(ToUtf8(entry.path().filename()));
  }
  return names;
}

class FileLayerWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    const fs::path dir = fs::temp_directory_path() /
                         ("qx-win32-" + std::to_string(random()) + std::to_string(random()));
    fs::create_directories(dir);
    dir_ = ToUtf8(dir);
  }
  void TearDown() override { RemoveTree(Extended(dir_)); }
  // Removes a folder with everything in it, read-only files and long paths included.
  static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
          RemoveTree(path);
        } else {
          ::DeleteFileW(path.c_str());
        }
      } while (::FindNextFileW(search, &found));
      ::FindClose(search);
    }
    ::RemoveDirectoryW(folder.c_str());
  }
  std::string Path(const std::string& name) const { return dir_ + "\\" + name; }

  std::string dir_;
};

// --- Names that are no files ---

TEST_F(FileLayerWin32Test, DeviceNamesAreRefusedInEveryFolderAndWithAnyExtension) {
  const char* devices[] = {"NUL",     "nul.txt",    "CON",      "con.par", "PRN",
                           "aux.htm", "COM1",       "com9.par", "LPT1",    "lpt9.txt",
                           "CON ",    "Nul.tar.gz", "CONIN$",   "conout$"};
  for (const char* name : devices) {
    for (const std::string& path : {std::string(name), Path(name)}) {
      EXPECT_EQ(GetPathKind(path), PathKind::kOther) << path;
      EXPECT_FALSE(WriteFileSafely(path, "x")) << path;
      EXPECT_EQ(OpenFileForReading(path), kNoFile) << path;
      EXPECT_EQ(WriteFileWithBackup(path, "x", Path("backup.par")), FileResult::kWriteFailed)
          << path;
    }
  }
  // Names that merely look alike are ordinary files.
  for (const char* name : {"COM0.par", "console.par", "nula.par", "LPT10.par", "auxiliar.htm"}) {
    EXPECT_EQ(GetPathKind(Path(name)), PathKind::kMissing) << name;
    EXPECT_TRUE(WriteFileSafely(Path(name), "x")) << name;
    EXPECT_EQ(GetPathKind(Path(name)), PathKind::kFile) << name;
  }
  EXPECT_FALSE(NamesIn(dir_).contains("backup.par"));
}

TEST_F(FileLayerWin32Test, AFolderIsNeitherOpenedNorReplaced) {
  ASSERT_TRUE(::CreateDirectoryW(Wide(Path("loja.par")).c_str(), nullptr));
  EXPECT_EQ(GetPathKind(Path("loja.par")), PathKind::kOther);
  EXPECT_FALSE(WriteFileSafely(Path("loja.par"), "x"));
  EXPECT_EQ(OpenFileForReading(Path("loja.par")), kNoFile);
  EXPECT_EQ(GetPathKind(Path("loja.par")), PathKind::kOther);
  EXPECT_EQ(NamesIn(dir_), std::set<std::string>{"loja.par"});
}

// --- Read-only and locked files ---

TEST_F(FileLayerWin32Test, AReadOnlyFileIsRefusedAndKeptAsItWas) {
  const std::string path = Path("loja.par");
  WriteWhole(path, "keep");
  ASSERT_TRUE(::SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(WriteFileSafely(path, "new"));
  EXPECT_EQ(WriteFileWithBackup(path, "new", Path("loja.bak")), FileResult::kWriteFailed);
  EXPECT_EQ(ReadWhole(path), "keep");
  EXPECT_NE(AttributesOf(path) & FILE_ATTRIBUTE_READONLY, 0u);
  // Opening it for reading still works: the loader reads such a file.
  const FileHandle file = OpenFileForReading(path);
  EXPECT_NE(file, kNoFile);
  EXPECT_EQ(CloseFile(file), 0);
  EXPECT_EQ(NamesIn(dir_), std::set<std::string>{"loja.par"});  // no backup either
}

TEST_F(FileLayerWin32Test, AFileHeldOpenElsewhereIsRetriedBrieflyAndThenReported) {
  const std::string path = Path("loja.par");
  WriteWhole(path, "old");
  // Another program (a spreadsheet, say) holds the file open and shares nothing.
  const HANDLE other = ::CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(WriteFileSafely(path, "new"));
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(150));
  EXPECT_LT(waited, std::chrono::seconds(3));
  EXPECT_EQ(OpenFileForReading(path), kNoFile);
  ::CloseHandle(other);
  EXPECT_EQ(ReadWhole(path), "old");
  EXPECT_EQ(NamesIn(dir_), std::set<std::string>{"loja.par"});

  // A file let go of while the save is still trying is saved.
  const HANDLE brief = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(brief, INVALID_HANDLE_VALUE);
  std::thread release([brief] {
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    ::CloseHandle(brief);
  });
  EXPECT_TRUE(WriteFileSafely(path, "new"));
  release.join();
  EXPECT_EQ(ReadWhole(path), "new");
  EXPECT_EQ(NamesIn(dir_), std::set<std::string>{"loja.par"});
}

// --- Names and paths ---

TEST_F(FileLayerWin32Test, NamesBeyondAsciiAreWrittenReadAndListedAsTyped) {
  const char* names[] = {
      "caixa \xC3\xA7\xC3\xA3o.par",              // caixa ção.par
      "S\xC3\xA3o Jo\xC3\xA3o \xE2\x82\xAC.HTM",  // São João €.HTM
      "\xE6\x97\xA5\xE6\x9C\xAC.par",             // two CJK characters
      "\xF0\x9F\x98\x80 loja.par",                // an emoji: two UTF-16 units
  };
  std::set<std::string> expected;
  for (const char* name : names) {
    const std::string path = Path(std::string("a\xC3\xA7\xC3\xBA"
                                              "car\\") +
                                  name);  // açúcar
    ASSERT_TRUE(WriteFileSafely(path, name)) << name;
    EXPECT_EQ(GetPathKind(path), PathKind::kFile) << name;
    const FileHandle file = OpenFileForReading(path);
    ASSERT_NE(file, kNoFile) << name;
    char buffer[64] = {};
    EXPECT_EQ(ReadBytes(file, buffer, sizeof buffer), static_cast<long>(std::string(name).size()));
    EXPECT_EQ(std::string(buffer), name);
    EXPECT_EQ(CloseFile(file), 0);
    EXPECT_TRUE(WriteFileSafely(path, "again")) << name;  // replacing works on such names too
    expected.insert(name);
  }
  EXPECT_EQ(NamesIn(Path("a\xC3\xA7\xC3\xBA"
                         "car")),
            expected);
  // Bytes that are no UTF-8 name no file.
  EXPECT_FALSE(WriteFileSafely(Path("caixa\xE7\xE3o.par"), "x"));
  EXPECT_EQ(NamesIn(dir_), std::set<std::string>{"a\xC3\xA7\xC3\xBA"
                                                 "car"});
}

TEST_F(FileLayerWin32Test, CreateDirectoryChainTakesBothSeparatorsAfterADrive) {
  ASSERT_GE(dir_.size(), 3u);
  ASSERT_EQ(dir_[1], ':') << "the test folder is on a drive";
  struct Case {
    std::string path;  // below the test folder, with the separators to try
    std::vector<std::string> created;
  };
  const Case cases[] = {
      {"/a/b/loja.par", {"a", "a\\b"}},
      {"\\c\\d\\loja.par", {"c", "c\\d"}},
      {"/e\\f/g\\loja.par", {"e", "e\\f", "e\\f\\g"}},
      {"\\h//i\\\\loja.par", {"h", "h\\i"}},
      {"/j/k/", {"j"}},  // a trailing separator: k is the last component
  };
  for (const Case& c : cases) {
    CreateDirectoryChain(dir_ + c.path);
    for (const std::string& folder : c.created) {
      EXPECT_EQ(GetPathKind(Path(folder)), PathKind::kOther) << c.path << ": " << folder;
    }
  }
  EXPECT_EQ(NamesIn(dir_), (std::set<std::string>{"a", "c", "e", "h", "j"}));
  EXPECT_EQ(GetPathKind(Path("j\\k")), PathKind::kMissing);
}

TEST_F(FileLayerWin32Test, CreateDirectoryChainCountsTheLimitInCharactersAndKeepsThemWhole) {
  // "ção" is three characters but five UTF-8 bytes: the limit of 259 counts characters.
  std::string chain;
  std::vector<std::string> folders;
  while (dir_.size() + chain.size() < 300) {
    folders.push_back("\xC3\xA7\xC3\xA3o" + std::to_string(folders.size()));
    chain += "\\" + folders.back();
  }
  CreateDirectoryChain(dir_ + chain + "\\loja.par");
  std::size_t characters = fs::path(Wide(dir_)).wstring().size();
  std::string folder = dir_;
  for (const std::string& name : folders) {
    folder += "\\" + name;
    characters += 1 + Wide(name).size();
    const bool within = characters < 259;  // a folder wholly inside the first 259 characters
    if (within) {
      EXPECT_EQ(GetPathKind(folder), PathKind::kOther) << characters;
    } else if (characters > 259) {
      EXPECT_EQ(GetPathKind(folder), PathKind::kMissing) << characters;
    }
  }

  // An emoji cut at the 259th character: neither half becomes a folder name.
  const std::string base = Path("x");
  const std::size_t base_length = Wide(base).size() + 1;
  ASSERT_LT(base_length, 250u);
  std::string filler(258 - base_length, 'f');
  CreateDirectoryChain(base + "\\" + filler + "\xF0\x9F\x98\x80\\loja.par");
  EXPECT_EQ(GetPathKind(base), PathKind::kOther);
  EXPECT_EQ(NamesIn(base), std::set<std::string>{});
}

TEST_F(FileLayerWin32Test, PathsBeyondTheClassicLimitAreSavedReadAndRemoved) {
  // Folders of 100 accented characters each, past 260 characters in all.
  std::string folder = dir_;
  for (int i = 0; i < 3; ++i) {
    std::string name;
    for (int j = 0; j < 50; ++j)
      name +=
          "\xC3\xA9"
          "e";  // "ée"
    folder += "\\" + name;
    ASSERT_TRUE(::CreateDirectoryW(Extended(folder).c_str(), nullptr)) << i;
  }
  const std::string path = folder + "\\Prog-QX-4810.par";
  ASSERT_GT(Wide(path).size(), 300u);
  EXPECT_EQ(GetPathKind(path), PathKind::kMissing);
  ASSERT_TRUE(WriteFileSafely(path, "P0030\r\n"));
  EXPECT_EQ(ReadWhole(path), "P0030\r\n");
  ASSERT_TRUE(WriteFileSafely(path, "P0040\r\n"));  // over the existing file
  EXPECT_EQ(ReadWhole(path), "P0040\r\n");
  EXPECT_EQ(WriteFileWithBackup(path, "P0050\r\n", folder + "\\Prog-QX-4810.bak"),
            FileResult::kDone);
  EXPECT_EQ(ReadWhole(folder + "\\Prog-QX-4810.bak"), "P0040\r\n");
  EXPECT_EQ(GetPathKind(path), PathKind::kFile);
  const FileHandle file = OpenFileForReading(path);
  EXPECT_NE(file, kNoFile);
  EXPECT_EQ(CloseFile(file), 0);
  EXPECT_TRUE(SameFile(path, folder + "/PROG-qx-4810.PAR"));
}

TEST(FileNameStartTest, StartsAfterTheLastSeparatorOrTheDrive) {
  const struct {
    const char* path;
    std::size_t start;
  } cases[] = {
      {"c:\\KORVA\\loja1.par", 9},
      {"c:loja1.par", 2},
      {"C:", 2},
      {"a/b\\c.par", 4},
      {"loja1.par", 0},
      {"\\\\srv\\lojas\\x.par", 12},
      {"d:\\lojas/", 9},
      {"", 0},
      {"1:x", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(FileNameStart(c.path), c.start) << c.path;
}

TEST_F(FileLayerWin32Test, SameFileByIdentityOrByNameWithoutLetterCase) {
  WriteWhole(Path("loja.par"), "a");
  WriteWhole(Path("outra.par"), "b");
  ASSERT_TRUE(::CreateDirectoryW(Wide(Path("sub")).c_str(), nullptr));
  const bool hard_link =
      ::CreateHardLinkW(Wide(Path("elo.par")).c_str(), Wide(Path("loja.par")).c_str(), nullptr);
  const struct {
    std::string a, b;
    bool same;
  } cases[] = {
      {Path("loja.par"), Path("LOJA.PAR"), true},
      {Path("loja.par"), dir_ + "/loja.par", true},
      {Path("loja.par"), Path("sub\\..\\loja.par"), true},
      {Path("loja.par"), Path("outra.par"), false},
      {Path("nova.par"), Path("NOVA.par"), true},  // neither exists: the names decide
      {Path("nova.par"), Path("sub\\nova.par"), false},
      {Path("nova.par"), Path("loja.par"), false},
  };
  for (const auto& c : cases) EXPECT_EQ(SameFile(c.a, c.b), c.same) << c.a << " / " << c.b;
  if (hard_link) {
    EXPECT_TRUE(SameFile(Path("elo.par"), Path("loja.par")));
  }
}

// --- The safe save ---

TEST_F(FileLayerWin32Test, SafeSaveKeepsTheTargetsAttributes) {
  const std::string path = Path("loja.par");
  WriteWhole(path, "old");
  ASSERT_TRUE(::SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN));
  if ((AttributesOf(path) & FILE_ATTRIBUTE_HIDDEN) == 0) {
    GTEST_SKIP() << "this file system keeps no hidden attribute";
  }
  ASSERT_TRUE(WriteFileSafely(path, "new"));
  EXPECT_EQ(ReadWhole(path), "new");
  EXPECT_NE(AttributesOf(path) & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(NamesIn(dir_), std::set<std::string>{"loja.par"});
}

// Injected failures: each step of the save fails in turn, in each way the system can.
struct Injection {
  int fail_write_at = 0;  // 1-based call number, 0: never
  bool write_returns_zero = false;
  bool fail_flush = false;
  bool fail_close = false;
  bool fail_rename = false;
  unsigned long replace_error = 0;  // what the replacement reports, 0: the system's own call
  bool replace_moves_target_away = false;
  int write_calls = 0;
  int replace_calls = 0;
  std::vector<std::string> renamed_to{};  // where each finished temporary file went, in order
  std::function<void()> before_rename{};  // something else changes the folder meanwhile
};
Injection g_injection;

ssize_t InjectedWrite(int fd, const void* bytes, std::size_t count) {
  if (++g_injection.write_calls == g_injection.fail_write_at) {
    return g_injection.write_returns_zero ? 0 : -1;
  }
  return SystemFileWriteOps().write(fd, bytes, count < 4096 ? count : std::size_t{4096});
}
int InjectedFlush(int fd) { return g_injection.fail_flush ? -1 : SystemFileWriteOps().fsync(fd); }
int InjectedClose(int fd) {
  SystemFileWriteOps().close(fd);
  return g_injection.fail_close ? -1 : 0;
}
int InjectedRename(const char* from, const char* to) {
  if (g_injection.before_rename) g_injection.before_rename();
  if (g_injection.fail_rename) return -1;
  const int result = SystemFileWriteOps().rename(from, to);
  if (result == 0) g_injection.renamed_to.push_back(ToUtf8(FromUtf8(to).filename()));
  return result;
}
unsigned long InjectedReplace(const wchar_t* target, const wchar_t* replacement,
                              const wchar_t* backup) {
  ++g_injection.replace_calls;
  if (g_injection.replace_error == 0) return SystemReplaceFileCall()(target, replacement, backup);
  // ERROR_UNABLE_TO_MOVE_REPLACEMENT_2: the old file has gone to the backup name already.
  if (g_injection.replace_moves_target_away) ::MoveFileW(target, backup);
  return g_injection.replace_error;
}
constexpr FileWriteOps kInjectedOps = {InjectedWrite, InjectedFlush, InjectedClose, InjectedRename};

TEST_F(FileLayerWin32Test, AFailureAtAnyStepLeavesTheOldFileByteIdentical) {
  const struct {
    const char* what;
    Injection injection;
    int replace_calls;  // how often the replacement was tried
  } cases[] = {
      {"first write fails", {.fail_write_at = 1}, 0},
      {"second write fails", {.fail_write_at = 2}, 0},
      {"last write fails", {.fail_write_at = 3}, 0},
      {"a write makes no progress", {.fail_write_at = 2, .write_returns_zero = true}, 0},
      {"flush fails", {.fail_flush = true}, 0},
      {"close fails", {.fail_close = true}, 0},
      {"putting the file in place fails", {.fail_rename = true}, 0},
      {"the replacement cannot be moved", {.replace_error = ERROR_UNABLE_TO_MOVE_REPLACEMENT}, 1},
      {"the old file went to the backup name and stayed there",
       {.replace_error = ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, .replace_moves_target_away = true},
       1},
      {"the old file cannot be removed (in use): tried again, then reported",
       {.replace_error = ERROR_UNABLE_TO_REMOVE_REPLACED},
       10},
      {"sharing violation: tried again, then reported",
       {.replace_error = ERROR_SHARING_VIOLATION},
       10},
      {"the disk is full", {.replace_error = ERROR_DISK_FULL}, 1},
  };
  const std::string path = Path("loja.par");
  const std::string old_bytes = "P0030\r\nold \xC7\r\n";
  const std::string new_bytes(10000, 'n');  // three writes of at most 4096 bytes
  for (const auto& c : cases) {
    WriteWhole(path, old_bytes);
    ASSERT_TRUE(::SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_ARCHIVE));
    g_injection = c.injection;
    {
      ScopedFileWriteOps ops(kInjectedOps);
      ScopedReplaceFileCall replace(InjectedReplace);
      EXPECT_FALSE(WriteFileSafely(path, new_bytes)) << c.what;
    }
    EXPECT_EQ(ReadWhole(path), old_bytes) << c.what;
    EXPECT_EQ(AttributesOf(path), DWORD{FILE_ATTRIBUTE_ARCHIVE}) << c.what;
    EXPECT_EQ(g_injection.replace_calls, c.replace_calls) << c.what;
    EXPECT_EQ(NamesIn(dir_), std::set<std::string>{"loja.par"}) << c.what;
  }

  // The same path without failures writes everything through the short writes.
  g_injection = {};
  ScopedFileWriteOps ops(kInjectedOps);
  ScopedReplaceFileCall replace(InjectedReplace);
  EXPECT_TRUE(WriteFileSafely(path, new_bytes));
  EXPECT_EQ(g_injection.write_calls, 3);
  EXPECT_EQ(g_injection.replace_calls, 1);
  EXPECT_EQ(ReadWhole(path), new_bytes);
  EXPECT_EQ(NamesIn(dir_), std::set<std::string>{"loja.par"});
}

// The name of the temporary file of a save, learnt while the save flushes it.
std::wstring g_seen_temp;
int FlushAndRememberName(int fd) {
  wchar_t name[1024] = {};
  const DWORD length = ::GetFinalPathNameByHandleW(LongToHandle(fd), name, 1024, 0);
  g_seen_temp.assign(name, length);
  return -1;  // and the save stops there, as if the machine had gone down
}

TEST_F(FileLayerWin32Test, TheNextSaveRemovesWhatAnInterruptedSaveLeft) {
  const std::string path = Path("loja.par");
  WriteWhole(path, "old");
  FileWriteOps ops = SystemFileWriteOps();
  ops.fsync = FlushAndRememberName;
  {
    ScopedFileWriteOps scoped(ops);
    EXPECT_FALSE(WriteFileSafely(path, "new"));
  }
  const std::string temp = ToUtf8(fs::path(g_seen_temp).filename());
  ASSERT_GT(temp.size(), 12u) << "the temporary file's name was not seen";
  ASSERT_EQ(temp.substr(temp.size() - 4), ".tmp");
  // A crash leaves such files behind: a temporary file and a backup, and one of another
  // target (its name differs in the part that comes from the target).
  const std::string stem = temp.substr(0, temp.size() - 12);
  std::string other = stem;
  other[3] = other[3] == '0' ? '1' : '0';
  for (const std::string& name : {stem + "0badc0de.tmp", stem + "1234abcd.bak",
                                  other + "0badc0de.tmp", std::string("~notes.tmp")}) {
    WriteWhole(Path(name), "stale");
  }
  EXPECT_TRUE(WriteFileSafely(path, "new"));
  EXPECT_EQ(ReadWhole(path), "new");
  EXPECT_EQ(NamesIn(dir_),
            (std::set<std::string>{"loja.par", other + "0badc0de.tmp", "~notes.tmp"}));
}

TEST_F(FileLayerWin32Test, WriteFileWithBackupKeepsThePreviousContents) {
  const std::string path = Path("loja.par");
  const std::string backup = Path("loja.bak");
  // No backup for a new file.
  EXPECT_EQ(WriteFileWithBackup(path, "first", backup), FileResult::kDone);
  EXPECT_EQ(NamesIn(dir_), std::set<std::string>{"loja.par"});
  EXPECT_EQ(WriteFileWithBackup(path, "second", backup), FileResult::kDone);
  EXPECT_EQ(ReadWhole(path), "second");
  EXPECT_EQ(ReadWhole(backup), "first");
  EXPECT_EQ(WriteFileWithBackup(path, "third", backup), FileResult::kDone);
  EXPECT_EQ(ReadWhole(backup), "second");
  EXPECT_EQ(NamesIn(dir_), (std::set<std::string>{"loja.par", "loja.bak"}));
}

// --- The save with a backup ---

// The new file is committed first and only then the backup: whichever step fails, the file
// and its backup are both as they were, and nothing of the save is left behind.
TEST_F(FileLayerWin32Test, TheBackupFollowsTheNewFileAndAFailedSaveKeepsBoth) {
  const struct {
    const char* what;
    Injection injection;
    FileResult result;
  } cases[] = {
      {"the copy of the old content cannot be written",
       {.fail_write_at = 1},
       FileResult::kBackupFailed},
      {"the new content cannot be written", {.fail_write_at = 2}, FileResult::kWriteFailed},
      {"the replacement fails with the old file moved aside",
       {.replace_error = ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, .replace_moves_target_away = true},
       FileResult::kWriteFailed},
  };
  const std::string path = Path("loja.par");
  const std::string backup = Path("loja.par.bak");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteWhole(path, "old");
    WriteWhole(backup, "older");
    g_injection = c.injection;
    {
      ScopedFileWriteOps ops(kInjectedOps);
      ScopedReplaceFileCall replace(InjectedReplace);
      EXPECT_EQ(WriteFileWithBackup(path, "new", backup), c.result);
    }
    EXPECT_EQ(ReadWhole(path), "old");
    EXPECT_EQ(ReadWhole(backup), "older");
    EXPECT_EQ(NamesIn(dir_), (std::set<std::string>{"loja.par", "loja.par.bak"}));
  }

  g_injection = {};
  ScopedFileWriteOps ops(kInjectedOps);
  ScopedReplaceFileCall replace(InjectedReplace);
  EXPECT_EQ(WriteFileWithBackup(path, "new", backup), FileResult::kDone);
  EXPECT_EQ(g_injection.renamed_to, (std::vector<std::string>{"loja.par", "loja.par.bak"}));
  EXPECT_EQ(ReadWhole(backup), "old");
}

// What stands at the backup's name is replaced, never written through; a folder, a read-only
// file or a device name there stops the save before anything changes.
TEST_F(FileLayerWin32Test, HostileBackupEntriesAreReplacedOrStopTheSave) {
  const std::string path = Path("loja.par");
  WriteWhole(path, "old");
  ASSERT_TRUE(::CreateDirectoryW(Wide(Path("pasta.bak")).c_str(), nullptr));
  WriteWhole(Path("ro.bak"), "older");
  ASSERT_TRUE(::SetFileAttributesW(Wide(Path("ro.bak")).c_str(), FILE_ATTRIBUTE_READONLY));
  const std::set<std::string> before = NamesIn(dir_);
  for (const char* backup : {"pasta.bak", "ro.bak", "aux.bak"}) {
    EXPECT_EQ(WriteFileWithBackup(path, "new", Path(backup)), FileResult::kBackupFailed) << backup;
  }
  EXPECT_EQ(ReadWhole(path), "old");
  EXPECT_EQ(ReadWhole(Path("ro.bak")), "older");
  EXPECT_EQ(NamesIn(dir_), before);

  ASSERT_TRUE(::CreateDirectoryW(Wide(Path("outra")).c_str(), nullptr));
  const std::string other = Path("outra\\cliente.par");
  WriteWhole(other, "other");
  for (const auto& [name, target, flags] :
       {std::tuple{"link.bak", other, DWORD{0}},
        std::tuple{"pasta-link.bak", Path("outra"), DWORD{SYMBOLIC_LINK_FLAG_DIRECTORY}}}) {
    const std::string link = Path(name);
    WriteWhole(path, "old");
    ::CreateSymbolicLinkW(Wide(link).c_str(), Wide(target).c_str(),
                          flags | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    if ((AttributesOf(link) & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
      GTEST_SKIP() << "no link can be made here: the links are not tried";
    }
    EXPECT_EQ(WriteFileWithBackup(path, "new", link), FileResult::kDone) << name;
    EXPECT_EQ(AttributesOf(link) & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY), 0u)
        << name;
    EXPECT_EQ(ReadWhole(link), "old") << name;
  }
  EXPECT_EQ(ReadWhole(other), "other");
  EXPECT_EQ(NamesIn(Path("outra")), std::set<std::string>{"cliente.par"});
}

// An empty file is no content worth keeping: the backup that stands stays.
TEST_F(FileLayerWin32Test, AnEmptyFileNeverReplacesTheBackup) {
  const std::string path = Path("loja.par");
  WriteWhole(path, "");
  WriteWhole(Path("loja.par.bak"), "last good");
  EXPECT_EQ(WriteFileWithBackup(path, "new", Path("loja.par.bak")), FileResult::kDone);
  EXPECT_EQ(ReadWhole(path), "new");
  EXPECT_EQ(ReadWhole(Path("loja.par.bak")), "last good");
}

// Two saves of one file never interleave: while one runs, the other waits for it (and, past
// its wait, gives up with kBusy and writes nothing).
HANDLE g_first_write_event = nullptr;
ssize_t SlowFirstWrite(int fd, const void* bytes, std::size_t count) {
  if (::WaitForSingleObject(g_first_write_event, 0) == WAIT_TIMEOUT) {
    ::SetEvent(g_first_write_event);
    ::Sleep(400);
  }
  return SystemFileWriteOps().write(fd, bytes, count);
}

TEST_F(FileLayerWin32Test, TwoSavesOfOneFileNeverInterleave) {
  const std::string path = Path("loja.par");
  const std::string backup = Path("loja.par.bak");
  g_first_write_event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(g_first_write_event, nullptr);
  FileWriteOps slow = SystemFileWriteOps();
  slow.write = SlowFirstWrite;
  for (const bool waits : {false, true}) {
    SCOPED_TRACE(waits);
    WriteWhole(path, "old");
    ::ResetEvent(g_first_write_event);
    const int previous = SetSaveLockWait(waits ? 5000 : 50);
    FileStatus first{FileResult::kWriteFailed, {}, {}};
    FileStatus second = first;
    {
      ScopedFileWriteOps ops(slow);
      std::thread other([&] { first = WriteFileWithBackup(path, "first", backup); });
      EXPECT_EQ(::WaitForSingleObject(g_first_write_event, 10000), WAIT_OBJECT_0);
      second = WriteFileWithBackup(path, "second", backup);
      other.join();
    }
    SetSaveLockWait(previous);
    EXPECT_EQ(first, FileResult::kDone);
    EXPECT_EQ(second, waits ? FileResult::kDone : FileResult::kBusy);
    EXPECT_EQ(ReadWhole(path), waits ? "second" : "first");
    EXPECT_EQ(ReadWhole(backup), waits ? "first" : "old");
  }
  ::CloseHandle(g_first_write_event);
  EXPECT_EQ(NamesIn(dir_), (std::set<std::string>{"loja.par", "loja.par.bak"}));
}

// A failed save removes the folders it created, innermost first, each only while it is empty
// and still the folder it made; a folder that was there before always stays.
TEST_F(FileLayerWin32Test, AFailedSaveRemovesTheFoldersItCreatedAndNothingElse) {
  const std::string existing = Path("existe");
  ASSERT_TRUE(::CreateDirectoryW(Wide(existing).c_str(), nullptr));
  const struct {
    bool with_backup;
    std::string path;                 // below the existing folder
    std::function<void()> meanwhile;  // while the save runs
    std::set<std::string> left;       // in the existing folder afterwards
  } cases[] = {
      {false, "outro\\loja.HTM", nullptr, {}},
      {true,
       "cheio\\sub\\loja.par",
       [&] { WriteWhole(existing + "\\cheio\\nota.txt", "x"); },
       {"cheio"}},
      {false,
       "troca\\sub\\loja.HTM",
       [&] {
         ::MoveFileW(Wide(existing + "\\troca").c_str(), Wide(existing + "\\antiga").c_str());
         ::CreateDirectoryW(Wide(existing + "\\troca").c_str(), nullptr);
         ::CreateDirectoryW(Wide(existing + "\\troca\\sub").c_str(), nullptr);
       },
       {"troca", "antiga"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const std::string path = existing + "\\" + c.path;
    g_injection = {.fail_rename = true, .before_rename = c.meanwhile};
    {
      ScopedFileWriteOps ops(kInjectedOps);
      EXPECT_FALSE(c.with_backup ? WriteFileWithBackup(path, "x", path + ".bak").ok()
                                 : WriteFileSafely(path, "x").ok());
    }
    EXPECT_EQ(NamesIn(existing), c.left);
    for (const std::string& name : c.left) RemoveTree(Extended(existing + "\\" + name));
  }
  g_injection = {};
  EXPECT_EQ(NamesIn(dir_), std::set<std::string>{"existe"});
}

}  // namespace
}  // namespace qx
