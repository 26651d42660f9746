// The file layer on Windows. Paths arrive as UTF-8 and become UTF-16 only here, at the
// system calls. A FileHandle is the system's handle value, which always fits in 32 bits.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_layer.h"
#include "common/file_replace_ops.h"
#include "common/file_write_ops.h"
#include "common/save_outcome.h"

namespace qx {
namespace {

// The classic path limit counts UTF-16 characters, the terminating zero included.
constexpr std::size_t kMaxPathCopy = MAX_PATH - 1;
constexpr std::size_t kMaxComponent = 255;
// Beyond this length a path goes to the system in its extended form (\\?\), which lifts the
// limit; CreateDirectoryW already refuses 248 characters.
constexpr std::size_t kExtendedFrom = 248;
// A file held open by another program (a spreadsheet, an antivirus scan) is tried again
// for a little while before the save reports the failure.
constexpr int kBusyAttempts = 10;
constexpr DWORD kBusyWaitMs = 30;
// One write call writes at most this many bytes.
constexpr std::size_t kMaxWriteChunk = std::size_t{1} << 30;

FileWriteOps g_ops = SystemFileWriteOps();
ReplaceFileCall g_replace = SystemReplaceFileCall();
int g_lock_wait_ms = 5000;

HANDLE ToHandle(FileHandle file) { return LongToHandle(file); }
FileHandle FromHandle(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? kNoFile : static_cast<FileHandle>(HandleToLong(handle));
}

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

std::optional<std::wstring> Widen(std::string_view utf8) {
  if (utf8.empty()) return std::wstring();
  if (utf8.size() > 0x7fffffff) return std::nullopt;
  const int size = static_cast<int>(utf8.size());
  const int length =
      ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), length);
  return wide;
}

// The path as the system calls take it: UTF-16, and a long path in its extended form (which
// needs a full path with backslashes only).
std::optional<std::wstring> SystemPath(std::string_view utf8) {
  std::optional<std::wstring> wide = Widen(utf8);
  if (!wide || wide->empty() || wide->find(L'\0') != std::wstring::npos) return std::nullopt;
  if (wide->size() < kExtendedFrom || wide->starts_with(L"\\\\?\\")) return wide;
  const DWORD needed = ::GetFullPathNameW(wide->c_str(), 0, nullptr, nullptr);
  if (needed == 0) return std::nullopt;
  std::wstring full(needed, L'\0');
  const DWORD length = ::GetFullPathNameW(wide->c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return std::nullopt;
  full.resize(length);
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

// NUL, CON, PRN, AUX, COM1-9, LPT1-9 (also with an extension, such as nul.txt, and with
// trailing spaces), CONIN$ and CONOUT$ name devices in every folder.
bool IsDeviceName(std::string_view path) {
  std::string_view name = path.substr(FileNameStart(path));
  name = name.substr(0, name.find('.'));
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  std::string upper(name);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (upper == "NUL" || upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "CONIN$" ||
      upper == "CONOUT$") {
    return true;
  }
  return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
         upper[3] >= '1' && upper[3] <= '9';
}

bool IsBusyError(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_UNABLE_TO_REMOVE_REPLACED || error == ERROR_ACCESS_DENIED;
}

// Opens a disk file only: a folder, a device or a pipe is no file the program can load or
// replace.
FileHandle OpenRegularFile(const std::string& path, DWORD access, DWORD share) {
  if (IsDeviceName(path)) return kNoFile;
  const std::optional<std::wstring> wide = SystemPath(path);
  if (!wide) return kNoFile;
  const HANDLE handle = ::CreateFileW(wide->c_str(), access, share, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return kNoFile;
  BY_HANDLE_FILE_INFORMATION info{};
  // A read-only file opens for reading only, for the administrator too (whom some systems
  // let write it).
  if (::GetFileType(handle) != FILE_TYPE_DISK || !::GetFileInformationByHandle(handle, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
      ((access & GENERIC_WRITE) != 0 && (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0)) {
    ::CloseHandle(handle);
    return kNoFile;
  }
  return FromHandle(handle);
}

// Writes every byte or fails; a write that makes no progress counts as a failure.
bool WriteAll(FileHandle file, const char* bytes, std::size_t count) {
  while (count > 0) {
    const ssize_t written = g_ops.write(file, bytes, count);
    if (written <= 0) return false;
    bytes += written;
    count -= static_cast<std::size_t>(written);
  }
  return true;
}

// Temporary files of a save are named after the target (a hash of its name, so that their
// length stays fixed): ~qxHHHHHHHH-UUUUUUUU.tmp for the new contents, .bak for the old file
// while it is being replaced. The next save of the same target removes what a crash left.
std::string TempPrefix(std::string_view path) {
  std::uint32_t hash = 2166136261u;
  for (char c : path.substr(FileNameStart(path))) {
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    hash = (hash ^ static_cast<unsigned char>(lower)) * 16777619u;
  }
  char text[16];
  static const char kHex[] = "0123456789abcdef";
  for (int i = 0; i < 8; ++i) text[i] = kHex[(hash >> (28 - 4 * i)) & 0xf];
  return std::string(path.substr(0, FileNameStart(path))) + "~qx" + std::string(text, 8) + "-";
}

std::string UniqueSuffix(unsigned attempt) {
  static unsigned counter = 0;
  const std::uint64_t seed = ::GetTickCount64() ^ (std::uint64_t{::GetCurrentProcessId()} << 20) ^
                             (std::uint64_t{++counter} << 8) ^ attempt;
  std::uint32_t value = static_cast<std::uint32_t>(seed ^ (seed >> 32)) * 2654435761u;
  std::string text(8, '0');
  static const char kHex[] = "0123456789abcdef";
  for (int i = 7; i >= 0; --i) {
    text[static_cast<std::size_t>(i)] = kHex[value & 0xf];
    value >>= 4;
  }
  return text;
}

// Removes the temporary files an interrupted save of this target left behind. A backup of
// the old file is removed only while the target itself is in place.
void RemoveStaleTemporaryFiles(const std::string& target, bool target_exists) {
  const std::string prefix = TempPrefix(target);
  const std::optional<std::wstring> pattern = SystemPath(prefix + "????????.*");
  if (!pattern) return;
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW(pattern->c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  const std::wstring name_prefix = *Widen(prefix.substr(FileNameStart(prefix)));
  do {
    const std::wstring name = found.cFileName;
    if (name.size() != name_prefix.size() + 12 || !name.starts_with(name_prefix) ||
        (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      continue;
    }
    const bool temp = name.ends_with(L".tmp");
    const bool backup = name.ends_with(L".bak");
    if (!temp && !(backup && target_exists)) continue;
    // The rest of the name is ASCII: the hexadecimal suffix and the extension.
    std::string rest;
    for (std::size_t i = name_prefix.size(); i < name.size(); ++i) {
      rest += static_cast<char>(name[i]);
    }
    const std::optional<std::wstring> stale = SystemPath(prefix + rest);
    if (stale) ::DeleteFileW(stale->c_str());
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

// Creates a fresh temporary file beside the target; its name goes to temp_path.
FileHandle CreateTemporaryFile(const std::string& target, const char* extension,
                               std::string& temp_path) {
  const std::string prefix = TempPrefix(target);
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    temp_path = prefix + UniqueSuffix(attempt) + extension;
    const std::optional<std::wstring> wide = SystemPath(temp_path);
    if (!wide) return kNoFile;
    const HANDLE handle = ::CreateFileW(wide->c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) return FromHandle(handle);
    if (::GetLastError() != ERROR_FILE_EXISTS) return kNoFile;
  }
  return kNoFile;
}

bool Exists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Puts the finished temporary file in place of the existing target. The old file passes
// through a backup name; whatever way the replacement fails, the old file ends up back
// under its own name.
bool ReplaceExisting(const std::wstring& target, const std::wstring& temp,
                     const std::wstring& backup) {
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  DWORD error = ERROR_SUCCESS;
  for (int attempt = 0; attempt < kBusyAttempts; ++attempt) {
    if (attempt > 0) ::Sleep(kBusyWaitMs);
    error = g_replace(target.c_str(), temp.c_str(), backup.c_str());
    if (error == ERROR_SUCCESS || !IsBusyError(error)) break;
  }
  if (error == ERROR_SUCCESS) {
    ::DeleteFileW(backup.c_str());
    // The replacement takes over the target's attributes; where the system did not carry
    // them over, they are set here.
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        ::GetFileAttributesW(target.c_str()) != attributes) {
      ::SetFileAttributesW(target.c_str(), attributes);
    }
    return true;
  }
  // Some failures leave the old file under the backup name (ERROR_UNABLE_TO_MOVE_REPLACEMENT_2).
  if (!Exists(target) && Exists(backup)) {
    ::MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
  }
  return false;
}

// Moves a finished temporary file to a name where no file stood.
bool MoveIntoPlace(const std::wstring& temp, const std::wstring& target) {
  for (int attempt = 0; attempt < kBusyAttempts; ++attempt) {
    if (attempt > 0) ::Sleep(kBusyWaitMs);
    if (::MoveFileExW(temp.c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return true;
    }
    if (!IsBusyError(::GetLastError())) break;
  }
  return false;
}

ssize_t SystemWrite(int fd, const void* bytes, std::size_t count) {
  DWORD written = 0;
  const auto chunk = static_cast<DWORD>(count < kMaxWriteChunk ? count : kMaxWriteChunk);
  if (!::WriteFile(ToHandle(fd), bytes, chunk, &written, nullptr)) return -1;
  return static_cast<ssize_t>(written);
}

int SystemFlush(int fd) { return ::FlushFileBuffers(ToHandle(fd)) ? 0 : -1; }

int SystemClose(int fd) { return ::CloseHandle(ToHandle(fd)) ? 0 : -1; }

// The last step of the safe save: the finished temporary file takes the target's place,
// replacing an existing file (which keeps its attributes and security) or becoming a new one.
int SystemMove(const char* from, const char* to) {
  const std::optional<std::wstring> wide_from = SystemPath(from);
  const std::optional<std::wstring> wide_to = SystemPath(to);
  if (!wide_from || !wide_to) return -1;
  if (!Exists(*wide_to)) return MoveIntoPlace(*wide_from, *wide_to) ? 0 : -1;
  const std::optional<std::wstring> backup = SystemPath(TempPrefix(to) + UniqueSuffix(0) + ".bak");
  if (!backup) return -1;
  return ReplaceExisting(*wide_to, *wide_from, *backup) ? 0 : -1;
}

unsigned long SystemReplace(const wchar_t* target, const wchar_t* replacement,
                            const wchar_t* backup) {
  if (::ReplaceFileW(target, replacement, backup, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr)) {
    return ERROR_SUCCESS;
  }
  return ::GetLastError();
}

// The file a symbolic link (or junction) finally names; the path itself for anything else.
std::string ResolveLinks(const std::string& path, const std::wstring& wide) {
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return path;
  }
  const HANDLE handle =
      ::CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return path;
  std::wstring final_path(32768, L'\0');
  const DWORD length = ::GetFinalPathNameByHandleW(
      handle, final_path.data(), static_cast<DWORD>(final_path.size()), FILE_NAME_NORMALIZED);
  ::CloseHandle(handle);
  if (length == 0 || length >= final_path.size()) return path;
  final_path.resize(length);
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, final_path.c_str(), static_cast<int>(length),
                                         nullptr, 0, nullptr, nullptr);
  if (size <= 0) return path;
  std::string utf8(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, final_path.c_str(), static_cast<int>(length), utf8.data(), size,
                        nullptr, nullptr);
  return utf8;
}

struct Identity {
  DWORD volume;
  DWORD index_high;
  DWORD index_low;
};

std::optional<Identity> IdentityOf(const std::string& path) {
  if (IsDeviceName(path)) return std::nullopt;
  const std::optional<std::wstring> wide = SystemPath(path);
  if (!wide) return std::nullopt;
  const HANDLE handle =
      ::CreateFileW(wide->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool ok = ::GetFileInformationByHandle(handle, &info) != 0;
  ::CloseHandle(handle);
  if (!ok) return std::nullopt;
  return Identity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// The full path with backslashes and no trailing separator, for comparing names.
std::wstring NormalisedPath(const std::string& path) {
  std::optional<std::wstring> wide = Widen(path);
  if (!wide) return {};
  const DWORD needed = ::GetFullPathNameW(wide->c_str(), 0, nullptr, nullptr);
  if (needed != 0) {
    std::wstring full(needed, L'\0');
    const DWORD length = ::GetFullPathNameW(wide->c_str(), needed, full.data(), nullptr);
    if (length != 0 && length < needed) {
      full.resize(length);
      *wide = full;
    }
  }
  for (wchar_t& c : *wide) {
    if (c == L'/') c = L'\\';
  }
  while (wide->size() > 3 && wide->back() == L'\\') wide->pop_back();
  return *wide;
}

// A folder a save created: its name as the system took it, and which folder it is.
struct CreatedFolder {
  std::wstring path;
  Identity identity;
};

// What a folder is, through a handle of the folder itself (a link or junction is not
// followed); nothing when it is no plain folder.
std::optional<Identity> FolderIdentity(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(handle, &info)) return std::nullopt;
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    return std::nullopt;
  }
  return Identity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

HANDLE OpenFolderItself(const std::wstring& path, DWORD access) {
  return ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// CreateDirectoryChain, giving the folders it created itself (outermost first). A folder whose
// identity cannot be learnt right after its creation is not listed: it is never removed.
std::vector<CreatedFolder> CreateFolders(const std::string& path) {
  std::vector<CreatedFolder> created;
  std::optional<std::wstring> wide = Widen(path);
  if (!wide) return created;
  // The first 259 characters only, and never half of a character that takes two.
  if (wide->size() > kMaxPathCopy) {
    std::size_t length = kMaxPathCopy;
    if (IS_HIGH_SURROGATE((*wide)[length - 1])) --length;
    wide->resize(length);
  }
  if (wide->size() > 1 && IsSeparator(wide->back())) wide->pop_back();

  // What stands before the first folder: a drive ("c:", "c:\"), a share ("\\server\share\")
  // or the root of the current drive ("\").
  std::size_t pos = 0;
  if (wide->size() >= 2 && (*wide)[1] == L':') pos = 2;
  if (wide->starts_with(L"\\\\") || wide->starts_with(L"//")) {
    pos = 2;
    for (int part = 0; part < 2 && pos < wide->size(); ++part) {
      while (pos < wide->size() && !IsSeparator((*wide)[pos])) ++pos;
      if (pos < wide->size()) ++pos;
    }
  }
  while (pos < wide->size() && IsSeparator((*wide)[pos])) ++pos;
  for (;;) {
    std::size_t end = pos;
    while (end < wide->size() && !IsSeparator((*wide)[end])) ++end;
    if (end >= wide->size()) return created;  // the last component is never created
    if (end - pos > kMaxComponent) return created;
    if (end > pos) {
      std::wstring folder = wide->substr(0, end);
      if (::CreateDirectoryW(folder.c_str(), nullptr)) {  // an existing folder is fine
        const HANDLE handle = OpenFolderItself(folder, 0);
        if (handle != INVALID_HANDLE_VALUE) {
          const std::optional<Identity> identity = FolderIdentity(handle);
          ::CloseHandle(handle);
          if (identity) created.push_back({std::move(folder), *identity});
        }
      }
    }
    pos = end + 1;
  }
}

// Removes again the folders a failed save created, innermost first, each only while it is
// empty and still the very folder the save made: a folder put in its place since, or a link
// or junction there, stays. The folder is removed through the handle that was checked.
void RemoveFolders(const std::vector<CreatedFolder>& created) {
  for (auto folder = created.rbegin(); folder != created.rend(); ++folder) {
    const HANDLE handle = OpenFolderItself(folder->path, DELETE | FILE_READ_ATTRIBUTES);
    if (handle == INVALID_HANDLE_VALUE) continue;
    const std::optional<Identity> identity = FolderIdentity(handle);
    if (identity && identity->volume == folder->identity.volume &&
        identity->index_high == folder->identity.index_high &&
        identity->index_low == folder->identity.index_low) {
      // A folder that is not empty refuses this.
      FILE_DISPOSITION_INFO dispose{};
      dispose.DeleteFile = TRUE;
      ::SetFileInformationByHandle(handle, FileDispositionInfo, &dispose, sizeof dispose);
    }
    ::CloseHandle(handle);
  }
}

}  // namespace

FileWriteOps SystemFileWriteOps() { return {SystemWrite, SystemFlush, SystemClose, SystemMove}; }

FileWriteOps SetFileWriteOps(const FileWriteOps& ops) {
  const FileWriteOps previous = g_ops;
  g_ops = ops;
  return previous;
}

ReplaceFileCall SystemReplaceFileCall() { return SystemReplace; }

ReplaceFileCall SetReplaceFileCall(ReplaceFileCall call) {
  const ReplaceFileCall previous = g_replace;
  g_replace = call;
  return previous;
}

std::size_t FileNameStart(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '\\' || path[i] == '/') start = i + 1;
  }
  const bool drive = path.size() >= 2 && path[1] == ':' &&
                     ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  if (drive && start < 2) start = 2;
  return start;
}

void CreateDirectoryChain(const std::string& path) { CreateFolders(path); }

FileHandle OpenFileForReading(const std::string& path) {
  return OpenRegularFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
}

int CloseFile(FileHandle file) {
  if (file == kNoFile) return -1;
  return g_ops.close(file) == 0 ? 0 : -1;
}

long ReadBytes(FileHandle file, void* buffer, std::size_t count) {
  if (file == kNoFile) return -1;
  if (count > 0x7fffffff) count = 0x7fffffff;
  auto* out = static_cast<char*>(buffer);
  std::size_t total = 0;
  while (total < count) {
    DWORD got = 0;
    if (!::ReadFile(ToHandle(file), out + total, static_cast<DWORD>(count - total), &got,
                    nullptr)) {
      return -1;
    }
    if (got == 0) break;
    total += got;
  }
  return static_cast<long>(total);
}

namespace {

// The safe write itself, into folders that exist already.
bool WriteIntoFolder(const std::string& path, std::string_view bytes) {
  if (path.empty() || IsDeviceName(path)) return false;
  const std::optional<std::wstring> wide_path = SystemPath(path);
  if (!wide_path) return false;
  const std::string target = ResolveLinks(path, *wide_path);
  if (IsDeviceName(target)) return false;
  const std::optional<std::wstring> wide_target = SystemPath(target);
  if (!wide_target) return false;

  const DWORD attributes = ::GetFileAttributesW(wide_target->c_str());
  bool exists = false;
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND) return false;  // a missing folder, or no access
  } else {
    // Only a writable plain file is replaced.
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) return false;
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return false;
    exists = true;
  }
  RemoveStaleTemporaryFiles(target, exists);

  std::string temp;
  const FileHandle file = CreateTemporaryFile(target, ".tmp", temp);
  if (file == kNoFile) return false;
  const std::optional<std::wstring> wide_temp = SystemPath(temp);
  const auto fail = [&](FileHandle open_file) {
    if (open_file != kNoFile) ::CloseHandle(ToHandle(open_file));
    if (wide_temp) ::DeleteFileW(wide_temp->c_str());
    return false;
  };
  if (!wide_temp) return fail(file);
  if (!WriteAll(file, bytes.data(), bytes.size())) return fail(file);
  if (g_ops.fsync(file) != 0) return fail(file);
  if (g_ops.close(file) != 0) return fail(kNoFile);  // the handle is gone even when this fails

  if (g_ops.rename(temp.c_str(), target.c_str()) != 0) return fail(kNoFile);
  return true;
}

}  // namespace

FileStatus WriteFileSafely(const std::string& path, std::string_view bytes,
                           MissingFolders folders) {
  const auto failed = [&] { return FileStatus{FileResult::kWriteFailed, path, {}}; };
  if (path.empty() || IsDeviceName(path)) return failed();
  std::vector<CreatedFolder> created;
  if (folders == MissingFolders::kCreate) created = CreateFolders(path);
  if (WriteIntoFolder(path, bytes)) return FileDone(path);
  RemoveFolders(created);
  return failed();
}

namespace {

// The lock of one save: a file beside the target that this save alone holds open (no
// sharing) and that goes with its last handle, also across processes and network shares.
class SaveLock {
 public:
  explicit SaveLock(const std::string& target) {
    const std::optional<std::wstring> wide = SystemPath(TempPrefix(target) + "lock.qxl");
    if (!wide) return;
    const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(g_lock_wait_ms);
    for (;;) {
      handle_ = ::CreateFileW(wide->c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
      if (handle_ != INVALID_HANDLE_VALUE) {
        state_ = State::kHeld;
        return;
      }
      if (!IsBusyError(::GetLastError())) return;
      if (::GetTickCount64() >= deadline) {
        state_ = State::kBusy;
        return;
      }
      ::Sleep(20);
    }
  }
  ~SaveLock() {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  }
  SaveLock(const SaveLock&) = delete;
  SaveLock& operator=(const SaveLock&) = delete;

  enum class State { kHeld, kBusy, kFailed };
  State state() const { return state_; }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  State state_ = State::kFailed;
};

// The copy of the old contents, complete and flushed, in a temporary file beside the backup.
std::optional<std::string> PrepareBackupCopy(const std::string& backup, std::string_view bytes) {
  std::string temp;
  const FileHandle file = CreateTemporaryFile(backup, ".tmp", temp);
  if (file == kNoFile) return std::nullopt;
  const bool ok = WriteAll(file, bytes.data(), bytes.size()) && g_ops.fsync(file) == 0;
  const bool closed = g_ops.close(file) == 0;
  if (ok && closed) return temp;
  if (const std::optional<std::wstring> wide = SystemPath(temp)) ::DeleteFileW(wide->c_str());
  return std::nullopt;
}

SafeWriteResult SaveUnderLock(const std::string& path, std::string_view bytes,
                              const std::string& backup) {
  switch (GetPathKind(path)) {
    case PathKind::kMissing:
      return WriteIntoFolder(path, bytes) ? SafeWriteResult::kDone : SafeWriteResult::kFailed;
    case PathKind::kFile:
      break;
    case PathKind::kOther:
    case PathKind::kUnknown:
      return SafeWriteResult::kFailed;
  }
  // A file that will be refused anyway gets no backup.
  const std::optional<std::wstring> wide = SystemPath(path);
  if (!wide || (::GetFileAttributesW(wide->c_str()) & FILE_ATTRIBUTE_READONLY) != 0) {
    return SafeWriteResult::kFailed;
  }
  // What stands at the backup's name: nothing, a plain file, or a link (replaced itself).
  // A folder, a device or a read-only file is not ours to replace.
  const std::optional<std::wstring> wide_backup = SystemPath(backup);
  if (!wide_backup || IsDeviceName(backup) || SameFile(backup, path))
    return SafeWriteResult::kBackupFailed;
  const DWORD backup_attributes = ::GetFileAttributesW(wide_backup->c_str());
  const bool backup_is_link = backup_attributes != INVALID_FILE_ATTRIBUTES &&
                              (backup_attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  if (backup_attributes != INVALID_FILE_ATTRIBUTES && !backup_is_link &&
      (backup_attributes &
       (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE | FILE_ATTRIBUTE_READONLY)) != 0) {
    return SafeWriteResult::kBackupFailed;
  }

  std::string old;
  if (!ReadWholeFile(path, SIZE_MAX, old)) return SafeWriteResult::kBackupFailed;
  // An empty file is no content worth keeping: the backup that stands stays.
  std::optional<std::string> copy;
  if (!old.empty()) {
    copy = PrepareBackupCopy(backup, old);
    if (!copy) return SafeWriteResult::kBackupFailed;
  }
  const std::optional<std::wstring> wide_copy = copy ? SystemPath(*copy) : std::nullopt;
  if (!WriteIntoFolder(path, bytes)) {
    if (wide_copy) ::DeleteFileW(wide_copy->c_str());
    return SafeWriteResult::kFailed;
  }
  // The new file stands; only now does its old content become the backup.
  if (copy) {
    if (backup_is_link) {
      ::RemoveDirectoryW(wide_backup->c_str());  // a link to a folder
      ::DeleteFileW(wide_backup->c_str());       // a link to a file
    }
    if (g_ops.rename(copy->c_str(), backup.c_str()) != 0 && wide_copy)
      ::DeleteFileW(wide_copy->c_str());
  }
  return SafeWriteResult::kDone;
}

template <class Step>
SafeWriteResult UnderSaveLock(const std::string& path, Step step) {
  if (path.empty() || IsDeviceName(path)) return SafeWriteResult::kFailed;
  const std::optional<std::wstring> wide = SystemPath(path);
  if (!wide) return SafeWriteResult::kFailed;
  const SaveLock lock(ResolveLinks(path, *wide));
  switch (lock.state()) {
    case SaveLock::State::kHeld:
      return step();
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

// A save on Windows never rewrites a file in place: the new content is always a new file that
// takes the old one's name (ReplaceFileW carries the attributes and security over; other hard
// links of the old file keep the old content). An interrupted save leaves the old file whole
// and at most temporary files, which the next save removes; so no rewrite is ever marked,
// this is always false and no save gives kDamaged.
bool SaveWasInterrupted(const std::string&) { return false; }

FileStatus WriteFileWithBackup(const std::string& path, std::string_view bytes,
                               const std::string& backup_path) {
  if (path.empty() || IsDeviceName(path))
    return SaveStatus(SafeWriteResult::kFailed, path, backup_path);
  // The folders go before the lock, which lives beside the file; they are removed once the
  // lock has gone with its handle.
  const std::vector<CreatedFolder> created = CreateFolders(path);
  const SafeWriteResult result =
      UnderSaveLock(path, [&] { return SaveUnderLock(path, bytes, backup_path); });
  if (result != SafeWriteResult::kDone) RemoveFolders(created);
  return SaveStatus(result, path, backup_path);
}

// The same replacement as a save, with the backup's content; there is no mark to clear.
FileStatus RestoreFromBackup(const std::string& path, const std::string& backup_path) {
  if (backup_path.empty()) return SaveStatus(SafeWriteResult::kFailed, path, backup_path);
  return SaveStatus(
      UnderSaveLock(path,
                    [&] {
                      if (GetPathKind(backup_path) != PathKind::kFile)
                        return SafeWriteResult::kBackupFailed;
                      std::string saved;
                      if (!ReadWholeFile(backup_path, SIZE_MAX, saved) || saved.empty()) {
                        return SafeWriteResult::kBackupFailed;
                      }
                      return WriteIntoFolder(path, saved) ? SafeWriteResult::kDone
                                                          : SafeWriteResult::kFailed;
                    }),
      path, backup_path);
}

PathKind GetPathKind(const std::string& path) {
  if (path.empty()) return PathKind::kMissing;
  if (IsDeviceName(path)) return PathKind::kOther;
  const std::optional<std::wstring> wide = SystemPath(path);
  if (!wide) return PathKind::kUnknown;
  const HANDLE handle =
      ::CreateFileW(wide->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return PathKind::kMissing;
    // A file that even a query cannot open (in use by the system) still says what it is.
    const DWORD attributes = ::GetFileAttributesW(wide->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kUnknown;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::kOther : PathKind::kFile;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  PathKind kind = PathKind::kUnknown;
  if (::GetFileType(handle) != FILE_TYPE_DISK) {
    kind = PathKind::kOther;
  } else if (::GetFileInformationByHandle(handle, &info)) {
    kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::kOther
                                                                   : PathKind::kFile;
  }
  ::CloseHandle(handle);
  return kind;
}

bool IsReservedDeviceName(std::string_view path) { return IsDeviceName(path); }

bool SameFile(const std::string& a, const std::string& b) {
  const std::optional<Identity> first = IdentityOf(a);
  const std::optional<Identity> second = IdentityOf(b);
  if (first && second) {
    return first->volume == second->volume && first->index_high == second->index_high &&
           first->index_low == second->index_low;
  }
  const std::wstring left = NormalisedPath(a);
  const std::wstring right = NormalisedPath(b);
  if (left.empty() || right.empty()) return a == b;
  return ::CompareStringOrdinal(left.c_str(), static_cast<int>(left.size()), right.c_str(),
                                static_cast<int>(right.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace qx
