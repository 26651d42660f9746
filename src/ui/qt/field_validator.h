// A one-line field's Qt validator: it lets in what the field accepts (ui/forms/text_contract.h),
// judging only what an edit adds to the text before it.
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
