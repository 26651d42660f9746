#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

#include "common/file_layer.h"
#include "common/file_write_ops.h"
#include "common/save_outcome.h"

namespace qx {
namespace {

constexpr std::size_t kMaxPathCopy = 259;
constexpr std::size_t kMaxComponent = 256;
constexpr int kMaxLinkHops = 40;

FileWriteOps g_ops = SystemFileWriteOps();
int g_lock_wait_ms = 5000;

// Opens a regular file only: a folder, a pipe or a device is not a file the program can
// load or replace, and opening a pipe could block for ever.
FileHandle OpenRegularFile(const std::string& path, int access) {
  const int fd = ::open(path.c_str(), access | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return kNoFile;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return kNoFile;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}

// Writes every byte or fails; a write that makes no progress counts as a failure.
bool WriteAll(int fd, const char* bytes, std::size_t count) {
  while (count > 0) {
    const ssize_t written = g_ops.write(fd, bytes, count);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    count -= static_cast<std::size_t>(written);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The file a path finally names, following symbolic links (also one that points to a file
// that does not exist yet, which is then created there). Nothing for a loop of links.
std::optional<std::string> ResolveLinks(std::string path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) return std::nullopt;
    target.resize(static_cast<std::size_t>(length));
    if (target.front() == '/' || path.find('/') == std::string::npos) {
      path = target;
    } else {
      path = FolderOf(path) + "/" + target;
    }
  }
  return std::nullopt;
}

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);  // the program has one thread: reading it this way is safe
  ::umask(mask);
  return mask;
}

// The target's permissions, owner and links, or what a new file gets.
struct TargetInfo {
  mode_t mode = 0;
  bool exists = false;
  uid_t uid = 0;
  gid_t gid = 0;
  nlink_t links = 0;
};

// Nothing when the target must not be replaced: not a regular file, read-only (no write
// permission bit at all, which holds even for the administrator) or not writable by this
// user, or not reachable.
std::optional<TargetInfo> CheckTarget(const std::string& target) {
  TargetInfo info;
  struct stat st {};
  if (::stat(target.c_str(), &st) != 0) {
    if (errno != ENOENT) return std::nullopt;
    info.mode = 0666 & ~CurrentUmask();
    return info;
  }
  if (!S_ISREG(st.st_mode)) return std::nullopt;
  if ((st.st_mode & 0222) == 0) return std::nullopt;
  if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return std::nullopt;
  info.exists = true;
  info.mode = st.st_mode & 07777;
  info.uid = st.st_uid;
  info.gid = st.st_gid;
  info.links = st.st_nlink;
  return info;
}

std::string_view FileNameOf(std::string_view path) { return path.substr(FileNameStart(path)); }

// Temporary files of one target are named ".NAME.qx-tmp-XXXXXX" beside it, so that a save
// can find the ones a killed save of the same file left behind. The name is shortened to
// stay within the 255 bytes a folder entry may have.
constexpr std::string_view kTempMark = ".qx-tmp-";
constexpr std::size_t kTempRandomChars = 6;
constexpr std::size_t kMaxEntryName = 255;

std::string TempPrefix(const std::string& target) {
  std::string name(FileNameOf(target));
  const std::size_t room = kMaxEntryName - 1 - kTempMark.size() - kTempRandomChars;
  if (name.size() > room) name.resize(room);
  return "." + name + std::string(kTempMark);
}

// Removes the temporary files of this target that no running save holds: a save keeps its
// temporary file locked until it is done, and a killed one's lock is gone with it.
void RemoveStaleTemps(const std::string& folder, const std::string& prefix) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  const int dir_fd = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name.size() != prefix.size() + kTempRandomChars || name.substr(0, prefix.size()) != prefix)
      continue;
    const int fd =
        ::openat(dir_fd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) continue;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      ::unlinkat(dir_fd, entry->d_name, 0);
    }
    ::close(fd);
  }
  ::closedir(dir);
}

// A temporary file beside the target, locked for as long as the object lives (the lock
// stays when the writing descriptor is closed: it belongs to a second descriptor).
class TempFile {
 public:
  explicit TempFile(const std::string& target) {
    const std::string folder = FolderOf(target);
    const std::string prefix = TempPrefix(target);
    RemoveStaleTemps(folder, prefix);
    path_ = folder + "/" + prefix + std::string(kTempRandomChars, 'X');
    fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
    if (fd_ < 0) return;
    lock_fd_ = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    if (lock_fd_ >= 0) ::flock(lock_fd_, LOCK_EX | LOCK_NB);
  }
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !path_.empty()) ::unlink(path_.c_str());
    if (lock_fd_ >= 0) ::close(lock_fd_);
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  bool ok() const { return fd_ >= 0 && lock_fd_ >= 0; }
  int fd() const { return fd_; }
  // The writing descriptor is gone, even when closing it failed.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return g_ops.close(fd) == 0;
  }
  // Renames the finished file over the target.
  bool CommitTo(const std::string& target) {
    if (g_ops.rename(path_.c_str(), target.c_str()) != 0) return false;
    committed_ = true;
    return true;
  }

 private:
  std::string path_;
  int fd_ = -1;
  int lock_fd_ = -1;
  bool committed_ = false;
};

// Syncing the folder makes a rename itself durable. Some file systems cannot sync a folder,
// and the old file is gone by then, so a failure here does not undo the save.
void SyncFolder(const std::string& target) {
  const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    g_ops.fsync(folder);
    ::close(folder);
  }
}

// Where the content comes from: bytes in memory, or the whole of another file.
struct Content {
  std::string_view bytes;
  int from_fd = -1;  // read from the start to the end when >= 0
};

bool WriteContent(int fd, const Content& content) {
  if (content.from_fd < 0) return WriteAll(fd, content.bytes.data(), content.bytes.size());
  if (::lseek(content.from_fd, 0, SEEK_SET) != 0) return false;
  std::vector<char> chunk(std::size_t{64} * 1024);
  for (;;) {
    const ssize_t got = ::read(content.from_fd, chunk.data(), chunk.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    if (!WriteAll(fd, chunk.data(), static_cast<std::size_t>(got))) return false;
  }
}

enum class Replaced { kDone, kFailed, kKeepsNoOwner };

// The temporary-file-and-rename replacement of an already checked, resolved target. With
// keep_owner, a target whose owner or group the new file could not be given is left alone
// and reported as kKeepsNoOwner (the caller rewrites it in place instead).
Replaced ReplaceByRename(const std::string& target, const TargetInfo& info, const Content& content,
                         bool keep_owner) {
  TempFile temp(target);
  if (!temp.ok()) return Replaced::kFailed;
  if (info.exists) {
    struct stat st {};
    if (::fstat(temp.fd(), &st) == 0 && (st.st_uid != info.uid || st.st_gid != info.gid)) {
      // Only the administrator (or a member of the group, for the group) may hand the file
      // back; anyone else would become the owner of the saved file.
      if (::fchown(temp.fd(), info.uid, info.gid) != 0 && keep_owner)
        return Replaced::kKeepsNoOwner;
    }
  }
  if (::fchmod(temp.fd(), info.mode) != 0) return Replaced::kFailed;
  if (!WriteContent(temp.fd(), content)) return Replaced::kFailed;
  if (g_ops.fsync(temp.fd()) != 0) return Replaced::kFailed;
  if (!temp.Close()) return Replaced::kFailed;
  if (!temp.CommitTo(target)) return Replaced::kFailed;
  SyncFolder(target);
  return Replaced::kDone;
}

// Rewrites an existing file through its own inode, so that its owner, group, permissions
// and hard links stay. Only called once a complete copy of the old content exists.
bool RewriteInPlace(const std::string& target, const Content& content) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  bool ok = ::ftruncate(fd, 0) == 0 && WriteContent(fd, content) && g_ops.fsync(fd) == 0;
  if (g_ops.close(fd) != 0) ok = false;
  return ok;
}

// CreateDirectoryChain, giving the folders it created itself (outermost first).
std::vector<std::string> CreateFolders(const std::string& path) {
  std::vector<std::string> created;
  std::string copy = path.substr(0, kMaxPathCopy);
  if (copy.size() > 1 && copy.back() == '/') copy.pop_back();

  std::string prefix;
  std::size_t pos = 0;
  if (!copy.empty() && copy.front() == '/') {
    prefix = "/";
    pos = 1;
  }
  for (;;) {
    const std::size_t end = copy.find('/', pos);
    if (end == std::string::npos) return created;  // the last one is never created
    const std::size_t length = end - pos;
    if (length > kMaxComponent) return created;
    if (length > 0) {
      prefix.append(copy, pos, length);
      if (::mkdir(prefix.c_str(), 0777) == 0) created.push_back(prefix);  // existing: fine
      prefix += '/';
    }
    pos = end + 1;
  }
}

// Removes again the folders a failed save created, innermost first, and only while they are
// empty.
void RemoveFolders(const std::vector<std::string>& created) {
  for (auto folder = created.rbegin(); folder != created.rend(); ++folder) ::rmdir(folder->c_str());
}

}  // namespace

FileWriteOps SystemFileWriteOps() { return {::write, ::fsync, ::close, ::rename}; }

FileWriteOps SetFileWriteOps(const FileWriteOps& ops) {
  const FileWriteOps previous = g_ops;
  g_ops = ops;
  return previous;
}

void CreateDirectoryChain(const std::string& path) { CreateFolders(path); }

FileHandle OpenFileForReading(const std::string& path) { return OpenRegularFile(path, O_RDONLY); }

int CloseFile(FileHandle file) {
  if (file == kNoFile) return -1;
  return g_ops.close(file) == 0 ? 0 : -1;
}

long ReadBytes(FileHandle file, void* buffer, std::size_t count) {
  if (file == kNoFile) return -1;
  if (count > static_cast<std::size_t>(LONG_MAX)) count = static_cast<std::size_t>(LONG_MAX);
  auto* out = static_cast<char*>(buffer);
  std::size_t total = 0;
  while (total < count) {
    const ssize_t got = ::read(file, out + total, count - total);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    total += static_cast<std::size_t>(got);
  }
  return static_cast<long>(total);
}

static bool ReplaceAllOrNothing(const std::string& path, std::string_view bytes,
                                MissingFolders folders) {
  if (path.empty()) return false;
  std::vector<std::string> created;
  if (folders == MissingFolders::kCreate) created = CreateFolders(path);

  const std::optional<std::string> target = ResolveLinks(path);
  const std::optional<TargetInfo> info =
      target ? CheckTarget(*target) : std::optional<TargetInfo>();
  if (info && ReplaceByRename(*target, *info, Content{bytes}, false) == Replaced::kDone)
    return true;
  RemoveFolders(created);
  return false;
}

FileStatus WriteFileSafely(const std::string& path, std::string_view bytes,
                           MissingFolders folders) {
  const bool done = ReplaceAllOrNothing(path, bytes, folders);
  return {done ? FileResult::kDone : FileResult::kWriteFailed, path, {}};
}

namespace {

// Files of ours beside a target: the save lock, the mark of a rewrite in place and the
// previous backup kept aside while one runs. Hidden, named after the file.
constexpr std::string_view kLockMark = ".qx-lock";
constexpr std::string_view kRewriteMark = ".qx-rewrite";
constexpr std::string_view kAsideMark = ".qx-prev";

std::string SideName(const std::string& path, std::string_view mark) {
  std::string name(FileNameOf(path));
  if (name.size() > kMaxEntryName - 1 - mark.size()) name.resize(kMaxEntryName - 1 - mark.size());
  return FolderOf(path) + "/." + name + std::string(mark);
}

// The lock of one save: a file beside the target, locked for the whole save and removed at
// its end. The holder may remove it at any moment, so a lock is only taken on the file that
// is still at that name. A lock left by a killed save is free again (the system drops it).
class SaveLock {
 public:
  enum class State { kHeld, kBusy, kFailed };

  explicit SaveLock(const std::string& target) : path_(SideName(target, kLockMark)) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(g_lock_wait_ms);
    for (;;) {
      const int fd = ::open(
          path_.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0644);
      if (fd < 0) return;  // kFailed: the folder cannot hold it
      if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
            ::lstat(path_.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
          fd_ = fd;
          state_ = State::kHeld;
          return;
        }
      } else if (errno != EWOULDBLOCK) {
        ::close(fd);
        return;
      }
      ::close(fd);
      if (std::chrono::steady_clock::now() >= deadline) {
        state_ = State::kBusy;
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  ~SaveLock() {
    if (fd_ < 0) return;
    ::unlink(path_.c_str());
    ::close(fd_);
  }
  SaveLock(const SaveLock&) = delete;
  SaveLock& operator=(const SaveLock&) = delete;

  State state() const { return state_; }

 private:
  std::string path_;
  int fd_ = -1;
  State state_ = State::kFailed;
};

bool HasRewriteMark(const std::string& target) {
  struct stat st {};
  return ::lstat(SideName(target, kRewriteMark).c_str(), &st) == 0;
}

// The mark is on disk before the file is touched: created, flushed, and its folder synced.
bool SetRewriteMark(const std::string& target) {
  const std::string mark = SideName(target, kRewriteMark);
  const int fd =
      ::open(mark.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0644);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  if (!ok) {
    ::unlink(mark.c_str());
    return false;
  }
  SyncFolder(target);
  return true;
}

void ClearRewriteMark(const std::string& target) {
  ::unlink(SideName(target, kRewriteMark).c_str());
  SyncFolder(target);
}

// What stands at the backup's name may be replaced: nothing, a plain file or a symbolic link
// (the link itself is replaced). A folder, pipe or device, or a name that cannot be looked at,
// is not ours to replace.
bool BackupNameIsFree(const std::string& backup, const std::string& target) {
  struct stat st {};
  if (::lstat(backup.c_str(), &st) != 0) return errno == ENOENT;
  if (S_ISLNK(st.st_mode)) return true;
  if (!S_ISREG(st.st_mode)) return false;
  struct stat file {};
  // The file's own name is never its backup.
  return !(::stat(target.c_str(), &file) == 0 && file.st_dev == st.st_dev &&
           file.st_ino == st.st_ino && file.st_nlink <= 1);
}

// The copy of the old content, complete and flushed, in a temporary file beside the backup,
// with the file's permissions and group and, where this user may give it, its owner. A group
// that cannot be kept takes the group's permissions with it: the copy must not be readable by
// people who could not read the file.
bool PrepareBackupCopy(TempFile& copy, const TargetInfo& info, int old_fd) {
  if (!copy.ok()) return false;
  mode_t mode = info.mode;
  struct stat st {};
  if (::fstat(copy.fd(), &st) != 0) return false;
  if ((st.st_uid != info.uid || st.st_gid != info.gid) &&
      ::fchown(copy.fd(), info.uid, info.gid) != 0) {
    if (st.st_gid != info.gid && ::fchown(copy.fd(), static_cast<uid_t>(-1), info.gid) != 0)
      mode &= ~mode_t{070};
  }
  return ::fchmod(copy.fd(), mode) == 0 && WriteContent(copy.fd(), Content{{}, old_fd}) &&
         g_ops.fsync(copy.fd()) == 0 && copy.Close();
}

int OpenForCopy(const std::string& path) {
  return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW);
}

// Rewrites the file in place behind its new backup. The previous backup generation is kept
// aside until the rewrite stands, and the mark tells a later open that a rewrite was cut off.
// A rewrite that fails is undone from the backup, and the previous generation comes back.
SafeWriteResult RewriteBehindBackup(const std::string& target, std::string_view bytes,
                                    TempFile* copy, const std::string& backup) {
  const std::string aside = SideName(backup, kAsideMark);
  ::unlink(aside.c_str());
  bool kept_aside = false;
  if (copy != nullptr) {
    struct stat st {};
    kept_aside = ::lstat(backup.c_str(), &st) == 0 && ::link(backup.c_str(), aside.c_str()) == 0;
    if (!copy->CommitTo(backup)) {
      if (kept_aside) ::unlink(aside.c_str());
      return SafeWriteResult::kBackupFailed;
    }
    SyncFolder(backup);
  }
  const auto put_back_previous_backup = [&] {
    if (kept_aside) ::rename(aside.c_str(), backup.c_str());
  };
  if (!SetRewriteMark(target)) {
    put_back_previous_backup();
    return SafeWriteResult::kFailed;
  }
  if (RewriteInPlace(target, Content{bytes})) {
    ClearRewriteMark(target);
    ::unlink(aside.c_str());
    return SafeWriteResult::kDone;
  }
  // The old content is the backup's now (or nothing, for a file that was empty).
  bool restored = false;
  if (copy == nullptr) {
    restored = RewriteInPlace(target, Content{});
  } else if (const int saved = OpenForCopy(backup); saved >= 0) {
    restored = RewriteInPlace(target, Content{{}, saved});
    ::close(saved);
  }
  // When even that fails, the mark stays: the file is damaged, the backup holds its content.
  if (restored) {
    ClearRewriteMark(target);
    put_back_previous_backup();
  }
  return SafeWriteResult::kFailed;
}

SafeWriteResult SaveUnderLock(const std::string& target, std::string_view bytes,
                              const std::string& backup) {
  if (HasRewriteMark(target)) return SafeWriteResult::kDamaged;
  const std::optional<TargetInfo> info = CheckTarget(target);
  if (!info) return SafeWriteResult::kFailed;
  if (!info->exists) {
    return ReplaceByRename(target, *info, Content{bytes}, false) == Replaced::kDone
               ? SafeWriteResult::kDone
               : SafeWriteResult::kFailed;
  }
  if (backup.empty() || !BackupNameIsFree(backup, target)) return SafeWriteResult::kBackupFailed;

  const int old_fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (old_fd < 0) return SafeWriteResult::kBackupFailed;
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } old_closer{old_fd};
  struct stat old_st {};
  if (::fstat(old_fd, &old_st) != 0) return SafeWriteResult::kBackupFailed;

  // An empty file is no content worth keeping: the backup that stands stays.
  std::optional<TempFile> copy;
  if (old_st.st_size > 0) {
    copy.emplace(backup);
    if (!PrepareBackupCopy(*copy, *info, old_fd)) return SafeWriteResult::kBackupFailed;
  }

  Replaced replaced = Replaced::kKeepsNoOwner;
  if (info->links <= 1) replaced = ReplaceByRename(target, *info, Content{bytes}, true);
  if (replaced == Replaced::kFailed) return SafeWriteResult::kFailed;
  if (replaced == Replaced::kKeepsNoOwner) {
    return RewriteBehindBackup(target, bytes, copy ? &*copy : nullptr, backup);
  }
  // The new file stands; only now does its old content become the backup. Should that rename
  // fail, the previous backup simply stays.
  if (copy && copy->CommitTo(backup)) SyncFolder(backup);
  return SafeWriteResult::kDone;
}

SafeWriteResult RestoreUnderLock(const std::string& target, const std::string& backup) {
  const int saved = OpenForCopy(backup);
  if (saved < 0) return SafeWriteResult::kBackupFailed;
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } saved_closer{saved};
  struct stat st {};
  if (::fstat(saved, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size == 0)
    return SafeWriteResult::kBackupFailed;
  const std::optional<TargetInfo> info = CheckTarget(target);
  if (!info) return SafeWriteResult::kFailed;
  Replaced replaced = Replaced::kKeepsNoOwner;
  if (info->exists && info->links <= 1)
    replaced = ReplaceByRename(target, *info, Content{{}, saved}, true);
  if (!info->exists) replaced = ReplaceByRename(target, *info, Content{{}, saved}, false);
  // In place, the mark stays on until the rewrite is flushed; the backup stays as it is.
  if (replaced == Replaced::kKeepsNoOwner &&
      !(SetRewriteMark(target) && RewriteInPlace(target, Content{{}, saved})))
    return SafeWriteResult::kFailed;
  if (replaced == Replaced::kFailed) return SafeWriteResult::kFailed;
  ClearRewriteMark(target);
  ::unlink(SideName(backup, kAsideMark).c_str());
  return SafeWriteResult::kDone;
}

// Runs one step on the file a path names, under the save lock.
template <class Step>
SafeWriteResult UnderSaveLock(const std::string& path, Step step) {
  const std::optional<std::string> target = ResolveLinks(path);
  if (!target) return SafeWriteResult::kFailed;
  const SaveLock lock(*target);
  switch (lock.state()) {
    case SaveLock::State::kHeld:
      return step(*target);
    case SaveLock::State::kBusy:
      return SafeWriteResult::kBusy;
    case SaveLock::State::kFailed:
      break;
  }
  return SafeWriteResult::kFailed;
}

}  // namespace

int SetSaveLockWait(int milliseconds) {
  const int previous = g_lock_wait_ms;
  g_lock_wait_ms = milliseconds;
  return previous;
}

FileStatus WriteFileWithBackup(const std::string& path, std::string_view bytes,
                               const std::string& backup_path) {
  if (path.empty()) return SaveStatus(SafeWriteResult::kFailed, path, backup_path);
  const std::vector<std::string> created = CreateFolders(path);
  const SafeWriteResult result = UnderSaveLock(
      path, [&](const std::string& target) { return SaveUnderLock(target, bytes, backup_path); });
  if (result != SafeWriteResult::kDone) RemoveFolders(created);
  return SaveStatus(result, path, backup_path);
}

bool SaveWasInterrupted(const std::string& path) {
  const std::optional<std::string> target = ResolveLinks(path);
  return target && HasRewriteMark(*target);
}

FileStatus RestoreFromBackup(const std::string& path, const std::string& backup_path) {
  if (path.empty() || backup_path.empty())
    return SaveStatus(SafeWriteResult::kFailed, path, backup_path);
  return SaveStatus(
      UnderSaveLock(
          path, [&](const std::string& target) { return RestoreUnderLock(target, backup_path); }),
      path, backup_path);
}

}  // namespace qx

namespace qx {

PathKind GetPathKind(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    return errno == ENOENT || errno == ENOTDIR ? PathKind::kMissing : PathKind::kUnknown;
  }
  return S_ISREG(st.st_mode) ? PathKind::kFile : PathKind::kOther;
}

// Every name is a file name here; devices live under /dev like any other path.
bool IsReservedDeviceName(std::string_view) { return false; }

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa {};
  struct stat sb {};
  const bool a_exists = ::stat(a.c_str(), &sa) == 0;
  const bool b_exists = ::stat(b.c_str(), &sb) == 0;
  if (a_exists && b_exists) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  if (a_exists != b_exists) return false;
  std::error_code error;
  const std::filesystem::path pa = std::filesystem::weakly_canonical(a, error);
  if (error) return a == b;
  const std::filesystem::path pb = std::filesystem::weakly_canonical(b, error);
  if (error) return a == b;
  return pa.lexically_normal() == pb.lexically_normal();
}

std::size_t FileNameStart(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? 0 : slash + 1;
}

}  // namespace qx
