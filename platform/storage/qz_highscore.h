// High-score tables: a fixed number of entries kept best first, stored as a
// saved preference block, protected by a checksum made with a modular
// exponentiation and optionally obscured on storage.
#pragma once

#include <cstdint>
#include <vector>

#include "qz_types.h"

constexpr uint16_t QZ_HIGHSCORE_MAX_ENTRIES = 2045;  // keeps the block within 16 bits
constexpr uint32_t QZ_HIGHSCORE_HEADER_SIZE = 64;
constexpr uint32_t QZ_HIGHSCORE_ENTRY_SIZE = 32;
constexpr uint32_t QZ_HIGHSCORE_NAME_CHARS = 11;
constexpr uint32_t QZ_HIGHSCORE_TEXT_CHARS = 256;

struct QZHighscoreEntry {
  uint32_t score = 0;
  char16_t name[QZ_HIGHSCORE_NAME_CHARS + 1] = {};
  uint32_t extra = 0;
};

struct QZHighscoreTable {
  uint16_t count = 0;
  int16_t marker = -1;
  uint32_t orderWord = 0;  // its low byte: 0 higher scores first, else lower first
  uint32_t checksum = 0;
  uint8_t version = 0;
  uint8_t encoding = 0;  // 0 plain, 1 obscured on storage
  std::vector<QZHighscoreEntry> entries;

  uint8_t order() const { return static_cast<uint8_t>(orderWord); }
};

// The launch settings' table version and minimum encoding (0 and 0 unless
// the application sets them).
void QZSetHighscoreVersion(uint8_t version, uint8_t minimumEncoding);

// A zero-filled table of 1..2045 entries; null for any other count.
QZHighscoreTable* QZCreateHighscoreTable(uint16_t count, uint32_t orderWord);
void QZFreeHighscoreTable(QZHighscoreTable* table);

// A table filled from the default text in string stringId; null when the
// string is missing or its count is not 1..2045.
QZHighscoreTable* QZGetDefaultHighscoreTable(uint16_t stringId);
// 0; -5 without the default text; -1 when its count differs.
QZStatus QZResetHighscoreTable(QZHighscoreTable* table, uint16_t stringId);
// Parses a default text (count line, then "name,score[,extra]" lines).
QZHighscoreTable* QZParseHighscoreText(const char16_t* text);

// Reads the saved block of count x 32 + 64 bytes: -1 on a size or count
// mismatch, -14 for another version or too low an encoding, -13 when the
// checksum does not match.
QZStatus QZReadHighscoreTable(QZHighscoreTable* table, uint16_t preferencesId);
QZStatus QZWriteHighscoreTable(const QZHighscoreTable* table, uint16_t preferencesId);

// The index a new score would take, or -1.
int16_t QZGetHighscorePosition(const QZHighscoreTable* table, uint32_t score);
// The index used, or -1 when the score does not enter the table.
int16_t QZInsertHighscore(QZHighscoreTable* table, uint32_t score, const char16_t* name, uint32_t extra);
uint32_t QZComputeHighscoreChecksum(const QZHighscoreTable* table);

// The stored form of a table (little-endian, entries obscured when encoding
// is 1), and back; decoding fails with -1 on a size or count mismatch.
std::vector<uint8_t> QZEncodeHighscoreBlock(const QZHighscoreTable& table);
QZStatus QZDecodeHighscoreBlock(const uint8_t* block, uint32_t size, QZHighscoreTable& table);
