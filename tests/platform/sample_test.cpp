#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "qz_sample.h"

namespace {

void le32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void chunk(std::vector<uint8_t>& b, const char* tag, const std::vector<uint8_t>& body, uint32_t size) {
  b.insert(b.end(), tag, tag + 4);
  le32(b, size);
  b.insert(b.end(), body.begin(), body.end());
}

// A RIFF WAVE image: fmt (size fmtSize), the extra chunks, then data.
std::vector<uint8_t> wave(uint32_t rate, const std::vector<uint8_t>& pcm,
                          const std::vector<std::pair<std::string, std::vector<uint8_t>>>& extra = {},
                          uint32_t fmtSize = 16) {
  std::vector<uint8_t> b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
  std::vector<uint8_t> fmt = {1, 0, 1, 0};
  le32(fmt, rate);
  le32(fmt, rate);
  fmt.insert(fmt.end(), {1, 0, 8, 0});
  fmt.resize(fmtSize, 0);
  chunk(b, "fmt ", fmt, fmtSize);
  for (const auto& [tag, body] : extra) chunk(b, tag.c_str(), body, static_cast<uint32_t>(body.size()));
  chunk(b, "data", pcm, static_cast<uint32_t>(pcm.size()));
  return b;
}

TEST(Wave, FindsTheDataChunk) {
  const std::vector<uint8_t> pcm = {128, 129, 130};
  struct Case {
    const char* name;
    std::vector<uint8_t> image;
  } cases[] = {
      {"plain", wave(22050, pcm)},
      {"list chunk between", wave(22050, pcm, {{"LIST", std::vector<uint8_t>(26, 'x')}})},
      // Odd chunk sizes get no pad byte: the next tag follows at once.
      {"odd chunk, no pad", wave(22050, pcm, {{"junk", std::vector<uint8_t>(3, 'y')}})},
      {"longer fmt", wave(22050, pcm, {}, 18)},
  };
  for (const Case& c : cases) {
    QZPlayableRecord r;
    ASSERT_EQ(r.initRecord(c.image.data(), static_cast<uint32_t>(c.image.size()), kQZSamplePCM), 0) << c.name;
    EXPECT_EQ(r.kind, kQZSamplePCM) << c.name;
    EXPECT_EQ(r.state, 2u) << c.name;
    EXPECT_EQ(r.rate, 22050) << c.name;
    EXPECT_EQ(r.bits, 0x0800) << c.name;
    ASSERT_EQ(r.sampleLength, 3u) << c.name;
    EXPECT_EQ(std::memcmp(r.samples, pcm.data(), 3), 0) << c.name;
  }
}

TEST(Wave, RejectsImagesWithoutPlayableData) {
  std::vector<uint8_t> good = wave(8000, {1, 2, 3, 4});
  std::vector<uint8_t> noData = good;
  std::memcpy(noData.data() + 36, "dat_", 4);
  std::vector<uint8_t> tooLong = good;
  tooLong[40] = 5;  // data size past the end
  std::vector<uint8_t> hugeChunk = wave(8000, {1}, {{"LIST", {}}});
  hugeChunk[40] = 0xFF;  // LIST size jumps past the end
  hugeChunk[41] = 0xFF;
  hugeChunk[42] = 0xFF;
  hugeChunk[43] = 0xFF;
  std::vector<uint8_t> noFmt = good;
  std::memcpy(noFmt.data() + 12, "fmx ", 4);
  std::vector<uint8_t> rateZero = wave(0, {1, 2});
  const std::vector<uint8_t>* bad[] = {&noData, &tooLong, &hugeChunk, &noFmt, &rateZero};
  for (const auto* image : bad) {
    QZPlayableRecord r;
    EXPECT_EQ(r.initRecord(image->data(), static_cast<uint32_t>(image->size()), kQZSamplePCM), -1);
    EXPECT_EQ(r.kind, kQZSampleEmpty);
    EXPECT_EQ(r.samples, nullptr);
  }
  QZPlayableRecord r;
  EXPECT_EQ(r.initRecord(good.data(), 30, kQZSamplePCM), -1);  // truncated header
  EXPECT_EQ(r.initRecord(nullptr, 0, kQZSamplePCM), -1);
}

TEST(ADPCM, ZeroCodesShrinkTheStepToItsFloor) {
  const uint8_t in[1] = {0x00};
  uint8_t out[2] = {};
  QZDecodeADPCM(in, 1, out);
  // s = 127: d = 63 / 4 = 15, p = 15 -> 15 >> 8 = 0 -> 128; then p = 30.
  EXPECT_EQ(out[0], 128);
  EXPECT_EQ(out[1], 128);
}

TEST(ADPCM, NibbleOrderSignAndClamp) {
  // Low nibble 7 (big rise) first, then 0xF (big fall).
  const uint8_t in[1] = {0xF7};
  uint8_t out[2] = {};
  QZDecodeADPCM(in, 1, out);
  // 7: d = (63 + 127 + 254 + 508) / 4 = 238, p = 238 -> 0 + 128.
  EXPECT_EQ(out[0], 128);
  // s = 127 x 614 >> 8 = 304; 0xF: d = (152 + 304 + 608 + 1216) / 4 = 570,
  // p = 238 - 570 = -332 -> -332 >> 8 = -2 -> 126.
  EXPECT_EQ(out[1], 126);

  std::vector<uint8_t> rise(400, 0x77);
  std::vector<uint8_t> pcm(800);
  QZDecodeADPCM(rise.data(), rise.size(), pcm.data());
  EXPECT_EQ(pcm.back(), 255);  // 32767 >> 8 = 127, + 128
  std::vector<uint8_t> fall(400, 0xFF);
  QZDecodeADPCM(fall.data(), fall.size(), pcm.data());
  EXPECT_EQ(pcm.back(), 0);  // clamped to -32767 before the shift
}

TEST(Sample, ADPCMIsDecodedWhenFirstPrepared) {
  const std::vector<uint8_t> codes = {0x12, 0x34, 0x9A};
  QZSample s;
  ASSERT_EQ(s.loadData(codes.data(), 3, kQZSampleADPCM), 0);
  EXPECT_EQ(s.getRecord()->kind, kQZSampleADPCM);
  EXPECT_EQ(s.prepare(kQZSampleADPCM), 0);
  ASSERT_EQ(s.prepare(kQZSamplePCM), 0);
  const QZPlayableRecord& r = *s.getRecord();
  EXPECT_EQ(r.kind, kQZSamplePCM);
  EXPECT_EQ(r.rate, 8000);
  EXPECT_EQ(r.sampleLength, 6u);
  uint8_t expected[6];
  QZDecodeADPCM(codes.data(), 3, expected);
  EXPECT_EQ(std::memcmp(r.samples, expected, 6), 0);
  EXPECT_EQ(s.prepare(kQZSamplePCM), 0);  // PCM for good
}

TEST(Sample, EmptyRecordCannotBePlayed) {
  QZSample s;
  EXPECT_EQ(s.prepare(kQZSamplePCM), -18);
  EXPECT_EQ(s.load(4000), -5);  // the resource manager has no such resource
}

class FakeSource : public QZSoundResourceSource {
 public:
  bool getResource(uint32_t type, uint16_t id, QZSoundResource& out) override {
    if (id != 4001 || type != kQZTypeAPCM) return false;
    out.data = bytes;
    out.size = 2;
    out.handle = this;
    return true;
  }
  void releaseResource(QZSoundResource&) override { ++released; }
  uint8_t bytes[2] = {0x11, 0x22};
  int released = 0;
};

TEST(Sample, LoadsWaveFirstThenADPCMAndReleasesTheResource) {
  FakeSource source;
  QZSetSoundResourceSource(&source);
  {
    QZSample s;
    EXPECT_EQ(s.load(4000), -5);
    QZSample t;
    ASSERT_EQ(t.load(4001), 0);
    EXPECT_EQ(t.getRecord()->kind, kQZSampleADPCM);
  }
  EXPECT_EQ(source.released, 1);
  QZSetSoundResourceSource(nullptr);
}

}  // namespace
