#include "ui/screens/record_editors.h"

namespace qx::ui {

void NextRecordEditor::OnOpen(FormView& view) {
  view.SetTitle(Template().title);
  UpdateHints(view);
  view.SetFocus(code_id_);
  shown_ = 0;
  shown_code_text_.clear();
  loaded_ = FormValues(view);
}

void NextRecordEditor::OnCommand(FormView& view, int id) {
  if (id == kIdOk) {
    // Enter in the code field takes the code, as leaving the field does, and stores nothing.
    if (view.FocusedControl() == code_id_)
      TakeCode(view);
    else
      SaveAndNext(view);
  } else if (id == kIdCancel) {
    Leave(view);
  }
}

// "Sair", Esc and the close box: values typed and not stored are dropped only on Sim. Não
// keeps the form open with them.
void NextRecordEditor::Leave(FormView& view) {
  if (ValuesTyped(view) && !ConfirmDiscard(shown_ != 0 ? shown_ : CodeForTypedValues(view))) return;
  view.Close(0);
}

// Values typed into the empty form belong to the code in the code field, when it names a
// record; 0 when there is none.
int NextRecordEditor::CodeForTypedValues(const FormView& view) const {
  const CodeRead code = ReadCode(view);
  return code.kind == CodeRead::kNumber && InRange(code.number) ? code.number : 0;
}

void NextRecordEditor::OnFocusLost(FormView& view, int id) {
  if (id == code_id_) TakeCode(view);
}

void NextRecordEditor::OnTextChanged(FormView& view, int id) {
  if (id == name_id_) UpdateRegisterHint(view, name_id_);
}

void NextRecordEditor::UpdateHints(FormView& view) { UpdateRegisterHint(view, name_id_); }

NextRecordEditor::CodeRead NextRecordEditor::ReadCode(const FormView& view) const {
  const std::string code = view.GetText(code_id_, rules_.code_chars);
  if (code.empty()) return {};
  const int n = static_cast<int>(code.size());
  if (!IsAllDigits(code, n)) return {CodeRead::kNotNumeric, 0};
  return {CodeRead::kNumber, ParseShortNumber(code, n)};
}

// An empty field takes nothing. A non-numeric code is refused and the record number keeps
// its value; a number outside the range is kept as the record number (so nothing can be
// stored under it) and refused. Neither touches the values on screen.
void NextRecordEditor::TakeCode(FormView& view) {
  const CodeRead code = ReadCode(view);
  if (code.kind == CodeRead::kEmpty) return;
  if (code.kind == CodeRead::kNotNumeric) {
    ShowError(desktop_, "ERRO - CODIGO DEVE SER NUMERICO");
    return;
  }
  if (!InRange(code.number)) {
    current_ = code.number;
    ShowError(desktop_, std::string(rules_.range_error));
    return;
  }
  if (code.number == shown_) return;  // "005" after "5": the values on screen stay
  if (ValuesTyped(view) && !ConfirmDiscard(shown_ != 0 ? shown_ : code.number)) {
    if (shown_ != 0) {
      view.SetText(code_id_, shown_code_text_);
      return;
    }
    // Typed into the empty form before the code: the values are kept for this code.
    current_ = shown_ = code.number;
    shown_code_text_ = view.GetText(code_id_, kReadAll);
    return;
  }
  current_ = shown_ = code.number;
  shown_code_text_ = view.GetText(code_id_, kReadAll);
  ShowRecord(view, code.number);
  loaded_ = FormValues(view);
}

void NextRecordEditor::SaveAndNext(FormView& view) {
  const CodeRead code = ReadCode(view);
  switch (code.kind) {
    case CodeRead::kEmpty:
      if (ValuesTyped(view)) {
        // Values typed with no code: nowhere to store them, and not to be dropped.
        ShowError(desktop_, Win1252("ERRO - CODIGO NÃO INFORMADO"));
        view.SetFocus(code_id_);
      } else {
        ClearForNext(view);
      }
      return;
    case CodeRead::kNotNumeric:
      ShowError(desktop_, "ERRO - CODIGO DEVE SER NUMERICO");
      view.SetFocus(code_id_);
      return;
    case CodeRead::kNumber:
      break;
  }
  if (!InRange(code.number)) {
    current_ = code.number;
    ShowError(desktop_, std::string(rules_.range_error));
    view.SetFocus(code_id_);
    return;
  }
  if (code.number != shown_) {
    // The values on screen belong to another record (or to none): show this one first.
    TakeCode(view);
    return;
  }
  if (!StoreRecord(view, code.number)) return;
  ClearForNext(view);
}

void NextRecordEditor::ClearForNext(FormView& view) {
  for (int box : ValueBoxes()) view.SetCheck(box, false);
  view.SetText(code_id_, "");
  for (int field : ValueFields()) view.SetText(field, "");
  UpdateHints(view);
  view.SetFocus(code_id_);
  shown_ = 0;
  shown_code_text_.clear();
  loaded_ = FormValues(view);
}

bool NextRecordEditor::TakeChosenCode(FormView& view, int code) {
  view.SetText(code_id_, std::to_string(code));
  TakeCode(view);
  return shown_ == code;
}

std::vector<std::string> NextRecordEditor::FormValues(const FormView& view) const {
  std::vector<std::string> values;
  for (int box : ValueBoxes()) values.emplace_back(1, GetCheckFlag(view, box));
  for (int field : ValueFields()) values.push_back(view.GetText(field, kReadAll));
  return values;
}

bool NextRecordEditor::ConfirmDiscard(int code) {
  return Ask(desktop_, Win1252("ATENÇÃO"),
             Win1252("Descartar as alterações do ") + Win1252(rules_.noun_utf8) +
                 (code != 0 ? " " + std::to_string(code) : std::string()) + "?",
             BoxAnswer::kNo) == BoxAnswer::kYes;
}

}  // namespace qx::ui
