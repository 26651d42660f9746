#include "ui/forms/desktop.h"

#include <utility>

namespace qx::ui {

void ShowBox(Desktop& desktop, std::string title, std::string text, BoxIcon icon) {
  MessageBox box;
  box.title = std::move(title);
  box.text = std::move(text);
  box.icon = icon;
  box.buttons = BoxButtons::kOk;
  box.default_answer = BoxAnswer::kOk;
  desktop.ShowMessage(box);
}

void ShowError(Desktop& desktop, std::string text) {
  ShowBox(desktop, "ERRO", std::move(text), BoxIcon::kError);
}

BoxAnswer Ask(Desktop& desktop, std::string title, std::string text, BoxAnswer default_answer,
              BoxIcon icon) {
  MessageBox box;
  box.title = std::move(title);
  box.text = std::move(text);
  box.icon = icon;
  box.buttons = BoxButtons::kYesNo;
  box.default_answer = default_answer;
  return desktop.ShowMessage(box);
}

}  // namespace qx::ui
