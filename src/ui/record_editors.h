// What the department, product and operator editors share: the ids of the controls they have
// in common and the rules that store a record's fields and raise its change markers.
#pragma once

#include <memory>
#include <string>
#include <string_view>

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

// The product and operator editors run alike: leaving the code field takes the code typed
// there, "Salvar / Próximo" stores the record and empties the form for the next code, and
// the name field shows its register hint as it is typed. Each editor supplies the taking and
// the storing.
class NextRecordEditor : public Presenter {
 public:
  void OnOpen(FormView& view) override {
    view.SetTitle(Template().title);
    UpdateRegisterHint(view, name_id_);
    view.SetFocus(code_id_);
  }

  void OnCommand(FormView& view, int id) override {
    if (id == kIdOk) {
      SaveAndNext(view);
    } else if (id == kIdCancel) {
      view.Close(0);
    }
  }

  void OnFocusLost(FormView& view, int id) override {
    if (id == code_id_) TakeCode(view);
  }

  void OnTextChanged(FormView& view, int id) override {
    if (id == name_id_) UpdateRegisterHint(view, name_id_);
  }

 protected:
  NextRecordEditor(int code_id, int name_id) : code_id_(code_id), name_id_(name_id) {}

  virtual void TakeCode(FormView& view) = 0;
  virtual void SaveAndNext(FormView& view) = 0;

 private:
  int code_id_;
  int name_id_;
};

// Shows the status flags of a record in the four boxes.
template <class Record>
void ShowStatusFlags(FormView& view, const Record& record) {
  SetCheckFlag(view, kIdFixedPrice, record.status_fixed_price);
  SetCheckFlag(view, kIdOpenPrice, record.status_open_price);
  SetCheckFlag(view, kIdNegativePrice, record.status_negative_price);
  SetCheckFlag(view, kIdSingleItemSale, record.status_single_item_sale);
}

}  // namespace qx::ui
