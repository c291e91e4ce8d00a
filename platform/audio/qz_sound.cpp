#include "qz_sound.h"

#include <array>
#include <memory>
#include <mutex>

#include "qz_audio_waveout.h"
#include "qz_music.h"
#include "qz_preferences.h"
#include "qz_resource_manager.h"
#include "qz_sample.h"

namespace {

struct SoundState {
  std::unique_ptr<AuWin32AudioDevice> device;
  std::unique_ptr<std::array<std::unique_ptr<QZSample>, kQZSampleCount>> samples;
  bool smartphone = false;
  bool halfVolume = false;
};

SoundState& state() {
  static SoundState s;
  return s;
}

// Runs `change` on the channel's voice under the device lock.
template <typename Change>
int changeChannel(int channel, Change change) {
  AuWin32AudioDevice* device = state().device.get();
  if (!device || !device->canControlChannels() || channel == -1) return -18;
  device->lock();
  if (AuMixerVoice* v = QZGetChannelVoice(channel)) change(*v, *device);
  device->unlock();
  return 0;
}

}  // namespace

void QZSetAudioDeviceKind(bool smartphone, bool halfVolume) {
  state().smartphone = smartphone;
  state().halfVolume = halfVolume;
}

int QZGetEffectVolumeFactor() { return state().halfVolume ? 32 : 64; }

int QZStartAudio() {
  SoundState& s = state();
  if (s.device) return 0;
  auto device = std::make_unique<AuWin32AudioDevice>();
  if (device->open() != 0) return -1;
  if (!s.smartphone) device->setStereo(true);
  s.device = std::move(device);
  s.samples = std::make_unique<std::array<std::unique_ptr<QZSample>, kQZSampleCount>>();
  _LoadSampleResources();
  CQZResourceManager::instance().setSampleHooks(&QZDropSamples, [] { _LoadSampleResources(); });
  QZSystemPreferences& settings = QZGetSystemPreferences();
  if (!settings.volumesSet) {
    settings.effectsVolume = 256;
    settings.musicVolume = 256;
    settings.volumesSet = 1;
  }
  QZSetSoundEffectVolume(settings.effectsVolume);
  QZSetMusicVolume(settings.musicVolume);
  // A machine without any wave device plays silently; the start goes on.
  const int result = s.device->setActive(1);
  return waveOutGetNumDevs() == 0 ? 0 : result;
}

int _LoadSampleResources() {
  SoundState& s = state();
  if (!s.device || !s.samples || !s.device->canPlaySamples()) return 0;
  int loaded = 0;
  for (int i = 0; i < kQZSampleCount; ++i) {
    auto sample = std::make_unique<QZSample>();
    if (sample->load(static_cast<uint16_t>(kQZFirstSampleId + i)) == 0) {
      (*s.samples)[static_cast<size_t>(i)] = std::move(sample);
      ++loaded;
    }
  }
  return loaded ? 0 : -18;
}

int _UnloadSampleResources() {
  SoundState& s = state();
  // The player is detached before the device goes: the mixer may call it.
  QZDeleteSongPlayer();
  if (s.device) {
    std::unique_ptr<AuWin32AudioDevice> device = std::move(s.device);
    device->setActive(0);
  }
  s.samples.reset();
  return 0;
}

void QZDropSamples() {
  SoundState& s = state();
  if (!s.device || !s.samples) return;
  s.device->stopEffects();
  for (auto& sample : *s.samples) sample.reset();
}

AuWin32AudioDevice* QZGetAudioDevice() { return state().device.get(); }

QZSample* QZGetSample(uint16_t id) {
  SoundState& s = state();
  const int index = id - kQZFirstSampleId;
  if (!s.samples || index < 0 || index >= kQZSampleCount) return nullptr;
  return (*s.samples)[static_cast<size_t>(index)].get();
}

int QZEnableSoundOutput(int on) {
  AuWin32AudioDevice* device = state().device.get();
  return device ? device->setActive(on) : -1;
}

void QZSetSoundMode(int32_t mode) { QZGetSystemPreferences().soundMode = mode; }

int32_t QZGetSoundMode() { return QZGetSystemPreferences().soundMode; }

int QZStopAllSounds() {
  AuWin32AudioDevice* device = state().device.get();
  return device ? device->stopAll() : 0;
}

int QZUpdateSound() {
  AuWin32AudioDevice* device = state().device.get();
  return device ? device->update() : 0;
}

int QZPlaySound(uint16_t id, int priority, int* channelOut, int tag) {
  QZSample* sample = QZGetSample(id);
  AuWin32AudioDevice* device = state().device.get();
  if (!sample || !device) return -1;
  return device->playSample(sample, 1712, priority, channelOut, tag);
}

int QZPlaySoundEntry(const QZSoundEntry& entry) {
  if (entry.id < kQZFirstSampleId) return 0;
  return QZPlaySound(static_cast<uint16_t>(entry.id & ~0x2000), entry.priority, nullptr, 0);
}

uint8_t QZCanSetVolume() {
  AuWin32AudioDevice* device = state().device.get();
  return device ? static_cast<uint8_t>(device->canPlaySamples()) : 0;
}

int QZGetAudioCapabilities() {
  AuWin32AudioDevice* device = state().device.get();
  return device ? device->capabilities() : 0;
}

int QZPrepareAllSamples() {
  SoundState& s = state();
  if (!s.samples) return 0;
  for (auto& sample : *s.samples) {
    if (sample) sample->prepare(kQZSamplePCM);
  }
  return 0;
}

int QZSetSoundEffectVolume(int volume) {
  SoundState& s = state();
  QZGetSystemPreferences().effectsVolume = static_cast<uint16_t>(volume);
  if (s.device) s.device->setVolume((volume * QZGetEffectVolumeFactor()) >> 8);
  return 0;
}

int QZGetSoundEffectVolume() { return QZGetSystemPreferences().effectsVolume; }

int QZGetAudibleSoundEffectVolume() { return QZGetSoundMode() == 1 ? 0 : QZGetSoundEffectVolume(); }

AuMixerVoice* QZGetChannelVoice(int channel) {
  AuWin32AudioDevice* device = state().device.get();
  const int voice = channel & 31;
  if (!device || voice >= device->mixer().getVoiceCount()) return nullptr;
  return &device->mixer().voice(voice);
}

int QZSetChannelPan(int channel, int pan) {
  return changeChannel(channel, [pan](AuMixerVoice& v, AuWin32AudioDevice&) { v.setPan(pan); });
}

int QZSetChannelPeriod(int channel, int period) {
  return changeChannel(channel, [period](AuMixerVoice& v, AuWin32AudioDevice&) { v.setPeriod(period); });
}

int QZSetChannelVolume(int channel, int volume) {
  return changeChannel(channel, [volume](AuMixerVoice& v, AuWin32AudioDevice& d) {
    v.setVolume(volume * d.getVolume() / 256);
  });
}
