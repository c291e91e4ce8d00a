#include "app_form_trophy_alert.h"

#include <span>
#include <utility>

#include "app_application.h"
#include "app_form_alert.h"
#include "app_form_ids.h"
#include "app_form_user.h"
#include "app_game_flow.h"
#include "app_trophy_art.h"
#include "qzf_audio.h"
#include "qzf_form_handler.h"
#include "qzf_gadget_event.h"
#include "qzf_graphics.h"

namespace {

constexpr uint16_t kUnlockBackgroundTitle = 1506;
constexpr uint16_t kUnlockFrontsTitle = 1504;
constexpr uint16_t kUnlockBackTitle = 1505;
constexpr uint16_t kThumbnailSet = 79;
constexpr uint16_t kFrontsSet = 81;
constexpr uint16_t kFrontsPicture = 925;

// The trophies that unlock a background, with the thumbnail each shows.
struct BackgroundUnlock {
  int trophy;
  uint16_t image;
};
constexpr BackgroundUnlock kBackgrounds[] = {{12, 868}, {25, 869}, {47, 870}, {38, 871}, {39, 872}};
// The trophies that unlock a card back: list 1 entries 1-7, list 2 entries 1-10.
constexpr int kBacksOfList1[] = {18, 27, 29, 31, 33, 35, 37};
constexpr int kBacksOfList2[] = {40, 26, 28, 30, 32, 34, 36, 41, 42, 45};
constexpr int kLastTrophy = kAppTrophyCount - 1;

// The blob set loaded for a picture; 0 when it could not be.
uint16_t loadSet(CAppApplication& app, uint16_t set) {
  CQZFGraphics* graphics = app.getGraphics();
  return graphics && graphics->loadBlobSet(set, 0) >= 0 ? set : 0;
}

void releaseSet(CAppApplication* app, uint16_t& set) {
  if (set && app && app->getGraphics()) app->getGraphics()->releaseBlobSet(set);
  set = 0;
}

// The profile's trophy rule, run when an alert of the chain closes.
void checkTrophies(CAppApplication& app) {
  if (CAppUserForm* profile = app.getUserForm()) profile->checkTrophies(AppGameFlow::gameState(app));
}

}  // namespace

void AppPlayTrophySound(CAppApplication& app) {
  if (CQZFAudioManager* audio = app.getAudioManager()) {
    static_cast<void>(audio->playSound(CAppTrophyAlertForm::kSound, 8, 0, 32, 128));
  }
}

// --- Trophy -----------------------------------------------------------------------

CAppTrophyAlertForm::CAppTrophyAlertForm() { setName(kAppTagTrophyAlert); }

int16_t CAppTrophyAlertForm::open(uint16_t formId, uint32_t param) {
  return AppFormLook::openThemed(*this, formId, param, "app_form_trophy_alert", app_);
}

void CAppTrophyAlertForm::setTrophy(int a) {
  if (a < 0 || a > kLastTrophy || !app_) return;
  trophy_ = static_cast<uint8_t>(a);
  setGadgetValue(kText, kFirstText + a);
  releaseSet(app_, loadedSet_);
  loadedSet_ = loadSet(*app_, AppTrophyPictureSet(a));
  setGadgetValue(kPicture, AppTrophyPicture(a));
}

Handled CAppTrophyAlertForm::onEvent(const QZFFormEvent& event) {
  if (event.type == kQZFFormOpened && app_) AppPlayTrophySound(*app_);
  if (event.type == kQZFFormRemoved) releaseSet(app_, loadedSet_);
  return Handled::kDone;
}

Handled CAppTrophyAlertForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  if (!app_) return Handled::kPassOn;
  app_->playSelectSound();
  if (event.type != kQZFEventButton || event.gadgetId != CAppAlertForm::kClose) return Handled::kPassOn;
  AppFormLook::closeForm(*this);
  if (!showUnlock()) checkTrophies(*app_);
  return Handled::kDone;
}

bool CAppTrophyAlertForm::showUnlock() {
  CAppUserForm* profile = app_->getUserForm();
  CQZFFormHandler* handler = app_->getFormHandler();
  if (!profile || !handler) return false;
  uint16_t formId = kAppFormUnlockItem, title = kUnlockBackTitle, set = 0, image = 0;
  for (const BackgroundUnlock& b : kBackgrounds) {
    if (b.trophy == trophy_)
      formId = kAppFormUnlockBackground, title = kUnlockBackgroundTitle, set = kThumbnailSet, image = b.image;
  }
  if (trophy_ == kLastTrophy) title = kUnlockFrontsTitle, set = kFrontsSet, image = kFrontsPicture;
  auto unlockBack = [&](std::span<const int> trophies, int list) {
    for (size_t i = 0; i < trophies.size(); ++i) {
      if (trophies[i] != trophy_) continue;
      CAppProfile::ChoiceEntry& entry = profile->profile().choiceLists[list][i + 1];
      entry.locked = 0;
      set = entry.largeSet;
      image = entry.largeImage;
    }
  };
  unlockBack(kBacksOfList1, 1);
  unlockBack(kBacksOfList2, 2);
  if (image == 0) return false;
  auto form = app_->createObject<CQZFForm>(kAppTagUnlockAlert);
  auto* unlock = dynamic_cast<CAppUnlockAlertForm*>(form.get());
  if (handler->openForm(formId, std::move(form), 0) == 0 && unlock) unlock->setup(title, set, title, image);
  return true;
}

// --- Unlocked item ----------------------------------------------------------------

CAppUnlockAlertForm::CAppUnlockAlertForm() { setName(kAppTagUnlockAlert); }

int16_t CAppUnlockAlertForm::open(uint16_t formId, uint32_t param) {
  return AppFormLook::openThemed(*this, formId, param, "app_form_unlocked_alert", app_);
}

void CAppUnlockAlertForm::setup(uint16_t titleId, uint16_t blobSet, uint16_t textId, uint16_t image) {
  if (!app_) return;
  setTitleById(titleId);
  releaseSet(app_, loadedSet_);
  loadedSet_ = loadSet(*app_, blobSet);
  setGadgetValue(kText, textId);
  setGadgetValue(kPicture, image);
}

Handled CAppUnlockAlertForm::onEvent(const QZFFormEvent& event) {
  if (event.type == kQZFFormOpened && app_) AppPlayTrophySound(*app_);
  if (event.type == kQZFFormRemoved) releaseSet(app_, loadedSet_);
  return Handled::kDone;
}

Handled CAppUnlockAlertForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  if (!app_) return Handled::kPassOn;
  app_->playSelectSound();
  if (event.type != kQZFEventButton || event.gadgetId != CAppAlertForm::kClose) return Handled::kPassOn;
  AppFormLook::closeForm(*this);
  checkTrophies(*app_);
  return Handled::kDone;
}
