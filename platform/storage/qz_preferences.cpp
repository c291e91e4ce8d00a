#include "qz_preferences.h"

#include <cstring>
#include <memory>
#include <string>

#include "base/byte_order.h"
#include "qz_core_database.h"
#include "qz_file_access.h"
#include "qz_resource_database.h"

namespace {

constexpr uint32_t kSoundModeOffset = 152;
constexpr uint32_t kFirstStartOffset = 172;
constexpr uint32_t kVolumesSetOffset = 176;
constexpr uint32_t kMusicVolumeOffset = 178;
constexpr uint32_t kEffectsVolumeOffset = 180;
constexpr uint32_t kMusicOffOffset = 182;
constexpr uint32_t kEffectsOffOffset = 183;
constexpr uint32_t kLanguageOffset = 194;
constexpr uint32_t kOrientationOffset = 196;
constexpr int32_t kSoundModeUnknown = 3;

struct PreferencesOwner {
  std::u16string title;
  uint32_t creator = 0;
};

PreferencesOwner& owner() {
  static PreferencesOwner value;
  return value;
}

std::u16string settingsName() { return owner().title + u"-Settings"; }

// What was found damaged in the open settings database.
struct Damage {
  bool noted = false;    // a copy was tried since the database opened
  bool toTell = false;   // not yet taken by the application
  bool keepFile = false; // no copy could be made: the file is never written
  std::u16string copy;
};

Damage& damage() {
  static Damage value;
  return value;
}

// Keeps a copy of the damaged file; false when none could be made.
bool keepCopyOfDamaged() {
  Damage& d = damage();
  d.toTell = true;
  if (d.noted) return !d.keepFile;
  d.noted = true;
  std::u16string path;
  CQZCoreDatabaseWin32 finder;
  const std::u16string name = settingsName();
  d.keepFile = !finder.findFileByName(name.c_str(), path) || !QZFileKeepCopy(path, d.copy);
  return !d.keepFile;
}

}  // namespace

void QZSetPreferencesOwner(const char16_t* title, uint32_t creator) {
  owner().title = title == nullptr ? u"" : title;
  owner().creator = creator;
}

CQZResourceDatabase* QZGetPreferencesDatabase() {
  static const std::unique_ptr<CQZResourceDatabase> database(QZNewResourceDatabase());
  return database.get();
}

uint32_t QZComputePreferencesChecksum(const uint8_t* record, uint32_t length) {
  uint32_t h = 666;
  for (uint32_t i = 4; i < length; ++i) h += ((record[i] ^ i ^ 0xA5u) * 31u) + i;
  return h ^ 0xA965965Au;
}

QZStatus QZOpenPreferences() {
  CQZResourceDatabase* db = QZGetPreferencesDatabase();
  if (db == nullptr) return QZ_ERR_NO_MEMORY;
  if (owner().title.size() > QZ_MAX_TITLE_CHARS) return QZ_ERR_GENERAL;
  damage() = Damage{};
  const std::u16string name = settingsName();
  const uint32_t creator = owner().creator;
  QZStatus status = db->open(name.c_str(), creator, QZ_PREFERENCES_TYPE, false, false);
  if (status == QZ_OK) {
    if (!db->isWhole()) keepCopyOfDamaged();
    return QZ_OK;
  }
  std::u16string existing;
  CQZCoreDatabaseWin32 finder;
  if (finder.findFileByName(name.c_str(), existing) && !keepCopyOfDamaged()) return status;
  status = db->create(name.c_str(), creator, QZ_PREFERENCES_TYPE);
  if (status != QZ_OK) return status;
  return db->open(name.c_str(), creator, QZ_PREFERENCES_TYPE, false, false);
}

QZStatus QZClosePreferences() {
  CQZResourceDatabase* db = QZGetPreferencesDatabase();
  if (db == nullptr) return QZ_ERR_NO_MEMORY;
  return damage().keepFile ? db->discard() : db->close();
}

QZStatus QZSavePreferencesFile() {
  CQZResourceDatabase* db = QZGetPreferencesDatabase();
  if (db == nullptr) return QZ_ERR_NO_MEMORY;
  return damage().keepFile ? QZ_ERR_GENERAL : db->save();
}

void QZNotePreferencesDamage() { keepCopyOfDamaged(); }

bool QZTakePreferencesDamage(std::u16string& copyOut) {
  Damage& d = damage();
  if (!d.toTell) return false;
  d.toTell = false;
  copyOut = d.copy;
  return true;
}

uint16_t QZGetPreferencesSize(uint16_t id, bool saved) {
  CQZResourceDatabase* db = QZGetPreferencesDatabase();
  return db == nullptr ? 0 : db->getResourceSize(QZPreferencesType(id, saved), 0);
}

QZStatus QZReadPreferences(uint16_t id, bool saved, void* buffer, uint16_t size) {
  CQZResourceDatabase* db = QZGetPreferencesDatabase();
  if (db == nullptr) return QZ_ERR_NO_MEMORY;
  const uint32_t type = QZPreferencesType(id, saved);
  const uint32_t stored = db->getResourceLength(type, 0);
  if (stored != size || db->readResource(type, 0, size, buffer) != size) {
    // A block stored at another size is damaged; an absent one is new.
    if (stored != 0) QZNotePreferencesDamage();
    return QZ_ERR_GENERAL;
  }
  return QZ_OK;
}

QZStatus QZWritePreferences(uint16_t id, bool saved, const void* buffer, uint16_t size) {
  CQZResourceDatabase* db = QZGetPreferencesDatabase();
  if (db == nullptr) return QZ_ERR_NO_MEMORY;
  const uint32_t type = QZPreferencesType(id, saved);
  if (db->getResource(type, 0) == nullptr) return db->addResource(type, 0, size, buffer);
  // Resizing makes the new buffer before letting go of the old one, so a
  // failure keeps the old block.
  const QZStatus status = db->resizeResource(type, 0, size);
  if (status != QZ_OK) return status;
  if (size > 0) std::memcpy(db->getResource(type, 0), buffer, size);
  return QZ_OK;
}

QZStatus QZSetPreferences(uint16_t id, bool saved, void* buffer, uint16_t size, bool withChecksum) {
  if (withChecksum) {
    if (size < 4) return QZ_ERR_GENERAL;
    auto* bytes = static_cast<uint8_t*>(buffer);
    base::storeLE32(bytes, QZComputePreferencesChecksum(bytes, size));
  }
  return QZWritePreferences(id, saved, buffer, size);
}

QZStatus QZGetPreferences(uint16_t id, bool saved, void* buffer, uint16_t size, bool withChecksum) {
  if (withChecksum && size < 4) return QZ_ERR_GENERAL;
  const QZStatus status = QZReadPreferences(id, saved, buffer, size);
  if (status != QZ_OK || !withChecksum) return status;
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  if (base::loadLE32(bytes) == QZComputePreferencesChecksum(bytes, size)) return QZ_OK;
  QZNotePreferencesDamage();
  return QZ_ERR_GENERAL;
}

QZSystemPreferences& QZGetSystemPreferences() {
  static QZSystemPreferences preferences;
  return preferences;
}

QZStatus QZLoadSystemPreferences() {
  QZSystemPreferences& p = QZGetSystemPreferences();
  uint8_t unsaved[QZ_SYSTEM_UNSAVED_SIZE] = {};
  if (QZReadPreferences(QZ_SYSTEM_PREFERENCES_ID, false, unsaved, sizeof unsaved) == QZ_OK) {
    p.idleInterval = static_cast<int16_t>(base::loadLE16(unsaved));
    p.tickInterval = static_cast<int16_t>(base::loadLE16(unsaved + 2));
    p.currentState = static_cast<int32_t>(base::loadLE32(unsaved + 4));
    p.requestedState = static_cast<int32_t>(base::loadLE32(unsaved + 8));
  } else {
    const QZSystemPreferences defaults;
    p.idleInterval = defaults.idleInterval;
    p.tickInterval = defaults.tickInterval;
    p.currentState = defaults.currentState;
    p.requestedState = defaults.requestedState;
  }
  uint8_t block[QZ_SYSTEM_SAVED_SIZE] = {};
  const bool read = QZReadPreferences(QZ_SYSTEM_PREFERENCES_ID, true, block, sizeof block) == QZ_OK;
  p.soundMode = read ? static_cast<int32_t>(base::loadLE32(block + kSoundModeOffset)) : kSoundModeUnknown;
  p.firstStartDone = block[kFirstStartOffset];
  p.volumesSet = block[kVolumesSetOffset];
  p.musicVolume = base::loadLE16(block + kMusicVolumeOffset);
  p.effectsVolume = base::loadLE16(block + kEffectsVolumeOffset);
  p.musicOff = block[kMusicOffOffset];
  p.effectsOff = block[kEffectsOffOffset];
  p.language = base::loadLE16(block + kLanguageOffset);
  p.orientation = base::loadLE16(block + kOrientationOffset);
  return QZ_OK;
}

QZStatus QZSaveSystemPreferences() {
  const QZSystemPreferences& p = QZGetSystemPreferences();
  uint8_t unsaved[QZ_SYSTEM_UNSAVED_SIZE] = {};
  base::storeLE16(unsaved, static_cast<uint16_t>(p.idleInterval));
  base::storeLE16(unsaved + 2, static_cast<uint16_t>(p.tickInterval));
  base::storeLE32(unsaved + 4, static_cast<uint32_t>(p.currentState));
  base::storeLE32(unsaved + 8, static_cast<uint32_t>(p.requestedState));
  const QZStatus status = QZWritePreferences(QZ_SYSTEM_PREFERENCES_ID, false, unsaved, sizeof unsaved);
  if (status != QZ_OK) return status;
  uint8_t block[QZ_SYSTEM_SAVED_SIZE] = {};
  base::storeLE32(block + kSoundModeOffset, static_cast<uint32_t>(p.soundMode));
  block[kFirstStartOffset] = p.firstStartDone;
  block[kVolumesSetOffset] = p.volumesSet;
  base::storeLE16(block + kMusicVolumeOffset, p.musicVolume);
  base::storeLE16(block + kEffectsVolumeOffset, p.effectsVolume);
  block[kMusicOffOffset] = p.musicOff;
  block[kEffectsOffOffset] = p.effectsOff;
  base::storeLE16(block + kLanguageOffset, p.language);
  base::storeLE16(block + kOrientationOffset, p.orientation);
  return QZWritePreferences(QZ_SYSTEM_PREFERENCES_ID, true, block, sizeof block);
}
