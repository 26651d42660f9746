#include "model/search_fold.h"

#include <array>

namespace qx {
namespace {

// What each Windows-1252 byte becomes in the find and sort text; letters with accents become
// their base letter, the ligatures two letters.
const std::array<std::string, 256>& FoldTable() {
  static const std::array<std::string, 256> table = [] {
    std::array<std::string, 256> t;
    for (int b = 0; b < 256; ++b)
      t[static_cast<std::size_t>(b)] = std::string(1, static_cast<char>(b));
    for (int b = 'A'; b <= 'Z'; ++b)
      t[static_cast<std::size_t>(b)] = std::string(1, static_cast<char>(b - 'A' + 'a'));
    const auto set = [&t](int first, int last, const char* folded) {
      for (int b = first; b <= last; ++b) t[static_cast<std::size_t>(b)] = folded;
    };
    set('{', '{', "");
    set('}', '}', "");
    set(0x8A, 0x8A, "s");
    set(0x9A, 0x9A, "s");
    set(0x8C, 0x8C, "oe");
    set(0x9C, 0x9C, "oe");
    set(0x8E, 0x8E, "z");
    set(0x9E, 0x9E, "z");
    set(0x9F, 0x9F, "y");
    // The upper half of Latin-1: the capitals 0xC0 to 0xDE, the small letters 0x20 above.
    for (int offset : {0x00, 0x20}) {
      set(0xC0 + offset, 0xC5 + offset, "a");
      set(0xC6 + offset, 0xC6 + offset, "ae");
      set(0xC7 + offset, 0xC7 + offset, "c");
      set(0xC8 + offset, 0xCB + offset, "e");
      set(0xCC + offset, 0xCF + offset, "i");
      set(0xD0 + offset, 0xD0 + offset, "d");
      set(0xD1 + offset, 0xD1 + offset, "n");
      set(0xD2 + offset, 0xD6 + offset, "o");
      set(0xD8 + offset, 0xD8 + offset, "o");
      set(0xD9 + offset, 0xDC + offset, "u");
      set(0xDD + offset, 0xDD + offset, "y");
      set(0xDE + offset, 0xDE + offset, "th");
    }
    set(0xDF, 0xDF, "ss");
    set(0xFF, 0xFF, "y");
    return t;
  }();
  return table;
}

}  // namespace

std::string FoldForSearch(std::string_view text) {
  const std::array<std::string, 256>& table = FoldTable();
  std::string folded;
  folded.reserve(text.size());
  for (char c : text) folded += table[static_cast<unsigned char>(c)];
  return folded;
}

}  // namespace qx
