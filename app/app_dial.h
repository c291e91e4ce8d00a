// The title screen's game dial: twelve items, one per game type, on the
// title curve with the chosen game in front (dial slot 0, curve position
// 50); a turn slides every item one slot along with a short animation, and
// two arrow buttons beside the dial turn it too.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "qz_rect.h"
#include "qzf_object.h"

class CAppApplication;
class CAppDialControl;

class CAppDialItem : public CQZFObject {
 public:
  static constexpr int kSlots = 12;
  static constexpr uint8_t kFront = 50;
  static constexpr uint8_t kDuration = 50;

  explicit CAppDialItem(CAppDialControl* dial);

  void init(int32_t gameType);
  // Moves to the slot; without animation straight to its place.
  void place(int slot, bool animate);
  void step(int count, bool forward);
  // One frame of the move: the place on the curve by the time passed.
  void animate();
  void invalidate() const;
  bool isDirty() const;
  void draw() const;
  // Strict: inside the rectangle, not on its edge; hidden items never hit.
  bool hitTest(int x, int y) const;
  void setPressed(bool pressed);

  int32_t getGameType() const { return gameType_; }
  int getSlot() const { return slot_; }
  bool isMoving() const { return moving_; }
  bool isVisible() const { return visible_; }
  bool isPressed() const { return pressed_; }
  uint8_t getPosition() const { return position_; }
  void setDuration(uint8_t hundredths) { duration_ = hundredths; }

 private:
  // Where the item is drawn and tested: front at rest in slot 0, else side.
  QZRect rect() const;
  bool showsFront() const;
  void moveTo(uint8_t position);

  CAppDialControl* dial_;
  int32_t gameType_ = 1;
  uint16_t frontImage_ = 0;
  uint16_t sideImage_ = 0;
  bool visible_ = false;
  bool arrivalSound_ = false;
  int16_t sideX_ = 0, sideY_ = 0, frontX_ = 0, frontY_ = 0;
  uint8_t slot_ = 0;
  bool pressed_ = false;
  bool moving_ = false;
  uint8_t startPosition_ = 0;
  uint8_t targetPosition_ = 0;
  uint8_t position_ = 0;
  uint32_t startTime_ = 0;
  uint8_t duration_ = kDuration;
};

class CAppDialControl : public CQZFObject {
 public:
  static constexpr uint16_t kKind = 4102;
  static constexpr uint16_t kTurnSound = 4003;
  static constexpr uint16_t kArrivalSound = 4001;

  explicit CAppDialControl(CQZFObject* owner);
  ~CAppDialControl() override;

  // The twelve items with the game type in front.
  [[nodiscard]] int16_t init(int32_t gameType);
  // Refused (false) while the intro runs or an item moves.
  bool turn(int steps, bool forward);
  int32_t getChosenType() const;
  bool hitItem(int x, int y) const;
  void pressAt(int x, int y);
  bool isPressedItemAt(int x, int y) const;
  void releaseAll();
  bool hasPressedItems() const { return pressed_; }
  // (0, 0), or the item in front, starts the chosen game; an item beside it turns the dial to it.
  void tap(int x, int y);
  // One revolution backwards to the same game, the first time a player sees the dial.
  void startIntro();
  void update();
  void invalidate() const;
  void draw() const;
  bool isTurning() const;
  bool isIntroRunning() const { return intro_; }

  CAppApplication* application() const { return app_; }
  const CAppDialItem& item(int index) const { return *items_[static_cast<size_t>(index)]; }

 private:
  void stepAll(bool forward);
  void animateAll();
  void setDurations(uint8_t hundredths);

  CAppApplication* app_ = nullptr;
  std::array<std::unique_ptr<CAppDialItem>, CAppDialItem::kSlots> items_;
  bool pressed_ = false;
  uint8_t introSteps_ = 0;
  uint8_t multiTotal_ = 0;
  uint8_t multiCount_ = 0;
  bool multiForward_ = true;
  bool intro_ = false;
};

class CAppDialButton : public CQZFObject {
 public:
  explicit CAppDialButton(CQZFObject* owner) : CQZFObject(owner) {}

  void init(bool forward);
  void press();
  void release();
  bool hitTest(int x, int y) const;
  void draw() const;
  void invalidate() const;
  bool isPressed() const { return pressed_; }

 private:
  bool forward_ = true;
  QZRect rect_{};
  uint16_t image_ = 0;
  bool pressed_ = false;
};
