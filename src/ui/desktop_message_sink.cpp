#include "ui/desktop_message_sink.h"

namespace qx::ui {
namespace {

BoxIcon ToBoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kError: return BoxIcon::kError;
    case MessageIcon::kWarning: return BoxIcon::kWarning;
    case MessageIcon::kInformation: return BoxIcon::kInformation;
    case MessageIcon::kQuestion: return BoxIcon::kQuestion;
    case MessageIcon::kNone: break;
  }
  return BoxIcon::kNone;
}

}  // namespace

void DesktopMessageSink::Show(const CoreMessage& message) {
  MessageBox box;
  box.title = message.title;
  box.text = message.text;
  box.icon = ToBoxIcon(message.icon);
  box.buttons = BoxButtons::kOk;
  box.default_answer = BoxAnswer::kOk;
  desktop_.ShowMessage(box);
}

}  // namespace qx::ui
