// Statistics records of any size and contents: decoded, counted on and
// formatted; the wins never pass the games and nothing reads out of bounds.
#include <cstdint>
#include <cstdlib>

#include "sol_statistics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SolStatistics stats;
  const bool read = stats.Decode(data, size);
  if (read != (size == SolStatistics::kRecordSize)) std::abort();
  if (stats.won > stats.played) std::abort();
  stats.Add(size % 2 == 0, size > 0 ? data[0] * 1000u : 0);
  if (stats.won > stats.played) std::abort();
  uint8_t out[SolStatistics::kRecordSize];
  stats.Encode(out);
  SolStatistics again;
  if (!again.Decode(out, sizeof out) || again.played != stats.played || again.won != stats.won ||
      again.seconds != stats.seconds) {
    std::abort();
  }
  (void)stats.WinRate();
  (void)SolStatistics::FormatTime(stats.seconds);
  return 0;
}
