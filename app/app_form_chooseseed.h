// The deal-number form: the current game's deal number, typed or drawn at
// random. A new number is taken at once when no game is in progress;
// during a game the player is asked first (alert 1449, whose yes button
// books the loss and calls applyDealNumber).
#pragma once

#include <cstdint>

#include "qzf_form.h"

class CAppApplication;
struct CAppSettings;

// The deal number of a typed text: its leading digits, 0 taken as 1 and
// anything above the last deal as the last deal.
uint32_t AppDealNumberOf(const char16_t* text);

class CAppChooseSeedForm : public CQZFForm {
 public:
  static constexpr uint16_t kNumber = 1210;
  static constexpr uint16_t kRandom = 1447;
  static constexpr uint16_t kOk = 1;
  static constexpr uint16_t kCancel = 2;
  static constexpr uint16_t kConfirmAlert = 1449;
  static constexpr uint32_t kLastDeal = 9999999;

  CAppChooseSeedForm();

  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  Handled onEvent(const QZFFormEvent& event) override;
  Handled onGadgetEvent(const CQZFGadgetEvent& event) override;

  // The typed number becomes the current game's deal number.
  void applyDealNumber();
  uint32_t getOpeningDeal() const { return openingDeal_; }

 protected:
  // The application, its form handler and the profile's settings; -50 without them.
  [[nodiscard]] int16_t bindProfile();

 private:
  // The index of the current game type's deal number (type 1 for another type).
  int slot() const;
  Handled onOk();
  void closeForm();

  CAppApplication* app_ = nullptr;
  CAppSettings* settings_ = nullptr;
  uint32_t openingDeal_ = 1;
};
