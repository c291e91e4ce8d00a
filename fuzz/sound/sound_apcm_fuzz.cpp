#include <cstddef>
#include <cstdint>

#include "qz_audio_device.h"
#include "qz_sample.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QZSample sample;
  if (sample.loadData(data, static_cast<uint32_t>(size), kQZSampleADPCM) != 0) return 0;
  AuMultichannelAudioDevice device;
  device.open();
  int channel = -1;
  device.playSample(&sample, 1712, 1, &channel, 0);
  int16_t out[512];
  device.mixer().render(out, 512);
  return 0;
}
