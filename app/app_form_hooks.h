// What the alerts ask of the forms that open them: the per-game settings
// forms apply their choices, the deal chooser its deal number. Those forms
// implement these; an alert finds them open on the form stack.
#pragma once

class CAppRulesChooser {
 public:
  virtual ~CAppRulesChooser() = default;
  // The form's choices go to the profile's rules of the game type.
  virtual void applySettings() = 0;
  // Whether the form's choices are the game's defaults.
  virtual bool isDefault() const = 0;
};

class CAppDealChooser {
 public:
  virtual ~CAppDealChooser() = default;
  // The number typed becomes the deal of the current game type.
  virtual void applyDealNumber() = 0;
};
