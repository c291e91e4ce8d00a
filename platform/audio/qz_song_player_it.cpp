#include <algorithm>
#include <array>
#include <iterator>
#include <cmath>

#include "qz_song_player.h"

namespace {

constexpr int kMinPeriod = 56;
constexpr int kMaxPeriod = 0x6B00;
constexpr uint8_t kTonePorta = 7;
constexpr uint8_t kVibrato = 8;
constexpr uint8_t kOldEffects = 0x10;
constexpr int kVolumePortaSpeeds[10] = {0, 1, 2, 4, 8, 16, 32, 64, 128, 255};

// Period factors in 1/96-octave steps: entry k = 8192 x (2^((k + 1) / 96) - 1).
const int* slideTable() {
  static const auto table = [] {
    std::array<int, 120> t{};
    for (int k = 0; k < 120; ++k) t[k] = static_cast<int>(std::lround(8192.0 * (std::exp2((k + 1) / 96.0) - 1.0)));
    return t;
  }();
  return table.data();
}

int slideFactor(int index) { return slideTable()[std::clamp(index, 1, 120) - 1]; }

bool isVolumePorta(const AuCell& cell) { return cell.volume >= 194 && cell.volume <= 203; }

}  // namespace

void AuImpulseTrackerPlayer::restart() {
  Guard guard(*this);
  AuSongPlayer::restart();
  std::fill(std::begin(m_voiceReleased), std::end(m_voiceReleased), true);
  std::fill(std::begin(m_voiceEnded), std::end(m_voiceEnded), true);
}

int AuImpulseTrackerPlayer::voiceOf(int ch) const {
  return song()->useInstruments ? m_channels[ch].voice : m_firstVoice + ch;
}

int AuImpulseTrackerPlayer::voiceVolume(const Channel& c) const {
  return m_master * ((c.volume * m_globalVolume) >> 7) / 256 * c.envelope / 64;
}

const AuSampleRecord* AuImpulseTrackerPlayer::sampleOf(int instrument, int note) const {
  const AuImpulseTrackerSong& s = *song();
  int number = instrument;
  if (s.useInstruments) {
    if (instrument < 1 || static_cast<size_t>(instrument) > s.instruments.size() || note < 0 || note > 119) {
      return nullptr;
    }
    number = s.instruments[static_cast<size_t>(instrument) - 1].sampleForNote[note];
  }
  if (number < 1 || number > s.sampleCount) return nullptr;
  const AuSampleRecord& r = s.samples[static_cast<size_t>(number) - 1];
  return r.start ? &r : nullptr;
}

int AuImpulseTrackerPlayer::allocateVoice(int ch) {
  Channel& c = m_channels[ch];
  if (c.voice >= 0) return c.voice;
  const int count = m_mixer->getVoiceCount();
  int pick = -1;
  for (int v = m_firstVoice; v < count && pick < 0; ++v) {
    if (m_voiceEnded[v]) pick = v;
  }
  for (int v = m_firstVoice; v < count && pick < 0; ++v) {
    if (m_voiceReleased[v]) pick = v;
  }
  if (pick < 0) return -1;
  for (int other = 0; other < kMaxChannels; ++other) {
    if (m_channels[other].voice == pick) m_channels[other].voice = -1;
  }
  c.voice = pick;
  return pick;
}

void AuImpulseTrackerPlayer::releaseVoice(int ch, bool end) {
  Channel& c = m_channels[ch];
  c.released = true;
  if (c.voice < 0) return;
  m_voiceReleased[c.voice] = true;
  if (end) {
    m_voiceEnded[c.voice] = true;
    m_mixer->voice(c.voice).stop();
    c.voice = -1;
  }
}

void AuImpulseTrackerPlayer::playNotes(int ch, const AuCell& cell) {
  Channel& c = m_channels[ch];
  const bool instruments = song()->useInstruments;
  if (cell.instrument > 0) {
    c.instrument = cell.instrument;
    const int note = cell.note < 120 ? cell.note : c.note;
    if (const AuSampleRecord* s = sampleOf(cell.instrument, note)) c.volume = s->volume;
  }
  if (cell.note < 120) {
    const int period = (kAuPeriodTable[cell.note % 12] * 16) >> (cell.note / 12);
    const AuSampleRecord* s = sampleOf(c.instrument, cell.note);
    if (cell.command == kTonePorta || isVolumePorta(cell)) {
      c.portaTarget = period;
    } else if (s) {
      int voice = m_firstVoice + ch;
      if (instruments) {
        if (c.voice >= 0) m_voiceReleased[c.voice] = m_voiceEnded[c.voice] = true;
        voice = allocateVoice(ch);
      }
      if (voice >= 0 && voice < AuMixer::kVoiceCount) {
        m_voiceReleased[voice] = m_voiceEnded[voice] = false;
        c.note = cell.note;
        c.released = false;
        c.envelopeTick = 0;
        c.envelope = 64;
        startSample(ch, *s, period);
      }
    }
  } else if (cell.note == 254) {
    if (AuMixerVoice* v = voiceFor(ch)) v->stop();
    releaseVoice(ch, true);
  } else if (cell.note == 255) {
    releaseVoice(ch, false);
  }
  if (cell.volume >= 1 && cell.volume <= 65) {
    c.volume = cell.volume - 1;
  } else if (isVolumePorta(cell)) {
    const int speed = kVolumePortaSpeeds[cell.volume - 194];
    if (speed > 0) c.toneSpeed = speed;
  }
}

// IT pans run 0..16 with the centre at 8.
int AuImpulseTrackerPlayer::voicePan(const Channel& c) const {
  return m_song->stereo ? 30 - (std::min<int>(c.pan, 16) * 15 + 4) / 8 : 15;
}

// T0x and T1x slide the tempo down or up by x on every tick after the first
// (T00 repeats the channel's last slide); T20 and above set it.
void AuImpulseTrackerPlayer::tempoCommand(Channel& c, uint8_t info, bool firstTick) {
  if (info >= 0x20) {
    if (firstTick) setTempo(info);
    return;
  }
  if (info == 0) info = c.lastTempoSlide;
  c.lastTempoSlide = info;
  if (firstTick || (info & 15) == 0) return;
  const int step = info & 15;
  setTempo(std::clamp(info >= 0x10 ? m_tempo + step : m_tempo - step, 32, 255));
}

void AuImpulseTrackerPlayer::setVibrato(Channel& c, uint8_t info) {
  if (info == 0) return;
  c.vibratoSpeed = info >> 4;
  const int depth = info & 15;
  c.vibratoDepth = 4 * ((song()->flags & kOldEffects) ? depth : depth / 4);
}

void AuImpulseTrackerPlayer::slidePeriod(Channel& c, int speed, bool up) {
  if (speed <= 0 || c.period <= 0) return;
  const int factor = slideFactor(speed);
  if (up) {
    c.period = std::min(c.period + c.period * factor / 8192, kMaxPeriod);
  } else {
    c.period = std::max(c.period * 8192 / (factor + 8192), kMinPeriod);
  }
  c.outPeriod = c.period;
}

void AuImpulseTrackerPlayer::tonePortamento(Channel& c) {
  if (c.portaTarget <= 0 || c.period <= 0 || c.toneSpeed <= 0) return;
  const int factor = slideFactor(c.toneSpeed);
  if (c.period < c.portaTarget) {
    c.period = std::min(c.period + std::max(1, c.period * factor / 8192), c.portaTarget);
  } else if (c.period > c.portaTarget) {
    c.period = std::max(c.period * 8192 / (factor + 8192), c.portaTarget);
  }
  c.outPeriod = c.period;
}

void AuImpulseTrackerPlayer::tickChannel(int ch, const AuCell& cell, bool firstTick) {
  Channel& c = m_channels[ch];
  AuSongPlayer::tickChannel(ch, cell, firstTick);
  const bool oldEffects = (song()->flags & kOldEffects) != 0;
  if (cell.command == kVibrato && firstTick && !oldEffects) vibrato(c);
  if (!firstTick && isVolumePorta(cell) && cell.command != kTonePorta) tonePortamento(c);
  if (song()->useInstruments) runEnvelope(c);
}

void AuImpulseTrackerPlayer::runEnvelope(Channel& c) {
  if (c.voice < 0 || c.instrument < 1 || static_cast<size_t>(c.instrument) > song()->instruments.size()) return;
  const AuEnvelope& env = song()->instruments[static_cast<size_t>(c.instrument) - 1].volumeEnvelope;
  const int n = env.nodeCount;
  if (!(env.flags & 1)) {
    c.envelope = 64;
    if (c.released) m_voiceEnded[c.voice] = true;
    return;
  }
  if (n < 2) {
    c.envelope = n == 1 ? env.values[0] : 64;
    m_voiceEnded[c.voice] = true;
    return;
  }
  if ((env.flags & 4) && !c.released && env.sustainEnd < n && env.sustainBegin <= env.sustainEnd &&
      c.envelopeTick > env.ticks[env.sustainEnd]) {
    c.envelopeTick = env.ticks[env.sustainBegin];
  }
  int node = 0;
  while (node + 1 < n && c.envelopeTick >= env.ticks[node + 1]) ++node;
  if (node >= n - 1) {
    c.envelope = env.values[n - 1];
    m_voiceEnded[c.voice] = true;
  } else {
    const int span = env.ticks[node + 1] - env.ticks[node];
    const int from = env.values[node];
    const int to = env.values[node + 1];
    c.envelope = span <= 0 ? to : from + (to - from) * (c.envelopeTick - env.ticks[node]) / span;
  }
  ++c.envelopeTick;
}
