#include "qz_system.h"

#include <cstdlib>

#include "qz_preferences.h"
#include "wince/clock.h"
#include "wince/system.h"

uint32_t QZGetTicks() { return GetTickCount() / 10; }

int QZRandom(int n) { return n == 0 ? 0 : std::rand() % n; }

void QZSeedRandom(uint32_t seed) { std::srand(seed); }

uint16_t QZLanguageFromPrimary(int primaryLanguage) {
  switch (primaryLanguage) {
    case 7: return 1031;
    case 10: return 1034;
    case 12: return 1036;
    case 16: return 1040;
    case 22: return 1046;
    default: return 1033;
  }
}

void QZSetLanguage(uint16_t id) { QZGetSystemPreferences().language = id; }
uint16_t QZGetLanguage() { return QZGetSystemPreferences().language; }
void QZSetLanguageFromSystem() { QZSetLanguage(QZLanguageFromPrimary(GetUserDefaultLangID() & 0x3FF)); }
uint16_t QZGetOrientation() { return QZGetSystemPreferences().orientation; }
void QZSetOrientation(uint16_t value) { QZGetSystemPreferences().orientation = value; }
