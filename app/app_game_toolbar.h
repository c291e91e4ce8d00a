// The play screen's toolbar: six command buttons (undo, redo, restart, the
// instructions, a hint, a new deal) over a tray with the battery gauge, and
// the time of day beside it. The keypad reaches it: a key gives it the
// focus, the arrows move its selection and Select runs the selected button.
// The stylus never hits it: taps go to the game.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

class CAppGame;
class CAppPlayServices;
class CQZFGraphics;
class CQZFFontManager;

class CAppGameToolbar {
 public:
  static constexpr int kButtons = 6;
  static constexpr uint16_t kUndo = 683, kRedo = 686, kRestart = 689, kInstructions = 692, kHint = 695,
                            kNewDeal = 701;
  // Forms the buttons open.
  static constexpr int kRestartAlert = 1423, kNewDealAlert = 1422;

  CAppGameToolbar(CAppGame& game, CAppPlayServices& services, CQZFGraphics& graphics);

  // The button order by the game's option byte 7.
  void arrangeButtons();
  bool hitTest(int x, int y) const { return false; }
  bool isFocused() const { return focused_; }
  void setFocused(bool focused);
  void moveSelection(bool forward);
  int selected() const { return selected_; }
  uint16_t buttonImage(int i) const { return buttons_[static_cast<size_t>(i)]; }
  // Presses button n (1-6) and runs its command.
  void pressButton(int n);
  void setPressed(bool pressed);
  bool isPressed() const { return pressed_; }
  void activateSelected();
  // Every frame: a change of undo or redo, a new second of the clock.
  void update(uint32_t secondsInterval);
  void draw(CQZFFontManager* fonts);

 private:
  void runCommand(int index);
  void invalidateButton(int index);
  void invalidateAll();
  int value(int entry) const;

  CAppGame& game_;
  CAppPlayServices& services_;
  CQZFGraphics& graphics_;
  std::array<uint16_t, kButtons> buttons_{};
  int selected_ = 0;
  bool pressed_ = false;
  bool focused_ = false;
  bool undoAvailable_ = false;
  bool redoAvailable_ = false;
};
