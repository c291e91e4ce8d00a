// The settings form of each game: the player changes that game's rules
// (cards turned, redeals, suits and the game's own switches). The form shows
// the profile's rules when it opens and stores nothing until Done; a change
// made while a game is in progress, or while the game has a saved game, is
// confirmed on an alert first. Stored rules mark the settings as changed,
// so the game builds its layout again before its next deal.
#pragma once

#include <cstdint>

#include "app_game_rule_options.h"
#include "app_game_settings.h"
#include "qzf_form.h"

class CAppApplication;
class CAppUserForm;

class CAppSpecificGameSettingsForm : public CQZFForm {
 public:
  static constexpr uint16_t kDone = 1;
  static constexpr uint16_t kCancel = 2;
  static constexpr uint16_t kDefaults = 6;
  static constexpr uint16_t kHelp = 1443;
  static constexpr uint16_t kTitleText = 1146;
  static constexpr uint16_t kHelpForm = 1442;
  // The questions asked before storing: over a game in progress (a new deal
  // follows), and when the game has a saved game (it is thrown away).
  static constexpr uint16_t kAskInGame = 1444;
  static constexpr uint16_t kAskSavedGame = 1250;
  // The buttons of those questions that store the rules.
  static constexpr uint16_t kConfirmInGame = 1445;
  static constexpr uint16_t kConfirmSavedGame = 1251;

  explicit CAppSpecificGameSettingsForm(int32_t gameType = 1);

  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  Handled onEvent(const QZFFormEvent& event) override;
  Handled onGadgetEvent(const CQZFGadgetEvent& event) override;
  Handled onKeyEvent(const QZFKeyEvent& key) override;
  // The choices shown, so that a form saved with the player's forms comes
  // back showing what its entries say.
  [[nodiscard]] int16_t serialise(SerialiseStream& stream) override;

  // Stores the choices shown in the profile's rules and marks the settings
  // as changed; returns its argument (the form that asked).
  virtual int32_t applySettings(int32_t askingForm);

  // Steps option k to its next (or previous) entry, wrapping at the ends.
  void cycleChoice(int k, bool next);
  void setDefaults();
  bool isDefaultChoice() const;
  bool differsFromStored() const;

  int32_t gameType() const { return gameType_; }
  // Whether the choices were the defaults when Done was pressed.
  bool wasDefaultChoice() const { return defaultChoice_; }
  const AppRuleChoices& choices() const { return choices_; }

  // What the confirming button of a question does: the open settings form
  // (the first of the twelve ids found) stores its rules and sets the game's
  // custom-rules flag; 1251 throws the saved game away first and returns to
  // the title, 1445 deals anew on the play screen and returns to it.
  static void confirmFromAlert(CAppApplication& app, uint16_t button);

 private:
  [[nodiscard]] int16_t fail(int line, int16_t code);
  CAppUserForm* profile() const;
  CAppGameRules* rules() const;
  void showChoices();
  void showTitle();
  // The choices with the boxes' ticks as the gadgets show them.
  AppRuleChoices shownChoices() const;
  void takeTicks();
  Handled done();
  Handled openHelp();
  // Stores, sets the custom-rules flag from the default test made at Done.
  void store();
  void closeForm();

  int32_t gameType_;
  const AppGameRuleOptions* options_;
  CAppApplication* app_ = nullptr;
  AppRuleChoices choices_;
  bool defaultChoice_ = false;
};

// One form class per game, each opened under its own form id.
template <int32_t Type>
class CAppGameSettingsFormOf : public CAppSpecificGameSettingsForm {
 public:
  static constexpr int32_t kType = Type;
  CAppGameSettingsFormOf() : CAppSpecificGameSettingsForm(Type) {}
};
using CAppKlondikeSettingsForm = CAppGameSettingsFormOf<kGameKlondike>;
using CAppFreecellSettingsForm = CAppGameSettingsFormOf<kGameFreecell>;
using CAppSpiderSettingsForm = CAppGameSettingsFormOf<kGameSpider>;
using CAppCalcSettingsForm = CAppGameSettingsFormOf<kGameCalc>;
using CAppGolfSettingsForm = CAppGameSettingsFormOf<kGameGolf>;
using CAppIdiotSettingsForm = CAppGameSettingsFormOf<kGameIdiot>;
using CAppCanfieldSettingsForm = CAppGameSettingsFormOf<kGameCanfield>;
using CAppClockSettingsForm = CAppGameSettingsFormOf<kGameClock>;
using CAppFourCornersSettingsForm = CAppGameSettingsFormOf<kGameFourCorners>;
using CAppYukonSettingsForm = CAppGameSettingsFormOf<kGameYukon>;
using CAppSultanSettingsForm = CAppGameSettingsFormOf<kGameSultan>;
using CAppPyramidSettingsForm = CAppGameSettingsFormOf<kGamePyramid>;

// Registers the twelve forms under their class tags.
void AppRegisterGameSettingsForms(CAppApplication& app);
