#include "qz_datetime.h"

#include "wince/clock.h"
#include "wince/system.h"

namespace {

SYSTEMTIME toSystemTime(const QZDateTime& r) {
  return SYSTEMTIME{r.year, r.month, r.weekday, r.day, r.hour, r.minute, r.second, 0};
}

// A formatter's result: a failure leaves an empty text where there is room.
QZStatus finish(int written, char16_t* buffer, int length) {
  if (written > 0) return QZ_OK;
  if (buffer && length > 0) buffer[0] = 0;
  return QZ_ERR_GENERAL;
}

QZDateTime now() {
  QZDateTime record{};
  QZGetDateTime(&record);
  return record;
}

}  // namespace

void QZGetDateTime(QZDateTime* out) {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  *out = QZDateTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wDayOfWeek};
}

void QZDelay(int hundredths) {
  if (hundredths > 0) Sleep(static_cast<DWORD>(hundredths) * 10);
}

QZStatus QZFormatDate(const QZDateTime* record, char16_t* buffer, int length) {
  if (!record || !buffer || length <= 0) return finish(0, buffer, length);
  const SYSTEMTIME t = toSystemTime(*record);
  return finish(GetDateFormat(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, buffer, length), buffer, length);
}

QZStatus QZFormatTime(const QZDateTime* record, char16_t* buffer, int length, bool withSeconds) {
  if (!record || !buffer || length <= 0) return finish(0, buffer, length);
  const SYSTEMTIME t = toSystemTime(*record);
  const DWORD flags = withSeconds ? 0 : TIME_NOSECONDS;
  return finish(GetTimeFormat(LOCALE_USER_DEFAULT, flags, &t, nullptr, buffer, length), buffer, length);
}

QZStatus QZFormatDateTime(const QZDateTime* record, char16_t* dateBuffer, char16_t* timeBuffer, int dateLength,
                          int timeLength, bool withSeconds) {
  const QZStatus date = QZFormatDate(record, dateBuffer, dateLength);
  const QZStatus time = QZFormatTime(record, timeBuffer, timeLength, withSeconds);
  return date < 0 ? date : time;
}

QZStatus QZFormatCurrentDate(char16_t* buffer, int length) {
  const QZDateTime record = now();
  return QZFormatDate(&record, buffer, length);
}

QZStatus QZFormatCurrentTime(char16_t* buffer, int length, bool withSeconds) {
  const QZDateTime record = now();
  return QZFormatTime(&record, buffer, length, withSeconds);
}

QZStatus QZFormatCurrentDateTime(char16_t* dateBuffer, char16_t* timeBuffer, int dateLength, int timeLength,
                                 bool withSeconds) {
  const QZDateTime record = now();
  return QZFormatDateTime(&record, dateBuffer, timeBuffer, dateLength, timeLength, withSeconds);
}
