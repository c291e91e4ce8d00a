#include "app_form_settings_cardbacks.h"

#include <algorithm>

#include "app_application.h"
#include "app_form_ids.h"
#include "app_profile.h"
#include "app_value_tables.h"
#include "qzf_gadget_event.h"
#include "qzf_graphics.h"

namespace {

constexpr uint16_t kPageNames[CAppCardBacksForm::kPages] = {1573, 1572, 1574};
// The sets every back's thumbnail needs, and the lock and the random choice.
constexpr int kLockSet = 26;
constexpr int kRandomSet = 53;

}  // namespace

CAppCardBacksForm::CAppCardBacksForm() { setName(kAppTagCardBacks); }

const CAppChooserForm::Look& CAppCardBacksForm::look() const {
  static constexpr Look kLook{kColumns, 1, 2, 0, 4, 4, 760, 120};
  return kLook;
}

int CAppCardBacksForm::cellWidth() const { return value(kAppValueSmallCardWidth); }
int CAppCardBacksForm::cellHeight() const { return value(kAppValueSmallCardHeight); }
int CAppCardBacksForm::firstX() const { return value(kAppValueChooserArea) / 2 - 3 * cellWidth() - 25; }

bool CAppCardBacksForm::isLocked(int i) const { return profile_->choiceLists[pageShown_][i].locked != 0; }
bool CAppCardBacksForm::isEmpty(int i) const { return profile_->choiceLists[pageShown_][i].largeImage == 0; }

void CAppCardBacksForm::drawPicture(int i, const QZRect& at) {
  const uint16_t thumbnail = profile_->choiceLists[pageShown_][i].smallImage;
  CQZFGraphics* g = getGraphics();
  if (thumbnail == 0 || !g) return;
  g->drawBlob(thumbnail, getGadgetRect().x + at.x, getGadgetRect().y + at.y, 0, 255);
}

int16_t CAppCardBacksForm::loadChoice() {
  pageShown_ = chosenPage_ = settings_->cardBackPage < kPages ? settings_->cardBackPage : 0;
  chosen_ = settings_->cardBackEntry < kCells ? settings_->cardBackEntry : 0;
  cursor_ = chosen_;
  CQZFGraphics* g = getGraphics();
  std::vector<int> wanted{kLockSet, kRandomSet};
  for (const auto& list : profile_->choiceLists) {
    for (const CAppProfile::ChoiceEntry& entry : list) {
      if (entry.smallSet != 0) wanted.push_back(entry.smallSet);
    }
  }
  std::sort(wanted.begin(), wanted.end());
  wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
  for (int set : wanted) {
    if (g && g->loadBlobSet(set, 0) >= 0) sets_.push_back(set);
  }
  showNames();
  return 0;
}

void CAppCardBacksForm::releasePictures() {
  CQZFGraphics* g = getGraphics();
  for (int set : sets_) {
    if (g) g->releaseBlobSet(set);
  }
  sets_.clear();
}

void CAppCardBacksForm::showNames() {
  setGadgetValue(kPageSelector, kPageNames[pageShown_]);
  showChoice();
}

void CAppCardBacksForm::showChoice() { setGadgetValue(kName, profile_->choiceLists[chosenPage_][chosen_].nameId); }

void CAppCardBacksForm::turnPage(bool forward) {
  setPage((pageShown_ + (forward ? 1 : kPages - 1)) % kPages);
  setGadgetValue(kPageSelector, kPageNames[pageShown_]);
  moveCursor(0);
}

void CAppCardBacksForm::apply() {
  const CAppProfile::ChoiceEntry& entry = profile_->choiceLists[chosenPage_][chosen_];
  settings_->settingsChanged = 1;
  settings_->cardBackPage = static_cast<uint8_t>(chosenPage_);
  settings_->cardBackEntry = static_cast<uint8_t>(chosen_);
  settings_->cardBackLarge = entry.largeImage;
  settings_->cardBackSmall = entry.smallImage;
}

Handled CAppCardBacksForm::onButton(const CQZFGadgetEvent& event) {
  if (event.type != kQZFEventButton) return Handled::kPassOn;
  if (event.gadgetId == kPageSelector || event.gadgetId == kPageForward) {
    turnPage(true);
  } else if (event.gadgetId == kPageBack) {
    turnPage(false);
  } else {
    return Handled::kPassOn;
  }
  return Handled::kDone;
}

Handled CAppCardBacksForm::onArrow(int32_t code, uint16_t focused) {
  const bool firstRow = cursor_ < kColumns;
  const int other = firstRow ? cursor_ + kColumns : cursor_ - kColumns;
  switch (code) {
    case kQZFKeyLeft:
    case kQZFKeyRight:
      if (focused == kPageSelector) {
        turnPage(code == kQZFKeyRight);
      } else if (focused == kGrid) {
        moveCursor(
            AppChooserGrid::stepInRow(cursor_, kColumns, code == kQZFKeyRight, [this](int i) { return isEmpty(i); }));
      } else {
        return Handled::kPassOn;
      }
      return Handled::kDone;
    case kQZFKeyUp:
      if (focused == kOk || focused == kCancel) {
        focus(kGrid);
        setCursorShown(true);
      } else if (focused == kGrid && !firstRow && !isEmpty(other)) {
        moveCursor(other);
      } else if (focused == kGrid) {
        focus(kPageSelector);
        setCursorShown(false);
      } else if (focused == kPageSelector) {
        focus(kOk);
      } else {
        return Handled::kPassOn;
      }
      return Handled::kDone;
    case kQZFKeyDown:
      if (focused == kOk || focused == kCancel) {
        focus(kPageSelector);
        setCursorShown(false);
      } else if (focused == kPageSelector) {
        focus(kGrid);
        setCursorShown(true);
      } else if (focused == kGrid && firstRow && !isEmpty(other)) {
        moveCursor(other);
      } else if (focused == kGrid) {
        focus(kOk);
        setCursorShown(false);
      } else {
        return Handled::kPassOn;
      }
      return Handled::kDone;
    default: return Handled::kPassOn;
  }
}
