// Run: build/<dir>/bench/sound/sound_bench. The Render and Openmpt123 rows of
// a module render the same 60 s at 22050 Hz stereo; their "audio_x" counters
// (seconds of audio per second of wall time) give the speed ratio.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "qz_audio_device.h"
#include "qz_song.h"
#include "qz_song_player.h"

namespace {

constexpr int kRate = 22050;
constexpr int kSeconds = 60;

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

void renderModule(benchmark::State& state, const Module& m) {
  std::unique_ptr<AuSong> song;
  if (m.it) {
    song = std::make_unique<AuImpulseTrackerSong>();
  } else {
    song = std::make_unique<AuScreamTrackerSong>();
  }
  std::ifstream in(m.path, std::ios::binary);
  if (song->loadImage({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}) != 0) {
    state.SkipWithError("module not installed (pachi-data, gweled, gltron)");
    return;
  }
  std::vector<int16_t> out(2 * 4096);
  for (auto _ : state) {
    AuMultichannelAudioDevice device;
    device.open();
    device.setStereo(true);
    std::unique_ptr<AuSongPlayer> player = song->makePlayer();
    player->attachSong(song.get());
    player->attachDevice(&device);
    for (int done = 0; done < kSeconds * kRate; done += 4096) {
      device.mixer().render(out.data(), std::min(4096, kSeconds * kRate - done));
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["audio_x"] =
      benchmark::Counter(kSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void renderWithOpenmpt123(benchmark::State& state, const Module& m) {
  if (std::system("command -v openmpt123 >/dev/null 2>&1") != 0 || !std::ifstream(m.path)) {
    state.SkipWithError("openmpt123 or the module is not installed");
    return;
  }
  const std::string copy =
      (std::filesystem::temp_directory_path() / (std::string("sound_bench_") + m.name + (m.it ? ".it" : ".s3m")))
          .string();
  const auto removeCopies = [&copy] {
    std::remove(copy.c_str());
    std::remove((copy + ".wav").c_str());
  };
  std::system(("cp " + std::string(m.path) + " " + copy).c_str());
  const std::string command = "openmpt123 --quiet --render --samplerate 22050 --filter 1 --ramping 0 --no-float "
                              "--end-time 60 --force " + copy + " >/dev/null 2>&1";
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) {
      removeCopies();
      state.SkipWithError("openmpt123 failed");
      return;
    }
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  removeCopies();
  state.counters["audio_x"] =
      benchmark::Counter(kSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
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
    benchmark::RegisterBenchmark((std::string("Openmpt123/") + m.name).c_str(), renderWithOpenmpt123, m)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(3);
  }
  benchmark::RegisterBenchmark("MixVoices", mixVoices)
      ->ArgsProduct({{1, 16, 32}, {kAuFormatUnsigned8, kAuFormatSigned8, kAuFormatSigned16}, {0, 1}});
  return true;
}();

}  // namespace
