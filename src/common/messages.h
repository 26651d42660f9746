// How the core tells the user about a failure. The core never shows anything itself: the
// program installs a sink (message boxes in the desktop program, standard error in the batch
// tool, a recorded list in tests). Titles and texts are Windows-1252 bytes.
#pragma once

#include <string>
#include <string_view>

namespace qx {

enum class MessageIcon { kNone, kError, kWarning, kInformation, kQuestion };

// One modal box with a single OK button, owned by no window, kept topmost.
struct CoreMessage {
  std::string title;
  std::string text;
  MessageIcon icon = MessageIcon::kNone;
};

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void Show(const CoreMessage& message) = 0;
};

// Installs the sink that receives every message from now on (nullptr: messages are dropped).
// Returns the sink that was installed before.
MessageSink* SetMessageSink(MessageSink* sink);
MessageSink* CurrentMessageSink();

// The error box: titled "ERRO", error icon, one OK button.
void ShowError(std::string_view text);

// The loader's notice box: titled "alerta", no icon, one OK button.
void ShowAlert(std::string_view text);

// Installs a sink for the lifetime of the object and puts the previous one back afterwards.
class ScopedMessageSink {
 public:
  explicit ScopedMessageSink(MessageSink* sink) : previous_(SetMessageSink(sink)) {}
  ~ScopedMessageSink() { SetMessageSink(previous_); }
  ScopedMessageSink(const ScopedMessageSink&) = delete;
  ScopedMessageSink& operator=(const ScopedMessageSink&) = delete;

 private:
  MessageSink* previous_;
};

}  // namespace qx
