// The sound effects as the sample loader reads them: one sample for every id
// 4000-4031, each short, within level (peak below full scale), without DC
// offset and starting and ending at rest (no clicks).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

#include "qz_database_file.h"
#include "qz_sample.h"

namespace {

// The effects as 8-bit unsigned PCM with their rates, by sample id.
struct Effect {
  std::vector<uint8_t> pcm;
  int rate = 0;
};

std::map<int, Effect> readEffects() {
  std::ifstream in(PELLWYN_BINARY_DIR "/data/pellwyn/install/PellwynSounds.pdb", std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  QZDatabaseHeader header;
  std::vector<QZDatabaseEntry> entries;
  std::map<int, Effect> effects;
  if (QZParseDatabase(bytes.data(), bytes.size(), bytes.size(), QZDatabaseKind::Resource, header, entries) != QZ_OK) {
    return effects;
  }
  for (const QZDatabaseEntry& e : entries) {
    Effect& effect = effects[e.id];
    if (e.type == QZFourCC("aPCM")) {
      effect.pcm.resize(2 * static_cast<size_t>(e.size));
      QZDecodeADPCM(bytes.data() + e.offset, e.size, effect.pcm.data());
      effect.rate = 8000;
    } else if (e.type == QZFourCC("WAVE")) {
      QZPlayableRecord r;
      if (r.initRecord(bytes.data() + e.offset, e.size, kQZSamplePCM) == 0) {
        effect.pcm.assign(r.samples, r.samples + r.sampleLength);
        effect.rate = r.rate;
      }
    }
  }
  return effects;
}

TEST(SoundEffects, EverySampleIdHasAShortCleanEffect) {
  const std::map<int, Effect> effects = readEffects();
  for (int id = 4000; id <= 4031; ++id) {
    const auto found = effects.find(id);
    ASSERT_NE(found, effects.end()) << "sample " << id;
    const Effect& e = found->second;
    ASSERT_GT(e.rate, 0) << "sample " << id;
    ASSERT_FALSE(e.pcm.empty()) << "sample " << id;
    EXPECT_LE(e.pcm.size(), static_cast<size_t>(e.rate) * 3 / 2) << "sample " << id << " is over 1.5 s";
    double sum = 0;
    int peak = 0;
    for (uint8_t s : e.pcm) {
      sum += s - 128;
      peak = std::max(peak, std::abs(s - 128));
    }
    EXPECT_LT(peak, 124) << "sample " << id << " reaches full scale";
    EXPECT_GT(peak, 20) << "sample " << id << " is nearly silent";
    EXPECT_LT(std::fabs(sum / static_cast<double>(e.pcm.size())), 1.0) << "sample " << id << " has a DC offset";
    EXPECT_LE(std::abs(e.pcm.front() - 128), 3) << "sample " << id << " starts with a click";
    EXPECT_LE(std::abs(e.pcm.back() - 128), 3) << "sample " << id << " ends with a click";
  }
}

}  // namespace
