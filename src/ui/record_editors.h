// What the department, product and operator editors share: the ids of the controls they have
// in common, the ids of our own additions (labels and the register-character hints), and the
// rules that store a record's fields and raise its change markers.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "common/cp1252.h"
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

// Equality of two texts as the register's programs compare them: each cut to `width`
// characters and right-aligned in that width, so " 5" and "5" count as equal.
inline bool DiffersRightAligned(std::string_view old_text, std::string_view new_text,
                                std::size_t width) {
  auto aligned = [width](std::string_view t) {
    t = t.substr(0, width);
    return std::string(width - t.size(), ' ') + std::string(t);
  };
  return aligned(old_text) != aligned(new_text);
}

// A price reads as zero when its leading digits make 0: empty, only zeros, or no digits.
inline bool ReadsAsZero(std::string_view price) {
  const int n = static_cast<int>(price.size() < 7 ? price.size() : 7);
  return ParseShortNumber(price, n) == 0;
}

// Stores one status box into its flag and raises changed_status when the flag changed.
inline void StoreStatusFlag(char& flag, char new_flag, std::uint8_t& changed_status) {
  const char old_flag = flag;
  flag = new_flag;
  if (old_flag != new_flag) changed_status = 1;
}

// Stores the four status boxes, the price and the name of a department or a product, and
// raises their markers for whatever really changed. Markers are only ever raised here.
template <class Record>
void StoreStatusPriceName(Record& record, const FormView& view, std::string_view price,
                          std::string_view name) {
  StoreStatusFlag(record.status_fixed_price, GetCheckFlag(view, kIdFixedPrice),
                  record.changed_status);
  StoreStatusFlag(record.status_open_price, GetCheckFlag(view, kIdOpenPrice),
                  record.changed_status);
  StoreStatusFlag(record.status_negative_price, GetCheckFlag(view, kIdNegativePrice),
                  record.changed_status);
  StoreStatusFlag(record.status_single_item_sale, GetCheckFlag(view, kIdSingleItemSale),
                  record.changed_status);

  const std::string old_price = record.price;
  record.price = std::string(price.substr(0, kPriceLen));
  if (DiffersRightAligned(old_price, record.price, kPriceLen)) record.changed_price = 1;

  const std::string old_name = record.name;
  record.name = std::string(name.substr(0, kRecordNameLen));
  if (old_name != record.name) record.changed_name = 1;
}

// A record whose status or name was touched while its price is zero is listed with its price
// too, so that the change summary shows the whole programming of that key.
template <class Record>
void ApplyZeroPriceRule(Record& record) {
  if (!record.changed_price && ReadsAsZero(record.price) &&
      (record.changed_status || record.changed_name))
    record.changed_price = 1;
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
