// The forms at the end of a game: game over (no move is left) and game won.
// Both show the streak the player has after this game and lead to the next
// deal or back to the title screen; the game-over form also books the loss,
// replays the deal, takes moves back until one is open, or lets the player
// play on.
#pragma once

#include <cstdint>

#include "qzf_form.h"

class CAppApplication;
class CAppGame;

// What the two share: the application and the profile found on open (else
// -50), the form colour, the streak line and the click of a button.
class CAppGameEndForm : public CQZFForm {
 public:
  static constexpr uint16_t kStreakLabel = 21;
  static constexpr uint16_t kStreakText = 1230;
  static constexpr uint16_t kNextDeal = 1382;
  static constexpr uint16_t kToTitle = 1383;

  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  Handled onGadgetEvent(const CQZFGadgetEvent& event) final;
  Handled onEvent(const QZFFormEvent& event) override { return Handled::kPassOn; }
  // The form stays until one of its buttons is chosen.
  Handled onBack() override { return Handled::kDone; }

 protected:
  // The number the streak line shows, given the current type's streak (the
  // profile may be absent).
  virtual int32_t shownStreak(const int16_t* streak) const = 0;
  virtual const char* sourceName() const = 0;
  virtual bool onButton(uint16_t id) = 0;
  void closeForm();

  CAppApplication* app_ = nullptr;
};

class CAppGameOverForm : public CAppGameEndForm {
 public:
  static constexpr uint16_t kReplay = 1381;
  static constexpr uint16_t kUndoToMove = 1385;
  static constexpr uint16_t kPlayOn = 1446;
  CAppGameOverForm();

 protected:
  // The streak after this loss: -1 after wins or none, one loss more after losses.
  int32_t shownStreak(const int16_t* streak) const override;
  const char* sourceName() const override { return "app_form_gameover"; }
  bool onButton(uint16_t id) override;

 private:
  // The play screen's game is booked as lost (its own type, the clock as the game left it).
  void bookLoss(const CAppGame& game);
};

class CAppGameWonForm : public CAppGameEndForm {
 public:
  CAppGameWonForm();

 protected:
  // The win is booked already: the streak as it stands.
  int32_t shownStreak(const int16_t* streak) const override { return streak ? *streak : 1; }
  const char* sourceName() const override { return "app_form_gamewon"; }
  bool onButton(uint16_t id) override;
};
