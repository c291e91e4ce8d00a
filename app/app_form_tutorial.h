// The tour of the play screen: a row of steps, each a text with an optional
// picture and an arrow pointing at the screen, paged with back and next.
// Opened over the play screen after a new player's first deal, or from the
// menu. Closing it shows the current game's rules once.
#pragma once

#include <cstdint>

#include "qzf_form.h"

class CAppApplication;
class CAppTutorialArrow;

class CAppTutorialForm : public CQZFForm {
 public:
  static constexpr uint16_t kDone = 1;
  static constexpr uint16_t kPrevious = 1181;
  static constexpr uint16_t kNext = 1182;
  static constexpr uint16_t kPicture = 1183;
  static constexpr uint16_t kText = 1184;
  static constexpr uint16_t kCounter = 1185;
  static constexpr int kSteps = 16;
  // The one tour there is; the steps of a mode share its group number.
  static constexpr uint8_t kPlayMode = 1;
  static constexpr uint16_t kTitle = 1547;

  struct Step {
    uint16_t group = 0;
    uint16_t image = 0xFFFF;
    uint8_t arrow = 0;
    int16_t x = 0;
    int16_t y = 0;
    uint16_t text = 0;
  };

  ~CAppTutorialForm() override;

  // Opens and begins the tour of the mode the parameter names (0: the play
  // tour, as the menu opens it).
  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  // Fills the steps, keeps the mode, collects its steps and shows the first.
  void begin(uint8_t mode);
  Handled onEvent(const QZFFormEvent& event) override;
  Handled onGadgetEvent(const CQZFGadgetEvent& event) override;
  // The arrow's bounce.
  Handled onUpdate() override;

  void next();
  void previous();
  int currentIndex() const { return current_; }
  int currentNumber() const { return number_; }
  int stepCount() const { return count_; }

 private:
  void fillSteps();
  void collectSteps();
  void showStep();
  void finish();
  CAppTutorialArrow* arrow() const;

  CAppApplication* app_ = nullptr;
  Step steps_[kSteps];
  uint8_t mode_ = 0;
  int16_t first_ = -1;
  int16_t last_ = -1;
  int16_t current_ = -1;
  uint16_t number_ = 1;
  uint16_t count_ = 0;
};
