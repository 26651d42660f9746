// What happened to a file the core read or wrote. The core only reports; its callers decide
// how to tell the user (a message box in the desktop program, a line on standard error in the
// batch tool).
#pragma once

#include <string>
#include <string_view>

namespace qx {

enum class FileResult {
  kDone,
  kMissing,     // no file at the path: a new customer file starts from the defaults
  kUnreadable,  // something is there, but it cannot be read
  kEmpty,       // the file holds no data, or its reading failed
  kNoMemory,
  kTooLarge,      // the file holds more bytes than its reader accepts
  kWriteFailed,   // nothing was written; what was at the path is as it was
  kBackupFailed,  // the copy of the previous content could not be made: nothing was replaced
  kBusy,          // another save of the same file is running: nothing was written
  kDamaged,       // an interrupted save left the file damaged; its backup holds the good copy
};

struct FileStatus {
  FileResult result = FileResult::kDone;
  // The file the status is about (for kBackupFailed, the backup's path).
  std::string path;
  // The fixed first line of the message that tells this failure (UTF-8); empty when done,
  // and empty from the file layer itself, whose callers word its failures.
  std::string_view text;

  bool ok() const { return result == FileResult::kDone; }
  explicit operator bool() const { return ok(); }
  // A status is its result where only the result matters ("status == FileResult::kBusy").
  bool operator==(FileResult other) const { return result == other; }
};

inline FileStatus FileDone(std::string path) { return {FileResult::kDone, std::move(path), {}}; }

}  // namespace qx
