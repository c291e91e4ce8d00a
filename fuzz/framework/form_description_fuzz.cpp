// Form descriptions: any bytes decode to a form or to QZ_ERR_GENERAL, never
// reading outside the resource or the layout-value table.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "qzf_form_description.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::vector<int16_t> values(kQZFValueTableSize, 12);
  const QZFDescriptionContext context{values.data(), values.size(),
                                      [](uint16_t id) { return std::u16string(id % 3, u'x'); }};
  QZFFormDescription form;
  if (QZFReadFormDescription(data, size, context, &form) == QZ_OK && form.gadgets.size() > form.gadgetCount) {
    __builtin_trap();
  }
  return 0;
}
