// Text helpers of the platform layer: replacing tokens, code-page
// conversion, string resources and wide printf-style formatting.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <memory>

#include "qz_types.h"

// Units of the work buffer that QZReplaceAll builds its result in.
constexpr int QZ_REPLACE_BUFFER_UNITS = 1024;
// Characters (with the terminator) that the code-page conversions write.
constexpr int QZ_CONVERT_UNITS = 260;
// Characters of a string resource that QZLoadStringCopy keeps.
constexpr int QZ_STRING_COPY_UNITS = 255;

// Replaces every occurrence of token in text, a buffer of capacity units,
// scanning on after each replacement. Returns the number of replacements, or
// -10 (text unchanged) when the result would not fit in the buffer or in the
// work buffer. An empty token or a null argument replaces nothing.
int QZReplaceAll(char16_t* text, int capacity, const char16_t* token, const char16_t* replacement);
// The same with string resource stringId as the replacement; -5 when the
// program has no such string.
int QZReplaceAllWithString(char16_t* text, int capacity, const char16_t* token, uint16_t stringId);

// System code page conversions into an output of QZ_CONVERT_UNITS; longer
// texts are cut (a null text gives an empty one). Return the length
// written, without the terminator.
int QZWideToNarrow(const char16_t* text, char* out);
int QZNarrowToWide(const char* text, char16_t* out);

// String resource id (at most QZ_STRING_COPY_UNITS characters) in a new
// block; null when the program has no such string or memory runs out.
std::unique_ptr<char16_t[]> QZLoadStringCopy(uint16_t id);

// Wide printf-style text into out, at most capacity units with the
// terminator (cut short when longer). The length written, or -1 when cut.
int QZFormatWide(char16_t* out, int capacity, const char16_t* format, ...);
int QZFormatWideV(char16_t* out, int capacity, const char16_t* format, va_list args);
