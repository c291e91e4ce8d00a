// Any bytes given to the artwork reader as a database file image.
#include <cstddef>
#include <cstdint>
#include <string>

#include "art_database.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ArtDatabase database;
  std::string error;
  parseArtDatabase(data, size, database, error);
  return 0;
}
