#include "ui/screens/register_hint.h"

#include "model/register_codes.h"

namespace qx::ui {
namespace {

// "A registradora não recebe: " in Windows-1252.
constexpr std::string_view kHintPrefix = "A registradora n\xE3o recebe: ";
constexpr std::string_view kSeparator = ", ";

// A field's text is read whole for the hint; no field of the forms comes near this.
constexpr int kHintReadLimit = 1024;

}  // namespace

std::string RegisterHint(std::string_view text) {
  const std::string missing = CharactersWithoutRegisterCode(text);
  if (missing.empty()) return {};
  std::string hint(kHintPrefix);
  for (std::size_t i = 0; i < missing.size(); ++i) {
    if (i > 0) hint += kSeparator;
    hint += VisibleCharacterName(static_cast<unsigned char>(missing[i]));
  }
  return hint;
}

void UpdateRegisterHint(FormView& view, int field_id) {
  view.SetText(RegisterHintId(field_id), RegisterHint(view.GetText(field_id, kHintReadLimit)));
}

}  // namespace qx::ui
