#include "qz_controls.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "qz_display.h"
#include "qz_lifecycle.h"
#include "qz_preferences.h"
#include "wince/registry.h"
#include "wince/shell.h"
#include "wince/system.h"
#include "wince/window.h"

namespace {

constexpr int kReturn = 13;
constexpr int kReturnTwin = 134;

bool isDown(int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; }

// Keys the poll leaves alone: mouse buttons, the soft keys and the others
// the system reports through messages only.
bool isPolled(int vk) { return vk > 4 && vk != 33 && vk != 91 && vk != 112 && vk != 113 && vk != kReturnTwin; }

uint16_t deviceFamilyCode() { return QZGetDeviceType(); }
bool isPocketPc(uint16_t type) { return type >= 768 && type <= 1023; }
bool isSmartphone(uint16_t type) { return type >= 1024 && type <= 1279; }

int readTwin(const char16_t* key, const char16_t* name) {
  HKEY handle;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, key, 0, 0, &handle) != ERROR_SUCCESS) return -1;
  char16_t text[64] = {};
  DWORD size = sizeof text - sizeof(char16_t);
  DWORD type = 0;
  const bool found = RegQueryValueEx(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS &&
                     type == REG_SZ;
  RegCloseKey(handle);
  return found ? QZWindowsControlsManager::parseTwinValue(text) : -1;
}

const char16_t kPhoneDigits[] = u"Software\\Microsoft\\Shell\\PhoneKeyMatch\\PhoneDigits";
const char16_t kKeyboardMappings[] = u"Security\\Phone\\PhoneKeyMatch\\KeyboardMappings";

}  // namespace

int16_t QZControlsManager::init(const QZApplicationConfig*, QZKeyMapCallback callback) {
  callback_ = callback;
  buttonCount_ = static_cast<int16_t>(countButtons());
  return 0;
}

int16_t QZWindowsControlsManager::init(const QZApplicationConfig* settings, QZKeyMapCallback callback) {
  QZControlsManager::init(settings, callback);
  std::memset(map_, QZ_NO_CONTROL, sizeof map_);
  std::memset(states_, kQZKeyUp, sizeof states_);
  for (int vk = 5; vk < 256; ++vk) {
    if (vk != 33 && isDown(vk)) states_[vk] = kQZKeyHeldAtStart;
  }
  current_ = previous_ = 0;
  loadMap();
  return 0;
}

int16_t QZWindowsControlsManager::shutdown() {
  closeInput(0);
  return saveMap();
}

int QZWindowsControlsManager::countButtons() { return isSmartphone(deviceFamilyCode()) ? 5 : 4; }

void QZWindowsControlsManager::fillBuiltInDefaults() {
  map_[37] = 2;
  map_[39] = 3;
  map_[40] = 1;
  map_[38] = 0;
  map_[kReturn] = 8;
  const uint16_t type = deviceFamilyCode();
  if (isPocketPc(type)) {
    for (int i = 0; i < 4; ++i) map_[193 + i] = static_cast<uint8_t>(4 + i);
  } else if (isSmartphone(type)) {
    const struct {
      char key;
      uint8_t control;
    } keypad[] = {{'1', 4}, {'3', 5}, {'7', 6}, {'9', 7}, {'4', 2}, {'6', 3}, {'8', 1}, {'2', 0}, {'5', 8}};
    for (const auto& k : keypad) map_[static_cast<uint8_t>(k.key)] = k.control;
  }
}

int16_t QZWindowsControlsManager::defaultMap() {
  std::memset(map_, QZ_NO_CONTROL, sizeof map_);
  if (QZControlsManager::defaultMap() != 2) return 0;
  fillBuiltInDefaults();
  return 0;
}

int16_t QZWindowsControlsManager::loadMap() {
  defaultMap();
  uint8_t stored[256];
  if (QZGetPreferencesSize(QZ_KEY_MAP_PREFERENCES_ID, true) != sizeof stored ||
      QZReadPreferences(QZ_KEY_MAP_PREFERENCES_ID, true, stored, sizeof stored) != QZ_OK) {
    return QZ_ERR_GENERAL;
  }
  std::memcpy(map_, stored, sizeof map_);
  return 0;
}

int16_t QZWindowsControlsManager::saveMap() {
  return QZWritePreferences(QZ_KEY_MAP_PREFERENCES_ID, true, map_, sizeof map_) == QZ_OK ? 0 : QZ_ERR_GENERAL;
}

void QZWindowsControlsManager::poll() {
  for (int vk = 0; vk < 256; ++vk) {
    if (!isPolled(vk)) continue;
    const bool down = isDown(vk) || (vk == kReturn && isDown(kReturnTwin));
    uint8_t& s = states_[vk];
    if (s == kQZKeyHeldAtStart) {
      if (!down) s = kQZKeyUp;
    } else if (s != kQZKeyPressed) {
      s = down ? kQZKeyDown : kQZKeyUp;
    }
  }
  uint32_t mask = 0;
  for (int vk = 0; vk < 256; ++vk) {
    const uint8_t s = states_[vk];
    if ((s == 1 || s == kQZKeyPressed || s == kQZKeyDown) && map_[vk] < 32) mask |= 1u << map_[vk];
  }
  setMasks(mask);
  for (uint8_t& s : states_) {
    if (s == kQZKeyPressed) s = kQZKeyDown;
  }
}

void QZWindowsControlsManager::noteKeyDown(int virtualKey, uint32_t, int down) {
  if (down != 1) return;
  if ((virtualKey >= 193 && virtualKey <= 196) || virtualKey == kReturn) states_[virtualKey] = kQZKeyPressed;
}

void QZWindowsControlsManager::resetKeyStates() { std::memset(states_, kQZKeyUp, sizeof states_); }

int QZWindowsControlsManager::defaultKey(int standardKey) {
  static const uint8_t keys[] = {38, 40, 193, 194, 195, 196, 13, 37, 39};
  return standardKey >= 0 && standardKey < 9 ? keys[standardKey] : 255;
}

void QZWindowsControlsManager::assign(int control, int virtualKey, bool exclusive) {
  if (virtualKey < 0 || virtualKey > 255) return;
  if (exclusive) {
    for (uint8_t& entry : map_) {
      if (entry == control) entry = QZ_NO_CONTROL;
    }
  }
  map_[virtualKey] = static_cast<uint8_t>(control);
}

void QZWindowsControlsManager::assignWithTwin(int virtualKey, int control) {
  if (virtualKey < 0 || virtualKey > 255) return;
  if (phoneTwins_) {
    const int twin = phoneTwin(virtualKey);
    if (twin > 0 && twin < 256) map_[twin] = static_cast<uint8_t>(control);
  }
  map_[virtualKey] = static_cast<uint8_t>(control);
}

int QZWindowsControlsManager::firstKey(int control) {
  for (int vk = 0; vk < 256; ++vk) {
    if (map_[vk] == control) return vk;
  }
  return 0;
}

int QZWindowsControlsManager::keysOf(int control, int maximum, uint8_t* out) {
  int n = 0;
  for (int vk = 0; vk < 256 && n < maximum; ++vk) {
    if (map_[vk] == control) out[n++] = static_cast<uint8_t>(vk);
  }
  return n;
}

int QZWindowsControlsManager::keyState(int virtualKey) {
  return virtualKey >= 0 && virtualKey < 256 ? states_[virtualKey] : 0;
}

void QZWindowsControlsManager::openInput() { GXOpenInput(); }

int QZWindowsControlsManager::closeInput(int value) {
  GXCloseInput();
  return value;
}

int QZWindowsControlsManager::parseTwinValue(const char16_t* text) {
  const char16_t* p = text;
  if (p[0] == u'0' && (p[1] == u'x' || p[1] == u'X')) p += 2;
  int value = 0, digits = 0;
  for (; *p && *p != u','; ++p, ++digits) {
    const char16_t c = *p;
    int d;
    if (c >= u'0' && c <= u'9') d = c - u'0';
    else if (c >= u'a' && c <= u'f') d = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F') d = c - u'A' + 10;
    else return 0;
    if (value > 0xFFFF) return 0;
    value = value * 16 + d;
  }
  return digits ? value : 0;
}

int QZWindowsControlsManager::phoneTwin(int virtualKey) {
  int twin = 0;
  const char16_t character[2] = {static_cast<char16_t>(virtualKey), 0};
  if (const int v = readTwin(kPhoneDigits, character); v >= 0) twin = v;
  char name[3];
  std::snprintf(name, sizeof name, "%02x", virtualKey & 0xFF);
  const char16_t code[3] = {static_cast<char16_t>(name[0]), static_cast<char16_t>(name[1]), 0};
  if (const int v = readTwin(kKeyboardMappings, code); v >= 0) twin = v;
  return twin;
}

int QZWindowsControlsManager::hasPhoneKeyMatch() {
  for (const char16_t* key : {kPhoneDigits, kKeyboardMappings}) {
    HKEY handle;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, key, 0, 0, &handle) == ERROR_SUCCESS) {
      RegCloseKey(handle);
      return 1;
    }
  }
  return 0;
}
