// The system calls through which the file layer writes, flushes, closes and renames
// (WriteFileSafely and its saves, and CloseFile on a handle), so that a test can make any
// of them fail and check that the old file is left intact. Production code never changes
// them.
#pragma once

#include <sys/types.h>

#include <cstddef>

namespace qx {

struct FileWriteOps {
  ssize_t (*write)(int fd, const void* bytes, std::size_t count);
  int (*fsync)(int fd);
  int (*close)(int fd);
  int (*rename)(const char* from, const char* to);
};

// The operating system's own calls.
FileWriteOps SystemFileWriteOps();

// Installs the calls WriteFileSafely uses from now on; returns the ones installed before.
FileWriteOps SetFileWriteOps(const FileWriteOps& ops);

// How long a save waits for another save of the same file to finish before it gives up, in
// milliseconds; returns the previous value. Tests shorten it.
int SetSaveLockWait(int milliseconds);

// Installs the calls for the lifetime of the object and puts the previous ones back.
class ScopedFileWriteOps {
 public:
  explicit ScopedFileWriteOps(const FileWriteOps& ops) : previous_(SetFileWriteOps(ops)) {}
  ~ScopedFileWriteOps() { SetFileWriteOps(previous_); }
  ScopedFileWriteOps(const ScopedFileWriteOps&) = delete;
  ScopedFileWriteOps& operator=(const ScopedFileWriteOps&) = delete;

 private:
  FileWriteOps previous_;
};

}  // namespace qx
