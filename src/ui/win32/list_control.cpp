#include "ui/win32/list_control.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>

#include "ui/win32/text_win32.h"

namespace qx::ui::win32 {
namespace {

constexpr UINT_PTR kListSubclassId = 2;

// What a list shows: it holds no items of its own (a virtual list) and asks for each cell as
// it draws it, from the rows kept here with the hover text of each row and the tooltip that
// shows them; owned by the list's subclass and freed with the window.
struct ListData {
  std::vector<std::vector<std::string>> rows;  // Windows-1252
  std::wstring cell;                           // the cell last handed to the list
  std::vector<std::wstring> tips;
  HWND tooltip = nullptr;
  int hovered = -1;    // the row under the mouse when it last moved
  std::wstring shown;  // the text the tooltip is showing
};

constexpr int kTipMaxWidthPixels = 400;
constexpr int kTipDurationMs = 30000;

int RowAt(HWND list, POINT at) {
  LVHITTESTINFO hit{};
  hit.pt = at;
  return static_cast<int>(
      SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

const std::wstring* TipOfRow(const ListData& data, int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= data.tips.size()) return nullptr;
  const std::wstring& tip = data.tips[static_cast<std::size_t>(row)];
  return tip.empty() ? nullptr : &tip;
}

// Where the list's data is found from its window (the subclass's own data is not, on every
// version of the common controls).
constexpr wchar_t kListDataProperty[] = L"qx.list";

ListData* DataOf(HWND list) { return static_cast<ListData*>(GetPropW(list, kListDataProperty)); }

// The list keeps Enter from the dialog manager and tells its parent about it the way it
// tells about a double click, so the key activates the chosen row and never also reaches the
// default button. It also runs its row tips: the tooltip asks for the text of the row under
// the mouse, and starts over when the mouse moves to another row.
LRESULT CALLBACK ListProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                          UINT_PTR subclass_id, DWORD_PTR data) {
  auto* list_data = reinterpret_cast<ListData*>(data);
  switch (message) {
    case WM_MOUSEMOVE: {
      const int row = RowAt(
          hwnd, POINT{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))});
      if (list_data && list_data->tooltip && row != list_data->hovered) {
        list_data->hovered = row;
        SendMessageW(list_data->tooltip, TTM_POP, 0, 0);
      }
      break;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lparam);
      if (list_data && header && header->hwndFrom == list_data->tooltip &&
          header->code == static_cast<UINT>(TTN_GETDISPINFOW)) {
        auto& request = reinterpret_cast<NMTTDISPINFOW&>(*header);
        POINT at{};
        GetCursorPos(&at);
        ScreenToClient(hwnd, &at);
        const std::wstring* tip = TipOfRow(*list_data, RowAt(hwnd, at));
        list_data->shown = tip ? *tip : std::wstring();
        request.lpszText = list_data->shown.data();
        request.szText[0] = L'\0';
        request.hinst = nullptr;
        return 0;
      }
      break;
    }
    case WM_GETDLGCODE: {
      const auto* msg = reinterpret_cast<const MSG*>(lparam);
      LRESULT code = DefSubclassProc(hwnd, message, wparam, lparam);
      if (msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) &&
          msg->wParam == VK_RETURN)
        code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_KEYDOWN:
      if (wparam == VK_RETURN) {
        NMHDR header{};
        header.hwndFrom = hwnd;
        header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
        header.code = static_cast<UINT>(NM_RETURN);
        SendMessageW(GetParent(hwnd), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
        return 0;
      }
      break;
    case WM_CHAR:
      if (wparam == VK_RETURN) return 0;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, ListProc, subclass_id);
      RemovePropW(hwnd, kListDataProperty);
      delete reinterpret_cast<ListData*>(data);
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

int DialogUnitsToPixels(HWND dialog, int units) {
  RECT r{0, 0, units, 0};
  MapDialogRect(dialog, &r);
  return r.right;
}

std::wstring ItemText(HWND list, int row, int column) {
  std::wstring text(1024, L'\0');
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size());
  const auto n = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                              reinterpret_cast<LPARAM>(&item));
  text.resize(static_cast<std::size_t>(std::max<LRESULT>(0, n)));
  return text;
}

}  // namespace

DWORD ListStyle() {
  return WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
         LVS_SHOWSELALWAYS;
}

DWORD ListExStyle() { return WS_EX_CLIENTEDGE; }

void SetUpList(HWND list, HWND dialog, const ControlTemplate& c) {
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP,
               LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
  std::vector<std::string> titles = c.column_titles;
  if (titles.empty()) titles.emplace_back();
  RECT client{};
  GetClientRect(list, &client);
  int used = 0;
  for (std::size_t i = 0; i < titles.size(); ++i) {
    const int units = i < c.column_widths.size() ? c.column_widths[i] : 0;
    int width = units > 0 ? DialogUnitsToPixels(dialog, units) : 0;
    if (width == 0 && i + 1 == titles.size())
      width = std::max(40, static_cast<int>(client.right) - used - GetSystemMetrics(SM_CXVSCROLL));
    else if (width == 0)
      width = DialogUnitsToPixels(dialog, 50);
    used += width;
    std::wstring title = FromCp1252(titles[i]);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = title.data();
    column.cx = width;
    column.iSubItem = static_cast<int>(i);
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
  // The subclass owns the data from here on; without the property the rows have no tips.
  auto data = std::make_unique<ListData>();
  data->tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
  if (data->tooltip) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = list;
    tool.uId = 1;
    tool.rect = RECT{0, 0, 32767, 32767};  // the whole list; rows are told apart on request
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(data->tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(data->tooltip, TTM_SETMAXTIPWIDTH, 0, kTipMaxWidthPixels);
    SendMessageW(data->tooltip, TTM_SETDELAYTIME, TTDT_AUTOPOP, kTipDurationMs);
  }
  if (!SetWindowSubclass(list, ListProc, kListSubclassId, reinterpret_cast<DWORD_PTR>(data.get())))
    return;
  SetPropW(list, kListDataProperty, data.release());
}

void SetListRows(HWND list, const std::vector<std::vector<std::string>>& rows) {
  ListData* data = DataOf(list);
  if (!data) return;
  data->rows = rows;
  data->tips.clear();
  data->hovered = -1;
  if (data->tooltip) SendMessageW(data->tooltip, TTM_POP, 0, 0);
  SendMessageW(list, LVM_SETITEMCOUNT, rows.size(), 0);
  SelectListRow(list, -1);
  InvalidateRect(list, nullptr, TRUE);
}

bool AnswerListCell(const NMHDR& header) {
  if (header.code != static_cast<UINT>(LVN_GETDISPINFOW)) return false;
  auto& request = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header));
  LVITEMW& item = request.item;
  ListData* data = DataOf(header.hwndFrom);
  if (!data || !(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return true;
  const auto row = static_cast<std::size_t>(item.iItem);
  const auto column = static_cast<std::size_t>(item.iSubItem);
  data->cell = item.iItem >= 0 && row < data->rows.size() && column < data->rows[row].size()
                   ? FromCp1252(data->rows[row][column])
                   : std::wstring();
  const std::size_t n = std::min(data->cell.size(), static_cast<std::size_t>(item.cchTextMax - 1));
  std::copy_n(data->cell.data(), n, item.pszText);
  item.pszText[n] = L'\0';
  return true;
}

void SetListRowTips(HWND list, const std::vector<std::string>& tips) {
  ListData* data = DataOf(list);
  if (!data) return;
  const auto rows = static_cast<std::size_t>(std::max(0, ListRowCount(list)));
  data->tips.assign(std::min(rows, tips.size()), std::wstring());
  for (std::size_t row = 0; row < data->tips.size(); ++row) data->tips[row] = FromCp1252(tips[row]);
}

std::string ListRowTip(HWND list, int row) {
  const ListData* data = DataOf(list);
  if (!data || row < 0 || static_cast<std::size_t>(row) >= data->tips.size()) return {};
  return ToCp1252(data->tips[static_cast<std::size_t>(row)]);
}

std::string ListTipAt(HWND list, POINT at) {
  const ListData* data = DataOf(list);
  const std::wstring* tip = data ? TipOfRow(*data, RowAt(list, at)) : nullptr;
  return tip ? ToCp1252(*tip) : std::string();
}

int ListSelection(HWND list) {
  return static_cast<int>(
      SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectListRow(HWND list, int row) {
  LVITEMW none{};
  none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  if (row < 0 || row >= ListRowCount(list)) return;
  LVITEMW chosen{};
  chosen.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  chosen.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&chosen));
  SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

int ListRowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string ListCell(HWND list, int row, int column) {
  return ToCp1252(ItemText(list, row, column));
}

int ListColumnCount(HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string ListColumnTitle(HWND list, int column) {
  wchar_t text[256] = {};
  LVCOLUMNW c{};
  c.mask = LVCF_TEXT;
  c.pszText = text;
  c.cchTextMax = 256;
  if (!SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column),
                    reinterpret_cast<LPARAM>(&c)))
    return {};
  return ToCp1252(text);
}

std::optional<ListEvent> DecodeListNotify(const NMHDR& header) {
  const UINT code = header.code;
  if (code == LVN_COLUMNCLICK) {
    const auto& n = reinterpret_cast<const NMLISTVIEW&>(header);
    return ListEvent{ListEvent::kHeaderClicked, n.iSubItem};
  }
  if (code == NM_DBLCLK) {
    const auto& n = reinterpret_cast<const NMITEMACTIVATE&>(header);
    if (n.iItem < 0) return std::nullopt;
    return ListEvent{ListEvent::kRowActivated, n.iItem};
  }
  if (code == NM_RETURN) {
    const int row = ListSelection(header.hwndFrom);
    if (row < 0) return std::nullopt;
    return ListEvent{ListEvent::kRowActivated, row};
  }
  return std::nullopt;
}

}  // namespace qx::ui::win32
