#include "tool_number.h"

#include <charconv>

namespace tools {

bool parseNumber(std::string_view text, uint64_t min, uint64_t max, uint64_t& value, NumberBase base) {
  int radix = 10;
  if (base == NumberBase::DecimalOrHex && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    radix = 16;
  }
  // from_chars takes no sign or space for unsigned types, but "+" and a
  // second "0x" must not slip through either.
  if (text.empty() || text[0] == '+' || text[0] == '-') return false;
  uint64_t parsed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed, radix);
  if (error != std::errc() || end != text.data() + text.size() || parsed < min || parsed > max) return false;
  value = parsed;
  return true;
}

}  // namespace tools
