#include "ui/qt/field_validator.h"

#include <algorithm>

#include "common/cp1252.h"

namespace qx::ui::qt {

FieldValidator::FieldValidator(bool digits_only, QObject* parent)
    : QValidator(parent), digits_only_(digits_only) {}

namespace {

// Control characters are no text: a line break pasted into a name would split its line of
// the parameter file. Windows-1252 maps its five unused bytes to C1 controls; they go too.
bool IsControl(char32_t ch) { return ch < 0x20 || (ch >= 0x7F && ch <= 0x9F); }

// The part of `edited` that is not in `base`: what an edit replaced the rest with. Both
// texts keep what lies before and after it.
QString InsertedPart(const QString& base, const QString& edited) {
  const qsizetype common = std::min(base.size(), edited.size());
  qsizetype front = 0;
  while (front < common && base[front] == edited[front]) ++front;
  qsizetype back = 0;
  while (back < common - front && base[base.size() - 1 - back] == edited[edited.size() - 1 - back])
    ++back;
  return edited.mid(front, edited.size() - front - back);
}

}  // namespace

QValidator::State FieldValidator::validate(QString& input, int& pos) const {
  (void)pos;
  for (char32_t ch : InsertedPart(base_, input).toUcs4()) {
    if (digits_only_ && (ch < U'0' || ch > U'9')) return Invalid;
    if (IsControl(ch) || !UnicodeToCp1252(ch)) return Invalid;
  }
  return Acceptable;
}

}  // namespace qx::ui::qt
