// What the shell was asked, for the launcher's state dump and the tests
// (programs use wince/shell.h); input-method text from the back ends.
#pragma once

#include <string>
#include <vector>

#include "wince/shell.h"

namespace wince {

struct MessageBoxRecord {
  std::u16string text;
  std::u16string caption;
  UINT type;
  int answer;  // 0 while the box is open
};
const std::vector<MessageBoxRecord>& messageBoxLog();

// What the shell calls were last asked.
struct ShellState {
  bool taskBarHidden = false;
  bool sipButtonHidden = false;
  bool startIconHidden = false;
  HWND fullScreenWindow = nullptr;  // last SHFullScreen target
  DWORD commonControls = 0;         // ICC_* classes asked for so far
  bool gameInputOpen = false;
  DWORD inputMode = 0;              // last IME_ESC_SET_MODE value
  int dialogsInitialised = 0;       // SHInitDialog calls
  int sipPreference = SIP_UNCHANGED;  // last SHSipPreference state
  DWORD doneButton = 0;             // last SHDoneButton state
  std::u16string navBarText;        // last SHSetNavBarText text
  int outOfMemoryShown = 0;         // SHShowOutOfMemory calls
  int gesturesAsked = 0;            // SHRecognizeGesture calls
};
const ShellState& shellState();

// The icons in the notification area, in the order they were added.
struct TrayIcon {
  HWND window;
  UINT id;
  UINT callbackMessage;
  HICON icon;
  std::u16string tip;
};
const std::vector<TrayIcon>& trayIcons();

// The soft-key bar owned by `owner` (the last one made), or null.
HWND menuBarOf(HWND owner);

// Clears the records above (message boxes and tray icons too) and forgets
// every bar (tests).
void resetShell();

// Text from the device's input method: it becomes the result string of the
// composition of the window that takes keys (the focus window, else the
// active one), which then gets WM_IME_COMPOSITION with GCS_RESULTSTR. Posted
// like a key: the program reads the result before the next input comes.
// Nothing happens for empty text or without such a window.
void injectComposition(const std::u16string& text);

}  // namespace wince
