// Pellwyn's application object: the launch settings, the start sequence
// (load screen, managers, colour schemes and shared pictures, fonts, the
// player list, the player's profile and the first forms), the stop sequence
// (the player and the list saved), the frame pacing, the menu commands and
// the player switches that forms ask for.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "app_colour_schemes.h"
#include "app_storage_notices.h"
#include "app_title_curve.h"
#include "app_user_manager.h"
#include "qz_app_bridge.h"
#include "qzf_application.h"

class CAppFontManager;
class CAppLoadScreen;
class CAppPreferences;
class CAppUserForm;
class CQZFFormHandler;
class CQZFForm;
struct CAppSettings;

class CAppApplication : public CQZFApplication {
 public:
  // The start's load-screen steps after the framework's.
  static constexpr uint16_t kOwnSteps = 14;
  static constexpr uint16_t kStopSteps = 11;
  static constexpr uint16_t kSelectSound = 4002;
  static constexpr uint16_t kMenuSound = 4001;
  // The song the title screen plays, in the install folder.
  static constexpr const char16_t* kTitleSong = u"title.s3m";
  // Fast frames for this many frames after the start or the last movement.
  static constexpr int kFastFrames = 25;

  CAppApplication();
  ~CAppApplication() override;

  [[nodiscard]] int16_t preInit(const QZFModeTable** out) override;
  std::span<const int16_t> getValueTable(int displayKind) override;
  void onUpdate() override;
  [[nodiscard]] int16_t postUpdate() override;
  void drawFrame() override;
  [[nodiscard]] int16_t registerClasses() override;
  [[nodiscard]] int16_t init() override;
  int16_t shutdown() override;
  // Composes the report and keeps it as the last one; shows nothing.
  void reportError(const char* source, int line, int16_t code) override;

  // A menu item: kind 1 (chosen) plays the menu sound and opens the item's
  // form; 1 when handled, else 2.
  int onMenuCommand(uint16_t item, int kind);
  void playSelectSound();
  void playMenuSound();
  // Starts the title song from its beginning (on) or stops it; nothing
  // without the song. The audio manager keeps the music's volume and mute.
  void playTitleSong(bool on);

  // Opens a form of the registered tag on top: 0, or the handler's status
  // (-9 when no form of the tag can be made).
  [[nodiscard]] int16_t openForm(uint16_t formId, const char* tag, uint32_t param);
  CQZFFormHandler* getFormHandler() const;
  CAppUserForm* getUserForm() const;
  CAppPreferences* getPreferences() const { return preferences_.get(); }
  // The current player's settings; null while no profile is open.
  CAppSettings* getSettings() const { return settings_; }
  void setSettings(CAppSettings* settings) { settings_ = settings; }

  // The look (after a player switch, by the theme and colour forms).
  void applyColourScheme();
  void applyBackground();
  uint16_t getFormColour() const { return schemes_.formColour(settings_); }
  CAppColourSchemes& colourSchemes() { return schemes_; }
  const CAppTitleCurve& getTitleCurve() const { return curve_; }

  CAppUserManager& users() { return users_; }
  // What the player is told about damaged data and failed saves.
  CAppStorageNotices& storageNotices() { return notices_; }
  // The next-game step: the open play screen deals anew, else a play screen
  // of the chosen type over the profile, with the offer of its saved game.
  void startChosenGame();
  // The title screen, the game dial and the statistics fader restart the fast frames.
  void resetStartFrames() { startFrames_ = 0; }
  const std::string& getLastErrorReport() const { return lastError_; }
  // The application's facts for the state dump.
  void describe(std::string& out) const;

 private:
  [[nodiscard]] int16_t fail(int line, int16_t code) { return report(this, "app_application", line, code); }
  void stepLoadScreen();
  [[nodiscard]] int16_t startFonts();
  // Without the song the music is simply not heard (and the sound form
  // offers no music controls).
  void loadTitleSong();
  [[nodiscard]] int16_t loadPreferences(bool* listValid);
  // Rebuilds the player list from the databases found and opens the first forms.
  void chooseStartForm(bool listValid);
  void listPlayers();
  // Saves the player, the list and the settings database; a failure is told.
  void saveAtStop();
  void takeProfile();
  void closeLoadScreen();
  void describeMusic(std::string& out) const;
  void describeStatistics(uint32_t type, std::string& out) const;

  std::unique_ptr<CAppLoadScreen> loadScreen_;
  std::unique_ptr<CAppFontManager> fonts_;
  std::unique_ptr<CQZFControls> controls_;
  std::unique_ptr<CAppPreferences> preferences_;
  CAppSettings* settings_ = nullptr;
  CAppColourSchemes schemes_;
  CAppTitleCurve curve_;
  CAppUserManager users_;
  CAppStorageNotices notices_;
  int startFrames_ = 0;
  uint32_t frames_ = 0;
  bool lastFrameWhole_ = false;
  std::string lastError_;
};

// The application's hooks for the platform layer.
QZApplicationHooks AppApplicationHooks();

class QZControlsManager;
// The default key map the controls manager takes from the application: up
// and down, then left, right and action on the direction pad and its centre
// key where the device has them, else on the first three hardware buttons.
// Returns 0: the manager's built-in map is not used.
int AppSetupKeyMap(QZControlsManager& controls);
