// The framework's face of the platform's controls manager: the key map with
// its reserved keys, the key states, and the names of the keys mapped to a
// control for the key-assignment screens.
#pragma once

#include <cstdint>
#include <memory>

#include "qz_controls.h"
#include "qzf_events.h"
#include "qzf_object.h"

class CQZFControls : public CQZFObject {
 public:
  static constexpr uint16_t kKind = kQZFKindControls;

  // The longest name keyName writes, without the terminator.
  static constexpr int kKeyNameLength = 100;

  explicit CQZFControls(CQZFObject* owner = nullptr);
  ~CQZFControls() override;

  // Starts the controls manager with the launch settings and the
  // application's key-map callback; keyStates 0 makes every key-state query
  // answer 0. On a Pocket PC the game input is opened.
  [[nodiscard]] int16_t init(int keyStates, QZKeyMapCallback defaultKeys);
  // Closes the game input, saves the key map and deletes the manager.
  void shutdown();
  void resetKeyStates();
  // Every key-down and key-up message of the window: the virtual key, the
  // key data and whether the key went down.
  void noteKey(const QZFKeyEvent& key);
  // The name of the first key mapped to the control (at most 100 characters).
  void keyName(char16_t* out, int capacity, int control) const;
  // Up to five keys mapped to the control, the last first, joined with "/".
  void keyNames(char16_t* out, int capacity, int control) const;
  static bool isReservedKey(int key);
  // 2 for a reserved key (never reassigned), else 0.
  int assign(int control, int key, bool exclusive);
  int keyState(int key) const;

 private:
  std::unique_ptr<QZWindowsControlsManager> manager_;
  bool keyStates_ = false;
};
