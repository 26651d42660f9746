// The record types of the parameter file and the order of the option fields, shared by the
// loader and the writer. Record types keep the register's program numbers ("P0500" is
// program 500).
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

#include "model/param_set.h"

namespace qx::par {

inline constexpr std::string_view kDeptStatusRecord = "P0500";
inline constexpr std::string_view kDeptPriceRecord = "P0520";
inline constexpr std::string_view kDeptNameRecord = "P0530";
inline constexpr std::string_view kPluStatusRecord = "P0100";
inline constexpr std::string_view kPluPriceRecord = "P0200";
inline constexpr std::string_view kPluNameRecord = "P0300";
inline constexpr std::string_view kPluDeptRecord = "P0350";
inline constexpr std::string_view kSystemOptionsRecord = "P0030";
inline constexpr std::string_view kPrintOptionsRecord = "P0040";
inline constexpr std::string_view kKeyStatusRecord = "P0070";
inline constexpr std::string_view kKeyValuesRecord = "P0090";
inline constexpr std::string_view kKeyNamesRecord = "P0080";
inline constexpr std::string_view kHeaderRecord = "P0700";
inline constexpr std::string_view kFooterRecord = "P0750";
inline constexpr std::string_view kOperatorsRecord = "P0810";
inline constexpr std::string_view kRegisterNumberRecord = "P1600";

inline constexpr std::size_t kRecordTypeLen = 5;

// The four status flags of a department or product, in file order.
template <class Record>
inline constexpr std::array<char Record::*, 4> kStatusFlags = {
    &Record::status_negative_price, &Record::status_single_item_sale, &Record::status_open_price,
    &Record::status_fixed_price};

// Program 30: options 1 to 4 and 6 to 20 (there is no option 5). Positions 1 and 2 (options 2
// and 3) are character fields, the others flags.
inline constexpr std::array<char SystemOptions::*, 19> kSystemOptionFields = {
    &SystemOptions::key_beep,
    &SystemOptions::date_format,
    &SystemOptions::decimal_places,
    &SystemOptions::drawer_on_reports,
    &SystemOptions::compact_print,
    &SystemOptions::ejournal_enabled,
    &SystemOptions::ejournal_full_warning,
    &SystemOptions::ejournal_chronological,
    &SystemOptions::qty_dept_key,
    &SystemOptions::repeat_receipt,
    &SystemOptions::recalc_change,
    &SystemOptions::drawer_declaration,
    &SystemOptions::zero_consecutive_after_z,
    &SystemOptions::zero_grand_total_after_z,
    &SystemOptions::zero_financial_counter,
    &SystemOptions::zero_product_counter,
    &SystemOptions::zero_operator_counter,
    &SystemOptions::multiply_quantity,
    &SystemOptions::rounding};

constexpr bool IsSystemCharacterField(std::size_t position) {
  return position == 1 || position == 2;
}

// Program 40: options 1 and 2 come before the two currency symbols (options 3 and 4), options
// 5 to 27 after them.
inline constexpr std::array<char PrintOptions::*, 2> kPrintFlagsBeforeSymbols = {
    &PrintOptions::print_z_counter, &PrintOptions::print_zero_totals};
inline constexpr std::array<char PrintOptions::*, 23> kPrintFlagsAfterSymbols = {
    &PrintOptions::print_receipt_copy,
    &PrintOptions::print_subtotal,
    &PrintOptions::print_consecutive,
    &PrintOptions::print_date,
    &PrintOptions::print_time,
    &PrintOptions::print_operator_name,
    &PrintOptions::print_returns,
    &PrintOptions::print_item_count,
    &PrintOptions::print_reserved_13,
    &PrintOptions::print_reserved_14,
    &PrintOptions::print_reserved_15,
    &PrintOptions::print_reserved_16,
    &PrintOptions::print_reserved_17,
    &PrintOptions::print_grand_total,
    &PrintOptions::print_gross_grand_total,
    &PrintOptions::grand_total_net,
    &PrintOptions::receipt_on_drawer_open,
    &PrintOptions::print_header,
    &PrintOptions::print_footer,
    &PrintOptions::print_ejournal,
    &PrintOptions::print_training_message,
    &PrintOptions::print_code_on_receipt,
    &PrintOptions::print_code_in_product_report};

// Function key indexes whose status the file carries, in the order they are written.
inline constexpr std::array<int, 7> kKeyStatusIndexes = {1, 2, 3, 4, 6, 7, 8};
inline constexpr int kKeyNameCount = 8;  // key 9 has no name

// The name of function key 1 to 8 (5 is the currency key, whose name no editor offers).
template <class Set>
auto KeyName(Set& params, int index) -> decltype(&params.cash_key.name) {
  switch (index) {
    case 1:
      return &params.cash_key.name;
    case 2:
      return &params.cheque_key.name;
    case 3:
      return &params.card_key.name;
    case 4:
      return &params.void_receipt_key.name;
    case 5:
      return &params.currency_key.name;
    case 6:
      return &params.discount_pct_key.name;
    case 7:
      return &params.discount_value_key.name;
    case 8:
      return &params.surcharge_pct_key.name;
    default:
      return nullptr;
  }
}

// The one value text of function key 1 to 9 except 5 (which has two, its exchange rate and
// the rate's decimals), with its capacity in characters.
template <class Set>
struct KeyValueField {
  decltype(&std::declval<Set&>().cash_key.limit) text = nullptr;
  std::size_t capacity = 0;
};

template <class Set>
KeyValueField<Set> KeyValue(Set& params, int index) {
  switch (index) {
    case 1:
    case 2:
    case 3:
      return {&params.PaymentKeyAt(index).limit, kKeyLimitLen};
    case 4:
      return {&params.void_receipt_key.limit, kKeyLimitLen};
    case 6:
      return {&params.discount_pct_key.percent, kPercentLen};
    case 7:
      return {&params.discount_value_key.value, kDiscountValueLen};
    case 8:
      return {&params.surcharge_pct_key.percent, kPercentLen};
    case 9:
      return {&params.void_item_key.limit, kKeyLimitLen};
    default:
      return {};
  }
}

// The status flags of a function key, in file order: three for the payment keys 1 to 3, one
// for keys 4, 6, 7 and 8, none for the others.
template <class Set>
struct KeyStatusFlags {
  std::array<decltype(&std::declval<Set&>().cash_key.change_allowed), 3> flags{};
  std::size_t count = 0;
};

template <class Set>
KeyStatusFlags<Set> KeyStatus(Set& params, int index) {
  switch (index) {
    case 1:
    case 2:
    case 3: {
      auto& key = params.PaymentKeyAt(index);
      return {{&key.change_allowed, &key.lower_value_refused, &key.value_required}, 3};
    }
    case 4:
      return {{&params.void_receipt_key.disabled}, 1};
    case 6:
      return {{&params.discount_pct_key.open}, 1};
    case 7:
      return {{&params.discount_value_key.open}, 1};
    case 8:
      return {{&params.surcharge_pct_key.open}, 1};
    default:
      return {};
  }
}

}  // namespace qx::par
