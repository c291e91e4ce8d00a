// Numbers from a tool's command line or text, taken strictly: digits only
// (after "0x" for hexadecimal where that is allowed), no sign, no spaces, no
// trailing text, and no value above the bound, so "1x", "5junk" and "99999"
// for a 16-bit id are refused instead of read as something else.
#pragma once

#include <cstdint>
#include <string_view>

namespace tools {

enum class NumberBase { Decimal, DecimalOrHex };

// False when `text` is not such a number from `min` to `max`.
bool parseNumber(std::string_view text, uint64_t min, uint64_t max, uint64_t& value,
                 NumberBase base = NumberBase::Decimal);

}  // namespace tools
