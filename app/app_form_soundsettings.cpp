#include "app_form_soundsettings.h"

#include "app_application.h"
#include "app_form_alert.h"
#include "app_form_ids.h"
#include "qzf_audio.h"
#include "qzf_gadget_event.h"

namespace {
constexpr const char* kSource = "app_form_soundsettings";
}  // namespace

int16_t CAppSoundSettingsForm::open(uint16_t formId, uint32_t param) {
  auto* app = findOwner<CAppApplication>();
  audio_ = app ? app->getAudioManager() : nullptr;
  if (!audio_) return CQZFApplication::report(this, kSource, __LINE__, QZ_ERR_BAD_STATE);
  if (const int16_t r = CQZFForm::open(formId, param); r < 0)
    return CQZFApplication::report(this, kSource, __LINE__, r);
  AppFormLook::applyThemeColour(*this, *app);
  return 0;
}

// The gadgets show what the audio manager holds; what cannot be heard goes.
Handled CAppSoundSettingsForm::onEvent(const QZFFormEvent& event) {
  if (event.type != kQZFFormOpened) return Handled::kPassOn;
  if (!audio_) return Handled::kDone;
  if (audio_->isOutputAvailable()) {
    setGadgetValue(kSoundVolume, volumeToPosition(audio_->getSoundVolume()));
    if (audio_->getSong()) {
      setGadgetValue(kMusicVolume, volumeToPosition(audio_->getMusicVolume()));
      setGadgetValue(kMusicMuted, audio_->isMusicMuted() ? 1 : 0);
    } else {
      for (uint16_t id : {kMusicLabel, kMusicVolume, kMusicMuted}) removeGadget(id);
    }
  } else {
    for (uint16_t id : {kSoundLabel, kSoundVolume, kMusicLabel, kMusicVolume, kMusicMuted}) removeGadget(id);
  }
  setGadgetValue(kSoundMuted, audio_->isSoundMuted() ? 1 : 0);
  return Handled::kDone;
}

Handled CAppSoundSettingsForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  auto* app = findOwner<CAppApplication>();
  if (!app || !audio_) return Handled::kPassOn;
  app->playSelectSound();
  switch (event.gadgetId) {
    case kClose:
      invalidate();
      close();
      break;
    case kSoundVolume: audio_->setSoundVolume(positionToVolume(event.value)); break;
    case kSoundMuted:
      audio_->setSoundMuted(event.checked == 1);
      setGadgetValue(kSoundVolume, volumeToPosition(audio_->getSoundVolume()));
      break;
    case kMusicVolume: audio_->setMusicVolume(positionToVolume(event.value)); break;
    case kMusicMuted:
      audio_->setMusicMuted(event.checked == 1);
      setGadgetValue(kMusicVolume, volumeToPosition(audio_->getMusicVolume()));
      break;
    default: return Handled::kPassOn;
  }
  return Handled::kDone;
}
