#include "qzf_audio.h"

#include "qz_audio_mixer.h"
#include "qz_lifecycle.h"
#include "qzf_application.h"
#include "qz_audio_waveout.h"
#include "qz_music.h"
#include "qz_preferences.h"
#include "qz_song.h"
#include "qz_song_player.h"
#include "qz_sound.h"

CQZFAudioManager::CQZFAudioManager(CQZFObject* owner) : CQZFObject(owner) {
  setKind(kKind, this);
}

CQZFAudioManager::~CQZFAudioManager() { releaseSong(); }

int16_t CQZFAudioManager::init() {
  if (!QZGetAudioDevice()) {
    const int result = QZStartAudio();
    if (result < 0) return CQZFApplication::report(this, "qzf_audio", 42, static_cast<int16_t>(result));
  }
  m_device = QZGetAudioDevice();
  if (!m_device) return -50;
  setSoundVolume(QZGetSystemPreferences().effectsVolume);
  setMusicVolume(QZGetSystemPreferences().musicVolume);
  return 0;
}

int16_t CQZFAudioManager::shutdown() {
  // The song is detached from the player under the device lock before it goes.
  releaseSong();
  m_device = nullptr;
  const int result = _UnloadSampleResources();
  if (result < 0) return CQZFApplication::report(this, "qzf_audio", 91, static_cast<int16_t>(result));
  return 0;
}

void CQZFAudioManager::releaseSong() {
  if (!m_song) return;
  if (AuSongPlayer* player = QZGetSongPlayer()) player->attachSong(nullptr);
  m_song.reset();
}

int16_t CQZFAudioManager::update() { return m_device ? static_cast<int16_t>(m_device->update()) : 0; }

int16_t CQZFAudioManager::stopAll() { return m_device ? static_cast<int16_t>(m_device->stopAll()) : -1; }

int16_t CQZFAudioManager::setOutputActive(int on) {
  return m_device ? static_cast<int16_t>(m_device->setActive(on)) : -1;
}

void CQZFAudioManager::setSoundMode(int32_t mode) { QZSetSoundMode(mode); }

int32_t CQZFAudioManager::getSoundMode() const { return QZGetSoundMode(); }

int16_t CQZFAudioManager::playById(uint16_t id, int priority, int* channelOut, int tag) {
  if (id < kQZFirstSampleId || id >= kQZFirstSampleId + m_sampleCount) return -1;
  return static_cast<int16_t>(QZPlaySound(id, priority, channelOut, tag & 0xFF));
}

int16_t CQZFAudioManager::playEntry(const QZSoundEntry& entry) { return static_cast<int16_t>(QZPlaySoundEntry(entry)); }

int16_t CQZFAudioManager::playSound(uint16_t soundId, int pan, int pitch, int volume, int priority) {
  if (getSoundMode() == 1) return 1;
  int period = 1712;
  if (pitch >= 0 && pitch <= 11) {
    period = kAuPeriodTable[pitch];
  } else if (pitch >= -12 && pitch < 0) {
    period = 2 * kAuPeriodTable[pitch + 12];
  }
  if (pan < 0 || pan > 15) pan = 8;
  int channel = -1;
  playById(soundId, priority, &channel, 0);
  setChannelPan(channel, pan);
  setChannelPeriod(channel, period);
  return setChannelVolume(channel, volume);
}

int CQZFAudioManager::isOutputAvailable() const { return m_device ? m_device->canPlaySamples() : 0; }

int CQZFAudioManager::getCapabilities() const { return m_device ? m_device->capabilities() : 0; }

void CQZFAudioManager::setSoundVolume(int level) {
  QZSetSoundEffectVolume(level);
  if (m_device && QZGetSystemPreferences().effectsOff) m_device->setVolume(0);
}

int CQZFAudioManager::getSoundVolume() const { return QZGetSoundEffectVolume(); }

void CQZFAudioManager::setSoundMuted(bool muted) {
  QZGetSystemPreferences().effectsOff = muted;
  setSoundVolume(getSoundVolume());
}

bool CQZFAudioManager::isSoundMuted() const { return QZGetSystemPreferences().effectsOff != 0; }

void CQZFAudioManager::setMusicVolume(int level) {
  QZGetSystemPreferences().musicVolume = static_cast<uint16_t>(level);
  QZSetMusicMute(QZGetSystemPreferences().musicOff != 0);
  QZSetMusicVolume(level);
}

int CQZFAudioManager::getMusicVolume() const { return QZGetSystemPreferences().musicVolume; }

void CQZFAudioManager::setMusicMuted(bool muted) {
  QZGetSystemPreferences().musicOff = muted;
  setMusicVolume(getMusicVolume());
}

bool CQZFAudioManager::isMusicMuted() const { return QZGetSystemPreferences().musicOff != 0; }

void CQZFAudioManager::silence() {
  if (AuSongPlayer* player = QZGetSongPlayer()) player->setVolume(0);
  if (m_device) m_device->setVolume(0);
}

void CQZFAudioManager::restoreVolumes() {
  setMusicVolume(getMusicVolume());
  setSoundVolume(getSoundVolume());
}

AuMixerVoice* CQZFAudioManager::channelVoice(int channel) const { return QZGetChannelVoice(channel); }

int16_t CQZFAudioManager::setChannelPan(int channel, int pan) {
  return static_cast<int16_t>(QZSetChannelPan(channel, pan));
}

int16_t CQZFAudioManager::setChannelPeriod(int channel, int period) {
  return static_cast<int16_t>(QZSetChannelPeriod(channel, period));
}

int16_t CQZFAudioManager::setChannelVolume(int channel, int volume) {
  return static_cast<int16_t>(QZSetChannelVolume(channel, volume));
}

int16_t CQZFAudioManager::loadScreamTrackerSong(const std::u16string& name) {
  return loadSong(std::make_unique<AuScreamTrackerSong>(), name);
}

int16_t CQZFAudioManager::loadImpulseTrackerSong(const std::u16string& name) {
  return loadSong(std::make_unique<AuImpulseTrackerSong>(), name);
}

int16_t CQZFAudioManager::loadSong(std::unique_ptr<AuSong> song, const std::u16string& name) {
  releaseSong();
  // The oldest system (code 768) plays no music.
  if (QZGetOSVersionCode() == 768) return -18;
  // Loads from the preferred song folder, else the install folder, and makes
  // the player on either path.
  const int result = QZLoadSong(song.get(), name);
  if (result != 0) return static_cast<int16_t>(result);
  m_song = std::move(song);
  QZSetMusicVolume(getMusicVolume());
  return 0;
}

int16_t CQZFAudioManager::attachSong(AuSong* song) {
  const int16_t result = static_cast<int16_t>(QZPlaySong(song));
  QZSetMusicVolume(getMusicVolume());
  return result;
}

int16_t CQZFAudioManager::playSong(int index) {
  m_songIndex = index;
  AuSongPlayer* player = QZGetSongPlayer();
  if (!player || !m_song) return 0;
  if (index < 0) {
    attachSong(nullptr);
  } else {
    attachSong(m_song.get());
  }
  return 0;
}

int16_t CQZFAudioManager::selectSong(int index, bool force) {
  if (force || index != m_songIndex) return playSong(index);
  return 0;
}
