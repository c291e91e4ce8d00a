// The builders of the twelve games: piles, rules, places and cursor grids.
#include <cstdint>

#include "app_game_definition.h"
#include "app_game_services.h"
#include "app_game_settings.h"

namespace {

// Foundation rules: base rank and suit, build suit, direction, wrap, step,
// take back, single cards, capacity, seed suit and rank.
FoundationSpec foundation(int32_t x, int32_t y, uint8_t baseRank, int32_t buildSuit, int32_t direction, uint8_t wrap,
                          uint8_t step, uint8_t takeBack, uint8_t single, uint8_t capacity, int32_t seedSuit,
                          uint8_t seedRank) {
  FoundationSpec f;
  f.x = x;
  f.y = y;
  f.baseRank = baseRank;
  f.baseSuit = 4;
  f.buildSuit = buildSuit;
  f.buildDirection = direction;
  f.wrap = wrap;
  f.rankStep = step;
  f.takeBack = takeBack;
  f.singleCards = single;
  f.capacity = capacity;
  f.seedSuit = seedSuit;
  f.seedRank = seedRank;
  return f;
}

// Up in suit from the ace, one at a time, thirteen cards.
FoundationSpec suitFoundation(int32_t x, int32_t y, uint8_t takeBack, uint8_t wrap) {
  return foundation(x, y, 1, 0, 0, wrap, 1, takeBack, 1, 13, 4, 0);
}

struct TableauRules {
  int32_t dealFaceMode, fanMode, pickUp;
  uint8_t buildAllowed;
  int32_t buildSuit, buildDirection;
  uint8_t wrap, rankStep;
  int32_t runSuit;
  uint8_t liftWholePile;
  int32_t emptyAccepts;
  uint8_t autoRefill, clearWhenEmpty, clearRank;
};

TableauSpec tableau(int32_t x, int32_t y, int dealCount, const TableauRules& r) {
  TableauSpec t;
  t.x = x;
  t.y = y;
  t.dealCount = static_cast<uint8_t>(dealCount);
  t.dealFaceMode = r.dealFaceMode;
  t.fanMode = r.fanMode;
  t.pickUp = r.pickUp;
  t.buildAllowed = r.buildAllowed;
  t.buildSuit = r.buildSuit;
  t.buildDirection = r.buildDirection;
  t.wrap = r.wrap;
  t.rankStep = r.rankStep;
  t.runSuit = r.runSuit;
  t.liftWholePile = r.liftWholePile;
  t.emptyAccepts = r.emptyAccepts;
  t.autoRefill = r.autoRefill;
  t.clearWhenEmpty = r.clearWhenEmpty;
  t.clearRank = r.clearRank;
  return t;
}

// Mode 4 deals whole columns alternately face down and face up, column 0 down.
int32_t columnFace(int32_t mode, int column) {
  if (mode != 4) return mode;
  return column % 2 == 0 ? 1 : 0;
}

StockSpec stockAt(int32_t x, int32_t y, uint8_t redeal, uint8_t turn, int32_t target, uint8_t faceUp,
                  uint8_t topPlayable, uint8_t noDealOverGap) {
  StockSpec s;
  s.x = x;
  s.y = y;
  s.redealLimit = redeal;
  s.turnCount = turn;
  s.dealTarget = target;
  s.stockFaceUp = faceUp;
  s.topPlayable = topPlayable;
  s.noDealOverGap = noDealOverGap;
  return s;
}

ReserveSpec reserve(int32_t x, int32_t y, int dealCount, int32_t face, int32_t fan, uint8_t refill, uint8_t coverable,
                    int32_t acceptsWhenEmpty) {
  ReserveSpec r;
  r.x = x;
  r.y = y;
  r.dealCount = static_cast<uint8_t>(dealCount);
  r.dealFaceMode = face;
  r.fanMode = fan;
  r.autoRefill = refill;
  r.coverable = coverable;
  r.acceptsWhenEmpty = acceptsWhenEmpty;
  return r;
}

}  // namespace

void CAppGameDefinition::buildKlondike(const AppGameSettings& s) {
  const Fit fit = fitColumns(7);
  deckCount = 1;
  hasStock = hasWaste = 1;
  stock = stockAt(lx(column(fit, 0)), ly(row(0)), s.klondikeRedealLimit, s.klondikeTurnCount, 0, 0, 0, 0);
  waste = {lx(column(fit, 1)), ly(row(0)), 1, mirrored_ ? 2 : 3};
  for (int c = 3; c <= 6; ++c) addFoundation(suitFoundation(lx(column(fit, c)), ly(row(0)), s.klondikeTakeBack, 0));
  for (int j = 0; j <= 6; ++j) {
    const int32_t face = columnFace(static_cast<int32_t>(s.klondikeDealFace), j);
    const auto emptyAccepts = static_cast<int32_t>(s.klondikeEmptyAccepts);
    addTableau(
        tableau(lx(column(fit, j)), ly(row(1)), j + 1, {face, 1, 1, 1, 1, 1, 0, 1, 1, 0, emptyAccepts, 0, 1, 0}));
  }
  setGrid(2, 7, {12, 0, 0, 4, 3, 2, 1, 11, 10, 9, 8, 7, 6, 5});
}

void CAppGameDefinition::buildFreecell(const AppGameSettings& s) {
  const bool two = s.freecellDecks == 2;
  deckCount = two ? 2 : 1;
  Fit fit8 = fitColumnsStrict(8, false);
  Fit fit10;
  if (two) {
    const uint8_t before = largeCards;
    fit10 = fitColumnsStrict(10, false);
    // The ten columns forced the small cards: the eight-column fit follows them.
    if (before != largeCards) fit8 = fitColumnsStrict(8, false);
  }
  stock = stockAt(lx(column(fit8, 0)), ly(row(0)), 0, 1, 0, 0, 0, 0);
  const auto buildSuit = static_cast<int32_t>(s.freecellBuildSuit);
  const auto emptyAccepts = static_cast<int32_t>(s.freecellEmptyAccepts);
  // Runs follow the build suit: a rule that lifts no sequence the player
  // could build would leave every group move impossible.
  const TableauRules rules = {0, 1, 1, 1, buildSuit, 1, 0, 1, buildSuit, 0, emptyAccepts, 0, 1, 0};
  const int piles = 4 * deckCount;
  for (int k = 0; k < piles; ++k) {
    const int32_t x = areaWidth - (k + 1) * cardWidth - k * fit8.gap - fit8.left;
    addFoundation(suitFoundation(lx(x), ly(row(0)), s.freecellTakeBack, 0));
  }
  for (int k = 0; k < piles; ++k) {
    if (two) {
      const int32_t x = areaWidth - (k + 1) * cardWidth - k * fit8.gap - fit8.left;
      addCell({lx(x), ly(top + margin / 2 + cardHeight)});
    } else {
      addCell({lx(column(fit8, k)), ly(row(0))});
    }
  }
  const int columns = two ? 10 : 8;
  for (int m = 0; m < columns; ++m) {
    if (two) {
      const int32_t x = fit10.left + m * (fit10.gap + cardWidth);
      addTableau(tableau(lx(x), ly(top + 2 * cardHeight + margin), m < 4 ? 11 : 10, rules));
    } else {
      addTableau(tableau(lx(column(fit8, m)), ly(row(1)), m < 4 ? 7 : 6, rules));
    }
  }
  if (two) {
    setGrid(3, 10, {99, 0,  1,  2,  3,  4,  5,  6,  7,  99, 99, 18, 19, 20, 21,
                    22, 23, 24, 25, 99, 17, 16, 15, 14, 13, 12, 11, 10, 9,  8});
  } else {
    setGrid(2, 8, {15, 14, 13, 12, 0, 1, 2, 3, 11, 10, 9, 8, 7, 6, 5, 4});
  }
}

void CAppGameDefinition::buildSpider(const AppGameSettings& s) {
  const Fit fit = fitColumnsStrict(10, true);
  deckCount = 2;
  suitCount = s.spiderSuits;
  hasStock = 1;
  stock = stockAt(lx(column(fit, 0)), ly(row(0)), 0, 10, 1, 0, 0, s.spiderNoDealOverGap);
  for (int k = 0; k < 8; ++k) {
    const int32_t x = areaWidth - (k + 1) * (fit.gap + cardWidth) - fit.left;
    addFoundation(foundation(lx(x), ly(row(0)), 1, 0, 0, 0, 1, 0, 0, 13, 4, 0));
  }
  const int32_t pickUp = s.spiderRunRule == 2 ? 2 : 1;
  const int32_t runSuit = s.spiderRunRule == 0 ? 0 : 2;
  const auto emptyAccepts = static_cast<int32_t>(s.spiderEmptyAccepts);
  for (int j = 0; j < 10; ++j) {
    const int32_t face = columnFace(static_cast<int32_t>(s.spiderDealFace), j);
    addTableau(tableau(lx(column(fit, j)), ly(row(1)), j < 4 ? 6 : 5,
                       {face, 1, pickUp, 1, 2, 1, 0, 1, runSuit, 0, emptyAccepts, 0, 1, 0}));
  }
  setGrid(2, 10, {18, 99, 0, 1, 2, 3, 4, 5, 6, 7, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8});
}

void CAppGameDefinition::buildCalc(const AppGameSettings& s) {
  if (top == services_->value(kValueTop)) top = static_cast<int16_t>(top + services_->value(kValueExtraTop));
  const Fit fit = fitColumns(5);
  deckCount = 1;
  hasStock = 1;
  stock = stockAt(lx(column(fit, 0)), ly(row(0)), 0, 1, 0, 1, 1, 0);
  for (int i = 1; i <= 4; ++i) {
    const auto rank = static_cast<uint8_t>(i);
    addFoundation(foundation(lx(column(fit, i)), ly(row(0)), rank, 2, 0, 0, rank, s.calcTakeBack, 1, 13, 0, rank));
  }
  const auto suit = static_cast<int32_t>(s.calcBuildSuit);
  for (int j = 1; j <= 4; ++j) {
    addTableau(
        tableau(lx(column(fit, j)), ly(row(1)), 0, {0, 1, 0, 1, suit, 1, 0, s.calcRankStep, suit, 0, 1, 0, 1, 0}));
  }
  setGrid(2, 5, {8, 3, 2, 1, 0, 8, 7, 6, 5, 4});
}

void CAppGameDefinition::buildGolf(const AppGameSettings& s) {
  const Fit fit = fitColumns(7);
  deckCount = 1;
  hasStock = 1;
  stock = stockAt(lx(column(fit, 0)), ly(row(0)), 0, 1, 2, 0, 0, 0);
  addFoundation(foundation(lx(column(fit, 1)), ly(row(0)), 0, 2, 2, s.golfWrap ? 1 : 0, 1, 0, 1, 52, 4, 0));
  for (int j = 0; j <= 6; ++j) {
    addTableau(tableau(lx(column(fit, j)), ly(row(1)), 5, {0, 1, 0, 0, 2, 1, 0, 1, 2, 0, 0, 0, 1, 0}));
  }
  setGrid(2, 7, {8, 0, 0, 0, 0, 0, 0, 7, 6, 5, 4, 3, 2, 1});
}

void CAppGameDefinition::buildIdiot(const AppGameSettings& s) {
  const Fit fit = fitColumns(5);
  deckCount = 1;
  hasStock = hasWaste = 1;
  stock = stockAt(lx(column(fit, 0)), ly(row(0)), 0, 4, 1, 0, 0, s.idiotNoDealOverGap);
  waste = {lx(column(fit, 0)), ly(row(1)), 0, 4};
  for (int j = 1; j <= 4; ++j) {
    addTableau(tableau(lx(column(fit, j)), ly(row(0)), 1, {0, 1, 0, 0, 2, 1, 0, 1, 2, 0, 1, 0, 0, 1}));
  }
  setGrid(2, 5, {5, 4, 3, 2, 1, 0, 0, 0, 0, 0});
}

void CAppGameDefinition::buildCanfield(const AppGameSettings& s) {
  const Fit fit = fitColumns(6);
  deckCount = 1;
  hasStock = hasWaste = 1;
  stock = stockAt(lx(column(fit, 0)), ly(row(0)), s.canfieldRedealLimit, s.canfieldTurnCount, 0, 0, 0, 0);
  waste = {lx(column(fit, 1)), ly(row(0)), 1, 4};
  for (int c = 2; c <= 5; ++c) addFoundation(suitFoundation(lx(column(fit, c)), ly(row(0)), 0, 1));
  for (int c = 2; c <= 5; ++c) {
    addTableau(tableau(lx(column(fit, c)), ly(row(1)), 1,
                       {0, 1, 1, 1, 1, 1, 1, 1, 1, s.canfieldLiftWholePile, 1, s.canfieldAutoRefill, 1, 0}));
  }
  reserves.push_back(reserve(lx(column(fit, 0)), ly(row(1)), 13, 0, s.canfieldReserveFanned ? 1 : 4, 0, 0, 0));
  setGrid(2, 6, {10, 0, 4, 3, 2, 1, 9, 8, 8, 7, 6, 5});
}

void CAppGameDefinition::buildClock(const AppGameSettings& s) {
  top = static_cast<int16_t>(top - 1);
  const Fit fit = fitColumns(6);
  int g = fit.gap;
  deckCount = 1;
  const int32_t centreX = areaWidth / 2 - cardWidth / 2;
  const auto hourPile = [&](int32_t x, int32_t y, int k) {
    reserves.push_back(reserve(lx(x), ly(y), 4, k == 12 ? 2 : 1, 4, 0, 0, 0));
  };
  if (!s.clockFace) {
    stock = stockAt(lx(centreX), ly(top + 2 * (margin + cardHeight)), 0, 1, 0, 0, 0, 0);
    for (int k = 0; k < 12; ++k) hourPile(column(fit, k % 6), k < 6 ? top : top + margin + cardHeight, k);
    hourPile(centreX, top + 2 * (margin + cardHeight), 12);
    setGrid(3, 6, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 99, 99, 12, 12, 99, 99});
    return;
  }
  // A gap that would push the face past the area is halved, as a signed
  // value that never goes below 0.
  if (areaHeight < top + 2 * (3 * cardHeight + g)) g = g < 0 ? 0 : g / 2;
  const bool tall = top + 2 * (3 * cardHeight + g) <= areaHeight;
  const int t = cardHeight / 3;
  const int32_t centreY = top + 5 * cardHeight / 3 + g + (tall ? t : 0);
  stock = stockAt(lx(centreX), ly(centreY), 0, 1, 0, 0, 0, 0);
  const int w = cardWidth + g;
  const int h = cardHeight + g;
  const int half = cardWidth / 2;
  struct Step {
    int dx, dyTall, dy;
  };
  const Step steps[11] = {
      {w, 2 * t, t + g}, {half, h, h},          {-half, h, h},          {-w, 2 * t, t + g},
      {-w, t, t - g},    {-w, -t, -(t - g)},    {-w, -2 * t, -(t + g)}, {-half, -h, -h},
      {half, -h, -h},    {w, -2 * t, -(t + g)}, {w, -t, -(t - g)},
  };
  int32_t x = areaWidth / 2 + cardWidth / 2 + g;
  int32_t y = tall ? top + t : top + t - g;
  hourPile(x, y, 0);
  for (int k = 1; k < 12; ++k) {
    x += steps[k - 1].dx;
    y += tall ? steps[k - 1].dyTall : steps[k - 1].dy;
    hourPile(x, y, k);
  }
  hourPile(centreX, centreY, 12);
  setGrid(2, 12, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12});
}

void CAppGameDefinition::buildFourCorners(const AppGameSettings& s) {
  const Fit fit = fitColumns(5);
  deckCount = 1;
  hasStock = hasWaste = 1;
  const uint8_t faceUp = s.fourCornersStockFaceUp ? 1 : 0;
  stock = stockAt(lx(column(fit, 0)), ly(row(0)), s.fourCornersRedealLimit, 1, 0, faceUp, faceUp, 0);
  waste = {lx(column(fit, 1)), ly(row(0)), 1, 4};
  const int32_t row2 = top + 2 * (margin + cardHeight);
  const int32_t corners[4][2] = {{2, row(0)}, {4, row(0)}, {2, row2}, {4, row2}};
  for (int k = 0; k < 4; ++k) {
    const uint8_t seed = (k == 3 && !s.fourCornersFirstCardBase) ? 1 : 0;
    addFoundation(foundation(lx(column(fit, corners[k][0])), ly(corners[k][1]), 1, 0, 0, 1, 1, 0, 1, 13, 4, seed));
  }
  const int32_t cross[5][2] = {{3, row(0)}, {2, row(1)}, {3, row(1)}, {4, row(1)}, {3, row2}};
  for (const auto& place : cross) {
    addTableau(tableau(lx(column(fit, place[0])), ly(place[1]), 1,
                       {0, 4, 0, 1, 2, 1, 1, 1, 0, 0, 1, s.fourCornersAutoRefill, 1, 0}));
  }
  setGrid(3, 5, {10, 0, 4, 9, 3, 10, 0, 8, 7, 6, 10, 0, 2, 5, 1});
}

void CAppGameDefinition::buildYukon(const AppGameSettings& s) {
  const Fit fit = fitColumns(7);
  deckCount = 1;
  stock = stockAt(lx(column(fit, 0)), ly(row(0)), 0, 1, 0, 0, 0, 0);
  for (int c = 3; c <= 6; ++c) addFoundation(suitFoundation(lx(column(fit, c)), ly(row(0)), s.yukonTakeBack, 0));
  const auto buildSuit = static_cast<int32_t>(s.yukonBuildSuit);
  const auto emptyAccepts = static_cast<int32_t>(s.yukonEmptyAccepts);
  for (int j = 0; j <= 6; ++j) {
    const int32_t face = columnFace(static_cast<int32_t>(s.yukonDealFace), j);
    addTableau(tableau(lx(column(fit, j)), ly(row(1)), j == 0 ? 1 : j + 5,
                       {face, 1, 2, 1, buildSuit, 1, 0, 1, 2, 0, emptyAccepts, 0, 1, 0}));
  }
  setGrid(2, 7, {3, 3, 3, 3, 2, 1, 0, 10, 9, 8, 7, 6, 5, 4});
}

void CAppGameDefinition::buildSultan(const AppGameSettings& s) {
  const Fit fit = fitColumns(7);
  deckCount = 2;
  hasStock = hasWaste = 1;
  stock = stockAt(lx(column(fit, 0)), ly(row(0)), s.sultanRedealLimit, s.sultanTurnCount, 0, 0, 0, 0);
  waste = {lx(column(fit, 1)), ly(row(0)), 1, 4};
  // Seed rank, seed suit and capacity, row by row from the top left.
  static constexpr uint8_t kSeeds[9][3] = {{13, 1, 13}, {1, 0, 12},  {13, 1, 13}, {13, 2, 13}, {13, 0, 1},
                                           {13, 2, 13}, {13, 3, 13}, {13, 0, 13}, {13, 3, 13}};
  const int32_t y0 = top + cardHeight / 2;
  const auto buildSuit = static_cast<int32_t>(s.sultanBuildSuit);
  for (int k = 0; k < 9; ++k) {
    const int32_t y = y0 + (k / 3) * (margin + cardHeight);
    addFoundation(foundation(lx(column(fit, 3 + k % 3)), ly(y), 0, buildSuit, 0, 0, 1, 0, 1, kSeeds[k][2], kSeeds[k][1],
                             kSeeds[k][0]));
  }
  for (int c : {2, 6}) {
    for (int r = 0; r < 4; ++r) {
      reserves.insert(reserves.begin(), reserve(lx(column(fit, c)), ly(row(r)), 1, 0, 4, s.sultanReserveRefill, 0, 1));
    }
  }
  setGrid(4, 7, {18, 0, 17, 9, 8, 7, 13, 18, 0, 16, 6, 5, 4, 12, 18, 0, 15, 3, 2, 1, 11, 99, 99, 14, 99, 99, 99, 10});
}

void CAppGameDefinition::buildPyramid(const AppGameSettings& s) {
  deckCount = 1;
  pairSum = 13;
  hasStock = hasWaste = 1;
  const uint8_t faceUp = s.pyramidStockFaceUp ? 1 : 0;
  stock = stockAt(lx(margin), ly(row(0)), s.pyramidRedealLimit, 1, 0, faceUp, faceUp, 0);
  waste = {lx(cardWidth + 2 * margin), ly(row(0)), 1, mirrored_ ? 2 : 3};
  addFoundation(foundation(lx(areaWidth - margin - cardWidth), ly(row(0)), 0, 0, 0, 0, 1, 0, 1, 52, 4, 0));
  for (int r = 0; r < 7; ++r) {
    const int32_t start = areaWidth / 2 - cardWidth / 2 - r * (cardWidth / 2 + 1);
    const int32_t y = top + cardHeight * r / 2 + margin;
    for (int c = 0; c <= r; ++c) reserves.push_back(reserve(lx(start + c * (cardWidth + 2)), ly(y), 1, 0, 4, 0, 1, 0));
  }
  gridRows = 7;
  gridColumns = 9;
  int first = 2;
  for (int r = 0; r < 7; ++r) {
    cursorGrid[r][0] = 30;
    cursorGrid[r][1] = 0;
    for (int c = 0; c < 7; ++c) cursorGrid[r][2 + c] = static_cast<uint8_t>(first + (c <= r ? c : r));
    first += r + 1;
  }
}
