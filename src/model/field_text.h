// Small routines that check, trim and format the texts of the parameter set's fields.
// None of them fails; each has a fixed result for every input. Texts are Windows-1252
// bytes; a "digit" is one of '0' to '9' only.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qx {

// True when n is 0 or the first n characters are all digits; false for a negative n or when
// the text is shorter than n (the end of the text is not a digit).
bool IsAllDigits(std::string_view text, int n);

// The whole number read from the first n characters the usual way (leading white space,
// optional sign, digits up to the first non-digit; 0 when there are none); -1 when n > 7.
int ParseShortNumber(std::string_view text, int n);

// Only the blank (0x20) counts as blank.
std::string TrimRight(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimBlanks(std::string_view text);

// The text without its leading characters whose code, as a signed byte, is at most that of
// '0' (zeros, blanks, punctuation, control bytes and every byte from 0x80 up), always keeping
// the last character: "000150" gives "150", "000" gives "0", "" gives "0".
std::string_view SkipLeadingZeros(std::string_view text);

// The digits of the text, in their order.
std::string KeepDigits(std::string_view text);

// A percentage as typed ("10", "5,55", "12.5") in the register's form without separator:
// "10" gives "10000", "5,55" gives "05550".
std::string NormalizePercent(std::string_view text);

// A whole number of cents for display with Brazilian separators: symbol "R$" and "123456"
// give "R$ 1.234,56". No symbol (nullopt): nothing in front. The digits are counted up to
// the limit; a limit above 15 gives the digit text unchanged.
std::string FormatAmount(std::optional<std::string_view> symbol, std::string_view digits,
                         int limit);

// The two kinds of digit text with implied decimals that the technician types.
enum class AmountKind {
  kCents,    // prices, limits and the value discount: two decimals, "1250" is R$ 12,50
  kPercent,  // percentages XX.XXX without the point: three decimals, "10000" is 10 %
};

// What the digits typed so far mean to the register, for the reading beside an amount field:
// "1250" gives "= R$ 12,50", "123450" gives "= R$ 1.234,50", "12" gives "= R$ 0,12" and, as
// a percentage, "10000" gives "= 10,000 %" and "10" gives "= 0,010 %". Leading zeros carry
// no value and are not shown. An empty text, or one holding anything but digits, gives an
// empty reading: there is nothing the register would read.
std::string AmountReading(AmountKind kind, std::string_view digits);

}  // namespace qx
