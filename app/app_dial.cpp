#include "app_dial.h"

#include <new>
#include <span>

#include "app_application.h"
#include "app_title_curve.h"
#include "app_value_tables.h"
#include "qzf_audio.h"
#include "qzf_graphics.h"
#include "qzf_metrics.h"

namespace {

// Front and side images of game types 1-12; the pressed look is the next id.
struct ItemImages {
  uint16_t front, side;
};
constexpr ItemImages kImages[CAppDialItem::kSlots] = {{716, 718}, {712, 714}, {744, 746}, {748, 750},
                                                      {732, 734}, {728, 730}, {740, 742}, {752, 754},
                                                      {736, 738}, {756, 758}, {720, 722}, {724, 726}};
constexpr uint16_t kShadow = 1230;
constexpr int kShadowLevel = 170;
constexpr int kOpaque = 255;
constexpr uint8_t kPathStart = 0;
constexpr uint8_t kPathEnd = 100;
constexpr uint8_t kMultiStepDuration = 25;
constexpr uint8_t kIntroDuration = 20;
constexpr uint8_t kIntroSteps = 12;
constexpr uint16_t kForwardImage = 710;
constexpr uint16_t kBackImage = 708;

CQZFGraphics* graphicsOf(const CAppApplication* app) { return app ? app->getGraphics() : nullptr; }

bool strictlyInside(const QZRect& r, int x, int y) { return x > r.x && y > r.y && x < r.x + r.w && y < r.y + r.h; }

}  // namespace

// --- CAppDialItem -----------------------------------------------------------------

CAppDialItem::CAppDialItem(CAppDialControl* dial) : CQZFObject(dial), dial_(dial) {}

void CAppDialItem::init(int32_t gameType) {
  gameType_ = gameType;
  const ItemImages& images = kImages[(gameType - 1) % kSlots];
  frontImage_ = images.front;
  sideImage_ = images.side;
}

void CAppDialItem::moveTo(uint8_t position) {
  position_ = position;
  const CAppApplication* app = dial_->application();
  if (!app) return;
  const CAppTitleCurve& curve = app->getTitleCurve();
  sideX_ = curve.point(position).xB;
  sideY_ = curve.point(position).yB;
  frontX_ = curve.point(targetPosition_).xA;
  frontY_ = curve.point(targetPosition_).yA;
}

void CAppDialItem::place(int slot, bool animate) {
  arrivalSound_ = false;
  slot_ = static_cast<uint8_t>(slot);
  if (slot >= 5 && slot <= 7) {
    visible_ = moving_ = false;
    return;
  }
  const CAppApplication* app = dial_->application();
  visible_ = moving_ = true;
  startPosition_ = targetPosition_;
  switch (slot) {
    case 0:
      targetPosition_ = kFront;
      arrivalSound_ = true;
      break;
    case 1: targetPosition_ = static_cast<uint8_t>(AppCurrentValue(app, kAppValueDialSlot1)); break;
    case 2: targetPosition_ = static_cast<uint8_t>(AppCurrentValue(app, kAppValueDialSlot2)); break;
    case 3:
    case 4: targetPosition_ = kPathStart; break;
    case 8:
    case 9: targetPosition_ = kPathEnd; break;
    case 10: targetPosition_ = static_cast<uint8_t>(AppCurrentValue(app, kAppValueDialSlot10)); break;
    default: targetPosition_ = static_cast<uint8_t>(AppCurrentValue(app, kAppValueDialSlot11)); break;
  }
  if (targetPosition_ > kPathEnd) targetPosition_ = kPathEnd;
  startTime_ = CQZFMetrics::getTime();
  if (animate) {
    this->animate();
    moving_ = true;
    return;
  }
  moving_ = false;
  moveTo(targetPosition_);
}

void CAppDialItem::step(int count, bool forward) {
  for (int i = 0; i < count; ++i) {
    int slot = slot_ + (forward ? 1 : -1);
    if (slot == kSlots) slot = 0;
    if (slot < 0) slot = kSlots - 1;
    if (forward && slot == 9) targetPosition_ = kPathEnd;
    if (!forward && slot == 3) targetPosition_ = kPathStart;
    const uint8_t from = targetPosition_;
    place(slot, true);
    // The jump between the path's two ends is not shown.
    if ((from == kPathEnd && targetPosition_ == kPathStart) || (from == kPathStart && targetPosition_ == kPathEnd)) {
      visible_ = false;
    }
  }
}

void CAppDialItem::animate() {
  const uint32_t elapsed = CQZFMetrics::getTime() - startTime_;
  uint32_t progress = duration_ ? elapsed * 100 / duration_ : 100;
  if (progress >= 100) {
    progress = 100;
    moving_ = false;
  }
  const int travel = static_cast<int>(startPosition_) - targetPosition_;
  moveTo(static_cast<uint8_t>(startPosition_ - travel * static_cast<int>(progress) / 100));
  if (arrivalSound_ && position_ == kFront) {
    arrivalSound_ = false;
    const CAppApplication* app = dial_->application();
    if (CQZFAudioManager* audio = app ? app->getAudioManager() : nullptr) {
      static_cast<void>(audio->playSound(CAppDialControl::kArrivalSound, 8, 0, 256, 30));
    }
  }
  // A move that ended away from the ends of the path shows the item again.
  if (!moving_ && slot_ != 5 && slot_ != 6 && slot_ != 7) visible_ = true;
}

bool CAppDialItem::showsFront() const { return slot_ == 0 && !moving_; }

QZRect CAppDialItem::rect() const {
  const CAppApplication* app = dial_->application();
  if (showsFront()) {
    return QZRect{frontX_, frontY_, static_cast<int16_t>(AppCurrentValue(app, kAppValueCurveWidthA)),
                  static_cast<int16_t>(AppCurrentValue(app, kAppValueCurveHeightA))};
  }
  return QZRect{sideX_, sideY_, static_cast<int16_t>(AppCurrentValue(app, kAppValueCurveWidthB)),
                static_cast<int16_t>(AppCurrentValue(app, kAppValueCurveHeightB))};
}

void CAppDialItem::invalidate() const {
  CQZFGraphics* g = graphicsOf(dial_->application());
  if (!g) return;
  const QZRect r = rect();
  if (showsFront()) g->invalidateRectangle(r);
  else g->invalidateRect(r.x - 2, r.y - 2, r.w + 4, r.h + 4);
}

bool CAppDialItem::isDirty() const {
  const CQZFGraphics* g = graphicsOf(dial_->application());
  return g && g->isRectangleDirty(rect());
}

void CAppDialItem::draw() const {
  const CAppApplication* app = dial_->application();
  CQZFGraphics* g = graphicsOf(app);
  if (!g || !visible_ || !isDirty()) return;
  const int pressed = pressed_ ? 1 : 0;
  if (showsFront() && !dial_->isIntroRunning()) {
    g->drawBlob(frontImage_ + pressed, frontX_, frontY_, 0, kOpaque);
    return;
  }
  g->drawBlob(kShadow, sideX_ - AppCurrentValue(app, kAppValueDialShadowX),
              sideY_ - AppCurrentValue(app, kAppValueDialShadowY), 0, kShadowLevel);
  g->drawBlob(sideImage_ + pressed, sideX_, sideY_, 0, kOpaque);
}

bool CAppDialItem::hitTest(int x, int y) const {
  if (!visible_) return false;
  // The slot alone decides which picture is tested.
  const CAppApplication* app = dial_->application();
  const QZRect r = slot_ == 0
                       ? QZRect{frontX_, frontY_, static_cast<int16_t>(AppCurrentValue(app, kAppValueCurveWidthA)),
                                static_cast<int16_t>(AppCurrentValue(app, kAppValueCurveHeightA))}
                       : QZRect{sideX_, sideY_, static_cast<int16_t>(AppCurrentValue(app, kAppValueCurveWidthB)),
                                static_cast<int16_t>(AppCurrentValue(app, kAppValueCurveHeightB))};
  return strictlyInside(r, x, y);
}

void CAppDialItem::setPressed(bool pressed) {
  pressed_ = pressed;
  invalidate();
}

// --- CAppDialControl --------------------------------------------------------------

CAppDialControl::CAppDialControl(CQZFObject* owner) : CQZFObject(owner) { setKind(kKind, this); }
CAppDialControl::~CAppDialControl() = default;

int16_t CAppDialControl::init(int32_t gameType) {
  app_ = findOwner<CAppApplication>();
  if (!app_) return CQZFApplication::report(this, "app_dial", __LINE__, QZ_ERR_BAD_STATE);
  const int32_t chosen = gameType >= 1 && gameType <= CAppDialItem::kSlots ? gameType : 1;
  for (int i = 0; i < CAppDialItem::kSlots; ++i) {
    items_[static_cast<size_t>(i)].reset(new (std::nothrow) CAppDialItem(this));
    CAppDialItem* item = items_[static_cast<size_t>(i)].get();
    if (!item) return CQZFApplication::report(this, "app_dial", __LINE__, QZ_ERR_NO_MEMORY);
    item->init(i + 1);
    item->place(((i + 1 - chosen) % CAppDialItem::kSlots + CAppDialItem::kSlots) % CAppDialItem::kSlots, false);
  }
  return 0;
}

bool CAppDialControl::isTurning() const {
  for (const auto& item : items_) {
    if (item && item->isMoving()) return true;
  }
  return false;
}

void CAppDialControl::stepAll(bool forward) {
  for (const auto& item : items_) {
    item->invalidate();
    item->step(1, forward);
  }
}

void CAppDialControl::setDurations(uint8_t hundredths) {
  for (const auto& item : items_) item->setDuration(hundredths);
}

bool CAppDialControl::turn(int steps, bool forward) {
  if (intro_ || isTurning() || !app_) return false;
  if (CQZFAudioManager* audio = app_->getAudioManager()) {
    static_cast<void>(audio->playSound(kTurnSound, 8, forward ? -2 : 2, 256, 30));
  }
  stepAll(forward);
  if (steps > 1) {
    setDurations(kMultiStepDuration);
    multiTotal_ = static_cast<uint8_t>(steps);
    multiForward_ = forward;
  }
  return true;
}

int32_t CAppDialControl::getChosenType() const {
  for (const auto& item : items_) {
    if (item && item->getSlot() == 0) return item->getGameType();
  }
  return 1;
}

void CAppDialControl::animateAll() {
  for (const auto& item : items_) {
    item->invalidate();
    item->animate();
    item->invalidate();
  }
}

// A multi-step turn takes its next step once every item has come to rest;
// the intro likewise, twelve steps back.
void CAppDialControl::update() {
  if (!app_) return;
  if (isTurning()) {
    animateAll();
    if (!isTurning() && multiTotal_ > 0) {
      ++multiCount_;
      if (multiCount_ < multiTotal_) {
        stepAll(multiForward_);
      } else {
        multiCount_ = multiTotal_ = 0;
        setDurations(CAppDialItem::kDuration);
      }
    }
    app_->resetStartFrames();
  } else if (intro_) {
    animateAll();
    ++introSteps_;
    if (introSteps_ <= kIntroSteps) {
      stepAll(false);
    } else {
      intro_ = false;
      setDurations(CAppDialItem::kDuration);
    }
    app_->resetStartFrames();
  }
}

void CAppDialControl::startIntro() {
  intro_ = true;
  introSteps_ = 1;
  setDurations(kIntroDuration);
  stepAll(false);
}

bool CAppDialControl::hitItem(int x, int y) const {
  if (intro_) return false;
  for (const auto& item : items_) {
    if (item->hitTest(x, y)) return true;
  }
  return false;
}

void CAppDialControl::pressAt(int x, int y) {
  pressed_ = true;
  for (const auto& item : items_) {
    if (item->hitTest(x, y)) item->setPressed(true);
  }
}

bool CAppDialControl::isPressedItemAt(int x, int y) const {
  for (const auto& item : items_) {
    if (item->isPressed() && item->hitTest(x, y)) return true;
  }
  return false;
}

void CAppDialControl::releaseAll() {
  pressed_ = false;
  for (const auto& item : items_) item->setPressed(false);
}

void CAppDialControl::tap(int x, int y) {
  if (intro_ || !app_) return;
  if (x == 0 && y == 0) {
    app_->startChosenGame();
    return;
  }
  for (const auto& item : items_) {
    if (!item->hitTest(x, y)) continue;
    item->setPressed(false);
    switch (item->getSlot()) {
      case 0: app_->startChosenGame(); break;
      case 1: static_cast<void>(turn(1, false)); break;
      case 2: static_cast<void>(turn(2, false)); break;
      case 11: static_cast<void>(turn(1, true)); break;
      case 10: static_cast<void>(turn(2, true)); break;
      default: break;
    }
    return;
  }
}

void CAppDialControl::invalidate() const {
  for (const auto& item : items_) {
    if (item) item->invalidate();
  }
}

void CAppDialControl::draw() const {
  for (const auto& item : items_) {
    if (item) item->draw();
  }
}

// --- CAppDialButton ---------------------------------------------------------------

void CAppDialButton::init(bool forward) {
  forward_ = forward;
  const CAppApplication* app = findOwner<CAppApplication>();
  const auto v = [&](AppValue index) { return static_cast<int16_t>(AppCurrentValue(app, index)); };
  rect_ = forward ? QZRect{v(kAppValueForwardButtonX), v(kAppValueForwardButtonY), v(kAppValueForwardButtonWidth),
                           v(kAppValueForwardButtonHeight)}
                  : QZRect{v(kAppValueBackButtonX), v(kAppValueBackButtonY), v(kAppValueBackButtonWidth),
                           v(kAppValueBackButtonHeight)};
  image_ = forward ? kForwardImage : kBackImage;
}

void CAppDialButton::press() {
  if (pressed_) return;
  invalidate();
  pressed_ = true;
  ++image_;
}

void CAppDialButton::release() {
  if (!pressed_) return;
  invalidate();
  pressed_ = false;
  --image_;
}

bool CAppDialButton::hitTest(int x, int y) const { return strictlyInside(rect_, x, y); }

void CAppDialButton::invalidate() const {
  if (CQZFGraphics* g = graphicsOf(findOwner<CAppApplication>())) g->invalidateRectangle(rect_);
}

void CAppDialButton::draw() const {
  CQZFGraphics* g = graphicsOf(findOwner<CAppApplication>());
  if (g && g->isRectangleDirty(rect_)) g->drawBlob(image_, rect_.x, rect_.y, 0, kOpaque);
}
