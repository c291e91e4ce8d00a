#include "app_form_alert.h"

#include "app_application.h"
#include "app_form_ids.h"
#include "app_form_specificsettings.h"
#include "qzf_form_handler.h"
#include "qzf_gadget_event.h"
#include "qzf_helpers.h"

void AppFormLook::applyThemeColour(CQZFForm& form, CAppApplication& app) {
  form.setBackgroundColour(app.getFormColour());
}

CAppAlertForm::CAppAlertForm() { setName(kAppTagAlert); }

Handled CAppAlertForm::onEvent(const QZFFormEvent& event) {
  if (event.type == kQZFFormOpened) {
    if (CAppApplication* app = findOwner<CAppApplication>()) AppFormLook::applyThemeColour(*this, *app);
  }
  return Handled::kDone;
}

Handled CAppAlertForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  CAppApplication* app = findOwner<CAppApplication>();
  if (event.type != kQZFEventButton || !app) return Handled::kPassOn;
  app->playSelectSound();
  CQZFFormHandler* handler = app->getFormHandler();
  switch (event.gadgetId) {
    case kClose:
    case kCancel: break;
    case kBackToGame:
    case kBackToGameToo:
      handler->closeFormsTo(handler->findForm(kAppFormGame) ? kAppFormGame : kAppFormTitle, false);
      return Handled::kDone;
    case kRestoreLanguage: QZFSetLanguage(static_cast<uint16_t>(getOpenParam())); break;
    case kQuit: app->requestMinimise(); return Handled::kDone;
    case CAppSpecificGameSettingsForm::kConfirmInGame:
    case CAppSpecificGameSettingsForm::kConfirmSavedGame:
      CAppSpecificGameSettingsForm::confirmFromAlert(*app, event.gadgetId);
      return Handled::kDone;
    default: return Handled::kPassOn;
  }
  invalidate();
  close();
  return Handled::kDone;
}
