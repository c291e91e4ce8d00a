// The best times of one variant: ten entries {name of at most 15 UTF-16
// units, u32 seconds, 0 = empty}, best first, stored as 360 bytes in the
// value "data" of the variant's bestScores key.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "wince/types.h"

struct SolBestTime {
  WCHAR name[16] = {};
  uint32_t seconds = 0;
};

class SolBestTimes {
 public:
  static constexpr size_t kEntries = 10;
  static constexpr size_t kEntrySize = 36;
  static constexpr size_t kRecordSize = kEntries * kEntrySize;

  // Reads a stored table; false (and an empty table) when it is not exactly
  // 360 bytes. Every name is cut to 15 units.
  bool Decode(const uint8_t* bytes, size_t size);
  void Encode(uint8_t out[kRecordSize]) const;
  // A time enters when the last entry is empty or slower (a tie does not).
  bool Qualifies(uint32_t seconds) const;
  // Puts the time after every entry as fast or faster; the last entry drops
  // out. A time of 0 (which would read as empty) is kept as 1 second.
  void Insert(const WCHAR* name, uint32_t seconds);
  const SolBestTime& At(size_t i) const { return m_entries[i]; }

  void Load(const WCHAR* gameName, const char* variant);
  void Save(const WCHAR* gameName, const char* variant) const;

 private:
  std::array<SolBestTime, kEntries> m_entries{};
};
