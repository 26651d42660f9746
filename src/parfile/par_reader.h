// The parameter file's line and field readers. Internal to the parameter file layer; exposed
// for its tests, its fuzz target and its benchmark.
//
// A line is a view into the loaded data: NextLine never copies. Fields are separated by the
// vertical bar; every field reader first steps over one separator if the cursor stands on one
// and leaves the cursor on the separator that ends its field (or at the end of the line).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qx::par {

// The most of a file that is read; more than the largest file the writer can produce.
inline constexpr std::size_t kReadBufferSize = 48768;
// The most bytes one call of NextLine consumes, line-end bytes before the line included.
inline constexpr std::size_t kLineLimit = 511;

inline constexpr char kSeparator = '|';

// Takes the next line from the data: skips control bytes (1 to 31; bytes from 128 up are
// text), then takes bytes up to a NUL, CR or LF, the end of the data, or until `limit` bytes
// have been consumed in all, the skipped ones counted. The line end itself is left for the
// next call to skip. Returns the number of bytes consumed (0: the data are exhausted).
std::size_t NextLine(std::string_view& line, std::string_view data, std::size_t limit);

// A position inside one line. The end of the line is its last byte, a NUL, a CR or a LF.
struct FieldCursor {
  std::string_view line;
  std::size_t pos = 0;

  bool AtEnd() const;
  bool OnSeparator() const { return !AtEnd() && line[pos] == kSeparator; }
};

// Reads a key field: skips the letter (any non-digits) before the number and gives the
// number, 0 when there is none. Huge numbers are capped, never wrap. The cursor ends on the
// separator after the field.
int ParseKey(FieldCursor& cursor);

// Reads one character field: the one character after the separator, whatever it is; '0'
// when the line ends first.
void ParseChar(char& target, FieldCursor& cursor);

// Reads a text field of at most capacity - 1 characters (capacity counts the terminator the
// register's own records carry). A longer text stops at that count, and its rest becomes the
// beginning of the next field.
void ParseText(std::string& target, std::size_t capacity, FieldCursor& cursor);

// How the loader reserves its read buffer, replaceable by tests to make the allocation fail.
// False when there is no memory.
using ReadBufferReserver = bool (*)(std::string& buffer, std::size_t size);
bool ReserveReadBuffer(std::string& buffer, std::size_t size);
// Installs a reserver (nullptr: the default one) and returns the previous one.
ReadBufferReserver SetReadBufferReserver(ReadBufferReserver reserver);

}  // namespace qx::par
