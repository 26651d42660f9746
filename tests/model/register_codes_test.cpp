// The register's character codes for names, as the technician types them.
#include "model/register_codes.h"

#include <gtest/gtest.h>

#include <string>

namespace qx {
namespace {

TEST(ToRegisterCodes, TranslatesNamesThroughTheTableAndTheFallbacks) {
  struct Case {
    std::string name, codes;
  } cases[] = {
      {"CAF\xC9", "067 065 070 017 "},  // CAFÉ: É is in the table
      {"{C{A", "999 067 999 065 "},     // the expanded-letter switch
      {"}", "999 "},
      {"JOS\xC9 1", "074 079 083 017 032 049 "},  // the blank is 032
      {"P\xC3O", "080 015 079 "},                 // Ã falls back to Ä
      {"a\xE7\xE3o", "097 008 004 111 "},         // ação: ç and ã are in the table
      {"S\xC3O JO\xC3O", "083 015 079 032 074 079 015 079 "},
      {"\xC2NGELA", "078 071 069 076 065 "},  // Â has no code: dropped
      {"\xFF", ""},  // ÿ marks empty positions only: no code, never that of an empty key
      {"A<br>B", "065 <br>066 "},
      {"A\nB", "065 <br><br>066 "},
      {"A<bR>", "065 060 098 082 062 "},  // only "<br>" exactly passes
      {"A<B&C", "065 060 066 038 067 "},
      {"[\\]^_`~\t\r", ""},
      {"\xC1\xCD\xD3\xD5\xDA\xE0\xE1\xED\xF3\xF5\xFA",
       "065 073 079 026 085 097 097 105 111 020 117 "},
      {"\xC7\xFC\xE9\xE4\xC0\xEA\xEB\xE8\xEF\xEE\xEC\xC4\xF4\xF6\xF2\xFB\xF9\xD6\xDC",
       "001 002 003 005 006 009 010 011 012 013 014 015 020 021 022 023 024 026 027 "},
      {"az !/09:@Z", "097 122 032 033 047 048 057 058 064 090 "},
      {"", ""},
      {std::string("AB\0C", 4), "065 066 "},
  };
  for (const Case& c : cases) EXPECT_EQ(ToRegisterCodes(c.name), c.codes) << c.name;
}

TEST(ToRegisterCodes, EveryResultIsMadeOfWholeFourByteCodes) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const std::string codes = ToRegisterCodes(all);
  EXPECT_EQ(codes.size() % 4, 0u);
}

}  // namespace
}  // namespace qx
