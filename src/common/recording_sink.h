// A message sink that keeps what was shown, for tests and for callers that want to look
// at the messages afterwards.
#pragma once

#include <vector>

#include "common/messages.h"

namespace qx {

class RecordingSink : public MessageSink {
 public:
  void Show(const CoreMessage& message) override { messages.push_back(message); }
  std::vector<CoreMessage> messages;
};

}  // namespace qx
