#include "common/messages.h"

namespace qx {
namespace {
MessageSink* g_sink = nullptr;
}  // namespace

MessageSink* SetMessageSink(MessageSink* sink) {
  MessageSink* previous = g_sink;
  g_sink = sink;
  return previous;
}

MessageSink* CurrentMessageSink() { return g_sink; }

void ShowError(std::string_view text) {
  if (g_sink) g_sink->Show({"ERRO", std::string(text), MessageIcon::kError});
}

void ShowAlert(std::string_view text) {
  if (g_sink) g_sink->Show({"alerta", std::string(text), MessageIcon::kNone});
}

}  // namespace qx
