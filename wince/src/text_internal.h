// Helpers shared by the text calls.
#pragma once

#include "wince/types.h"

namespace wince::detail {

// The UTF-16 unit of a code page 1252 byte.
WCHAR widen1252(unsigned char byte);

}  // namespace wince::detail
