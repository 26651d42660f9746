// Windows: the call through which the safe save puts a finished temporary file in place of an
// existing file, so that a test can make it fail in each of the ways the system can. The other
// steps (write, flush, close, and the move of a file that did not exist yet) go through
// common/file_write_ops.h, where on Windows a file descriptor is the file layer's FileHandle.
// Production code never changes it.
#pragma once

namespace qx {

// Replaces the file `target` by `replacement`, keeping the target's attributes and
// security, and moving the old file to `backup` (paths as the system takes them, UTF-16).
// Returns 0 on success or the system's error code, with the files left the way that error
// leaves them (see ReplaceFileW).
using ReplaceFileCall = unsigned long (*)(const wchar_t* target, const wchar_t* replacement,
                                          const wchar_t* backup);

// The operating system's own call.
ReplaceFileCall SystemReplaceFileCall();

// Installs the call the safe save uses from now on; returns the one installed before.
ReplaceFileCall SetReplaceFileCall(ReplaceFileCall call);

// Installs the call for the lifetime of the object and puts the previous one back.
class ScopedReplaceFileCall {
 public:
  explicit ScopedReplaceFileCall(ReplaceFileCall call) : previous_(SetReplaceFileCall(call)) {}
  ~ScopedReplaceFileCall() { SetReplaceFileCall(previous_); }
  ScopedReplaceFileCall(const ScopedReplaceFileCall&) = delete;
  ScopedReplaceFileCall& operator=(const ScopedReplaceFileCall&) = delete;

 private:
  ReplaceFileCall previous_;
};

}  // namespace qx
