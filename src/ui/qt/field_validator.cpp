#include "ui/qt/field_validator.h"

#include "ui/forms/text_contract.h"

namespace qx::ui::qt {

FieldValidator::FieldValidator(bool digits_only, QObject* parent)
    : QValidator(parent), digits_only_(digits_only) {}

QValidator::State FieldValidator::validate(QString& input, int& pos) const {
  (void)pos;
  const std::u16string before = base_.toStdU16String();
  const std::u16string after = input.toStdU16String();
  return AcceptsInserted(InsertedPart(before, after), digits_only_) ? Acceptable : Invalid;
}

}  // namespace qx::ui::qt
