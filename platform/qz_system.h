// Small services of the platform layer: time, the random source, language
// and the orientation word.
#pragma once

#include <cstdint>
#include <string>

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
uint16_t QZGetOrientation();
void QZSetOrientation(uint16_t value);

// Display orientation: 1 = 0 degrees, 2 = 90, 3 = 180, 4 = 270.
// 0 success, -1 failure, 2 for any other value.
int QZSetDisplayOrientation(int orientation);
// The current orientation (1-4), 0 when unknown.
int QZGetDisplayOrientation();
// 5 square, 1 taller than wide, 2 wider than tall.
int QZCompareShape(int width, int height);

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
