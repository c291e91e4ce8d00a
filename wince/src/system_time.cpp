// Language, local time, and date and time formats.
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "wince/clock.h"
#include "wince/host/clock.h"
#include "wince/host/text.h"
#include "wince/system.h"
#include "wince/text.h"

namespace {

struct LanguageCode {
  const char* code;  // ISO 639-1
  WORD primary;
};
constexpr LanguageCode kLanguages[] = {
    {"da", 0x06},           {"de", LANG_GERMAN}, {"en", LANG_ENGLISH},    {"es", LANG_SPANISH},
    {"fi", 0x0b},           {"fr", LANG_FRENCH}, {"it", LANG_ITALIAN},    {"ja", 0x11},
    {"ko", 0x12},           {"nl", LANG_DUTCH},  {"nb", LANG_NORWEGIAN},  {"nn", LANG_NORWEGIAN},
    {"no", LANG_NORWEGIAN}, {"pl", 0x15},        {"pt", LANG_PORTUGUESE}, {"ru", 0x19},
    {"sv", 0x1d},           {"zh", 0x04},
};

// Sub-languages other than SUBLANG_DEFAULT for the regions that have them.
WORD sublanguage(WORD primary, std::string_view region) {
  if (primary == LANG_ENGLISH && region == "GB") return 0x02;
  if (primary == LANG_PORTUGUESE && region == "PT") return 0x02;
  if (primary == LANG_GERMAN && region == "CH") return 0x02;
  if (primary == LANG_FRENCH && region == "BE") return 0x02;
  return SUBLANG_DEFAULT;
}

LANGID languageFromEnvironment() {
  const char* value = nullptr;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    value = std::getenv(name);
    if (value && *value) break;
  }
  if (!value || !*value) return MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT);
  std::string_view locale(value);
  std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
  std::string_view region;
  if (size_t underscore = locale.find('_'); underscore != std::string_view::npos) {
    region = locale.substr(underscore + 1, 2);
  }
  for (const LanguageCode& l : kLanguages) {
    if (language == l.code) return MAKELANGID(l.primary, sublanguage(l.primary, region));
  }
  return MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT);
}

// The fixed start of virtual time: Wednesday 2 January 2008, 09:00:00.
constexpr time_t kVirtualEpoch = 1199264400;

SYSTEMTIME fromTm(const std::tm& tm, int ms) {
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(tm.tm_year + 1900);
  t.wMonth = static_cast<WORD>(tm.tm_mon + 1);
  t.wDayOfWeek = static_cast<WORD>(tm.tm_wday);
  t.wDay = static_cast<WORD>(tm.tm_mday);
  t.wHour = static_cast<WORD>(tm.tm_hour);
  t.wMinute = static_cast<WORD>(tm.tm_min);
  t.wSecond = static_cast<WORD>(tm.tm_sec);
  t.wMilliseconds = static_cast<WORD>(ms);
  return t;
}

SYSTEMTIME now(bool local) {
  std::tm tm{};
  if (wince::virtualClockActive()) {
    uint64_t ms = wince::clockNowMs();
    time_t seconds = kVirtualEpoch + static_cast<time_t>(ms / 1000);
    gmtime_r(&seconds, &tm);
    return fromTm(tm, static_cast<int>(ms % 1000));
  }
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  if (local)
    localtime_r(&ts.tv_sec, &tm);
  else
    gmtime_r(&ts.tv_sec, &tm);
  return fromTm(tm, static_cast<int>(ts.tv_nsec / 1000000));
}

struct Patterns {
  WORD primary;
  const char16_t* shortDate;
  const char16_t* longDate;
  const char16_t* time;
};
constexpr Patterns kPatterns[] = {
    {LANG_ENGLISH, u"M/d/yyyy", u"dddd, MMMM dd, yyyy", u"h:mm:ss tt"},
    {LANG_GERMAN, u"dd.MM.yyyy", u"dddd, d. MMMM yyyy", u"HH:mm:ss"},
    {LANG_FRENCH, u"dd/MM/yyyy", u"dddd d MMMM yyyy", u"HH:mm:ss"},
    {LANG_SPANISH, u"dd/MM/yyyy", u"dddd, dd' de 'MMMM' de 'yyyy", u"H:mm:ss"},
    {LANG_ITALIAN, u"dd/MM/yyyy", u"dddd d MMMM yyyy", u"H.mm.ss"},
    {LANG_PORTUGUESE, u"dd/MM/yyyy", u"dddd, d' de 'MMMM' de 'yyyy", u"HH:mm:ss"},
    {LANG_DUTCH, u"d-M-yyyy", u"dddd d MMMM yyyy", u"H:mm:ss"},
};

const Patterns& patternsFor(LCID locale) {
  WORD primary = PRIMARYLANGID(locale == LOCALE_USER_DEFAULT || locale == LOCALE_SYSTEM_DEFAULT || locale == 0
                                   ? GetUserDefaultLangID()
                                   : locale);
  for (const Patterns& p : kPatterns) {
    if (p.primary == primary) return p;
  }
  return kPatterns[0];
}

// Day and month names are English in every language.
constexpr const char16_t* kDays[] = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                     u"Thursday", u"Friday", u"Saturday"};
constexpr const char16_t* kMonths[] = {u"January", u"February", u"March",     u"April",   u"May",      u"June",
                                       u"July",    u"August",   u"September", u"October", u"November", u"December"};

void appendNumber(std::u16string& out, int value, size_t minDigits) {
  std::u16string digits = wince::formatWide(u"%d", value);
  if (digits.size() < minDigits) out.append(minDigits - digits.size(), u'0');
  out += digits;
}

// Drops the seconds (and with noMinutes the minutes) together with the
// separator before them, and with noMarker the AM/PM marker and the space
// before it.
std::u16string trimTimePicture(std::u16string picture, DWORD flags) {
  auto dropField = [&picture](char16_t field) {
    size_t at = picture.find(field);
    if (at == std::u16string::npos) return;
    size_t end = picture.find_first_not_of(field, at);
    size_t begin = at;
    while (begin > 0 && std::u16string_view(u"hHmst").find(picture[begin - 1]) == std::u16string_view::npos) --begin;
    picture.erase(begin, (end == std::u16string::npos ? picture.size() : end) - begin);
  };
  if (flags & (TIME_NOSECONDS | TIME_NOMINUTESORSECONDS)) dropField(u's');
  if (flags & TIME_NOMINUTESORSECONDS) dropField(u'm');
  if (flags & (TIME_NOTIMEMARKER | TIME_FORCE24HOURFORMAT)) dropField(u't');
  if (flags & TIME_FORCE24HOURFORMAT) {
    for (char16_t& c : picture) {
      if (c == u'h') c = u'H';
    }
  }
  return picture;
}

std::u16string expand(const std::u16string& picture, const SYSTEMTIME& t) {
  std::u16string out;
  for (size_t i = 0; i < picture.size();) {
    char16_t c = picture[i];
    if (c == u'\'') {
      size_t end = picture.find(u'\'', i + 1);
      if (end == std::u16string::npos) end = picture.size();
      out.append(picture, i + 1, end - i - 1);
      i = end + 1;
      continue;
    }
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    i += run;
    int hour12 = t.wHour % 12 == 0 ? 12 : t.wHour % 12;
    switch (c) {
      case u'd':
        if (run <= 2)
          appendNumber(out, t.wDay, run);
        else
          out += run == 3 ? std::u16string(kDays[t.wDayOfWeek % 7], 3) : kDays[t.wDayOfWeek % 7];
        break;
      case u'M':
        if (run <= 2)
          appendNumber(out, t.wMonth, run);
        else
          out += run == 3 ? std::u16string(kMonths[(t.wMonth + 11) % 12], 3) : kMonths[(t.wMonth + 11) % 12];
        break;
      case u'y':
        appendNumber(out, run <= 2 ? t.wYear % 100 : t.wYear, run <= 2 ? run : 4);
        break;
      case u'h':
        appendNumber(out, hour12, run > 1 ? 2 : 1);
        break;
      case u'H':
        appendNumber(out, t.wHour, run > 1 ? 2 : 1);
        break;
      case u'm':
        appendNumber(out, t.wMinute, run > 1 ? 2 : 1);
        break;
      case u's':
        appendNumber(out, t.wSecond, run > 1 ? 2 : 1);
        break;
      case u't':
        out += run > 1 ? (t.wHour < 12 ? u"AM" : u"PM") : (t.wHour < 12 ? u"A" : u"P");
        break;
      default:
        out.append(run, c);
        break;
    }
  }
  return out;
}

int deliver(const std::u16string& text, LPWSTR out, int size) {
  int needed = static_cast<int>(text.size()) + 1;
  if (size == 0) return needed;
  if (!out || size < needed) {
    SetLastError(out ? ERROR_INSUFFICIENT_BUFFER : ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::memcpy(out, text.c_str(), static_cast<size_t>(needed) * sizeof(WCHAR));
  return needed;
}

bool validTime(const SYSTEMTIME& t) {
  return t.wMonth >= 1 && t.wMonth <= 12 && t.wDay >= 1 && t.wDay <= 31 && t.wHour < 24 && t.wMinute < 60 &&
         t.wSecond < 60 && t.wDayOfWeek < 7;
}

}  // namespace

LANGID GetUserDefaultLangID() { return languageFromEnvironment(); }
LANGID GetSystemDefaultLangID() { return languageFromEnvironment(); }
LCID GetUserDefaultLCID() { return languageFromEnvironment(); }

void GetLocalTime(LPSYSTEMTIME time) { *time = now(true); }
void GetSystemTime(LPSYSTEMTIME time) { *time = now(false); }

int GetDateFormat(LCID locale, DWORD flags, const SYSTEMTIME* time, LPCWSTR picture, LPWSTR out, int size) {
  SYSTEMTIME t = time ? *time : now(true);
  if (size < 0 || !validTime(t)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const Patterns& p = patternsFor(locale);
  std::u16string pattern = picture ? picture : ((flags & DATE_LONGDATE) ? p.longDate : p.shortDate);
  return deliver(expand(pattern, t), out, size);
}

int GetTimeFormat(LCID locale, DWORD flags, const SYSTEMTIME* time, LPCWSTR picture, LPWSTR out, int size) {
  SYSTEMTIME t = time ? *time : now(true);
  if (size < 0 || !validTime(t)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::u16string pattern = picture ? picture : patternsFor(locale).time;
  return deliver(expand(trimTimePicture(pattern, flags), t), out, size);
}
