// Shows the core's messages (the "ERRO" box, the loader's "alerta" box) as message boxes
// of the desktop. The desktop program installs one for the whole run.
#pragma once

#include "common/messages.h"
#include "ui/desktop.h"

namespace qx::ui {

class DesktopMessageSink : public MessageSink {
 public:
  explicit DesktopMessageSink(Desktop& desktop) : desktop_(desktop) {}
  // One modal box with its title, text and icon and a single OK button.
  void Show(const CoreMessage& message) override;

 private:
  Desktop& desktop_;
};

}  // namespace qx::ui
