#include "sound_synth.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

constexpr int kStepFactor[8] = {230, 230, 230, 230, 307, 409, 512, 614};

void putLe(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

double waveform(const std::string& wave, double phase, uint32_t& noise) {
  const double t = phase - std::floor(phase);
  if (wave == "sine") return std::sin(2 * M_PI * t);
  if (wave == "triangle") return t < 0.5 ? 4 * t - 1 : 3 - 4 * t;
  if (wave == "saw") return 2 * t - 1;
  if (wave == "noise") {
    noise = noise * 1664525u + 1013904223u;
    return static_cast<double>(noise >> 8) / 8388608.0 - 1.0;
  }
  return t < 0.5 ? 1 : -1;
}

}  // namespace

bool parseEffectSpec(const std::string& text, EffectSpec& spec, std::string& error) {
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    line = line.substr(0, line.find('#'));
    std::istringstream in(line);
    std::string key;
    if (!(in >> key)) continue;
    bool ok = true;
    if (key == "format") {
      ok = static_cast<bool>(in >> spec.format) && (spec.format == "wave" || spec.format == "apcm");
    } else if (key == "rate") {
      ok = static_cast<bool>(in >> spec.rate) && spec.rate >= 4000 && spec.rate <= 65535;
    } else if (key == "length") {
      ok = static_cast<bool>(in >> spec.length) && spec.length > 0 && spec.length <= 10;
    } else if (key == "wave") {
      ok = static_cast<bool>(in >> spec.wave) &&
           (spec.wave == "square" || spec.wave == "sine" || spec.wave == "triangle" || spec.wave == "saw" ||
            spec.wave == "noise");
    } else if (key == "freq") {
      ok = static_cast<bool>(in >> spec.startHz) && spec.startHz > 0;
      spec.endHz = spec.startHz;
      if (ok && !(in >> spec.endHz)) spec.endHz = spec.startHz;
    } else if (key == "volume") {
      ok = static_cast<bool>(in >> spec.volume) && spec.volume >= 0 && spec.volume <= 1;
    } else if (key == "attack") {
      ok = static_cast<bool>(in >> spec.attack) && spec.attack >= 0;
    } else if (key == "decay") {
      ok = static_cast<bool>(in >> spec.decay) && spec.decay >= 0;
    } else {
      ok = false;
    }
    if (!ok) {
      error = "line " + std::to_string(number) + ": bad '" + key + "'";
      return false;
    }
  }
  if (spec.format == "apcm") spec.rate = 8000;
  return true;
}

std::vector<int16_t> synthesise(const EffectSpec& spec) {
  const size_t count = static_cast<size_t>(spec.length * spec.rate);
  std::vector<int16_t> out(count);
  double phase = 0;
  uint32_t noise = 12345;
  for (size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / spec.rate;
    const double hz = spec.startHz + (spec.endHz - spec.startHz) * t / spec.length;
    double level = spec.volume;
    if (spec.attack > 0 && t < spec.attack) level *= t / spec.attack;
    if (spec.decay > 0) level *= std::exp(-t / spec.decay);
    level *= std::min(1.0, (spec.length - t) * 200);  // no click at the end
    out[i] = static_cast<int16_t>(std::lround(32767 * level * waveform(spec.wave, phase, noise)));
    phase += hz / spec.rate;
  }
  return out;
}

std::vector<uint8_t> encodeWave(const std::vector<int16_t>& pcm, uint32_t rate) {
  std::vector<uint8_t> data;
  for (int16_t s : pcm) data.push_back(static_cast<uint8_t>((s >> 8) + 128));
  if (data.size() % 2) data.push_back(128);
  std::vector<uint8_t> b = {'R', 'I', 'F', 'F'};
  putLe(b, static_cast<uint32_t>(36 + data.size()), 4);
  b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  putLe(b, 16, 4);
  putLe(b, 1, 2);
  putLe(b, 1, 2);
  putLe(b, rate, 4);
  putLe(b, rate, 4);
  putLe(b, 1, 2);
  putLe(b, 8, 2);
  b.insert(b.end(), {'d', 'a', 't', 'a'});
  putLe(b, static_cast<uint32_t>(data.size()), 4);
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

std::vector<uint8_t> encodeADPCM(const std::vector<int16_t>& pcm) {
  std::vector<uint8_t> out((pcm.size() + 1) / 2, 0);
  int32_t s = 127;
  int32_t p = 0;
  for (size_t i = 0; i < pcm.size(); ++i) {
    int best = 0;
    int32_t bestP = 0;
    int64_t bestError = -1;
    for (int n = 0; n < 16; ++n) {
      int32_t d = s / 2;
      if (n & 1) d += s;
      if (n & 2) d += 2 * s;
      if (n & 4) d += 4 * s;
      d /= 4;
      const int32_t next = (n & 8) ? std::max(p - d, -32768) : std::min(p + d, 32767);
      const int64_t error = std::llabs(static_cast<int64_t>(pcm[i]) - next);
      if (bestError < 0 || error < bestError) {
        best = n;
        bestP = next;
        bestError = error;
      }
    }
    p = bestP;
    s = std::clamp((s * kStepFactor[best & 7]) >> 8, 127, 24576);
    out[i / 2] |= static_cast<uint8_t>((i & 1) ? best << 4 : best);
  }
  return out;
}
