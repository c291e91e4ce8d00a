// Run: build/<dir>/bench/sound/sound_bench. The Render, Libopenmpt and Libxmp
// rows of a module load it and render the same 60 s at 22050 Hz stereo in
// this process; their "audio_x" counters (seconds of audio per second of
// wall time) give the speed ratio, and their "voices" counters the mean
// number of voices each player mixes.
#include <benchmark/benchmark.h>

#include <xmp.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <libopenmpt/libopenmpt.h>
#include <memory>
#include <string>
#include <vector>

#include "qz_audio_device.h"
#include "qz_song.h"
#include "qz_song_player.h"

namespace {

constexpr int kRate = 22050;
constexpr int kSeconds = 60;
constexpr int kBlock = 4096;  // frames rendered at a time

struct Module {
  const char* name;
  const char* path;
  bool it;
};

const Module kModules[] = {
    {"pachi_menu", "/usr/share/pachi/music/menu.s3m", false},
    {"pachi_stage1", "/usr/share/pachi/music/stage1.s3m", false},
    {"gweled_autonom", "/usr/share/sounds/gweled/autonom.s3m", false},
    {"gltron_cats", "/usr/share/games/gltron/music/song_revenge_of_cats.it", true},
};

std::vector<uint8_t> readModule(const Module& m) {
  std::ifstream in(m.path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The three players behind one face: load the module (false: not loaded),
// render frames of 16-bit stereo, and say how many voices are sounding now.
class OurPlayer {
 public:
  bool load(const Module& m, const std::vector<uint8_t>& bytes) {
    if (m.it) {
      m_song = std::make_unique<AuImpulseTrackerSong>();
    } else {
      m_song = std::make_unique<AuScreamTrackerSong>();
    }
    if (m_song->loadImage(bytes) != 0) return false;
    m_device.open();
    m_device.setStereo(true);
    m_player = m_song->makePlayer();
    m_player->attachSong(m_song.get());
    m_player->attachDevice(&m_device);
    return true;
  }
  void render(int16_t* out, int frames) { m_device.mixer().render(out, frames); }
  // The voices the mixer mixes: every voice with a sample position.
  int voices() {
    AuMixer& mixer = m_device.mixer();
    int n = 0;
    for (int i = 0; i < mixer.getVoiceCount(); ++i) n += mixer.voice(i).isSilent() ? 0 : 1;
    return n;
  }

 private:
  std::unique_ptr<AuSong> m_song;
  AuMultichannelAudioDevice m_device;
  std::unique_ptr<AuSongPlayer> m_player;
};

// The peers with the closest settings: nearest-sample interpolation, no
// volume ramping, 16-bit stereo at the same rate, looping without end.
class LibopenmptPlayer {
 public:
  ~LibopenmptPlayer() {
    if (m_mod != nullptr) openmpt_module_destroy(m_mod);
  }
  bool load(const Module&, const std::vector<uint8_t>& bytes) {
    m_mod = openmpt_module_create_from_memory2(bytes.data(), bytes.size(), openmpt_log_func_silent, nullptr,
                                               nullptr, nullptr, nullptr, nullptr, nullptr);
    if (m_mod == nullptr) return false;
    openmpt_module_set_repeat_count(m_mod, -1);
    openmpt_module_set_render_param(m_mod, OPENMPT_MODULE_RENDER_INTERPOLATIONFILTER_LENGTH, 1);
    openmpt_module_set_render_param(m_mod, OPENMPT_MODULE_RENDER_VOLUMERAMPING_STRENGTH, 0);
    return true;
  }
  void render(int16_t* out, int frames) {
    openmpt_module_read_interleaved_stereo(m_mod, kRate, static_cast<size_t>(frames), out);
  }
  int voices() { return openmpt_module_get_current_playing_channels(m_mod); }

 private:
  openmpt_module* m_mod = nullptr;
};

class LibxmpPlayer {
 public:
  LibxmpPlayer() : m_ctx(xmp_create_context()) {}
  ~LibxmpPlayer() {
    if (m_started) {
      xmp_end_player(m_ctx);
      xmp_release_module(m_ctx);
    }
    xmp_free_context(m_ctx);
  }
  bool load(const Module&, const std::vector<uint8_t>& bytes) {
    if (xmp_load_module_from_memory(m_ctx, bytes.data(), static_cast<long>(bytes.size())) != 0) return false;
    xmp_start_player(m_ctx, kRate, 0);
    xmp_set_player(m_ctx, XMP_PLAYER_INTERP, XMP_INTERP_NEAREST);
    m_started = true;
    return true;
  }
  void render(int16_t* out, int frames) { xmp_play_buffer(m_ctx, out, frames * 4, 0); }  // 0: loop without end
  int voices() {
    xmp_frame_info info{};
    xmp_get_frame_info(m_ctx, &info);
    return info.virt_used;
  }

 private:
  xmp_context m_ctx;
  bool m_started = false;
};

// Renders kSeconds in blocks of `block` frames; with `voices`, adds the
// voices sounding after each block to *voices and the blocks to *samples.
template <class Player>
bool renderOnce(const Module& m, const std::vector<uint8_t>& bytes, int block, long* voices, long* samples) {
  Player player;
  if (!player.load(m, bytes)) return false;
  std::vector<int16_t> out(2 * static_cast<size_t>(block));
  for (int done = 0; done < kSeconds * kRate; done += block) {
    player.render(out.data(), std::min(block, kSeconds * kRate - done));
    if (voices != nullptr) {
      *voices += player.voices();
      ++*samples;
    }
  }
  benchmark::DoNotOptimize(out.data());
  return true;
}

// Each row loads the module and renders kSeconds of it, looping where the
// song ends sooner, so every player is credited with the same audio. Before
// the timed loop, one untimed render counts the voices sounding every 20 ms:
// "voices" is their mean, the work each player's mixer does per frame.
template <class Player>
void renderModule(benchmark::State& state, const Module& m) {
  const std::vector<uint8_t> bytes = readModule(m);
  long voices = 0, samples = 0;
  if (!renderOnce<Player>(m, bytes, kRate / 50, &voices, &samples)) {
    state.SkipWithError("module not installed (pachi-data, gweled, gltron) or not loaded");
    return;
  }
  for (auto _ : state) renderOnce<Player>(m, bytes, kBlock, nullptr, nullptr);
  state.counters["audio_x"] =
      benchmark::Counter(kSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["voices"] = static_cast<double>(voices) / static_cast<double>(samples);
}

// Cost per voice-sample: arg 0 the voices, arg 1 the format, arg 2 stereo.
void mixVoices(benchmark::State& state) {
  const int voices = static_cast<int>(state.range(0));
  const auto format = static_cast<uint8_t>(state.range(1));
  AuMixer mixer;
  mixer.init();
  mixer.setRate(kRate);
  mixer.setStereo(state.range(2) != 0);
  mixer.setVoiceCount(voices);
  std::vector<uint8_t> data(20000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 37);
  for (int v = 0; v < voices; ++v) {
    AuMixerVoice& voice = mixer.voice(v);
    voice.init(data.data(), data.data() + data.size(), data.data(), auPeriodScale(8363 + 100 * v), format);
    voice.setVolume(40);
    voice.setPan(v % 16);
    voice.trigger(1712 - 20 * v);
  }
  std::vector<int16_t> out(2 * 4096);
  for (auto _ : state) {
    mixer.render(out.data(), 4096);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * 4096 * voices);
}

const bool registered = [] {
  for (const Module& m : kModules) {
    benchmark::RegisterBenchmark((std::string("Render/") + m.name).c_str(), renderModule<OurPlayer>, m)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark((std::string("Libopenmpt/") + m.name).c_str(), renderModule<LibopenmptPlayer>, m)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark((std::string("Libxmp/") + m.name).c_str(), renderModule<LibxmpPlayer>, m)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  benchmark::RegisterBenchmark("MixVoices", mixVoices)
      ->ArgsProduct({{1, 16, 32}, {kAuFormatUnsigned8, kAuFormatSigned8, kAuFormatSigned16}, {0, 1}});
  return true;
}();

}  // namespace
