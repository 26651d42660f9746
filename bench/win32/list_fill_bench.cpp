// Filling the native lists: the product table (LISTA) over 500 products and the import
// report with 100 000 messages, each opened as the real form, against a plain report list
// (no subclass, cells inserted one by one with redraw off) filled with the same rows in the
// same run. Prints milliseconds and the ratio; run it under Wine with a display.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "exchange/product_list.h"
#include "ui/forms/form.h"
#include "ui/screens/product_table.h"
#include "ui/screens/product_table_form.h"
#include "ui/win32/form_dialog.h"
#include "ui/win32/text_win32.h"
#include "ui/win32/windows_api.h"
#include "ui/workflows/product_list_workflow.h"

namespace {

using Clock = std::chrono::steady_clock;
using Rows = std::vector<std::vector<std::string>>;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

qx::ParamSet FiveHundredProducts() {
  qx::ParamSet params;
  for (int code = 1; code <= qx::kProductCount; ++code) {
    qx::PluRecord& p = params.Product(code);
    p.name =
        "A\xC7\xDA"
        "CAR " +
        std::to_string(code * 7919 % 1000);
    p.price = std::to_string(code * 137 % 9999999 + 1);
    p.dept_code = std::to_string(code % 16 + 1);
  }
  return params;
}

qx::exchange::ProductImport LongReport(int messages) {
  qx::exchange::ProductImport import;
  for (int i = 0; i < messages; ++i)
    import.messages.push_back(
        {i % 3 == 0,
         "linha " + std::to_string(i + 2) + ": pre\xE7o inv\xE1lido, o produto fica como est\xE1"});
  import.errors = 1;
  return import;
}

struct FormTimes {
  double open = 0;  // from the start of the run to the form on the screen, filled and drawn
  double fill = 0;  // filling its list again with the same rows
  double draw = 0;  // then drawing the rows in view
};

FormTimes OpenForm(qx::ui::Presenter& presenter, int list_id, const Rows& rows) {
  qx::ui::win32::FormDialog dialog(presenter);
  FormTimes times;
  const Clock::time_point start = Clock::now();
  dialog.Run([&](qx::ui::win32::FormDialog& d) {
    UpdateWindow(d.window());
    times.open = MsSince(start);
    const Clock::time_point fill = Clock::now();
    d.view().SetListRows(list_id, rows);
    times.fill = MsSince(fill);
    const Clock::time_point draw = Clock::now();
    UpdateWindow(d.window());
    times.draw = MsSince(draw);
    d.view().Close(0);
  });
  return times;
}

// The floor: a plain report list with the same number of columns, filled cell by cell.
double PlainFill(const Rows& rows, std::size_t columns) {
  HWND list = CreateWindowExW(0, L"SysListView32", L"", WS_POPUP | LVS_REPORT | LVS_SINGLESEL, 0, 0,
                              600, 400, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  for (std::size_t i = 0; i < columns; ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
  const Clock::time_point start = Clock::now();
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      std::wstring text = qx::ui::win32::FromCp1252(rows[r][c]);
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(r);
      item.iSubItem = static_cast<int>(c);
      item.pszText = text.data();
      SendMessageW(list, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, c == 0 ? 0 : r,
                   reinterpret_cast<LPARAM>(&item));
    }
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  const double ms = MsSince(start);
  DestroyWindow(list);
  return ms;
}

void Report(const char* what, FormTimes form, double plain_ms) {
  std::printf(
      "%-30s open %8.1f ms  fill %8.1f ms  draw %6.1f ms  plain fill %8.1f ms  "
      "fill/plain %6.2f\n",
      what, form.open, form.fill, form.draw, plain_ms, plain_ms > 0 ? form.fill / plain_ms : 0.0);
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&init);

  const qx::ParamSet params = FiveHundredProducts();
  Rows table_rows;
  const qx::ui::ProductTable shown(params);
  for (const qx::ui::ProductRow* row : shown.Shown()) table_rows.push_back(row->cells);
  auto table = qx::ui::MakeProductTable(params);
  OpenForm(*table, qx::ui::kIdTableList, table_rows);  // warms the classes and fonts up
  const FormTimes table_times = OpenForm(*table, qx::ui::kIdTableList, table_rows);
  Report("LISTA, 500 produtos", table_times, PlainFill(table_rows, table_rows.front().size()));

  const qx::exchange::ProductImport import = LongReport(100000);
  Rows report_rows;
  for (const qx::exchange::ImportMessage& m : import.messages)
    report_rows.push_back({m.error ? "ERRO" : "aviso", m.text});
  auto report = qx::ui::MakeImportReport(import);
  const FormTimes report_times = OpenForm(*report, qx::ui::kIdReportMessages, report_rows);
  Report("relatorio, 100 000 mensagens", report_times, PlainFill(report_rows, 2));
  return 0;
}
