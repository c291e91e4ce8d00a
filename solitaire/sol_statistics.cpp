#include "sol_statistics.h"

#include <algorithm>
#include <limits>

#include "sol_options.h"
#include "sol_platform.h"

bool SolStatistics::Decode(const uint8_t* bytes, size_t size) {
  *this = SolStatistics{};
  if (size != kRecordSize) return false;
  played = static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
  won = static_cast<uint16_t>(bytes[2] | bytes[3] << 8);
  seconds = static_cast<uint32_t>(bytes[4]) | static_cast<uint32_t>(bytes[5]) << 8 |
            static_cast<uint32_t>(bytes[6]) << 16 | static_cast<uint32_t>(bytes[7]) << 24;
  won = std::min(won, played);
  return true;
}

void SolStatistics::Encode(uint8_t out[kRecordSize]) const {
  const uint32_t words[3] = {played, won, seconds};
  out[0] = static_cast<uint8_t>(words[0]);
  out[1] = static_cast<uint8_t>(words[0] >> 8);
  out[2] = static_cast<uint8_t>(words[1]);
  out[3] = static_cast<uint8_t>(words[1] >> 8);
  for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<uint8_t>(words[2] >> (8 * i));
}

void SolStatistics::Add(bool gameWon, uint32_t gameSeconds) {
  if (played < kCounterMax) ++played;
  if (gameWon && won < played) ++won;
  const uint32_t room = std::numeric_limits<uint32_t>::max() - seconds;
  seconds += std::min(room, gameSeconds);
}

CeString SolStatistics::WinRate() const {
  const uint32_t rate = played ? static_cast<uint32_t>(won) * 100 / played : 0;
  CeString text;
  text.Format(u"%u%%", rate);
  return text;
}

CeString SolStatistics::FormatTime(uint32_t s) {
  CeString text;
  text.Format(u"%u:%02u", s / 60, s % 60);
  return text;
}

SolStatistics SolStatistics::Load(const WCHAR* gameName, const char* variant) {
  SolStatistics stats;
  SolRegKey key;
  const CeString path = SolRegistryPath(gameName, SolRegKind::Statistics, variant);
  if (!key.Create(path.GetString(), nullptr)) return stats;
  uint8_t bytes[kRecordSize + 1] = {};
  DWORD size = sizeof bytes;
  if (key.Query(u"data", nullptr, bytes, &size)) stats.Decode(bytes, size);
  return stats;
}

void SolStatistics::Save(const WCHAR* gameName, const char* variant) const {
  uint8_t bytes[kRecordSize];
  Encode(bytes);
  SolWriteRecord(gameName, SolRegKind::Statistics, variant, bytes, kRecordSize);
}

void SolStatistics::AddGame(const WCHAR* gameName, const char* variant, bool gameWon, uint32_t gameSeconds) {
  SolStatistics stats = Load(gameName, variant);
  stats.Add(gameWon, gameSeconds);
  stats.Save(gameName, variant);
}

void SolStatistics::Clear(const WCHAR* gameName, const char* variant) { SolStatistics{}.Save(gameName, variant); }
