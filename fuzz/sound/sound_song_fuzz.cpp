// Loads a song and plays a few seconds of it offline in stereo.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "qz_audio_device.h"
#include "qz_song.h"
#include "qz_song_player.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
#ifdef FUZZ_IMPULSE_TRACKER
  AuImpulseTrackerSong song;
#else
  AuScreamTrackerSong song;
#endif
  if (song.loadImage(std::vector<uint8_t>(data, data + size)) != 0) return 0;
  AuMultichannelAudioDevice device;
  device.open();
  device.setStereo(true);
  std::unique_ptr<AuSongPlayer> player = song.makePlayer();
  player->attachSong(&song);
  player->attachDevice(&device);
  std::vector<int16_t> out(2 * 4096);
  for (int i = 0; i < 8; ++i) device.mixer().render(out.data(), 4096);
  return 0;
}
