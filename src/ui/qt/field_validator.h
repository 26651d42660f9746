// What a one-line field lets the user type: only printable characters that the parameter set
// can hold (Windows-1252), and only the digits 0 to 9 in a digits-only field. A refused character
// is simply not inserted, the way a digits-only field refuses letters; pasted text containing one
// is refused whole rather than stored as something else.
//
// Only what is newly typed or pasted is judged. A stored text may hold what the field would
// not take as typed (a tab, an unused byte, "12,5" in a digits field, from a hand-edited
// file); it is shown whole and stays editable, so that the user can correct or delete it.
#pragma once

#include <QString>
#include <QValidator>

namespace qx::ui::qt {

class FieldValidator : public QValidator {
  Q_OBJECT

 public:
  FieldValidator(bool digits_only, QObject* parent);
  State validate(QString& input, int& pos) const override;
  bool digits_only() const { return digits_only_; }
  // The field's text as it stands before the next edit: set whenever the text changed, and
  // before the program sets a text, which counts as no input at all.
  void SetBase(const QString& text) { base_ = text; }

 private:
  bool digits_only_;
  QString base_;
};

}  // namespace qx::ui::qt
