// What the alerts ask of the forms that open them: the deal chooser applies
// its deal number. Such forms implement this; an alert finds them open on the
// form stack.
#pragma once

class CAppDealChooser {
 public:
  virtual ~CAppDealChooser() = default;
  // The number typed becomes the deal of the current game type.
  virtual void applyDealNumber() = 0;
};
