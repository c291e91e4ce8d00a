#include "app_form_instructions.h"

#include "app_application.h"
#include "app_form_alert.h"
#include "app_form_ids.h"
#include "app_settings.h"
#include "qzf_gadget_event.h"
#include "qzf_gadget_handler.h"

namespace {

constexpr const char* kSource = "app_form_instructions";
// The third page's text of each game type; the pages run from two before it
// to one after it.
constexpr uint16_t kRulesBase[kAppGameTypes] = {1355, 1360, 1365, 1380, 1375, 1476, 1481, 1486, 1491, 1496, 1385, 1370};

}  // namespace

int16_t CAppInstructionsForm::open(uint16_t formId, uint32_t param) {
  auto* app = findOwner<CAppApplication>();
  if (!app) return CQZFApplication::report(this, kSource, __LINE__, QZ_ERR_BAD_STATE);
  if (const int16_t r = CQZFForm::open(formId, param); r < 0)
    return CQZFApplication::report(this, kSource, __LINE__, r);
  AppFormLook::applyThemeColour(*this, *app);
  setGame(static_cast<int32_t>(param));
  return 0;
}

void CAppInstructionsForm::setGame(int32_t gameType) {
  if (gameType >= 1 && gameType <= kAppGameTypes) {
    const uint16_t base = kRulesBase[gameType - 1];
    for (int i = 0; i < kPages; ++i) texts_[i] = static_cast<uint16_t>(base - 2 + i);
  }
  page_ = 0;
  showPage();
}

void CAppInstructionsForm::showPage() {
  setGadgetValue(kPageTitle, kFirstPageTitle + page_);
  setGadgetValue(kPageText, texts_[page_]);
}

void CAppInstructionsForm::turnPage(bool forward) {
  page_ = forward ? (page_ + 1) % kPages : (page_ + kPages - 1) % kPages;
  showPage();
  if (CQZFGadgetHandler* gadgets = getGadgetHandler()) gadgets->setFocus(page_ == kPages - 1 ? kClose : kNext);
}

Handled CAppInstructionsForm::onEvent(const QZFFormEvent& event) {
  return event.type == kQZFFormOpened ? Handled::kDone : Handled::kPassOn;
}

Handled CAppInstructionsForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  auto* app = findOwner<CAppApplication>();
  const uint16_t id = event.gadgetId;
  if (!app || event.type != kQZFEventButton || (id != kClose && id != kNext && id != kPrevious)) {
    return Handled::kPassOn;
  }
  app->playSelectSound();
  if (id == kClose) {
    invalidate();
    close();
  } else {
    turnPage(id == kNext);
  }
  return Handled::kDone;
}

Handled CAppInstructionsForm::onBack() {
  invalidate();
  close();
  return Handled::kDone;
}
