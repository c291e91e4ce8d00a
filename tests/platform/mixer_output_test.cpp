// The mixer's output pinned to the byte: hashes of what the plain per-sample
// loop rendered, for the packaged modules and for a fixture of voices that
// reaches every path of the mixer (formats, loops, steps of any size, the
// clamp at both ends). A faster loop must give the same bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "qz_audio_device.h"
#include "qz_audio_mixer.h"
#include "qz_song.h"
#include "qz_song_player.h"

namespace {

uint64_t fnv1a(const std::vector<int16_t>& samples) {
  uint64_t h = 14695981039346656037ULL;
  for (int16_t s : samples) {
    const auto u = static_cast<uint16_t>(s);
    for (uint8_t byte : {static_cast<uint8_t>(u & 0xFF), static_cast<uint8_t>(u >> 8)}) {
      h ^= byte;
      h *= 1099511628211ULL;
    }
  }
  return h;
}

// Renders in uneven blocks so that chunk and tick boundaries fall anywhere.
std::vector<int16_t> renderAll(AuMixer& mixer, int frames) {
  const int channels = mixer.isStereo() ? 2 : 1;
  std::vector<int16_t> out(static_cast<size_t>(frames) * static_cast<size_t>(channels));
  int done = 0;
  for (int block = 1; done < frames; block = block * 7 % 1000 + 3) {
    const int n = std::min(block, frames - done);
    mixer.render(out.data() + static_cast<ptrdiff_t>(done) * channels, n);
    done += n;
  }
  return out;
}

struct ModuleCase {
  const char* path;
  bool it;
  uint64_t mono;
  uint64_t stereo;
};

TEST(MixerOutput, PackagedModulesRenderToTheSameBytes) {
  const ModuleCase cases[] = {
      {"/usr/share/pachi/music/menu.s3m", false, 0x662f16c822ee75e9, 0x497be05c2f91c82f},
      {"/usr/share/pachi/music/stage1.s3m", false, 0xcad2c2f3edbe18f3, 0xe519192ef52f11ad},
      {"/usr/share/sounds/gweled/autonom.s3m", false, 0xd27f37b188456a03, 0x9f66d87b978e3329},
      {"/usr/share/games/gltron/music/song_revenge_of_cats.it", true, 0xdce5b7ef0ac75da2, 0x647404dfb41225bc},
  };
  bool any = false;
  for (const ModuleCase& c : cases) {
    std::ifstream in(c.path, std::ios::binary);
    if (!in) continue;
    any = true;
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (bool stereo : {false, true}) {
      std::unique_ptr<AuSong> song;
      if (c.it) {
        song = std::make_unique<AuImpulseTrackerSong>();
      } else {
        song = std::make_unique<AuScreamTrackerSong>();
      }
      ASSERT_EQ(song->loadImage(bytes), 0) << c.path;
      AuMultichannelAudioDevice device;
      device.open();
      device.setStereo(stereo);
      std::unique_ptr<AuSongPlayer> player = song->makePlayer();
      player->attachSong(song.get());
      player->attachDevice(&device);
      const uint64_t hash = fnv1a(renderAll(device.mixer(), 8 * 22050));
      EXPECT_EQ(hash, stereo ? c.stereo : c.mono)
          << c.path << (stereo ? " stereo" : " mono") << " 0x" << std::hex << hash;
    }
  }
  if (!any) GTEST_SKIP() << "no module files: install pachi-data, gweled and gltron";
}

// Every format, mono and stereo, one voice and all 32: loops that wrap many
// times in a chunk, a loop start at the end, a voice that runs out, steps
// below one sample, far above it and near the 32-bit limit, volumes that
// drive the output into the clamp both ways and a start mid-sample.
TEST(MixerOutput, VoiceFixtureRendersToTheSameBytes) {
  std::vector<uint8_t> data(3001);
  uint32_t seed = 12345;
  for (uint8_t& b : data) {
    seed = seed * 1103515245 + 12345;
    b = static_cast<uint8_t>(seed >> 16);
  }
  struct Case {
    int voices;
    bool stereo;
    uint64_t hash;
  };
  const Case cases[] = {{1, false, 0x36fc8317a915c396},
                        {1, true, 0x6fecee7435c7518c},
                        {32, false, 0x1047fa09a92a4230},
                        {32, true, 0x404ecb668aeddc6b},
                        {7, true, 0x8fc47caf37ebb116}};
  for (const Case& c : cases) {
    AuMixer mixer;
    mixer.init();
    mixer.setRate(22050);
    mixer.setStereo(c.stereo);
    mixer.setVoiceCount(c.voices);
    for (int i = 0; i < c.voices; ++i) {
      AuMixerVoice& v = mixer.voice(i);
      const auto format = static_cast<uint8_t>(i % 3 == 2 ? kAuFormatSigned16 : i % 3);
      const size_t length = 17 + static_cast<size_t>(i) * 97 % 2900;
      const uint8_t* loop = nullptr;
      if (i % 4 == 1) loop = data.data() + length / 3;
      if (i % 4 == 2) loop = data.data() + length - (format == kAuFormatSigned16 ? 2 : 1);
      if (i % 8 == 3) loop = data.data() + length;  // at the end: no loop
      v.init(data.data(), data.data() + length, loop, auPeriodScale(4000 + 977 * static_cast<uint32_t>(i)), format);
      v.setVolume(i % 5 == 4 ? 32000 - 4000 * (i % 3) : 64 - i);
      v.setPan(i * 5 % 16);
      v.trigger(i == 5 ? 24 : 3424 - 100 * i);
      if (i % 6 == 1) v.setPosition(static_cast<uint32_t>(length / 2));
      if (i == 9) v.step = 0xFFFFFFF0u;
      if (i == 10) v.step = 0;
      if (i == 11) v.fraction = 0xFFFF;
    }
    const uint64_t hash = fnv1a(renderAll(mixer, 20000));
    EXPECT_EQ(hash, c.hash) << c.voices << (c.stereo ? " stereo" : " mono") << " 0x" << std::hex << hash;
  }
}

}  // namespace
