// The resource-script reader: what it refuses, with the line it names.
#include <gtest/gtest.h>

#include <string>

#include "rc_script.h"

namespace {

rc::Script parse(const std::string& text) { return rc::parseScript(text, PELLWYN_TEST_TMP, "t.rc"); }

TEST(ResourceScriptTest, RefusesBadScriptsNamingTheLine) {
  struct Case {
    const char* script;
    const char* message;
  };
  const Case cases[] = {
      {"STRINGTABLE BEGIN 1 \"a\"\n 1 \"b\" END", "t.rc:2: string 1 defined twice"},
      {"1 SOLDB { 1 }\n1 soldb { 2 }", "t.rc:2: resource defined twice"},
      {"STRINGTABLE BEGIN 1 \"a\"", "missing END"},
      {"1 SOLDB \"missing.bin\"", "cannot read"},
      {"1 MENU BEGIN END", "empty menu"},
      {"1 RCDATA { 70000 }", "does not fit 16 bits"},
      {"1 RCDATA { \"\\q\" }", "unknown escape"},
      {"1 RCDATA { \"open\n }", "unterminated string"},
      {"#define A B\n#define B A\n1 RCDATA { A }", "refers to itself"},
      {"1 RCDATA { UNKNOWN }", "unknown name 'UNKNOWN'"},
      {"1 DIALOG 0, 0, 10 BEGIN END", "expected ','"},
      {"1 DIALOG 0, 0, 10, 10 BEGIN BUTTONX \"a\", 1, 0, 0, 1, 1 END", "unknown control BUTTONX"},
      {"1 ACCELERATORS BEGIN \"ab\", 1 END", "one character"},
      {"1 RCDATA { 1 } @", "unexpected character '@'"},
      {"#pragma once", "unknown directive"},
      {"1 RCDATA { 0x }", "bad number"},
      {"1 BITMAP \"" PELLWYN_SOURCE_DIR "/tests/wince/resources/huge.png\"",
       "16384x16384 pixels is larger than the runtime takes"},
  };
  for (const Case& c : cases) {
    try {
      parse(c.script);
      ADD_FAILURE() << "accepted: " << c.script;
    } catch (const rc::ScriptError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
}

TEST(ResourceScriptTest, NamesAndExpressions) {
  rc::Script s = parse(
      "#define BASE 0x100\n"
      "#define NEXT (BASE + 2) | 1\n"
      "NEXT RCDATA { ~0 - 1, -2, NOT 1 }\n"
      "Named aFRM /* comment */ { 1L } // trailing\n"
      "\"0\" aGML { }\n");
  ASSERT_EQ(s.resources.size(), 3u);
  EXPECT_EQ(s.resources[0].name.number, 0x103);
  EXPECT_EQ(s.resources[0].data, (std::vector<uint8_t>{0xFE, 0xFF, 0xFE, 0xFF, 0, 0}));
  EXPECT_EQ(s.resources[1].name.text, u"NAMED");
  EXPECT_EQ(s.resources[1].type.text, u"aFRM");
  EXPECT_EQ(s.resources[1].data, (std::vector<uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(s.resources[2].name.text, u"0");
  EXPECT_TRUE(s.resources[2].data.empty());
}

}  // namespace
