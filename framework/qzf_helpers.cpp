#include "qzf_helpers.h"

#include <cstdarg>
#include <cstring>
#include <memory>
#include <new>

#include "qz_display.h"
#include "qz_lifecycle.h"
#include "qz_startup.h"
#include "qz_system.h"
#include "qz_text_utils.h"

namespace {

// At most n units of src; when src is shorter the rest of the n units are
// zero, so the text is terminated unless src fills all n.
template <typename Char>
Char* copyPadded(Char* dst, const Char* src, int n) {
  int i = 0;
  for (; i < n && src[i]; ++i) dst[i] = src[i];
  for (; i < n; ++i) dst[i] = 0;
  return dst;
}

}  // namespace

uint16_t QZFWStrLen(const QZFWChar* text) {
  return static_cast<uint16_t>(QZFWStrLength(text));
}

uint32_t QZFWStrLength(const QZFWChar* text) {
  uint32_t n = 0;
  while (text[n]) ++n;
  return n;
}

QZFWChar* QZFWStrCopy(QZFWChar* dst, const QZFWChar* src) {
  QZFWChar* d = dst;
  while ((*d++ = *src++)) {
  }
  return dst;
}

QZFWChar* QZFWStrCopyN(QZFWChar* dst, const QZFWChar* src, int n) { return copyPadded(dst, src, n); }

QZFWChar* QZFWStrCat(QZFWChar* dst, const QZFWChar* src) {
  QZFWStrCopy(dst + QZFWStrLength(dst), src);
  return dst;
}

QZFWChar* QZFWStrCat(QZFWChar* dst, int capacity, const QZFWChar* src) {
  int length = static_cast<int>(QZFWStrLength(dst));
  while (length < capacity - 1 && *src) dst[length++] = *src++;
  if (length < capacity) dst[length] = 0;
  return dst;
}

int QZFWStrCompare(const QZFWChar* a, const QZFWChar* b) {
  while (*a && *a == *b) {
    ++a;
    ++b;
  }
  if (*a == *b) return 0;
  return static_cast<uint16_t>(*a) < static_cast<uint16_t>(*b) ? -1 : 1;
}

const QZFWChar* QZFWStrFind(const QZFWChar* text, const QZFWChar* token) {
  if (!*token) return text;
  for (; *text; ++text) {
    int i = 0;
    while (token[i] && text[i] == token[i]) ++i;
    if (!token[i]) return text;
  }
  return nullptr;
}

void QZFWStrReplace(QZFWChar* text, const QZFWChar* token, const QZFWChar* replacement) {
  if (!text || !token || !replacement || !*token) return;
  const uint32_t length = QZFWStrLength(text);
  std::unique_ptr<QZFWChar[]> copy(new (std::nothrow) QZFWChar[length + 1]);
  if (!copy) return;
  QZFWStrCopy(copy.get(), text);
  const QZFWChar* found = QZFWStrFind(copy.get(), token);
  if (!found) return;
  const uint32_t at = static_cast<uint32_t>(found - copy.get());
  QZFWStrCopy(text + at, replacement);
  QZFWStrCat(text, found + QZFWStrLength(token));
}

bool QZFWStrReplace(QZFWChar* text, int capacity, const QZFWChar* token, const QZFWChar* replacement) {
  if (!text || !token || !replacement || !*token) return false;
  const QZFWChar* found = QZFWStrFind(text, token);
  if (!found) return false;
  const int64_t length = static_cast<int64_t>(QZFWStrLength(text)) - QZFWStrLength(token) + QZFWStrLength(replacement);
  if (length >= capacity) return false;
  QZFWStrReplace(text, token, replacement);
  return true;
}

uint16_t QZFStrLen(const char* text) { return static_cast<uint16_t>(std::strlen(text)); }

char* QZFStrCopyN(char* dst, const char* src, int n) { return copyPadded(dst, src, n); }

int QZFStrCompare(const char* a, const char* b) {
  const int c = std::strcmp(a, b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

namespace {

QZFWChar* writeDigits(QZFWChar* buffer, bool negative, uint64_t magnitude) {
  QZFWChar digits[20];
  int n = 0;
  do {
    digits[n++] = static_cast<QZFWChar>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  QZFWChar* out = buffer;
  if (negative) *out++ = u'-';
  while (n) *out++ = digits[--n];
  *out = 0;
  return buffer;
}

uint64_t magnitudeOf(int64_t value) {
  return value < 0 ? ~static_cast<uint64_t>(value) + 1 : static_cast<uint64_t>(value);
}

}  // namespace

QZFWChar* QZFIntToString(QZFWChar* buffer, int32_t value) { return QZFInt64ToString(buffer, value); }

QZFWChar* QZFUInt64ToString(QZFWChar* buffer, uint64_t value) { return writeDigits(buffer, false, value); }

QZFWChar* QZFInt64ToString(QZFWChar* buffer, int64_t value) {
  return writeDigits(buffer, value < 0, magnitudeOf(value));
}

void QZFMemSet(void* dst, uint32_t count, uint8_t value) { std::memset(dst, value, count); }

void QZFMemCopy(void* dst, const void* src, uint32_t count) { std::memmove(dst, src, count); }

namespace {

template <int Factor>
int32_t scaleUp(int16_t value) {
  return static_cast<int32_t>(value) * Factor;
}

// Signed division truncating toward zero; 128, 64 and 32 shift arithmetically.
template <int Factor>
int32_t scaleDown(int16_t value) {
  if constexpr (Factor == 128 || Factor == 64 || Factor == 32) {
    constexpr int shift = Factor == 128 ? 7 : (Factor == 64 ? 6 : 5);
    return static_cast<int16_t>(value >> shift);
  } else {
    return static_cast<int16_t>(value / Factor);
  }
}

template <int Factor>
constexpr QZFScalePair pairOf() {
  return {Factor, &scaleUp<Factor>, &scaleDown<Factor>};
}

constexpr QZFScalePair kPairs[] = {pairOf<128>(), pairOf<117>(), pairOf<94>(), pairOf<86>(), pairOf<64>(),
                                   pairOf<43>(),  pairOf<35>(),  pairOf<32>(), pairOf<20>()};

}  // namespace

const QZFScalePair& QZFGetScalePair(int factor) {
  for (const QZFScalePair& p : kPairs) {
    if (p.factor == factor) return p;
  }
  return kPairs[0];
}

QZFWChar* QZFFormatString(QZFWChar* out, int capacity, const QZFWChar* format, ...) {
  va_list args;
  va_start(args, format);
  QZFormatWideV(out, capacity, format, args);
  va_end(args);
  return out;
}

QZFWChar* QZFFormatYearRange(QZFWChar* out, int capacity, int firstYear) {
  QZDateTime now{};
  QZGetDateTime(&now);
  if (firstYear == now.year) return QZFFormatString(out, capacity, u"%d", firstYear);
  return QZFFormatString(out, capacity, u"%d-%d", firstYear, static_cast<int>(now.year));
}

int QZFRandom(int n) { return QZRandom(n); }
uint16_t QZFGetDeviceType() { return QZGetDeviceType(); }
uint16_t QZFGetLanguage() { return QZGetLanguage(); }
void QZFSetLanguage(uint16_t id) { QZSetLanguage(id); }
uint32_t QZFGetCreatorID() { return QZGetCreatorID(); }
uint32_t QZFGetDeviceID() { return QZGetDeviceID(); }
uint32_t QZFGetDeviceCompanyID() { return QZGetDeviceCompanyID(); }
uint32_t QZFGetFreeMemory() { return QZGetFreeMemory(); }
void QZFDelay(int hundredths) { QZDelay(hundredths); }

void QZFGetBatteryStatus(uint16_t* level, uint16_t* percent) {
  QZBatteryStatus status{};
  QZGetBatteryStatus(&status);
  if (level) *level = status.level;
  if (percent) *percent = status.percent;
}

int QZFGetBatteryLevel() {
  uint16_t percent = 0;
  QZFGetBatteryStatus(nullptr, &percent);
  return percent;
}

bool QZFIsCharging() {
  uint16_t level = 0;
  QZFGetBatteryStatus(&level, nullptr);
  return level == 4;
}

void QZFGetDateTime(QZFDateTime* out) { QZGetDateTime(out); }

int QZFFormatCurrentDateTime(QZFWChar* date, QZFWChar* time, int dateLength, int timeLength, bool withSeconds) {
  return QZFormatCurrentDateTime(date, time, dateLength, timeLength, withSeconds);
}

int QZFFormatCurrentDate(QZFWChar* date, int length) { return QZFormatCurrentDate(date, length); }

int QZFFormatCurrentTime(QZFWChar* time, int length, bool withSeconds) {
  return QZFormatCurrentTime(time, length, withSeconds);
}

int QZFFormatDateTime(const QZFDateTime* record, QZFWChar* date, QZFWChar* time, int dateLength, int timeLength,
                      bool withSeconds) {
  return QZFormatDateTime(record, date, time, dateLength, timeLength, withSeconds);
}

int QZFFormatDate(const QZFDateTime* record, QZFWChar* date, int length) { return QZFormatDate(record, date, length); }

int QZFFormatTime(const QZFDateTime* record, QZFWChar* time, int length, bool withSeconds) {
  return QZFormatTime(record, time, length, withSeconds);
}

int QZFSetInputMode(uint16_t mode) { return QZSetInputMode(mode); }
int QZFShowApplicationMessage(const QZFWChar* text) { return QZShowApplicationMessage(text); }

int QZFShowMessage(const QZFWChar* format, ...) {
  QZFWChar text[1025];
  va_list args;
  va_start(args, format);
  QZFormatWideV(text, 1025, format, args);
  va_end(args);
  return QZShowApplicationMessage(text);
}

int QZFShowBuildDetails(const QZFWChar* time, const QZFWChar* date) { return QZShowBuildDetails(time, date); }
