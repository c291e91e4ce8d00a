// The audio device: the mixer with its four effect channels (voices 0-3),
// and the device lock that guards every voice. Output to the platform's
// wave device is added by AuWin32AudioDevice.
#pragma once

#include <cstdint>
#include <mutex>

#include "qz_audio_mixer.h"

class QZSample;

class AuAudioDevice {
 public:
  virtual ~AuAudioDevice() = default;
  virtual int open() = 0;
  virtual int close() = 0;
  virtual int setActive(int on) = 0;
  virtual int playSample(QZSample* sample, int period, int priority, int* channelOut, int tag) = 0;
  virtual int stopAll() = 0;
  virtual int setVolume(int level) = 0;
  virtual int getVolume() = 0;
  virtual int update() = 0;
  virtual int capabilities() = 0;
  // Whether effect channels can be steered (pan, period, volume).
  virtual int canControlChannels() = 0;
  // Whether the device plays samples and its volume can be set.
  virtual int canPlaySamples() = 0;
  virtual int canPlaySongs() = 0;
};

class AuMultichannelAudioDevice : public AuAudioDevice {
 public:
  static constexpr int kEffectChannels = 4;

  AuMultichannelAudioDevice();
  ~AuMultichannelAudioDevice() override;

  // Four effect channels, four voices, mono at 22050 Hz, no tick callback.
  int open() override;
  int close() override;
  // Without a platform output there is nothing to start.
  int setActive(int on) override;
  int playSample(QZSample* sample, int period, int priority, int* channelOut, int tag) override;
  int stopAll() override;
  int setVolume(int level) override;
  int getVolume() override { return m_volume; }
  int update() override;
  int capabilities() override { return 3; }
  int canControlChannels() override { return 1; }
  int canPlaySamples() override { return 1; }
  int canPlaySongs() override { return 1; }

  AuMixer& mixer() { return m_mixer; }
  AuMixerVoice* getVoices() { return m_mixer.voices(); }
  void setStereo(bool stereo) { m_mixer.setStereo(stereo); }
  void setChannelCount(int n);
  int getChannelCount() const { return m_channelCount; }
  // The device lock: held by the renderer and by every caller that changes
  // voices. Recursive; taken before any song player's lock.
  void lock() { m_lock.lock(); }
  void unlock() { m_lock.unlock(); }
  // Silences the effect voices (before their sample data goes away).
  void stopEffects();
  // Stored priority of an effect channel, for tests.
  uint16_t getChannelPriority(int channel) const { return m_channels[channel].priority; }

 protected:
  void startSound(QZSample* sample, int period, int channel);

  struct EffectChannel {
    uint8_t pending = 0;
    QZSample* sample = nullptr;
    uint16_t period = 0;
    uint16_t priority = 0;
    uint8_t tag = 0;
  };

  int16_t m_volume = 256;
  int m_channelCount = 1;
  EffectChannel m_channels[kEffectChannels];
  std::recursive_mutex m_lock;
  AuMixer m_mixer;
};
