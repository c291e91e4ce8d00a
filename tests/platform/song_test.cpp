#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "qz_it_compression.h"
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

TEST(S3MSong, DefaultPansNeedTheirFlagAndMonoSongsAreCentred) {
  songtest::S3M m;
  m.pans = {3, 12};
  m.panFlag = 0;  // pan bytes without their flag: the channel settings' pans stay
  AuScreamTrackerSong song;
  ASSERT_EQ(song.loadImage(m.bytes()), 0);
  EXPECT_EQ(song.channels[0].pan, 0);
  EXPECT_EQ(song.channels[1].pan, 15);
  EXPECT_TRUE(song.stereo);
  m.panFlag = 0x20;
  m.stereo = false;
  ASSERT_EQ(song.loadImage(m.bytes()), 0);
  EXPECT_FALSE(song.stereo);
  for (int c = 0; c < 4; ++c) EXPECT_EQ(song.channels[c].pan, 8) << c;
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
  m.patterns[0][{0, 9}].command = 1;  // the highest channel in use
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

TEST(ITSong, UnsignedSamplesPlayAsSigned) {
  songtest::IT m;
  songtest::Sample s;
  s.data = {0x80, 0x90, 0x70};
  m.samples = {s};
  std::vector<uint8_t> b = m.bytes();
  const size_t header = b[0xC0 + 1] | (b[0xC0 + 2] << 8);  // after one order byte
  b[header + 0x2E] = 0;  // unsigned data
  AuImpulseTrackerSong song;
  ASSERT_EQ(song.loadImage(b), 0);
  ASSERT_NE(song.samples[0].start, nullptr);
  EXPECT_EQ(static_cast<int8_t>(song.samples[0].start[0]), 0);
  EXPECT_EQ(static_cast<int8_t>(song.samples[0].start[1]), 16);
  EXPECT_EQ(static_cast<int8_t>(song.samples[0].start[2]), -16);
}

// A signal with quiet stretches, steps and full-scale swings, so that the
// encoder uses every code width and every kind of width change.
std::vector<uint8_t> lively(size_t length, bool is16) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i < length; ++i) {
    double v = std::sin(static_cast<double>(i) / 9.0) * (i % 3000 < 1000 ? 0.02 : i % 3000 < 2000 ? 0.3 : 1.0);
    if (i % 777 == 0) v = -v;
    if (is16) {
      const auto x = static_cast<int16_t>(v * 32767);
      out.push_back(static_cast<uint8_t>(x));
      out.push_back(static_cast<uint8_t>(static_cast<uint16_t>(x) >> 8));
    } else {
      out.push_back(static_cast<uint8_t>(static_cast<int8_t>(v * 127)));
    }
  }
  return out;
}

TEST(ITSong, CompressedSamplesAreDecodedAtLoad) {
  struct Case {
    const char* name;
    bool is16;
    bool doubleDelta;
    size_t length;
  };
  // The 16-bit cases span more than one block (0x4000 samples), the 8-bit
  // ones more than one of theirs (0x8000).
  for (const Case& c : {Case{"8-bit", false, false, 70000}, Case{"8-bit 2.15", false, true, 70000},
                        Case{"16-bit", true, false, 40000}, Case{"16-bit 2.15", true, true, 40000}}) {
    songtest::IT m;
    songtest::Sample s;
    s.is16 = c.is16;
    s.data = lively(c.length, c.is16);
    s.compressed = true;
    s.doubleDelta = c.doubleDelta;
    s.loop = true;
    s.loopStart = 100;
    s.loopEnd = 2000;
    m.samples = {s};
    AuImpulseTrackerSong song;
    ASSERT_EQ(song.loadImage(m.bytes()), 0) << c.name;
    const AuSampleRecord& r = song.samples[0];
    ASSERT_NE(r.start, nullptr) << c.name;
    ASSERT_EQ(r.length, s.data.size()) << c.name;
    EXPECT_TRUE(std::equal(s.data.begin(), s.data.end(), r.start)) << c.name;
    EXPECT_EQ(r.loopStart - r.start, 100 * (c.is16 ? 2 : 1)) << c.name;
    EXPECT_EQ(r.end - r.start, 2000 * (c.is16 ? 2 : 1)) << c.name;
  }
}

TEST(ITSong, CutOrMalformedCompressedDataLeavesTheSampleSilent) {
  songtest::Sample s;
  s.data = lively(0x8000, false);  // one whole block
  const std::vector<uint8_t> good = songtest::ITSampleEncoder(false, false).encode(songtest::values(s));
  auto decode = [](std::vector<uint8_t> data, uint32_t count, bool is16 = false) {
    std::vector<uint8_t> out{1};
    const bool ok = auDecompressITSample({data.data(), data.size(), count, is16, false}, out);
    EXPECT_EQ(ok, !out.empty());
    return ok;
  };
  ASSERT_TRUE(decode(good, 0x8000));
  std::vector<uint8_t> blockPastTheEnd(good.begin(), good.end() - 1);
  EXPECT_FALSE(decode(blockPastTheEnd, 0x8000));
  std::vector<uint8_t> shortBlock = good;
  const size_t shorter = (good[0] | (good[1] << 8)) - 40u;  // the block's bits run out
  shortBlock[0] = static_cast<uint8_t>(shorter);
  shortBlock[1] = static_cast<uint8_t>(shorter >> 8);
  EXPECT_FALSE(decode(shortBlock, 0x8000));
  EXPECT_FALSE(decode(good, 0x8001));  // the second block is missing
  EXPECT_FALSE(decode(good, 0xFFFFFFFF));
  // At the widest code, 0x1FF asks for width 0 and 0x10A for width 11.
  EXPECT_FALSE(decode({2, 0, 0xFF, 0x01}, 1));
  EXPECT_FALSE(decode({2, 0, 0x0A, 0x01}, 2));
  EXPECT_FALSE(decode({4, 0, 0x0F, 0x00, 0x01, 0x00}, 2, true));  // 16-bit: width 16 then 17 bits are short

  // In a song: the sample is silent and the rest loads.
  songtest::IT m;
  s.compressed = true;
  m.samples = {s};
  std::vector<uint8_t> b = m.bytes();
  b.resize(b.size() - 10);
  AuImpulseTrackerSong song;
  ASSERT_EQ(song.loadImage(b), 0);
  EXPECT_EQ(song.samples[0].start, nullptr);
  EXPECT_EQ(song.samples[0].length, 0u);
}

TEST(ITSong, ChannelCountIsTheHighestChannelThePatternsUse) {
  songtest::IT m;
  for (uint8_t& pan : m.channelPan) pan = 32;  // every slot enabled, as trackers save them
  Cell c;
  c.note = 60;
  c.instrument = 1;
  m.patterns = {songtest::Pattern{}, songtest::Pattern{}};
  m.patterns[0][{0, 2}] = c;
  m.patterns[1][{5, 9}] = c;
  AuImpulseTrackerSong song;
  ASSERT_EQ(song.loadImage(m.bytes()), 0);
  EXPECT_EQ(song.getChannelCount(), 10);
  m.channelPan[9] = 128 | 32;  // a disabled channel does not count
  ASSERT_EQ(song.loadImage(m.bytes()), 0);
  EXPECT_EQ(song.getChannelCount(), 3);
  song.unload();
  EXPECT_EQ(song.getChannelCount(), 0);
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
