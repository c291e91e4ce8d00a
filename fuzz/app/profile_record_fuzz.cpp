// Reads any bytes as a player's profile record. A refused record leaves a
// fresh profile; a profile that reads must write a record that reads back to
// the same bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app_profile.h"
#include "app_serialise_stream.h"

namespace {

std::vector<uint8_t> write(CAppProfile& profile) {
  SerialiseStream counter;
  if (profile.serialise(counter) != 0) __builtin_trap();
  std::vector<uint8_t> block(counter.position);
  SerialiseStream out{SERIALISE_WRITE_MEMORY, block.data(), static_cast<uint16_t>(block.size()), 0, nullptr};
  if (profile.serialise(out) != 0) __builtin_trap();
  return block;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> input(data, data + std::min<size_t>(size, 0xFFFF));
  CAppProfile profile;
  SerialiseStream in{SERIALISE_READ_MEMORY, input.data(), static_cast<uint16_t>(input.size()), 0, nullptr};
  if (profile.serialise(in) != 0) {
    if (profile.settings.currentGameType != 1 || profile.historyCount != 0) __builtin_trap();
    return 0;
  }
  // What was read is used: book a game on it.
  const uint32_t type = profile.settings.currentGameType;
  static_cast<void>(profile.recordGameResult(type, input.size() % 2 == 0, 100, 1, 2, {true, true, type}));
  std::vector<uint8_t> first = write(profile);
  CAppProfile again;
  SerialiseStream back{SERIALISE_READ_MEMORY, first.data(), static_cast<uint16_t>(first.size()), 0, nullptr};
  if (again.serialise(back) != 0 || write(again) != first) __builtin_trap();
  // The card back drawn for a random choice is one of the page's entries.
  if (again.resolveRandomChoice() >= CAppProfile::kChoiceEntries) __builtin_trap();
  return 0;
}
