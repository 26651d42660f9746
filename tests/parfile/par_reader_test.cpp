// The line and field readers on their own: where each stops, what it yields at the edges.
#include "parfile/par_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace qx::par {
namespace {

using namespace std::string_view_literals;

struct NextLineCase {
  const char* what;
  std::string_view data;
  std::size_t limit;
  std::string_view line;
  std::size_t consumed;
};

TEST(NextLineTest, TakesOneLineAndCountsWhatItConsumed) {
  const std::string long_line(600, 'A');
  const std::string after_crlf = "\r\n" + long_line;
  const NextLineCase cases[] = {
      {"stops before CR LF", "P0500|D01\r\nP0520", 511, "P0500|D01", 9},
      {"skips the previous line end", "\r\nP0520|D01|5", 511, "P0520|D01|5", 13},
      {"skips any control byte, not the blank", "\t\x01\x1F X\n", 511, " X", 5},
      {"bytes from 128 up are text", "\xC9\xC7\x80\xFF\r\n", 511, "\xC9\xC7\x80\xFF", 4},
      {"stops at a NUL", "AB\0CD"sv, 511, "AB", 2},
      {"a NUL ends the data", "\0CD"sv, 511, "", 0},
      {"line ends only", "\r\n\n\r\n", 511, "", 5},
      {"nothing", "", 511, "", 0},
      {"LF alone ends a line", "P1600|1\nP0810", 511, "P1600|1", 7},
      {"a long first line is cut at the limit", long_line, 511,
       std::string_view(long_line).substr(0, 511), 511},
      {"the skipped line end counts toward the limit", after_crlf, 511,
       std::string_view(long_line).substr(0, 509), 511},
      {"the end of the data ends the line", "P1600|12", 511, "P1600|12", 8},
  };
  for (const NextLineCase& c : cases) {
    std::string_view line = "unchanged";
    EXPECT_EQ(NextLine(line, c.data, c.limit), c.consumed) << c.what;
    EXPECT_EQ(line, c.line) << c.what;
  }
}

TEST(NextLineTest, TheRestOfALongLineComesBackAsALineOfItsOwn) {
  const std::string data = std::string(600, 'B') + "\r\nP1600|7\r\n";
  std::string_view rest = data;
  std::string_view line;
  rest.remove_prefix(NextLine(line, rest, kLineLimit));
  EXPECT_EQ(line.size(), 511u);
  rest.remove_prefix(NextLine(line, rest, kLineLimit));
  EXPECT_EQ(line, std::string(89, 'B'));
  rest.remove_prefix(NextLine(line, rest, kLineLimit));
  EXPECT_EQ(line, "P1600|7");
  EXPECT_EQ(NextLine(line, rest, kLineLimit), 2u);  // the last CR LF, an empty line
  EXPECT_EQ(line, "");
}

struct KeyCase {
  std::string_view line;
  int number;
  std::size_t pos;  // where the cursor is left
};

TEST(ParseKeyTest, ReadsTheNumberAfterAnyPrefixAndStopsOnTheSeparator) {
  const KeyCase cases[] = {
      {"P0500|D01|1", 1, 9},
      {"P0500|D1|1", 1, 8},
      {"P0100|P500|0", 500, 10},
      {"P0070|4|0", 4, 7},
      {"P0500|XYZ16|", 16, 11},
      {"P0500|-3|", 3, 8},         // the sign is one more non-digit
      {"P0500|D12abc|1", 12, 12},  // the rest of the field belongs to the key
      {"P0500D05|1", 5, 8},        // no separator before the key
      {"P0500||1", 0, 6},          // empty key field
      {"P0500|D|1", 0, 7},         // a prefix without number
      {"P0500|D", 0, 7},
      {"P0500|", 0, 6},
      {"P0500", 0, 5},
      {"P0500|D0", 0, 8},
  };
  for (const KeyCase& c : cases) {
    FieldCursor cursor{c.line, 5};
    EXPECT_EQ(ParseKey(cursor), c.number) << c.line;
    EXPECT_EQ(cursor.pos, c.pos) << c.line;
  }
}

TEST(ParseKeyTest, AHugeNumberStaysOutOfEveryRangeWithoutOverflowing) {
  FieldCursor cursor{"P0500|D99999999999999999999999999|1", 5};
  EXPECT_GT(ParseKey(cursor), 500);
  EXPECT_EQ(cursor.line[cursor.pos], '|');
  FieldCursor wrap{"P0500|4294967297|1", 5};  // 2^32 + 1 must not come out as 1
  EXPECT_GT(ParseKey(wrap), 500);
}

struct CharCase {
  std::string_view line;
  std::size_t start;
  char value;
  std::size_t pos;
};

TEST(ParseCharTest, YieldsOneCharacterWhateverItIs) {
  const CharCase cases[] = {
      {"|1|0", 0, '1', 2},
      {"||0", 0, '|', 2},  // an empty field yields the separator, which reads as not set
      {"|", 0, '0', 1},    // the line ends after the separator
      {"", 0, '0', 0},
      {"X|", 0, 'X', 1},  // no separator to step over
      {"|\xFF", 0, '\xFF', 2},
      {"|1|0", 4, '0', 4},  // at the end of the line
      {"|12|", 0, '1', 2},  // only one character, the next read starts at '2'
  };
  for (const CharCase& c : cases) {
    FieldCursor cursor{c.line, c.start};
    char value = 'x';
    ParseChar(value, cursor);
    EXPECT_EQ(value, c.value) << c.line;
    EXPECT_EQ(cursor.pos, c.pos) << c.line;
  }
}

struct TextCase {
  std::string_view line;
  std::size_t capacity;
  std::string_view text;
  std::size_t pos;
};

TEST(ParseTextTest, ReadsUpToTheSeparatorOrTheCapacity) {
  const TextCase cases[] = {
      {"|ABC|DEF", 13, "ABC", 4},
      {"||DEF", 13, "", 1},
      {"|", 13, "", 1},
      {"", 13, "", 0},
      {"ABC|", 13, "ABC", 3},
      {"|ABCDEFGH", 6, "ABCDE", 6},  // stops on the first character not copied
      {"|ABCDE|X", 6, "ABCDE", 6},   // exactly full: stops on the separator
      {"|CAF\xC9 \t1", 13, "CAF\xC9 \t1", 8},
  };
  for (const TextCase& c : cases) {
    FieldCursor cursor{c.line, 0};
    std::string text = "old";
    ParseText(text, c.capacity, cursor);
    EXPECT_EQ(text, c.text) << c.line;
    EXPECT_EQ(cursor.pos, c.pos) << c.line;
  }
}

TEST(ParseTextTest, AnOverlongTextSpillsIntoTheNextField) {
  FieldCursor cursor{"|ABCDEFGH|XY", 0};
  std::string first, second, third;
  ParseText(first, 6, cursor);
  ParseText(second, 6, cursor);
  ParseText(third, 6, cursor);
  EXPECT_EQ(first, "ABCDE");
  EXPECT_EQ(second, "FGH");
  EXPECT_EQ(third, "XY");
}

}  // namespace
}  // namespace qx::par
