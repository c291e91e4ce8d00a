#include "app_form_customisehelp.h"

#include "app_application.h"
#include "app_form_alert.h"
#include "app_form_ids.h"
#include "app_form_newgame.h"
#include "app_settings.h"
#include "qzf_gadget_event.h"
#include "qzf_helpers.h"
#include "qzf_resource.h"

namespace {

constexpr const char* kSource = "app_form_customisehelp";
constexpr uint16_t kHelpTexts[kAppGameTypes] = {1525, 1526, 1527, 1528, 1529, 1530, 1531, 1532, 1533, 1534, 1535, 1536};
constexpr int kPatternUnits = 40;
constexpr int kNameUnits = 16;
constexpr int kLongNameUnits = 18;  // Four Corners
constexpr int32_t kFourCorners = 9;

}  // namespace

int16_t CAppCustomiseHelpForm::open(uint16_t formId, uint32_t param) {
  auto* app = findOwner<CAppApplication>();
  if (!app) return CQZFApplication::report(this, kSource, __LINE__, QZ_ERR_BAD_STATE);
  if (const int16_t r = CQZFForm::open(formId, param); r < 0)
    return CQZFApplication::report(this, kSource, __LINE__, r);
  AppFormLook::applyThemeColour(*this, *app);
  return 0;
}

void CAppCustomiseHelpForm::setGame(int32_t gameType) {
  if (gameType < 1 || gameType > kAppGameTypes) return;
  char16_t title[kPatternUnits + kLongNameUnits + 1] = {};
  char16_t name[kLongNameUnits + 1] = {};
  CQZFResourceManager::getString(kTitlePattern, title, kPatternUnits);
  CQZFResourceManager::getString(AppGameNameString(gameType), name,
                                 gameType == kFourCorners ? kLongNameUnits : kNameUnits);
  setGadgetValue(kText, kHelpTexts[gameType - 1]);
  // The buffer has room for the pattern and the longest name.
  QZFWStrReplace(title, static_cast<int>(std::size(title)), u"#", name);
  setTitle(title);
}

Handled CAppCustomiseHelpForm::onEvent(const QZFFormEvent& event) {
  return event.type == kQZFFormOpened ? Handled::kDone : Handled::kPassOn;
}

Handled CAppCustomiseHelpForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  auto* app = findOwner<CAppApplication>();
  if (!app || event.type != kQZFEventButton || event.gadgetId != kOk) return Handled::kPassOn;
  app->playSelectSound();
  invalidate();
  close();
  return Handled::kDone;
}
