// A player's settings block: the look, the deal numbers, the option bytes of
// every game type and the rules of each game. The profile form holds it; the
// game engine, the choosers and the settings forms read and change it in
// place through the pointer the application keeps.
#pragma once

#include <cstdint>

constexpr int kAppGameTypes = 12;
constexpr int kAppOptionBytes = 8;
// A colour scheme or background wash of "none".
constexpr uint8_t kAppNoScheme = 99;
constexpr uint32_t kAppLastDealNumber = 9999999;

// The rules of the twelve games. A cycled option stores the value of its
// list entry; a box stores 1 ticked, 0 not.
struct CAppGameRules {
  struct Klondike {
    uint8_t unused = 0;
    uint8_t drawCount = 3;
    uint8_t redealLimit = 3;  // 127: unlimited
    uint8_t box1341 = 0;
    uint32_t threeWayA = 2;
    uint32_t fourWayB = 2;
  } klondike;
  struct Freecell {
    uint8_t choice1354 = 1;
    uint8_t box1341 = 0;
    uint32_t threeWayA = 1;
    uint32_t threeWayC = 1;
  } freecell;
  struct Pyramid {
    uint8_t box1366 = 0;
    uint8_t box1367 = 0;
    uint8_t unused = 1;
    uint8_t redealLimit = 0;
    uint8_t box1368 = 0;
  } pyramid;
  struct Spider {
    uint32_t threeWayA = 1;
    uint32_t fourWayB = 2;
    uint8_t suits = 1;
    uint32_t choice1363 = 0;
    uint8_t box1450 = 1;
  } spider;
  struct Calculation {
    uint8_t box1341 = 0;
    uint32_t choice1357 = 2;
    uint8_t choice1357Flag = 0;
    uint8_t box1453 = 1;
  } calculation;
  struct Golf {
    uint8_t firstFlag = 0;
    uint8_t secondFlag = 1;
  } golf;
  struct Sultan {
    uint8_t drawCount = 1;
    uint8_t redealLimit = 3;
    uint8_t box1420 = 1;
    uint32_t choice1357 = 0;
  } sultan;
  struct Idiot {
    uint8_t box1366 = 0;
    uint8_t box1450 = 1;
  } idiot;
  struct Canfield {
    uint8_t drawCount = 3;
    uint8_t redealLimit = 127;
    uint8_t box1366 = 0;
    uint8_t box1420 = 1;
    uint8_t box1436 = 1;
  } canfield;
  struct Clock {
    uint8_t box1438 = 1;
  } clock;
  struct FourCorners {
    uint8_t redealLimit = 0;
    uint8_t box1368 = 0;
    uint8_t box1420 = 1;
    uint8_t box1440 = 0;
  } fourCorners;
  uint8_t spare = 1;  // kept and stored, written by no form
  struct Yukon {
    uint8_t box1341 = 0;
    uint32_t threeWayA = 2;
    uint32_t fourWayB = 2;
    uint32_t threeWayC = 1;
  } yukon;
};

struct CAppSettings {
  // Set by a chooser or settings form; the background and the game's look
  // and layout are rebuilt and the flag cleared.
  uint8_t settingsChanged = 0;
  // Not saved: the game shows its cards face up while set.
  uint8_t showCards = 0;
  uint8_t tutorialPending = 1;
  uint8_t cardBackPage = 0;
  uint8_t cardBackEntry = 0;
  uint16_t cardBackLarge = 816;
  uint16_t cardBackSmall = 762;
  uint8_t backgroundPage = 0;
  uint8_t backgroundCell = 0;
  uint16_t backgroundImage = 2;  // plane 2-7
  uint8_t backgroundScheme = 3;  // colour wash 0-8, kAppNoScheme none
  uint8_t backgroundGradient = 1;
  uint16_t colourScheme = 3;
  uint16_t cardFrontLargeSet = 85;
  uint16_t cardFrontLargeImage = 977;
  uint16_t cardFrontSmallSet = 80;
  uint16_t cardFrontSmallImage = 873;
  uint32_t dealNumber[kAppGameTypes] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  uint32_t currentGameType = 1;
  // Per type: 0 automatic moves, 3 deal animation, 5 and 6 highlight help, 7 toolbar order.
  uint8_t gameOptions[kAppGameTypes][kAppOptionBytes] = {
      {0, 1, 1, 1, 0, 0, 0, 0}, {0, 1, 1, 1, 0, 0, 0, 0}, {0, 1, 1, 1, 0, 0, 0, 0}, {0, 1, 1, 1, 0, 0, 0, 0},
      {0, 1, 1, 1, 0, 0, 0, 0}, {0, 1, 1, 1, 0, 0, 0, 0}, {0, 1, 1, 1, 0, 0, 0, 0}, {0, 1, 1, 1, 0, 0, 0, 0},
      {0, 1, 1, 1, 0, 0, 0, 0}, {0, 1, 1, 1, 0, 0, 0, 0}, {0, 1, 1, 1, 0, 0, 0, 0}, {0, 1, 1, 1, 0, 0, 0, 0}};
  CAppGameRules rules;
  uint8_t titleIntroShown = 0;
};
