#include "sol_utils.h"

#include <cstring>
#include <vector>

#include "ce_hidpi.h"
#include "sol_platform.h"

#ifndef CARROWIN_QVGA
#define CARROWIN_QVGA 0
#endif

void SortArray(void* base, size_t count, size_t elementSize, SolCompare compare, void* user) {
  if (elementSize == 0 || count < 2) return;
  auto* bytes = static_cast<uint8_t*>(base);
  auto at = [&](size_t i) { return bytes + i * elementSize; };
  std::vector<uint8_t> temp(elementSize);
  for (size_t i = 1; i < count; ++i) {
    if (compare(at(i - 1), at(i), user) <= 0) continue;
    size_t lo = 0;
    size_t hi = i;
    while (hi - lo > 1) {
      const size_t mid = lo + (hi - lo) / 2;
      if (compare(at(i), at(mid), user) < 0) {
        hi = mid;
      } else {
        lo = mid;
      }
    }
    const size_t place = compare(at(i), at(lo), user) < 0 ? lo : lo + 1;
    std::memcpy(temp.data(), at(i), elementSize);
    std::memmove(at(place + 1), at(place), (i - place) * elementSize);
    std::memcpy(at(place), temp.data(), elementSize);
  }
}

int SolFixedX(int n) { return CARROWIN_QVGA ? n : HIDPI_ScaleX(n); }
int SolFixedY(int n) { return CARROWIN_QVGA ? n : HIDPI_ScaleY(n); }

const uint8_t* LoadResourceData(uint16_t id, const WCHAR* type, size_t& size) {
  return SolFindResource(id, type, size);
}

CeString LoadText(UINT id) {
  CeString text;
  text.LoadString(GetModuleHandle(nullptr), id);
  return text;
}

int FindText(const CeStringA& text, const char* pattern, int start, bool forward) {
  const int plen = CeStringA::SafeLength(pattern);
  const int len = text.GetLength();
  if (plen <= 0 || start < 0) return -1;
  const char* s = text.GetString();
  auto matches = [&](int pos) { return std::memcmp(s + pos, pattern, static_cast<size_t>(plen)) == 0; };
  if (forward) {
    for (int pos = start; pos <= len - plen; ++pos) {
      if (matches(pos)) return pos;
    }
    return -1;
  }
  for (int pos = start > len - plen ? len - plen : start; pos >= 0; --pos) {
    if (matches(pos)) return pos;
  }
  return -1;
}

int MidText(CeStringA& destination, const CeStringA& source, int start, int count) {
  const int len = source.GetLength();
  if (count <= 0 || len == 0) {
    destination.Empty();
    return 0;
  }
  if (start < 0) start = 0;
  if (start >= len) start = len - 1;
  const int take = count < len - start ? count : len - start;
  CeStringA result;
  result.Assign(source.GetString() + start, take);
  destination = result;
  return destination.GetLength();
}

void AppendBytes(CeStringA& text, const char* bytes, int count) { text.Append(bytes, count); }

bool CopyBeforeWrite(CeStringA& text) { return text.CopyBeforeWrite(); }

void WidenText(const char* source, CeString& destination) {
  const int len = CeStringA::SafeLength(source);
  if (len <= 0) {
    destination.Empty();
    return;
  }
  destination.SetLength(len, true);
  for (int i = 0; i < len; ++i) destination.SetAt(i, static_cast<WCHAR>(static_cast<uint8_t>(source[i]) & 0x7F));
}

bool SetCharAt(CeString& text, int index, WCHAR unit) { return text.SetAt(index, unit); }
