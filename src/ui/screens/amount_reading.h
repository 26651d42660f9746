// Prices, limits and percentages are typed as bare digits with implied decimals, and "12"
// meaning twelve centavos is easy to type for twelve reais. Beside every such field the forms
// show a live reading of what the digits mean ("= R$ 12,50", "= 10,000 %"). The reading only
// informs: it never blocks a save and changes no stored value.
#pragma once

#include "model/field_text.h"
#include "ui/forms/form.h"

namespace qx::ui {

// The reading control of a field has the field's id plus this offset (fields 1000 to 1068
// have readings 7000 to 7068, clear of the labels' 6000 to 6068). Forms place it with
// AmountReadingControl (control_builders.h).
inline constexpr int kAmountReadingIdOffset = 6000;
constexpr int AmountReadingId(int field_id) { return field_id + kAmountReadingIdOffset; }

// Shows the reading of the field's current text in the field's reading control. Call it from
// OnTextChanged and after the presenter itself puts a text into the field.
void UpdateAmountReading(FormView& view, int field_id, AmountKind kind);

}  // namespace qx::ui
