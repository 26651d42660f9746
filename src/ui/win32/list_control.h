// The list control of the forms: a virtual report-view SysListView32, one row chosen at a time,
// chosen across the whole row. Everything the forms do with a list lives here: its style in
// the dialog template, its columns, its rows (Windows-1252 at the boundary), the chosen row,
// the keys it keeps from the dialog manager and the notifications it sends.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/forms/form.h"
#include "ui/win32/windows_api.h"

namespace qx::ui::win32 {

inline constexpr wchar_t kListClass[] = L"SysListView32";

// The window styles of a list in the dialog template.
DWORD ListStyle();
DWORD ListExStyle();

// Sets up a list just created by the dialog: full-row choice, the columns with their titles
// and widths (dialog units of the dialog; the last column takes the rest when its width is
// 0), and Enter kept for the list, so that it activates the chosen row instead of pressing
// the dialog's default button.
void SetUpList(HWND list, HWND dialog, const ControlTemplate& c);

// Replaces every row; none is chosen afterwards and no row has a hover text. The list keeps
// the rows and draws each cell on demand (see AnswerListCell), so a long list fills at once.
void SetListRows(HWND list, const std::vector<std::vector<std::string>>& rows);
// Answers a list's request for the text of a cell (LVN_GETDISPINFOW, sent to the dialog);
// false for any other notification.
bool AnswerListCell(const NMHDR& header);
// The hover text of each row shown (Windows-1252; empty: none), over every cell of the row.
// Texts beyond the rows shown are dropped.
void SetListRowTips(HWND list, const std::vector<std::string>& tips);
// The hover text of a row as stored, Windows-1252 (for tests and checks).
std::string ListRowTip(HWND list, int row);
// The hover text at a point of the list's client area: the text of the row there, whichever
// cell; empty where no row is or the row has none. The list's own tooltip shows it when the
// mouse rests there.
std::string ListTipAt(HWND list, POINT at);
// The chosen row, or -1.
int ListSelection(HWND list);
// Chooses a row and scrolls it into view; -1 (or a row the list does not have) chooses none.
void SelectListRow(HWND list, int row);
// The rows and columns shown, as Windows-1252 (for tests and checks).
int ListRowCount(HWND list);
std::string ListCell(HWND list, int row, int column);
int ListColumnCount(HWND list);
std::string ListColumnTitle(HWND list, int column);

// What a notification from a list means to the presenter.
struct ListEvent {
  enum Kind { kHeaderClicked, kRowActivated } kind = kHeaderClicked;
  int index = 0;  // the column clicked or the row activated
};
// Decodes a WM_NOTIFY from a list: a click on a column title (LVN_COLUMNCLICK), a double
// click on a row (NM_DBLCLK) or Enter on the chosen row (sent by the list itself, see
// SetUpList). Anything else, and a double click or Enter where no row is, means nothing.
std::optional<ListEvent> DecodeListNotify(const NMHDR& header);

}  // namespace qx::ui::win32
