#include "app_form_coloursettings.h"

#include <string>

#include "app_application.h"
#include "app_form_alert.h"
#include "app_form_ids.h"
#include "qzf_gadget_event.h"
#include "qzf_helpers.h"

namespace {
constexpr const char* kSource = "app_form_coloursettings";
constexpr int kSchemeEdited = 0;
}  // namespace

int16_t CAppColourSettingsForm::open(uint16_t formId, uint32_t param) {
  app_ = findOwner<CAppApplication>();
  if (!app_) return CQZFApplication::report(this, kSource, __LINE__, QZ_ERR_BAD_STATE);
  if (const int16_t r = CQZFForm::open(formId, param); r < 0)
    return CQZFApplication::report(this, kSource, __LINE__, r);
  AppFormLook::applyThemeColour(*this, *app_);
  return 0;
}

// Top red, green, blue; bottom red, green, blue; tint red, green, blue.
uint16_t& CAppColourSettingsForm::schemeValue(int i) {
  CAppColourSchemes::Scheme& s = app_->colourSchemes().scheme(kSchemeEdited);
  return i < 3 ? s.top[i] : i < kFirstTint ? s.bottom[i - 3] : s.tint[i - kFirstTint];
}

Handled CAppColourSettingsForm::onEvent(const QZFFormEvent& event) {
  if (event.type != kQZFFormOpened || !app_) return Handled::kPassOn;
  for (int i = 0; i < kValues; ++i) {
    setGadgetValue(static_cast<uint16_t>(kFirstSlider + i), valueToPosition(schemeValue(i)));
  }
  refreshLabels(false);
  return Handled::kDone;
}

void CAppColourSettingsForm::refreshLabels(bool fromSliders) {
  for (int i = 0; i < kValues; ++i) {
    int value = fromSliders ? positionToValue(getGadgetValue(static_cast<uint16_t>(kFirstSlider + i))) : schemeValue(i);
    if (i >= kFirstTint) value -= CAppColourSchemes::kTintBias;
    char16_t number[16] = {};
    QZFIntToString(number, value);
    setGadgetText(static_cast<uint16_t>(kFirstNumber + i), number);
  }
}

void CAppColourSettingsForm::apply() {
  for (int i = 0; i < kValues; ++i) {
    schemeValue(i) = static_cast<uint16_t>(positionToValue(getGadgetValue(static_cast<uint16_t>(kFirstSlider + i))));
  }
  app_->applyColourScheme();
  AppFormLook::applyThemeColour(*this, *app_);
}

Handled CAppColourSettingsForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  if (!app_) return Handled::kPassOn;
  app_->playSelectSound();
  switch (event.gadgetId) {
    case kOk: apply(); [[fallthrough]];
    case kCancel:
      invalidate();
      close();
      return Handled::kDone;
    case kApply: apply(); return Handled::kDone;
    default:
      // A slider moved.
      refreshLabels(true);
      return Handled::kPassOn;
  }
}
