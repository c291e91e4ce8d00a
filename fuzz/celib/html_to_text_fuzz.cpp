// The input as UTF-16 units: the HTML converter over all of it, and the
// wildcard matcher with its first half as the name and the rest as pattern.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ce_html.h"
#include "ce_strutil.h"
#include "wince/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<WCHAR> units(size / 2 + 1, 0);
  if (size >= 2) std::memcpy(units.data(), data, size / 2 * 2);
  WCHAR* text = HtmlToText(units.data());
  if (!text || wcslen(text) > wcslen(units.data())) std::abort();
  std::free(text);

  const size_t half = wcslen(units.data()) / 2;
  std::vector<WCHAR> name(units.begin(), units.begin() + half);
  name.push_back(0);
  const int match = WildcardMatch(name.data(), units.data() + half);
  if (match < -1 || match > 1) std::abort();
  return 0;
}
