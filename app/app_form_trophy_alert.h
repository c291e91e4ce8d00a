// The alerts of the trophy chain: a trophy was earned (its picture and
// text), and an item it unlocks (a background, a card-front style or a card
// back). Closing one shows what follows: the unlock of that trophy, else the
// next trophy due, so several trophies earned at once come one after the
// other.
#pragma once

#include <cstdint>

#include "qzf_form.h"

class CAppApplication;

class CAppTrophyAlertForm : public CQZFForm {
 public:
  static constexpr uint16_t kText = 20;
  static constexpr uint16_t kPicture = 1429;
  static constexpr uint16_t kFirstText = 1393;
  static constexpr uint16_t kSound = 4010;

  CAppTrophyAlertForm();
  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  Handled onEvent(const QZFFormEvent& event) override;
  Handled onGadgetEvent(const CQZFGadgetEvent& event) override;

  // Shows trophy a (0-51) and loads its group's pictures.
  void setTrophy(int a);
  int trophy() const { return trophy_; }

 private:
  // Opens the unlock alert of the trophy; false when it unlocks nothing.
  bool showUnlock();

  CAppApplication* app_ = nullptr;
  uint8_t trophy_ = 0;
  uint16_t loadedSet_ = 0;
};

class CAppUnlockAlertForm : public CQZFForm {
 public:
  static constexpr uint16_t kText = 20;
  static constexpr uint16_t kPicture = 1429;

  CAppUnlockAlertForm();
  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  Handled onEvent(const QZFFormEvent& event) override;
  Handled onGadgetEvent(const CQZFGadgetEvent& event) override;

  // The title and text, and the picture of the item from its blob set (loaded here).
  void setup(uint16_t titleId, uint16_t blobSet, uint16_t textId, uint16_t image);

 private:
  CAppApplication* app_ = nullptr;
  uint16_t loadedSet_ = 0;
};

// Plays the fanfare of a trophy or an unlocked item.
void AppPlayTrophySound(CAppApplication& app);
