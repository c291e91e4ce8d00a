// What the game engine needs of the application: the user's settings block,
// the layout values of the display, the clock, the platform random source,
// sounds, the result books, the deal numbers and saved games, the forms the
// game opens and the error report. The application implements it; tests and
// tools use the plain stand-in below.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app_game_settings.h"

// Layout values the engine reads (entries of the display's value table).
enum AppLayoutValue : int {
  kValueHomeToleranceY = 76,
  kValueHomeToleranceX = 77,
  kValueMaxGap = 82,
  kValueFanStep = 83,
  kValueGrabY = 84,
  kValueWasteFanStep = 85,
  kValueGrabX = 86,
  kValueSmallFrameOffset = 89,
  kValueSmallFrameHeight = 90,
  kValueSmallFrameWidth = 91,
  kValueFrameOffset = 92,
  kValueFrameHeight = 93,
  kValueFrameWidth = 94,
  kValueSmallCardHeight = 95,
  kValueSmallCardWidth = 96,
  kValueCardHeight = 97,
  kValueCardWidth = 98,
  kValueAreaWidth = 99,
  kValueAreaHeight = 100,
  kValueMargin = 101,
  kValueTop = 102,
  kValuePreviewMaxGap = 143,
  kValuePreviewMargin = 144,
  kValuePreviewCardHeight = 145,
  kValuePreviewCardWidth = 146,
  kValuePreviewAreaHeight = 147,
  kValuePreviewAreaWidth = 148,
  kValueLabelHeight = 206,
  kValueExtraTop = 209,
  kValueScreenHeight = 211,
  kValueScreenWidth = 212,
};

// Forms the game opens.
enum AppGameForm : int {
  kFormPlayScreen = 1010,
  kFormTutorial = 1180,
  kFormGameOver = 1380,
  kFormInstructions = 1421,
};

class CAppGameServices {
 public:
  virtual ~CAppGameServices() = default;

  virtual AppGameSettings& settings() = 0;
  // A layout value of the current display; 0 for an entry the table lacks.
  virtual int16_t value(int entry) const = 0;
  // Pixels to layout units and back (the application's scaling pairs).
  virtual int32_t toLayoutX(int32_t pixels) const = 0;
  virtual int32_t toLayoutY(int32_t pixels) const = 0;
  virtual int32_t toPixelX(int32_t layout) const = 0;
  virtual int32_t toPixelY(int32_t layout) const = 0;
  // The application clock in hundredths of a second.
  virtual uint32_t now() const = 0;
  // The platform random source: 0 .. n - 1, 0 for n = 0 (never the deal generator).
  virtual int random(int n) = 0;
  virtual void playSound(int id, int pan, int pitch, int volume, int priority) = 0;
  virtual void recordGameResult(int32_t type, int won, uint32_t elapsed, uint16_t hints, uint16_t undoCount) = 0;
  // slot = game type - 1.
  virtual void advanceDealNumber(int slot) = 0;
  virtual void discardSavedGame(int slot) = 0;
  // Opens a form (the instructions take the game type as the parameter).
  virtual void openForm(int formId, int32_t param) = 0;
  virtual int topFormId() const = 0;
  // The frame-rate idle counter: 0 while anything moves.
  virtual void resetIdleCounter() = 0;
  // A new deal: the card back is chosen again (a random choice draws anew).
  virtual void chooseBackground() = 0;
  virtual void reportError(const char* source, int line, int16_t code) = 0;
};

// A stand-in with its own settings block, the layout values of a 240 x 320
// screen, a clock that callers set, a seeded random source, and a record of
// every call the game makes.
class CAppPlainGameServices : public CAppGameServices {
 public:
  struct Sound {
    int id, pitch, volume;
  };
  struct Result {
    int32_t type;
    int won;
    uint32_t elapsed;
    uint16_t hints, undoCount;
  };
  struct Error {
    std::string source;
    int line;
    int16_t code;
  };

  CAppPlainGameServices();

  AppGameSettings& settings() override { return settings_; }
  int16_t value(int entry) const override;
  int32_t toLayoutX(int32_t pixels) const override { return pixels; }
  int32_t toLayoutY(int32_t pixels) const override { return pixels; }
  int32_t toPixelX(int32_t layout) const override { return layout; }
  int32_t toPixelY(int32_t layout) const override { return layout; }
  uint32_t now() const override { return now_; }
  int random(int n) override;
  void playSound(int id, int pan, int pitch, int volume, int priority) override;
  void recordGameResult(int32_t type, int won, uint32_t elapsed, uint16_t hints, uint16_t undoCount) override;
  void advanceDealNumber(int slot) override;
  void discardSavedGame(int slot) override { discarded.push_back(slot); }
  void openForm(int formId, int32_t param) override { forms.push_back(formId); }
  int topFormId() const override { return topForm; }
  void resetIdleCounter() override { ++idleResets; }
  void chooseBackground() override { ++backgroundChoices; }
  void reportError(const char* source, int line, int16_t code) override { errors.push_back({source, line, code}); }

  void setValue(int entry, int16_t v);
  void setTime(uint32_t t) { now_ = t; }
  void advanceTime(uint32_t dt) { now_ += dt; }
  // Turns every game type's animations and automatic moves off: what the
  // tools and most tests want.
  void stillPlay();

  std::vector<Sound> sounds;
  std::vector<Result> results;
  std::vector<int> discarded;
  std::vector<int> forms;
  std::vector<Error> errors;
  int topForm = kFormPlayScreen;
  int idleResets = 0;
  int backgroundChoices = 0;

 private:
  AppGameSettings settings_;
  std::vector<int16_t> values_;
  uint32_t now_ = 100000;
  uint32_t randomState_ = 12345;
};
