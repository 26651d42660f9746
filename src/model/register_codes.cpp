#include "model/register_codes.h"

#include <array>

namespace qx {
namespace {

constexpr unsigned char kNoChar = 0xFF;
constexpr int kTableSize = 122;

// Position p (from 1) holds the character whose code is p; kNoChar marks a free position.
constexpr std::array<unsigned char, kTableSize> MakeCharacterTable() {
  std::array<unsigned char, kTableSize> table{};
  for (auto& c : table) c = kNoChar;
  constexpr unsigned char kLow[] = {
      0xC7,    0xFC,    0xE9, 0xE3, 0xE4, 0xC0,              // 1-6   Ç ü é ã ä À
      kNoChar,                                               // 7
      0xE7,    0xEA,    0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4,  // 8-15  ç ê ë è ï î ì Ä
      kNoChar,                                               // 16
      0xC9,                                                  // 17    É
      kNoChar, kNoChar,                                      // 18-19
      0xF4,    0xF6,    0xF2, 0xFB, 0xF9,                    // 20-24 ô ö ò û ù
      kNoChar,                                               // 25
      0xD6,    0xDC,                                         // 26-27 Ö Ü
  };
  for (std::size_t i = 0; i < sizeof kLow; ++i) table[i] = kLow[i];
  for (int code = 32; code <= 90; ++code)
    table[static_cast<std::size_t>(code - 1)] = static_cast<unsigned char>(code);
  for (int code = 97; code <= 122; ++code)
    table[static_cast<std::size_t>(code - 1)] = static_cast<unsigned char>(code);
  return table;
}

constexpr std::array<unsigned char, kTableSize> kCharacterTable = MakeCharacterTable();

struct Fallback {
  unsigned char character;
  int code;
};

// Accented letters the register lacks, typed as a nearby letter.
constexpr Fallback kFallbacks[] = {
    {0xC1, 65}, {0xC3, 15}, {0xCD, 73},  {0xD3, 79},  {0xD5, 26}, {0xDA, 85},   // Á Ã Í Ó Õ Ú
    {0xE0, 97}, {0xE1, 97}, {0xED, 105}, {0xF3, 111}, {0xF5, 20}, {0xFA, 117},  // à á í ó õ ú
};

// The code of every byte: the first table position holding it, else its fallback, else 0 for
// a byte the register cannot type. The byte 0xFF (ÿ) only marks the table's empty positions;
// no position holds the letter, so it gets no code rather than that of an empty key.
constexpr std::array<int, 256> MakeCodeOfByte() {
  std::array<int, 256> codes{};
  for (int b = 255; b >= 0; --b) {
    if (b == kNoChar) continue;
    for (int p = kTableSize; p >= 1; --p) {
      if (kCharacterTable[static_cast<std::size_t>(p - 1)] == b)
        codes[static_cast<std::size_t>(b)] = p;
    }
    if (codes[static_cast<std::size_t>(b)] != 0) continue;
    for (const Fallback& f : kFallbacks) {
      if (f.character == b) codes[static_cast<std::size_t>(b)] = f.code;
    }
  }
  return codes;
}

constexpr std::array<int, 256> kCodeOfByte = MakeCodeOfByte();

// "%03d " for the codes there are (1 to 999).
void AppendCode(std::string& out, int code) {
  const char text[4] = {static_cast<char>('0' + code / 100 % 10),
                        static_cast<char>('0' + code / 10 % 10), static_cast<char>('0' + code % 10),
                        ' '};
  out.append(text, sizeof text);
}

}  // namespace

std::string ToRegisterCodes(std::string_view name) {
  std::string out;
  out.reserve(name.size() * 4);
  AppendRegisterCodes(out, name);
  return out;
}

void AppendRegisterCodes(std::string& out, std::string_view name) {
  std::size_t i = 0;
  while (i < name.size() && name[i] != '\0') {
    if (name.substr(i, 4) == "<br>") {
      out += "<br>";
      i += 4;
      continue;
    }
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c == '{' || c == '}') {
      out += "999 ";
    } else if (c == '\n') {
      out += "<br><br>";
    } else if (const int code = kCodeOfByte[c]; code != 0) {
      AppendCode(out, code);
    }
    ++i;
  }
}

namespace {

// The register's row for the character alone: empty exactly when the guide drops it.
bool HasRegisterCode(unsigned char byte) {
  const char ch = static_cast<char>(byte);
  return !ToRegisterCodes(std::string_view(&ch, 1)).empty();
}

// Bytes that show nothing on the screen: naming them by their value is the only way the
// user can tell what to remove.
bool IsInvisible(unsigned char byte) {
  return byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F ||
         byte == 0x90 || byte == 0x9D || byte == 0xA0 || byte == 0xAD;
}

}  // namespace

std::string CharactersWithoutRegisterCode(std::string_view text) {
  std::array<bool, 256> seen{};
  std::string missing;
  for (char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (seen[byte]) continue;
    seen[byte] = true;
    if (!HasRegisterCode(byte)) missing += ch;
  }
  return missing;
}

std::string VisibleCharacterName(unsigned char byte) {
  if (IsInvisible(byte)) return "(caractere " + std::to_string(byte) + ")";
  return std::string(1, static_cast<char>(byte));
}

}  // namespace qx
