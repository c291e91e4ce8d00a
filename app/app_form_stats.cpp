#include "app_form_stats.h"

#include <utility>

#include "app_application.h"
#include "app_form_alert.h"
#include "app_form_ids.h"
#include "app_form_user.h"
#include "app_object_timer.h"
#include "qzf_events.h"
#include "qzf_form_handler.h"
#include "qzf_gadget_event.h"
#include "qzf_gadget_handler.h"
#include "qzf_helpers.h"
#include "qzf_resource.h"

// --- Statistics -------------------------------------------------------------------

CAppStatsForm::CAppStatsForm() { setName(kAppTagStats); }

int16_t CAppStatsForm::open(uint16_t formId, uint32_t param) {
  return AppFormLook::openThemed(*this, formId, param, "app_form_stats", app_);
}

Handled CAppStatsForm::onEvent(const QZFFormEvent& event) {
  if (event.type != kQZFFormOpened || !app_) return Handled::kPassOn;
  if (const CAppUserForm* profile = app_->getUserForm()) {
    for (int i = 0; i < kPages; ++i) records_[i] = &profile->profile().statistics[i];
  }
  showPage();
  return Handled::kPassOn;
}

void CAppStatsForm::showPage() {
  setGadgetValue(kPageName, kPageNames[page_]);
  const CAppProfile::Statistics* r = records_[page_];
  if (!r) return;
  char16_t time[CObjectTimer::kTextSize] = {};
  CObjectTimer::format(r->totalTime, time);
  setGadgetText(kTotalTime, time);
  CObjectTimer::format(r->averageTime, time);
  setGadgetText(kAverageTime, time);
  const std::pair<uint16_t, int32_t> figures[] = {{kGames, r->games},
                                                  {kWins, r->wins},
                                                  {kLosses, r->losses},
                                                  {kLongestWins, r->longestWinStreak},
                                                  {kLongestLosses, r->longestLossStreak},
                                                  {kStreak, r->currentStreak}};
  for (const auto& [gadget, value] : figures) {
    char16_t number[22] = {};
    setGadgetText(gadget, QZFIntToString(number, value));
  }
}

void CAppStatsForm::turnPage(bool forward) {
  if (forward) page_ = static_cast<uint8_t>(page_ == kPages - 1 ? 0 : page_ + 1);
  else page_ = static_cast<uint8_t>(page_ == 0 ? kPages - 1 : page_ - 1);
  showPage();
}

Handled CAppStatsForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  if (!app_) return Handled::kPassOn;
  app_->playSelectSound();
  switch (event.gadgetId) {
    case kClose: AppFormLook::closeForm(*this); return Handled::kDone;
    case kPageName:
    case kNext: turnPage(true); return Handled::kPassOn;
    case kPrevious: turnPage(false); return Handled::kPassOn;
    case kReset: {
      CQZFFormHandler* handler = app_->getFormHandler();
      if (!handler) return Handled::kDone;
      auto form = app_->createObject<CQZFForm>(kAppTagResetStats);
      auto* reset = dynamic_cast<CAppResetStatsForm*>(form.get());
      if (handler->openForm(kAppFormResetStats, std::move(form), 0) == 0 && reset) {
        reset->setPage(page_, page_ ? kPageNames[page_] : 0);
      }
      return Handled::kDone;
    }
    default: return Handled::kPassOn;
  }
}

Handled CAppStatsForm::onKeyEvent(const QZFKeyEvent& key) {
  const CQZFGadgetHandler* gadgets = getGadgetHandler();
  const bool onName = gadgets && gadgets->getFocusedId() == kPageName;
  if (!onName || !key.keyDown || (key.code != kQZFKeyLeft && key.code != kQZFKeyRight)) return Handled::kPassOn;
  turnPage(key.code == kQZFKeyRight);
  return Handled::kDone;
}

// --- Reset ------------------------------------------------------------------------

CAppResetStatsForm::CAppResetStatsForm() { setName(kAppTagResetStats); }

int16_t CAppResetStatsForm::open(uint16_t formId, uint32_t param) {
  return AppFormLook::openThemed(*this, formId, param, "app_form_resetstats", app_);
}

void CAppResetStatsForm::setPage(int page, uint16_t nameId) {
  page_ = static_cast<uint8_t>(page >= 0 && page < CAppStatsForm::kPages ? page : 0);
  if (page_ == 0) return;
  setGadgetValue(kQuestion, kGameQuestion);
  char16_t name[20 + 1] = {};
  CQZFResourceManager::getString(nameId, name, 20);
  replaceInGadgetText(kQuestion, u"#", name);
}

Handled CAppResetStatsForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  if (!app_) return Handled::kPassOn;
  app_->playSelectSound();
  if (event.gadgetId == kNo) {
    AppFormLook::closeForm(*this);
    return Handled::kDone;
  }
  if (event.gadgetId != kYes) return Handled::kPassOn;
  if (CAppUserForm* profile = app_->getUserForm()) profile->profile().resetStatistics(page_);
  CQZFFormHandler* handler = app_->getFormHandler();
  if (auto* stats = dynamic_cast<CAppStatsForm*>(handler ? handler->findForm(kAppFormStats) : nullptr)) {
    stats->showPage();
    stats->invalidate();
  }
  AppFormLook::closeForm(*this);
  return Handled::kDone;
}
