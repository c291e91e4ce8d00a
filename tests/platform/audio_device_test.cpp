#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "qz_audio_waveout.h"
#include "qz_music.h"
#include "qz_preferences.h"
#include "qz_resource_manager.h"
#include "qz_sample.h"
#include "qz_song.h"
#include "qz_song_player.h"
#include "qz_sound.h"
#include "song_builder.h"

#include "wince/host/audio.h"

namespace {

std::vector<uint8_t> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A square wave as an 8-bit unsigned WAVE image.
std::vector<uint8_t> squareWave(size_t length) {
  std::vector<uint8_t> b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                            1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x22, 0x56, 0, 0, 1, 0, 8, 0, 'd', 'a', 't', 'a'};
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(length >> (8 * i)));
  for (size_t i = 0; i < length; ++i) b.push_back((i / 20) % 2 ? 200 : 56);
  return b;
}

// Sums the absolute left and right samples of a captured 16-bit stereo WAV.
std::pair<long, long> loudness(const std::vector<uint8_t>& wav) {
  long left = 0, right = 0;
  for (size_t i = 44; i + 3 < wav.size(); i += 4) {
    left += std::abs(static_cast<int16_t>(wav[i] | (wav[i + 1] << 8)));
    right += std::abs(static_cast<int16_t>(wav[i + 2] | (wav[i + 3] << 8)));
  }
  return {left, right};
}

class CaptureBackend : public ::testing::Test {
 protected:
  void SetUp() override {
    path = scratchPath(std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".wav");
    wince::selectWaveOutBackend(wince::WaveOutBackend::Capture, path);
  }
  void TearDown() override {
    wince::selectWaveOutBackend(wince::WaveOutBackend::Automatic);
    wince::setWaveOutDeviceCount(1);
  }
  std::string path;
};

TEST_F(CaptureBackend, DevicePlaysAnEffectThroughTheWaveOutput) {
  const std::vector<uint8_t> wave = squareWave(3000);
  std::vector<uint8_t> wav;
  QZSample sample;
  ASSERT_EQ(sample.loadData(wave.data(), static_cast<uint32_t>(wave.size()), kQZSamplePCM), 0);
  {
    AuWin32AudioDevice device;
    ASSERT_EQ(device.open(), 0);
    device.setStereo(true);
    device.setVolume(64);
    ASSERT_EQ(device.setActive(1), 0);
    EXPECT_TRUE(device.isActive());
    ASSERT_NE(device.getWaveOut(), nullptr);
    int channel = -1;
    EXPECT_EQ(device.playSample(&sample, 1712, 10, &channel, 0), 0);
    EXPECT_EQ(wince::captureWaveOut(device.getWaveOut(), 6000), 6000u);
    EXPECT_EQ(device.setActive(0), 0);
    EXPECT_EQ(device.getWaveOut(), nullptr);
    wav = readFile(path);
    EXPECT_EQ(device.setActive(1), 0);  // and again
  }
  ASSERT_GE(wav.size(), 44u + 6000 * 4);
  const auto [left, right] = loudness(wav);
  EXPECT_GT(left, 0);
  EXPECT_GT(right, 0);  // pan 8: both sides
}

TEST_F(CaptureBackend, WithoutAWaveDeviceNothingIsQueued) {
  wince::setWaveOutDeviceCount(0);
  AuWin32AudioDevice device;
  device.open();
  EXPECT_EQ(device.setActive(1), -1);
  EXPECT_FALSE(device.isActive());
  EXPECT_EQ(device.getWaveOut(), nullptr);
}

class Resources : public QZSoundResourceSource {
 public:
  bool getResource(uint32_t type, uint16_t id, QZSoundResource& out) override {
    auto it = items.find({type, id});
    if (it == items.end()) return false;
    out.data = it->second.data();
    out.size = static_cast<uint32_t>(it->second.size());
    out.handle = &it->second;
    return true;
  }
  void releaseResource(QZSoundResource&) override {}
  std::map<std::pair<uint32_t, uint16_t>, std::vector<uint8_t>> items;
};

class Layer : public CaptureBackend {
 protected:
  void SetUp() override {
    CaptureBackend::SetUp();
    resources.items[{kQZTypeWAVE, 4000}] = squareWave(2000);
    resources.items[{kQZTypeAPCM, 4031}] = std::vector<uint8_t>(500, 0x17);
    QZSetSoundResourceSource(&resources);
    QZGetSystemPreferences() = QZSystemPreferences{};
  }
  void TearDown() override {
    _UnloadSampleResources();
    QZSetSoundResourceSource(nullptr);
    QZSetAudioDeviceKind(false, false);
    CaptureBackend::TearDown();
  }
  Resources resources;
};

TEST_F(Layer, StartLoadsTheSamplesAndSetsFirstVolumes) {
  QZSetAudioDeviceKind(false, true);
  ASSERT_EQ(QZStartAudio(), 0);
  EXPECT_EQ(QZGetSystemPreferences().effectsVolume, 256);
  EXPECT_TRUE(QZGetSystemPreferences().volumesSet);
  EXPECT_EQ(QZGetAudioDevice()->getVolume(), 32);
  EXPECT_TRUE(QZGetAudioDevice()->mixer().isStereo());
  EXPECT_NE(QZGetSample(4000), nullptr);
  EXPECT_NE(QZGetSample(4031), nullptr);
  EXPECT_EQ(QZGetSample(4001), nullptr);
  int channel = -2;
  for (uint16_t id : {3999, 4001, 4032}) EXPECT_EQ(QZPlaySound(id, 5, &channel, 0), -1) << id;
  EXPECT_EQ(QZPlaySound(4031, 5, &channel, 0), 0);  // decoded on the first play
  EXPECT_EQ(channel, 0);
  EXPECT_EQ(QZGetSample(4031)->getRecord()->kind, kQZSamplePCM);
  EXPECT_EQ(QZSetChannelPan(-1, 3), -18);
  EXPECT_EQ(QZSetChannelPan(channel, 3), 0);
  EXPECT_EQ(QZGetChannelVoice(channel)->pan, 3);
  EXPECT_EQ(QZSetChannelVolume(channel, 128), 0);
  EXPECT_EQ(QZGetChannelVoice(channel)->volume, 16);
  EXPECT_EQ(QZPlaySoundEntry({static_cast<uint16_t>(4000 | 0x2000), 5}), 0);
  EXPECT_EQ(QZGetChannelVoice(1)->isSilent(), false);
  QZSetSoundMode(1);
  EXPECT_EQ(QZGetAudibleSoundEffectVolume(), 0);
  // A new graphics mode or language drops the samples (their voices first)
  // and loads them again.
  CQZResourceManager& manager = CQZResourceManager::instance();
  manager.setModeAndLanguage(manager.graphicsMode(), manager.language());
  EXPECT_TRUE(QZGetChannelVoice(0)->isSilent());
  EXPECT_NE(QZGetSample(4000), nullptr);
}

TEST_F(Layer, SmartphonePlaysMonoAndStartsWithoutADevice) {
  QZSetAudioDeviceKind(true, false);
  wince::setWaveOutDeviceCount(0);
  EXPECT_EQ(QZStartAudio(), 0);
  EXPECT_FALSE(QZGetAudioDevice()->mixer().isStereo());
  EXPECT_EQ(QZGetAudioDevice()->getVolume(), 64);
}

TEST_F(Layer, SongsLoadFromTheFoldersAndPlay) {
  songtest::S3M m;
  m.samples = {songtest::Sample{}};
  m.samples[0].data = songtest::sine(1900, 100, false, true);
  m.samples[0].loop = true;
  m.samples[0].loopEnd = 1900;
  m.channelSettings[0] = 0;
  songtest::Cell c;
  c.note = 0x40;
  c.instrument = 1;
  m.patterns[0][{0, 0}] = c;
  ASSERT_TRUE(songtest::installSong(scratchPath("device"), "tune.s3m", m.bytes()));

  ASSERT_EQ(QZStartAudio(), 0);
  QZSetSongFolder(u"\\missing");
  AuScreamTrackerSong song;
  ASSERT_EQ(QZLoadS3MSong(&song, u"tune.s3m"), 0);  // falls back to the install folder
  EXPECT_EQ(QZLoadS3MSong(&song, u"none.s3m"), -1);
  ASSERT_EQ(QZLoadS3MSong(&song, u"tune.s3m"), 0);
  ASSERT_EQ(QZPlaySong(&song), 0);
  EXPECT_TRUE(QZIsSongLoaded());
  EXPECT_EQ(QZGetSongPlayer()->getVolume(), 64);
  QZSetMusicMute(true);
  EXPECT_EQ(QZGetSongPlayer()->getVolume(), 0);
  EXPECT_EQ(QZGetEffectiveMusicVolume(), 0);
  QZSetMusicMute(false);
  EXPECT_EQ(QZGetSongPlayer()->getVolume(), 64);
  wince::captureWaveOut(QZGetAudioDevice()->getWaveOut(), 8000);
  QZPlaySong(nullptr);
  QZSetSongFolder(u"");
  _UnloadSampleResources();
  const auto [left, right] = loudness(readFile(path));
  EXPECT_GT(left, 0);
  EXPECT_EQ(right, 0);  // a left channel
}

TEST_F(Layer, SongsSwapWhileTheAudioThreadPlaysThem) {
  // The audio thread renders (and ticks the player) while this thread swaps
  // and deletes songs: each song goes only after it has been detached.
  songtest::S3M m;
  m.speed = 1;
  m.samples = {songtest::Sample{}};
  m.samples[0].data = songtest::sine(500, 10, false, true);
  m.samples[0].loop = true;
  m.samples[0].loopEnd = 500;
  for (int row = 0; row < 64; ++row) {
    songtest::Cell c;
    c.note = 0x40 + row % 12;
    c.instrument = 1;
    m.patterns[0][{row, 0}] = c;
  }
  const std::vector<uint8_t> bytes = m.bytes();
  ASSERT_EQ(QZStartAudio(), 0);
  const HWAVEOUT hwo = QZGetAudioDevice()->getWaveOut();
  std::atomic<bool> stop{false};
  std::thread audio([&] {
    while (!stop) wince::captureWaveOut(hwo, 50000);
  });
  for (int i = 0; i < 3000; ++i) {
    auto song = std::make_unique<AuScreamTrackerSong>();
    ASSERT_EQ(song->loadImage(bytes), 0);
    QZPlaySong(song.get());
    QZSetMusicVolume(i % 256);
    QZPlaySong(nullptr);
  }
  stop = true;
  audio.join();
}

}  // namespace
