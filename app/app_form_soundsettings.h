// Sound: the volume of the effects and of the music and their mute boxes,
// applied at once through the audio manager, which keeps them.
#pragma once

#include <cstdint>

#include "qzf_form.h"

class CQZFAudioManager;

class CAppSoundSettingsForm : public CQZFForm {
 public:
  static constexpr uint16_t kClose = 1;
  static constexpr uint16_t kSoundLabel = 1041;
  static constexpr uint16_t kSoundVolume = 1042;
  static constexpr uint16_t kSoundMuted = 1043;
  static constexpr uint16_t kMusicLabel = 1044;
  static constexpr uint16_t kMusicVolume = 1045;
  static constexpr uint16_t kMusicMuted = 1046;
  // The audio manager's volumes run to this; the sliders to 100.
  static constexpr int kMaxVolume = 512;

  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  Handled onEvent(const QZFFormEvent& event) override;
  Handled onGadgetEvent(const CQZFGadgetEvent& event) override;

  static int volumeToPosition(int volume) { return volume * 100 / kMaxVolume; }
  static int positionToVolume(int position) { return position * kMaxVolume / 100; }

 private:
  CQZFAudioManager* audio_ = nullptr;
};
