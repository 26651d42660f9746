// The file layer: the only place that touches the operating system's files and folders.
// Paths are the platform's own (UTF-8 bytes on Linux, '/' between folders; a drive and
// backslashes on Windows). File contents are raw bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qx {

using FileHandle = int;
inline constexpr FileHandle kNoFile = -1;

// Creates every folder named in the path except its last component, outermost first,
// ignoring failures (such as a folder that already exists).
void CreateDirectoryChain(const std::string& path);

// Opens an existing file for reading and writing; kNoFile when it is missing or cannot be
// opened with write access. Only regular files open (a folder, pipe or device gives kNoFile).
FileHandle OpenExistingFile(const std::string& path);
// Opens an existing file for reading only; kNoFile when it is missing, unreadable or not a
// regular file.
FileHandle OpenFileForReading(const std::string& path);
// Creates the file, or empties an existing one, for reading and writing.
FileHandle CreateNewFile(const std::string& path);
// 0 on success, -1 on failure.
int CloseFile(FileHandle file);
// Number of bytes read (0 at the end of the file), or -1 on failure.
long ReadBytes(FileHandle file, void* buffer, std::size_t count);
// Number of bytes written, or 0 on failure.
std::size_t WriteBytes(FileHandle file, const void* bytes, std::size_t count);

// Writes the text and then CR LF; an empty text writes nothing at all. Gives the result of
// the last write (0 for an empty text).
std::size_t WriteTextLine(FileHandle file, std::string_view text);
// The same rule for a page built in memory: appends the text and CR LF, or nothing.
void WriteTextLine(std::string& page, std::string_view text);

// Replaces the file at path by the given bytes, all or nothing: the bytes go to a temporary
// file in the same folder, which is flushed and then renamed over the target, so a failure
// at any point leaves the old file exactly as it was (and no temporary file behind). With
// MissingFolders::kCreate the folders of the path are created first; with kFail a missing
// folder makes the write fail. A read-only target is refused and left unchanged.
// The target keeps its permissions; a symbolic link's target file is what gets replaced.
// Returns false on any failure. Once the new file is in place the save stands, even when the
// folder cannot be synced afterwards (some file systems cannot). Tests can make the writes
// fail through common/file_write_ops.h.
enum class MissingFolders { kCreate, kFail };
bool WriteFileSafely(const std::string& path, std::string_view bytes,
                     MissingFolders folders = MissingFolders::kCreate);

// Removes a plain file (never a folder; a symbolic link itself, not its target). True when
// the file is gone afterwards.
bool RemoveFile(const std::string& path);

}  // namespace qx
