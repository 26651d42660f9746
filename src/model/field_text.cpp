#include "model/field_text.h"

#include <algorithm>
#include <cstddef>

namespace qx {
namespace {

// The fields were zero-terminated texts on the register's side; a NUL inside a view ends
// the text here too, so every routine sees what the register would see.
std::string_view UpToTerminator(std::string_view text) { return text.substr(0, text.find('\0')); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The white space a decimal conversion skips before the number.
bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

bool IsAllDigits(std::string_view text, int n) {
  if (n == 0) return true;
  if (n < 0) return false;
  text = UpToTerminator(text);
  const auto count = static_cast<std::size_t>(n);
  if (text.size() < count) return false;  // the terminator is not a digit
  return std::all_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(count), IsDigit);
}

int ParseShortNumber(std::string_view text, int n) {
  if (n > 7) return -1;
  if (n <= 0) return 0;
  text = UpToTerminator(text).substr(0, static_cast<std::size_t>(n));
  std::size_t i = 0;
  while (i < text.size() && IsWhiteSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int value = 0;  // at most 7 digits: no overflow
  for (; i < text.size() && IsDigit(text[i]); ++i) value = value * 10 + (text[i] - '0');
  return negative ? -value : value;
}

std::string TrimRight(std::string_view text) {
  text = UpToTerminator(text);
  const std::size_t last = text.find_last_not_of(' ');
  if (last == std::string_view::npos) return {};
  return std::string(text.substr(0, last + 1));
}

std::string TrimLeft(std::string_view text) {
  text = UpToTerminator(text);
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first));
}

std::string TrimBlanks(std::string_view text) { return TrimLeft(TrimRight(text)); }

std::string_view SkipLeadingZeros(std::string_view text) {
  text = UpToTerminator(text);
  if (text.empty()) return "0";
  // Compared as signed bytes: every byte from 0x80 up is negative and is skipped too.
  std::size_t i = 0;
  while (i < text.size() && static_cast<signed char>(text[i]) <= '0') ++i;
  if (i < text.size()) return text.substr(i);
  return text.substr(text.size() - 1);
}

std::string KeepDigits(std::string_view text) {
  text = UpToTerminator(text);
  std::string digits;
  for (char c : text) {
    if (IsDigit(c)) digits += c;
  }
  return digits;
}

std::string NormalizePercent(std::string_view text) {
  constexpr std::size_t kMaxIntegerChars = 10;
  constexpr std::size_t kDecimals = 3;
  text = UpToTerminator(text);

  // 1. The integer part, up to a separator or 10 characters; a separator right after it
  // is consumed (ten integer characters, separator and three decimals make the longest
  // result, 13 characters).
  std::size_t pos = 0;
  std::string integer_part;
  while (pos < text.size() && integer_part.size() < kMaxIntegerChars && text[pos] != ',' &&
         text[pos] != '.') {
    integer_part += text[pos++];
  }
  const bool separator_met = pos < text.size() && (text[pos] == ',' || text[pos] == '.');
  if (separator_met) ++pos;

  // 3. Three or more integer characters without a separator: a whole percentage that
  // already carries (some of) its decimals.
  if (integer_part.size() >= 3 && !separator_met) {
    if (integer_part.size() == 3) integer_part += "00";
    if (integer_part.size() == 4) integer_part += "0";
    return integer_part;
  }

  // 2. At least two integer characters.
  if (integer_part.empty()) integer_part = "00";
  if (integer_part.size() == 1) integer_part.insert(0, 1, '0');

  // 4. Exactly three decimals, cut or filled with zeros.
  std::string decimal_part(text.substr(pos, kDecimals));
  decimal_part.resize(kDecimals, '0');

  // 5.
  return integer_part + decimal_part;
}

std::string FormatAmount(std::optional<std::string_view> symbol, std::string_view digits,
                         int limit) {
  digits = UpToTerminator(digits);
  if (limit > 15) return std::string(digits);

  const std::size_t n = std::min(digits.size(), static_cast<std::size_t>(std::max(limit, 0)));
  if (n <= 1) return "0,00";  // a single digit is not shown
  if (n == 2) return "0," + std::string(digits.substr(0, 2));

  // Built from the right: decimals, comma, then the whole part in groups of three.
  std::string reversed;
  reversed += digits[n - 1];
  reversed += digits[n - 2];
  reversed += ',';
  std::size_t in_group = 0;
  for (std::size_t i = n - 2; i-- > 0;) {
    if (in_group == 3) {
      reversed += '.';
      in_group = 0;
    }
    reversed += digits[i];
    ++in_group;
  }
  std::string amount(reversed.rbegin(), reversed.rend());
  if (symbol) amount = std::string(*symbol) + " " + amount;
  return amount;
}

std::string AmountReading(AmountKind kind, std::string_view digits) {
  if (digits.empty() || !IsAllDigits(digits, static_cast<int>(digits.size()))) return {};
  const std::size_t decimals = kind == AmountKind::kCents ? 2 : 3;

  // The whole part keeps one digit, a zero when the text holds only decimals.
  while (digits.size() > decimals + 1 && digits.front() == '0') digits.remove_prefix(1);
  std::string padded(digits.size() < decimals + 1 ? decimals + 1 - digits.size() : 0, '0');
  padded += digits;
  const std::size_t whole_digits = padded.size() - decimals;

  // The whole part in groups of three from the right, separated by '.'.
  std::string reading = kind == AmountKind::kCents ? "= R$ " : "= ";
  for (std::size_t i = 0; i < whole_digits; ++i) {
    if (i > 0 && (whole_digits - i) % 3 == 0) reading += '.';
    reading += padded[i];
  }
  reading += ',';
  reading.append(padded, whole_digits, decimals);
  if (kind == AmountKind::kPercent) reading += " %";
  return reading;
}

}  // namespace qx
