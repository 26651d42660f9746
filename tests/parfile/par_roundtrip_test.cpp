// Saving and loading together: for sets such as the editors produce, save then load gives
// the set back (prices without leading zeros, markers cleared); and the saved form of any
// loaded file is a fixed point of load and save.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "full_capacity_set.h"
#include "model/field_text.h"
#include "par_test_support.h"
#include "parfile/par_file.h"

namespace qx {
namespace {

class RandomSets {
 public:
  explicit RandomSets(unsigned seed) : rng_(seed) {}

  ParamSet Next() {
    ParamSet p;
    ResetParamSet(p);
    for (DeptRecord& d : p.departments) {
      FillRecord(d);
    }
    for (PluRecord& plu : p.products) {
      FillRecord(plu);
      plu.dept_code = Maybe(Digits(1 + Below(kDeptCodeLen)));
      plu.changed_dept = Bit();
    }
    for (OperatorRecord& op : p.operators) {
      op.name = Maybe(Name(kOperatorNameLen));
      op.changed = Bit();
    }
    for (int i = 1; i <= 3; ++i) {
      PaymentKey& key = p.PaymentKeyAt(i);
      key.value_required = Flag();
      key.change_allowed = Flag();
      key.lower_value_refused = Flag();
      key.limit = Maybe(Digits(kKeyLimitLen));
      key.name = Maybe(Name(kKeyNameLen));
    }
    p.void_receipt_key = {Flag(), Maybe(Digits(kKeyLimitLen)), Maybe(Name(kKeyNameLen))};
    p.currency_key = {Maybe(Digits(kExchangeRateLen)), Maybe(Digits(1)), Maybe(Name(kKeyNameLen))};
    p.discount_pct_key = {Flag(), Maybe(Digits(kPercentLen)), Maybe(Name(kKeyNameLen))};
    p.discount_value_key = {Flag(), Maybe(Digits(kDiscountValueLen)), Maybe(Name(kKeyNameLen))};
    p.surcharge_pct_key = {Flag(), Maybe(Digits(kPercentLen)), Maybe(Name(kKeyNameLen))};
    p.void_item_key.limit = Maybe(Digits(kKeyLimitLen));
    for (char SystemOptions::*option :
         {&SystemOptions::key_beep, &SystemOptions::drawer_on_reports,
          &SystemOptions::compact_print, &SystemOptions::qty_dept_key,
          &SystemOptions::repeat_receipt, &SystemOptions::recalc_change,
          &SystemOptions::drawer_declaration, &SystemOptions::zero_grand_total_after_z,
          &SystemOptions::zero_financial_counter, &SystemOptions::multiply_quantity,
          &SystemOptions::rounding}) {
      p.system_options.*option = Flag();
    }
    p.system_options.date_format = Digits(1)[0];
    p.system_options.decimal_places = Digits(1)[0];
    p.system_options.system_reserved = Maybe(Name(kSystemReservedLen));
    for (char PrintOptions::*option :
         {&PrintOptions::print_z_counter, &PrintOptions::print_receipt_copy,
          &PrintOptions::print_item_count, &PrintOptions::print_reserved_15,
          &PrintOptions::grand_total_net, &PrintOptions::print_footer,
          &PrintOptions::print_code_in_product_report}) {
      p.print_options.*option = Flag();
    }
    p.print_options.local_currency_symbol = Maybe(Name(kCurrencySymbolLen));
    p.print_options.foreign_currency_symbol = Maybe(Name(kCurrencySymbolLen));
    for (std::string& line : p.header_lines) line = Maybe(Name(kReceiptLineLen));
    for (std::string& line : p.footer_lines) line = Maybe(Name(kReceiptLineLen));
    p.register_number = Maybe(Digits(kRegisterNumberLen));
    return p;
  }

  std::mt19937& rng() { return rng_; }

 private:
  std::size_t Below(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
  }
  std::uint8_t Bit() { return static_cast<std::uint8_t>(Below(2)); }
  char Flag() { return Bit() ? '1' : '0'; }

  // Digits as the editors take them, leading zeros included, 1 to `most` of them.
  std::string Digits(std::size_t most) {
    std::string text(1 + Below(most), '0');
    for (char& c : text) c = static_cast<char>('0' + Below(Below(3) == 0 ? 1 : 10));
    return text;
  }
  // Any character a form field takes, the separator aside: printable ASCII and the
  // Windows-1252 letters and signs.
  std::string Name(std::size_t most) {
    std::string text(1 + Below(most), ' ');
    for (char& c : text) {
      do {
        c = static_cast<char>(Below(2) ? 0x20 + Below(0x5F) : 0xA0 + Below(0x60));
      } while (c == '|');
    }
    return text;
  }
  // Most fields of a customer's file are empty.
  std::string Maybe(std::string text) { return Below(3) == 0 ? text : std::string(); }

  template <class Record>
  void FillRecord(Record& r) {
    r.status_negative_price = Flag();
    r.status_single_item_sale = Flag();
    r.status_open_price = Flag();
    r.status_fixed_price = Flag();
    r.price = Maybe(Digits(kPriceLen));
    r.name = Maybe(Name(kRecordNameLen));
    r.changed_status = Bit();
    r.changed_price = Bit();
    r.changed_name = Bit();
  }

  std::mt19937 rng_;
};

// What a save and a load make of a set: prices lose leading zeros, markers are 0.
ParamSet AfterSaveAndLoad(ParamSet p) {
  for (DeptRecord& d : p.departments) {
    if (!d.price.empty()) d.price = std::string(SkipLeadingZeros(d.price));
    d.changed_status = d.changed_price = d.changed_name = 0;
  }
  for (PluRecord& plu : p.products) {
    if (!plu.price.empty()) plu.price = std::string(SkipLeadingZeros(plu.price));
    plu.changed_status = plu.changed_price = plu.changed_name = plu.changed_dept = 0;
  }
  for (OperatorRecord& op : p.operators) op.changed = 0;
  return p;
}

ParamSet Load(std::string_view bytes) {
  ParamSet params;
  LoadParBytes(params, bytes);
  return params;
}

TEST(RoundTripTest, SaveThenLoadGivesTheSetBack) {
  RandomSets sets(4810);
  for (int i = 0; i < 100; ++i) {
    const ParamSet original = sets.Next();
    const ParamSet loaded = Load(FormatParFile(original));
    ASSERT_EQ(loaded, AfterSaveAndLoad(original)) << "set " << i;
  }
}

TEST(RoundTripTest, TheFullSetAndTheDefaultsComeBackUnchanged) {
  EXPECT_EQ(Load(FormatParFile(test::FullCapacitySet())), test::FullCapacitySet());
  ParamSet defaults;
  ResetParamSet(defaults);
  EXPECT_EQ(Load(FormatParFile(defaults)), defaults);
}

TEST(RoundTripTest, TheSampleFilesAreInTheWritersForm) {
  for (const char* name : {"loja1.par", "full_capacity.par"}) {
    const std::string bytes = test::Fixture(name);
    EXPECT_EQ(FormatParFile(Load(bytes)), bytes) << name;
  }
}

// Loading, saving, loading and saving again gives the same bytes the second time, whatever
// the first file held: here files written by the program and then damaged at random.
TEST(RoundTripTest, TheSavedFormOfAnyLoadedFileIsAFixedPoint) {
  RandomSets sets(1600);
  std::mt19937& rng = sets.rng();
  std::string alphabet = "|||\r\n\t0123456789DP \xC9\x80";
  alphabet += '\0';
  for (int i = 0; i < 150; ++i) {
    std::string bytes = FormatParFile(sets.Next());
    const std::size_t edits = 1 + rng() % 40;
    for (std::size_t e = 0; e < edits && !bytes.empty(); ++e) {
      const std::size_t at = rng() % bytes.size();
      const char c = alphabet[rng() % alphabet.size()];
      switch (rng() % 3) {
        case 0:
          bytes[at] = c;
          break;
        case 1:
          bytes.insert(at, 1 + rng() % 30, c);
          break;
        default:
          bytes.erase(at, 1 + rng() % 30);
          break;
      }
    }
    const std::string first = FormatParFile(Load(bytes));
    const std::string second = FormatParFile(Load(first));
    ASSERT_EQ(first, second) << "file " << i;
  }
}

}  // namespace
}  // namespace qx
