// Run: build/<dir>/bench/sound/sound_bench. The Render, Libopenmpt and Libxmp
// rows of a module load it and render the same 60 s at 22050 Hz stereo in
// this process; their "audio_x" counters (seconds of audio per second of
// wall time) give the speed ratio.
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

// Each row loads the module and renders kSeconds of it, looping where the
// song ends sooner, so every player is credited with the same audio.
void countAudio(benchmark::State& state) {
  state.counters["audio_x"] =
      benchmark::Counter(kSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void renderModule(benchmark::State& state, const Module& m) {
  const std::vector<uint8_t> bytes = readModule(m);
  std::vector<int16_t> out(2 * kBlock);
  for (auto _ : state) {
    std::unique_ptr<AuSong> song;
    if (m.it) {
      song = std::make_unique<AuImpulseTrackerSong>();
    } else {
      song = std::make_unique<AuScreamTrackerSong>();
    }
    if (song->loadImage(bytes) != 0) {
      state.SkipWithError("module not installed (pachi-data, gweled, gltron)");
      return;
    }
    AuMultichannelAudioDevice device;
    device.open();
    device.setStereo(true);
    std::unique_ptr<AuSongPlayer> player = song->makePlayer();
    player->attachSong(song.get());
    player->attachDevice(&device);
    for (int done = 0; done < kSeconds * kRate; done += kBlock) {
      device.mixer().render(out.data(), std::min(kBlock, kSeconds * kRate - done));
    }
    benchmark::DoNotOptimize(out.data());
  }
  countAudio(state);
}

// The peers with the closest settings: nearest-sample interpolation, no
// volume ramping, 16-bit stereo at the same rate.
void renderWithLibopenmpt(benchmark::State& state, const Module& m) {
  const std::vector<uint8_t> bytes = readModule(m);
  std::vector<int16_t> out(2 * kBlock);
  for (auto _ : state) {
    openmpt_module* mod = openmpt_module_create_from_memory2(bytes.data(), bytes.size(), openmpt_log_func_silent,
                                                             nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    if (mod == nullptr) {
      state.SkipWithError("module not installed or not loaded");
      return;
    }
    openmpt_module_set_repeat_count(mod, -1);
    openmpt_module_set_render_param(mod, OPENMPT_MODULE_RENDER_INTERPOLATIONFILTER_LENGTH, 1);
    openmpt_module_set_render_param(mod, OPENMPT_MODULE_RENDER_VOLUMERAMPING_STRENGTH, 0);
    for (int done = 0; done < kSeconds * kRate; done += kBlock) {
      openmpt_module_read_interleaved_stereo(mod, kRate, static_cast<size_t>(std::min(kBlock, kSeconds * kRate - done)),
                                             out.data());
    }
    openmpt_module_destroy(mod);
    benchmark::DoNotOptimize(out.data());
  }
  countAudio(state);
}

void renderWithLibxmp(benchmark::State& state, const Module& m) {
  std::vector<uint8_t> bytes = readModule(m);
  std::vector<int16_t> out(2 * kBlock);
  for (auto _ : state) {
    xmp_context ctx = xmp_create_context();
    if (xmp_load_module_from_memory(ctx, bytes.data(), static_cast<long>(bytes.size())) != 0) {
      xmp_free_context(ctx);
      state.SkipWithError("module not installed or not loaded");
      return;
    }
    xmp_start_player(ctx, kRate, 0);
    xmp_set_player(ctx, XMP_PLAYER_INTERP, XMP_INTERP_NEAREST);
    for (int done = 0; done < kSeconds * kRate; done += kBlock) {
      const int frames = std::min(kBlock, kSeconds * kRate - done);
      xmp_play_buffer(ctx, out.data(), frames * 4, 0);  // 0: loop without end
    }
    xmp_end_player(ctx);
    xmp_release_module(ctx);
    xmp_free_context(ctx);
    benchmark::DoNotOptimize(out.data());
  }
  countAudio(state);
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
    benchmark::RegisterBenchmark((std::string("Render/") + m.name).c_str(), renderModule, m)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark((std::string("Libopenmpt/") + m.name).c_str(), renderWithLibopenmpt, m)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark((std::string("Libxmp/") + m.name).c_str(), renderWithLibxmp, m)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  benchmark::RegisterBenchmark("MixVoices", mixVoices)
      ->ArgsProduct({{1, 16, 32}, {kAuFormatUnsigned8, kAuFormatSigned8, kAuFormatSigned16}, {0, 1}});
  return true;
}();

}  // namespace
