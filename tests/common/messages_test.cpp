#include "common/messages.h"

#include <gtest/gtest.h>

#include "common/recording_sink.h"

namespace qx {
namespace {

TEST(MessagesTest, ErrorAndAlertBoxesHaveTheirFixedTitlesAndIcons) {
  RecordingSink outer;
  ScopedMessageSink install_outer(&outer);
  {
    RecordingSink sink;
    ScopedMessageSink install(&sink);
    ShowError("ERRO NA CRIA\xC7\xC3O DO ARQUIVO");
    ShowAlert("Arquivo vazio");
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[0].title, "ERRO");
    EXPECT_EQ(sink.messages[0].text, "ERRO NA CRIA\xC7\xC3O DO ARQUIVO");
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::kError);
    EXPECT_EQ(sink.messages[1].title, "alerta");
    EXPECT_EQ(sink.messages[1].icon, MessageIcon::kNone);
  }
  // The previous sink is back; without any sink a message is dropped, not a crash.
  EXPECT_EQ(CurrentMessageSink(), &outer);
  ScopedMessageSink none(nullptr);
  ShowError("x");
  EXPECT_TRUE(outer.messages.empty());
}

}  // namespace
}  // namespace qx
