#include "model/field_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace qx {
namespace {

using namespace std::string_view_literals;

TEST(FieldTextTest, IsAllDigitsLooksAtExactlyTheFirstNCharacters) {
  struct Case {
    std::string_view text;
    int n;
    bool expected;
  };
  const Case cases[] = {
      {"", 0, true},
      {"abc", 0, true},
      {"12", 2, true},
      {"12", 3, false},
      {"1a", 1, true},
      {"1a", 2, false},
      {"12", -1, false},
      {"\xB9", 1, false},
      {"1\0"
       "2"sv,
       3, false},  // a NUL ends the text
      {" 1", 2, false},
      {"0123456789", 10, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsAllDigits(c.text, c.n), c.expected) << '"' << c.text << "\" n=" << c.n;
  }
}

TEST(FieldTextTest, ParseShortNumberReadsAtMostSevenCharacters) {
  struct Case {
    std::string_view text;
    int n;
    int expected;
  };
  const Case cases[] = {
      {"0012345", 7, 12345},
      {"0012345", 8, -1},
      {"12ab", 4, 12},
      {"12345678", 7, 1234567},
      {"123", 2, 12},
      {"  -42", 5, -42},
      {"+7", 2, 7},
      {"abc", 3, 0},
      {"", 0, 0},
      {"", 5, 0},
      {"12", -3, 0},
      {"\t9", 2, 9},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseShortNumber(c.text, c.n), c.expected) << '"' << c.text << "\" n=" << c.n;
  }
}

TEST(FieldTextTest, TrimmingRemovesOnlyBlanks) {
  struct Case {
    std::string_view text;
    std::string_view right, left, both;
  };
  const Case cases[] = {
      {"  CAF\xC9  ", "  CAF\xC9", "CAF\xC9  ", "CAF\xC9"},
      {"   ", "", "", ""},
      {"", "", "", ""},
      {"A B", "A B", "A B", "A B"},
      {"\tA\t ", "\tA\t", "\tA\t ", "\tA\t"},  // tabs stay
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TrimRight(c.text), c.right) << '"' << c.text << '"';
    EXPECT_EQ(TrimLeft(c.text), c.left) << '"' << c.text << '"';
    EXPECT_EQ(TrimBlanks(c.text), c.both) << '"' << c.text << '"';
  }
}

TEST(FieldTextTest, SkipLeadingZerosSkipsEveryByteNotAboveZeroAsSignedByte) {
  struct Case {
    std::string_view text;
    std::string_view expected;
  };
  const Case cases[] = {
      {"", "0"},
      {"0", "0"},
      {"0000", "0"},
      {"000150", "150"},
      {" 12", "12"},
      {"-5", "5"},
      {"1000", "1000"},
      {"00 0", "0"},
      {"\xC9"
       "7",
       "7"},  // bytes from 0x80 up are negative as signed bytes
      {"!\"#$%&'()*+,-./09", "9"},
      {"00A0", "A0"},
      {"\x01\x7F", "\x7F"},
      {"..", "."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SkipLeadingZeros(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(FieldTextTest, SkipLeadingZerosPointsIntoTheCallersText) {
  const std::string price = "000150";
  const std::string_view rest = SkipLeadingZeros(price);
  EXPECT_EQ(rest.data(), price.data() + 3);
  const std::string zeros = "000";
  EXPECT_EQ(SkipLeadingZeros(zeros).data(), zeros.data() + 2);
}

TEST(FieldTextTest, KeepDigitsDropsEverythingElse) {
  EXPECT_EQ(KeepDigits("R$ 1.234,56"), "123456");
  EXPECT_EQ(KeepDigits("12a3,4"), "1234");
  EXPECT_EQ(KeepDigits(""), "");
  EXPECT_EQ(KeepDigits("abc\xB2\xB3"), "");  // superscript digits are not digits
}

TEST(FieldTextTest, NormalizePercentGivesIntegerDigitsAndThreeDecimals) {
  struct Case {
    std::string_view text;
    std::string_view expected;
  };
  const Case cases[] = {
      {"", "00000"},
      {"7", "07000"},
      {"10", "10000"},
      {"5,55", "05550"},
      {"12.5", "12500"},
      {"99,999", "99999"},
      {"1,2345", "01234"},  // decimals cut to three
      {"123", "12300"},
      {"1234", "12340"},
      {"10000", "10000"},
      {"123456", "123456"},
      {"123,4", "123400"},
      {",5", "00500"},
      {"5,", "05000"},
      {"1234567890", "1234567890"},
      {"12345678901", "1234567890"},          // ten integer characters at most
      {"12345678901,5", "1234567890"},        // the separator after ten is never reached
      {"1234567890,12345", "1234567890123"},  // 13 characters, the longest result
      {"ab", "ab000"},                        // characters are not checked
      {"1,2,3", "012,3"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NormalizePercent(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(FieldTextTest, FormatAmountWritesBrazilianSeparatorsAndKeepsLeadingZeros) {
  struct Case {
    std::optional<std::string_view> symbol;
    std::string_view digits;
    int limit;
    std::string_view expected;
  };
  const Case cases[] = {
      {"R$", "123456", 8, "R$ 1.234,56"},
      {"R$", "0012", 8, "R$ 00,12"},
      {"R$", "5", 8, "0,00"},
      {"R$", "", 8, "0,00"},
      {"R$", "05", 8, "0,05"},
      {"R$", "50", 8, "0,50"},
      {"R$", "100", 8, "R$ 1,00"},
      {"R$", "999", 8, "R$ 9,99"},
      {"R$", "1000", 8, "R$ 10,00"},
      {"R$", "1234567", 8, "R$ 12.345,67"},
      {"R$", "10000000", 8, "R$ 100.000,00"},
      {"R$", "12345678", 6, "R$ 1.234,56"},
      {"R$", "123456789012345", 15, "R$ 1.234.567.890.123,45"},
      {"R$", "1234", 16, "1234"},  // above 15: the digits as they are
      {"R$", "1234", 0, "0,00"},
      {"", "1234", 8, " 12,34"},  // an empty symbol still gives the blank
      {std::nullopt, "123456", 8, "1.234,56"},
      {"US$", "100000", 8, "US$ 1.000,00"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatAmount(c.symbol, c.digits, c.limit), c.expected)
        << '"' << c.digits << "\" limit=" << c.limit;
  }
}

// The reading beside an amount field: what the typed digits are worth, never what a slip
// looks like ("12" is twelve centavos, "10" a hundredth of a percent).
TEST(FieldTextTest, AmountReadingShowsWhatTheRegisterWillRead) {
  constexpr AmountKind kCents = AmountKind::kCents;
  constexpr AmountKind kPercent = AmountKind::kPercent;
  const struct {
    AmountKind kind;
    const char* digits;
    const char* reading;
  } cases[] = {
      {kCents, "1250", "= R$ 12,50"},
      {kCents, "12", "= R$ 0,12"},
      {kCents, "5", "= R$ 0,05"},
      {kCents, "0012", "= R$ 0,12"},
      {kCents, "123450", "= R$ 1.234,50"},
      {kCents, "12345678", "= R$ 123.456,78"},
      {kCents, "123456789", "= R$ 1.234.567,89"},
      {kPercent, "10000", "= 10,000 %"},
      {kPercent, "05550", "= 5,550 %"},
      {kPercent, "99999", "= 99,999 %"},
      {kPercent, "10", "= 0,010 %"},
      {kPercent, "1234567", "= 1.234,567 %"},
      // Nothing typed, or something the register reads no number from: no reading.
      {kCents, "", ""},
      {kCents, "12a", ""},
      {kPercent, "5,5", ""},
      {kCents, " 12", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AmountReading(c.kind, c.digits), c.reading)
        << (c.kind == kCents ? "cents " : "percent ") << c.digits;
  }
}

}  // namespace
}  // namespace qx
