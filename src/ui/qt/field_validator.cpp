#include "ui/qt/field_validator.h"

#include "common/cp1252.h"

namespace qx::ui::qt {

FieldValidator::FieldValidator(bool digits_only, QObject* parent)
    : QValidator(parent), digits_only_(digits_only) {}

namespace {

// Control characters are no text: a line break pasted into a name would split its line of
// the parameter file. Windows-1252 maps its five unused bytes to C1 controls; they go too.
bool IsControl(char32_t ch) { return ch < 0x20 || (ch >= 0x7F && ch <= 0x9F); }

}  // namespace

QValidator::State FieldValidator::validate(QString& input, int& pos) const {
  (void)pos;
  for (char32_t ch : input.toUcs4()) {
    if (digits_only_ && (ch < U'0' || ch > U'9')) return Invalid;
    if (IsControl(ch) || !UnicodeToCp1252(ch)) return Invalid;
  }
  return Acceptable;
}

}  // namespace qx::ui::qt
