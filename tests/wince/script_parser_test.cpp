#include <gtest/gtest.h>

#include "script.h"
#include "wince/window.h"

using wince::detail::parseScript;
using wince::detail::ScriptCommand;
using wince::detail::ScriptOp;

namespace {

std::vector<ScriptCommand> parseOk(const char* text) {
  std::vector<ScriptCommand> cmds;
  std::string error;
  EXPECT_TRUE(parseScript(text, &cmds, &error)) << error;
  return cmds;
}

TEST(ScriptParser, ParsesTheWholeLanguage) {
  auto cmds = parseOk(
      "# start\n"
      "\n"
      "key press action\r\n"
      "  KEY Down softkey1   # trailing comment\n"
      "key up 7\n"
      "char hé\n"
      "char U+000D\n"
      "tap 10 -3\n"
      "drag 1 2 30 40\n"
      "wait 250\n"
      "answer yes\n"
      "answer 3\n"
      "screenshot out dir/shot one.png\n"
      "dump state.txt\n"
      "suspend\n"
      "resume\n");
  ASSERT_EQ(cmds.size(), 14u);
  EXPECT_EQ(cmds[0].op, ScriptOp::KeyPress);
  EXPECT_EQ(cmds[0].args[0], VK_RETURN);
  EXPECT_EQ(cmds[0].line, 3);
  EXPECT_EQ(cmds[1].op, ScriptOp::KeyDown);
  EXPECT_EQ(cmds[1].args[0], VK_TSOFT1);
  EXPECT_EQ(cmds[2].op, ScriptOp::KeyUp);
  EXPECT_EQ(cmds[2].args[0], '7');
  EXPECT_EQ(cmds[3].text, u"h\u00e9");
  EXPECT_EQ(cmds[4].text, u"\r");
  EXPECT_EQ(cmds[5].op, ScriptOp::Tap);
  EXPECT_EQ(cmds[5].args[1], -3);
  EXPECT_EQ(cmds[6].op, ScriptOp::Drag);
  EXPECT_EQ(cmds[6].args[3], 40);
  EXPECT_EQ(cmds[7].args[0], 250);
  EXPECT_EQ(cmds[8].args[0], 6);
  EXPECT_EQ(cmds[9].args[0], 3);
  EXPECT_EQ(cmds[10].path, "out dir/shot one.png");
  EXPECT_EQ(cmds[11].op, ScriptOp::Dump);
  EXPECT_EQ(cmds[12].op, ScriptOp::Suspend);
  EXPECT_EQ(cmds[13].op, ScriptOp::Resume);
}

TEST(ScriptParser, KeyNames) {
  struct Case {
    const char* name;
    int vk;
  } cases[] = {
      {"left", VK_LEFT}, {"Right", VK_RIGHT}, {"up", VK_UP},        {"down", VK_DOWN},
      {"back", VK_ESCAPE}, {"escape", VK_ESCAPE}, {"softkey2", VK_F2}, {"5", '5'},
      {"q", 'Q'},        {"Q", 'Q'},        {"115", 115},           {"nonsense", -1},
      {"0", '0'},        {"300", -1},       {"-4", -1},           {"tab", VK_TAB},
      {"menu", VK_APPS}, {"shift", VK_SHIFT}, {"end", VK_F4},
  };
  for (const Case& c : cases) EXPECT_EQ(wince::detail::scriptKeyCode(c.name), c.vk) << c.name;
}

TEST(ScriptParser, ReportsTheFirstBadLine) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"wait 10\nfly away\n", "line 2: unknown command 'fly'"},
      {"key press\n", "line 1: key wants"},
      {"key hold up\n", "line 1: key wants 'down', 'up' or 'press', not 'hold'"},
      {"key press nokey\n", "line 1: unknown key 'nokey'"},
      {"tap 1\n", "line 1: tap wants X Y"},
      {"tap 1 y\n", "line 1: tap wants X Y"},
      {"drag 1 2 3\n", "line 1: drag wants"},
      {"wait -5\n", "line 1: wait wants"},
      {"wait 5ms\n", "line 1: wait wants"},
      {"wait 7200001\n", "line 1: wait wants milliseconds from 0 to 7200000 (two hours)"},
      {"wait 2147483647\n", "line 1: wait wants milliseconds from 0 to 7200000"},
      {"wait 99999999999\n", "line 1: wait wants"},
      {"\xEF\xBB\xBF\xEF\xBB\xBFwait 1\n", "line 1: unknown command"},  // one mark is skipped, not two
      {"answer maybe\n", "line 1: unknown answer 'maybe'"},
      {"screenshot\n", "line 1: screenshot wants a file name"},
      {"char\n", "line 1: char wants"},
      {"char U+12345\n", "line 1: char wants"},
      {"char \xff\n", "line 1: char wants"},
      {"char \xc3\n", "line 1: char wants"},
      {"compose\n", "line 1: compose wants"},
      {"suspend now\n", "line 1: suspend takes no arguments"},
  };
  for (const Case& c : cases) {
    std::vector<ScriptCommand> cmds;
    std::string error;
    EXPECT_FALSE(parseScript(c.text, &cmds, &error)) << c.text;
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.text << " gave " << error;
    EXPECT_TRUE(cmds.empty());
  }
}

TEST(ScriptParser, AByteOrderMarkAndTheLongestWaitAreTaken) {
  const auto cmds = parseOk("\xEF\xBB\xBFwait 7200000\nkey press 1\n");
  ASSERT_EQ(cmds.size(), 2u);
  EXPECT_EQ(cmds[0].op, ScriptOp::Wait);
  EXPECT_EQ(cmds[0].args[0], 7200000);
  EXPECT_EQ(cmds[0].line, 1);
}

TEST(ScriptParser, AMissingFileOrAFolderIsAnError) {
  std::vector<ScriptCommand> cmds;
  std::string error;
  EXPECT_FALSE(wince::detail::loadScript(std::string(PELLWYN_TEST_TMP) + "/no-such-script.txt", &cmds, &error));
  EXPECT_NE(error.find("cannot read"), std::string::npos);
  EXPECT_FALSE(wince::detail::loadScript(PELLWYN_TEST_TMP, &cmds, &error));
  EXPECT_NE(error.find("is a folder, not a file"), std::string::npos) << error;
}

}  // namespace
