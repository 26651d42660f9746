// The one in-memory set of everything the QX-4810 register can be programmed with.
// Every value is Windows-1252 text held in std::string (bytes, never UTF-8), flags are
// one character each ('1' set, '0' not set; readers test only the lowest bit), and the
// change markers record what the record editors altered since the set was last reset.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qx {

// Capacities (characters, without terminator) of the text fields.
inline constexpr std::size_t kPriceLen = 7;
inline constexpr std::size_t kRecordNameLen = 12;  // departments and products
inline constexpr std::size_t kDeptCodeLen = 2;
inline constexpr std::size_t kOperatorNameLen = 8;
inline constexpr std::size_t kReceiptLineLen = 24;
inline constexpr std::size_t kRegisterNumberLen = 6;
inline constexpr std::size_t kKeyLimitLen = 8;
inline constexpr std::size_t kKeyNameLen = 8;
inline constexpr std::size_t kExchangeRateLen = 7;
inline constexpr std::size_t kRateDecimalsLen = 1;
inline constexpr std::size_t kPercentLen = 5;
inline constexpr std::size_t kDiscountValueLen = 5;
inline constexpr std::size_t kCurrencySymbolLen = 5;
inline constexpr std::size_t kSystemReservedLen = 19;

inline constexpr int kDepartmentCount = 16;
inline constexpr int kProductCount = 500;
inline constexpr int kOperatorCount = 10;
inline constexpr int kReceiptLineCount = 6;
inline constexpr int kFunctionKeyCount = 9;

// A flag character counts as set when its lowest bit is 1: '1' and any odd code are set,
// '0', NUL and any even code are not.
constexpr bool IsSet(char flag) { return (static_cast<unsigned char>(flag) & 1u) != 0; }
constexpr char FlagChar(bool set) { return set ? '1' : '0'; }

struct DeptRecord {
  char status_negative_price = '0';
  char status_single_item_sale = '0';
  char status_open_price = '1';
  char status_fixed_price = '1';
  std::string price;  // up to 7 digits, two implied decimals
  std::string name;   // up to 12 characters
  std::uint8_t changed_status = 0;
  std::uint8_t changed_price = 0;
  std::uint8_t changed_name = 0;
  friend bool operator==(const DeptRecord&, const DeptRecord&) = default;
};

struct PluRecord {
  char status_negative_price = '0';
  char status_single_item_sale = '0';
  char status_open_price = '1';
  char status_fixed_price = '1';
  std::string price;      // up to 7 digits
  std::string name;       // up to 12 characters
  std::string dept_code;  // up to 2 digits, the department 1 to 16
  std::uint8_t changed_status = 0;
  std::uint8_t changed_price = 0;
  std::uint8_t changed_name = 0;
  std::uint8_t changed_dept = 0;
  friend bool operator==(const PluRecord&, const PluRecord&) = default;
};

struct OperatorRecord {
  std::string name;  // up to 8 characters
  std::uint8_t changed = 0;
  friend bool operator==(const OperatorRecord&, const OperatorRecord&) = default;
};

// Function keys 1 to 3: "DINHEIRO", "CHEQUE", "CARTAO".
struct PaymentKey {
  char value_required = '0';
  char change_allowed = '1';
  char lower_value_refused = '0';
  std::string limit;  // up to 8 digits
  std::string name;   // up to 8 characters
  friend bool operator==(const PaymentKey&, const PaymentKey&) = default;
};

// Function key 4: "CANC CUPOM".
struct VoidReceiptKey {
  char disabled = '0';
  std::string limit;  // up to 8 digits
  std::string name;
  friend bool operator==(const VoidReceiptKey&, const VoidReceiptKey&) = default;
};

// Function key 5: "MOEDA". Its name is carried in the file but offered by no editor.
struct CurrencyKey {
  std::string exchange_rate;  // up to 7 digits
  std::string rate_decimals;  // one digit 0 to 7
  std::string name;
  friend bool operator==(const CurrencyKey&, const CurrencyKey&) = default;
};

// Function keys 6 and 8: "-  %" and "+  %".
struct PercentKey {
  char open = '1';
  std::string percent;  // up to 5 digits, XX.XXX without the point
  std::string name;
  friend bool operator==(const PercentKey&, const PercentKey&) = default;
};

// Function key 7: "EMPREGADO -".
struct DiscountValueKey {
  char open = '1';
  std::string value;  // up to 5 digits, two implied decimals
  std::string name;
  friend bool operator==(const DiscountValueKey&, const DiscountValueKey&) = default;
};

// Function key 9: "CANC ULT ITEM".
struct VoidItemKey {
  std::string limit;  // up to 8 digits
  friend bool operator==(const VoidItemKey&, const VoidItemKey&) = default;
};

// Register program 30. The comments give the register's option numbers (5 does not exist).
struct SystemOptions {
  char key_beep = '0';                  // 1
  char date_format = '1';               // 2, single character
  char decimal_places = '2';            // 3, single character
  char drawer_on_reports = '0';         // 4
  char compact_print = '0';             // 6
  char ejournal_enabled = '0';          // 7
  char ejournal_full_warning = '0';     // 8
  char ejournal_chronological = '0';    // 9
  char qty_dept_key = '0';              // 10
  char repeat_receipt = '0';            // 11
  char recalc_change = '0';             // 12
  char drawer_declaration = '0';        // 13
  char zero_consecutive_after_z = '0';  // 14
  char zero_grand_total_after_z = '0';  // 15
  char zero_financial_counter = '0';    // 16
  char zero_product_counter = '0';      // 17
  char zero_operator_counter = '0';     // 18
  char multiply_quantity = '0';         // 19
  char rounding = '0';                  // 20
  std::string system_reserved;          // up to 19 characters, no meaning, kept
  friend bool operator==(const SystemOptions&, const SystemOptions&) = default;
};

// Register program 40. The comment is the option number, also the position in the file.
struct PrintOptions {
  char print_z_counter = '1';                   // 1
  char print_zero_totals = '1';                 // 2
  std::string local_currency_symbol = "R$";     // 3, up to 5 characters
  std::string foreign_currency_symbol = "US$";  // 4, up to 5 characters
  char print_receipt_copy = '0';                // 5
  char print_subtotal = '1';                    // 6
  char print_consecutive = '1';                 // 7
  char print_date = '1';                        // 8
  char print_time = '1';                        // 9
  char print_operator_name = '1';               // 10
  char print_returns = '1';                     // 11
  char print_item_count = '0';                  // 12
  char print_reserved_13 = '1';                 // 13
  char print_reserved_14 = '1';                 // 14
  char print_reserved_15 = '0';                 // 15
  char print_reserved_16 = '0';                 // 16
  char print_reserved_17 = '0';                 // 17
  char print_grand_total = '1';                 // 18
  char print_gross_grand_total = '1';           // 19
  char grand_total_net = '0';                   // 20
  char receipt_on_drawer_open = '0';            // 21
  char print_header = '1';                      // 22
  char print_footer = '1';                      // 23
  char print_ejournal = '0';                    // 24
  char print_training_message = '0';            // 25
  char print_code_on_receipt = '0';             // 26
  char print_code_in_product_report = '1';      // 27
  friend bool operator==(const PrintOptions&, const PrintOptions&) = default;
};

// The whole parameter set. Records are stored 0-based; use the accessors below, which take
// the 1-based numbers that the user, the file and the guide see. Callers check the range
// (1..16, 1..500, 1..10, 1..6) before using a number.
struct ParamSet {
  std::array<DeptRecord, kDepartmentCount> departments;
  std::array<PluRecord, kProductCount> products;
  std::array<OperatorRecord, kOperatorCount> operators;

  PaymentKey cash_key;                  // 1
  PaymentKey cheque_key;                // 2
  PaymentKey card_key;                  // 3
  VoidReceiptKey void_receipt_key;      // 4
  CurrencyKey currency_key;             // 5
  PercentKey discount_pct_key;          // 6
  DiscountValueKey discount_value_key;  // 7
  PercentKey surcharge_pct_key;         // 8
  VoidItemKey void_item_key;            // 9

  SystemOptions system_options;
  PrintOptions print_options;

  std::array<std::string, kReceiptLineCount> header_lines;  // up to 24 characters each
  std::array<std::string, kReceiptLineCount> footer_lines;  // up to 24 characters each
  std::string register_number;                              // up to 6 digits

  DeptRecord& Department(int number) { return departments[static_cast<std::size_t>(number - 1)]; }
  const DeptRecord& Department(int number) const {
    return departments[static_cast<std::size_t>(number - 1)];
  }
  PluRecord& Product(int number) { return products[static_cast<std::size_t>(number - 1)]; }
  const PluRecord& Product(int number) const {
    return products[static_cast<std::size_t>(number - 1)];
  }
  OperatorRecord& Operator(int number) { return operators[static_cast<std::size_t>(number - 1)]; }
  const OperatorRecord& Operator(int number) const {
    return operators[static_cast<std::size_t>(number - 1)];
  }
  // Payment key 1 (cash), 2 (cheque) or 3 (card).
  PaymentKey& PaymentKeyAt(int index);
  const PaymentKey& PaymentKeyAt(int index) const;

  friend bool operator==(const ParamSet&, const ParamSet&) = default;
};

// Sets every field to its default and every change marker to 0.
void ResetParamSet(ParamSet& params);

// True when any department, product or operator has a change marker raised.
bool AnyChangeMarker(const ParamSet& params);

}  // namespace qx
