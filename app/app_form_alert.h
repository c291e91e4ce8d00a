// The general alert: a short message with one or two buttons over the
// current screen, opened under many form ids. Its description gives the
// text and which buttons it shows; the class gives every button id one
// meaning, whatever alert carries it. An alert returns nothing to its opener:
// it carries out the answer itself and closes.
#pragma once

#include "qzf_form.h"

class CAppApplication;

// What every form of the application does alike: the background in the
// current colour scheme's form colour, and the click of a handled gadget.
namespace AppFormLook {
void applyThemeColour(CQZFForm& form, CAppApplication& app);
}

class CAppAlertForm : public CQZFForm {
 public:
  // Buttons whose meaning needs no game.
  static constexpr uint16_t kClose = 1;
  static constexpr uint16_t kCancel = 2;
  static constexpr uint16_t kBackToGame = 4;
  static constexpr uint16_t kBackToGameToo = 1252;
  static constexpr uint16_t kRestoreLanguage = 1092;
  static constexpr uint16_t kQuit = 1208;

  CAppAlertForm();

  Handled onGadgetEvent(const CQZFGadgetEvent& event) override;
  Handled onEvent(const QZFFormEvent& event) override;
};
