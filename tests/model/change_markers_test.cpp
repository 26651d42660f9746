#include "model/change_markers.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(RaiseMarkersSince, RaisesWhatAnEditorWouldRaiseOnStoringTheNewValues) {
  ParamSet old;
  old.Department(1).name = "CAFE";
  old.Department(1).price = "12345678";
  old.Department(2).name = "PAO";
  old.Department(3).name = "LEITE";
  old.Department(3).price = "100";
  old.Product(5).name = "BOLO";
  old.Product(5).dept_code = "3";
  old.Product(6).dept_code = "12";
  old.Operator(2).name = "ANA";
  old.Operator(3).name = "BETO";

  ParamSet now = old;
  now.Department(1).price = "12345679";       // differs only after the 7th character
  now.Department(2).name = "PÃO";             // renamed while its price is zero
  now.Department(3).status_open_price = '3';  // another character, also set
  now.Product(5).dept_code = "7";             // only the link
  now.Product(6).dept_code = "123";           // same first two characters
  now.Operator(2).name = "ANA ";

  RaiseMarkersSince(now, old);
  const DeptRecord& d1 = now.Department(1);
  EXPECT_EQ(d1.changed_status + d1.changed_price + d1.changed_name, 0);
  EXPECT_EQ(now.Department(2).changed_name, 1);
  EXPECT_EQ(now.Department(2).changed_price, 1) << "zero price listed with the name";
  EXPECT_EQ(now.Department(3).changed_status, 1);
  EXPECT_EQ(now.Department(3).changed_price, 0) << "a price of 1,00 is not zero";
  EXPECT_EQ(now.Product(5).changed_dept, 1);
  EXPECT_EQ(now.Product(5).changed_price, 0) << "a link change alone never lists the price";
  EXPECT_EQ(now.Product(6).changed_dept, 0);
  EXPECT_EQ(now.Operator(2).changed, 1);
  EXPECT_EQ(now.Operator(3).changed, 0);
  EXPECT_FALSE([&] {
    ParamSet same = old;
    RaiseMarkersSince(same, old);
    return AnyChangeMarker(same);
  }());
}

TEST(RaiseStoredMarkers, ComparesPricesAndLinksRightAlignedOnTheirFirstCharacters) {
  DeptRecord old;
  old.price = "100";
  DeptRecord now = old;
  now.price = "0100";  // the file drops the zero: a reload would undo this change
  RaiseStoredMarkers(now, old);
  EXPECT_EQ(now.changed_price, 0);
  now.price = "1000";
  RaiseStoredMarkers(now, old);
  EXPECT_EQ(now.changed_price, 1);

  PluRecord plu_old;
  plu_old.dept_code = "5";
  PluRecord plu = plu_old;
  plu.dept_code = " 5";
  RaiseStoredMarkers(plu, plu_old);
  EXPECT_EQ(plu.changed_dept, 0);
  plu.dept_code = "05";
  RaiseStoredMarkers(plu, plu_old);
  EXPECT_EQ(plu.changed_dept, 1);
  EXPECT_EQ(plu.changed_price, 0) << "the link never pulls a zero price in";
}

TEST(PricesDiffer, ComparesPricesAsTheFileKeepsThem) {
  struct Case {
    const char* old_price;
    const char* new_price;
    bool differ;
  };
  const Case cases[] = {
      {"100", "0100", false}, {"100", "000100", false}, {"0", "000", false},
      {"", "", false},        {"", "0", true},          {"", "000", true},
      {"100", "1000", true},  {"100", "10", true},      {"1234567", "12345678", false},
      {"5", " 5", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.old_price) + " / " + c.new_price);
    EXPECT_EQ(PricesDiffer(c.old_price, c.new_price), c.differ);
    EXPECT_EQ(PricesDiffer(c.new_price, c.old_price), c.differ);
  }
}

TEST(RaiseStoredMarkers, NeverLowersAMarker) {
  DeptRecord old;
  old.name = "CAFE";
  old.price = "150";
  DeptRecord now = old;
  now.changed_name = now.changed_status = now.changed_price = 1;
  RaiseStoredMarkers(now, old);  // the old values typed back
  EXPECT_EQ(now.changed_name + now.changed_status + now.changed_price, 3);
}

}  // namespace
}  // namespace qx
