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

namespace {

bool parseVoiceKey(const std::string& key, std::istringstream& in, EffectVoice& v) {
  if (key == "wave") {
    return static_cast<bool>(in >> v.wave) &&
           (v.wave == "square" || v.wave == "sine" || v.wave == "triangle" || v.wave == "saw" || v.wave == "noise");
  }
  if (key == "freq") {
    if (!(in >> v.startHz) || v.startHz <= 0) return false;
    if (!(in >> v.endHz)) v.endHz = v.startHz;
    return v.endHz > 0;
  }
  if (key == "volume") return static_cast<bool>(in >> v.volume) && v.volume >= 0 && v.volume <= 1;
  if (key == "attack") return static_cast<bool>(in >> v.attack) && v.attack >= 0;
  if (key == "decay") return static_cast<bool>(in >> v.decay) && v.decay >= 0;
  if (key == "start") return static_cast<bool>(in >> v.delay) && v.delay >= 0;
  if (key == "lowpass") return static_cast<bool>(in >> v.lowpass) && v.lowpass >= 0;
  return false;
}

// Adds one voice into the mix.
void addVoice(const EffectVoice& v, double length, uint32_t rate, std::vector<double>& mix) {
  double phase = 0, filtered = 0;
  uint32_t noise = 12345;
  const double alpha = v.lowpass > 0 ? 1 - std::exp(-2 * M_PI * v.lowpass / rate) : 1;
  const double span = std::max(length - v.delay, 1e-6);
  for (size_t i = static_cast<size_t>(v.delay * rate); i < mix.size(); ++i) {
    const double t = static_cast<double>(i) / rate - v.delay;
    const double hz = v.startHz + (v.endHz - v.startHz) * t / span;
    double level = v.volume;
    if (v.attack > 0 && t < v.attack) level *= t / v.attack;
    if (v.decay > 0) level *= std::exp(-t / v.decay);
    filtered += alpha * (waveform(v.wave, phase, noise) - filtered);
    mix[i] += level * filtered;
    phase += hz / rate;
  }
}

// No DC offset, short fades at both ends, a peak below 90% of full scale. The
// offset is taken out under the fade window, so the ends stay at rest.
std::vector<int16_t> finish(std::vector<double>& mix, uint32_t rate) {
  const size_t fade = std::min(mix.size() / 2, static_cast<size_t>(rate / 250));
  std::vector<double> window(mix.size(), 1.0);
  double sum = 0, weight = 0;
  for (size_t i = 0; i < mix.size(); ++i) {
    const size_t edge = std::min(i, mix.size() - 1 - i);
    if (edge < fade) window[i] = static_cast<double>(edge) / fade;
    mix[i] *= window[i];
    sum += mix[i];
    weight += window[i];
  }
  const double offset = weight > 0 ? sum / weight : 0;
  double peak = 0;
  for (size_t i = 0; i < mix.size(); ++i) {
    mix[i] -= offset * window[i];
    peak = std::max(peak, std::fabs(mix[i]));
  }
  const double scale = peak > 0.9 ? 0.9 / peak : 1.0;
  std::vector<int16_t> out(mix.size());
  for (size_t i = 0; i < mix.size(); ++i) out[i] = static_cast<int16_t>(std::lround(32767 * scale * mix[i]));
  return out;
}

}  // namespace

bool parseEffectSpec(const std::string& text, EffectSpec& spec, std::string& error) {
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  EffectVoice* voice = &spec;
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
    } else if (key == "voice") {
      spec.moreVoices.push_back(static_cast<const EffectVoice&>(spec));
      voice = &spec.moreVoices.back();
    } else {
      ok = parseVoiceKey(key, in, *voice);
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
  std::vector<double> mix(static_cast<size_t>(spec.length * spec.rate), 0.0);
  addVoice(spec, spec.length, spec.rate, mix);
  for (const EffectVoice& v : spec.moreVoices) addVoice(v, spec.length, spec.rate, mix);
  return finish(mix, spec.rate);
}

std::vector<uint8_t> encodeWave(const std::vector<int16_t>& pcm, uint32_t rate) {
  std::vector<uint8_t> data;
  for (int16_t s : pcm) {
    // Rounded to the nearest 8-bit step, so the mix keeps no DC offset.
    data.push_back(static_cast<uint8_t>(std::min(255, ((s + 128) >> 8) + 128)));
  }
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
