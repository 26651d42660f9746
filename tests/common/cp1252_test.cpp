#include "common/cp1252.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace qx {
namespace {

using namespace std::string_view_literals;

TEST(Cp1252Test, EveryByteSurvivesTheRoundTripThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    const char32_t ch = Cp1252ToUnicode(byte);
    EXPECT_EQ(UnicodeToCp1252(ch), byte) << "byte " << b;
    all += static_cast<char>(byte);
  }
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
  EXPECT_EQ(Utf8ToCp1252Lossy(utf8), all);
}

TEST(Cp1252Test, CharactersOfTheUpperHalfHaveTheirUnicodeValues) {
  struct Case {
    unsigned char byte;
    char32_t ch;
    std::string_view utf8;
  };
  const Case cases[] = {
      {0x80, U'\u20AC', "\u20AC"},   {0x81, U'\u0081', "\xC2\x81"}, {0x8D, U'\u008D', "\xC2\x8D"},
      {0x8F, U'\u008F', "\xC2\x8F"}, {0x90, U'\u0090', "\xC2\x90"}, {0x9D, U'\u009D', "\xC2\x9D"},
      {0x92, U'\u2019', "\u2019"},   {0x9F, U'\u0178', "\u0178"},   {0xA0, U'\u00A0', "\u00A0"},
      {0xC7, U'\u00C7', "\u00C7"},   {0xE3, U'\u00E3', "\u00E3"},   {0xFF, U'\u00FF', "\u00FF"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp1252ToUnicode(c.byte), c.ch) << int{c.byte};
    EXPECT_EQ(Cp1252ToUtf8(std::string(1, static_cast<char>(c.byte))), c.utf8) << int{c.byte};
  }
}

TEST(Cp1252Test, TextThatCannotBeHeldIsReportedNeverReplaced) {
  const std::string_view refused[] = {
      "\u0080",            // a C1 control that the code page gives to the euro sign
      "\u009F",            // likewise for Ÿ
      "caf\u0101",         // ā
      "\u4E2D",            // a CJK character
      "\U0001F600",        // outside the basic plane
      "\xC3",              // truncated sequence
      "\x80",              // stray continuation byte
      "\xC0\xAF",          // overlong '/'
      "\xE0\x80\xAF",      // overlong '/'
      "\xED\xA0\x80",      // a surrogate
      "\xF4\x90\x80\x80",  // above U+10FFFF
      "\xFF",
  };
  for (std::string_view text : refused) {
    EXPECT_EQ(Utf8ToCp1252(text), std::nullopt) << text;
  }
  EXPECT_EQ(UnicodeToCp1252(U'\u0100'), std::nullopt);
  EXPECT_EQ(UnicodeToCp1252(0x110000), std::nullopt);
}

TEST(Cp1252Test, PortugueseTextConvertsBothWays) {
  const std::string_view utf8 = "ERRO NA CRIAÇÃO DO ARQUIVO – “Não” € 1/2 ½";
  const std::optional<std::string> bytes = Utf8ToCp1252(utf8);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(*bytes, "ERRO NA CRIA\xC7\xC3O DO ARQUIVO \x96 \x93N\xE3o\x94 \x80 1/2 \xBD"sv);
  EXPECT_EQ(Cp1252ToUtf8(*bytes), utf8);
  EXPECT_EQ(Win1252("Não encontrado"), "N\xE3o encontrado");
  EXPECT_EQ(Utf8ToCp1252(""), "");
}

TEST(Cp1252Test, LossyConversionMarksEachBadCharacter) {
  EXPECT_EQ(Utf8ToCp1252Lossy("/home/jos\u00E9/\u4E2D\u6587.par"), "/home/jos\xE9/??.par");
  EXPECT_EQ(Utf8ToCp1252Lossy("a\xC3"
                              "b"),
            "a?b");  // the byte after a broken lead is kept
}

TEST(Cp1252DeathTest, AFixedTextTheCodePageCannotHoldIsAProgrammingError) {
  // Debug builds stop at once; release builds show '?' in its place.
  EXPECT_DEBUG_DEATH({ EXPECT_EQ(Win1252("x\u4E2Dy"), "x?y"); }, "Windows-1252");
}

}  // namespace
}  // namespace qx
