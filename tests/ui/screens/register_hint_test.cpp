#include "ui/screens/register_hint.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "../fakes.h"
#include "ui/forms/control_builders.h"

namespace qx::ui {
namespace {

// The bytes the register has a code for, written out from the register's character table
// on its own (positions 1 to 31, the fallbacks, the blank to 'Z', 'a' to 'z', the braces of
// expanded printing and the line feed), so that a slip on either side shows.
std::set<unsigned char> BytesWithCode() {
  std::set<unsigned char> s;
  const std::string table =
      "\xC7\xFC\xE9\xE3\xE4\xC0"          // Ç ü é ã ä À
      "\xE7\xEA\xEB\xE8\xEF\xEE\xEC\xC4"  // ç ê ë è ï î ì Ä
      "\xC9"                              // É
      "\xF4\xF6\xF2\xFB\xF9"              // ô ö ò û ù
      "\xD6\xDC"                          // Ö Ü
      "\xC1\xC3\xCD\xD3\xD5\xDA"          // fallbacks Á Ã Í Ó Õ Ú
      "\xE0\xE1\xED\xF3\xF5\xFA"          // fallbacks à á í ó õ ú
      "{}\n";
  for (char c : table) s.insert(static_cast<unsigned char>(c));
  for (int b = 32; b <= 90; ++b) s.insert(static_cast<unsigned char>(b));
  for (int b = 97; b <= 122; ++b) s.insert(static_cast<unsigned char>(b));
  return s;
}

TEST(RegisterHint, EveryByteIsNamedExactlyWhenTheRegisterHasNoCodeForIt) {
  const std::set<unsigned char> with_code = BytesWithCode();
  for (int b = 1; b <= 255; ++b) {
    const std::string one(1, static_cast<char>(b));
    const bool named = !RegisterHint(one).empty();
    EXPECT_EQ(named, with_code.count(static_cast<unsigned char>(b)) == 0) << "byte " << b;
    EXPECT_EQ(CharactersWithoutRegisterCode(one).empty(), !named) << "byte " << b;
  }
}

TEST(RegisterHint, NamesEachMissingCharacterOnceInOrderOfAppearance) {
  // Â [ ñ ] Ê Ô, with repeats and coded characters between them.
  EXPECT_EQ(RegisterHint("\xC2NGELA [\xF1] \xC2\xCA [\xD4"),
            "A registradora n\xE3o recebe: \xC2, [, \xF1, ], \xCA, \xD4");
  EXPECT_EQ(CharactersWithoutRegisterCode("\\^_`~|\\"), "\\^_`~|");
}

TEST(RegisterHint, IsEmptyWhenEveryCharacterHasACode) {
  for (const char* text : {"", "CAF\xC9 {C{A} 12,50", "S\xC3O JO\xC3O", "A<br>B", "a\xE7\xE3o!"}) {
    EXPECT_EQ(RegisterHint(text), "") << text;
  }
}

TEST(RegisterHint, NamesInvisibleCharactersByTheirValue) {
  EXPECT_EQ(RegisterHint("A\tB\xA0\r"),
            "A registradora n\xE3o recebe: (caractere 9), (caractere 160), (caractere 13)");
}

TEST(RegisterHint, UpdateShowsTheHintOfTheFieldsWholeTextInItsOwnControl) {
  FormTemplate form;
  ControlTemplate field;
  field.id = 1052;
  field.kind = ControlKind::kEdit;
  form.controls.push_back(field);
  form.controls.push_back(RegisterHintControl(1052, {0, 0, 10, 8}));
  EXPECT_EQ(form.controls.back().id, 5052);
  testing::FakeFormView view(form);
  view.Type(1052, "CAIXA \xD4");
  UpdateRegisterHint(view, 1052);
  EXPECT_EQ(view.texts[5052], "A registradora n\xE3o recebe: \xD4");
  view.Type(1052, "CAIXA");
  UpdateRegisterHint(view, 1052);
  EXPECT_EQ(view.texts[5052], "");
  EXPECT_EQ(view.texts[1052], "CAIXA");
}

}  // namespace
}  // namespace qx::ui
