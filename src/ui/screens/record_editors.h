// What the department, product and operator editors share: the ids of the controls they have
// in common and the rules that store a record's fields and raise its change markers.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/change_markers.h"
#include "model/field_text.h"
#include "model/param_set.h"
#include "ui/forms/desktop.h"
#include "ui/forms/form.h"
#include "ui/screens/editor_common.h"
#include "ui/screens/register_hint.h"
#include "ui/workflows/app_state.h"

namespace qx::ui {

// The department editor for state.current_dept, run by the department grid.
std::unique_ptr<Presenter> MakeDeptEditor(AppState& state, Desktop& desktop);

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

// What the product and operator editors differ in when they take a code.
struct RecordCodeRules {
  int count = 0;                 // records 1 to count
  int code_chars = 0;            // only this many characters of the code field are read
  std::string_view range_error;  // the message for a number outside 1 to count
  std::string_view noun_utf8;    // "produto", "operador": names the record in the question
};

// The product and operator editors run alike: taking a code (leaving the code field, or Enter
// in it) shows that record's stored values; "Salvar / Próximo" stores the values shown under
// the code shown and empties the form for the next code; the name field shows its register
// hint as it is typed.
//
// The code on screen and the values on screen always belong together:
// - A save stores exactly the values the form shows, under the code the form shows. When the
//   code field names another record than the one whose values are shown (typed but not yet
//   taken), the save only takes that code; a code that cannot be taken stores nothing.
// - Taking another code never drops values typed since the last load or save without asking
//   "Descartar as alterações do produto 5?" (default Não). Não keeps the values and puts back
//   the code they were typed for; values typed into the empty form were typed for the code
//   being taken, so Não keeps them for it.
// - Leaving the form ("Sair", Esc, the close box) asks the same question about values typed
//   and not stored; Não keeps the form open with them.
class NextRecordEditor : public Presenter {
 public:
  void OnOpen(FormView& view) override;
  void OnCommand(FormView& view, int id) override;
  void OnFocusLost(FormView& view, int id) override;
  void OnTextChanged(FormView& view, int id) override;

 protected:
  // `current` is the application's record number of this editor, kept between openings.
  NextRecordEditor(Desktop& desktop, int& current, RecordCodeRules rules, int code_id, int name_id)
      : desktop_(desktop), current_(current), rules_(rules), code_id_(code_id), name_id_(name_id) {}

  // Fills the form from the stored record.
  virtual void ShowRecord(FormView& view, int code) = 0;
  // Checks the form and stores it into the record; shows the first failure and gives false.
  virtual bool StoreRecord(FormView& view, int code) = 0;
  // The checkboxes and text fields that hold a record's values (the code field not included).
  virtual std::vector<int> ValueBoxes() const = 0;
  virtual std::vector<int> ValueFields() const = 0;

  // Brings the live hints beside the fields up to date after the form filled or emptied them;
  // by default the name's register hint.
  virtual void UpdateHints(FormView& view);
  // Empties the form for the next code: no record shown, nothing typed.
  void ClearForNext(FormView& view);
  // Takes a code chosen elsewhere (the product table) exactly as if it had been typed into the
  // code field and the field left, question about typed values included. True when the form
  // is on that code afterwards.
  bool TakeChosenCode(FormView& view, int code);

  Desktop& desktop_;

 private:
  struct CodeRead {
    enum Kind { kEmpty, kNotNumeric, kNumber } kind = kEmpty;
    int number = 0;
  };
  CodeRead ReadCode(const FormView& view) const;
  bool InRange(int code) const { return code >= 1 && code <= rules_.count; }
  void TakeCode(FormView& view);
  void SaveAndNext(FormView& view);
  void Leave(FormView& view);
  int CodeForTypedValues(const FormView& view) const;
  std::vector<std::string> FormValues(const FormView& view) const;
  // True when the values on screen differ from those last loaded or left by a save.
  bool ValuesTyped(const FormView& view) const { return FormValues(view) != loaded_; }
  // "Descartar as alterações do produto 5?" (no number for values typed without a code).
  bool ConfirmDiscard(int code);

  int& current_;
  RecordCodeRules rules_;
  int code_id_;
  int name_id_;
  int shown_ = 0;                // the record whose values the form shows; 0: none
  std::string shown_code_text_;  // the code field's text when that record was taken
  std::vector<std::string> loaded_;
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
