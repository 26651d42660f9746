#include "ui/qt/field_validator.h"

#include "common/cp1252.h"

namespace qx::ui::qt {

FieldValidator::FieldValidator(bool digits_only, QObject* parent)
    : QValidator(parent), digits_only_(digits_only) {}

QValidator::State FieldValidator::validate(QString& input, int& pos) const {
  (void)pos;
  for (char32_t ch : input.toUcs4()) {
    if (digits_only_ && (ch < U'0' || ch > U'9')) return Invalid;
    if (!UnicodeToCp1252(ch)) return Invalid;
  }
  return Acceptable;
}

}  // namespace qx::ui::qt
