#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "qz_audio_waveout.h"
#include "qz_music.h"
#include "qz_preferences.h"
#include "qz_sample.h"
#include "qz_song.h"
#include "qz_song_player.h"
#include "qz_sound.h"
#include "qzf_audio.h"
#include "../platform/song_builder.h"

#include "wince/host/audio.h"

namespace {

class OneEffect : public QZSoundResourceSource {
 public:
  OneEffect() {
    wave = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
            1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0, 1, 0, 8, 0, 'd', 'a', 't', 'a', 0, 16, 0, 0};
    wave.resize(wave.size() + 4096, 200);
  }
  bool getResource(uint32_t type, uint16_t id, QZSoundResource& out) override {
    if (type != kQZTypeWAVE || id != 4002) return false;
    out.data = wave.data();
    out.size = static_cast<uint32_t>(wave.size());
    return true;
  }
  void releaseResource(QZSoundResource&) override {}
  std::vector<uint8_t> wave;
};

// A one-channel S3M with a looping note on row 0 (its bytes written by hand).
std::vector<uint8_t> tinySong() {
  std::vector<uint8_t> b(0x60, 0);
  b[0x20] = 2;  // orders
  b[0x22] = 1;  // instruments
  b[0x24] = 1;  // patterns
  b[0x2A] = 2;
  std::memcpy(b.data() + 0x2C, "SCRM", 4);
  b[0x30] = 64;
  b[0x31] = 6;
  b[0x32] = 125;
  for (int i = 0; i < 32; ++i) b[0x40 + i] = i == 0 ? 0 : 255;
  b.push_back(0);  // orders 0, 255
  b.push_back(255);
  b.push_back(0x07);  // instrument at 0x70
  b.push_back(0x00);
  b.push_back(0x0C);  // pattern at 0xC0
  b.push_back(0x00);
  b.resize(0x70, 0);
  b.resize(0xC0, 0);
  b[0x70] = 1;
  b[0x70 + 0x0E] = 0x10;  // data at 0x100
  b[0x70 + 0x10] = 64;  // 64 samples
  b[0x70 + 0x18] = 64;
  b[0x70 + 0x1C] = 64;
  b[0x70 + 0x1F] = 1;  // loop
  b[0x70 + 0x20] = 0xAB;  // 8363 Hz
  b[0x70 + 0x21] = 0x20;
  const uint8_t pattern[] = {0x20, 0x40, 1, 0};
  b.insert(b.end(), {static_cast<uint8_t>(2 + sizeof pattern + 63), 0});
  b.insert(b.end(), std::begin(pattern), std::end(pattern));
  b.resize(b.size() + 63, 0);
  b.resize(0x100, 0);
  for (int i = 0; i < 64; ++i) b.push_back(i < 32 ? 200 : 56);
  return b;
}

class AudioManager : public ::testing::Test {
 protected:
  void SetUp() override {
    wince::selectWaveOutBackend(wince::WaveOutBackend::Capture, scratchPath("manager.wav"));
    QZSetSoundResourceSource(&effect);
    QZGetSystemPreferences() = QZSystemPreferences{};
    ASSERT_EQ(manager.init(), 0);
  }
  void TearDown() override {
    manager.shutdown();
    QZSetSoundResourceSource(nullptr);
    wince::selectWaveOutBackend(wince::WaveOutBackend::Automatic);
  }
  OneEffect effect;
  CQZFAudioManager manager;
};

TEST_F(AudioManager, IsKindFourteen) {
  CQZFObject child(&manager);
  EXPECT_EQ(child.find(kQZFKindAudioManager), &manager);
  EXPECT_EQ(manager.isOutputAvailable(), 1);
  EXPECT_EQ(manager.getCapabilities(), 3);
}

TEST_F(AudioManager, PlaySoundSetsPanPitchAndVolume) {
  struct Case {
    int pan, pitch;
    int wantPan, wantHalfPeriod;
  } cases[] = {
      {3, 0, 3, 856}, {16, 0, 8, 856}, {-1, 0, 8, 856}, {5, -12, 5, 1712}, {5, 11, 5, 453},
  };
  for (const Case& c : cases) {
    manager.stopAll();
    EXPECT_EQ(manager.playSound(4002, c.pan, c.pitch, 128, 30), 0);
    AuMixerVoice* v = manager.channelVoice(0);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->pan, c.wantPan) << c.pan << " " << c.pitch;
    EXPECT_EQ(v->halfPeriod, c.wantHalfPeriod) << c.pan << " " << c.pitch;
    EXPECT_EQ(v->volume, 128 * 64 / 256);
    EXPECT_FALSE(v->isSilent());
  }
}

TEST_F(AudioManager, SilentModeAndMissingSamplesChangeNoVoice) {
  manager.setSoundMode(1);
  EXPECT_EQ(manager.playSound(4002, 3, 0, 64, 30), 1);
  EXPECT_TRUE(manager.channelVoice(0)->isSilent());
  manager.setSoundMode(0);
  EXPECT_EQ(manager.playSound(4003, 3, 0, 64, 30), -18);
  EXPECT_TRUE(manager.channelVoice(0)->isSilent());
  EXPECT_EQ(manager.channelVoice(0)->pan, 0);
  EXPECT_EQ(manager.playById(4032, 1, nullptr, 0), -1);
}

TEST_F(AudioManager, MutesAndVolumes) {
  manager.setSoundVolume(128);
  EXPECT_EQ(manager.getSoundVolume(), 128);
  EXPECT_EQ(QZGetAudioDevice()->getVolume(), 32);
  manager.setSoundMuted(true);
  EXPECT_EQ(QZGetAudioDevice()->getVolume(), 0);
  manager.setSoundMuted(false);
  EXPECT_EQ(QZGetAudioDevice()->getVolume(), 32);
  manager.silence();
  EXPECT_EQ(QZGetAudioDevice()->getVolume(), 0);
  manager.restoreVolumes();
  EXPECT_EQ(QZGetAudioDevice()->getVolume(), 32);
}

TEST_F(AudioManager, SongsLoadPlayMuteAndSwap) {
  ASSERT_TRUE(songtest::installSong(scratchPath("device"), "tiny.s3m", tinySong()));
  EXPECT_NE(manager.loadScreamTrackerSong(u"absent.s3m"), 0);
  EXPECT_EQ(manager.getSong(), nullptr);
  ASSERT_EQ(manager.loadScreamTrackerSong(u"tiny.s3m"), 0);
  ASSERT_NE(QZGetSongPlayer(), nullptr);  // made on load
  manager.setMusicVolume(128);
  EXPECT_EQ(manager.selectSong(0, false), 0);
  EXPECT_EQ(manager.getSongIndex(), 0);
  AuSongPlayer* player = QZGetSongPlayer();
  EXPECT_EQ(player->getSong(), manager.getSong());
  EXPECT_EQ(player->getVolume(), 32);
  manager.setMusicMuted(true);
  EXPECT_EQ(player->getVolume(), 0);
  manager.setMusicMuted(false);
  EXPECT_EQ(player->getVolume(), 32);
  wince::captureWaveOut(QZGetAudioDevice()->getWaveOut(), 3000);
  EXPECT_FALSE(QZGetAudioDevice()->mixer().voice(4).isSilent());
  // Swapping songs detaches the old one before it is deleted.
  ASSERT_EQ(manager.loadScreamTrackerSong(u"tiny.s3m"), 0);
  EXPECT_EQ(player->getSong(), nullptr);
  wince::captureWaveOut(QZGetAudioDevice()->getWaveOut(), 3000);
  manager.selectSong(0, true);
  EXPECT_EQ(player->getSong(), manager.getSong());
  manager.playSong(-1);
  EXPECT_EQ(player->getSong(), nullptr);
}

}  // namespace
