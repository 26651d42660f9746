// Forms as data plus presenters. A form template lists its controls the way a resource
// file would; a presenter reacts to opening and to commands. Both are toolkit-neutral: the
// Qt adapter (ui/qt) builds any form from its template and forwards the events, and tests
// drive presenters through a fake view.
//
// Texts of controls, titles and messages are Windows-1252 bytes, as in the parameter set;
// the adapter converts at the boundary and lets no character into a field that
// Windows-1252 cannot hold. File paths are the platform's own (UTF-8 on Linux).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qx::ui {

// Standard command ids of dialogs.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;  // also Esc and, unless the presenter says otherwise, close

enum class ControlKind {
  kPushButton,
  kDefaultPushButton,
  kCheckBox,
  kEdit,        // one-line text field
  kStaticText,  // label or note
  kCenteredText,
  kPicture,  // the logo
  kGroupBox,
  // A list with columns: one row per item, a title per column (column_titles), one row
  // chosen at a time. A click on a column title and a row activated (double click or Enter)
  // reach the presenter.
  kList,
};

struct ControlTemplate {
  int id = -1;  // -1 for controls the logic never addresses (labels, notes, the logo)
  ControlKind kind = ControlKind::kStaticText;
  std::string label;         // Windows-1252; "\n" breaks the line
  int max_length = 0;        // edits: characters accepted as typed (0: no limit)
  bool digits_only = false;  // edits: only 0 to 9 can be typed
  bool notify = false;       // check boxes: a click reaches the presenter as OnCommand(id)
  std::string help;          // hover help, Windows-1252; empty: none
  // Layout hints in dialog units, as a resource template would give them.
  int x = 0, y = 0, width = 0, height = 0;
  // Edits: the id of the label (static text) that names it, for layout and accessibility.
  int buddy = -1;
  // Pictures: the image resource shown (kLogoBitmapId for the logo).
  int image_id = 0;
  // Lists: the titles of the columns (Windows-1252) and their widths in dialog units (the
  // last column takes the rest when its width is 0).
  std::vector<std::string> column_titles;
  std::vector<int> column_widths;
};

// Resource ids shared by every form: the window icon on each title bar, a second icon that
// the program ships beside it, and the logo picture.
inline constexpr int kWindowIconId = 121;
inline constexpr int kSecondIconId = 110;
inline constexpr int kLogoBitmapId = 118;

struct FormTemplate {
  int resource_id = 0;
  std::string name;           // "MainWindow", "DeptGrid", ...
  std::string title;          // the template's own title, usually replaced on opening
  int width = 0, height = 0;  // dialog units
  // The template's font; dialog units are measured in it.
  std::string font_name = "MS Sans Serif";
  int font_points = 10;
  int icon_id = kWindowIconId;  // put on the title bar when the form opens
  bool has_minimize = false;    // every form has a close button; only the main window minimises
  std::vector<ControlTemplate> controls;

  const ControlTemplate* Find(int id) const {
    for (const ControlTemplate& c : controls)
      if (c.id == id) return &c;
    return nullptr;
  }
};

// The open form, addressed by control id.
class FormView {
 public:
  virtual ~FormView() = default;
  // The control's text cut to max_chars characters, as a text read with a maximum length.
  virtual std::string GetText(int id, int max_chars) const = 0;
  virtual void SetText(int id, std::string_view text) = 0;
  virtual bool GetCheck(int id) const = 0;
  virtual void SetCheck(int id, bool checked) = 0;
  virtual void SetEnabled(int id, bool enabled) = 0;
  virtual bool IsEnabled(int id) const = 0;
  virtual void SetFocus(int id) = 0;
  // The control that has the keyboard focus (-1: none of the form's addressed controls). A
  // button pressed with the mouse has the focus by the time its command arrives; Enter
  // leaves it where it was, so a command can tell Enter in a text field from a click.
  virtual int FocusedControl() const = 0;
  virtual void SetTitle(std::string_view title) = 0;
  // Lists: replaces every row (each a cell text per column, Windows-1252); no row is chosen
  // afterwards.
  virtual void SetListRows(int id, const std::vector<std::vector<std::string>>& rows) = 0;
  // Lists: the hover text of each row after SetListRows (Windows-1252; empty: none). A front
  // end without per-row hover texts may ignore them; the forms keep such rows marked in a
  // cell of their own as well.
  virtual void SetListRowTips(int id, const std::vector<std::string>& tips) {
    (void)id;
    (void)tips;
  }
  // The chosen row (from 0), or -1 when none is.
  virtual int GetListSelection(int id) const = 0;
  // Chooses a row and scrolls it into view; -1 chooses none.
  virtual void SetListSelection(int id, int row) = 0;
  // Ends the form's modal run with this result.
  virtual void Close(int result) = 0;
  // Hides the form while another form runs, and shows it again afterwards.
  virtual void Hide() = 0;
  virtual void Restore() = 0;
};

class Presenter {
 public:
  virtual ~Presenter() = default;
  virtual const FormTemplate& Template() const = 0;
  // Called once when the form is shown: title, stored values, focus.
  virtual void OnOpen(FormView& view) = 0;
  // A button press (or Enter: the default button's id, Esc: kIdCancel).
  virtual void OnCommand(FormView& view, int id) = 0;
  // The window's close command; by default the same as Esc.
  virtual void OnCloseCommand(FormView& view) { OnCommand(view, kIdCancel); }
  // A text field lost the keyboard focus.
  virtual void OnFocusLost(FormView& view, int id) {
    (void)view;
    (void)id;
  }
  // The title of a list's column was clicked (column from 0).
  virtual void OnListHeaderClicked(FormView& view, int id, int column) {
    (void)view;
    (void)id;
    (void)column;
  }
  // A row of a list was activated: double-clicked, or Enter pressed on it.
  virtual void OnListRowActivated(FormView& view, int id, int row) {
    (void)view;
    (void)id;
    (void)row;
  }
  // A text field's text changed as the user typed (live hints).
  virtual void OnTextChanged(FormView& view, int id) {
    (void)view;
    (void)id;
  }
};

}  // namespace qx::ui
