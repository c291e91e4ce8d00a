// Statistics of one variant: games played and won and the total playing
// time, kept as an 8-byte record {u16 played, u16 won, u32 seconds} (little
// endian) in the value "data" of the variant's statistics key.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ce_string.h"
#include "wince/types.h"

struct SolStatistics {
  static constexpr size_t kRecordSize = 8;
  static constexpr uint16_t kCounterMax = 0xFFFF;

  uint16_t played = 0;
  uint16_t won = 0;
  uint32_t seconds = 0;

  // Reads a stored record; false (and zeros) when it is not exactly 8 bytes.
  // A record with more wins than games keeps its games and caps the wins.
  bool Decode(const uint8_t* bytes, size_t size);
  void Encode(uint8_t out[kRecordSize]) const;
  // Counts one game: the counters stop at 65535 instead of wrapping, the
  // wins never pass the games and the time stops at its greatest value.
  void Add(bool gameWon, uint32_t gameSeconds);

  // "33%": the wins as a whole percentage of the games, 0% without games.
  CeString WinRate() const;
  // m:ss with the minutes in full.
  static CeString FormatTime(uint32_t seconds);

  // The registry side: the variant's record of program `gameName`.
  static SolStatistics Load(const WCHAR* gameName, const char* variant);
  void Save(const WCHAR* gameName, const char* variant) const;
  static void AddGame(const WCHAR* gameName, const char* variant, bool gameWon, uint32_t gameSeconds);
  static void Clear(const WCHAR* gameName, const char* variant);
};
