// What a one-line field lets the user type: only printable characters that the parameter set
// can hold (Windows-1252), and only the digits 0 to 9 in a digits-only field. A refused character is
// simply not inserted, the way a digits-only field refuses letters; pasted text containing
// one is refused whole rather than stored as something else.
#pragma once

#include <QValidator>

namespace qx::ui::qt {

class FieldValidator : public QValidator {
  Q_OBJECT

 public:
  FieldValidator(bool digits_only, QObject* parent);
  State validate(QString& input, int& pos) const override;
  bool digits_only() const { return digits_only_; }

 private:
  bool digits_only_;
};

}  // namespace qx::ui::qt
