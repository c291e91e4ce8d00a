// The software mixer: 32 voices of 8-bit or 16-bit sample data summed into
// 16-bit PCM, with a tick callback through which the song player drives the
// music voices.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// One octave of note periods, C first. Period 1712 plays a sample at its own
// rate (with the mixer's period scale, see auPeriodScale).
extern const uint16_t kAuPeriodTable[12];

// The period scale of a sample rate: 34254848 / rate (4281 for the 8000 Hz
// effect samples); 0 for rate 0. Effects and songs use the same scale.
int32_t auPeriodScale(uint32_t rate);

enum AuSampleFormat : uint8_t {
  kAuFormatUnsigned8 = 0,
  kAuFormatSigned8 = 1,
  kAuFormatSigned16 = 3,
};

struct AuMixerVoice {
  int32_t periodScale = 0;
  int32_t halfPeriod = 0;
  uint32_t step = 0;  // 16.16 source advance per output frame
  int16_t volume = 0;
  uint8_t pan = 0;  // 0..15; the first (left) channel gets pan/16
  // The pan the mix uses, in half steps (0..30): the first channel gets
  // panHalves/32, the second (30 - panHalves)/32; 15 is the true centre.
  uint8_t panHalves = 0;
  uint32_t fraction = 0;
  const uint8_t* start = nullptr;
  const uint8_t* position = nullptr;  // null: silent
  const uint8_t* loopStart = nullptr;  // null: no loop
  const uint8_t* end = nullptr;
  uint16_t rate = 0;  // the mixer's output rate
  uint8_t format = kAuFormatUnsigned8;
  const uint16_t* noteTable = nullptr;
  uint32_t spare = 0;

  void init(const uint8_t* start, const uint8_t* end, const uint8_t* loopStart, int32_t periodScale,
            uint8_t format);
  void setVolume(int v) { volume = static_cast<int16_t>(v); }
  // position = start + offset in bytes; an offset at or past the end stops
  // the voice.
  void setPosition(uint32_t offset);
  void setPeriod(int32_t period);
  void setPan(int p);
  // A pan in half steps (clamped to 0..30); pan becomes the step below it.
  void setPanHalves(int halves);
  void trigger(int32_t period);
  void setNote(int octave, int note);
  bool isSilent() const { return position == nullptr; }
  void stop() { position = nullptr; }
};

class AuMixer;
// Called when the frames until the next tick have run out: returns the frames
// to the following tick (values below 1 count as 1).
typedef int32_t (*AuTickCallback)(AuMixer* mixer, void* user, int32_t framesSinceLastTick);

class AuMixer {
 public:
  static constexpr int kVoiceCount = 32;
  static constexpr int kChunkEntries = 256;

  void init();
  void release();
  void setRate(uint16_t rate);
  uint16_t getRate() const { return m_rate; }
  void setStereo(bool stereo) { m_stereo = stereo; }
  bool isStereo() const { return m_stereo; }
  void setVoiceCount(int n);
  int getVoiceCount() const { return m_voiceCount; }
  void stopAllVoices();
  void setTickCallback(AuTickCallback callback, void* user);
  AuTickCallback getTickCallback() const { return m_tick; }
  void* getTickUser() const { return m_tickUser; }
  // Mixes `frames` frames of 16-bit PCM (interleaved left first in stereo).
  void render(int16_t* out, int32_t frames);

  AuMixerVoice& voice(int i) { return m_voices[static_cast<std::size_t>(i)]; }
  AuMixerVoice* voices() { return m_voices.data(); }

 private:
  void mix(int16_t* out, int32_t frames);
  void mixChunk(int16_t* out, int32_t frames);

  std::array<AuMixerVoice, kVoiceCount> m_voices{};
  int16_t m_voiceCount = 0;
  int16_t m_perVoice = 0;  // 256 / voice count
  uint16_t m_rate = 22050;
  bool m_stereo = false;
  AuTickCallback m_tick = nullptr;
  void* m_tickUser = nullptr;
  int32_t m_framesToTick = 0;
  int32_t m_framesSinceTick = 0;
  std::array<int32_t, kChunkEntries> m_acc{};
};
