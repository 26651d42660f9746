#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>

#include "../support/interrupted_save.h"
#include "common/file_layer.h"
#include "common/file_write_ops.h"

namespace qx {
namespace {

namespace fs = std::filesystem;

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteWhole(const std::string& path, const std::string& bytes, mode_t mode = 0644) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  ::chmod(path.c_str(), mode);
}

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

std::set<std::string> NamesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// Each test works in a fresh folder of its own, open to everyone so that a check run as
// the unprivileged user can use it too.
class FileLayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/qx-file-layer-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    ::chmod(dir_.c_str(), 0777);
  }
  void TearDown() override {
    // Read-only folders left by a test would stop the removal.
    for (const auto& entry : fs::recursive_directory_iterator(dir_)) {
      if (fs::is_directory(entry.symlink_status())) ::chmod(entry.path().c_str(), 0777);
    }
    fs::remove_all(dir_);
  }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  std::string dir_;
};

// --- CreateDirectoryChain ---

TEST_F(FileLayerTest, CreateDirectoryChainCreatesEveryFolderButTheLastComponent) {
  struct Case {
    std::string path;                  // below the test folder
    std::vector<std::string> created;  // folders that must exist afterwards
    std::vector<std::string> absent;
  };
  const Case cases[] = {
      {"a/b/file.par", {"a", "a/b"}, {"a/b/file.par"}},
      {"c/d/", {"c"}, {"c/d"}},  // one trailing separator dropped: d is the last component
      {"e//f/g", {"e", "e/f"}, {"e/f/g"}},
      {"single", {}, {"single"}},
  };
  for (const Case& c : cases) {
    CreateDirectoryChain(Path(c.path));
    for (const std::string& folder : c.created) {
      EXPECT_TRUE(fs::is_directory(Path(folder))) << c.path << ": " << folder;
    }
    for (const std::string& name : c.absent) {
      EXPECT_FALSE(Exists(Path(name))) << c.path << ": " << name;
    }
  }
}

TEST_F(FileLayerTest, CreateDirectoryChainLooksAtTheFirst259CharactersOnly) {
  // The copy ends right after "r...r/": that separator is dropped, so r...r becomes the
  // last component and is not created.
  const std::string prefix = Path("q/");
  const std::string component(258 - prefix.size(), 'r');
  ASSERT_EQ((prefix + component + "/").size(), 259u);
  CreateDirectoryChain(prefix + component + "/s/t.par");
  EXPECT_TRUE(fs::is_directory(Path("q")));
  EXPECT_FALSE(Exists(Path("q/" + component)));
}

TEST_F(FileLayerTest, CreateDirectoryChainOfABareNameCreatesNothing) {
  const fs::path previous = fs::current_path();
  fs::current_path(dir_);
  CreateDirectoryChain("Prog-QX-4810.par");
  CreateDirectoryChain("");
  CreateDirectoryChain("/");
  fs::current_path(previous);
  EXPECT_TRUE(NamesIn(dir_).empty());
}

// --- Handles ---

TEST_F(FileLayerTest, HandlesReadAndCloseWithTheirResultConventions) {
  const std::string path = Path("f.par");
  EXPECT_EQ(OpenFileForReading(path), kNoFile);
  WriteWhole(path, "P0030\r\nxyz");
  const FileHandle file = OpenFileForReading(path);
  ASSERT_NE(file, kNoFile);
  char buffer[64] = {};
  EXPECT_EQ(ReadBytes(file, buffer, sizeof buffer), 10);
  EXPECT_EQ(std::string(buffer, 10), "P0030\r\nxyz");
  EXPECT_EQ(ReadBytes(file, buffer, sizeof buffer), 0);  // end of the file
  EXPECT_EQ(CloseFile(file), 0);
  EXPECT_EQ(ReadBytes(kNoFile, buffer, 1), -1);
  EXPECT_EQ(CloseFile(kNoFile), -1);
}

TEST_F(FileLayerTest, OnlyRegularFilesOpen) {
  // A folder or a pipe is no parameter file; opening a pipe would block the program.
  ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0666), 0);
  ASSERT_EQ(::mkdir(Path("folder").c_str(), 0777), 0);
  for (const char* name : {"pipe", "folder"}) {
    EXPECT_EQ(OpenFileForReading(Path(name)), kNoFile) << name;
  }
}

TEST_F(FileLayerTest, ReadWholeFileGivesTheBytesOrTheCause) {
  WriteWhole(Path("f"), "abcdef");
  ASSERT_EQ(::mkdir(Path("folder").c_str(), 0777), 0);
  struct Case {
    const char* name;
    std::size_t limit;
    FileResult result;
    std::string bytes;
  };
  const Case cases[] = {
      {"f", 6, FileResult::kDone, "abcdef"},
      {"f", 4, FileResult::kTooLarge, "abcd"},
      {"missing", 4, FileResult::kMissing, ""},
      {"folder", 4, FileResult::kUnreadable, ""},
  };
  for (const Case& c : cases) {
    std::string bytes = "stale";
    const FileStatus status = ReadWholeFile(Path(c.name), c.limit, bytes);
    EXPECT_EQ(status.result, c.result) << c.name << " " << c.limit;
    EXPECT_EQ(status.path, Path(c.name));
    EXPECT_EQ(bytes, c.bytes) << c.name << " " << c.limit;
  }
}

TEST(WriteTextLineTest, APageGetsTheTextAndCrLfOrNothing) {
  std::string page = "<p>";
  WriteTextLine(page, "");
  EXPECT_EQ(page, "<p>");
  WriteTextLine(page, "F   I   M");
  EXPECT_EQ(page, "<p>F   I   M\r\n");
}

// --- WriteFileSafely ---

TEST_F(FileLayerTest, SafeWriteCreatesANewFileAndItsFolders) {
  const std::string path = Path("KORVA/loja/Prog.par");
  ASSERT_TRUE(WriteFileSafely(path, "P0030\r\n"));
  EXPECT_EQ(ReadWhole(path), "P0030\r\n");
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(ModeOf(path), 0666 & ~mask);
  EXPECT_EQ(NamesIn(Path("KORVA/loja")), std::set<std::string>{"Prog.par"});
}

TEST_F(FileLayerTest, SafeWriteReplacesTheContentsAndKeepsThePermissions) {
  const std::string path = Path("loja.par");
  WriteWhole(path, std::string(5000, 'o'), 0640);
  ASSERT_TRUE(WriteFileSafely(path, "new"));
  EXPECT_EQ(ReadWhole(path), "new");
  EXPECT_EQ(ModeOf(path), 0640u);
  ASSERT_TRUE(WriteFileSafely(path, ""));
  EXPECT_EQ(ReadWhole(path), "");
  EXPECT_EQ(NamesIn(dir_), std::set<std::string>{"loja.par"});
}

TEST_F(FileLayerTest, SafeWriteReplacesTheFileASymbolicLinkPointsTo) {
  ASSERT_EQ(::mkdir(Path("real").c_str(), 0777), 0);
  WriteWhole(Path("real/loja.par"), "old", 0600);
  ASSERT_EQ(::symlink("real/loja.par", Path("link.par").c_str()), 0);
  ASSERT_EQ(::symlink("link.par", Path("link2.par").c_str()), 0);

  ASSERT_TRUE(WriteFileSafely(Path("link2.par"), "new"));
  EXPECT_TRUE(fs::is_symlink(Path("link.par")));
  EXPECT_TRUE(fs::is_symlink(Path("link2.par")));
  EXPECT_EQ(ReadWhole(Path("real/loja.par")), "new");
  EXPECT_EQ(ModeOf(Path("real/loja.par")), 0600u);
  EXPECT_EQ(NamesIn(Path("real")), std::set<std::string>{"loja.par"});

  // A link to a file not yet there creates that file.
  ASSERT_EQ(::symlink("real/novo.par", Path("dangling.par").c_str()), 0);
  ASSERT_TRUE(WriteFileSafely(Path("dangling.par"), "x"));
  EXPECT_TRUE(fs::is_symlink(Path("dangling.par")));
  EXPECT_EQ(ReadWhole(Path("real/novo.par")), "x");
}

TEST_F(FileLayerTest, SafeWriteRefusesWhatIsNotAWritableRegularFile) {
  ASSERT_EQ(::symlink("loop2", Path("loop1").c_str()), 0);
  ASSERT_EQ(::symlink("loop1", Path("loop2").c_str()), 0);
  ASSERT_EQ(::mkdir(Path("folder.par").c_str(), 0777), 0);
  WriteWhole(Path("readonly.par"), "keep", 0444);  // refused even for the administrator

  EXPECT_FALSE(WriteFileSafely(Path("loop1"), "x"));
  EXPECT_FALSE(WriteFileSafely(Path("folder.par"), "x"));
  EXPECT_FALSE(WriteFileSafely(Path("readonly.par"), "x"));
  EXPECT_FALSE(WriteFileSafely("", "x"));
  EXPECT_EQ(ReadWhole(Path("readonly.par")), "keep");
  EXPECT_EQ(ModeOf(Path("readonly.par")), 0444u);
  EXPECT_EQ(NamesIn(dir_), (std::set<std::string>{"loop1", "loop2", "folder.par", "readonly.par"}));
}

// Injected failures: every step of the write path fails in turn, and each time the old file
// must stay exactly as it was, with no temporary file left behind.
struct Injection {
  int fail_write_at = 0;  // 1-based call number, 0: never
  bool write_returns_zero = false;
  bool fail_fsync = false;
  bool fail_close = false;
  bool fail_rename = false;
  int write_calls = 0;
};
Injection g_injection;

ssize_t InjectedWrite(int fd, const void* bytes, std::size_t count) {
  if (++g_injection.write_calls == g_injection.fail_write_at) {
    if (g_injection.write_returns_zero) return 0;
    errno = ENOSPC;
    return -1;
  }
  return ::write(fd, bytes, std::min<std::size_t>(count, 4096));  // short writes
}
int InjectedFsync(int fd) {
  if (!g_injection.fail_fsync) return ::fsync(fd);
  errno = EIO;
  return -1;
}
int InjectedClose(int fd) {
  ::close(fd);
  if (!g_injection.fail_close) return 0;
  errno = EIO;
  return -1;
}
int InjectedRename(const char* from, const char* to) {
  if (!g_injection.fail_rename) return ::rename(from, to);
  errno = EXDEV;
  return -1;
}
constexpr FileWriteOps kInjectedOps = {InjectedWrite, InjectedFsync, InjectedClose, InjectedRename};

TEST_F(FileLayerTest, AFailureAtAnyStepLeavesTheOldFileAsItWas) {
  struct Case {
    const char* what;
    Injection injection;
  };
  const Case cases[] = {
      {"first write fails", {.fail_write_at = 1}},
      {"second write fails", {.fail_write_at = 2}},
      {"last write fails", {.fail_write_at = 3}},
      {"a write makes no progress", {.fail_write_at = 2, .write_returns_zero = true}},
      {"fsync fails", {.fail_fsync = true}},
      {"close fails", {.fail_close = true}},
      {"rename fails", {.fail_rename = true}},
  };
  const std::string path = Path("loja.par");
  const std::string old_bytes = "P0030\r\nold\r\n";
  const std::string new_bytes(10000, 'n');  // three writes of at most 4096 bytes
  for (const Case& c : cases) {
    WriteWhole(path, old_bytes, 0640);
    g_injection = c.injection;
    {
      ScopedFileWriteOps ops(kInjectedOps);
      EXPECT_FALSE(WriteFileSafely(path, new_bytes)) << c.what;
    }
    EXPECT_EQ(ReadWhole(path), old_bytes) << c.what;
    EXPECT_EQ(ModeOf(path), 0640u) << c.what;
    EXPECT_EQ(NamesIn(dir_), std::set<std::string>{"loja.par"}) << c.what;
  }

  // The same path without failures writes everything through the short writes.
  g_injection = {};
  ScopedFileWriteOps ops(kInjectedOps);
  EXPECT_TRUE(WriteFileSafely(path, new_bytes));
  EXPECT_EQ(g_injection.write_calls, 3);
  EXPECT_EQ(ReadWhole(path), new_bytes);
}

// --- Permissions, checked as an unprivileged user ---

struct Unprivileged {
  uid_t uid;
  gid_t gid;
};

Unprivileged NobodyUser() {
  const passwd* pw = ::getpwnam("nobody");
  return pw ? Unprivileged{pw->pw_uid, pw->pw_gid} : Unprivileged{65534, 65534};
}

// The administrator passes every permission check, so as root the check runs in a child
// process that has become "nobody"; an ordinary user runs it directly.
void RunAsUnprivilegedUser(const std::function<void()>& check) {
  if (::geteuid() != 0) {
    check();
    return;
  }
  const Unprivileged nobody = NobodyUser();
  std::fflush(stdout);
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(nobody.gid) != 0 || ::setuid(nobody.uid) != 0) {
      std::_Exit(77);
    }
    check();
    std::fflush(stdout);
    std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "cannot become the user nobody";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the check as the user nobody failed (see above)";
}

// Hands a file or folder to the user the checks run as.
void GiveToCheckingUser(const std::string& path) {
  if (::geteuid() != 0) return;
  const Unprivileged nobody = NobodyUser();
  ASSERT_EQ(::lchown(path.c_str(), nobody.uid, nobody.gid), 0);
}

TEST_F(FileLayerTest, AReadOnlyFileOfTheUserIsRefusedAndKept) {
  const std::string path = Path("loja.par");
  WriteWhole(path, "keep", 0444);
  GiveToCheckingUser(path);
  RunAsUnprivilegedUser([&] {
    EXPECT_FALSE(WriteFileSafely(path, "new"));
    EXPECT_EQ(ReadWhole(path), "keep");
    EXPECT_EQ(NamesIn(dir_), std::set<std::string>{"loja.par"});
  });
}

TEST_F(FileLayerTest, AFileInAReadOnlyFolderIsRefusedAndKept) {
  const std::string folder = Path("locked");
  ASSERT_EQ(::mkdir(folder.c_str(), 0777), 0);
  WriteWhole(folder + "/loja.par", "keep", 0644);
  GiveToCheckingUser(folder + "/loja.par");
  GiveToCheckingUser(folder);
  ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
  RunAsUnprivilegedUser([&] {
    EXPECT_FALSE(WriteFileSafely(folder + "/loja.par", "new"));
    EXPECT_EQ(ReadWhole(folder + "/loja.par"), "keep");
    EXPECT_EQ(NamesIn(folder), std::set<std::string>{"loja.par"});
    // Reading it still works: the loader opens such a file for reading.
    const FileHandle file = OpenFileForReading(folder + "/loja.par");
    EXPECT_NE(file, kNoFile);
    EXPECT_EQ(CloseFile(file), 0);
  });
}

TEST_F(FileLayerTest, AnotherUsersFileIsNotReplacedEvenInAnOpenFolder) {
  // Without its own check, the rename would replace a file the user may not write,
  // because the folder lets everyone create and rename files.
  if (::geteuid() != 0) {
    GTEST_SKIP() << "needs a file owned by another user: runs when the tests run as root";
  }
  const std::string path = Path("root.par");
  WriteWhole(path, "keep", 0644);
  RunAsUnprivilegedUser([&] {
    EXPECT_FALSE(WriteFileSafely(path, "new"));
    EXPECT_EQ(ReadWhole(path), "keep");
    EXPECT_EQ(NamesIn(dir_), std::set<std::string>{"root.par"});
  });
}

TEST_F(FileLayerTest, AnUnprivilegedUserSavesItsOwnFileKeepingItsPermissions) {
  const std::string path = Path("own.par");
  WriteWhole(path, "old", 0604);
  GiveToCheckingUser(path);
  RunAsUnprivilegedUser([&] {
    EXPECT_TRUE(WriteFileSafely(path, "new"));
    EXPECT_EQ(ReadWhole(path), "new");
    EXPECT_EQ(ModeOf(path), 0604u);
  });
}

// --- The parameter file's save: backup, owner, links, litter ---

// A save whose file has a second hard link, or belongs to another user who shares it, must
// not break the link or take the file over: it is rewritten in place behind its backup.
TEST_F(FileLayerTest, ASavedFileKeepsItsHardLinks) {
  const std::string path = Path("loja.par");
  WriteWhole(path, "old", 0644);
  ASSERT_EQ(::link(path.c_str(), Path("copia.par").c_str()), 0);
  EXPECT_EQ(WriteFileWithBackup(path, "new", Path("loja.bak")), FileResult::kDone);
  EXPECT_EQ(ReadWhole(Path("copia.par")), "new");
  EXPECT_EQ(ReadWhole(Path("loja.bak")), "old");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_nlink, 2u);
}

TEST_F(FileLayerTest, ASharedFileOfAnotherUserKeepsItsOwner) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs a file of another user: runs as root";
  const std::string path = Path("compartilhado.par");
  WriteWhole(path, "old", 0666);  // root's file, open to everyone
  RunAsUnprivilegedUser([&] {
    EXPECT_EQ(WriteFileWithBackup(path, "new", Path("compartilhado.bak")), FileResult::kDone);
    EXPECT_EQ(ReadWhole(path), "new");
    EXPECT_EQ(ReadWhole(Path("compartilhado.bak")), "old");
  });
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 0u);
  EXPECT_EQ(st.st_mode & 07777, 0666u);
}

// The rewrite in place fails part-way: the file is put back from the backup.
TEST_F(FileLayerTest, AFailedRewriteInPlaceIsUndoneFromTheBackup) {
  const std::string path = Path("loja.par");
  const std::string old_bytes(9000, 'o');
  WriteWhole(path, old_bytes, 0644);
  WriteWhole(Path("loja.bak"), "previous generation");
  ASSERT_EQ(::link(path.c_str(), Path("copia.par").c_str()), 0);
  // Calls 1 to 3 copy the backup; call 4, the first of the rewrite, fails.
  g_injection = {.fail_write_at = 4};
  {
    ScopedFileWriteOps ops(kInjectedOps);
    EXPECT_EQ(WriteFileWithBackup(path, std::string(10000, 'n'), Path("loja.bak")),
              FileResult::kWriteFailed);
  }
  EXPECT_EQ(ReadWhole(path), old_bytes);
  EXPECT_EQ(ReadWhole(Path("copia.par")), old_bytes);
  EXPECT_EQ(ReadWhole(Path("loja.bak")), "previous generation");
  EXPECT_FALSE(SaveWasInterrupted(path));
  EXPECT_EQ(NamesIn(dir_), (std::set<std::string>{"copia.par", "loja.bak", "loja.par"}));
}

// A killed save leaves its temporary file; the next save of the same file removes it, and
// leaves alone another file's temporary file and what belongs to nobody of ours.
TEST_F(FileLayerTest, ASaveRemovesTheTemporaryFilesAKilledSaveOfItsFileLeft) {
  for (const char* name : {".loja.par.qx-tmp-a1B2c3", ".loja.par.qx-tmp-zzzzzz",
                           ".outra.par.qx-tmp-a1B2c3", ".loja.par.qx-tmp-curto", "loja.txt"}) {
    WriteWhole(Path(name), "x");
  }
  // One still held by a running save stays.
  const int held = ::open(Path(".loja.par.qx-tmp-zzzzzz").c_str(), O_RDONLY);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  EXPECT_TRUE(WriteFileSafely(Path("loja.par"), "new"));
  ::close(held);
  EXPECT_EQ(NamesIn(dir_),
            (std::set<std::string>{".loja.par.qx-tmp-zzzzzz", ".outra.par.qx-tmp-a1B2c3",
                                   ".loja.par.qx-tmp-curto", "loja.par", "loja.txt"}));
}

// What stands at the backup's name is replaced, never written through: a link's target and a
// dangling link's folder stay untouched. A pipe stops the save before anything changes.
TEST_F(FileLayerTest, HostileBackupEntriesAreReplacedOrStopTheSave) {
  ASSERT_EQ(::mkdir(Path("outra").c_str(), 0777), 0);
  WriteWhole(Path("outra/cliente.par"), "other");
  const std::string path = Path("loja.par");
  const std::string backup = Path("loja.par.bak");
  for (const char* target : {"outra/cliente.par", "outra/novo.par"}) {
    fs::remove(backup);
    WriteWhole(path, "old", 0600);
    ASSERT_EQ(::symlink(Path(target).c_str(), backup.c_str()), 0);
    EXPECT_EQ(WriteFileWithBackup(path, "new", backup), FileResult::kDone) << target;
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(backup))) << target;
    EXPECT_EQ(ReadWhole(backup), "old") << target;
    EXPECT_EQ(ModeOf(backup), 0600u) << target;
  }
  EXPECT_EQ(ReadWhole(Path("outra/cliente.par")), "other");
  EXPECT_EQ(NamesIn(Path("outra")), std::set<std::string>{"cliente.par"});

  fs::remove(backup);
  ASSERT_EQ(::mkfifo(backup.c_str(), 0666), 0);
  EXPECT_EQ(WriteFileWithBackup(path, "newer", backup), FileResult::kBackupFailed);
  EXPECT_EQ(ReadWhole(path), "new");
}

// A backup that another user owns is replaced by a new file of the parameter file's owner,
// so the other user cannot read a private file's content through it.
TEST_F(FileLayerTest, ABackupOfAnotherUserIsReplacedNotReused) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs a file of another user: runs as root";
  const std::string path = Path("loja.par");
  const std::string backup = Path("loja.par.bak");
  WriteWhole(path, "private", 0600);
  WriteWhole(backup, "x", 0666);
  GiveToCheckingUser(backup);
  EXPECT_EQ(WriteFileWithBackup(path, "new", backup), FileResult::kDone);
  struct stat st {};
  ASSERT_EQ(::stat(backup.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 0u);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  EXPECT_EQ(ReadWhole(backup), "private");
}

// An empty file never replaces a backup, whether the file is replaced by a rename or
// rewritten in place (second hard link).
TEST_F(FileLayerTest, AnEmptyFileNeverReplacesTheBackup) {
  for (const bool linked : {false, true}) {
    fs::remove(Path("copia.par"));
    const std::string path = Path("loja.par");
    WriteWhole(path, "");
    WriteWhole(Path("loja.par.bak"), "last good");
    if (linked) {
      ASSERT_EQ(::link(path.c_str(), Path("copia.par").c_str()), 0);
    }
    EXPECT_EQ(WriteFileWithBackup(path, "new", Path("loja.par.bak")), FileResult::kDone);
    EXPECT_EQ(ReadWhole(path), "new") << linked;
    EXPECT_EQ(ReadWhole(Path("loja.par.bak")), "last good") << linked;
  }
}

// A save killed while it rewrites the file in place: the backup holds the old content whole,
// the damage is recognised, no later save writes anything, and the file is put back (from a
// usable backup only).
TEST_F(FileLayerTest, AKilledRewriteInPlaceIsRecognisedAndRestored) {
  const std::string path = Path("loja.par");
  const std::string backup = Path("loja.par.bak");
  const std::string old_bytes(9000, 'o');
  WriteWhole(path, old_bytes);
  WriteWhole(backup, "previous generation");
  ASSERT_TRUE(test::LeaveInterruptedSave(path, backup, std::string(10000, 'n')));
  EXPECT_TRUE(SaveWasInterrupted(path));
  const std::string damaged = ReadWhole(path);
  EXPECT_EQ(WriteFileWithBackup(path, "later", backup), FileResult::kDamaged);
  EXPECT_EQ(ReadWhole(path), damaged);
  EXPECT_EQ(ReadWhole(backup), old_bytes);

  WriteWhole(Path("vazio.bak"), "");
  for (const char* unusable : {"nenhum.bak", "vazio.bak"}) {
    EXPECT_EQ(RestoreFromBackup(path, Path(unusable)), FileResult::kBackupFailed) << unusable;
    EXPECT_EQ(ReadWhole(path), damaged) << unusable;
  }
  EXPECT_EQ(RestoreFromBackup(path, backup), FileResult::kDone);
  EXPECT_FALSE(SaveWasInterrupted(path));
  EXPECT_EQ(ReadWhole(path + ".link"), old_bytes);  // still one file, restored in place
  EXPECT_EQ(WriteFileWithBackup(path, "later", backup), FileResult::kDone);
  EXPECT_EQ(NamesIn(dir_),
            (std::set<std::string>{"loja.par", "loja.par.bak", "loja.par.link", "vazio.bak"}));
}

// Two saves of one file never interleave: while one runs, the other waits for it (and, past
// its wait, gives up with kBusy and writes nothing).
TEST_F(FileLayerTest, TwoSavesOfOneFileNeverInterleave) {
  const std::string path = Path("loja.par");
  for (const bool waits : {false, true}) {
    WriteWhole(path, "old");
    int started[2];
    ASSERT_EQ(::pipe(started), 0);
    const pid_t child = ::fork();
    if (child == 0) {
      static int signal_fd = started[1];
      FileWriteOps slow = SystemFileWriteOps();
      slow.write = [](int fd, const void* bytes, std::size_t count) -> ssize_t {
        if (signal_fd >= 0) {
          if (::write(signal_fd, "x", 1) != 1) ::_exit(3);  // the parent would wait in vain
          signal_fd = -1;
          ::usleep(400 * 1000);
        }
        return ::write(fd, bytes, count);
      };
      SetFileWriteOps(slow);
      ::_exit(WriteFileWithBackup(path, "first", Path("loja.par.bak")) == FileResult::kDone ? 0
                                                                                            : 1);
    }
    char byte = 0;
    ASSERT_EQ(::read(started[0], &byte, 1), 1);
    const int previous = SetSaveLockWait(waits ? 5000 : 50);
    const FileStatus second = WriteFileWithBackup(path, "second", Path("loja.par.bak"));
    SetSaveLockWait(previous);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ::close(started[0]);
    ::close(started[1]);
    EXPECT_EQ(second, waits ? FileResult::kDone : FileResult::kBusy);
    EXPECT_EQ(ReadWhole(path), waits ? "second" : "first");
    EXPECT_EQ(ReadWhole(Path("loja.par.bak")), waits ? "first" : "old");
  }
  EXPECT_EQ(NamesIn(dir_), (std::set<std::string>{"loja.par", "loja.par.bak"}));
}

// A failed save removes the folders it created, and only those.
TEST_F(FileLayerTest, AFailedSaveRemovesTheFoldersItCreated) {
  ASSERT_EQ(::mkdir(Path("existe").c_str(), 0777), 0);
  g_injection = {.fail_write_at = 1};
  {
    ScopedFileWriteOps ops(kInjectedOps);
    EXPECT_EQ(WriteFileWithBackup(Path("existe/novo/sub/loja.par"), "x", Path("loja.bak")),
              FileResult::kWriteFailed);
    g_injection.write_calls = 0;
    EXPECT_FALSE(WriteFileSafely(Path("existe/outro/loja.HTM"), "x"));
  }
  g_injection = {};
  EXPECT_EQ(NamesIn(dir_), std::set<std::string>{"existe"});
  EXPECT_TRUE(NamesIn(Path("existe")).empty());
}

TEST_F(FileLayerTest, PathKindsAndSameFile) {
  WriteWhole(Path("a.par"), "a");
  ASSERT_EQ(::link(Path("a.par").c_str(), Path("b.par").c_str()), 0);
  ASSERT_EQ(::symlink("a.par", Path("c.par").c_str()), 0);
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0666), 0);
  EXPECT_EQ(GetPathKind(Path("a.par")), PathKind::kFile);
  EXPECT_EQ(GetPathKind(Path("c.par")), PathKind::kFile);
  EXPECT_EQ(GetPathKind(Path("fifo")), PathKind::kOther);
  EXPECT_EQ(GetPathKind(dir_), PathKind::kOther);
  EXPECT_EQ(GetPathKind(Path("nada.par")), PathKind::kMissing);
  EXPECT_EQ(GetPathKind(Path("a.par/x")), PathKind::kMissing);

  EXPECT_TRUE(SameFile(Path("a.par"), Path("b.par")));
  EXPECT_TRUE(SameFile(Path("a.par"), Path("c.par")));
  EXPECT_TRUE(SameFile(Path("a.par"), dir_ + "/./x/../a.par") || !Exists(dir_ + "/x"));
  EXPECT_FALSE(SameFile(Path("a.par"), Path("nada.par")));
  EXPECT_TRUE(SameFile(Path("nada.par"), dir_ + "//nada.par"));
  EXPECT_TRUE(SameFile(Path("nova/nada.par"), Path("nova/../nova/nada.par")));
  EXPECT_FALSE(SameFile(Path("nada.par"), Path("NADA.par")));
}

}  // namespace
}  // namespace qx
