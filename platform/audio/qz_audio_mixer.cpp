#include "qz_audio_mixer.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

const uint16_t kAuPeriodTable[12] = {1712, 1616, 1524, 1440, 1356, 1280, 1208, 1140, 1076, 1016, 960, 907};

namespace {

constexpr int64_t kScaleNumerator = 34254848;  // 8363 x 4096

template <int Format>
int32_t fetch(const uint8_t* base, uint64_t index) {
  if constexpr (Format == kAuFormatUnsigned8) {
    return static_cast<int32_t>(base[index]) - 128;
  } else if constexpr (Format == kAuFormatSigned8) {
    return static_cast<int8_t>(base[index]);
  } else {
    const uint8_t* p = base + index * 2;
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
  }
}

// The arithmetic loops are built twice: for processors with AVX2 and for any
// x86-64; the loader picks one at start. Both give the same integers.
#if defined(__x86_64__) && defined(__GNUC__)
#define AU_MIX_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define AU_MIX_CLONES
#endif

// Adds n fetched samples at `volume` (16-bit samples at volume/256) to a mono
// accumulator, or panned to a stereo one.
AU_MIX_CLONES void addMono(int32_t* acc, const int32_t* s, int32_t n, int32_t volume, bool sixteen) {
  if (sixteen) {
    for (int32_t k = 0; k < n; ++k) acc[k] += volume * s[k] / 256;
  } else {
    for (int32_t k = 0; k < n; ++k) acc[k] += volume * s[k];
  }
}

AU_MIX_CLONES void addStereo(int32_t* acc, const int32_t* s, int32_t n, int32_t volume, int32_t left, int32_t right,
                             bool sixteen) {
  if (sixteen) {
    for (int32_t k = 0; k < n; ++k) {
      const int32_t w = volume * s[k] / 256;
      acc[2 * k] += left * w / 32;
      acc[2 * k + 1] += right * w / 32;
    }
  } else {
    for (int32_t k = 0; k < n; ++k) {
      const int32_t w = volume * s[k];
      acc[2 * k] += left * w / 32;
      acc[2 * k + 1] += right * w / 32;
    }
  }
}

// out = clamp((acc x gain) >> shift, -32767, 32767). The accumulator is
// first held to +-bound, past which the result clamps anyway, so that the
// product fits 32 bits (bound x gain is about 32768 << shift).
AU_MIX_CLONES void scaleToOutput(int16_t* out, const int32_t* acc, size_t entries, int32_t gain, int shift) {
  const int32_t bound = ((32768 << shift) + gain - 1) / gain + 1;
  for (size_t i = 0; i < entries; ++i) {
    const int32_t v = (std::clamp(acc[i], -bound, bound) * gain) >> shift;
    out[i] = static_cast<int16_t>(std::clamp(v, -32767, 32767));
  }
}

// Fetches n samples from position `fixed` on, `step` apart.
template <int Format>
void gather(const uint8_t* base, uint64_t fixed, uint64_t step, int32_t* s, int64_t n) {
  int64_t k = 0;
  for (; k + 4 <= n; k += 4, fixed += 4 * step) {  // four independent positions
    s[k] = fetch<Format>(base, fixed >> 16);
    s[k + 1] = fetch<Format>(base, (fixed + step) >> 16);
    s[k + 2] = fetch<Format>(base, (fixed + 2 * step) >> 16);
    s[k + 3] = fetch<Format>(base, (fixed + 3 * step) >> 16);
  }
  for (; k < n; ++k, fixed += step) s[k] = fetch<Format>(base, fixed >> 16);
}

// Adds one voice to the accumulator. Positions run in 48.16 fixed point in
// sample units; each span runs up to the sample end without an end test:
// its samples are fetched first, then scaled and added in one pass.
template <int Format, bool Stereo>
void mixVoice(AuMixerVoice& v, int32_t* acc, int32_t frames) {
  constexpr uint64_t unit = Format == kAuFormatSigned16 ? 2 : 1;
  constexpr bool sixteen = Format == kAuFormatSigned16;
  const uint64_t endS = static_cast<uint64_t>(v.end - v.start) / unit;
  const uint64_t loopS = v.loopStart ? static_cast<uint64_t>(v.loopStart - v.start) / unit : 0;
  uint64_t fixed = (static_cast<uint64_t>(v.position - v.start) / unit << 16) | (v.fraction & 0xFFFF);
  const uint64_t step = v.step;
  const int32_t volume = v.volume;
  const int32_t left = v.panHalves;
  const int32_t right = 30 - v.panHalves;
  const uint64_t limit = endS << 16;
  std::array<int32_t, AuMixer::kChunkEntries> samples;
  int32_t i = 0;
  while (i < frames) {
    if (fixed >= limit) {
      v.position = nullptr;
      return;
    }
    int64_t n = frames - i;
    if (step != 0) n = std::min<int64_t>(n, static_cast<int64_t>((limit - fixed + step - 1) / step));
    gather<Format>(v.start, fixed, step, samples.data(), n);
    fixed += static_cast<uint64_t>(n) * step;
    if constexpr (Stereo) {
      addStereo(acc + 2 * i, samples.data(), static_cast<int32_t>(n), volume, left, right, sixteen);
    } else {
      addMono(acc + i, samples.data(), static_cast<int32_t>(n), volume, sixteen);
    }
    i += static_cast<int32_t>(n);
    if (fixed >= limit) {
      if (!v.loopStart || loopS >= endS) {
        v.position = nullptr;
        return;
      }
      fixed = (loopS << 16) | (fixed & 0xFFFF);
    }
  }
  v.position = v.start + (fixed >> 16) * unit;
  v.fraction = static_cast<uint32_t>(fixed & 0xFFFF);
}

template <bool Stereo>
void mixVoiceAnyFormat(AuMixerVoice& v, int32_t* acc, int32_t frames) {
  switch (v.format) {
    case kAuFormatUnsigned8: mixVoice<kAuFormatUnsigned8, Stereo>(v, acc, frames); break;
    case kAuFormatSigned8: mixVoice<kAuFormatSigned8, Stereo>(v, acc, frames); break;
    case kAuFormatSigned16: mixVoice<kAuFormatSigned16, Stereo>(v, acc, frames); break;
    default: v.position = nullptr; break;
  }
}

}  // namespace

int32_t auPeriodScale(uint32_t rate) {
  if (rate == 0) return 0;
  return static_cast<int32_t>(kScaleNumerator / rate);
}

void AuMixerVoice::init(const uint8_t* s, const uint8_t* e, const uint8_t* loop, int32_t scale, uint8_t fmt) {
  start = s;
  end = e;
  loopStart = loop;
  periodScale = scale;
  format = fmt;
}

void AuMixerVoice::setPosition(uint32_t offset) {
  if (!start || offset >= static_cast<uint64_t>(end - start)) {
    position = nullptr;
    return;
  }
  position = start + offset;
}

void AuMixerVoice::setPeriod(int32_t period) {
  const int32_t h = period >> 1;
  const int64_t c = (static_cast<int64_t>(periodScale) * h) >> 12;
  const int64_t perRate = rate >> 5;
  if (c <= 0 || perRate == 0) return;
  halfPeriod = h;
  step = static_cast<uint32_t>(((14143864 / c) << 10) / perRate);
}

void AuMixerVoice::setPan(int p) { setPanHalves(2 * std::clamp(p, 0, 15)); }

void AuMixerVoice::setPanHalves(int halves) {
  panHalves = static_cast<uint8_t>(std::clamp(halves, 0, 30));
  pan = static_cast<uint8_t>(panHalves / 2);
}

void AuMixerVoice::trigger(int32_t period) {
  if (!start || start >= end) {
    position = nullptr;
    return;
  }
  setPeriod(period);
  position = start;
  fraction = 0;
  spare = 0;
}

void AuMixerVoice::setNote(int octave, int note) {
  const uint16_t* table = noteTable ? noteTable : kAuPeriodTable;
  const int32_t period = ((static_cast<int32_t>(table[note % 12]) * 16) >> std::clamp(octave, 0, 31)) * 2;
  trigger(period);
}

void AuMixer::init() {
  m_voiceCount = 0;
  m_perVoice = 0;
  m_acc.fill(0);
  setRate(m_rate);
}

void AuMixer::release() {
  stopAllVoices();
  m_tick = nullptr;
  m_tickUser = nullptr;
}

void AuMixer::setRate(uint16_t rate) {
  m_rate = rate;
  for (AuMixerVoice& v : m_voices) {
    v.rate = rate;
    v.noteTable = kAuPeriodTable;
  }
}

void AuMixer::setVoiceCount(int n) {
  n = std::clamp(n, 0, kVoiceCount);
  m_voiceCount = static_cast<int16_t>(n);
  m_perVoice = static_cast<int16_t>(n ? 256 / n : 0);
  for (AuMixerVoice& v : m_voices) v = AuMixerVoice{};
  setRate(m_rate);
}

void AuMixer::stopAllVoices() {
  for (AuMixerVoice& v : m_voices) v.position = nullptr;
}

void AuMixer::setTickCallback(AuTickCallback callback, void* user) {
  m_tick = callback;
  m_tickUser = user;
  m_framesToTick = 0;
  m_framesSinceTick = 0;
}

void AuMixer::render(int16_t* out, int32_t frames) {
  const int channels = m_stereo ? 2 : 1;
  while (frames > 0) {
    int32_t n = frames;
    if (m_tick) {
      if (m_framesToTick <= 0) {
        m_framesToTick = std::max<int32_t>(1, m_tick(this, m_tickUser, m_framesSinceTick));
        m_framesSinceTick = 0;
      }
      n = std::min(m_framesToTick, frames);
      m_framesToTick -= n;
      m_framesSinceTick += n;
    }
    mix(out, n);
    out += static_cast<std::ptrdiff_t>(n) * channels;
    frames -= n;
  }
}

void AuMixer::mix(int16_t* out, int32_t frames) {
  const int32_t chunk = m_stereo ? kChunkEntries / 2 : kChunkEntries;
  const int channels = m_stereo ? 2 : 1;
  while (frames > 0) {
    const int32_t n = std::min(chunk, frames);
    mixChunk(out, n);
    out += static_cast<std::ptrdiff_t>(n) * channels;
    frames -= n;
  }
}

void AuMixer::mixChunk(int16_t* out, int32_t frames) {
  const int channels = m_stereo ? 2 : 1;
  const size_t entries = static_cast<size_t>(frames) * static_cast<size_t>(channels);
  if (m_voiceCount <= 0) {
    std::memset(out, 0, entries * sizeof(int16_t));
    return;
  }
  std::memset(m_acc.data(), 0, entries * sizeof(int32_t));
  for (int i = 0; i < m_voiceCount; ++i) {
    AuMixerVoice& v = m_voices[static_cast<size_t>(i)];
    if (!v.position) continue;
    if (m_stereo) {
      mixVoiceAnyFormat<true>(v, m_acc.data(), frames);
    } else {
      mixVoiceAnyFormat<false>(v, m_acc.data(), frames);
    }
  }
  scaleToOutput(out, m_acc.data(), entries, 768 / m_voiceCount, m_stereo ? 5 : 6);
}
