#include "app_form_settings_colourtheme.h"

#include "app_application.h"
#include "app_form_ids.h"
#include "app_settings.h"
#include "app_value_tables.h"
#include "qzf_graphics.h"

CAppThemeForm::CAppThemeForm() { setName(kAppTagTheme); }

const CAppChooserForm::Look& CAppThemeForm::look() const {
  static constexpr Look kLook{kColumns, 2, 2, 0, 6, 6, 0, 0};
  return kLook;
}

int CAppThemeForm::cellWidth() const { return value(kAppValueSwatchWidth); }
int CAppThemeForm::cellHeight() const { return value(kAppValueSwatchHeight); }
int CAppThemeForm::firstX() const { return static_cast<int>(value(kAppValueThemeArea) / 2 - 1.5 * cellWidth() - 10); }

// The theme's form colour, with a band of its wash along the bottom so that
// themes of like form colours are told apart.
void CAppThemeForm::drawPicture(int i, const QZRect& at) {
  const CAppColourSchemes::Scheme& s = app_->colourSchemes().scheme(i);
  const int16_t w = static_cast<int16_t>(cellWidth() + 2), h = static_cast<int16_t>(cellHeight() + 2);
  fillRect({at.x, at.y, w, h}, 0, 255, CQZFGraphics::makeColour(s.form[0], s.form[1], s.form[2]));
  const int16_t band = static_cast<int16_t>(h / 3);
  fillGradient({at.x, static_cast<int16_t>(at.y + h - band), w, band}, 0, 255,
               CQZFGraphics::makeColour(s.top[0], s.top[1], s.top[2]),
               CQZFGraphics::makeColour(s.bottom[0], s.bottom[1], s.bottom[2]));
}

int16_t CAppThemeForm::loadChoice() {
  chosen_ = cursor_ = settings_->colourScheme < kThemes ? settings_->colourScheme : CAppColourSchemes::kDefaultScheme;
  return 0;
}

bool CAppThemeForm::store(CAppSettings& settings, int theme) {
  if (settings.colourScheme == theme) return false;
  settings.colourScheme = static_cast<uint16_t>(theme);
  settings.backgroundScheme = static_cast<uint8_t>(theme);
  return true;
}

void CAppThemeForm::apply() {
  if (!store(*settings_, chosen_)) return;
  app_->applyColourScheme();
  if (CQZFGraphics* g = getGraphics()) g->invalidateAll();
}

Handled CAppThemeForm::onArrow(int32_t code, uint16_t focused) {
  const int row = cursor_ / kColumns;
  switch (code) {
    case kQZFKeyLeft:
    case kQZFKeyRight:
      if (focused != kGrid) return Handled::kPassOn;
      moveCursor(AppChooserGrid::stepInRow(cursor_, kColumns, code == kQZFKeyRight, [](int) { return false; }));
      return Handled::kDone;
    case kQZFKeyUp:
    case kQZFKeyDown: {
      if (focused == kOk || focused == kCancel) {
        focus(kGrid);
        setCursorShown(true);
        return Handled::kDone;
      }
      if (focused != kGrid) return Handled::kPassOn;
      const bool up = code == kQZFKeyUp;
      if ((up && row == 0) || (!up && row == kThemes / kColumns - 1)) {
        focus(kOk);
        setCursorShown(false);
      } else {
        moveCursor(cursor_ + (up ? -kColumns : kColumns));
      }
      return Handled::kDone;
    }
    default: return Handled::kPassOn;
  }
}
