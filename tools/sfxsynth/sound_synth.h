// Sound-effect synthesis for the build: a small text description becomes
// 8-bit PCM in a WAVE image or 4-bit ADPCM.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct EffectSpec {
  std::string format = "wave";  // wave or apcm
  uint32_t rate = 22050;  // apcm is always 8000
  double length = 0.2;  // seconds
  std::string wave = "square";  // square, sine, triangle, saw, noise
  double startHz = 440, endHz = 440;
  double volume = 0.8;
  double attack = 0.005;  // seconds
  double decay = 0;  // exponential time constant in seconds; 0: none
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
