// The largest parameter set the file can carry: every text filled to its capacity (prices
// without leading zeros, so none is shortened on writing). Its file is 41 937 bytes long.
// Used by the tests and the benchmark.
#pragma once

#include <cstddef>
#include <string>

#include "model/param_set.h"

namespace qx::test {

// A text of exactly `length` characters that starts with `first` and then counts through
// the given alphabet from `seed` on, so that neighbouring fields differ.
inline std::string FilledText(std::size_t length, std::string_view alphabet, std::size_t seed,
                              char first = '\0') {
  std::string text;
  for (std::size_t i = 0; i < length; ++i) text += alphabet[(seed + i) % alphabet.size()];
  if (first && length > 0) text[0] = first;
  return text;
}

inline ParamSet FullCapacitySet() {
  // Windows-1252 letters with accents, as names on receipts carry them.
  constexpr std::string_view kLetters = "ABCDEFGHIJ KLMNOPQRSTUVWXYZ\xC1\xC3\xC7\xC9\xCD\xD3\xDA{";
  constexpr std::string_view kDigits = "0123456789";
  ParamSet p;
  ResetParamSet(p);
  std::size_t seed = 0;
  for (DeptRecord& d : p.departments) {
    d.status_negative_price = '1';
    d.price = FilledText(kPriceLen, kDigits, ++seed, '9');
    d.name = FilledText(kRecordNameLen, kLetters, ++seed);
  }
  for (PluRecord& plu : p.products) {
    plu.status_single_item_sale = '1';
    plu.price = FilledText(kPriceLen, kDigits, ++seed, '1');
    plu.name = FilledText(kRecordNameLen, kLetters, ++seed);
    plu.dept_code = FilledText(kDeptCodeLen, kDigits, ++seed, '1');
  }
  for (OperatorRecord& op : p.operators) op.name = FilledText(kOperatorNameLen, kLetters, ++seed);
  for (int i = 1; i <= 3; ++i) {
    p.PaymentKeyAt(i).limit = FilledText(kKeyLimitLen, kDigits, ++seed);
    p.PaymentKeyAt(i).name = FilledText(kKeyNameLen, kLetters, ++seed);
  }
  p.void_receipt_key.limit = FilledText(kKeyLimitLen, kDigits, ++seed);
  p.void_receipt_key.name = FilledText(kKeyNameLen, kLetters, ++seed);
  p.currency_key.exchange_rate = FilledText(kExchangeRateLen, kDigits, ++seed);
  p.currency_key.rate_decimals = FilledText(kRateDecimalsLen, kDigits, 7);
  p.currency_key.name = FilledText(kKeyNameLen, kLetters, ++seed);
  p.discount_pct_key.percent = FilledText(kPercentLen, kDigits, ++seed);
  p.discount_pct_key.name = FilledText(kKeyNameLen, kLetters, ++seed);
  p.discount_value_key.value = FilledText(kDiscountValueLen, kDigits, ++seed);
  p.discount_value_key.name = FilledText(kKeyNameLen, kLetters, ++seed);
  p.surcharge_pct_key.percent = FilledText(kPercentLen, kDigits, ++seed);
  p.surcharge_pct_key.name = FilledText(kKeyNameLen, kLetters, ++seed);
  p.void_item_key.limit = FilledText(kKeyLimitLen, kDigits, ++seed);
  p.system_options.system_reserved = FilledText(kSystemReservedLen, kLetters, ++seed);
  p.print_options.local_currency_symbol = FilledText(kCurrencySymbolLen, kLetters, ++seed);
  p.print_options.foreign_currency_symbol = FilledText(kCurrencySymbolLen, kLetters, ++seed);
  for (std::string& line : p.header_lines) line = FilledText(kReceiptLineLen, kLetters, ++seed);
  for (std::string& line : p.footer_lines) line = FilledText(kReceiptLineLen, kLetters, ++seed);
  p.register_number = FilledText(kRegisterNumberLen, kDigits, ++seed);
  return p;
}

}  // namespace qx::test
