#include "ui/forms/form_driver.h"

#include <algorithm>

#include "common/cp1252.h"

namespace qx::ui {

bool IsPushButton(ControlKind kind) {
  return kind == ControlKind::kPushButton || kind == ControlKind::kDefaultPushButton;
}

FormDriver::FormDriver(Presenter& presenter, NativeForm& native)
    : presenter_(presenter), form_(presenter.Template()), native_(native) {}

void FormDriver::Open() {
  if (!closed_) presenter_.OnOpen(*this);
}

void FormDriver::Command(int id) {
  if (!closed_) presenter_.OnCommand(*this, id);
}

void FormDriver::Pressed(int id) {
  if (closed_) return;
  if (id == kIdCancel) {
    Command(kIdCancel);
    return;
  }
  const ControlTemplate* c = form_.Find(id);
  if (!c) {
    if (id == kIdOk) Command(kIdOk);
    return;
  }
  // A check box has already changed when its click arrives.
  if (c->kind == ControlKind::kCheckBox) {
    if (c->notify) Command(id);
    return;
  }
  if (IsPushButton(c->kind) && native_.IsEnabled(id)) Command(id);
}

void FormDriver::Enter() {
  if (closed_) return;
  const int focused = native_.FocusedControl();
  const ControlTemplate* at = focused >= 0 ? form_.Find(focused) : nullptr;
  if (at && IsPushButton(at->kind)) {
    Command(focused);
    return;
  }
  const auto def = std::find_if(form_.controls.begin(), form_.controls.end(), [](const auto& c) {
    return c.kind == ControlKind::kDefaultPushButton;
  });
  if (def == form_.controls.end())
    Command(kIdOk);
  else if (def->id >= 0 && native_.IsEnabled(def->id))
    Command(def->id);
}

void FormDriver::CloseRequested() {
  if (!closed_) presenter_.OnCloseCommand(*this);
}

void FormDriver::FocusLeft(int id, bool to_this_form) {
  if (closed_ || !to_this_form || leaving_.count(id)) return;
  leaving_.insert(id);
  presenter_.OnFocusLost(*this, id);
  leaving_.erase(id);
}

void FormDriver::TextChanged(int id) {
  if (closed_ || changing_.count(id)) return;
  changing_.insert(id);
  presenter_.OnTextChanged(*this, id);
  changing_.erase(id);
}

void FormDriver::ListHeaderClicked(int id, int column) {
  if (!closed_) presenter_.OnListHeaderClicked(*this, id, column);
}

void FormDriver::ListRowActivated(int id, int row) {
  if (!closed_ && row >= 0) presenter_.OnListRowActivated(*this, id, row);
}

void FormDriver::Ended(int result) {
  if (closed_) return;
  closed_ = true;
  result_ = result;
}

std::string FormDriver::GetText(int id, int max_chars) const {
  if (!Has(id)) return {};
  std::string bytes = Utf16ToCp1252(native_.Text(id));
  bytes.resize(std::min(bytes.size(), static_cast<std::size_t>(std::max(0, max_chars))));
  return bytes;
}

void FormDriver::SetText(int id, std::string_view text) {
  if (Has(id)) native_.SetText(id, Cp1252ToUtf16(text));
}

bool FormDriver::GetCheck(int id) const { return Has(id) && native_.GetCheck(id); }

void FormDriver::SetCheck(int id, bool checked) {
  if (Has(id)) native_.SetCheck(id, checked);
}

void FormDriver::SetEnabled(int id, bool enabled) {
  if (Has(id)) native_.SetEnabled(id, enabled);
}

bool FormDriver::IsEnabled(int id) const { return Has(id) && native_.IsEnabled(id); }

void FormDriver::SetFocus(int id) {
  if (Has(id)) native_.SetFocus(id);
}

int FormDriver::FocusedControl() const { return native_.FocusedControl(); }

void FormDriver::SetTitle(std::string_view title) { native_.SetTitle(Cp1252ToUtf16(title)); }

bool FormDriver::IsList(int id) const {
  const ControlTemplate* c = id >= 0 ? form_.Find(id) : nullptr;
  return c && c->kind == ControlKind::kList;
}

void FormDriver::SetListRows(int id, const std::vector<std::vector<std::string>>& rows) {
  if (IsList(id)) native_.SetListRows(id, rows);
}

void FormDriver::SetListRowTips(int id, const std::vector<std::string>& tips) {
  if (IsList(id)) native_.SetListRowTips(id, tips);
}

int FormDriver::GetListSelection(int id) const {
  return IsList(id) ? native_.GetListSelection(id) : -1;
}

void FormDriver::SetListSelection(int id, int row) {
  if (IsList(id)) native_.SetListSelection(id, row);
}

void FormDriver::Close(int result) {
  if (closed_) return;
  closed_ = true;
  result_ = result;
  native_.EndModal(result);
}

void FormDriver::Hide() { native_.Hide(); }

void FormDriver::Restore() {
  if (!closed_) native_.Restore();
}

}  // namespace qx::ui
