// Small services of the platform layer: time, the random source, language,
// display orientation and the orientation word, the state words, device
// queries, folders, the program's windows and soft-key bars.
#pragma once

#include <cstdint>
#include <string>

#include "qz_types.h"
#include "wince/types.h"

// Hundredths of a second since boot.
uint32_t QZGetTicks();
// The C library's generator modulo n; 0 when n is 0.
int QZRandom(int n);
void QZSeedRandom(uint32_t seed);

// Language id from a primary language of the system's user language.
uint16_t QZLanguageFromPrimary(int primaryLanguage);
void QZSetLanguage(uint16_t id);
uint16_t QZGetLanguage();
void QZSetLanguageFromSystem();
// Letters, digits and "*-._" kept, a blank as "+", any other unit as "%XX".
std::u16string QZURLEncode(const std::u16string& text);
// A code above 0x0FFFFFFF as its four characters between apostrophes, else decimal.
std::u16string QZDeviceIDToText(uint32_t id);
uint32_t QZGetDeviceID();

struct QZBatteryStatus {
  uint16_t level;    // 1 high, 2 low, 3 critical, 4 charging, 5 no battery, 0 other
  uint16_t percent;  // 0-100; unknown reads as 1
};
void QZGetBatteryStatus(QZBatteryStatus* out);
uint32_t QZGetFreeMemory();


// The {current, requested} state words of the system preferences (512 by
// default; a requested 256 ends the program).
void QZSetState(int32_t state);  // both words
int32_t QZGetState();
int32_t QZGetRequestedState();
// 1 when the requested word differs from the current one.
int QZIsStateChanged();
// Copies the requested word to the current one; 1 when it changed.
int QZTakeStateChange();
// 1 when the current word has any of the bits.
int QZTestStateBits(int32_t bits);

// The system information's processor type; 1 unless that type is 586.
uint32_t QZGetProcessorType();
int QZIsNotProcessor586();
// 0 on this platform.
uint32_t QZGetDeviceCompanyID();

// Creates every folder along a device path of at least two characters
// ("\" separated; the first character is not looked at). 0 when the last
// folder exists or was created, else -1.
QZStatus QZCreateDirectoryPath(const char16_t* path);
// The first top-level window of the main window's thread that is visible,
// enabled and may be activated; null when there is none.
HWND QZFindProgramWindow(HWND main);

constexpr int QZ_MAX_MENU_BARS = 10;
constexpr int QZ_MENU_BAR_BASE_ID = 7800;
constexpr int QZ_MENU_BAR_COMMAND_BASE = 120;
// Soft-key bars 7800 + n for n below count (at most QZ_MAX_MENU_BARS) on the
// main window, replacing any made before; the first becomes the current
// bar. 0, or -1 when a bar cannot be made (those made before it stay).
QZStatus QZCreateMenuBars(int count);
// Hides every bar, shows bar number command - 120, which becomes the current
// bar, and the main window. -1 (nothing changed) for a bar that does not exist.
QZStatus QZShowMenuBar(int command);
HWND QZGetCurrentMenuBar();
// Destroys the bars made by QZCreateMenuBars.
void QZDestroyMenuBars();
