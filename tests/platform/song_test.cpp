#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "qz_song.h"
#include "song_builder.h"

namespace {

using songtest::Cell;

TEST(S3MSong, HeaderChannelsAndPans) {
  songtest::S3M m;
  m.channelSettings[0] = 7;
  m.channelSettings[1] = 8;
  m.channelSettings[2] = 16;
  m.channelSettings[3] = 15;
  m.channelSettings[5] = 3;
  m.speed = 4;
  m.tempo = 150;
  m.globalVolume = 48;
  AuScreamTrackerSong song;
  ASSERT_EQ(song.loadImage(m.bytes()), 0);
  EXPECT_EQ(song.channels[0].enabled, 1);
  EXPECT_EQ(song.channels[0].pan, 0);
  EXPECT_EQ(song.channels[1].pan, 15);
  EXPECT_EQ(song.channels[2].enabled, 0);
  EXPECT_EQ(song.getChannelCount(), 6);
  EXPECT_EQ(song.initialSpeed, 4);
  EXPECT_EQ(song.initialTempo, 150);
  EXPECT_EQ(song.globalVolume, 48);
  EXPECT_TRUE(song.stereo);
  EXPECT_EQ(song.masterVolume, 48);
  EXPECT_FALSE(song.fastVolumeSlides);

  m.pans = {3, 12};
  m.version = 0x1300;
  ASSERT_EQ(song.loadImage(m.bytes()), 0);
  EXPECT_EQ(song.channels[0].pan, 3);
  EXPECT_EQ(song.channels[1].pan, 12);
  EXPECT_TRUE(song.fastVolumeSlides);
  m.version = 0x1320;
  m.flags = 0x40;
  ASSERT_EQ(song.loadImage(m.bytes()), 0);
  EXPECT_TRUE(song.fastVolumeSlides);
}

TEST(S3MSong, SamplesInSampleUnits) {
  songtest::S3M m;
  songtest::Sample s8;
  s8.data = songtest::sine(100, 2, false, true);
  s8.volume = 70;  // clamped to 64
  s8.loop = true;
  s8.loopStart = 20;
  s8.loopEnd = 80;
  songtest::Sample s16;
  s16.is16 = true;
  s16.data = songtest::sine(50, 1, true);
  s16.loop = true;
  s16.loopStart = 10;
  s16.loopEnd = 0;  // no usable loop end: the loop runs to the end
  s16.rate = 22050;
  songtest::Sample adlib;
  adlib.type = 2;
  adlib.data = {1, 2, 3};
  m.samples = {s8, s16, adlib};
  AuScreamTrackerSong song;
  ASSERT_EQ(song.loadImage(m.bytes()), 0);
  ASSERT_EQ(song.sampleCount, 3);
  const AuSampleRecord& a = song.samples[0];
  EXPECT_EQ(a.format, 0);
  EXPECT_EQ(a.length, 100u);
  EXPECT_EQ(a.volume, 64);
  EXPECT_EQ(a.loopStart - a.start, 20);
  EXPECT_EQ(a.end - a.start, 80);  // the loop ends where the file says
  EXPECT_EQ(a.periodScale, 34254848 / 8363);
  const AuSampleRecord& b = song.samples[1];
  EXPECT_EQ(b.format, 3);
  EXPECT_EQ(b.length, 100u);  // 50 samples of 2 bytes
  EXPECT_EQ(b.loopStart - b.start, 20);
  EXPECT_EQ(b.end - b.start, 100);
  EXPECT_EQ(song.samples[2].start, nullptr);  // not a sampled instrument
}

TEST(S3MSong, RefusesBrokenFiles) {
  songtest::S3M m;
  songtest::Sample s;
  s.data = std::vector<uint8_t>(64, 128);
  s.loop = true;
  s.loopStart = 64;  // at the end: no loop
  m.samples = {s};
  std::vector<uint8_t> good = m.bytes();
  AuScreamTrackerSong song;
  ASSERT_EQ(song.loadImage(good), 0);
  EXPECT_EQ(song.samples[0].loopStart, nullptr);

  std::vector<uint8_t> noSignature = good;
  noSignature[0x2C] = 'X';
  EXPECT_EQ(song.loadImage(noSignature), -1);
  EXPECT_FALSE(song.isLoaded());
  std::vector<uint8_t> manyOrders = good;
  songtest::put16(manyOrders, 0x20, 60000);
  EXPECT_EQ(song.loadImage(manyOrders), -1);
  EXPECT_EQ(song.loadImage(std::vector<uint8_t>(good.begin(), good.begin() + 0x50)), -1);

  // Sample data cut off by the file end: the sample is empty.
  std::vector<uint8_t> cut(good.begin(), good.end() - 10);
  ASSERT_EQ(song.loadImage(cut), 0);
  EXPECT_EQ(song.samples[0].start, nullptr);
  // A bad pattern reference reads as an empty pattern.
  const uint8_t* data = nullptr;
  size_t size = 1;
  int rows = 0;
  song.getPattern(7, data, size, rows);
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(rows, 64);
}

TEST(ITSong, ChannelPansAndSamples) {
  songtest::IT m;
  m.channelPan[0] = 100;
  m.channelPan[1] = 64;
  m.channelPan[2] = 128;
  m.channelPan[3] = 0;
  m.channelPan[9] = 32;
  songtest::Sample s16;
  s16.is16 = true;
  s16.data = songtest::sine(2752, 10, true);
  s16.loop = true;
  s16.loopStart = 1000;
  s16.loopEnd = 2000;
  s16.rate = 44100;
  m.samples = {s16};
  AuImpulseTrackerSong song;
  ASSERT_EQ(song.loadImage(m.bytes()), 0);
  EXPECT_EQ(song.channels[0].pan, 8);
  EXPECT_EQ(song.channels[1].pan, 16);
  EXPECT_EQ(song.channels[2].enabled, 0);
  EXPECT_EQ(song.channels[3].pan, 0);
  EXPECT_EQ(song.getChannelCount(), 10);
  EXPECT_TRUE(song.fastVolumeSlides);
  const AuSampleRecord& s = song.samples[0];
  EXPECT_EQ(s.format, 3);
  EXPECT_EQ(s.length, 2752u * 2);
  EXPECT_EQ(s.loopStart - s.start, 2000);
  EXPECT_EQ(s.end - s.start, 4000);
  EXPECT_EQ(s.rate, 44100);
}

TEST(ITSong, CompressedAndUnsignedSamples) {
  songtest::IT m;
  songtest::Sample s;
  s.data = {0x80, 0x90, 0x70};
  m.samples = {s, s};
  std::vector<uint8_t> b = m.bytes();
  const size_t first = b[0xC0 + 1] | (b[0xC0 + 2] << 8) | (b[0xC0 + 3] << 16);  // after one order byte
  const size_t second = b[0xC0 + 5] | (b[0xC0 + 6] << 8);
  b[first + 0x12] |= 0x08;  // compressed
  b[second + 0x2E] = 0;  // unsigned data
  AuImpulseTrackerSong song;
  ASSERT_EQ(song.loadImage(b), 0);
  EXPECT_EQ(song.samples[0].start, nullptr);
  ASSERT_NE(song.samples[1].start, nullptr);
  EXPECT_EQ(static_cast<int8_t>(song.samples[1].start[0]), 0);
  EXPECT_EQ(static_cast<int8_t>(song.samples[1].start[1]), 16);
  EXPECT_EQ(static_cast<int8_t>(song.samples[1].start[2]), -16);
}

TEST(ITSong, PatternOffsetZeroIsAnEmptyPattern) {
  songtest::IT m;
  m.patterns = {songtest::Pattern{}, songtest::Pattern{}};
  m.patternRows = {32, 80};
  std::vector<uint8_t> b = m.bytes();
  AuImpulseTrackerSong song;
  ASSERT_EQ(song.loadImage(b), 0);
  const uint8_t* data = nullptr;
  size_t size = 0;
  int rows = 0;
  song.getPattern(1, data, size, rows);
  EXPECT_EQ(rows, 80);
  const size_t table = 0xC0 + 1;
  songtest::put32(b, table, 0);
  ASSERT_EQ(song.loadImage(b), 0);
  song.getPattern(0, data, size, rows);
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(rows, 64);
  b[0] = 'X';
  EXPECT_EQ(song.loadImage(b), -1);
}

TEST(PatternReader, UnpacksBothFormatsAndStaysInside) {
  songtest::S3M m;
  Cell c;
  c.note = 0x41;
  c.instrument = 1;
  c.volume = 40;
  c.command = 4;
  c.info = 0x0F;
  m.patterns[0][{0, 2}] = c;
  Cell cut;
  cut.note = 254;
  m.patterns[0][{1, 31}] = cut;
  AuScreamTrackerSong song;
  ASSERT_EQ(song.loadImage(m.bytes()), 0);
  const uint8_t* data = nullptr;
  size_t size = 0;
  int rows = 0;
  song.getPattern(0, data, size, rows);
  AuPatternReader reader;
  reader.start(data, size, false);
  AuCell row[4];
  reader.readRow(row, 4);
  EXPECT_EQ(row[2].note, 0x41);
  EXPECT_EQ(row[2].instrument, 1);
  EXPECT_EQ(row[2].volume, 41);
  EXPECT_EQ(row[2].command, 4);
  EXPECT_EQ(row[2].info, 0x0F);
  EXPECT_EQ(row[0].note, kAuNoNote);
  reader.readRow(row, 4);  // channel 31 is skipped, not written past the row
  EXPECT_EQ(row[3].note, kAuNoNote);

  // IT: a remembered mask and remembered values.
  const uint8_t it[] = {0x81, 0x03, 60, 2, 0, 0x01, 61, 3, 0, 0x81, 0x10, 0};
  reader.start(it, sizeof it, true);
  reader.readRow(row, 4);
  EXPECT_EQ(row[0].note, 60);
  EXPECT_EQ(row[0].instrument, 2);
  reader.readRow(row, 4);  // the channel's last mask
  EXPECT_EQ(row[0].note, 61);
  EXPECT_EQ(row[0].instrument, 3);
  reader.readRow(row, 4);
  EXPECT_EQ(row[0].note, 61);  // mask 0x10: the last note only
  EXPECT_EQ(row[0].instrument, 0);
  // A marker whose data runs past the end leaves an empty row.
  const uint8_t truncated[] = {0x81, 0x0F, 60};
  reader.start(truncated, sizeof truncated, true);
  reader.readRow(row, 4);
  reader.readRow(row, 4);
  EXPECT_EQ(row[0].note, kAuNoNote);
}

TEST(Song, LoadsFromAFileAndFailsOnAMissingOne) {
  songtest::S3M m;
  const std::vector<uint8_t> b = m.bytes();
  ASSERT_TRUE(songtest::installSong(scratchPath("device"), "song.s3m", b));
  AuScreamTrackerSong song;
  EXPECT_EQ(song.load(u"\\install\\song.s3m"), 0);
  EXPECT_TRUE(song.isLoaded());
  EXPECT_STREQ(song.title, "test song");
  EXPECT_EQ(song.load(u"\\install\\missing.s3m"), -1);
  EXPECT_FALSE(song.isLoaded());
  AuImpulseTrackerSong wrongKind;
  EXPECT_EQ(wrongKind.load(u"\\install\\song.s3m"), -1);
}

}  // namespace
