// Sound effects of the platform layer: the audio device, the 32 effect
// samples (ids 4000-4031) and the procedural interface the game calls.
#pragma once

#include <cstdint>

class AuWin32AudioDevice;
class QZSample;
struct AuMixerVoice;

constexpr uint16_t kQZFirstSampleId = 4000;
constexpr int kQZSampleCount = 32;

// The sound mode and the volumes are kept in the system preferences
// (QZGetSystemPreferences).

// What the audio start needs to know of the device: a Smartphone plays mono,
// and one device model gets half the effect volume.
void QZSetAudioDeviceKind(bool smartphone, bool halfVolume);
int QZGetEffectVolumeFactor();

// Also gives the resource manager the hooks that drop and reload the samples
// around a change of graphics mode or language.
int QZStartAudio();
int _LoadSampleResources();
int _UnloadSampleResources();
// Stops the effect voices, then deletes every sample (their resources may
// go away next).
void QZDropSamples();
AuWin32AudioDevice* QZGetAudioDevice();
QZSample* QZGetSample(uint16_t id);

struct QZSoundEntry {
  uint16_t id;
  uint16_t priority;
};

int QZEnableSoundOutput(int on);
void QZSetSoundMode(int32_t mode);
int32_t QZGetSoundMode();
int QZStopAllSounds();
int QZUpdateSound();
int QZPlaySound(uint16_t id, int priority, int* channelOut, int tag);
int QZPlaySoundEntry(const QZSoundEntry& entry);
uint8_t QZCanSetVolume();
int QZGetAudioCapabilities();
int QZPrepareAllSamples();
int QZSetSoundEffectVolume(int volume);
int QZGetSoundEffectVolume();
// The effect volume, or 0 while sound effects are off.
int QZGetAudibleSoundEffectVolume();
AuMixerVoice* QZGetChannelVoice(int channel);
int QZSetChannelPan(int channel, int pan);
int QZSetChannelPeriod(int channel, int period);
int QZSetChannelVolume(int channel, int volume);
