#include <gtest/gtest.h>

#include "qz_song.h"
#include "score.h"

namespace {

const char* kScore = R"(# two channels
title Test Tune
speed 4
tempo 140
channel 0 2
channel 1 13
instrument 1 sine 32 volume 40
instrument 2 square 16 length 300 decay 100
pattern 0
C-4 01 .. ... | C-3 02 32 ...
--- .. .. D01 | ^^^ .. .. ...
pattern 1
C#5 01 64 A03
order 0 1 0
)";

TEST(Score, CompilesToAnS3MTheLoaderReads) {
  Score score;
  std::string error;
  ASSERT_TRUE(parseScore(kScore, score, error)) << error;
  AuScreamTrackerSong song;
  ASSERT_EQ(song.loadImage(writeS3M(score)), 0);
  EXPECT_STREQ(song.title, "Test Tune");
  EXPECT_EQ(song.initialSpeed, 4);
  EXPECT_EQ(song.initialTempo, 140);
  EXPECT_EQ(song.orderCount, 4);  // padded to even with a 255
  EXPECT_EQ(song.orders[2], 0);
  EXPECT_EQ(song.orders[3], 255);
  EXPECT_EQ(song.getChannelCount(), 2);
  EXPECT_EQ(song.channels[0].pan, 2);
  EXPECT_EQ(song.channels[1].pan, 13);
  EXPECT_EQ(song.samples[0].length, 32u);
  ASSERT_NE(song.samples[0].loopStart, nullptr);
  EXPECT_EQ(song.samples[0].volume, 40);
  EXPECT_EQ(song.samples[1].length, 300u);
  EXPECT_EQ(song.samples[1].loopStart, nullptr);

  const uint8_t* data = nullptr;
  size_t size = 0;
  int rows = 0;
  song.getPattern(0, data, size, rows);
  AuPatternReader reader;
  reader.start(data, size, false);
  AuCell row[2];
  reader.readRow(row, 2);
  EXPECT_EQ(row[0].note, 0x40);
  EXPECT_EQ(row[1].note, 0x30);
  EXPECT_EQ(row[1].volume, 33);
  reader.readRow(row, 2);
  EXPECT_EQ(row[0].command, 4);
  EXPECT_EQ(row[0].info, 1);
  EXPECT_EQ(row[1].note, 254);
  song.getPattern(1, data, size, rows);
  reader.start(data, size, false);
  reader.readRow(row, 2);
  EXPECT_EQ(row[0].note, 0x51);
  EXPECT_EQ(row[0].command, 1);
}

TEST(Score, NoiseInstrumentsAreOneShotBursts) {
  Score score;
  std::string error;
  ASSERT_TRUE(parseScore("instrument 1 noise 32 length 400 decay 100\npattern 0\nC-5 01 .. ...\norder 0\n", score,
                         error))
      << error;
  const std::vector<uint8_t> a = writeS3M(score), b = writeS3M(score);
  EXPECT_EQ(a, b);  // the same bytes every time
}

TEST(Score, ReportsTheFaultyLine) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"pattern 0\nH-4 01 .. ...\norder 0\n", "line 2: bad cell 'H-4 01 .. ...'"},
      {"C-4 01 .. ...\n", "line 1: a row outside a pattern"},
      {"pattern 0\norder 1\n", "line 2: order names no pattern"},
      {"instrument 2 sine 32\n", "line 1: bad instrument (numbered from 1 in order)"},
      {"pattern 0\n", "line 1: no order list"},
      {"speed 0\n", "line 1: bad speed"},
      {"instrument 1 hiss 32\n", "line 1: bad wave hiss"},
  };
  for (const auto& c : cases) {
    Score score;
    std::string error;
    EXPECT_FALSE(parseScore(c.text, score, error));
    EXPECT_EQ(error, c.error);
  }
}

}  // namespace
