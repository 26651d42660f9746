#include "model/param_set.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(ParamSetTest, ResetGivesTheRegisterDefaults) {
  ParamSet params;
  params.Department(3).name = "CAFE";
  params.Department(3).changed_name = 1;
  params.Product(500).status_fixed_price = '0';
  params.print_options.local_currency_symbol = "X";
  ResetParamSet(params);

  for (const DeptRecord& d : params.departments) {
    EXPECT_EQ(d.status_negative_price, '0');
    EXPECT_EQ(d.status_single_item_sale, '0');
    EXPECT_EQ(d.status_open_price, '1');
    EXPECT_EQ(d.status_fixed_price, '1');
    EXPECT_TRUE(d.name.empty());
    EXPECT_EQ(d.changed_name, 0);
  }
  EXPECT_EQ(params.Product(500).status_fixed_price, '1');
  EXPECT_EQ(params.cash_key.change_allowed, '1');
  EXPECT_EQ(params.card_key.value_required, '0');
  EXPECT_EQ(params.discount_pct_key.open, '1');
  EXPECT_EQ(params.void_receipt_key.disabled, '0');
  EXPECT_EQ(params.system_options.date_format, '1');
  EXPECT_EQ(params.system_options.decimal_places, '2');
  EXPECT_EQ(params.print_options.local_currency_symbol, "R$");
  EXPECT_EQ(params.print_options.foreign_currency_symbol, "US$");
  EXPECT_FALSE(AnyChangeMarker(params));
}

TEST(ParamSetTest, FlagsAreReadByTheirLowestBit) {
  EXPECT_TRUE(IsSet('1'));
  EXPECT_TRUE(IsSet('a'));  // 0x61, odd
  EXPECT_TRUE(IsSet('\xFF'));
  EXPECT_FALSE(IsSet('0'));
  EXPECT_FALSE(IsSet('\0'));
  EXPECT_FALSE(IsSet('|'));  // 0x7C, even
}

TEST(ParamSetTest, AnyChangeMarkerSeesEachKindOfRecord) {
  ParamSet params;
  params.Product(500).changed_dept = 1;
  EXPECT_TRUE(AnyChangeMarker(params));
  params.Product(500).changed_dept = 0;
  params.Operator(10).changed = 1;
  EXPECT_TRUE(AnyChangeMarker(params));
}

}  // namespace
}  // namespace qx
