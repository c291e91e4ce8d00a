#include "app_form_languagesettings.h"

#include "app_application.h"
#include "app_form_alert.h"
#include "app_form_ids.h"
#include "app_form_user.h"
#include "qzf_form_handler.h"
#include "qzf_gadget_event.h"
#include "qzf_graphics.h"
#include "qzf_helpers.h"

void CAppLanguageSettingsForm::tickOnly(uint16_t box) {
  for (int i = 0; i < kLanguages; ++i) {
    const auto id = static_cast<uint16_t>(kFirstBox + i);
    setGadgetValue(id, id == box ? 1 : 0);
  }
}

uint16_t CAppLanguageSettingsForm::currentBox() {
  const uint16_t language = QZFGetLanguage();
  uint16_t box = kFirstBox + 1;  // a language not offered counts as English
  for (int i = 0; i < kLanguages; ++i) {
    if (kLanguageIds[i] == language) box = static_cast<uint16_t>(kFirstBox + i);
  }
  return box;
}

void CAppLanguageSettingsForm::tickCurrent() { tickOnly(currentBox()); }

// Back from the restart question, perhaps in the old language again.
Handled CAppLanguageSettingsForm::onUpdate() {
  if (getGadgetValue(currentBox()) != 1) tickCurrent();
  return Handled::kDone;
}

Handled CAppLanguageSettingsForm::onEvent(const QZFFormEvent& event) {
  auto* app = findOwner<CAppApplication>();
  switch (event.type) {
    case kQZFFormOpened:
      if (app) AppFormLook::applyThemeColour(*this, *app);
      remembered_ = QZFGetLanguage();
      tickCurrent();
      break;
    case kQZFFormRemoved:
      // Left without OK (not by the restart): the language picked is not kept.
      if (!confirmed_ && !(app && app->isReinitialiseRequested())) QZFSetLanguage(remembered_);
      break;
    default: break;
  }
  return Handled::kDone;
}

// The same language just closes; another restarts the program in it, after
// asking while a game is on screen.
void CAppLanguageSettingsForm::confirm() {
  auto* app = findOwner<CAppApplication>();
  CQZFFormHandler* handler = app ? app->getFormHandler() : nullptr;
  if (!handler || QZFGetLanguage() == remembered_) {
    confirmed_ = true;
    invalidate();
    close();
    return;
  }
  if (handler->findForm(kAppFormGame)) {
    // The alert restarts, or brings the remembered language back and
    // returns here.
    static_cast<void>(app->openForm(kAppFormLanguageAlert, kAppTagAlert, remembered_));
    return;
  }
  confirmed_ = true;
  handler->closeFormsTo(kAppFormUser, false);
  app->requestReinitialise();
}

Handled CAppLanguageSettingsForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  auto* app = findOwner<CAppApplication>();
  if (app) app->playSelectSound();
  const uint16_t id = event.gadgetId;
  if (id >= kFirstBox && id < kFirstBox + kLanguages) {
    QZFSetLanguage(kLanguageIds[id - kFirstBox]);
    tickOnly(id);
    if (CQZFGraphics* graphics = getGraphics()) graphics->invalidateAll();
    return Handled::kDone;
  }
  if (id != kOk) return Handled::kPassOn;
  confirm();
  return Handled::kDone;
}
