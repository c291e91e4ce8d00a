// sfxsynth SPEC OUTPUT: synthesises the sound effect described in SPEC into a
// WAVE image or raw ADPCM data, as the description's format line says.
#include <iostream>
#include <string>

#include "sound_synth.h"
#include "tool_file.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: sfxsynth SPEC OUTPUT\n";
    return 2;
  }
  std::string text;
  std::string error;
  if (!tools::readWholeFile(argv[1], text, error)) {
    std::cerr << "sfxsynth: " << error << "\n";
    return 1;
  }
  EffectSpec spec;
  if (!parseEffectSpec(text, spec, error)) {
    std::cerr << argv[1] << ": " << error << "\n";
    return 1;
  }
  const std::vector<int16_t> pcm = synthesise(spec);
  const std::vector<uint8_t> bytes = spec.format == "apcm" ? encodeADPCM(pcm) : encodeWave(pcm, spec.rate);
  if (!tools::writeWholeFile(argv[2], bytes, error)) {
    std::cerr << "sfxsynth: " << error << "\n";
    return 1;
  }
  return 0;
}
