// The player list: up to eight players, each with a USER database of their
// own named by the player's name and "-QZSUser", and the index of the
// current one. The list is rebuilt from the databases at every start; the
// stored preferences record only brings back which player was current.
#pragma once

#include <cstdint>

#include "qzf_preferences.h"

class CAppPreferences : public CQZFPreferences {
 public:
  static constexpr uint16_t kPreferencesId = 0x7072;
  static constexpr int kMaxUsers = 8;
  // Ten units and the terminator.
  static constexpr int kNameUnits = 11;
  static constexpr int kMaxNameLength = kNameUnits - 1;
  static constexpr char16_t kDatabaseSuffix[] = u"-QZSUser";
  // The name, the suffix and the terminator.
  static constexpr int kDatabaseNameUnits = kMaxNameLength + 8 + 1;

  explicit CAppPreferences(CQZFObject* owner);

  void setDefaults() override;
  // The stored record: the three reserved fields, count, current and the
  // current player's name. A read refuses a record whose count, current
  // index or name cannot be (-1, and the framework keeps the defaults).
  [[nodiscard]] QZStatus serialiseSettings(SerialiseStream& stream) override;

  bool isValidIndex(int index) const { return index >= 0 && index < count_; }
  int16_t getCurrent() const { return current_; }
  void setCurrent(int16_t index) { current_ = index; }
  int16_t getCount() const { return count_; }
  // Copies name i (kNameUnits units); false when i names no player.
  bool getName(int index, char16_t* out) const;
  const char16_t* getName(int index) const { return isValidIndex(index) ? names_[index] : nullptr; }
  // Replaces name i with at most ten units of the name; false when i names no player.
  bool setName(int index, const char16_t* name);
  // Name i and the suffix (kDatabaseNameUnits units); false when i names no player.
  bool getDatabaseName(int index, char16_t* out) const;
  // Appends the player and makes it current; false when the name is longer
  // than ten units, already listed, or the list is full.
  bool addUser(const char16_t* name, int16_t* outIndex);
  // Removes player i; the current index follows its player when a player
  // below it goes. False when i names no player.
  bool deleteUser(int index);
  void clear();
  // The index of the name, -1 when it is not listed.
  int16_t find(const char16_t* name) const;

 private:
  uint8_t reservedByte_ = 0;
  uint16_t reservedWord_ = 0;
  uint32_t reservedLong_ = 0;
  char16_t names_[kMaxUsers][kNameUnits] = {};
  int16_t current_ = -1;
  int16_t count_ = 0;
};
