// Reads any bytes as the player list's stored block (after its checksum
// word): a record that reads names a current player the list can hold.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app_preferences.h"
#include "app_serialise_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> input(data, data + std::min<size_t>(size, 0xFFFF));
  CAppPreferences list(nullptr);
  list.setDefaults();
  SerialiseStream in{SERIALISE_READ_MEMORY, input.data(), static_cast<uint16_t>(input.size()), 0, nullptr};
  if (list.serialiseSettings(in) != 0) return 0;
  if (list.getCount() < 0 || list.getCount() > CAppPreferences::kMaxUsers) __builtin_trap();
  const int16_t current = list.getCurrent();
  if (current != -1 && !list.isValidIndex(current)) __builtin_trap();
  char16_t database[CAppPreferences::kDatabaseNameUnits] = {};
  if (list.isValidIndex(current) && !list.getDatabaseName(current, database)) __builtin_trap();
  // The list keeps working on what was read.
  static_cast<void>(list.addUser(u"Fuzz", nullptr));
  static_cast<void>(list.deleteUser(0));
  return 0;
}
