// The framework's face of the audio layer: effects with pan, pitch, volume
// and priority, the background song, and the effect and music volumes with
// their mute flags. The device, the samples and the song player are the
// layer's; the manager owns only the loaded song.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "qzf_object.h"

class AuSong;
class AuWin32AudioDevice;
struct AuMixerVoice;
struct QZSoundEntry;

class CQZFAudioManager : public CQZFObject {
 public:
  static constexpr uint16_t kKind = kQZFKindAudioManager;

  static constexpr int kSampleCount = 32;

  explicit CQZFAudioManager(CQZFObject* owner = nullptr);
  ~CQZFAudioManager() override;

  [[nodiscard]] int16_t init();
  int16_t shutdown();
  int16_t update();
  int16_t stopAll();
  int16_t setOutputActive(int on);
  void setSoundMode(int32_t mode);
  int32_t getSoundMode() const;

  int16_t playById(uint16_t id, int priority, int* channelOut, int tag);
  int16_t playEntry(const QZSoundEntry& entry);
  // pan 0..15 (others: centre), pitch in semitones -12..11.
  int16_t playSound(uint16_t soundId, int pan, int pitch, int volume, int priority);
  int isOutputAvailable() const;
  int getCapabilities() const;

  void setSoundVolume(int level);
  int getSoundVolume() const;
  void setSoundMuted(bool muted);
  bool isSoundMuted() const;
  void setMusicVolume(int level);
  int getMusicVolume() const;
  void setMusicMuted(bool muted);
  bool isMusicMuted() const;
  void silence();
  void restoreVolumes();

  AuMixerVoice* channelVoice(int channel) const;
  int16_t setChannelPan(int channel, int pan);
  int16_t setChannelPeriod(int channel, int period);
  int16_t setChannelVolume(int channel, int volume);

  [[nodiscard]] int16_t loadScreamTrackerSong(const std::u16string& name);
  [[nodiscard]] int16_t loadImpulseTrackerSong(const std::u16string& name);
  int16_t attachSong(AuSong* song);
  int16_t playSong(int index);
  int16_t selectSong(int index, bool force);
  int getSongIndex() const { return m_songIndex; }
  AuSong* getSong() const { return m_song.get(); }

 private:
  [[nodiscard]] int16_t loadSong(std::unique_ptr<AuSong> song, const std::u16string& name);
  void releaseSong();

  int32_t m_sampleCount = kSampleCount;
  AuWin32AudioDevice* m_device = nullptr;
  std::unique_ptr<AuSong> m_song;
  int m_songIndex = -1;
};
