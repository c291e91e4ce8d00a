// Best-times tables of any size and contents: decoded, inserted into and
// encoded again; names stay terminated and the order holds.
#include <cstdint>
#include <cstdlib>

#include "sol_best_times.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SolBestTimes t;
  if (t.Decode(data, size) != (size == SolBestTimes::kRecordSize)) std::abort();
  for (size_t i = 0; i < SolBestTimes::kEntries; ++i) {
    if (t.At(i).name[15] != 0) std::abort();
  }
  const uint32_t seconds = size > 0 ? data[size - 1] : 0;
  const bool qualified = t.Qualifies(seconds == 0 ? 1 : seconds);
  t.Insert(u"fuzz", seconds);
  uint8_t out[SolBestTimes::kRecordSize];
  t.Encode(out);
  SolBestTimes again;
  if (!again.Decode(out, sizeof out)) std::abort();
  if (qualified) {
    bool found = false;
    for (size_t i = 0; i < SolBestTimes::kEntries; ++i) found = found || again.At(i).name[0] == u'f';
    if (!found) std::abort();
  }
  return 0;
}
