// Reads any bytes as the saved state of a game's rules form (the first byte
// picks the game): what reads must name an entry of every option, and write
// back to bytes that read to the same choices.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app_form_specificsettings.h"
#include "app_serialise_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int32_t type = data[0] % kAppGameTypes + 1;
  std::vector<uint8_t> input(data + 1, data + std::min<size_t>(size, 0xFFFF));
  CAppSpecificGameSettingsForm form(type);
  SerialiseStream in{SERIALISE_READ_MEMORY, input.data(), static_cast<uint16_t>(input.size()), 0, nullptr};
  if (form.serialise(in) != 0) return 0;
  const AppGameRuleOptions& game = *AppRuleOptionsOf(type);
  for (size_t k = 0; k < game.options.size(); ++k) {
    if (form.choices().index[k] >= game.options[k].count()) __builtin_trap();
  }
  std::vector<uint8_t> block(kAppMaxCycledOptions + kAppMaxRuleBoxes);
  SerialiseStream out{SERIALISE_WRITE_MEMORY, block.data(), static_cast<uint16_t>(block.size()), 0, nullptr};
  CAppSpecificGameSettingsForm again(type);
  SerialiseStream back{SERIALISE_READ_MEMORY, block.data(), static_cast<uint16_t>(block.size()), 0, nullptr};
  if (form.serialise(out) != 0 || again.serialise(back) != 0 || !(again.choices() == form.choices())) __builtin_trap();
  return 0;
}
