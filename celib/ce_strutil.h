// C-library-style helpers over NUL-terminated UTF-16 strings (and a few over
// 8-bit ones): sub-strings, searching, trimming, fields, paths, wildcards and
// tokens. A function that returns a new string allocates it with malloc (the
// caller frees it with free); an empty result is a fresh empty string, never
// null, unless said otherwise. Null is returned only when memory runs out.
// Positions and counts are in code units; a count of -1 means to the end.
#pragma once

#include "wince/types.h"

// --- Sub-strings and copies ---
// `count` units from `start` (-1 or past the end: to the end); empty for a
// null or empty str, count 0, or start outside the string.
WCHAR* StrMid(const WCHAR* str, int start, int count);
// The same into dst (which becomes empty in the failing cases).
void StrMidCopy(const WCHAR* src, WCHAR* dst, int start, int count);
// The first / last n units (n negative or past the length: all).
WCHAR* StrLeft(const WCHAR* str, int n);
WCHAR* StrRight(const WCHAR* str, int n);
// Copies up to count units (-1: all) and terminates dst; returns dst.
WCHAR* StrCopyN(WCHAR* dst, const WCHAR* src, int count);
// Copies up to count units of src to dst at index *pos, advances *pos and
// terminates. The NonEmpty form does nothing when dst and src are both empty.
void StrAppendAt(WCHAR* dst, int* pos, const WCHAR* src, int count);
void StrAppendAtNonEmpty(WCHAR* dst, int* pos, const WCHAR* src, int count);

// --- Search and replace ---
// The first case-insensitive occurrence of find in str; null when absent or
// for a null or empty argument.
const WCHAR* StrFindNoCase(const WCHAR* str, const WCHAR* find);
// Index of the first occurrence at or after start, or -1.
int StrFind(const WCHAR* str, const WCHAR* find, int start, bool caseSensitive);
int StrFindChar(const WCHAR* str, WCHAR ch, int start);
// Replaces every `from` by `to` in place; returns the length (0 for null).
int StrReplaceChar(WCHAR* str, WCHAR from, WCHAR to);
// Every occurrence of find at or after start replaced; the search goes on
// after each inserted replacement. A copy of str when str or find is empty
// or start lies outside str.
WCHAR* StrReplaceAll(const WCHAR* str, const WCHAR* find, const WCHAR* replacement, int start, bool caseSensitive);

// --- Trimming (white space as iswspace tells it); null in, null out ---
WCHAR* StrTrimLeft(const WCHAR* str);
WCHAR* StrTrimRight(const WCHAR* str);
WCHAR* StrTrim(const WCHAR* str);
// Cuts trailing white space (carriage returns and line feeds too) in place.
WCHAR* StrTrimRightInPlace(WCHAR* str);

// --- Fields and paths ---
// Separators + 1; 0 for a null string.
int StrCountFields(const WCHAR* str, WCHAR sep);
// The n-th separator (n from 1), or null.
const WCHAR* StrFindNth(const WCHAR* str, int n, WCHAR sep);
// Field n (from 1) between separators; null when n is not a field of str.
WCHAR* StrField(const WCHAR* str, int n, WCHAR sep);
// The last "\"-separated component; empty for a null path.
WCHAR* PathFileName(const WCHAR* path);
// Up to and including the last "\"; "\" for a path without one; empty for a
// null path.
WCHAR* PathDirectory(const WCHAR* path);
int StrFindNoCaseA(const char* str, const char* find);
const char* StrFindNthA(const char* str, int n, char sep);
char* StrFieldA(const char* str, int n, char sep);

// --- Wildcards ---
// 1 match, 0 no match, -1 the name ended while the pattern had more than a
// final "*". "*" any run, "?" any one unit, "\" makes the next unit literal
// (a "\" at the end of the pattern stands for itself); case matters.
int WildcardMatch(const WCHAR* name, const WCHAR* pattern);
// A pattern starting with "?" or "*" never matches a name starting with ".".
bool FileNameMatch(const WCHAR* name, const WCHAR* pattern);

// --- Tokens ---
// Set `string` (and the separator) before the first call; each call cuts the
// string at the next separator (writing a NUL there) and returns the token,
// empty tokens included, then null once the string is used up.
struct CeTokenState {
  WCHAR* position = nullptr;
  WCHAR* string = nullptr;
  const WCHAR* separator = nullptr;
};
WCHAR* NextToken(CeTokenState* state);
