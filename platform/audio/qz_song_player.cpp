#include "qz_song_player.h"

#include <algorithm>

#include "qz_audio_device.h"

namespace {

constexpr int kMinPeriod = 56;
constexpr int kMaxPeriod = 0x6B00;
constexpr int kNoSongFrames = 8000;

constexpr uint8_t kVibratoTable[32] = {0,   24,  49,  74,  97,  120, 141, 161, 180, 197, 212,
                                       224, 235, 244, 250, 253, 255, 253, 250, 244, 235, 224,
                                       212, 197, 180, 161, 141, 120, 97,  74,  49,  24};

enum Command : uint8_t {
  kSetSpeed = 1,
  kJump = 2,
  kBreak = 3,
  kVolumeSlide = 4,
  kPortaDown = 5,
  kPortaUp = 6,
  kTonePorta = 7,
  kVibrato = 8,
  kVibratoVolume = 11,
  kOffset = 15,
  kSpecial = 19,
  kTempo = 20,
  kGlobalVolume = 22,
};

}  // namespace

AuSongPlayer::Guard::Guard(AuSongPlayer& player) : m_player(player) {
  if (m_player.m_device) m_player.m_device->lock();
  m_player.m_lock.lock();
}

AuSongPlayer::Guard::~Guard() {
  m_player.m_lock.unlock();
  if (m_player.m_device) m_player.m_device->unlock();
}

AuSongPlayer::AuSongPlayer() = default;

AuSongPlayer::~AuSongPlayer() {
  // Never leave the mixer calling into a deleted player.
  if (m_device) attachDevice(nullptr);
}

int32_t AuSongPlayer::tickCallback(AuMixer*, void* user, int32_t framesElapsed) {
  return static_cast<AuSongPlayer*>(user)->tick(framesElapsed);
}

void AuSongPlayer::setFirstVoice(int voice) {
  Guard guard(*this);
  m_firstVoice = std::clamp(voice, 0, AuMixer::kVoiceCount);
}

void AuSongPlayer::attachDevice(AuMultichannelAudioDevice* device) {
  if (m_device && m_device != device) {
    Guard guard(*this);
    if (m_mixer->getTickCallback() == &AuSongPlayer::tickCallback && m_mixer->getTickUser() == this) {
      m_mixer->setTickCallback(nullptr, nullptr);
    }
    m_mixer->stopAllVoices();
  }
  if (!device) {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    m_device = nullptr;
    m_mixer = nullptr;
    return;
  }
  device->lock();
  {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    m_device = device;
    m_mixer = &device->mixer();
    m_mixer->setVoiceCount(m_channelCount + m_firstVoice);
    m_mixer->setTickCallback(&AuSongPlayer::tickCallback, this);
  }
  device->unlock();
  restart();
}

void AuSongPlayer::attachSong(AuSong* song) {
  Guard guard(*this);
  if (m_mixer) m_mixer->stopAllVoices();
  m_song = song;
  const int count = song && song->isLoaded() ? song->getChannelCount() : 0;
  m_channelCount = std::min(count, std::min(kMaxMusicChannels, AuMixer::kVoiceCount - m_firstVoice));
  if (m_mixer) m_mixer->setVoiceCount(m_channelCount + m_firstVoice);
  restart();
}

void AuSongPlayer::restart() {
  Guard guard(*this);
  if (m_mixer) m_mixer->stopAllVoices();
  m_stopped = false;
  m_markersSeen = 0;
  m_pending = false;
  for (int c = 0; c < kMaxChannels; ++c) {
    m_channels[c] = Channel{};
    m_cells[c] = AuCell{};
  }
  if (!m_song || !m_song->isLoaded()) return;
  m_tickCarry = 0;
  setTempo(m_song->initialTempo);
  m_speed = m_song->initialSpeed ? m_song->initialSpeed : 6;
  for (int c = 0; c < kMaxChannels; ++c) m_channels[c].pan = m_song->channels[c].pan;
  m_globalVolume = m_song->globalVolume;
  m_order = 0;
  m_row = 0;
  m_tick = 0;
  m_framesIntoTick = 0;
  m_newOrder = true;
}

void AuSongPlayer::setVolume(int volume) {
  Guard guard(*this);
  m_master = volume;
  for (int c = 0; c < m_channelCount; ++c) {
    if (AuMixerVoice* v = voiceFor(c)) v->setVolume(voiceVolume(m_channels[c]));
  }
}

// A tick lasts 2.5 / tempo seconds: rate x 5 / (2 x tempo) frames, rounded
// to 1/65536 of a frame (441 frames at 22050 Hz and tempo 125).
void AuSongPlayer::setTempo(int tempo) {
  m_tempo = std::max(tempo, 32);
  const int64_t rate = m_mixer ? m_mixer->getRate() : 22050;
  m_tickLength = (rate * 5 * 65536 + m_tempo) / (2 * m_tempo);
  m_framesPerTick = static_cast<int>(std::max<int64_t>(1, (m_tickLength + m_tickCarry) >> 16));
}

void AuSongPlayer::nextTickLength() {
  m_tickCarry = (m_tickLength + m_tickCarry) & 0xFFFF;
  m_framesPerTick = static_cast<int>(std::max<int64_t>(1, (m_tickLength + m_tickCarry) >> 16));
}

int32_t AuSongPlayer::tick(int32_t framesElapsed) {
  std::lock_guard<std::recursive_mutex> lock(m_lock);
  if (!usable() || m_stopped) return usable() ? m_framesPerTick : kNoSongFrames;
  if (!m_newOrder) m_framesIntoTick += framesElapsed;
  m_markersSeen = 0;
  do {
    if (m_framesIntoTick >= m_framesPerTick) {
      m_framesIntoTick = 0;
      ++m_tick;
      nextTickLength();
    }
    if (m_tick >= m_speed) {
      m_tick = 0;
      if (m_pending) {
        m_order = m_targetOrder;
        m_row = 0;
        m_newOrder = true;
        m_pending = false;
      } else {
        ++m_row;
      }
    }
    if (m_row > lastRow()) {
      m_row = 0;
      ++m_order;
      m_newOrder = true;
    }
    if (m_order >= m_song->orderCount) m_order = 0;
    if (m_framesIntoTick != 0) break;
    if (m_tick == 0) {
      playRow();
    } else {
      otherTicks();
    }
  } while (m_newOrder && !m_stopped);
  return m_framesPerTick - m_framesIntoTick;
}

void AuSongPlayer::stopSong() {
  m_stopped = true;
  m_newOrder = false;
  m_mixer->stopAllVoices();
}

void AuSongPlayer::playRow() {
  if (m_newOrder) {
    // One full pass over the order list without a pattern: nothing to play.
    if (m_song->orderCount == 0 || ++m_markersSeen > m_song->orderCount + 1) {
      stopSong();
      return;
    }
    const uint8_t entry = m_song->orders[m_order];
    if (entry == 255) {
      m_order = 0;
      return;
    }
    if (entry == 254) {
      ++m_order;
      return;
    }
    const uint8_t* data = nullptr;
    size_t size = 0;
    m_song->getPattern(entry, data, size, m_rows);
    m_reader.start(data, size, m_song->isImpulseTracker());
    m_row = 0;
    m_tick = 0;
    m_framesIntoTick = 0;
    m_newOrder = false;
  }
  m_reader.readRow(m_cells, kMaxChannels);
  for (int c = 0; c < m_channelCount; ++c) {
    playNotes(c, m_cells[c]);
    tickChannel(c, m_cells[c], true);
    updateVoice(c);
  }
}

void AuSongPlayer::otherTicks() {
  for (int c = 0; c < m_channelCount; ++c) {
    tickChannel(c, m_cells[c], false);
    updateVoice(c);
  }
}

int AuSongPlayer::voiceOf(int ch) const { return m_firstVoice + ch; }

AuMixerVoice* AuSongPlayer::voiceFor(int ch) {
  const int v = voiceOf(ch);
  if (!m_mixer || v < 0 || v >= m_mixer->getVoiceCount()) return nullptr;
  return &m_mixer->voice(v);
}

int AuSongPlayer::voiceVolume(const Channel& c) const {
  return m_master * (c.volume * m_globalVolume / 64) / 256;
}

void AuSongPlayer::updateVoice(int ch) {
  AuMixerVoice* v = voiceFor(ch);
  if (!v) return;
  const Channel& c = m_channels[ch];
  v->setVolume(voiceVolume(c));
  if (c.outPeriod > 0) v->setPeriod(c.outPeriod * 2);
}

void AuSongPlayer::startSample(int ch, const AuSampleRecord& s, int period) {
  Channel& c = m_channels[ch];
  c.period = period;
  c.outPeriod = period;
  AuMixerVoice* v = voiceFor(ch);
  if (!v) return;
  v->init(s.start, s.end, s.loopStart, s.periodScale, s.format);
  v->setPanHalves(voicePan(c));
  // Voices take the channel period doubled.
  v->trigger(period * 2);
}

// The files count pans from the left (S3M 0..15); a mono song is centred.
int AuSongPlayer::voicePan(const Channel& c) const {
  return m_song->stereo ? 30 - 2 * std::min<int>(c.pan, 15) : 15;
}

void AuSongPlayer::tempoCommand(Channel&, uint8_t info, bool firstTick) {
  if (firstTick) setTempo(info);
}

void AuSongPlayer::volumeSlide(Channel& c, uint8_t info, bool firstTick) {
  if (info == 0) info = c.lastSlide;
  c.lastSlide = info;
  const int up = info >> 4;
  const int down = info & 15;
  const bool fineUp = down == 15 && up > 0;
  const bool fineDown = up == 15 && down > 0;
  if (firstTick) {
    if (fineUp) {
      c.volume += up;
    } else if (fineDown) {
      c.volume -= down;
    } else if (m_song->fastVolumeSlides) {
      c.volume += down == 0 ? up : (up == 0 ? -down : 0);
    }
  } else if (!fineUp && !fineDown) {
    c.volume += down == 0 ? up : (up == 0 ? -down : 0);
  }
  c.volume = std::clamp(c.volume, 0, 64);
}

void AuSongPlayer::slidePeriod(Channel& c, int speed, bool up) {
  if (c.period <= 0) return;
  c.period = up ? std::min(c.period + speed, kMaxPeriod) : std::max(c.period - speed, kMinPeriod);
  c.outPeriod = c.period;
}

void AuSongPlayer::tonePortamento(Channel& c) {
  if (c.portaTarget <= 0 || c.period <= 0) return;
  if (c.period < c.portaTarget) {
    c.period = std::min(c.period + c.toneSpeed, c.portaTarget);
  } else {
    c.period = std::max(c.period - c.toneSpeed, c.portaTarget);
  }
  c.outPeriod = c.period;
}

void AuSongPlayer::setVibrato(Channel& c, uint8_t info) {
  if (info == 0) return;
  c.vibratoSpeed = info >> 4;
  c.vibratoDepth = 4 * (info & 15);
}

void AuSongPlayer::vibrato(Channel& c) {
  const int delta = (kVibratoTable[c.vibratoPosition & 31] * c.vibratoDepth) >> 7;
  c.outPeriod = c.vibratoPosition < 0 ? c.period - delta : c.period + delta;
  c.vibratoPosition += c.vibratoSpeed;
  if (c.vibratoPosition >= 32) c.vibratoPosition -= 64;
}

void AuSongPlayer::tickChannel(int ch, const AuCell& cell, bool firstTick) {
  Channel& c = m_channels[ch];
  const uint8_t info = cell.info;
  switch (cell.command) {
    case kSetSpeed:
      if (firstTick && info > 0) m_speed = info;
      break;
    case kJump:
      if (firstTick) {
        m_pending = true;
        m_targetOrder = info;
      }
      break;
    case kBreak:
      if (firstTick) {
        m_pending = true;
        m_targetOrder = m_order + 1;
      }
      break;
    case kVolumeSlide:
      volumeSlide(c, info, firstTick);
      break;
    case kPortaDown:
    case kPortaUp:
      if (info >= 0xE0) break;
      if (firstTick) {
        if (info > 0) c.portaSpeed = m_song->isImpulseTracker() ? info : 4 * info;
      } else {
        slidePeriod(c, c.portaSpeed, cell.command == kPortaDown);
      }
      break;
    case kTonePorta:
      if (firstTick) {
        if (info > 0) c.toneSpeed = m_song->isImpulseTracker() ? info : 4 * info;
      } else {
        tonePortamento(c);
      }
      break;
    case kVibrato:
      if (firstTick) {
        setVibrato(c, info);
      } else {
        vibrato(c);
      }
      break;
    case kVibratoVolume:
      volumeSlide(c, info, firstTick);
      if (!firstTick) vibrato(c);
      break;
    case kOffset:
      if (firstTick) {
        AuMixerVoice* v = voiceFor(ch);
        if (v && !v->isSilent()) v->setPosition(info * 256u * (v->format == kAuFormatSigned16 ? 2 : 1));
      }
      break;
    case kSpecial:
      if (firstTick && (info >> 4) == 8) {
        c.pan = info & 15;
        if (AuMixerVoice* v = voiceFor(ch)) v->setPanHalves(voicePan(c));
      }
      if (!firstTick && (info >> 4) == 0xC && m_tick == (info & 15)) c.volume = 0;
      break;
    case kTempo:
      tempoCommand(c, info, firstTick);
      break;
    case kGlobalVolume:
      if (firstTick && !m_song->isImpulseTracker()) m_globalVolume = std::min<int>(info, 64);
      break;
    default:
      break;
  }
}

void AuScreamTrackerPlayer::playNotes(int ch, const AuCell& cell) {
  Channel& c = m_channels[ch];
  if (cell.instrument > 0 && cell.instrument <= m_song->sampleCount) {
    const AuSampleRecord& s = m_song->samples[cell.instrument - 1u];
    if (s.start) {
      c.instrument = cell.instrument;
      c.volume = s.volume;
    }
  }
  if (cell.note < 254) {
    const int octave = cell.note >> 4;
    const int semitone = cell.note & 15;
    if (semitone <= 11) {
      const int period = (kAuPeriodTable[semitone] * 16) >> std::min(octave + 1, 31);
      if (cell.command == kTonePorta) {
        c.portaTarget = period;
      } else if (c.instrument > 0) {
        c.note = semitone;
        c.octave = octave;
        startSample(ch, m_song->samples[c.instrument - 1u], period);
      }
    }
  } else if (cell.note == 254) {
    if (AuMixerVoice* v = voiceFor(ch)) v->stop();
  }
  if (cell.volume) c.volume = std::min((cell.volume - 1) & 0x7F, 64);
}
