#include "qz_audio_device.h"

#include <algorithm>

#include "qz_sample.h"

AuMultichannelAudioDevice::AuMultichannelAudioDevice() { m_mixer.init(); }

AuMultichannelAudioDevice::~AuMultichannelAudioDevice() = default;

int AuMultichannelAudioDevice::open() {
  std::lock_guard<std::recursive_mutex> guard(m_lock);
  setChannelCount(kEffectChannels);
  m_mixer.setRate(22050);
  m_mixer.setVoiceCount(kEffectChannels);
  m_mixer.setStereo(false);
  m_mixer.setTickCallback(nullptr, nullptr);
  return 0;
}

int AuMultichannelAudioDevice::close() { return setActive(0); }

int AuMultichannelAudioDevice::setActive(int) { return 0; }

void AuMultichannelAudioDevice::setChannelCount(int n) {
  m_channelCount = std::clamp(n, 0, kEffectChannels);
}

int AuMultichannelAudioDevice::playSample(QZSample* sample, int period, int priority, int* channelOut, int tag) {
  if (!sample) {
    if (channelOut) *channelOut = -1;
    return -5;
  }
  if (sample->prepare(kQZSamplePCM) != 0) return -18;
  std::lock_guard<std::recursive_mutex> guard(m_lock);
  int chosen = -1;
  for (int i = 0; i < m_channelCount && chosen < 0; ++i) {
    const bool silent = i >= m_mixer.getVoiceCount() || m_mixer.voice(i).isSilent();
    if (!m_channels[i].pending && silent) chosen = i;
  }
  for (int i = 0; i < m_channelCount && chosen < 0; ++i) {
    if (m_channels[i].priority < static_cast<uint16_t>(priority)) chosen = i;
  }
  if (channelOut) *channelOut = chosen;
  if (chosen < 0) return 0;
  EffectChannel& c = m_channels[chosen];
  c.tag = static_cast<uint8_t>(tag);
  c.pending = 1;
  c.sample = sample;
  c.period = static_cast<uint16_t>(period);
  c.priority = static_cast<uint16_t>(priority);
  startSound(sample, period, chosen);
  c.pending = 0;
  if (c.priority > 0) --c.priority;
  return 0;
}

void AuMultichannelAudioDevice::startSound(QZSample* sample, int period, int channel) {
  const QZPlayableRecord* r = sample->getRecord();
  const int32_t scale = auPeriodScale(r->rate);
  std::lock_guard<std::recursive_mutex> guard(m_lock);
  if (channel >= m_mixer.getVoiceCount() || !r->samples || scale == 0) return;
  AuMixerVoice& v = m_mixer.voice(channel);
  v.init(r->samples, r->samples + r->sampleLength, nullptr, scale, kAuFormatUnsigned8);
  v.setVolume(m_volume);
  v.setPan(8);
  v.trigger(period);
}

int AuMultichannelAudioDevice::update() {
  std::lock_guard<std::recursive_mutex> guard(m_lock);
  for (int i = 0; i < m_channelCount; ++i) {
    EffectChannel& c = m_channels[i];
    if (!c.pending || !c.sample) continue;
    startSound(c.sample, c.period, i);
    c.pending = 0;
    if (c.priority > 0) --c.priority;
  }
  return 0;
}

int AuMultichannelAudioDevice::stopAll() {
  std::lock_guard<std::recursive_mutex> guard(m_lock);
  m_mixer.stopAllVoices();
  return 0;
}

void AuMultichannelAudioDevice::stopEffects() {
  std::lock_guard<std::recursive_mutex> guard(m_lock);
  for (int i = 0; i < kEffectChannels; ++i) {
    m_mixer.voice(i).stop();
    m_channels[i] = EffectChannel{};
  }
}

int AuMultichannelAudioDevice::setVolume(int level) {
  std::lock_guard<std::recursive_mutex> guard(m_lock);
  m_volume = static_cast<int16_t>(level);
  const int voices = m_mixer.getVoiceCount();
  const int each = m_channelCount < voices ? level * (voices / 2) / 4 : level * voices / 4;
  for (int i = 0; i < m_channelCount && i < voices; ++i) m_mixer.voice(i).setVolume(each);
  return 0;
}
