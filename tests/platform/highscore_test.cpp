#include <gtest/gtest.h>

#include <memory>

#include "database_fixture.h"
#include "graphics_fixture.h"
#include "qz_font.h"
#include "qz_highscore.h"
#include "qz_highscore_draw.h"
#include "qz_preferences.h"

namespace {

struct TableDeleter {
  void operator()(QZHighscoreTable* t) const { QZFreeHighscoreTable(t); }
};
using Table = std::unique_ptr<QZHighscoreTable, TableDeleter>;

Table withScores(std::initializer_list<uint32_t> scores, uint8_t encoding, uint32_t order = 0) {
  Table t(QZCreateHighscoreTable(static_cast<uint16_t>(scores.size()), order));
  t->encoding = encoding;
  size_t i = 0;
  for (uint32_t s : scores) t->entries[i++].score = s;
  return t;
}

std::vector<uint8_t> fromHex(const std::string& hex) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) out.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return out;
}

}  // namespace

TEST(Highscore, ChecksumKnownValues) {
  struct Case {
    std::vector<uint32_t> scores;
    uint8_t encoding;
    uint32_t checksum;
  };
  const std::vector<Case> cases = {
      {std::vector<uint32_t>(10, 0), 0, 0x3140E879},
      {std::vector<uint32_t>(10, 0), 1, 0x1F1251EE},
      {{1000, 900, 800, 700, 600, 500, 400, 300, 200, 100}, 0, 0x0B1B5D65},
      {{1000, 900, 800, 700, 600, 500, 400, 300, 200, 100}, 1, 0x33E00BE5},
      {{0}, 0, 0x11666356},
      {{5}, 0, 0x29F69AEF},
      {{5}, 1, 0x12817399},
  };
  for (const Case& c : cases) {
    Table t(QZCreateHighscoreTable(static_cast<uint16_t>(c.scores.size()), 0));
    t->encoding = c.encoding;
    for (size_t i = 0; i < c.scores.size(); ++i) t->entries[i].score = c.scores[i];
    EXPECT_EQ(QZComputeHighscoreChecksum(t.get()), c.checksum) << c.scores.size() << " scores, encoding " << int(c.encoding);
  }
}

TEST(Highscore, StorageEncodingOfAKnownBlock) {
  Table t = withScores({500, 0}, 1);
  t->entries[0].name[0] = u'A';
  t->entries[0].name[1] = u'n';
  t->entries[0].name[2] = u'n';
  t->entries[0].extra = 7;
  t->checksum = QZComputeHighscoreChecksum(t.get());
  ASSERT_EQ(t->checksum, 0x1F40571Du);
  const std::vector<uint8_t> block = QZEncodeHighscoreBlock(*t);
  std::vector<uint8_t> header = fromHex("0200ffff");
  header.resize(52, 0);
  const std::vector<uint8_t> tail = fromHex("1d57401f0001000000000000");
  header.insert(header.end(), tail.begin(), tail.end());
  const std::vector<uint8_t> stored = fromHex(
      "eb3d93d3b30f08a6abe2397998b50c4c6b88df1f3e5bb2f2112e85c5e3015898b7d42b6b8aa7fe3e5d7ad111304da4e4032077b7d6f34a"
      "8aa9c61d5d7c99f030");
  ASSERT_EQ(block.size(), 128u);
  EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.begin() + 64), header);
  EXPECT_EQ(std::vector<uint8_t>(block.begin() + 64, block.end()), stored);

  QZHighscoreTable back;
  back.count = 2;
  ASSERT_EQ(QZDecodeHighscoreBlock(block.data(), static_cast<uint32_t>(block.size()), back), 0);
  EXPECT_EQ(back.entries[0].score, 500u);
  EXPECT_EQ(back.entries[0].extra, 7u);
  EXPECT_EQ(std::u16string(back.entries[0].name), u"Ann");
  back.count = 3;
  EXPECT_EQ(QZDecodeHighscoreBlock(block.data(), static_cast<uint32_t>(block.size()), back), -1);
}

TEST(Highscore, Position) {
  Table high = withScores({100, 90, 80}, 0);
  Table low = withScores({10, 20, 30}, 0, 1);
  const std::pair<uint32_t, int> highCases[] = {{80, -1}, {85, 2}, {90, 2}, {95, 1}, {100, 1}, {101, 0}, {79, -1}};
  for (auto [score, index] : highCases) EXPECT_EQ(QZGetHighscorePosition(high.get(), score), index) << score;
  const std::pair<uint32_t, int> lowCases[] = {{30, -1}, {25, 2}, {10, 1}, {5, 0}, {0, 0}};
  for (auto [score, index] : lowCases) EXPECT_EQ(QZGetHighscorePosition(low.get(), score), index) << score;
  QZHighscoreTable empty;
  EXPECT_EQ(QZGetHighscorePosition(&empty, 5), -1);
}

TEST(Highscore, InsertShiftsDownAndTruncatesNames) {
  Table t = withScores({100, 90, 80}, 0);
  EXPECT_EQ(QZInsertHighscore(t.get(), 80, u"Tie", 0), -1);
  EXPECT_EQ(QZInsertHighscore(t.get(), 95, u"A name far too long", 3), 1);
  EXPECT_EQ(t->entries[1].score, 95u);
  EXPECT_EQ(t->entries[2].score, 90u);
  EXPECT_EQ(t->entries[1].extra, 3u);
  EXPECT_EQ(std::u16string(t->entries[1].name), u"A name far ");
  EXPECT_EQ(t->checksum, QZComputeHighscoreChecksum(t.get()));
}

TEST(Highscore, DefaultText) {
  Table t(QZParseHighscoreText(u"2\nA,5\nB,3,7"));
  ASSERT_TRUE(t);
  ASSERT_EQ(t->count, 2);
  EXPECT_EQ(std::u16string(t->entries[0].name), u"A");
  EXPECT_EQ(t->entries[0].score, 5u);
  EXPECT_EQ(t->entries[0].extra, 0u);
  EXPECT_EQ(t->entries[1].score, 3u);
  EXPECT_EQ(t->entries[1].extra, 7u);
  for (const char16_t* bad : {u"0\nA,1", u"3000\nA,1", u"", u"x\nA,1"}) EXPECT_FALSE(Table(QZParseHighscoreText(bad))) << "bad";
  Table one(QZParseHighscoreText(u"1\nSomeoneWithALongName,12"));
  ASSERT_TRUE(one);
  EXPECT_EQ(std::u16string(one->entries[0].name), u"SomeoneWith");
  EXPECT_FALSE(QZCreateHighscoreTable(0, 0));
  EXPECT_FALSE(QZCreateHighscoreTable(2046, 0));
}

namespace {

class HighscoreStorageTest : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    QZSetPreferencesOwner(u"Pellwyn", QZFourCC("QzSo"));
    ASSERT_EQ(QZOpenPreferences(), 0);
  }
  void TearDown() override {
    QZClosePreferences();
    QZSetHighscoreVersion(0, 0);
    DatabaseTest::TearDown();
  }
};

}  // namespace

TEST_F(HighscoreStorageTest, WriteReadAndTampering) {
  Table t = withScores({300, 200, 100}, 1);
  QZInsertHighscore(t.get(), 250, u"Bo", 9);
  ASSERT_EQ(QZWriteHighscoreTable(t.get(), 0x4853), 0);
  EXPECT_EQ(QZGetPreferencesSize(0x4853, true), 64 + 3 * 32);

  Table read(QZCreateHighscoreTable(3, 0));
  ASSERT_EQ(QZReadHighscoreTable(read.get(), 0x4853), 0);
  EXPECT_EQ(read->entries[1].score, 250u);
  EXPECT_EQ(std::u16string(read->entries[1].name), u"Bo");

  // A changed name still reads; a changed score does not.
  std::vector<uint8_t> block = QZEncodeHighscoreBlock(*t);
  block[64 + 32 + 6] ^= 0x01;
  ASSERT_EQ(QZSetPreferences(0x4853, true, block.data(), static_cast<uint16_t>(block.size()), false), 0);
  EXPECT_EQ(QZReadHighscoreTable(read.get(), 0x4853), 0);
  block[64 + 32] ^= 0x01;
  ASSERT_EQ(QZSetPreferences(0x4853, true, block.data(), static_cast<uint16_t>(block.size()), false), 0);
  EXPECT_EQ(QZReadHighscoreTable(read.get(), 0x4853), -13);

  QZSetHighscoreVersion(1, 0);
  EXPECT_EQ(QZReadHighscoreTable(read.get(), 0x4853), -14);
  QZSetHighscoreVersion(0, 2);
  EXPECT_EQ(QZReadHighscoreTable(read.get(), 0x4853), -14);
  QZSetHighscoreVersion(0, 0);

  Table other(QZCreateHighscoreTable(4, 0));
  EXPECT_EQ(QZReadHighscoreTable(other.get(), 0x4853), -1);
}

namespace {

class HighscoreDrawTest : public GraphicsTest {
 protected:
  int screenWidth() const override { return 120; }
  int screenHeight() const override { return 60; }
  void SetUp() override {
    GraphicsTest::SetUp();
    ASSERT_EQ(QZStartFont(), 0);
    ASSERT_EQ(QZSetFont(0), 0);
  }
  void TearDown() override {
    QZStopFont();
    GraphicsTest::TearDown();
  }
  // Whether any pixel of the rows y0..y1-1 differs from black.
  static bool drawnBetween(int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      for (int x = 0; x < 120; ++x) {
        if (pixelAt(x, y) != 0) return true;
      }
    }
    return false;
  }
};

}  // namespace

TEST_F(HighscoreDrawTest, RowsEndAtTheFirstZeroScore) {
  Table t = withScores({50, 7, 0}, 0);
  t->entries[0].name[0] = u'A';
  ASSERT_EQ(QZDrawHighscoreTable(t.get(), 10, 20, 110, 0, 20, 215), 0);
  EXPECT_TRUE(drawnBetween(0, 20));
  EXPECT_TRUE(drawnBetween(20, 40));
  EXPECT_FALSE(drawnBetween(40, 60));
}
