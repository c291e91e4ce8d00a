// Sound-effect synthesis for the build: a small text description becomes
// 8-bit PCM in a WAVE image or 4-bit ADPCM.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One sounding part of an effect: a waveform gliding from one pitch to
// another under an attack and an exponential decay, starting after a delay,
// optionally softened by a low-pass filter.
struct EffectVoice {
  std::string wave = "square";  // square, sine, triangle, saw, noise
  double startHz = 440, endHz = 440;
  double volume = 0.8;
  double attack = 0.005;  // seconds
  double decay = 0;  // exponential time constant in seconds; 0: none
  double delay = 0;  // seconds from the start of the effect
  double lowpass = 0;  // cut-off in Hz; 0: none
};

// An effect: its first voice, then the voices each "voice" line starts (keys
// after that line describe the new voice, which starts as a copy of the
// first). The mix loses any DC offset, fades in and out over a few
// milliseconds (no clicks) and is scaled down when its peak would pass 90% of
// full scale.
struct EffectSpec : EffectVoice {
  std::string format = "wave";  // wave or apcm
  uint32_t rate = 22050;  // apcm is always 8000
  double length = 0.2;  // seconds
  std::vector<EffectVoice> moreVoices;
};

// Reads "key value..." lines; false with a message for an unknown key or a
// bad value.
bool parseEffectSpec(const std::string& text, EffectSpec& spec, std::string& error);
// Signed 16-bit samples of the effect at its rate.
std::vector<int16_t> synthesise(const EffectSpec& spec);
// A RIFF WAVE image of 8-bit unsigned mono; no chunk has an odd size.
std::vector<uint8_t> encodeWave(const std::vector<int16_t>& pcm, uint32_t rate);
// 4-bit ADPCM, low nibble first, each code chosen so that the decoder's
// prediction comes closest to the input.
std::vector<uint8_t> encodeADPCM(const std::vector<int16_t>& pcm);
