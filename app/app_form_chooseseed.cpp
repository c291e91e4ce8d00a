#include "app_form_chooseseed.h"

#include <string>

#include "app_application.h"
#include "app_form_alert.h"
#include "app_form_game.h"
#include "app_form_ids.h"
#include "app_form_newgame.h"
#include "app_form_user.h"
#include "app_game.h"
#include "app_settings.h"
#include "qzf_form_handler.h"
#include "qzf_gadget_event.h"
#include "qzf_helpers.h"

namespace {

int16_t reportFailure(CQZFObject* form, int line, int16_t code) {
  return CQZFApplication::report(form, "app_form_chooseseed", line, code);
}

// The open play screen, null when there is none.
CAppGameForm* playScreen(CAppApplication& app) {
  CQZFFormHandler* handler = app.getFormHandler();
  auto* play = handler ? dynamic_cast<CAppGameForm*>(handler->findForm(kAppFormGame)) : nullptr;
  return play && !play->isClosed() && play->game() ? play : nullptr;
}

}  // namespace

// Read as the C library reads a number (leading digits, stopping at the
// first other character) but saturating, so a long text never wraps round to
// a small deal.
uint32_t AppDealNumberOf(const char16_t* text) {
  uint64_t n = 0;
  for (const char16_t* p = text; p && *p >= u'0' && *p <= u'9'; ++p) {
    n = n * 10 + static_cast<uint64_t>(*p - u'0');
    if (n > CAppChooseSeedForm::kLastDeal) return CAppChooseSeedForm::kLastDeal;
  }
  return n == 0 ? 1 : static_cast<uint32_t>(n);
}

CAppChooseSeedForm::CAppChooseSeedForm() { setName(kAppTagChooseSeed); }

int16_t CAppChooseSeedForm::bindProfile() {
  return AppBindChoiceForm(*this, app_, settings_) ? 0 : reportFailure(this, __LINE__, QZ_ERR_BAD_STATE);
}

int16_t CAppChooseSeedForm::open(uint16_t formId, uint32_t param) {
  if (const int16_t r = bindProfile(); r < 0) return r;
  if (const int16_t r = CQZFForm::open(formId, param); r < 0) return reportFailure(this, __LINE__, r);
  AppFormLook::applyThemeColour(*this, *app_);
  return 0;
}

int CAppChooseSeedForm::slot() const {
  const uint32_t type = settings_ ? settings_->currentGameType : 1;
  return type >= 1 && type <= kAppGameTypes ? static_cast<int>(type - 1) : 0;
}

Handled CAppChooseSeedForm::onEvent(const QZFFormEvent& event) {
  if (event.type != kQZFFormOpened) return Handled::kPassOn;
  openingDeal_ = settings_ ? settings_->dealNumber[slot()] : 1;
  const std::string digits = std::to_string(openingDeal_);
  setGadgetText(kNumber, std::u16string(digits.begin(), digits.end()).c_str());
  return Handled::kDone;
}

void CAppChooseSeedForm::applyDealNumber() {
  if (settings_) settings_->dealNumber[slot()] = AppDealNumberOf(getGadgetText(kNumber));
}

void CAppChooseSeedForm::closeForm() {
  invalidate();
  close();
}

// A number other than the current deal is taken at once unless a game is in
// progress (then the player is asked first and the form stays); the saved
// game of the old deal is dropped, and an open play screen deals the new one.
Handled CAppChooseSeedForm::onOk() {
  if (!app_->getFormHandler() || !settings_) return Handled::kPassOn;
  if (AppDealNumberOf(getGadgetText(kNumber)) == settings_->dealNumber[slot()]) {
    closeForm();
    return Handled::kDone;
  }
  CAppGameForm* play = playScreen(*app_);
  if (play && !play->game()->isEndAnimationRunning()) {
    static_cast<void>(app_->openForm(kConfirmAlert, kAppTagAlert, 0));
    return Handled::kDone;
  }
  applyDealNumber();
  if (CAppUserForm* profile = app_->getUserForm(); profile && profile->profile().getSavedGameLength(slot()) > 0) {
    profile->discardSavedGame(slot());
  }
  closeForm();
  if (play) {
    play->pullSettings();
    play->game()->newGame(true);
  }
  return Handled::kDone;
}

Handled CAppChooseSeedForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  if (!app_ || event.type != kQZFEventButton) return Handled::kPassOn;
  app_->playSelectSound();
  switch (event.gadgetId) {
    case kRandom: {
      const std::string digits = std::to_string(QZFRandom(static_cast<int>(kLastDeal - 1)) + 1);
      setGadgetText(kNumber, std::u16string(digits.begin(), digits.end()).c_str());
      return Handled::kDone;
    }
    case kOk: return onOk();
    case kCancel: closeForm(); return Handled::kDone;
    default: return Handled::kPassOn;
  }
}
