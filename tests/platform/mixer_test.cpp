#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "qz_audio_device.h"
#include "qz_audio_mixer.h"
#include "qz_sample.h"

namespace {

std::vector<int16_t> render(AuMixer& m, int frames) {
  std::vector<int16_t> out(static_cast<size_t>(frames) * (m.isStereo() ? 2 : 1));
  m.render(out.data(), frames);
  return out;
}

AuMixer makeMixer(int voices, bool stereo) {
  AuMixer m;
  m.init();
  m.setRate(22050);
  m.setStereo(stereo);
  m.setVoiceCount(voices);
  return m;
}

TEST(MixerVoice, PeriodGivesStepNearTheSampleRate) {
  AuMixer m = makeMixer(1, false);
  AuMixerVoice& v = m.voice(0);
  v.periodScale = auPeriodScale(8363);
  v.setPeriod(1712);
  // The integer chain runs about 1.2 % flat of 65536 x 8363 / 22050.
  const double ideal = 65536.0 * 8363 / 22050;
  EXPECT_NEAR(v.step / ideal, 1.0, 0.015);
  EXPECT_EQ(v.halfPeriod, 856);
  EXPECT_EQ(auPeriodScale(8000), 4281);
  // setNote: (table x 16 >> octave) x 2, for a voice with a sample.
  const uint8_t data[8] = {};
  v.init(data, data + 8, nullptr, v.periodScale, kAuFormatSigned8);
  v.setNote(5, 9);
  EXPECT_EQ(v.halfPeriod, (1016 * 16) >> 5);
  EXPECT_EQ(v.position, data);
  EXPECT_EQ(auPeriodScale(0), 0);
}

TEST(MixerVoice, PeriodEdgeCases) {
  AuMixer m = makeMixer(1, false);
  AuMixerVoice& v = m.voice(0);
  v.periodScale = 4096;
  v.setPeriod(1712);
  const uint32_t before = v.step;
  v.setPeriod(1);  // (scale x 0) >> 12 is 0: nothing changes
  EXPECT_EQ(v.step, before);
  EXPECT_EQ(v.halfPeriod, 856);
  // c = 6 overflowed 32 bits before; the step now follows the formula.
  v.setPeriod(12);
  EXPECT_EQ(v.step, static_cast<uint32_t>(((14143864LL / 6) << 10) / (22050 >> 5)));
  v.rate = 16;  // rate >> 5 == 0: no division by zero, step unchanged
  v.setPeriod(1712);
  EXPECT_EQ(v.halfPeriod, 6);
}

TEST(MixerVoice, PositionPastTheEndStopsTheVoice) {
  const uint8_t data[4] = {1, 2, 3, 4};
  AuMixerVoice v;
  v.init(data, data + 4, nullptr, 4096, kAuFormatSigned8);
  v.setPosition(3);
  EXPECT_EQ(v.position, data + 3);
  v.setPosition(4);
  EXPECT_TRUE(v.isSilent());
  v.setPan(20);
  EXPECT_EQ(v.pan, 15);
  v.setPan(-3);
  EXPECT_EQ(v.pan, 0);
}

TEST(Mixer, NonLoopingVoiceFallsSilentWithinTheChunk) {
  AuMixer m = makeMixer(1, false);
  std::vector<uint8_t> data(10, 100);  // signed 8-bit
  AuMixerVoice& v = m.voice(0);
  v.init(data.data(), data.data() + data.size(), nullptr, 4096, kAuFormatSigned8);
  v.setVolume(64);
  v.step = 0x10000;
  v.position = v.start;
  const std::vector<int16_t> out = render(m, 20);
  // acc = 64 x 100 = 6400; g = 768; (6400 x 768) >> 6 clamps to 32767.
  EXPECT_EQ(out[0], 32767);
  EXPECT_EQ(out[9], 32767);
  EXPECT_EQ(out[10], 0);
  EXPECT_TRUE(v.isSilent());
}

TEST(Mixer, LoopingVoiceWrapsToTheLoopStart) {
  AuMixer m = makeMixer(1, false);
  const uint8_t data[4] = {1, 2, 3, 4};
  AuMixerVoice& v = m.voice(0);
  v.init(data, data + 4, data + 2, 4096, kAuFormatSigned8);
  v.setVolume(1);
  v.step = 0x10000;
  v.position = v.start;
  const std::vector<int16_t> out = render(m, 8);
  const std::vector<int16_t> expected = {12, 24, 36, 48, 36, 48, 36, 48};  // v x 768 >> 6
  EXPECT_EQ(out, expected);
  EXPECT_EQ(v.position, data + 2);
}

TEST(Mixer, StereoPanAndSixteenBitScaling) {
  AuMixer m = makeMixer(1, true);
  const int16_t sample[2] = {1024, 1024};
  AuMixerVoice& v = m.voice(0);
  v.init(reinterpret_cast<const uint8_t*>(sample), reinterpret_cast<const uint8_t*>(sample + 2), nullptr, 4096,
         kAuFormatSigned16);
  v.setVolume(64);
  v.setPan(15);
  v.step = 0x8000;
  v.position = v.start;
  const std::vector<int16_t> out = render(m, 4);
  // w = 64 x 1024 / 256 = 256: left 15 x 256 / 16 = 240, right 0.
  EXPECT_EQ(out[0], 240 * 768 >> 5);
  EXPECT_EQ(out[1], 0);
  EXPECT_EQ(out[6], 240 * 768 >> 5);
}

TEST(Mixer, MonoMixesSixteenBitVoicesAtTheStereoScale) {
  AuMixer m = makeMixer(1, false);
  const int16_t sample[1] = {-256};
  AuMixerVoice& v = m.voice(0);
  v.init(reinterpret_cast<const uint8_t*>(sample), reinterpret_cast<const uint8_t*>(sample + 1), nullptr, 4096,
         kAuFormatSigned16);
  v.setVolume(64);
  v.step = 0x10000;
  v.position = v.start;
  const std::vector<int16_t> out = render(m, 2);
  EXPECT_EQ(out[0], (-64 * 768) >> 6);
  EXPECT_EQ(out[1], 0);
}

TEST(Mixer, OutputIsClampedAndSilentWithoutVoices) {
  AuMixer m = makeMixer(32, true);
  std::vector<uint8_t> data(300, 0);  // unsigned: -128, the loudest negative
  for (int i = 0; i < 32; ++i) {
    AuMixerVoice& v = m.voice(i);
    v.init(data.data(), data.data() + data.size(), nullptr, 4096, kAuFormatUnsigned8);
    v.setVolume(32767);
    v.setPan(15);
    v.step = 0x10000;
    v.position = v.start;
  }
  const std::vector<int16_t> out = render(m, 200);
  EXPECT_EQ(*std::min_element(out.begin(), out.end()), -32767);
  EXPECT_EQ(out[1], 0);

  AuMixer none = makeMixer(0, false);
  EXPECT_EQ(render(none, 10), std::vector<int16_t>(10, 0));
}

struct TickLog {
  std::vector<int32_t> elapsed;
  int32_t next = 0;
};

int32_t logTick(AuMixer*, void* user, int32_t frames) {
  auto* log = static_cast<TickLog*>(user);
  log->elapsed.push_back(frames);
  return log->next;
}

TEST(Mixer, TickCallbackRunsAtItsFrameCounts) {
  AuMixer m = makeMixer(4, false);
  TickLog log;
  log.next = 100;
  m.setTickCallback(&logTick, &log);
  render(m, 250);
  EXPECT_EQ(log.elapsed, (std::vector<int32_t>{0, 100, 100}));
  // A callback that asks for no frames still lets the render finish.
  log.next = 0;
  log.elapsed.clear();
  m.setTickCallback(&logTick, &log);
  render(m, 5);
  EXPECT_EQ(log.elapsed.size(), 5u);
}

class EffectDevice : public ::testing::Test {
 protected:
  void SetUp() override {
    device.open();
    wave = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
            1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0, 1, 0, 8, 0, 'd', 'a', 't', 'a', 64, 0, 0, 0};
    wave.resize(wave.size() + 64, 200);
    ASSERT_EQ(sample.loadData(wave.data(), static_cast<uint32_t>(wave.size()), kQZSamplePCM), 0);
  }
  AuMultichannelAudioDevice device;
  std::vector<uint8_t> wave;
  QZSample sample;
};

TEST_F(EffectDevice, ChannelChoiceByPriority) {
  int channel = -2;
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(device.playSample(&sample, 1712, 10, &channel, 0), 0);
    EXPECT_EQ(channel, i);
  }
  // Every channel busy at priority 9 (10, dropped by one after the start).
  EXPECT_EQ(device.playSample(&sample, 1712, 9, &channel, 0), 0);
  EXPECT_EQ(channel, -1);
  EXPECT_EQ(device.playSample(&sample, 1712, 10, &channel, 0), 0);
  EXPECT_EQ(channel, 0);
  EXPECT_EQ(device.playSample(nullptr, 1712, 10, &channel, 0), -5);
  EXPECT_EQ(channel, -1);
}

TEST_F(EffectDevice, PriorityZeroDoesNotWrap) {
  int channel = -2;
  for (int i = 0; i < 4; ++i) device.playSample(&sample, 1712, 0, &channel, 0);
  EXPECT_EQ(device.getChannelPriority(0), 0);
  EXPECT_EQ(device.playSample(&sample, 1712, 1, &channel, 0), 0);
  EXPECT_EQ(channel, 0);
}

TEST_F(EffectDevice, FinishedEffectFreesItsChannel) {
  int channel = -2;
  device.setVolume(64);
  device.playSample(&sample, 1712, 5, &channel, 0);
  ASSERT_EQ(channel, 0);
  EXPECT_EQ(device.mixer().voice(0).volume, 64);
  std::vector<int16_t> out(2000);
  device.mixer().render(out.data(), 2000);
  EXPECT_TRUE(device.mixer().voice(0).isSilent());
  device.playSample(&sample, 1712, 1, &channel, 0);
  EXPECT_EQ(channel, 0);
}

}  // namespace
