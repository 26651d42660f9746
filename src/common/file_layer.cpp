// The parts of the file layer that are the same on every system, written over the calls
// each system's implementation gives.
#include "common/file_layer.h"

#include <algorithm>

namespace qx {

std::size_t WriteTextLine(FileHandle file, std::string_view text) {
  if (text.empty()) return 0;
  const std::size_t written = WriteBytes(file, text.data(), text.size());
  if (written == 0) return 0;
  return WriteBytes(file, "\r\n", 2);
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t limit) {
  const FileHandle file = OpenFileForReading(path);
  if (file == kNoFile) return std::nullopt;
  std::string bytes;
  char chunk[16384];
  bool failed = false;
  while (bytes.size() < limit) {
    const long got = ReadBytes(file, chunk, std::min(sizeof chunk, limit - bytes.size()));
    if (got < 0) {
      failed = true;
      break;
    }
    if (got == 0) break;
    bytes.append(chunk, static_cast<std::size_t>(got));
  }
  CloseFile(file);
  if (failed) return std::nullopt;
  return bytes;
}

void WriteTextLine(std::string& page, std::string_view text) {
  if (text.empty()) return;
  page.append(text);
  page.append("\r\n");
}

}  // namespace qx
