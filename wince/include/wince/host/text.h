// Text conveniences for the runtime, the back ends and the tests (no
// handheld counterpart; programs use wince/text.h).
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

#include "wince/text.h"

namespace wince {

// Conveniences for the runtime and tests (no handheld counterpart).
std::u16string formatWide(const WCHAR* format, ...);
std::u16string formatWideV(const WCHAR* format, va_list args);
std::u16string utf8ToWide(std::string_view utf8);
std::string wideToUtf8(std::u16string_view wide);

}  // namespace wince
