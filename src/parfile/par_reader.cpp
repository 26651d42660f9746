#include "parfile/par_reader.h"

#include <new>

namespace qx::par {
namespace {

constexpr bool IsControl(unsigned char byte) { return byte >= 1 && byte <= 31; }
constexpr bool EndsLine(char c) { return c == '\0' || c == '\r' || c == '\n'; }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Keys above this are out of every range; capping keeps the arithmetic from overflowing.
constexpr int kKeyCap = 1000000;

ReadBufferReserver g_reserver = nullptr;

}  // namespace

std::size_t NextLine(std::string_view& line, std::string_view data, std::size_t limit) {
  std::size_t consumed = 0;
  // The control bytes before a line are the previous line's end and blank lines.
  while (consumed < data.size() && IsControl(static_cast<unsigned char>(data[consumed]))) {
    ++consumed;
  }
  const std::size_t start = consumed;
  while (consumed < data.size() && consumed < limit && !EndsLine(data[consumed])) {
    ++consumed;
  }
  line = data.substr(start, consumed - start);
  return consumed;
}

bool FieldCursor::AtEnd() const { return pos >= line.size() || EndsLine(line[pos]); }

int ParseKey(FieldCursor& cursor) {
  if (cursor.AtEnd()) return 0;
  if (cursor.OnSeparator()) ++cursor.pos;
  if (cursor.OnSeparator()) return 0;  // an empty key field
  while (!cursor.AtEnd() && !IsDigit(cursor.line[cursor.pos])) {
    if (cursor.OnSeparator()) return 0;
    ++cursor.pos;
  }
  if (cursor.AtEnd()) return 0;
  int number = 0;
  while (!cursor.AtEnd() && IsDigit(cursor.line[cursor.pos])) {
    if (number < kKeyCap) number = number * 10 + (cursor.line[cursor.pos] - '0');
    ++cursor.pos;
  }
  // Whatever follows the number belongs to the key field.
  while (!cursor.AtEnd() && !cursor.OnSeparator()) ++cursor.pos;
  return number;
}

void ParseChar(char& target, FieldCursor& cursor) {
  if (cursor.AtEnd()) {
    target = '0';
    return;
  }
  if (cursor.OnSeparator()) ++cursor.pos;
  if (cursor.AtEnd()) {
    target = '0';
    return;
  }
  // An empty field yields the separator itself, which reads as not set.
  target = cursor.line[cursor.pos];
  ++cursor.pos;
}

void ParseText(std::string& target, std::size_t capacity, FieldCursor& cursor) {
  target.clear();
  if (cursor.AtEnd()) return;
  if (cursor.OnSeparator()) ++cursor.pos;
  if (cursor.OnSeparator()) return;
  const std::size_t most = capacity > 0 ? capacity - 1 : 0;
  const std::size_t start = cursor.pos;
  while (!cursor.AtEnd() && !cursor.OnSeparator() && cursor.pos - start < most) ++cursor.pos;
  target.assign(cursor.line.substr(start, cursor.pos - start));
}

bool ReserveReadBuffer(std::string& buffer, std::size_t size) {
  if (g_reserver) return g_reserver(buffer, size);
  try {
    buffer.reserve(size);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

ReadBufferReserver SetReadBufferReserver(ReadBufferReserver reserver) {
  ReadBufferReserver previous = g_reserver;
  g_reserver = reserver;
  return previous;
}

}  // namespace qx::par
