// Short ways to write the controls of a form template, so that a template reads like the
// resource it stands for: kind, id, label, help and the place in dialog units. Every form
// builds its template with these. Fixed texts are written as UTF-8 literals and become
// Windows-1252 bytes here, once.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "common/cp1252.h"
#include "ui/forms/form.h"
#include "ui/screens/amount_reading.h"
#include "ui/screens/register_hint.h"

namespace qx::ui {

// A place and size in dialog units.
struct Box {
  int x = 0, y = 0, width = 0, height = 0;
};

// The label of a text field has the field's id plus this offset, so that the field can name
// it as its buddy (fields 1000 to 1068 have labels 6000 to 6068, clear of the register
// hints' 5000 to 5068).
inline constexpr int kFieldLabelIdOffset = 5000;
constexpr int FieldLabelId(int field_id) { return field_id + kFieldLabelIdOffset; }

inline ControlTemplate MakeControl(ControlKind kind, int id, std::string_view label_utf8,
                                   std::string_view help_utf8, Box at) {
  ControlTemplate c;
  c.id = id;
  c.kind = kind;
  c.label = Win1252(label_utf8);
  c.help = Win1252(help_utf8);
  c.x = at.x;
  c.y = at.y;
  c.width = at.width;
  c.height = at.height;
  return c;
}

inline ControlTemplate PushButton(int id, std::string_view label, std::string_view help, Box at) {
  return MakeControl(ControlKind::kPushButton, id, label, help, at);
}

// The button that Enter presses.
inline ControlTemplate DefaultPushButton(int id, std::string_view label, std::string_view help,
                                         Box at) {
  return MakeControl(ControlKind::kDefaultPushButton, id, label, help, at);
}

inline ControlTemplate SaveButton(Box at) { return DefaultPushButton(kIdOk, "Salvar", "", at); }

inline ControlTemplate ExitButton(Box at) { return PushButton(kIdCancel, "Sair", "", at); }

inline ControlTemplate CheckBox(int id, std::string_view label, std::string_view help, Box at) {
  return MakeControl(ControlKind::kCheckBox, id, label, help, at);
}

// A one-line text field. Without an input limit (max_length 0) its text is cut or checked
// when the form reads it.
inline ControlTemplate TextField(int id, std::string_view help, Box at, bool digits_only,
                                 int max_length = 0) {
  ControlTemplate c = MakeControl(ControlKind::kEdit, id, "", help, at);
  c.digits_only = digits_only;
  c.max_length = max_length;
  return c;
}

// The label beside a text field, addressable through FieldLabelId.
inline ControlTemplate FieldLabel(int field_id, std::string_view label, Box at) {
  return MakeControl(ControlKind::kStaticText, FieldLabelId(field_id), label, "", at);
}

// A text field with its label in front of it; the field names the label as its buddy and
// carries the label's text too, as its name for screen readers.
inline void AddLabelledField(std::vector<ControlTemplate>& controls, int id, std::string_view label,
                             Box label_at, std::string_view help, Box field_at, bool digits_only,
                             int max_length = 0) {
  controls.push_back(FieldLabel(id, label, label_at));
  ControlTemplate field = TextField(id, help, field_at, digits_only, max_length);
  field.label = Win1252(label);
  field.buddy = FieldLabelId(id);
  controls.push_back(field);
}

// The static text that shows a field's register hint (see register_hint.h); it starts empty.
inline ControlTemplate RegisterHintControl(int field_id, Box at) {
  return MakeControl(ControlKind::kStaticText, RegisterHintId(field_id), "", "", at);
}

// The static text that shows a field's amount reading (see amount_reading.h); it starts
// empty.
inline ControlTemplate AmountReadingControl(int field_id, Box at) {
  return MakeControl(ControlKind::kStaticText, AmountReadingId(field_id), "", "", at);
}

inline ControlTemplate GroupBox(std::string_view label, Box at) {
  return MakeControl(ControlKind::kGroupBox, -1, label, "", at);
}

inline ControlTemplate Note(std::string_view text, Box at) {
  return MakeControl(ControlKind::kStaticText, -1, text, "", at);
}

// A centred static text; the presenter may address it by its id.
inline ControlTemplate CenteredText(int id, std::string_view text, Box at) {
  return MakeControl(ControlKind::kCenteredText, id, text, "", at);
}

inline ControlTemplate CenteredNote(std::string_view text, Box at) {
  return CenteredText(-1, text, at);
}

// A list with columns; widths in dialog units, 0 for the last: the rest of the list's width.
inline ControlTemplate List(int id, std::vector<std::string_view> titles_utf8,
                            std::vector<int> widths, Box at) {
  ControlTemplate c = MakeControl(ControlKind::kList, id, "", "", at);
  for (std::string_view t : titles_utf8) c.column_titles.push_back(Win1252(t));
  c.column_widths = std::move(widths);
  return c;
}

// The logo picture.
inline ControlTemplate Logo(Box at) {
  ControlTemplate c = MakeControl(ControlKind::kPicture, -1, "", "", at);
  c.image_id = kLogoBitmapId;
  return c;
}

}  // namespace qx::ui
