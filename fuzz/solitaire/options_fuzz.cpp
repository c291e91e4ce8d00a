// Options read from registry values of any type and size: the bytes are cut
// into values stored under the options key, then loaded and repaired.
#include <cstdint>

#include "../scratch_root.h"
#include "sol_options.h"
#include "sol_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const WCHAR* const kNames[] = {u"timedGame", u"timeLimit", u"suitsNumber", u"gameType",
                                        u"animation", u"playMode", u"bgColor", u"softkeyMenu",
                                        u"cardBack",  u"showTimer", u"curGameNumber", u"lastEnteredName"};
  // The registry file goes to a scratch device root, never the user's.
  static const FuzzScratchRoot scratch("carrowin-options-fuzz");
  if (!scratch.ready()) return 0;
  const CeString path = SolRegistryPath(u"FuzzOptions", SolRegKind::Prefs);
  SolRegKey::Delete(path.GetString());
  {
    SolRegKey key;
    key.Create(path.GetString(), nullptr);
    size_t at = 0;
    for (const WCHAR* name : kNames) {
      if (at + 2 > size) break;
      const DWORD type = data[at] & 7;
      const size_t length = data[at + 1] % 40;
      at += 2;
      const size_t n = length < size - at ? length : size - at;
      key.Set(name, type, data + at, static_cast<DWORD>(n));
      at += n;
    }
  }
  SolOptions options;
  options.Load(u"FuzzOptions");
  const bool repaired = options.cardBack <= 3 && options.playMode <= 3 && options.lastEnteredName[SolOptions::kNameUnits - 1] == 0 &&
                        (options.timeLimit == 1 || options.timeLimit == 3 || options.timeLimit == 5 || options.timeLimit == 10);
  if (!repaired) __builtin_trap();
  options.RuleSetId();
  return 0;
}
