#include "ce_html.h"

#include <cstdlib>
#include <cstring>

#include "wince/text.h"

namespace {

struct Entity {
  const char16_t* name;
  WCHAR code;
};

// quot, amp, lt, gt, then the codes 160 to 255 in order.
constexpr Entity kEntities[] = {
    {u"quot", 34},    {u"amp", 38},     {u"lt", 60},      {u"gt", 62},      {u"nbsp", 160},   {u"iexcl", 161},
    {u"cent", 162},   {u"pound", 163},  {u"curren", 164}, {u"yen", 165},    {u"brvbar", 166}, {u"sect", 167},
    {u"uml", 168},    {u"copy", 169},   {u"ordf", 170},   {u"laquo", 171},  {u"not", 172},    {u"shy", 173},
    {u"reg", 174},    {u"macr", 175},   {u"deg", 176},    {u"plusmn", 177}, {u"sup2", 178},   {u"sup3", 179},
    {u"acute", 180},  {u"micro", 181},  {u"para", 182},   {u"middot", 183}, {u"cedil", 184},  {u"sup1", 185},
    {u"ordm", 186},   {u"raquo", 187},  {u"frac14", 188}, {u"frac12", 189}, {u"frac34", 190}, {u"iquest", 191},
    {u"Agrave", 192}, {u"Aacute", 193}, {u"Acirc", 194},  {u"Atilde", 195}, {u"Auml", 196},   {u"Aring", 197},
    {u"AElig", 198},  {u"Ccedil", 199}, {u"Egrave", 200}, {u"Eacute", 201}, {u"Ecirc", 202},  {u"Euml", 203},
    {u"Igrave", 204}, {u"Iacute", 205}, {u"Icirc", 206},  {u"Iuml", 207},   {u"ETH", 208},    {u"Ntilde", 209},
    {u"Ograve", 210}, {u"Oacute", 211}, {u"Ocirc", 212},  {u"Otilde", 213}, {u"Ouml", 214},   {u"times", 215},
    {u"Oslash", 216}, {u"Ugrave", 217}, {u"Uacute", 218}, {u"Ucirc", 219},  {u"Uuml", 220},   {u"Yacute", 221},
    {u"THORN", 222},  {u"szlig", 223},  {u"agrave", 224}, {u"aacute", 225}, {u"acirc", 226},  {u"atilde", 227},
    {u"auml", 228},   {u"aring", 229},  {u"aelig", 230},  {u"ccedil", 231}, {u"egrave", 232}, {u"eacute", 233},
    {u"ecirc", 234},  {u"euml", 235},   {u"igrave", 236}, {u"iacute", 237}, {u"icirc", 238},  {u"iuml", 239},
    {u"eth", 240},    {u"ntilde", 241}, {u"ograve", 242}, {u"oacute", 243}, {u"ocirc", 244},  {u"otilde", 245},
    {u"ouml", 246},   {u"divide", 247}, {u"oslash", 248}, {u"ugrave", 249}, {u"uacute", 250}, {u"ucirc", 251},
    {u"uuml", 252},   {u"yacute", 253}, {u"thorn", 254},  {u"yuml", 255},
};
static_assert(sizeof kEntities / sizeof kEntities[0] == 100);

// The longest entity text: "&" + 6 letters + ";".
constexpr size_t kLongestForm = 8;
// How many units after "&" are collected at most.
constexpr size_t kEntityBuffer = 256;

bool IsEntityEnd(WCHAR c) { return c == u';' || c == u' ' || c == u'\r' || c == u'\n'; }

// The value of "#" and decimal digits as "&#%u;" writes them (no leading
// zero, no sign); 0 for anything else.
unsigned DecimalForm(const WCHAR* text, size_t length) {
  if (length < 2 || text[0] != u'#' || text[1] == u'0') return 0;
  unsigned value = 0;
  for (size_t i = 1; i < length; ++i) {
    if (!iswdigit(text[i])) return 0;
    value = value * 10 + (text[i] - u'0');
  }
  return value;
}

}  // namespace

WCHAR EntityToChar(const WCHAR* entity) {
  if (!entity || entity[0] != u'&') return 0;
  const size_t length = wcslen(entity);
  if (length < 3 || length > kLongestForm || entity[length - 1] != u';') return 0;
  const WCHAR* name = entity + 1;
  const size_t nameLength = length - 2;
  const unsigned decimal = DecimalForm(name, nameLength);
  // Table order decides, the named form of an entry before its decimal one.
  for (const Entity& e : kEntities) {
    if (wcslen(e.name) == nameLength && _wcsnicmp(name, e.name, nameLength) == 0) return e.code;
    if (decimal == e.code) return e.code;
  }
  return 0;
}

WCHAR* HtmlToText(const WCHAR* html) {
  if (!html) html = u"";
  const size_t length = wcslen(html);
  auto* out = static_cast<WCHAR*>(std::malloc((length + 1) * sizeof(WCHAR)));
  if (!out) return nullptr;
  size_t to = 0;
  WCHAR collected[kEntityBuffer];
  for (size_t at = 0; at < length;) {
    if (html[at] == u'<') {
      while (at < length && html[at] != u'>') ++at;
      if (at < length) ++at;
      continue;
    }
    if (html[at] != u'&') {
      out[to++] = html[at++];
      continue;
    }
    size_t n = 0;
    do collected[n] = html[at + n];
    while (!IsEntityEnd(collected[n++]) && n < kEntityBuffer - 1 && at + n < length);
    collected[n] = 0;
    const WCHAR code = EntityToChar(collected);
    out[to++] = code ? code : u'&';
    at += code ? n : 1;
  }
  out[to] = 0;
  WCHAR* result = _wcsdup(out);
  std::free(out);
  return result;
}
