// The settings database "<title>-Settings" (type 'PREF'): one resource per
// preference block, and the platform's own system preferences.
#pragma once

#include <cstdint>

#include "qz_types.h"

class CQZResourceDatabase;

constexpr uint32_t QZ_PREFERENCES_TYPE = QZFourCC("PREF");
constexpr uint16_t QZ_SYSTEM_PREFERENCES_ID = 0x515A;  // "QZ"
constexpr uint16_t QZ_SYSTEM_UNSAVED_SIZE = 12;
constexpr uint16_t QZ_SYSTEM_SAVED_SIZE = 200;
// The window title must leave room for "-Settings" in a 31-character name.
constexpr uint32_t QZ_MAX_TITLE_CHARS = 22;

// The resource type of a block: (id << 16) | "SA" when saved, | "UN" when not.
constexpr uint32_t QZPreferencesType(uint16_t id, bool saved) {
  return (static_cast<uint32_t>(id) << 16) | (saved ? 0x5341u : 0x554Eu);
}

// Sets the window title and creator that name the settings database; start-up
// calls it before QZOpenPreferences.
void QZSetPreferencesOwner(const char16_t* title, uint32_t creator);

// The settings database object (exists for the whole run).
CQZResourceDatabase* QZGetPreferencesDatabase();

// The record checksum over bytes 4..length-1 of a record.
uint32_t QZComputePreferencesChecksum(const uint8_t* record, uint32_t length);

// Opens the settings database; creates it when there is none. A damaged one
// is moved aside first, never overwritten.
QZStatus QZOpenPreferences();
QZStatus QZClosePreferences();
uint16_t QZGetPreferencesSize(uint16_t id, bool saved);
// 0 when the stored block has exactly size bytes and all were copied; else -1.
QZStatus QZReadPreferences(uint16_t id, bool saved, void* buffer, uint16_t size);
// Replaces the block; a failed write keeps the old one.
QZStatus QZWritePreferences(uint16_t id, bool saved, const void* buffer, uint16_t size);
// withChecksum: stores the checksum in the first 4 bytes (little-endian)
// before writing; -1 for a block shorter than 4 bytes.
QZStatus QZSetPreferences(uint16_t id, bool saved, void* buffer, uint16_t size, bool withChecksum);
// withChecksum: -1 unless the first 4 bytes hold the block's checksum.
QZStatus QZGetPreferences(uint16_t id, bool saved, void* buffer, uint16_t size, bool withChecksum);

// The system preferences: the unsaved 12-byte block and the saved 200-byte
// block, kept as fields.
struct QZSystemPreferences {
  int16_t idleInterval = 10;
  int16_t tickInterval = -1;
  int32_t currentState = 512;
  int32_t requestedState = 512;
  int32_t soundMode = 0;
  uint8_t firstStartDone = 0;
  uint8_t volumesSet = 0;
  uint16_t musicVolume = 0;
  uint16_t effectsVolume = 0;
  uint8_t musicOff = 0;
  uint8_t effectsOff = 0;
  uint16_t language = 0;
  uint16_t orientation = 0;
};

QZSystemPreferences& QZGetSystemPreferences();
QZStatus QZLoadSystemPreferences();
QZStatus QZSaveSystemPreferences();
