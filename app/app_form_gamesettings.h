// The general options of the current game (its option block): automatic
// moves to the foundations, the playable-card marks, turning cards up, one-tap
// play, the deal animation and the mirrored table. Nothing is written before
// OK; a change of the mirrored table during a game asks first (alert 1451),
// and after OK the player may give the same options to every game (alert 1454).
#pragma once

#include <cstdint>

#include "qzf_form.h"

class CAppApplication;
class CAppGameForm;
struct CAppSettings;

class CAppGameSettingsForm : public CQZFForm {
 public:
  static constexpr uint16_t kAutoMove = 1458, kAutoMoveBack = 1459, kAutoMoveForward = 1460;
  static constexpr uint16_t kHighlight = 1461, kHighlightBack = 1462, kHighlightForward = 1463;
  static constexpr uint16_t kAutoTurn = 1302, kOneTap = 1303, kAnimate = 1304, kNewDealOption = 1305;
  static constexpr uint16_t kToolbarOrder = 1307;
  static constexpr uint16_t kOk = 1, kCancel = 2, kDefaults = 6;
  static constexpr uint16_t kNewDealAlert = 1451, kAllGamesAlert = 1454;
  static constexpr int kChoices = 3;

  CAppGameSettingsForm();

  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  Handled onEvent(const QZFFormEvent& event) override;
  Handled onGadgetEvent(const CQZFGadgetEvent& event) override;
  Handled onKeyEvent(const QZFKeyEvent& key) override;

  bool hasChanges() const;
  // Writes the form into the option block and brings the game up to date.
  void apply();
  void setDefaults();
  // Forward 0, 1, 2, 0; backward 0, 2, 1, 0.
  void cycleAutoMove(bool forward);
  void cycleHighlight(bool forward);
  int getAutoMove() const { return autoMove_; }
  int getHighlight() const { return highlight_; }

 protected:
  // The application, its form handler and the profile's settings; -50 without them.
  [[nodiscard]] int16_t bindProfile();

 private:
  void fill();
  void showChoices();
  uint8_t* options() const;
  bool ticked(uint16_t id) const { return getGadgetValue(id) != 0; }
  // The highlight choice of the block: 1 best moves (byte 6), 2 all (byte 5), else 0.
  static int highlightOf(const uint8_t* block);
  CAppGameForm* playScreen() const;
  void closeForm();

  CAppApplication* app_ = nullptr;
  CAppSettings* settings_ = nullptr;
  int autoMove_ = 0;
  int highlight_ = 0;
};
