// The game engine's window on the application: the player's settings (a
// game copy of the profile's settings, taken when the play screen opens and
// written back after every frame), the display's layout values, the clock,
// sounds, the result books, deal numbers, saved games and the forms the game
// opens.
#pragma once

#include "app_game_services.h"

class CAppApplication;
class CAppUserForm;
struct CAppSettings;

class CAppPlayServices : public CAppGameServices {
 public:
  CAppPlayServices(CAppApplication& app, CAppUserForm& profile);

  // The profile's settings into the game's block; what the game changed of
  // them back to the profile.
  void pullSettings();
  void pushSettings();

  AppGameSettings& settings() override { return settings_; }
  int16_t value(int entry) const override;
  // Layout units are the pixels of the screen in use.
  int32_t toLayoutX(int32_t pixels) const override { return pixels; }
  int32_t toLayoutY(int32_t pixels) const override { return pixels; }
  int32_t toPixelX(int32_t layout) const override { return layout; }
  int32_t toPixelY(int32_t layout) const override { return layout; }
  uint32_t now() const override;
  int random(int n) override;
  void playSound(int id, int pan, int pitch, int volume, int priority) override;
  void recordGameResult(int32_t type, int won, uint32_t elapsed, uint16_t hints, uint16_t undoCount) override;
  void advanceDealNumber(int slot) override;
  void discardSavedGame(int slot) override;
  void openForm(int formId, int32_t param) override;
  int topFormId() const override;
  void resetIdleCounter() override;
  void chooseBackground() override;
  void reportError(const char* source, int line, int16_t code) override;

 private:
  CAppApplication& app_;
  CAppUserForm& profile_;
  AppGameSettings settings_;
  // The block as last taken from or given to the profile.
  AppGameSettings taken_;
};

// The game layout entry of the value table for a 240 x 320 screen (cards of
// the card art's two sizes); 0 for an entry that is not a game layout value.
int16_t AppGameLayoutValue(int entry);
