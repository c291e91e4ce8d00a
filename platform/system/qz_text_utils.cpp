#include "qz_text_utils.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "qz_startup.h"
#include "wince/resource.h"
#include "wince/text.h"

int QZReplaceAll(char16_t* text, int capacity, const char16_t* token, const char16_t* replacement) {
  if (!text || !token || !replacement || !*token || capacity <= 0) return 0;
  const std::u16string_view source(text);
  const std::u16string_view find(token);
  std::u16string result;
  int count = 0;
  size_t from = 0;
  for (size_t at = source.find(find); at != std::u16string_view::npos; at = source.find(find, from)) {
    result.append(source.substr(from, at - from)).append(replacement);
    from = at + find.size();
    ++count;
  }
  if (count == 0) return 0;
  result.append(source.substr(from));
  const size_t limit = static_cast<size_t>(std::min(capacity, QZ_REPLACE_BUFFER_UNITS));
  if (result.size() >= limit) return QZ_ERR_OVERRUN;
  result.copy(text, result.size());
  text[result.size()] = 0;
  return count;
}

int QZReplaceAllWithString(char16_t* text, int capacity, const char16_t* token, uint16_t stringId) {
  const std::unique_ptr<char16_t[]> replacement = QZLoadStringCopy(stringId);
  if (!replacement) return QZ_ERR_NO_RESOURCE;
  return QZReplaceAll(text, capacity, token, replacement.get());
}

int QZWideToNarrow(const char16_t* text, char* out) {
  if (!out) return 0;
  if (!text) return out[0] = 0;
  const int units = static_cast<int>(wcsnlen(text, QZ_CONVERT_UNITS - 1));
  const int n = units ? WideCharToMultiByte(CP_ACP, 0, text, units, out, QZ_CONVERT_UNITS - 1, nullptr, nullptr) : 0;
  out[n] = 0;
  return n;
}

int QZNarrowToWide(const char* text, char16_t* out) {
  if (!out) return 0;
  if (!text) return out[0] = 0;
  const int bytes = static_cast<int>(strnlen(text, QZ_CONVERT_UNITS - 1));
  const int n = bytes ? MultiByteToWideChar(CP_ACP, 0, text, bytes, out, QZ_CONVERT_UNITS - 1) : 0;
  out[n] = 0;
  return n;
}

std::unique_ptr<char16_t[]> QZLoadStringCopy(uint16_t id) {
  char16_t text[QZ_STRING_COPY_UNITS + 1];
  const int length = LoadString(QZGetInstance(), id, text, QZ_STRING_COPY_UNITS + 1);
  if (length <= 0) return nullptr;
  std::unique_ptr<char16_t[]> copy(new (std::nothrow) char16_t[length + 1]);
  if (copy) std::char_traits<char16_t>::copy(copy.get(), text, static_cast<size_t>(length) + 1);
  return copy;
}

int QZFormatWide(char16_t* out, int capacity, const char16_t* format, ...) {
  va_list args;
  va_start(args, format);
  const int n = QZFormatWideV(out, capacity, format, args);
  va_end(args);
  return n;
}

int QZFormatWideV(char16_t* out, int capacity, const char16_t* format, va_list args) {
  if (!out || capacity <= 0) return -1;
  return _vsnwprintf(out, static_cast<size_t>(capacity), format, args);
}
