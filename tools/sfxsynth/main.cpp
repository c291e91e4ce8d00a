// sfxsynth SPEC OUTPUT: synthesises the sound effect described in SPEC into a
// WAVE image or raw ADPCM data, as the description's format line says.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "sound_synth.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: sfxsynth SPEC OUTPUT\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << "sfxsynth: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();
  EffectSpec spec;
  std::string error;
  if (!parseEffectSpec(text.str(), spec, error)) {
    std::cerr << argv[1] << ": " << error << "\n";
    return 1;
  }
  const std::vector<int16_t> pcm = synthesise(spec);
  const std::vector<uint8_t> bytes = spec.format == "apcm" ? encodeADPCM(pcm) : encodeWave(pcm, spec.rate);
  const std::string temp = std::string(argv[2]) + ".tmp";
  std::ofstream out(temp, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out || std::rename(temp.c_str(), argv[2]) != 0) {
    std::cerr << "sfxsynth: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
