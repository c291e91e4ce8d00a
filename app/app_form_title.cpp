#include "app_form_title.h"

#include "app_application.h"
#include "app_form_ids.h"
#include "qzf_graphics.h"

CAppTitleForm::CAppTitleForm() { setName(kAppTagTitle); }

int16_t CAppTitleForm::open(uint16_t formId, uint32_t param) {
  if (const int16_t r = CQZFForm::open(formId, param); r != 0) return r;
  auto* app = findOwner<CAppApplication>();
  if (!app) return CQZFApplication::report(this, "app_form_title", __LINE__, QZ_ERR_BAD_STATE);
  app->resetStartFrames();
  setWholeScreenBackground(true);
  return 0;
}

Handled CAppTitleForm::drawBackground() {
  CQZFGraphics* graphics = getGraphics();
  if (graphics && graphics->isPlaneLoaded(kTablePlane))
    static_cast<void>(graphics->restoreBackgroundFromPlane(kTablePlane));
  return Handled::kDone;
}

Handled CAppTitleForm::onBack() {
  if (auto* app = findOwner<CAppApplication>()) app->requestMinimise();
  return Handled::kDone;
}

Handled CAppTitleForm::onKeyEvent(const QZFKeyEvent&) {
  if (auto* app = findOwner<CAppApplication>()) app->resetStartFrames();
  return Handled::kPassOn;
}
