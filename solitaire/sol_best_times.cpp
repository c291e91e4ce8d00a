#include "sol_best_times.h"

#include "sol_options.h"
#include "sol_platform.h"

bool SolBestTimes::Decode(const uint8_t* bytes, size_t size) {
  m_entries = {};
  if (size != kRecordSize) return false;
  for (size_t i = 0; i < kEntries; ++i) {
    const uint8_t* e = bytes + i * kEntrySize;
    SolBestTime& t = m_entries[i];
    for (size_t u = 0; u + 1 < 16; ++u) t.name[u] = static_cast<WCHAR>(e[2 * u] | e[2 * u + 1] << 8);
    t.name[15] = 0;
    t.seconds = static_cast<uint32_t>(e[32]) | static_cast<uint32_t>(e[33]) << 8 | static_cast<uint32_t>(e[34]) << 16 |
                static_cast<uint32_t>(e[35]) << 24;
  }
  return true;
}

void SolBestTimes::Encode(uint8_t out[kRecordSize]) const {
  for (size_t i = 0; i < kEntries; ++i) {
    uint8_t* e = out + i * kEntrySize;
    const SolBestTime& t = m_entries[i];
    for (size_t u = 0; u < 16; ++u) {
      e[2 * u] = static_cast<uint8_t>(t.name[u]);
      e[2 * u + 1] = static_cast<uint8_t>(t.name[u] >> 8);
    }
    for (int b = 0; b < 4; ++b) e[32 + b] = static_cast<uint8_t>(t.seconds >> (8 * b));
  }
}

bool SolBestTimes::Qualifies(uint32_t seconds) const {
  const uint32_t last = m_entries[kEntries - 1].seconds;
  return last == 0 || last > seconds;
}

void SolBestTimes::Insert(const WCHAR* name, uint32_t seconds) {
  if (seconds == 0) seconds = 1;
  if (!Qualifies(seconds)) return;
  size_t at = 0;
  while (at < kEntries && m_entries[at].seconds != 0 && m_entries[at].seconds <= seconds) ++at;
  for (size_t i = kEntries - 1; i > at; --i) m_entries[i] = m_entries[i - 1];
  SolBestTime entry;
  for (size_t u = 0; u + 1 < 16 && name && name[u]; ++u) entry.name[u] = name[u];
  entry.seconds = seconds;
  m_entries[at] = entry;
}

void SolBestTimes::Load(const WCHAR* gameName, const char* variant) {
  m_entries = {};
  SolRegKey key;
  bool created = false;
  const CeString path = SolRegistryPath(gameName, SolRegKind::BestScores, variant);
  if (!key.Create(path.GetString(), &created)) return;
  uint8_t bytes[kRecordSize + 1] = {};
  DWORD size = sizeof bytes;
  if (created || !key.Query(u"data", nullptr, bytes, &size) || !Decode(bytes, size)) {
    m_entries = {};
    uint8_t zeros[kRecordSize] = {};
    key.Set(u"data", kSolRegDword, zeros, kRecordSize);
  }
}

void SolBestTimes::Save(const WCHAR* gameName, const char* variant) const {
  uint8_t bytes[kRecordSize];
  Encode(bytes);
  SolWriteRecord(gameName, SolRegKind::BestScores, variant, bytes, kRecordSize);
}
