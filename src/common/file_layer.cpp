// The parts of the file layer that are the same on every system, written over the calls
// each system's implementation gives.
#include "common/file_layer.h"

namespace qx {

std::size_t WriteTextLine(FileHandle file, std::string_view text) {
  if (text.empty()) return 0;
  const std::size_t written = WriteBytes(file, text.data(), text.size());
  if (written == 0) return 0;
  return WriteBytes(file, "\r\n", 2);
}

void WriteTextLine(std::string& page, std::string_view text) {
  if (text.empty()) return;
  page.append(text);
  page.append("\r\n");
}

}  // namespace qx
