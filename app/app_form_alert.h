// The general alert: a short message with one or two buttons over the
// current screen, opened under many form ids. Its description gives the
// text and which buttons it shows; the class gives every button id one
// meaning, whatever alert carries it. An alert returns nothing to its opener:
// it carries out the answer itself (on the profile, the play screen's game
// or the form stack) and closes.
#pragma once

#include "qzf_form.h"

class CAppApplication;
class CAppGame;
class CQZFFormHandler;

// What every form of the application does alike: the background in the
// current colour scheme's form colour, and the click of a handled gadget.
namespace AppFormLook {
void applyThemeColour(CQZFForm& form, CAppApplication& app);
// A form's open: the application found (else -50), the description built,
// the form colour; a failure is reported under the source name and returned.
[[nodiscard]] int16_t openThemed(CQZFForm& form, uint16_t formId, uint32_t param, const char* source,
                                 CAppApplication*& app);
// Marks the form closed; the form handler removes it at its next tick.
void closeForm(CQZFForm& form);
// Closes every form above the play screen when one is open, else above the title.
void closeToGameOrTitle(CQZFFormHandler& handler);
}  // namespace AppFormLook

class CAppAlertForm : public CQZFForm {
 public:
  static constexpr uint16_t kClose = 1;
  static constexpr uint16_t kCancel = 2;
  static constexpr uint16_t kUseDealNumber = 3;
  static constexpr uint16_t kBackToGame = 4;
  static constexpr uint16_t kBackToGameToo = 1252;
  static constexpr uint16_t kRestart = 1091;
  static constexpr uint16_t kRestoreLanguage = 1092;
  static constexpr uint16_t kQuit = 1208;
  static constexpr uint16_t kKeepAndLeave = 1221;
  static constexpr uint16_t kResume = 1231;
  static constexpr uint16_t kDropSaved = 1232;
  static constexpr uint16_t kReplay = 1424;
  static constexpr uint16_t kNewDeal = 1425;
  static constexpr uint16_t kChangeOption = 1452;
  static constexpr uint16_t kOptionForAll = 1455;
  // The option that alert 1451 turns over, and the alert that follows it.
  static constexpr int kAskedOption = 4;

  CAppAlertForm();

  Handled onGadgetEvent(const CQZFGadgetEvent& event) override;
  Handled onEvent(const QZFFormEvent& event) override;

 private:
  // The answers that change the game or the profile; false for an unknown id.
  bool onGameButton(uint16_t id);
  // The play screen's game becomes the type's saved game, or a finished one
  // drops the saved game; false without a play screen.
  bool keepGame();
  void keepAndLeave();
  void resume();
  void dropSavedGame();
  void useDealNumber();
  void newDeal();
  void changeOption();
  void optionForAll();

  CAppApplication* app_ = nullptr;
};
