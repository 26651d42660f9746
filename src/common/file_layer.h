// The file layer: the only place that touches the operating system's files and folders.
// Paths are the platform's own (UTF-8 bytes on Linux, '/' between folders; a drive and
// backslashes on Windows). File contents are raw bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/file_status.h"

namespace qx {

using FileHandle = int;
inline constexpr FileHandle kNoFile = -1;

// Creates every folder named in the path except its last component, outermost first,
// ignoring failures (such as a folder that already exists).
void CreateDirectoryChain(const std::string& path);

// Opens an existing file for reading only; kNoFile when it is missing, unreadable or not a
// regular file.
FileHandle OpenFileForReading(const std::string& path);
// 0 on success, -1 on failure.
int CloseFile(FileHandle file);
// Number of bytes read (0 at the end of the file), or -1 on failure.
long ReadBytes(FileHandle file, void* buffer, std::size_t count);

// Appends the text and then CR LF to a page built in memory; an empty text adds nothing.
void WriteTextLine(std::string& page, std::string_view text);

// Replaces the file at path by the given bytes, all or nothing: the bytes go to a temporary
// file in the same folder, which is flushed and then renamed over the target, so a failure
// at any point leaves the old file exactly as it was (and no temporary file behind). With
// MissingFolders::kCreate the folders of the path are created first, and a failed write
// removes again those it created itself while they are empty (never a folder that was there
// before, nor a link put in the place of one); with kFail a missing folder makes the write
// fail. A read-only target is refused and left unchanged. The target keeps its permissions;
// a symbolic link's target file is what gets replaced. Gives kWriteFailed on any failure. Once the
// new file is in place the save stands, even when the folder cannot be synced afterwards
// (some file systems cannot). Tests can make the writes fail through common/file_write_ops.h.
enum class MissingFolders { kCreate, kFail };
FileStatus WriteFileSafely(const std::string& path, std::string_view bytes,
                           MissingFolders folders = MissingFolders::kCreate);

// Writes a parameter file: as WriteFileSafely (folders created; the folders a failed save
// created are removed again), keeping the previous content at backup_path. One lock beside
// the file is held for the whole save, by every program of ours: a second save of the same
// file waits a few seconds for the first and then gives kBusy. The order keeps the last good
// content whole at every moment:
//  - a folder, pipe or device at backup_path stops the save (kBackupFailed), nothing changed;
//  - the old content is copied to a temporary file beside the backup (complete, flushed, the
//    file's permissions and group, its owner where this user may set it); an empty file is
//    not copied, so it never replaces a backup;
//  - the new file is committed, and only then the copy is renamed over backup_path (a
//    symbolic link there is replaced, never followed). A failed save leaves the file and the
//    backup as they were.
// On Linux, where a rename would change the file's owner or group or break its hard links, the
// file is rewritten in place behind the new backup: the previous backup is kept aside and a
// mark beside the file records the rewrite until the new content is flushed. A rewrite that
// fails is undone from the backup; one that was interrupted (a kill, a power cut) leaves its
// mark, and every later save of that file gives kDamaged until it is restored
// (RestoreFromBackup). On Windows the new content always replaces the file as a new file
// (attributes and security carried over), so nothing is ever rewritten in place or marked,
// and kDamaged never comes. Other failures give kWriteFailed (kBackupFailed, with the backup's
// path, when the copy could not be made; kBusy when another save holds the lock).
FileStatus WriteFileWithBackup(const std::string& path, std::string_view bytes,
                               const std::string& backup_path);

// True when a rewrite in place of this file was interrupted: its content may be cut short,
// and its backup holds the last good content. Always false on Windows (no rewrite in place).
bool SaveWasInterrupted(const std::string& path);

// Puts the backup's content back at path, under the save lock, and clears the mark of an
// interrupted rewrite (where there is one). The backup stays as it is. kBackupFailed when the
// backup is missing, empty or not a plain file (then nothing is changed).
FileStatus RestoreFromBackup(const std::string& path, const std::string& backup_path);

// What stands at a path, following links: nothing (kMissing), a regular file (kFile),
// something else that no file of ours may replace (kOther: folder, pipe, device, socket, a
// device name such as NUL on Windows), or kUnknown when the system will not tell (a folder
// on the way that this user may not enter).
enum class PathKind { kMissing, kFile, kOther, kUnknown };
PathKind GetPathKind(const std::string& path);

// True when the two paths name the same file: for existing files, the same file on the same
// device (through links and hard links too); otherwise the same normalised path (letter case
// ignored on Windows).
bool SameFile(const std::string& a, const std::string& b);

// Reads the whole file into `bytes` (replacing what they held). kMissing when nothing stands
// at the path; kUnreadable when it cannot be opened for reading or is no regular file; kEmpty
// when a read fails part way (the bytes are then empty); kNoMemory; kTooLarge when the file
// holds more than `limit` bytes (the bytes then hold the first `limit` of them).
FileStatus ReadWholeFile(const std::string& path, std::size_t limit, std::string& bytes);

// True when the path's file name is one the system keeps for a device in every folder (on
// Windows NUL, CON, PRN, AUX, COM1 to COM9, LPT1 to LPT9, with any extension); such a name
// is never a file of ours. Always false where the system has no such names.
bool IsReservedDeviceName(std::string_view path);

// Where the file name starts in a path: after the last folder separator ('/'; on Windows
// also '\' and a drive's ':').
std::size_t FileNameStart(std::string_view path);

}  // namespace qx
