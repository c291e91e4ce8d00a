// The settings database "<title>-Settings" (type 'PREF'): one resource per
// preference block, and the platform's own system preferences.
#pragma once

#include <cstdint>
#include <string>

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

// Opens the settings database; creates it when there is none. A file of its
// name that cannot be opened is kept as a numbered copy first (never over
// an older one) and only then replaced; when no copy can be made it stays
// as it is and the status is returned.
QZStatus QZOpenPreferences();
// Saves and closes; a damaged database of which no copy could be made is
// closed without saving, so it is never overwritten.
QZStatus QZClosePreferences();
// Writes the open database to its file now (as the close will); -1 when it
// is not open, may not be overwritten or the write fails.
QZStatus QZSavePreferencesFile();
// Something stored in the settings database could not be read: a copy of
// the file is kept aside (once per opening) before anything is written.
void QZNotePreferencesDamage();
// Whether damage was noted since the last call (each damage is told once);
// copyOut is the device path of the copy kept aside, empty when none could
// be made.
bool QZTakePreferencesDamage(std::u16string& copyOut);
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
