// soundplay [--capture OUT.wav] [--mono] FILE [SECONDS]
// FILE is an .s3m or .it song, a .wav effect or an .apcm effect. The sound
// plays through the same device, mixer and players as the game, for SECONDS
// (10 by default, at most 600) on the desktop's audio, or into OUT.wav at
// once (about 10 MB a minute).
#include <chrono>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "qz_audio_waveout.h"
#include "qz_sample.h"
#include "qz_song.h"
#include "qz_song_player.h"
#include "tool_file.h"
#include "tool_number.h"

#include "wince/host/audio.h"

namespace {

bool endsWith(const std::string& s, const char* tail) {
  const size_t n = std::strlen(tail);
  return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

constexpr uint64_t kLongestSeconds = 600;

int usage(FILE* to = stderr, int status = 2) {
  std::fprintf(to, "usage: soundplay [--capture OUT.wav] [--mono] FILE.s3m|.it|.wav|.apcm [SECONDS (1-%u)]\n",
               static_cast<unsigned>(kLongestSeconds));
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  std::string capture;
  bool mono = false;
  std::vector<std::string> rest;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--capture") == 0 && i + 1 < argc) {
      capture = argv[++i];
    } else if (std::strcmp(argv[i], "--mono") == 0) {
      mono = true;
    } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      return usage(stdout, 0);
    } else if (argv[i][0] == '-' && argv[i][1] != 0) {
      std::fprintf(stderr, "soundplay: unknown option %s\n", argv[i]);
      return usage();
    } else {
      rest.push_back(argv[i]);
    }
  }
  if (rest.empty() || rest.size() > 2) return usage();
  const std::string file = rest[0];
  uint64_t seconds = 10;
  if (rest.size() == 2 && !tools::parseNumber(rest[1], 1, kLongestSeconds, seconds)) {
    std::fprintf(stderr, "soundplay: SECONDS must be a whole number from 1 to %u, not '%s'\n",
                 static_cast<unsigned>(kLongestSeconds), rest[1].c_str());
    return 2;
  }
  std::vector<uint8_t> bytes;
  std::string error;
  if (!tools::readWholeFile(file, bytes, error)) {
    std::fprintf(stderr, "soundplay: %s\n", error.c_str());
    return 1;
  }
  if (!capture.empty()) wince::selectWaveOutBackend(wince::WaveOutBackend::Capture, capture);

  AuWin32AudioDevice device;
  device.open();
  device.setStereo(!mono);
  device.setVolume(64);
  std::unique_ptr<AuSong> song;
  std::unique_ptr<AuSongPlayer> player;
  QZSample sample;
  if (endsWith(file, ".s3m") || endsWith(file, ".it")) {
    if (endsWith(file, ".it")) {
      song = std::make_unique<AuImpulseTrackerSong>();
    } else {
      song = std::make_unique<AuScreamTrackerSong>();
    }
    if (song->loadImage(bytes) != 0) {
      std::fprintf(stderr, "soundplay: %s is not a playable song\n", file.c_str());
      return 1;
    }
    player = song->makePlayer();
    player->attachSong(song.get());
    player->attachDevice(&device);
    player->setVolume(64);
  } else if (endsWith(file, ".wav") || endsWith(file, ".apcm")) {
    const uint32_t kind = endsWith(file, ".wav") ? kQZSamplePCM : kQZSampleADPCM;
    int channel = -1;
    if (sample.loadData(bytes.data(), static_cast<uint32_t>(bytes.size()), kind) != 0 ||
        device.playSample(&sample, 1712, 1, &channel, 0) != 0) {
      std::fprintf(stderr, "soundplay: %s is not a playable sample\n", file.c_str());
      return 1;
    }
  } else {
    return usage();
  }
  if (device.setActive(1) != 0) {
    std::fprintf(stderr, "soundplay: no wave output\n");
    return 1;
  }
  std::printf("playing %s through %s\n", file.c_str(), wince::waveOutBackendName(device.getWaveOut()));
  if (capture.empty()) {
    std::this_thread::sleep_for(std::chrono::seconds(static_cast<int64_t>(seconds)));
  } else {
    wince::captureWaveOut(device.getWaveOut(), static_cast<DWORD>(seconds) * device.mixer().getRate());
  }
  device.setActive(0);
  player.reset();
  return 0;
}
