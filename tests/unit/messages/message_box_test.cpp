#include "messages/message_box.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "resources/message_table.h"
#include "platform/sim/sim_machine.h"

namespace {

using platform::sim::SimMachine;

TEST(MessageTable, IdsAreUniqueAndInTheProgramsRange) {
  std::set<unsigned> ids;
  for (const messages::MessageText& message : messages::kMessageTable) {
    EXPECT_GE(message.id, 101u);
    EXPECT_LE(message.id, 145u);
    EXPECT_TRUE(ids.insert(message.id).second) << "duplicate id " << message.id;
    EXPECT_NE(std::string(message.chinese), "") << message.id;
  }
  EXPECT_EQ(ids.size(), 34u);
}

TEST(MessageTable, RestartQuestionQuotesNoWithPlainDoubleQuotes) {
  SimMachine machine;
  EXPECT_EQ(messages::LoadMessage(machine.platform(), IDS_RESTART_QUESTION),
            "重新启动系统使设置生效\n点击“确定”立即重启系统\n点击\"否\"以后重启");
}

TEST(MessageTable, TextsAreCodePage936) {
  // "打印机驱动安装成功" in GBK: two bytes a character, lead bytes 0x81-0xFE.
  SimMachine machine;
  const std::string text = messages::LoadMessage(machine.platform(), IDS_INSTALL_SUCCEEDED);
  ASSERT_EQ(text.size(), 18u);
  EXPECT_EQ(static_cast<unsigned char>(text[0]), 0xB4);
  EXPECT_EQ(static_cast<unsigned char>(text[1]), 0xF2);
}

TEST(MessageBox, CaptionIsTheProgramNameWithoutFolderOrExtension) {
  SimMachine machine;
  machine.SetModuleFileName("D:\\Disk.1\\MySetup.exe");
  messages::ShowMessage(machine.platform(), IDS_INSTALL_SUCCEEDED);
  ASSERT_EQ(machine.messageBoxes().size(), 1u);
  EXPECT_EQ(machine.messageBoxes()[0].caption, "MySetup");
  EXPECT_EQ(machine.messageBoxes()[0].text, "打印机驱动安装成功");
  EXPECT_EQ(machine.messageBoxes()[0].type & 0xF, MB_OK);
}

TEST(MessageBox, UnknownIdShowsAnEmptyText) {
  SimMachine machine;
  messages::ShowMessage(machine.platform(), 105);
  ASSERT_EQ(machine.messageBoxes().size(), 1u);
  EXPECT_EQ(machine.messageBoxes()[0].text, "");
}

}  // namespace
