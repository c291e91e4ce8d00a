#include "app_form_title.h"

#include <new>

#include "app_application.h"
#include "app_dial.h"
#include "app_form_ids.h"
#include "app_form_newgame.h"
#include "app_form_user.h"
#include "app_game_preview.h"
#include "app_preferences.h"
#include "app_settings.h"
#include "app_stats_fader.h"
#include "qzf_graphics.h"
#include "qzf_menu.h"

namespace {

constexpr int kTitleSet = 13;
constexpr uint16_t kColourSettingsForm = 1400;

}  // namespace

// Its saved state holds no text, so it comes back whatever the language.
CAppTitleForm::CAppTitleForm() {
  setName(kAppTagTitle);
  setAnyLanguage(true);
}
CAppTitleForm::~CAppTitleForm() = default;

int16_t CAppTitleForm::open(uint16_t formId, uint32_t param) {
  const auto fail = [this](int line, int16_t code) {
    return CQZFApplication::report(this, "app_form_title", line, code);
  };
  app_ = findOwner<CAppApplication>();
  if (!app_) return fail(__LINE__, QZ_ERR_BAD_STATE);
  CAppUserForm* profile = app_->getUserForm();
  if (!app_->getFormHandler() || !profile) return fail(__LINE__, QZ_ERR_BAD_STATE);
  settings_ = &profile->settings();
  if (const int16_t r = CQZFForm::open(formId, param); r < 0) return fail(__LINE__, r);
  setWholeScreenBackground(true);
  const CAppPreferences* players = app_->getPreferences();
  if (players && players->isValidIndex(players->getCurrent())) {
    setGadgetText(kPlayerName, players->getName(players->getCurrent()));
  }
  dial_.reset(new (std::nothrow) CAppDialControl(this));
  forward_.reset(new (std::nothrow) CAppDialButton(this));
  back_.reset(new (std::nothrow) CAppDialButton(this));
  fader_.reset(new (std::nothrow) CAppStatsFader(this));
  preview_.reset(new (std::nothrow) CAppGamePreview(this));
  if (!dial_ || !forward_ || !back_ || !fader_ || !preview_) return fail(__LINE__, QZ_ERR_NO_MEMORY);
  const auto type = static_cast<int32_t>(settings_->currentGameType);
  if (const int16_t r = dial_->init(type); r < 0) return r;
  if (const int16_t r = fader_->init(type); r < 0) return r;
  if (const int16_t r = preview_->init(type); r < 0) return r;
  forward_->init(true);
  back_->init(false);
  showChosenGame(static_cast<int32_t>(settings_->currentGameType));
  return 0;
}

void CAppTitleForm::showChosenGame(int32_t gameType) {
  if (app_) app_->resetStartFrames();
  if (settings_) settings_->currentGameType = static_cast<uint32_t>(gameType);
  if (const uint16_t name = AppGameNameString(gameType)) setGadgetValue(kGameName, name);
  else setGadgetText(kGameName, u"Not Available");
  if (fader_) fader_->setGameType(gameType);
  if (preview_) preview_->setGameType(gameType);
}

// The title song plays for as long as the title screen is open.
Handled CAppTitleForm::onEvent(const QZFFormEvent& event) {
  CQZFGraphics* graphics = getGraphics();
  if (event.type == kQZFFormOpened) {
    if (graphics) static_cast<void>(graphics->loadBlobSet(kTitleSet, 0));
    if (app_) app_->playTitleSong(true);
  }
  if (event.type == kQZFFormRemoved) {
    if (graphics) graphics->releaseBlobSet(kTitleSet);
    if (app_) app_->playTitleSong(false);
  }
  return Handled::kDone;
}

Handled CAppTitleForm::onMenuEvent(const QZFMenuEvent& event) {
  if (!app_) return Handled::kPassOn;
  return app_->onMenuCommand(event.itemId, event.kind) == 1 ? Handled::kDone : Handled::kPassOn;
}

Handled CAppTitleForm::turn(bool forward) {
  app_->resetStartFrames();
  if (dial_->turn(1, forward)) showChosenGame(dial_->getChosenType());
  return Handled::kDone;
}

Handled CAppTitleForm::onKeyEvent(const QZFKeyEvent& key) {
  if (!app_ || !dial_) return Handled::kPassOn;
  switch (key.code) {
    case kQZFKeyReturn:
      app_->resetStartFrames();
      if (key.keyDown) dial_->tap(0, 0);
      return Handled::kDone;
    case ' ':
      app_->resetStartFrames();
      dial_->tap(0, 0);
      return Handled::kDone;
    case kQZFKeyUp:
    case kQZFKeyRight: return turn(true);
    case kQZFKeyLeft:
    case kQZFKeyDown: return turn(false);
    case kColourSettingsKey:
      static_cast<void>(app_->openForm(kColourSettingsForm, "frmcolour", 0));
      return Handled::kPassOn;
    default: return Handled::kPassOn;
  }
}

Handled CAppTitleForm::onPenDown(int x, int y) {
  app_->resetStartFrames();
  penDown_ = true;
  if (dial_->isTurning()) return Handled::kPassOn;
  if (dial_->hitItem(x, y)) {
    dial_->pressAt(x, y);
    return Handled::kDone;
  }
  bool turned;
  if (forward_->hitTest(x, y)) {
    forward_->press();
    turned = dial_->turn(1, true);
  } else if (back_->hitTest(x, y)) {
    back_->press();
    turned = dial_->turn(1, false);
  } else {
    return Handled::kPassOn;
  }
  if (turned) showChosenGame(dial_->getChosenType());
  return Handled::kDone;
}

Handled CAppTitleForm::onPenMove(int x, int y) {
  app_->resetStartFrames();
  if (dial_->hasPressedItems() && !dial_->isPressedItemAt(x, y)) dial_->releaseAll();
  else if (forward_->isPressed() && !forward_->hitTest(x, y)) forward_->release();
  else if (back_->isPressed() && !back_->hitTest(x, y)) back_->release();
  else return Handled::kPassOn;
  return Handled::kDone;
}

Handled CAppTitleForm::onPenUp(int x, int y) {
  app_->resetStartFrames();
  penDown_ = false;
  if (!dial_->hasPressedItems()) {
    forward_->release();
    back_->release();
    return Handled::kPassOn;
  }
  dial_->releaseAll();
  dial_->tap(x, y);
  showChosenGame(dial_->getChosenType());
  return Handled::kDone;
}

Handled CAppTitleForm::onPenEvent(const QZFPenEvent& pen) {
  if (!isActive() || !app_ || !dial_) return Handled::kPassOn;
  if (pen.type == QZFPenType::kDown) return onPenDown(pen.x, pen.y);
  if (!penDown_) return Handled::kPassOn;
  if (pen.type == QZFPenType::kUp) return onPenUp(pen.x, pen.y);
  return onPenMove(pen.x, pen.y);
}

// The intro spin runs once per player; a held arrow button turns on step
// after step.
Handled CAppTitleForm::onUpdate() {
  if (!isActive() || !dial_ || !fader_ || !settings_) return Handled::kDone;
  if (settings_->titleIntroShown == 0) {
    dial_->startIntro();
    settings_->titleIntroShown = 1;
  }
  dial_->update();
  fader_->update();
  bool turned = false;
  if (forward_->isPressed()) turned = dial_->turn(1, true);
  else if (back_->isPressed()) turned = dial_->turn(1, false);
  if (turned) {
    app_->resetStartFrames();
    showChosenGame(dial_->getChosenType());
  }
  return Handled::kDone;
}

Handled CAppTitleForm::drawBackground() {
  CQZFGraphics* graphics = getGraphics();
  if (graphics && graphics->isPlaneLoaded(kTablePlane)) {
    static_cast<void>(graphics->restoreBackgroundFromPlane(kTablePlane));
  }
  return Handled::kDone;
}

Handled CAppTitleForm::drawForeground() {
  if (preview_) preview_->draw();
  if (fader_) fader_->draw();
  if (dial_) dial_->draw();
  if (forward_) forward_->draw();
  if (back_) back_->draw();
  return Handled::kDone;
}

Handled CAppTitleForm::onBack() {
  if (app_) app_->requestMinimise();
  return Handled::kDone;
}
