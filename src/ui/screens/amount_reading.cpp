#include "ui/screens/amount_reading.h"

namespace qx::ui {
namespace {

// A field's text is read whole, so that an over-long value shows what it would be read as.
constexpr int kReadingReadLimit = 64;

}  // namespace

void UpdateAmountReading(FormView& view, int field_id, AmountKind kind) {
  view.SetText(AmountReadingId(field_id),
               AmountReading(kind, view.GetText(field_id, kReadingReadLimit)));
}

}  // namespace qx::ui
