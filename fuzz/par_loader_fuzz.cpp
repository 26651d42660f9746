// Fuzz target for the parameter file loader: whatever the bytes, loading never crashes or
// reads outside them, every field it fills stays within its capacity, and the saved form of
// the loaded set is a fixed point (loading and saving it again gives the same bytes).
//
// Built with libFuzzer in the fuzz preset; in every other build QX_FUZZ_REPLAY gives it a
// main() that replays the files and folders named on its command line (the seed corpus).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/param_set.h"
#include "parfile/par_file.h"

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "par_loader_fuzz: %s\n", what);
  std::abort();
}

void CheckCapacity(const std::string& text, std::size_t capacity) {
  if (text.size() > capacity) Fail("a loaded text exceeds its field's capacity");
}

void CheckCapacities(const qx::ParamSet& p) {
  using namespace qx;
  for (const DeptRecord& d : p.departments) {
    CheckCapacity(d.price, kPriceLen);
    CheckCapacity(d.name, kRecordNameLen);
  }
  for (const PluRecord& plu : p.products) {
    CheckCapacity(plu.price, kPriceLen);
    CheckCapacity(plu.name, kRecordNameLen);
    CheckCapacity(plu.dept_code, kDeptCodeLen);
  }
  for (const OperatorRecord& op : p.operators) CheckCapacity(op.name, kOperatorNameLen);
  for (const PaymentKey* key : {&p.cash_key, &p.cheque_key, &p.card_key}) {
    CheckCapacity(key->limit, kKeyLimitLen);
    CheckCapacity(key->name, kKeyNameLen);
  }
  CheckCapacity(p.void_receipt_key.limit, kKeyLimitLen);
  CheckCapacity(p.currency_key.exchange_rate, kExchangeRateLen);
  CheckCapacity(p.currency_key.rate_decimals, kRateDecimalsLen);
  CheckCapacity(p.discount_pct_key.percent, kPercentLen);
  CheckCapacity(p.discount_value_key.value, kDiscountValueLen);
  CheckCapacity(p.surcharge_pct_key.percent, kPercentLen);
  CheckCapacity(p.void_item_key.limit, kKeyLimitLen);
  for (const std::string* name :
       {&p.void_receipt_key.name, &p.currency_key.name, &p.discount_pct_key.name,
        &p.discount_value_key.name, &p.surcharge_pct_key.name}) {
    CheckCapacity(*name, kKeyNameLen);
  }
  CheckCapacity(p.system_options.system_reserved, kSystemReservedLen);
  CheckCapacity(p.print_options.local_currency_symbol, kCurrencySymbolLen);
  CheckCapacity(p.print_options.foreign_currency_symbol, kCurrencySymbolLen);
  for (const std::string& line : p.header_lines) CheckCapacity(line, kReceiptLineLen);
  for (const std::string& line : p.footer_lines) CheckCapacity(line, kReceiptLineLen);
  CheckCapacity(p.register_number, kRegisterNumberLen);
}

// The largest file the writer can produce.
constexpr std::size_t kLargestFile = 41937;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  qx::ParamSet params;
  qx::LoadParBytes(params, bytes);
  CheckCapacities(params);
  const std::string first = qx::FormatParFile(params);
  if (first.size() > kLargestFile) Fail("the saved file is larger than the largest possible");
  qx::LoadParBytes(params, first);
  const std::string second = qx::FormatParFile(params);
  if (first != second) Fail("saving a loaded file, loading and saving again changed it");
  return 0;
}
