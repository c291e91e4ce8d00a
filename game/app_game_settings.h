// The part of the user's settings block that the game engine reads: the
// per-type deal numbers and option bytes, the flags the engine sets after a
// deal, and the rule options of the twelve games. The defaults are those a
// new profile starts with.
#pragma once

#include <cstdint>

enum AppGameType : int32_t {
  kGameKlondike = 1,
  kGameFreecell = 2,
  kGameSpider = 3,
  kGameCalc = 4,
  kGameGolf = 5,
  kGameIdiot = 6,
  kGameCanfield = 7,
  kGameClock = 8,
  kGameFourCorners = 9,
  kGameYukon = 10,
  kGameSultan = 11,
  kGamePyramid = 12,
};

constexpr int kGameTypeCount = 12;
constexpr uint32_t kLastDealNumber = 9999999;

// Bytes of each game type's option block.
enum AppGameOption : int {
  kOptionAutoMoves = 0,  // 0 off, 1 every possible move, 2 safe moves only
  kOptionAutoTurn = 1,
  kOptionOneTouch = 2,
  kOptionAnimate = 3,
  kOptionMirror = 4,
  kOptionMarkAll = 5,
  kOptionMarkUseful = 6,
  kOptionToolbarOrder = 7,
  kOptionCount = 8,
};

// Suit rules (0 same suit, 1 other colour, 2 any), empty-pile rules (0 none,
// 1 any card, 2 King only) and deal-face modes (0-3, 4 columns alternate).
struct AppGameSettings {
  uint8_t rebuildFlag = 0;
  uint8_t showCards = 0;
  uint8_t tutorialPending = 1;
  uint8_t noUndo = 0;
  uint8_t noHelp = 0;
  int32_t currentGameType = kGameKlondike;
  uint32_t dealNumber[kGameTypeCount] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  uint8_t options[kGameTypeCount][kOptionCount] = {
      {0, 1, 1, 1, 0, 0, 0, 0}, {0, 1, 1, 1, 0, 0, 0, 0}, {0, 1, 1, 1, 0, 0, 0, 0}, {0, 1, 1, 1, 0, 0, 0, 0},
      {0, 1, 1, 1, 0, 0, 0, 0}, {0, 1, 1, 1, 0, 0, 0, 0}, {0, 1, 1, 1, 0, 0, 0, 0}, {0, 1, 1, 1, 0, 0, 0, 0},
      {0, 1, 1, 1, 0, 0, 0, 0}, {0, 1, 1, 1, 0, 0, 0, 0}, {0, 1, 1, 1, 0, 0, 0, 0}, {0, 1, 1, 1, 0, 0, 0, 0}};
  uint8_t instructionsShown[kGameTypeCount] = {};

  uint8_t klondikeTurnCount = 3;
  uint8_t klondikeRedealLimit = 3;
  uint8_t klondikeTakeBack = 0;
  uint32_t klondikeEmptyAccepts = 2;
  uint32_t klondikeDealFace = 2;
  uint8_t freecellDecks = 1;
  uint8_t freecellTakeBack = 0;
  uint32_t freecellEmptyAccepts = 1;
  uint32_t freecellBuildSuit = 1;
  uint8_t pyramidPairCovered = 0;
  uint8_t pyramidWinByFoundation = 0;
  uint8_t pyramidRedealLimit = 0;
  uint8_t pyramidStockFaceUp = 0;
  uint32_t spiderEmptyAccepts = 1;
  uint32_t spiderDealFace = 2;
  uint8_t spiderSuits = 1;
  uint32_t spiderRunRule = 0;
  uint8_t spiderNoDealOverGap = 1;
  uint8_t calcTakeBack = 0;
  uint32_t calcBuildSuit = 2;
  uint8_t calcRankStep = 0;
  uint8_t calcShowNextRank = 1;
  uint8_t golfWrap = 0;
  uint8_t golfKingStops = 1;
  uint8_t sultanTurnCount = 1;
  uint8_t sultanRedealLimit = 3;
  uint8_t sultanReserveRefill = 1;
  uint32_t sultanBuildSuit = 0;
  uint8_t idiotCountSourceColumn = 0;
  uint8_t idiotNoDealOverGap = 1;
  uint8_t canfieldTurnCount = 3;
  uint8_t canfieldRedealLimit = 127;
  uint8_t canfieldLiftWholePile = 0;
  uint8_t canfieldAutoRefill = 1;
  uint8_t canfieldReserveFanned = 1;
  uint8_t clockFace = 1;
  uint8_t fourCornersRedealLimit = 0;
  uint8_t fourCornersStockFaceUp = 0;
  uint8_t fourCornersAutoRefill = 1;
  uint8_t fourCornersFirstCardBase = 0;
  uint8_t yukonTakeBack = 0;
  uint32_t yukonEmptyAccepts = 2;
  uint32_t yukonDealFace = 2;
  uint32_t yukonBuildSuit = 1;

  // The option byte of a game type (1-12); 0 for a type outside that range.
  uint8_t option(int32_t type, int which) const {
    return type >= 1 && type <= kGameTypeCount && which >= 0 && which < kOptionCount ? options[type - 1][which] : 0;
  }
};
