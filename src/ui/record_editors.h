// What the department, product and operator editors share: the ids of the controls they have
// in common, the ids of our own additions (labels and the register-character hints), and the
// rules that store a record's fields and raise its change markers.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "common/cp1252.h"
#include "model/change_markers.h"
#include "model/field_text.h"
#include "model/param_set.h"
#include "ui/app_state.h"
#include "ui/editor_common.h"
#include "ui/form.h"
#include "ui/register_hint.h"

namespace qx::ui {

// The department editor for state.current_dept, run by the department grid.
std::unique_ptr<Presenter> MakeDeptEditor(AppState& state);

// Status checkboxes, the same ids in the department and the product editor.
inline constexpr int kIdFixedPrice = 1048;
inline constexpr int kIdOpenPrice = 1049;
inline constexpr int kIdNegativePrice = 1050;
inline constexpr int kIdSingleItemSale = 1051;

// The label that names a text field is a static text of its own, with an id outside the
// form's ids (and outside the register hints' 5000 to 5068).
constexpr int LabelIdFor(int field_id) { return field_id + 5000; }

// The widest text any field is read with before its own length check, so that an over-long
// text (pasted, or kept from an older form) is seen as too long rather than silently cut.
inline constexpr int kReadAll = 39;

// Stores the four status boxes, the price and the name of a department or a product, each
// with its cut. The caller raises the markers (RaiseStoredMarkers) against the old record.
template <class Record>
void StoreStatusPriceName(Record& record, const FormView& view, std::string_view price,
                          std::string_view name) {
  record.status_fixed_price = GetCheckFlag(view, kIdFixedPrice);
  record.status_open_price = GetCheckFlag(view, kIdOpenPrice);
  record.status_negative_price = GetCheckFlag(view, kIdNegativePrice);
  record.status_single_item_sale = GetCheckFlag(view, kIdSingleItemSale);
  record.price = std::string(price.substr(0, kPriceLen));
  record.name = std::string(name.substr(0, kRecordNameLen));
}

// Takes the record code typed in a code field when the field loses the focus: its first
// `chars` characters must be digits making a number from 1 to `count`. An empty field takes
// nothing. A non-numeric code is refused with its message and `current` keeps its value; an
// out-of-range number is kept in `current` (so nothing is stored under it) and refused with
// `range_error`. True when a record was taken.
inline bool TakeRecordCode(const FormView& view, int id, int chars, int count,
                           std::string_view range_error, int& current) {
  const std::string code = view.GetText(id, chars);
  if (code.empty()) return false;
  const int n = static_cast<int>(code.size());
  if (!IsAllDigits(code, n)) {
    ShowError("ERRO - CODIGO DEVE SER NUMERICO");
    return false;
  }
  current = ParseShortNumber(code, n);
  if (current < 1 || current > count) {
    ShowError(range_error);
    return false;
  }
  return true;
}

// Shows the status flags of a record in the four boxes.
template <class Record>
void ShowStatusFlags(FormView& view, const Record& record) {
  SetCheckFlag(view, kIdFixedPrice, record.status_fixed_price);
  SetCheckFlag(view, kIdOpenPrice, record.status_open_price);
  SetCheckFlag(view, kIdNegativePrice, record.status_negative_price);
  SetCheckFlag(view, kIdSingleItemSale, record.status_single_item_sale);
}

// Template building blocks, in dialog units.
inline ControlTemplate Control(int id, ControlKind kind, std::string_view label_utf8, int x,
                               int y, int w, int h) {
  ControlTemplate c;
  c.id = id;
  c.kind = kind;
  c.label = Win1252(label_utf8);
  c.x = x;
  c.y = y;
  c.width = w;
  c.height = h;
  return c;
}
inline ControlTemplate Label(int field_id, std::string_view utf8, int x, int y, int w, int h) {
  return Control(LabelIdFor(field_id), ControlKind::kStaticText, utf8, x, y, w, h);
}
inline ControlTemplate Note(std::string_view utf8, int x, int y, int w, int h) {
  return Control(-1, ControlKind::kStaticText, utf8, x, y, w, h);
}
inline ControlTemplate Hint(int field_id, int x, int y, int w, int h) {
  return RegisterHintControl(field_id, x, y, w, h);
}
inline ControlTemplate Button(int id, std::string_view utf8, bool is_default, int x, int y,
                              int w, int h) {
  return Control(id, is_default ? ControlKind::kDefaultPushButton : ControlKind::kPushButton,
                 utf8, x, y, w, h);
}
inline ControlTemplate CheckBox(int id, std::string_view utf8, std::string_view help_utf8,
                                int x, int y, int w, int h) {
  ControlTemplate c = Control(id, ControlKind::kCheckBox, utf8, x, y, w, h);
  c.help = Win1252(help_utf8);
  return c;
}
// A text field; its label (the same text) is a separate static text drawn beside it.
inline ControlTemplate Edit(int id, std::string_view label_utf8, int max_length,
                            bool digits_only, std::string_view help_utf8, int x, int y, int w,
                            int h) {
  ControlTemplate c = Control(id, ControlKind::kEdit, label_utf8, x, y, w, h);
  c.max_length = max_length;
  c.digits_only = digits_only;
  c.help = Win1252(help_utf8);
  c.buddy = LabelIdFor(id);
  return c;
}

}  // namespace qx::ui
