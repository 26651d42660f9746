// The parts of the file layer that are the same on every system, written over the calls
// each system's implementation gives.
#include "common/file_layer.h"

#include <new>

namespace qx {

FileStatus ReadWholeFile(const std::string& path, std::size_t limit, std::string& bytes) {
  bytes.clear();
  const FileHandle file = OpenFileForReading(path);
  if (file == kNoFile) {
    const bool missing = GetPathKind(path) == PathKind::kMissing;
    return {missing ? FileResult::kMissing : FileResult::kUnreadable, path, {}};
  }
  FileResult result = FileResult::kDone;
  try {
    char chunk[16384];
    while (true) {
      const long got = ReadBytes(file, chunk, sizeof chunk);
      if (got < 0) {
        bytes.clear();
        result = FileResult::kEmpty;
        break;
      }
      if (got == 0) break;
      bytes.append(chunk, static_cast<std::size_t>(got));
      if (bytes.size() > limit) {
        bytes.resize(limit);
        result = FileResult::kTooLarge;
        break;
      }
    }
  } catch (const std::bad_alloc&) {
    bytes.clear();
    bytes.shrink_to_fit();
    result = FileResult::kNoMemory;
  }
  CloseFile(file);
  return {result, path, {}};
}

void WriteTextLine(std::string& page, std::string_view text) {
  if (text.empty()) return;
  page.append(text);
  page.append("\r\n");
}

}  // namespace qx
