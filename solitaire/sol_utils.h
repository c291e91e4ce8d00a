// Small shared routines: a stable sort, the program's own resources, and the
// 8-bit text operations behind the rules page and the variant names.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ce_string.h"

using SolCompare = int (*)(const void* a, const void* b, void* user);

// Stable insertion sort with a halving search: an element that compares
// equal goes after the ones already there.
void SortArray(void* base, size_t count, size_t elementSize, SolCompare compare, void* user);

// The data of resource `id` of type `type`; null and size 0 when missing.
const uint8_t* LoadResourceData(uint16_t id, const WCHAR* type, size_t& size);
// String `id` of the program's string table; empty when missing.
CeString LoadText(UINT id);

// Position of `pattern` in `text` from `start` on (or backward from it), -1
// when it is not there.
int FindText(const CeStringA& text, const char* pattern, int start, bool forward);
// At most `count` bytes of `source` from `start`; returns the new length.
int MidText(CeStringA& destination, const CeStringA& source, int start, int count);
void AppendBytes(CeStringA& text, const char* bytes, int count);
bool CopyBeforeWrite(CeStringA& text);

// A size that the VGA builds scale by the screen's density (HIDPI_ScaleX/Y)
// and that the QVGA build takes as pixels, whatever its screen's density:
// the card and fan sizes, the empty-pile arrow, the card-back preview.
int SolFixedX(int n);
int SolFixedY(int n);

// Each byte masked with 0x7F becomes one UTF-16 unit.
void WidenText(const char* source, CeString& destination);
bool SetCharAt(CeString& text, int index, WCHAR unit);
