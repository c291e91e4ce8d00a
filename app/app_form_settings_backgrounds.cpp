#include "app_form_settings_backgrounds.h"

#include <iterator>
#include <type_traits>

#include "app_application.h"
#include "app_form_ids.h"
#include "app_profile.h"
#include "app_settings.h"
#include "app_value_tables.h"
#include "qzf_gadget_event.h"
#include "qzf_graphics.h"

namespace {

struct Background {
  uint16_t image;
  uint8_t plane;
  int trophy;  // -1: always open
};
constexpr Background kBackgroundTable[CAppBackgroundsForm::kPages][CAppBackgroundsForm::kCells] = {
    {{867, 2, -1}, {868, 3, 12}, {869, 4, 25}},
    {{870, 5, 47}, {871, 6, 38}, {872, 7, 39}},
};
constexpr uint16_t kPageNames[CAppBackgroundsForm::kPages] = {1269, 1270};
struct Wash {
  uint16_t name;
  uint8_t value;
};
constexpr Wash kWashTable[CAppBackgroundsForm::kWashes] = {
    {1275, 0}, {1274, 1}, {1276, 2}, {1277, 3}, {1344, 4},
    {1345, 5}, {1346, 6}, {1347, 7}, {1348, 8}, {1273, kAppNoScheme},
};
constexpr int kPictureSet = 79;
constexpr int kWashLevel = 100;

}  // namespace

CAppBackgroundsForm::CAppBackgroundsForm() { setName(kAppTagBackgrounds); }

const CAppChooserForm::Look& CAppBackgroundsForm::look() const {
  static constexpr Look kLook{kCells, 0, 4, 1, 2, 4, 866, 120};
  return kLook;
}

int CAppBackgroundsForm::cellWidth() const { return value(kAppValueThumbWidth); }
int CAppBackgroundsForm::cellHeight() const { return value(kAppValueThumbHeight); }
int CAppBackgroundsForm::firstX() const {
  return static_cast<int>(value(kAppValueChooserArea) / 2 - 1.5 * cellWidth() - 10);
}

bool CAppBackgroundsForm::isLocked(int i) const { return locked_[pageShown_][i]; }

int CAppBackgroundsForm::washIndexOf(uint8_t wash) {
  for (int i = 0; i < kWashes; ++i) {
    if (kWashTable[i].value == wash) return i;
  }
  return 0;
}

uint8_t CAppBackgroundsForm::washOf(int index) { return kWashTable[index].value; }

void CAppBackgroundsForm::drawPicture(int i, const QZRect& at) {
  CQZFGraphics* g = getGraphics();
  if (!g) return;
  g->drawBlob(kBackgroundTable[pageShown_][i].image, getGadgetRect().x + at.x, getGadgetRect().y + at.y, 0, 255);
  if (isLocked(i) || wash_ >= kWashes - 1) return;
  const CAppColourSchemes::Scheme& s = app_->colourSchemes().scheme(kWashTable[wash_].value);
  const uint16_t bottom = CQZFGraphics::makeColour(s.bottom[0], s.bottom[1], s.bottom[2]);
  const QZRect area{at.x, at.y, static_cast<int16_t>(cellWidth()), static_cast<int16_t>(cellHeight())};
  if (getGadgetValue(kGradient)) {
    fillGradient(area, 0, kWashLevel, CQZFGraphics::makeColour(s.top[0], s.top[1], s.top[2]), bottom);
  } else {
    fillRect(area, 0, kWashLevel, bottom);
  }
}

int16_t CAppBackgroundsForm::loadChoice() {
  for (int p = 0; p < kPages; ++p) {
    for (int c = 0; c < kCells; ++c) {
      const int trophy = kBackgroundTable[p][c].trophy;
      locked_[p][c] = trophy >= 0 && profile_->trophies[trophy] == 0;
    }
  }
  pageShown_ = chosenPage_ = settings_->backgroundPage < kPages ? settings_->backgroundPage : 0;
  chosen_ = cursor_ = settings_->backgroundCell < kCells ? settings_->backgroundCell : 0;
  wash_ = washIndexOf(settings_->backgroundScheme);
  setGadgetValue(kPageSelector, kPageNames[pageShown_]);
  setGadgetValue(kWash, kWashTable[wash_].name);
  setGadgetValue(kGradient, settings_->backgroundGradient ? 1 : 0);
  if (CQZFGraphics* g = getGraphics(); g && g->loadBlobSet(kPictureSet, 0) >= 0) setLoaded_ = true;
  return 0;
}

void CAppBackgroundsForm::releasePictures() {
  if (CQZFGraphics* g = getGraphics(); g && setLoaded_) g->releaseBlobSet(kPictureSet);
  setLoaded_ = false;
}

void CAppBackgroundsForm::turnPage(bool forward) {
  setPage((pageShown_ + 1) % kPages);
  static_cast<void>(forward);  // two pages: either way is the other one
  setGadgetValue(kPageSelector, kPageNames[pageShown_]);
  moveCursor(0);
}

void CAppBackgroundsForm::cycleWash(bool forward) {
  wash_ = (wash_ + (forward ? 1 : kWashes - 1)) % kWashes;
  setGadgetValue(kWash, kWashTable[wash_].name);
  invalidateGrid();
}

void CAppBackgroundsForm::store(CAppSettings& settings, int page, int cell, int wash, bool gradient) {
  auto write = [&settings](auto& field, auto value) {
    if (field != value) settings.settingsChanged = 1;
    field = static_cast<std::remove_reference_t<decltype(field)>>(value);
  };
  write(settings.backgroundPage, static_cast<uint8_t>(page));
  write(settings.backgroundImage, static_cast<uint16_t>(kBackgroundTable[page][cell].plane));
  write(settings.backgroundGradient, static_cast<uint8_t>(gradient ? 1 : 0));
  write(settings.backgroundScheme, washOf(wash));
  settings.backgroundCell = static_cast<uint8_t>(cell);
}

void CAppBackgroundsForm::apply() {
  store(*settings_, chosenPage_, chosen_, wash_, getGadgetValue(kGradient) != 0);
  app_->applyBackground();
}

Handled CAppBackgroundsForm::onButton(const CQZFGadgetEvent& event) {
  switch (event.gadgetId) {
    case kPageSelector:
    case kPageForward: turnPage(true); break;
    case kPageBack: turnPage(false); break;
    case kWash:
    case kWashForward: cycleWash(true); break;
    case kWashBack: cycleWash(false); break;
    // The previews change with the gradient.
    case kGradient: invalidate(); break;
    default: break;
  }
  return Handled::kPassOn;
}

Handled CAppBackgroundsForm::onArrow(int32_t code, uint16_t focused) {
  if (code == kQZFKeyLeft || code == kQZFKeyRight) {
    const bool forward = code == kQZFKeyRight;
    if (focused == kGrid) {
      moveCursor(AppChooserGrid::stepInRow(cursor_, kCells, forward, [](int) { return false; }));
    } else if (focused == kPageSelector) {
      turnPage(forward);
    } else if (focused == kWash) {
      cycleWash(forward);
    } else {
      return Handled::kPassOn;
    }
    return Handled::kDone;
  }
  if (code != kQZFKeyUp && code != kQZFKeyDown) return Handled::kPassOn;
  // The ring of the focus, downward; upward walks it back.
  static constexpr uint16_t kRing[] = {kPageSelector, kGrid, kWash, kGradient, kOk};
  constexpr int n = static_cast<int>(std::size(kRing));
  int at = focused == kCancel ? n - 1 : -1;
  for (int i = 0; i < n; ++i) {
    if (kRing[i] == focused) at = i;
  }
  if (at < 0) return Handled::kPassOn;
  const int next = code == kQZFKeyDown ? (at + 1) % n : (at + n - 1) % n;
  // From Cancel as from OK: down to the page, up to the gradient box.
  focus(kRing[next]);
  setCursorShown(kRing[next] == kGrid);
  return Handled::kDone;
}
