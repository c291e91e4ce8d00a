#include "app_form_settings_cardfronts.h"

#include "app_application.h"
#include "app_form_ids.h"
#include "app_profile.h"
#include "app_value_tables.h"
#include "qzf_graphics.h"

namespace {

struct Style {
  uint16_t name;
  uint16_t largeSet, largeImage, smallSet, smallImage;
};
constexpr Style kStyleTable[CAppCardFrontsForm::kStyles] = {
    {1500, 85, 977, 80, 873},
    {1516, 91, 1121, 95, 1173},
    {1517, 81, 925, 86, 1029},
};
constexpr int kPictureSet = 106;
constexpr uint16_t kFirstPicture = 1249;
// The third style belongs to the holder of this trophy.
constexpr int kStyleTrophy = 51;

}  // namespace

CAppCardFrontsForm::CAppCardFrontsForm() { setName(kAppTagCardFronts); }

const CAppChooserForm::Look& CAppCardFrontsForm::look() const {
  static constexpr Look kLook{kStyles, 1, 2, 0, 4, 4, 1248, 150};
  return kLook;
}

int CAppCardFrontsForm::cellWidth() const { return value(kAppValueCardWidth); }
int CAppCardFrontsForm::cellHeight() const { return value(kAppValueCardHeight); }
int CAppCardFrontsForm::firstX() const {
  return static_cast<int>(value(kAppValueFrontsArea) / 2 - 1.5 * cellWidth() - 10);
}

int CAppCardFrontsForm::styleOf(uint16_t firstLargeImage) {
  for (int s = 0; s < kStyles; ++s) {
    if (kStyleTable[s].largeImage == firstLargeImage) return s;
  }
  return 0;
}

void CAppCardFrontsForm::drawPicture(int i, const QZRect& at) {
  if (CQZFGraphics* g = getGraphics()) {
    g->drawBlob(kFirstPicture + i, getGadgetRect().x + at.x, getGadgetRect().y + at.y, 0, 255);
  }
}

int16_t CAppCardFrontsForm::loadChoice() {
  CQZFGraphics* g = getGraphics();
  if (!g) return QZ_ERR_BAD_STATE;
  if (const int16_t r = g->loadBlobSet(kPictureSet, 0); r < 0) return r;
  setLoaded_ = true;
  locked_[2] = profile_->trophies[kStyleTrophy] == 0;
  chosen_ = cursor_ = styleOf(settings_->cardFrontLargeImage);
  showChoice();
  return 0;
}

void CAppCardFrontsForm::releasePictures() {
  if (CQZFGraphics* g = getGraphics(); g && setLoaded_) g->releaseBlobSet(kPictureSet);
  setLoaded_ = false;
}

void CAppCardFrontsForm::showChoice() { setGadgetValue(kName, kStyleTable[chosen_].name); }

void CAppCardFrontsForm::apply() {
  const Style& s = kStyleTable[chosen_];
  settings_->settingsChanged = 1;
  settings_->cardFrontLargeSet = s.largeSet;
  settings_->cardFrontLargeImage = s.largeImage;
  settings_->cardFrontSmallSet = s.smallSet;
  settings_->cardFrontSmallImage = s.smallImage;
}

Handled CAppCardFrontsForm::onArrow(int32_t code, uint16_t focused) {
  switch (code) {
    case kQZFKeyLeft:
    case kQZFKeyRight:
      if (focused != kGrid) return Handled::kPassOn;
      moveCursor(AppChooserGrid::stepInRow(cursor_, kStyles, code == kQZFKeyRight, [](int) { return false; }));
      return Handled::kDone;
    case kQZFKeyUp:
    case kQZFKeyDown:
      if (focused == kGrid) {
        focus(kOk);
        setCursorShown(false);
      } else if (focused == kOk || focused == kCancel) {
        focus(kGrid);
        setCursorShown(true);
      } else {
        return Handled::kPassOn;
      }
      return Handled::kDone;
    default: return Handled::kPassOn;
  }
}
