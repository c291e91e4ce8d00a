// Parses arbitrary bytes as an 'aRIL' id map, an 'aGML' mode list and as
// 8-bit and 16-bit string resources.
#include <cstdint>

#include "qz_resource_manager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto length = static_cast<uint32_t>(size);
  const uint16_t mode = size > 0 ? data[0] : 0;
  QZParseIdMap(data, length, mode, 1036);
  QZParseIdMap(data, length, 0, 0);
  QZParseModeList(data, length);
  for (uint32_t type : {QZ_TYPE_ASTR, QZ_TYPE_TSTR}) {
    QZResourceHandle handle;
    handle.data = data;
    handle.size = length;
    handle.type = type;
    char16_t buffer[8];
    handle.getTextLength();
    handle.copyText(8, buffer);
    handle.copyText(0, buffer);
    handle.release();
  }
  return 0;
}
