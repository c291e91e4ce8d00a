// The options record and the registry layout shared by every kind of stored
// data: options, saved games, statistics and best scores.
#pragma once

#include <cstdint>

#include "ce_string.h"
#include "wince/types.h"

#ifndef CARROWIN_SPIDER
#define CARROWIN_SPIDER 0
#endif

enum class SolRegKind { Prefs, GameState, Statistics, BestScores };

// "SOFTWARE\Norvex Software\Tessivar\" + game name + "\prefs", or for the
// other kinds + "\gameState" (etc.) + "\" + variant name.
CeString SolRegistryPath(const WCHAR* gameName, SolRegKind kind, const char* variantName = nullptr);

// Writes `size` bytes as the value "data" (type REG_DWORD whatever its size,
// as the statistics and best times are stored) of a variant's key.
void SolWriteRecord(const WCHAR* gameName, SolRegKind kind, const char* variantName, const void* data, DWORD size);

struct SolOptions {
  static constexpr int kNameUnits = 16;

  uint8_t timedGame = 1;
  uint32_t timeLimit = 3;
  int32_t suitsNumber = 4;
#if !CARROWIN_SPIDER
  uint32_t gameType = 2;
#endif
  uint8_t animation = 1;
  uint8_t playMode = 1;
  uint32_t bgColor = 0x8000;
  uint8_t softkeyMenu = 0;
  uint32_t cardBack = 0;
  uint8_t showTimer = 1;
  uint32_t curGameNumber = 0;
  WCHAR lastEnteredName[kNameUnits] = {};

  // Reads the options of program `gameName`; a new key gets every default
  // written. Values that do not fit or are out of range take their default.
  void Load(const WCHAR* gameName);
  // Writes every value.
  void Save(const WCHAR* gameName) const;
  // The SOLDB resource the options choose: by game type in the Klondike
  // build, by suit count in the Spider builds; repairs the choosing value.
  uint16_t RuleSetId();
};

constexpr uint16_t kSolFirstRuleSetId = 3900;
