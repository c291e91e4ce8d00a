#include <gtest/gtest.h>

#include <cstring>

#include "sol_options.h"
#include "sol_platform.h"

namespace {

CeString Prefs(const WCHAR* game) { return SolRegistryPath(game, SolRegKind::Prefs); }

struct Stored {
  DWORD type = 99;
  DWORD size = 0;
  uint8_t bytes[64] = {};
};

Stored Read(const WCHAR* game, const WCHAR* value) {
  SolRegKey key;
  Stored s;
  if (!key.Open(Prefs(game).GetString())) return s;
  s.size = sizeof s.bytes;
  if (!key.Query(value, &s.type, s.bytes, &s.size)) s.size = 0;
  return s;
}

void Write(const WCHAR* game, const WCHAR* value, DWORD type, const void* data, DWORD size) {
  SolRegKey key;
  ASSERT_TRUE(key.Create(Prefs(game).GetString(), nullptr));
  key.Set(value, type, data, size);
}

TEST(Options, Paths) {
  EXPECT_EQ(Prefs(u"Klondike"), CeString(u"SOFTWARE\\Norvex Software\\Tessivar\\Klondike\\prefs"));
  EXPECT_EQ(SolRegistryPath(u"Klondike", SolRegKind::GameState, "Klondike One Card"),
            CeString(u"SOFTWARE\\Norvex Software\\Tessivar\\Klondike\\gameState\\Klondike One Card"));
  EXPECT_EQ(SolRegistryPath(u"Spider", SolRegKind::BestScores, "Spider"),
            CeString(u"SOFTWARE\\Norvex Software\\Tessivar\\Spider\\bestScores\\Spider"));
}

struct ValueShape {
  const char16_t* name;
  DWORD type;
  DWORD size;
  uint32_t value;
};

TEST(Options, FirstStartWritesEveryDefault) {
  SolOptions o;
  o.Load(u"OptFirst");
  const ValueShape shapes[] = {
      {u"timedGame", kSolRegBinary, 1, 1},   {u"timeLimit", kSolRegDword, 4, 3},   {u"suitsNumber", kSolRegDword, 4, 4},
      {u"gameType", kSolRegDword, 4, 2},     {u"animation", kSolRegBinary, 1, 1},  {u"playMode", kSolRegBinary, 1, 1},
      {u"bgColor", kSolRegDword, 4, 0x8000}, {u"softkeyMenu", kSolRegBinary, 1, 0}, {u"cardBack", kSolRegDword, 4, 0},
      {u"showTimer", kSolRegBinary, 1, 1},   {u"curGameNumber", kSolRegDword, 4, 0}, {u"lastEnteredName", kSolRegNone, 32, 0},
  };
  for (const ValueShape& v : shapes) {
    const Stored s = Read(u"OptFirst", v.name);
    EXPECT_EQ(s.type, v.type);
    EXPECT_EQ(s.size, v.size);
    uint32_t value = 0;
    std::memcpy(&value, s.bytes, std::min<DWORD>(4, s.size));
    EXPECT_EQ(value, v.value);
  }
  EXPECT_EQ(o.timeLimit, 3u);
  EXPECT_EQ(o.bgColor, 0x8000u);
}

TEST(Options, ValuesOfTheWrongSizeOrRangeTakeDefaults) {
  SolOptions o;
  o.Load(u"OptRepair");
  const uint32_t four = 0;
  const uint8_t one = 5;
  const uint32_t zeroMinutes = 0, back = 7, number = 1234;
  const uint8_t mode = 9;
  Write(u"OptRepair", u"timedGame", kSolRegBinary, &four, 4);  // too big for its byte
  Write(u"OptRepair", u"bgColor", kSolRegDword, &one, 1);      // too small for its word
  Write(u"OptRepair", u"timeLimit", kSolRegDword, &zeroMinutes, 4);
  Write(u"OptRepair", u"cardBack", kSolRegDword, &back, 4);
  Write(u"OptRepair", u"playMode", kSolRegBinary, &mode, 1);
  Write(u"OptRepair", u"curGameNumber", kSolRegDword, &number, 4);
  WCHAR name[16];
  for (WCHAR& c : name) c = u'x';
  Write(u"OptRepair", u"lastEnteredName", kSolRegNone, name, 32);
  o.Load(u"OptRepair");
  EXPECT_EQ(o.timedGame, 1);
  EXPECT_EQ(o.bgColor, 0x8000u);
  EXPECT_EQ(o.timeLimit, 3u);
  EXPECT_EQ(o.cardBack, 0u);
  EXPECT_EQ(o.playMode, 1);
  EXPECT_EQ(o.curGameNumber, 1234u);
  EXPECT_EQ(o.lastEnteredName[14], u'x');
  EXPECT_EQ(o.lastEnteredName[15], 0);
}

TEST(Options, MissingValuesStayMissingUntilSave) {
  Write(u"OptMissing", u"timeLimit", kSolRegDword, "\x0a\0\0\0", 4);
  SolOptions o;
  o.Load(u"OptMissing");
  EXPECT_EQ(o.timeLimit, 10u);
  EXPECT_EQ(o.animation, 1);
  EXPECT_EQ(Read(u"OptMissing", u"animation").size, 0u);
  o.Save(u"OptMissing");
  EXPECT_EQ(Read(u"OptMissing", u"animation").size, 1u);
}

TEST(Options, GameNamesKeepSeparateOptions) {
  SolOptions klondike, spider;
  klondike.Load(u"OptK");
  spider.Load(u"OptS");
  klondike.cardBack = 2;
  klondike.Save(u"OptK");
  klondike.Load(u"OptK");
  spider.Load(u"OptS");
  EXPECT_EQ(klondike.cardBack, 2u);
  EXPECT_EQ(spider.cardBack, 0u);
}

TEST(Options, RuleSetChoice) {
  SolOptions o;
  const uint32_t types[] = {0, 1, 2, 3, 4, 99};
  const uint16_t ids[] = {3900, 3901, 3902, 3903, 3902, 3902};
  for (size_t i = 0; i < 6; ++i) {
    o.gameType = types[i];
    EXPECT_EQ(o.RuleSetId(), ids[i]);
  }
  EXPECT_EQ(o.gameType, 2u);
  o.suitsNumber = 3;
  o.RuleSetId();
  EXPECT_EQ(o.suitsNumber, 4);
}

}  // namespace
