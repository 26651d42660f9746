// The outcome of a save inside the file layer, and the status its callers get for it. Only the
// file layer's own implementations include this.
#pragma once

#include <string>

#include "common/file_status.h"

namespace qx {

enum class SafeWriteResult { kDone, kFailed, kBackupFailed, kBusy, kDamaged };

// The status of a save of path with its backup at backup (the backup's path for a backup that
// could not be made).
inline FileStatus SaveStatus(SafeWriteResult result, const std::string& path,
                             const std::string& backup) {
  switch (result) {
    case SafeWriteResult::kDone:
      return FileDone(path);
    case SafeWriteResult::kBackupFailed:
      return {FileResult::kBackupFailed, backup, {}};
    case SafeWriteResult::kBusy:
      return {FileResult::kBusy, path, {}};
    case SafeWriteResult::kDamaged:
      return {FileResult::kDamaged, path, {}};
    case SafeWriteResult::kFailed:
      break;
  }
  return {FileResult::kWriteFailed, path, {}};
}

}  // namespace qx
