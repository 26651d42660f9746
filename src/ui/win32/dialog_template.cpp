#include "ui/win32/dialog_template.h"

#include <algorithm>
#include <string>

#include "ui/forms/stacked_layout.h"
#include "ui/win32/list_control.h"
#include "ui/win32/text_win32.h"
#include "ui/win32/windows_api.h"

namespace qx::ui::win32 {
namespace {

// Sizes used when a form gives no places: a row of a stacked form, a button, a field.
constexpr int kMarginDu = 7;
constexpr int kRowDu = 16;
constexpr int kButtonWidthDu = 60;
constexpr int kButtonHeightDu = 14;
constexpr int kLabelWidthDu = 110;
constexpr int kFieldWidthDu = 90;
constexpr int kFieldHeightDu = 12;
// A picture without a size shows the logo at this size.
constexpr int kPictureWidthDu = 60;
constexpr int kPictureHeightDu = 48;
// A list in a stacked form shows about eight rows.
constexpr int kListHeightDu = 90;

// The stacked rows of a form without places, in dialog units.
std::vector<PlacedControl> Stack(const FormTemplate& form, int& width, int& height) {
  std::vector<PlacedControl> placed;
  int y = kMarginDu;
  width = 0;
  for (const StackedRow& row : StackRows(form)) {
    for (std::size_t k = 0; k < row.controls.size(); ++k) {
      const ControlTemplate& c = form.controls[row.controls[k]];
      PlacedControl p{&c, kMarginDu, y};
      if (row.kind == StackedRow::kButtons) {
        p.x = kMarginDu + static_cast<int>(k) * (kButtonWidthDu + 4);
        p.width = kButtonWidthDu;
        p.height = kButtonHeightDu;
      } else if (row.kind == StackedRow::kField) {
        p.x = kMarginDu + kLabelWidthDu + 4;
        p.width = kFieldWidthDu;
        p.height = kFieldHeightDu;
      } else if (c.kind == ControlKind::kPicture) {
        p.width = kPictureWidthDu;
        p.height = kPictureHeightDu;
      } else {
        p.width = kLabelWidthDu + 4 + kFieldWidthDu;
        const int lines = 1 + static_cast<int>(std::count(c.label.begin(), c.label.end(), '\n'));
        p.height = c.kind == ControlKind::kList ? kListHeightDu : 10 * lines;
      }
      width = std::max(width, p.x + p.width + kMarginDu);
      placed.push_back(p);
    }
    y += row.kind == StackedRow::kButtons ? kRowDu + 2 : std::max(kRowDu, placed.back().height + 4);
  }
  height = y + kMarginDu - 4;
  return placed;
}

class Writer {
 public:
  void Word(std::uint16_t w) { words_.push_back(w); }
  void Dword(std::uint32_t d) {
    Word(static_cast<std::uint16_t>(d & 0xFFFF));
    Word(static_cast<std::uint16_t>(d >> 16));
  }
  void Short(int v) { Word(static_cast<std::uint16_t>(static_cast<std::int16_t>(v))); }
  void Text(const std::wstring& text) {
    for (wchar_t ch : text) Word(static_cast<std::uint16_t>(ch));
    Word(0);
  }
  void AlignDword() {
    if (words_.size() % 2) Word(0);
  }
  std::vector<std::uint16_t> Take() { return std::move(words_); }

 private:
  std::vector<std::uint16_t> words_;
};

// The predefined window classes by their atoms.
constexpr std::uint16_t kButtonClass = 0x0080;
constexpr std::uint16_t kEditClass = 0x0081;
constexpr std::uint16_t kStaticClass = 0x0082;

struct ItemStyle {
  std::uint16_t window_class;  // a predefined class, or 0 for class_name
  DWORD style;
  DWORD ex_style;
  const wchar_t* class_name = nullptr;
};

ItemStyle StyleOf(ControlKind kind, bool is_first_default) {
  const DWORD base = WS_CHILD | WS_VISIBLE;
  switch (kind) {
    case ControlKind::kPushButton:
      return {kButtonClass, base | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE, 0};
    case ControlKind::kDefaultPushButton:
      return {kButtonClass,
              base | WS_TABSTOP | BS_MULTILINE |
                  static_cast<DWORD>(is_first_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
              0};
    case ControlKind::kCheckBox:
      return {kButtonClass, base | WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE | BS_TOP, 0};
    case ControlKind::kEdit:
      return {kEditClass, base | WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE};
    case ControlKind::kStaticText:
      return {kStaticClass, base | SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::kCenteredText:
      return {kStaticClass, base | SS_CENTER | SS_NOPREFIX, 0};
    case ControlKind::kPicture:
      return {kStaticClass, base | SS_BITMAP | SS_CENTERIMAGE, 0};
    case ControlKind::kGroupBox:
      return {kButtonClass, base | BS_GROUPBOX, WS_EX_TRANSPARENT};
    case ControlKind::kList:
      return {0, ListStyle(), ListExStyle(), kListClass};
  }
  return {kStaticClass, base, 0};
}

}  // namespace

DialogLayout LayOut(const FormTemplate& form) {
  DialogLayout layout;
  const bool laid_out = HasPlaces(form);
  std::vector<PlacedControl> placed;
  int used_width = 0, used_height = 0;
  if (laid_out) {
    for (const ControlTemplate& c : form.controls) {
      PlacedControl p{&c, c.x, c.y, c.width, c.height};
      if (c.kind == ControlKind::kPicture && (c.width <= 0 || c.height <= 0)) {
        p.width = kPictureWidthDu;
        p.height = kPictureHeightDu;
      }
      used_width = std::max(used_width, p.x + p.width + kMarginDu / 2);
      used_height = std::max(used_height, p.y + p.height + kMarginDu / 2);
      placed.push_back(p);
    }
  } else {
    placed = Stack(form, used_width, used_height);
  }
  layout.width = form.width > 0 && laid_out ? form.width : used_width;
  layout.height = form.height > 0 && laid_out ? form.height : used_height;
  std::stable_partition(placed.begin(), placed.end(), [](const PlacedControl& p) {
    return p.control->kind != ControlKind::kGroupBox;
  });
  layout.controls = std::move(placed);
  return layout;
}

std::vector<std::uint16_t> BuildDialogTemplate(const FormTemplate& form,
                                               const DialogLayout& layout) {
  Writer w;
  // DLGTEMPLATEEX
  w.Word(1);       // dlgVer
  w.Word(0xFFFF);  // signature
  w.Dword(0);      // helpID
  w.Dword(0);      // exStyle
  DWORD style = DS_SETFONT | DS_MODALFRAME | DS_3DLOOK | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  if (form.has_minimize) style |= WS_MINIMIZEBOX;
  w.Dword(style);
  w.Word(static_cast<std::uint16_t>(layout.controls.size()));
  w.Short(0);
  w.Short(0);
  w.Short(layout.width);
  w.Short(layout.height);
  w.Word(0);  // no menu
  w.Word(0);  // the dialog class
  w.Text(FromCp1252(form.title));
  w.Word(static_cast<std::uint16_t>(form.font_points > 0 ? form.font_points : 8));
  w.Word(FW_NORMAL);
  w.Word(static_cast<std::uint16_t>(DEFAULT_CHARSET << 8));  // italic 0, charset
  w.Text(FromCp1252(form.font_name));

  bool default_seen = false;
  for (const PlacedControl& p : layout.controls) {
    const ControlTemplate& c = *p.control;
    const bool first_default = c.kind == ControlKind::kDefaultPushButton && !default_seen;
    if (first_default) default_seen = true;
    const ItemStyle item = StyleOf(c.kind, first_default);
    w.AlignDword();
    w.Dword(0);  // helpID
    w.Dword(item.ex_style);
    w.Dword(item.style);
    w.Short(p.x);
    w.Short(p.y);
    w.Short(p.width);
    w.Short(p.height);
    w.Dword(static_cast<std::uint32_t>(c.id >= 0 ? c.id : kStaticControlId));
    if (item.class_name) {
      w.Text(item.class_name);
    } else {
      w.Word(0xFFFF);
      w.Word(item.window_class);
    }
    // Edits get their text from the presenter; their label is drawn beside them. Lists show
    // only their rows.
    if (c.kind == ControlKind::kEdit || c.kind == ControlKind::kPicture ||
        c.kind == ControlKind::kList)
      w.Word(0);
    else
      w.Text(LabelText(c.label));
    w.Word(0);  // no creation data
  }
  return w.Take();
}

}  // namespace qx::ui::win32
