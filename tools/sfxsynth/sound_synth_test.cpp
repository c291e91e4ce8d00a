#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "qz_sample.h"
#include "sound_synth.h"

namespace {

TEST(SoundSynth, ParsesSpecsAndRefusesBadOnes) {
  EffectSpec spec;
  std::string error;
  ASSERT_TRUE(parseEffectSpec("format apcm # coded\nwave sine\nfreq 1000 500\nlength 0.1\n", spec, error));
  EXPECT_EQ(spec.rate, 8000u);
  EXPECT_EQ(spec.endHz, 500);
  EXPECT_EQ(synthesise(spec).size(), 800u);
  EXPECT_FALSE(parseEffectSpec("wave organ\n", spec, error));
  EXPECT_EQ(error, "line 1: bad 'wave'");
  EXPECT_FALSE(parseEffectSpec("length -1\n", spec, error));
  EXPECT_FALSE(parseEffectSpec("loudness 3\n", spec, error));
}

TEST(SoundSynth, VoicesStartLateAndTheMixStaysBelowFullScaleWithoutDC) {
  EffectSpec spec;
  std::string error;
  ASSERT_TRUE(parseEffectSpec("length 0.2\nwave square\nfreq 200\nvolume 1\n"
                              "voice\nstart 0.1\nwave noise\nlowpass 2000\nvolume 1\n",
                              spec, error))
      << error;
  ASSERT_EQ(spec.moreVoices.size(), 1u);
  EXPECT_EQ(spec.moreVoices[0].delay, 0.1);
  EXPECT_EQ(spec.moreVoices[0].startHz, 200);  // a new voice starts as a copy of the first
  const std::vector<int16_t> pcm = synthesise(spec);
  double sum = 0;
  int peak = 0;
  for (int16_t s : pcm) {
    sum += s;
    peak = std::max(peak, std::abs(static_cast<int>(s)));
  }
  EXPECT_LE(peak, 29491);
  EXPECT_LT(std::fabs(sum / static_cast<double>(pcm.size())), 2.0);
  EXPECT_EQ(pcm.front(), 0);
  EXPECT_FALSE(parseEffectSpec("lowpass -5\n", spec, error));
  EXPECT_FALSE(parseEffectSpec("voice\nstart x\n", spec, error));
  EXPECT_EQ(error, "line 2: bad 'start'");
}

TEST(SoundSynth, WaveImagesReadBackWithEvenChunks) {
  const std::vector<int16_t> pcm = {0, 32767, -32768, 256, -256};
  const std::vector<uint8_t> image = encodeWave(pcm, 22050);
  EXPECT_EQ(image.size() % 2, 0u);
  QZPlayableRecord r;
  ASSERT_EQ(r.initRecord(image.data(), static_cast<uint32_t>(image.size()), kQZSamplePCM), 0);
  EXPECT_EQ(r.rate, 22050);
  ASSERT_EQ(r.sampleLength, 6u);
  const uint8_t expected[6] = {128, 255, 0, 129, 127, 128};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(r.samples[i], expected[i]) << i;
}

TEST(SoundSynth, ADPCMRoundTripFollowsTheSignal) {
  EffectSpec spec;
  spec.format = "apcm";
  spec.rate = 8000;
  spec.wave = "sine";
  spec.startHz = spec.endHz = 300;
  spec.length = 0.5;
  spec.decay = 0;
  const std::vector<int16_t> pcm = synthesise(spec);
  const std::vector<uint8_t> codes = encodeADPCM(pcm);
  ASSERT_EQ(codes.size(), pcm.size() / 2);
  std::vector<uint8_t> decoded(pcm.size());
  QZDecodeADPCM(codes.data(), codes.size(), decoded.data());
  double error = 0;
  double signal = 0;
  for (size_t i = 0; i < pcm.size(); ++i) {
    const double want = pcm[i] / 256.0;
    error += std::pow((decoded[i] - 128) - want, 2);
    signal += want * want;
  }
  EXPECT_GT(10 * std::log10(signal / error), 20.0);  // dB
}

}  // namespace
