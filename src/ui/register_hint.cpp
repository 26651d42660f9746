#include "ui/register_hint.h"

#include <array>

#include "guide/register_codes.h"

namespace qx::ui {
namespace {

// "A registradora não recebe: " in Windows-1252.
constexpr std::string_view kHintPrefix = "A registradora n\xE3o recebe: ";
constexpr std::string_view kSeparator = ", ";

// A field's text is read whole for the hint; no field of the forms comes near this.
constexpr int kHintReadLimit = 1024;

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

std::string NameOf(unsigned char byte) {
  if (IsInvisible(byte)) return "(caractere " + std::to_string(byte) + ")";
  return std::string(1, static_cast<char>(byte));
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

std::string RegisterHint(std::string_view text) {
  const std::string missing = CharactersWithoutRegisterCode(text);
  if (missing.empty()) return {};
  std::string hint(kHintPrefix);
  for (std::size_t i = 0; i < missing.size(); ++i) {
    if (i > 0) hint += kSeparator;
    hint += NameOf(static_cast<unsigned char>(missing[i]));
  }
  return hint;
}

void UpdateRegisterHint(FormView& view, int field_id) {
  view.SetText(RegisterHintId(field_id), RegisterHint(view.GetText(field_id, kHintReadLimit)));
}

}  // namespace qx::ui
