// The framework's thin service layer: wide and narrow strings, number text,
// memory, and the fixed-point scaling functions from which a display table
// picks its coordinate conversions (128 stands for 1.0).
#pragma once

#include <cstdint>

#include "qz_datetime.h"

typedef char16_t QZFWChar;

uint16_t QZFWStrLen(const QZFWChar* text);
uint32_t QZFWStrLength(const QZFWChar* text);
QZFWChar* QZFWStrCopy(QZFWChar* dst, const QZFWChar* src);
// Copies at most n units, zero-filling the rest of them when src is
// shorter; the caller terminates a text of n units or more.
QZFWChar* QZFWStrCopyN(QZFWChar* dst, const QZFWChar* src, int n);
QZFWChar* QZFWStrCat(QZFWChar* dst, const QZFWChar* src);
// Appends as much of src as fits in a buffer of capacity units, terminated.
QZFWChar* QZFWStrCat(QZFWChar* dst, int capacity, const QZFWChar* src);
// First differing unit compared unsigned: -1, 0 or 1.
int QZFWStrCompare(const QZFWChar* a, const QZFWChar* b);
const QZFWChar* QZFWStrFind(const QZFWChar* text, const QZFWChar* token);
// Replaces the first occurrence of token in place; the buffer must hold the result.
void QZFWStrReplace(QZFWChar* text, const QZFWChar* token, const QZFWChar* replacement);
// The same within a buffer of capacity units: false, and the text unchanged,
// when the result would not fit (or nothing was replaced).
bool QZFWStrReplace(QZFWChar* text, int capacity, const QZFWChar* token, const QZFWChar* replacement);

uint16_t QZFStrLen(const char* text);
// As QZFWStrCopyN, on bytes.
char* QZFStrCopyN(char* dst, const char* src, int n);
int QZFStrCompare(const char* a, const char* b);

// Decimal text; the buffer must hold 21 units (a sign and 20 digits) and the terminator.
QZFWChar* QZFIntToString(QZFWChar* buffer, int32_t value);
QZFWChar* QZFUInt64ToString(QZFWChar* buffer, uint64_t value);
QZFWChar* QZFInt64ToString(QZFWChar* buffer, int64_t value);

void QZFMemSet(void* dst, uint32_t count, uint8_t value);
void QZFMemCopy(void* dst, const void* src, uint32_t count);

// A scaling function maps a 16-bit logical value up (x factor / 128) or down.
typedef int32_t (*QZFScaleFunction)(int16_t value);

struct QZFScalePair {
  int factor;
  QZFScaleFunction up;
  QZFScaleFunction down;
};

// The pair for one of the factors 128, 117, 94, 86, 64, 43, 35, 32, 20; the
// pair of 128 for any other.
const QZFScalePair& QZFGetScalePair(int factor);

// Wide printf-style text (%d %u %hd %02d %s %ls %c %x ...), at most
// capacity units including the terminator (cut short when longer); returns out.
QZFWChar* QZFFormatString(QZFWChar* out, int capacity, const QZFWChar* format, ...);
// The current year when it equals firstYear, else "firstYear-current year";
// at most capacity units with the terminator.
QZFWChar* QZFFormatYearRange(QZFWChar* out, int capacity, int firstYear);

// --- Platform forwards --------------------------------------------------------

// 0..n - 1; 0 for n = 0. For sound variants and animations, never for deals.
int QZFRandom(int n);
uint16_t QZFGetDeviceType();
// Language ids: 1031, 1033, 1034, 1036, 1040, 1046.
uint16_t QZFGetLanguage();
void QZFSetLanguage(uint16_t id);
uint32_t QZFGetCreatorID();
uint32_t QZFGetDeviceID();
// 0 on this platform.
uint32_t QZFGetDeviceCompanyID();
uint32_t QZFGetFreeMemory();
// Pauses for n hundredths of a second.
void QZFDelay(int hundredths);
// level: 1 high, 2 low, 3 critical, 4 charging, 5 no battery, 0 other.
void QZFGetBatteryStatus(uint16_t* level, uint16_t* percent);
// The charge percentage; an unknown charge reads as 1.
int QZFGetBatteryLevel();
bool QZFIsCharging();
typedef QZDateTime QZFDateTime;
void QZFGetDateTime(QZFDateTime* out);
// The user's short date and time formats (see qz_datetime.h): 0, or -1 when
// the text does not fit.
int QZFFormatCurrentDateTime(QZFWChar* date, QZFWChar* time, int dateLength, int timeLength, bool withSeconds);
int QZFFormatCurrentDate(QZFWChar* date, int length);
int QZFFormatCurrentTime(QZFWChar* time, int length, bool withSeconds);
int QZFFormatDateTime(const QZFDateTime* record, QZFWChar* date, QZFWChar* time, int dateLength, int timeLength,
                      bool withSeconds);
int QZFFormatDate(const QZFDateTime* record, QZFWChar* date, int length);
int QZFFormatTime(const QZFDateTime* record, QZFWChar* time, int length, bool withSeconds);
int QZFSetInputMode(uint16_t mode);
int QZFShowApplicationMessage(const QZFWChar* text);
// Formats up to 1024 characters and shows them as an application message.
int QZFShowMessage(const QZFWChar* format, ...);
int QZFShowBuildDetails(const QZFWChar* time, const QZFWChar* date);
