// The values that cross the framework's boundary with every input event: the
// answer of an event handler, a pen event and a key event.
#pragma once

#include <cstdint>

// What an event handler answers: kDone when it handled the event, kPassOn
// when the next receiver should be offered it, or a negative status (made
// with handledStatus) when it failed.
enum class Handled : int16_t { kDone = 1, kPassOn = 2 };

constexpr Handled handledStatus(int16_t status) { return static_cast<Handled>(status); }
constexpr int16_t toStatus(Handled result) { return static_cast<int16_t>(result); }
constexpr bool isPassedOn(Handled result) { return result == Handled::kPassOn; }

// What the stylus did. Other values pass through unchanged (the window
// reports a drag with only the right button down as 16).
enum class QZFPenType : int16_t { kUp = 0, kDown = 1, kMove = 2, kRightDrag = 16 };

struct QZFPenEvent {
  QZFPenType type = QZFPenType::kUp;
  int16_t x = 0;
  int16_t y = 0;

  static constexpr QZFPenEvent make(int type, int x, int y) {
    return {static_cast<QZFPenType>(type), static_cast<int16_t>(x), static_cast<int16_t>(y)};
  }
  // The same event at a point moved by (-dx, -dy): into a rectangle's frame.
  constexpr QZFPenEvent relativeTo(int dx, int dy) const {
    return {type, static_cast<int16_t>(x - dx), static_cast<int16_t>(y - dy)};
  }
};

// Key codes the framework itself acts on.
enum QZFKeyCode : int32_t {
  kQZFKeyNone = 0,
  kQZFKeyTab = 9,
  kQZFKeyReturn = 13,
  kQZFKeyBack = 27,
  kQZFKeyLeft = 37,
  kQZFKeyUp = 38,
  kQZFKeyRight = 39,
  kQZFKeyDown = 40,
  kQZFKeySoftLeft = 112,
  kQZFKeySoftRight = 113,
  kQZFKeyMenu = 261,
  kQZFKeyBackTab = 0xA003,
};

// A key (keyDown true: a key code) or a character (keyDown false: its code
// point), with the value the sender adds (0 from the user interface; the
// window's key data for the controls).
struct QZFKeyEvent {
  int32_t code = 0;
  int32_t value = 0;
  bool keyDown = false;

  static constexpr QZFKeyEvent key(int32_t code, int32_t value = 0) { return {code, value, true}; }
  static constexpr QZFKeyEvent character(int32_t code) { return {code, 0, false}; }
};
