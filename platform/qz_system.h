// Small services of the platform layer: time, the random source, language
// and the orientation word.
#pragma once

#include <cstdint>

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
