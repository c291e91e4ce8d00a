// Local date and time, and their text in the user's short date and time
// formats; the pause in hundredths of a second.
#pragma once

#include <cstdint>

#include "qz_types.h"

// Local date and time; weekday 0 is Sunday.
struct QZDateTime {
  uint16_t year;
  uint16_t month;
  uint16_t day;
  uint16_t hour;
  uint16_t minute;
  uint16_t second;
  uint16_t weekday;
};

void QZGetDateTime(QZDateTime* out);
// Sleeps n hundredths of a second (nothing for n <= 0).
void QZDelay(int hundredths);

// The formatters write the text, terminated, into a buffer of length units.
// 0, or -1 when the text does not fit or the record is not a valid date
// (the buffer then holds an empty text).
QZStatus QZFormatDate(const QZDateTime* record, char16_t* buffer, int length);
QZStatus QZFormatTime(const QZDateTime* record, char16_t* buffer, int length, bool withSeconds);
QZStatus QZFormatDateTime(const QZDateTime* record, char16_t* dateBuffer, char16_t* timeBuffer, int dateLength,
                          int timeLength, bool withSeconds);
QZStatus QZFormatCurrentDate(char16_t* buffer, int length);
QZStatus QZFormatCurrentTime(char16_t* buffer, int length, bool withSeconds);
QZStatus QZFormatCurrentDateTime(char16_t* dateBuffer, char16_t* timeBuffer, int dateLength, int timeLength,
                                 bool withSeconds);
