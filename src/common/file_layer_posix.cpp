#include "common/file_layer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <optional>

#include "common/file_write_ops.h"

namespace qx {
namespace {

constexpr std::size_t kMaxPathCopy = 259;
constexpr std::size_t kMaxComponent = 256;
constexpr int kMaxLinkHops = 40;

FileWriteOps g_ops = SystemFileWriteOps();

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

// The target's permissions and owner, or what a new file gets.
struct TargetInfo {
  mode_t mode = 0;
  bool exists = false;
  uid_t uid = 0;
  gid_t gid = 0;
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
  return info;
}

}  // namespace

FileWriteOps SystemFileWriteOps() { return {::write, ::fsync, ::close, ::rename}; }

FileWriteOps SetFileWriteOps(const FileWriteOps& ops) {
  const FileWriteOps previous = g_ops;
  g_ops = ops;
  return previous;
}

void CreateDirectoryChain(const std::string& path) {
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
    if (end == std::string::npos) return;  // the last component is never created
    const std::size_t length = end - pos;
    if (length > kMaxComponent) return;
    if (length > 0) {
      prefix.append(copy, pos, length);
      ::mkdir(prefix.c_str(), 0777);  // an existing folder is fine
      prefix += '/';
    }
    pos = end + 1;
  }
}

FileHandle OpenExistingFile(const std::string& path) { return OpenRegularFile(path, O_RDWR); }

FileHandle OpenFileForReading(const std::string& path) {
  return OpenRegularFile(path, O_RDONLY);
}

FileHandle CreateNewFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, 0666);
  return fd < 0 ? kNoFile : fd;
}

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

std::size_t WriteBytes(FileHandle file, const void* bytes, std::size_t count) {
  if (file == kNoFile) return 0;
  return WriteAll(file, static_cast<const char*>(bytes), count) ? count : 0;
}

std::size_t WriteTextLine(FileHandle file, std::string_view text) {
  if (text.empty()) return 0;
  const std::size_t written = WriteBytes(file, text.data(), text.size());
  if (written == 0) return 0;
  return WriteBytes(file, "\r\n", 2);
}

void WriteTextLine(std::string& page, std::string_view text) {
  if (text.empty()) return;
  page.append(text);
  page.append("\r\n");
}

bool WriteFileSafely(const std::string& path, std::string_view bytes, MissingFolders folders) {
  if (path.empty()) return false;
  if (folders == MissingFolders::kCreate) CreateDirectoryChain(path);

  const std::optional<std::string> target = ResolveLinks(path);
  if (!target) return false;
  const std::optional<TargetInfo> info = CheckTarget(*target);
  if (!info) return false;

  // The temporary file lives in the target's folder so that the rename cannot cross file
  // systems, and it starts private until it has the target's permissions.
  std::string temp = FolderOf(*target) + "/.qx-save-XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return false;

  const auto fail = [&temp](int open_fd) {
    if (open_fd >= 0) ::close(open_fd);
    ::unlink(temp.c_str());
    return false;
  };

  if (info->exists) {
    struct stat st {};
    if (::fstat(fd, &st) == 0 && (st.st_uid != info->uid || st.st_gid != info->gid)) {
      // Only the administrator may hand the file back to its owner (or group); anyone
      // else saves a file they own, with the permissions the old one had.
      if (::fchown(fd, info->uid, info->gid) != 0) {
        // not the administrator: the saving user keeps the file
      }
    }
  }
  if (::fchmod(fd, info->mode) != 0) return fail(fd);
  if (!WriteAll(fd, bytes.data(), bytes.size())) return fail(fd);
  if (g_ops.fsync(fd) != 0) return fail(fd);
  if (g_ops.close(fd) != 0) return fail(-1);  // the descriptor is gone even when close fails
  if (g_ops.rename(temp.c_str(), target->c_str()) != 0) return fail(-1);

  // The new file is in place; syncing the folder makes the rename itself durable. Some file
  // systems cannot sync a folder, and the old file is gone by now, so the save stands.
  const int folder = ::open(FolderOf(*target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    g_ops.fsync(folder);
    ::close(folder);
  }
  return true;
}

}  // namespace qx

namespace qx {

bool RemoveFile(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT;
  if (S_ISDIR(st.st_mode)) return false;
  return ::unlink(path.c_str()) == 0;
}

}  // namespace qx
