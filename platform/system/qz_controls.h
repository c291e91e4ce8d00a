// The controls manager: maps the device's keys to the game's abstract
// controls (0 up, 1 down, 2 left, 3 right, 4-7 the hardware buttons, 8
// action) and keeps the state of every key. The key map is stored as a
// preference block.
#pragma once

#include <cstdint>

#include "qz_app_bridge.h"
#include "qz_types.h"

constexpr uint16_t QZ_KEY_MAP_PREFERENCES_ID = 0x434D;  // "CM"
constexpr uint8_t QZ_NO_CONTROL = 255;

// Key states.
enum QZKeyState : uint8_t {
  kQZKeyUp = 0,
  kQZKeyPressed = 2,   // a key-down message since the last poll
  kQZKeyDown = 3,
  kQZKeyHeldAtStart = 4,  // down since start-up: ignored until released
};

class QZControlsManager;

// The application's key-map callback: fills the default map through the
// manager it is given, or returns 2 to let the built-in defaults stand.
using QZKeyMapCallback = int (*)(QZControlsManager& manager);

class QZControlsManager {
 public:
  virtual ~QZControlsManager() = default;
  virtual int16_t init(const QZApplicationConfig* settings, QZKeyMapCallback callback);
  virtual int16_t shutdown() { return 0; }
  virtual int16_t defaultMap() { return callback_ ? static_cast<int16_t>(callback_(*this)) : 2; }
  virtual int16_t loadMap() = 0;
  virtual int16_t saveMap() = 0;
  virtual void poll() = 0;
  virtual void setMasks(uint32_t mask) {
    previous_ = current_;
    current_ = mask;
  }
  virtual int isAvailable() { return 1; }
  virtual int defaultKey(int standardKey) = 0;
  virtual void assignWithTwin(int virtualKey, int control) = 0;
  virtual void assign(int control, int virtualKey, bool exclusive) = 0;
  virtual int firstKey(int control) = 0;
  virtual int keysOf(int control, int maximum, uint8_t* out) = 0;
  virtual int keyState(int virtualKey) = 0;
  virtual void openInput() {}
  virtual int closeInput(int value) { return value; }
  virtual int countButtons() = 0;

  uint32_t getCurrentMask() const { return current_; }
  uint32_t getPreviousMask() const { return previous_; }
  int getButtonCount() const { return buttonCount_; }

 protected:
  uint32_t current_ = 0;
  uint32_t previous_ = 0;
  int16_t buttonCount_ = 4;
  QZKeyMapCallback callback_ = nullptr;
};

class QZWindowsControlsManager : public QZControlsManager {
 public:
  int16_t init(const QZApplicationConfig* settings, QZKeyMapCallback callback) override;
  int16_t shutdown() override;
  int16_t defaultMap() override;
  int16_t loadMap() override;
  int16_t saveMap() override;
  void poll() override;
  int defaultKey(int standardKey) override;
  void assignWithTwin(int virtualKey, int control) override;
  void assign(int control, int virtualKey, bool exclusive) override;
  int firstKey(int control) override;
  int keysOf(int control, int maximum, uint8_t* out) override;
  int keyState(int virtualKey) override;
  void openInput() override;
  int closeInput(int value) override;
  int countButtons() override;

  void noteKeyDown(int virtualKey, uint32_t keyData, int isDown);
  void resetKeyStates();
  void setPhoneTwins(bool on) { phoneTwins_ = on; }
  // The phone-keypad twin of a key from the system's key-match tables; 0 for none.
  static int phoneTwin(int virtualKey);
  static int hasPhoneKeyMatch();
  // A twin value's text: an optional 0x prefix, then hexadecimal digits up
  // to a comma or the end; 0 for anything else.
  static int parseTwinValue(const char16_t* text);
  uint8_t mapEntry(int virtualKey) const { return virtualKey >= 0 && virtualKey < 256 ? map_[virtualKey] : QZ_NO_CONTROL; }

 private:
  void fillBuiltInDefaults();

  uint8_t map_[256] = {};
  uint8_t states_[256] = {};
  bool phoneTwins_ = false;
};
