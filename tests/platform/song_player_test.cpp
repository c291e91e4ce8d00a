#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "qz_audio_device.h"
#include "qz_song.h"
#include "qz_song_player.h"
#include "song_builder.h"

namespace {

using songtest::Cell;

Cell command(int cmd, int info) {
  Cell c;
  c.command = cmd;
  c.info = info;
  return c;
}

Cell note(int n, int instrument = 1, int cmd = 0, int info = 0) {
  Cell c = command(cmd, info);
  c.note = n;
  c.instrument = instrument;
  return c;
}

// A sample with `cycles` sine periods over its length, looping.
songtest::Sample loopedSine(size_t length, double cycles, bool is16 = false) {
  songtest::Sample s;
  s.is16 = is16;
  s.data = songtest::sine(length, cycles, is16, false);
  s.loop = true;
  s.loopStart = 0;
  s.loopEnd = static_cast<uint32_t>(length);
  return s;
}

struct Rig {
  Rig(const std::vector<uint8_t>& bytes, bool it, bool stereo = false) {
    device.open();
    device.setStereo(stereo);
    if (it) {
      song = std::make_unique<AuImpulseTrackerSong>();
    } else {
      song = std::make_unique<AuScreamTrackerSong>();
    }
    EXPECT_EQ(song->loadImage(bytes), 0);
    player = song->makePlayer();
    player->attachSong(song.get());
    player->attachDevice(&device);
  }
  std::vector<int16_t> render(int frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * (device.mixer().isStereo() ? 2 : 1));
    device.mixer().render(out.data(), frames);
    return out;
  }
  // Runs the ticks by hand: the first call plays row 0.
  void ticks(int n) {
    for (int i = 0; i < n; ++i) player->tick(started ? player->getFramesPerTick() : 0), started = true;
  }
  AuMixerVoice& voice(int channel) { return device.mixer().voice(4 + channel); }

  AuMultichannelAudioDevice device;
  std::unique_ptr<AuSong> song;
  std::unique_ptr<AuSongPlayer> player;
  bool started = false;
};

// Zero crossings per second of one channel of the output.
double frequency(const std::vector<int16_t>& pcm, int channels, int channel, int rate) {
  int crossings = 0;
  int first = -1, last = -1;
  for (size_t i = channels + channel; i < pcm.size(); i += channels) {
    if ((pcm[i - channels] < 0) != (pcm[i] < 0)) {
      if (first < 0) first = static_cast<int>(i / channels);
      last = static_cast<int>(i / channels);
      ++crossings;
    }
  }
  return crossings < 2 ? 0 : (crossings - 1) / 2.0 * rate / (last - first);
}

TEST(SongPlayer, OrderMarkersAreSkippedAndTheEndRestarts) {
  songtest::S3M m;
  m.speed = 1;
  m.orders = {0, 254, 1, 255};
  m.patterns = {songtest::Pattern{}, songtest::Pattern{}};
  Rig rig(m.bytes(), false);
  std::vector<int> startOrders;
  for (int i = 0; i < 64 * 3; ++i) {
    rig.ticks(1);
    if (rig.player->getRow() == 0) startOrders.push_back(rig.player->getOrder());
  }
  EXPECT_EQ(startOrders, (std::vector<int>{0, 2, 0}));
}

TEST(SongPlayer, OrdersWithoutPatternsLeaveTheSongSilent) {
  for (std::vector<uint8_t> orders : {std::vector<uint8_t>{254, 255}, std::vector<uint8_t>{255},
                                      std::vector<uint8_t>{254}}) {
    songtest::S3M m;
    m.orders = orders;
    Rig rig(m.bytes(), false);
    rig.render(5000);
    EXPECT_TRUE(rig.player->isStopped());
  }
}

TEST(SongPlayer, SpeedTempoAndBreak) {
  songtest::S3M m;
  m.speed = 1;
  m.orders = {0, 1};
  m.patterns = {songtest::Pattern{}, songtest::Pattern{}};
  m.patterns[0][{0, 0}] = command(20, 20);  // T below 32 plays as 32
  m.patterns[0][{1, 0}] = command(1, 0);  // A00 is ignored
  m.patterns[0][{5, 0}] = command(3, 0x16);  // C always goes to row 0
  Rig rig(m.bytes(), false);
  rig.ticks(1);
  EXPECT_EQ(rig.player->getTempo(), 32);
  EXPECT_EQ(rig.player->getFramesPerTick(), 1722);  // 22050 x 5 / 64 = 1722.7
  rig.ticks(1);
  EXPECT_EQ(rig.player->getSpeed(), 1);
  rig.ticks(4);
  EXPECT_EQ(rig.player->getRow(), 5);
  rig.ticks(1);
  EXPECT_EQ(rig.player->getOrder(), 1);
  EXPECT_EQ(rig.player->getRow(), 0);
}

TEST(SongPlayer, TicksKeepTheTrueLengthAtEveryTempo) {
  struct Case {
    int tempo;
    int ticks;
  };
  // A tick lasts 2.5 / tempo seconds; the counts make the length whole.
  for (const Case& c : {Case{125, 125}, Case{150, 300}, Case{97, 388}, Case{32, 64}, Case{255, 510}, Case{131, 2620}}) {
    songtest::S3M m;
    m.tempo = static_cast<uint8_t>(c.tempo);
    Rig rig(m.bytes(), false);
    int64_t frames = 0;
    int32_t next = rig.player->tick(0);
    for (int i = 0; i < c.ticks; ++i) {
      if (c.tempo == 125) {
        EXPECT_EQ(next, 441);
      }
      frames += next;
      next = rig.player->tick(next);
    }
    EXPECT_NEAR(static_cast<double>(frames), 22050 * 2.5 * c.ticks / c.tempo, 1.0) << "tempo " << c.tempo;
  }
}

TEST(ImpulseTrackerPlayer, TempoSlidesOnEveryTickAfterTheFirst) {
  songtest::IT m;
  m.speed = 4;
  m.patterns[0][{0, 0}] = command(20, 0x05);  // down 5 a tick
  m.patterns[0][{1, 0}] = command(20, 0x13);  // up 3 a tick
  m.patterns[0][{2, 0}] = command(20, 0x00);  // the last slide again
  m.patterns[0][{3, 0}] = command(20, 0x28);  // tempo 40
  m.patterns[0][{4, 0}] = command(20, 0x0F);  // down, but never below 32
  m.patterns[0][{5, 0}] = command(20, 0xFF);
  m.patterns[0][{6, 0}] = command(20, 0x1F);  // up, but never above 255
  Rig rig(m.bytes(), true);
  rig.ticks(1);
  EXPECT_EQ(rig.player->getTempo(), 125);
  const int afterRow[] = {110, 119, 128, 40, 32, 255, 255};
  rig.ticks(3);
  for (int row = 0; row < 7; ++row) {
    EXPECT_EQ(rig.player->getTempo(), afterRow[row]) << "row " << row;
    rig.ticks(4);
  }
}

TEST(SongPlayer, PortamentoDownAddsFourTimesTheInfoPerTick) {
  songtest::S3M m;
  m.samples = {loopedSine(1000, 10)};
  m.patterns[0][{0, 0}] = note(0x40, 1, 5, 0x10);  // C-4, E10
  Rig rig(m.bytes(), false);
  rig.ticks(1);
  EXPECT_EQ(rig.voice(0).halfPeriod, 856);
  rig.ticks(1);
  EXPECT_EQ(rig.voice(0).halfPeriod, 856 + 64);
  rig.ticks(1);
  EXPECT_EQ(rig.voice(0).halfPeriod, 856 + 128);
}

TEST(SongPlayer, VolumesSlidesAndCuts) {
  songtest::S3M m;
  m.speed = 4;
  m.samples = {loopedSine(1000, 10)};
  Cell loud = note(0x40, 1);
  loud.volume = 100;  // above 64: clamped
  m.patterns[0][{0, 0}] = loud;
  m.patterns[0][{1, 0}] = command(4, 0x02);  // slide down 2 on ticks 1-3
  m.patterns[0][{2, 0}] = command(19, 0xC2);  // cut at tick 2
  Rig rig(m.bytes(), false);
  rig.ticks(1);
  EXPECT_EQ(rig.voice(0).volume, 64);
  rig.ticks(4);
  EXPECT_EQ(rig.voice(0).volume, 64);
  rig.ticks(3);
  EXPECT_EQ(rig.voice(0).volume, 58);
  rig.player->setVolume(128);
  EXPECT_EQ(rig.voice(0).volume, 29);
  rig.ticks(3);
  EXPECT_EQ(rig.voice(0).volume, 0);
}

TEST(SongPlayer, NotesOutsideTheOctaveAreIgnored) {
  songtest::S3M m;
  m.samples = {loopedSine(1000, 10)};
  m.patterns[0][{0, 0}] = note(0x4C, 1);
  m.patterns[0][{0, 1}] = note(0x4B, 1);
  Rig rig(m.bytes(), false);
  rig.ticks(1);
  EXPECT_TRUE(rig.voice(0).isSilent());
  EXPECT_FALSE(rig.voice(1).isSilent());
}

TEST(SongPlayer, SampleOffsetCountsSamplesAndStopsPastTheEnd) {
  songtest::S3M m;
  m.samples = {songtest::Sample{}, songtest::Sample{}};
  m.samples[0].is16 = true;
  m.samples[0].data = songtest::sine(1000, 3, true);
  m.samples[1].data = std::vector<uint8_t>(600, 128);
  m.patterns[0][{0, 0}] = note(0x40, 1, 15, 2);
  m.patterns[0][{0, 1}] = note(0x40, 2, 15, 3);
  Rig rig(m.bytes(), false);
  rig.ticks(1);
  EXPECT_EQ(rig.voice(0).position - rig.voice(0).start, 2 * 512);
  EXPECT_TRUE(rig.voice(1).isSilent());
}

struct PitchCase {
  const char* name;
  bool it;
  bool is16;
  int note;
};

TEST(SongPlayer, OneNoteSoundsAtTheSamplePitch) {
  // 8363 Hz sample, 100 cycles in 1900 samples: 440.2 Hz at its own rate.
  const PitchCase cases[] = {{"S3M C-4", false, false, 0x40},
                             {"S3M 16-bit in mono", false, true, 0x40},
                             {"IT C-5", true, false, 60},
                             {"IT 16-bit", true, true, 60}};
  for (const PitchCase& c : cases) {
    std::vector<uint8_t> bytes;
    if (c.it) {
      songtest::IT m;
      m.samples = {loopedSine(1900, 100, c.is16)};
      m.patterns[0][{0, 0}] = note(c.note);
      bytes = m.bytes();
    } else {
      songtest::S3M m;
      m.samples = {loopedSine(1900, 100, c.is16)};
      m.patterns[0][{0, 0}] = note(c.note);
      bytes = m.bytes();
    }
    Rig rig(bytes, c.it);
    const std::vector<int16_t> pcm = rig.render(22050);
    const double expected = 8363.0 * 100 / 1900;
    EXPECT_NEAR(frequency(pcm, 1, 0, 22050) / expected, 1.0, 0.015) << c.name;
  }
}

TEST(SongPlayer, ChannelsPannedLeftComeOutLeft) {
  songtest::S3M s3m;
  s3m.channelSettings[0] = 0;  // a left channel
  s3m.samples = {loopedSine(1900, 100)};
  s3m.patterns[0][{0, 0}] = note(0x40);
  songtest::IT it;
  it.channelPan[0] = 0;
  it.samples = {loopedSine(1900, 100)};
  it.patterns[0][{0, 0}] = note(60);
  for (bool isIt : {false, true}) {
    Rig rig(isIt ? it.bytes() : s3m.bytes(), isIt, true);
    const std::vector<int16_t> pcm = rig.render(4000);
    long left = 0, right = 0;
    for (size_t i = 0; i < pcm.size(); i += 2) {
      left += std::abs(pcm[i]);
      right += std::abs(pcm[i + 1]);
    }
    EXPECT_GT(left, 0) << isIt;
    EXPECT_EQ(right, 0) << isIt;
  }
}

// Both sides of the output of a one-note song in stereo; fails unless the
// note sounds.
void expectCentred(const std::vector<uint8_t>& bytes, bool it, const char* name) {
  Rig rig(bytes, it, true);
  const std::vector<int16_t> pcm = rig.render(4000);
  long loud = 0;
  size_t differing = 0;
  for (size_t i = 0; i < pcm.size(); i += 2) {
    loud += std::abs(pcm[i]);
    differing += pcm[i] != pcm[i + 1];
  }
  EXPECT_GT(loud, 0) << name;
  EXPECT_EQ(differing, 0u) << name;
}

TEST(SongPlayer, CentredChannelsAndMonoSongsSoundTheSameOnBothSides) {
  songtest::IT it;
  it.channelPan[0] = 32;  // the centre of 0..64
  it.samples = {loopedSine(1900, 100)};
  it.patterns[0][{0, 0}] = note(60);
  expectCentred(it.bytes(), true, "IT centre");
  it.channelPan[0] = 0;
  it.flags = 0;  // mono
  expectCentred(it.bytes(), true, "IT mono");
  songtest::S3M s3m;
  s3m.stereo = false;
  s3m.pans = {0};
  s3m.samples = {loopedSine(1900, 100)};
  s3m.patterns[0][{0, 0}] = note(0x40);
  s3m.patterns[0][{1, 0}] = command(19, 0x80);  // S80: no pan in a mono song
  expectCentred(s3m.bytes(), false, "S3M mono");
}

TEST(ImpulseTrackerPlayer, SongsThatEnableEverySlotPlayAtTheLevelOfTheirChannels) {
  songtest::IT used;
  used.samples = {loopedSine(1900, 100)};
  used.patterns[0][{0, 0}] = note(60);
  used.patterns[0][{0, 1}] = note(64);
  songtest::IT every = used;
  for (uint8_t& pan : every.channelPan) pan = 32;
  Rig a(used.bytes(), true);
  Rig b(every.bytes(), true);
  EXPECT_EQ(b.device.mixer().getVoiceCount(), a.device.mixer().getVoiceCount());
  const std::vector<int16_t> expected = a.render(4000);
  EXPECT_EQ(b.render(4000), expected);
  EXPECT_NE(std::count(expected.begin(), expected.end(), 0), static_cast<long>(expected.size()));
}

TEST(ImpulseTrackerPlayer, SlidesUseTheTableAndRememberTheirSpeed) {
  songtest::IT m;
  m.samples = {loopedSine(1000, 10)};
  m.patterns[0][{0, 0}] = note(60, 1, 5, 96);  // E: one octave per tick
  m.patterns[0][{1, 0}] = command(5, 0);  // info 0: the same speed
  m.patterns[0][{2, 0}] = command(6, 200);  // beyond the table: clamped
  Rig rig(m.bytes(), true);
  rig.ticks(1);
  EXPECT_EQ(rig.voice(0).halfPeriod, 856);
  rig.ticks(1);
  EXPECT_EQ(rig.voice(0).halfPeriod, 1712);
  rig.ticks(5);  // ticks 2-5 of row 0, then row 1
  rig.ticks(1);
  EXPECT_EQ(rig.voice(0).halfPeriod, 0x6B00);  // capped
  rig.ticks(6);
  EXPECT_LT(rig.voice(0).halfPeriod, 0x6B00);
}

TEST(ImpulseTrackerPlayer, VolumeSlideKeepsTheFullScale) {
  songtest::IT m;
  m.globalVolume = 128;
  m.samples = {loopedSine(1000, 10)};
  m.patterns[0][{0, 0}] = note(60, 1, 4, 0x01);  // slide down 1 per tick, fast slides on
  Rig rig(m.bytes(), true);
  rig.ticks(1);
  EXPECT_EQ(rig.voice(0).volume, 63);
  rig.ticks(5);
  EXPECT_EQ(rig.voice(0).volume, 58);
}

TEST(SongPlayer, DeletingThePlayerDetachesItFromTheMixer) {
  songtest::S3M m;
  Rig rig(m.bytes(), false);
  EXPECT_NE(rig.device.mixer().getTickCallback(), nullptr);
  rig.player.reset();
  EXPECT_EQ(rig.device.mixer().getTickCallback(), nullptr);
  rig.render(1000);
}

TEST(SongPlayer, TooManyChannelsAreClampedToTheVoices) {
  songtest::S3M m;
  for (int i = 0; i < 32; ++i) m.channelSettings[i] = static_cast<uint8_t>(i % 16);
  m.samples = {loopedSine(1000, 10)};
  for (int ch = 0; ch < 32; ++ch) m.patterns[0][{0, ch}] = note(0x40);
  Rig rig(m.bytes(), false);
  EXPECT_EQ(rig.device.mixer().getVoiceCount(), 32);
  rig.render(2000);
  EXPECT_FALSE(rig.device.mixer().voice(31).isSilent());
}

}  // namespace

namespace {

TEST(ImpulseTrackerPlayer, InstrumentVoicesAndTheVolumeEnvelope) {
  songtest::IT m;
  m.speed = 2;
  m.samples = {loopedSine(1000, 10)};
  songtest::Instrument ins;
  ins.envelopeFlags = 1 | 4;  // on, with a sustain loop over nodes 1-1
  ins.nodes = {{64, 0}, {32, 4}, {32, 4}, {0, 8}};  // a zero span between nodes 1 and 2
  ins.sustainBegin = 1;
  ins.sustainEnd = 1;
  m.instruments = {ins};
  m.patterns[0][{0, 0}] = note(60);
  m.patterns[0][{0, 1}] = note(60);
  m.patterns[0][{4, 0}] = note(255, 0);  // note off: the envelope leaves its sustain
  m.patterns[0][{12, 1}] = note(254, 0);  // cut: that voice ends
  m.patterns[0][{13, 2}] = note(62);
  Rig rig(m.bytes(), true);
  rig.ticks(1);
  // Two channels on the first two free voices.
  EXPECT_FALSE(rig.voice(0).isSilent());
  EXPECT_FALSE(rig.voice(1).isSilent());
  EXPECT_EQ(rig.voice(0).volume, 64);
  rig.ticks(2);  // envelope ticks 1 and 2: 64 -> 32 over 4 ticks
  EXPECT_EQ(rig.voice(0).volume, 48);
  rig.ticks(5);  // held at the sustain node
  EXPECT_EQ(rig.voice(0).volume, 32);
  rig.ticks(8);  // released at row 4: on to the last node, 0
  EXPECT_EQ(rig.voice(0).volume, 0);
  EXPECT_EQ(rig.voice(1).volume, 32);  // still held
  rig.ticks(2 * 9 + 1);  // on to row 17: at row 13 channel 2 took the first ended voice
  EXPECT_TRUE(rig.voice(1).isSilent());  // cut at row 12
  EXPECT_FALSE(rig.voice(0).isSilent());
  EXPECT_EQ(rig.voice(0).halfPeriod, (1524 * 16) >> 5);  // D-5
  EXPECT_EQ(rig.voice(0).volume, 32);  // its own envelope, held at the sustain
}

}  // namespace
