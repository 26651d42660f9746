// Leaves a parameter file the way a save that was killed while it rewrote the file in place
// leaves it: the file is given a second hard link (so that it is rewritten in place), and a
// child process saves new content over it and dies on the first write after the backup
// copy was flushed. Linux only.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <string_view>

#include "common/file_layer.h"
#include "common/file_write_ops.h"

namespace qx::test {

inline bool g_backup_flushed = false;

// Kills the save at the first write that follows the first flush (the backup copy's).
inline FileWriteOps KillAfterBackupOps() {
  FileWriteOps ops = SystemFileWriteOps();
  ops.write = [](int fd, const void* bytes, std::size_t count) -> ssize_t {
    if (g_backup_flushed) ::_exit(9);
    return ::write(fd, bytes, count);
  };
  ops.fsync = [](int fd) {
    g_backup_flushed = true;
    return ::fsync(fd);
  };
  return ops;
}

// True when the child died as planned. The second link is path + ".link".
inline bool LeaveInterruptedSave(const std::string& path, const std::string& backup,
                                 std::string_view new_bytes = "P1600|9\r\n") {
  const std::string second = path + ".link";
  ::unlink(second.c_str());
  if (::link(path.c_str(), second.c_str()) != 0) return false;
  const pid_t child = ::fork();
  if (child == 0) {
    SetFileWriteOps(KillAfterBackupOps());
    WriteFileWithBackup(path, new_bytes, backup);
    ::_exit(0);
  }
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 9;
}

}  // namespace qx::test
