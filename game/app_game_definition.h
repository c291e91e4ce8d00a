// The rules-and-layout record of one of the twelve games: decks and suits,
// the piles with their places, fans, build and lift rules and deal, and the
// keypad cursor grid. The game builds its piles from it and never hard-codes
// a game.
#pragma once

#include <cstdint>
#include <vector>

#include "qzf_object.h"

class CAppGameServices;
struct AppGameSettings;

struct StockSpec {
  int32_t x = 0, y = 0;
  uint8_t redealLimit = 0;  // 127 = without limit
  uint8_t turnCount = 1;
  int32_t dealTarget = 0;  // 0 waste, 1 one card to each tableau, 2 first foundation
  uint8_t stockFaceUp = 0;
  uint8_t topPlayable = 0;
  uint8_t noDealOverGap = 0;
};

struct WasteSpec {
  int32_t x = 0, y = 0;
  uint8_t playable = 1;
  int32_t fan = 4;  // 2 left, 3 right, 4 squared
};

struct FoundationSpec {
  int32_t x = 0, y = 0;
  uint8_t baseRank = 1;
  int32_t baseSuit = 4;
  int32_t buildSuit = 0;
  int32_t buildDirection = 0;
  uint8_t wrap = 0;
  uint8_t rankStep = 1;
  uint8_t takeBack = 0;
  uint8_t singleCards = 1;
  uint8_t capacity = 13;
  int32_t seedSuit = 4;
  uint8_t seedRank = 0;
};

struct TableauSpec {
  int32_t x = 0, y = 0;
  uint8_t dealCount = 0;
  int32_t dealFaceMode = 0;
  int32_t fanMode = 1;
  int32_t pickUp = 1;
  uint8_t buildAllowed = 1;
  int32_t buildSuit = 1;
  int32_t buildDirection = 1;
  uint8_t wrap = 0;
  uint8_t rankStep = 1;
  int32_t runSuit = 1;
  uint8_t liftWholePile = 0;
  int32_t emptyAccepts = 1;
  uint8_t autoRefill = 0;
  uint8_t clearWhenEmpty = 1;
  uint8_t clearRank = 0;
};

struct ReserveSpec {
  int32_t word = 0;
  int32_t x = 0, y = 0;
  uint8_t dealCount = 0;
  int32_t dealFaceMode = 0;
  int32_t fanMode = 4;
  uint8_t autoRefill = 0;
  uint8_t coverable = 0;
  int32_t acceptsWhenEmpty = 0;
};

struct CellSpec {
  int32_t x = 0, y = 0;
};

class CAppGameDefinition : public CQZFObject {
 public:
  static constexpr int kGridRows = 7;
  static constexpr int kGridColumns = 12;
  static constexpr uint8_t kNoPile = 99;

  explicit CAppGameDefinition(CQZFObject* owner);

  // Fills the record for a game type (1-12) from the display's layout values
  // (preview: the miniature of the title screens) and the user's rule options.
  void setup(int32_t type, bool preview, CAppGameServices& services);

  uint8_t cursorGrid[kGridRows][kGridColumns];
  StockSpec stock;
  WasteSpec waste;
  std::vector<FoundationSpec> foundations;
  std::vector<TableauSpec> tableaux;
  std::vector<ReserveSpec> reserves;
  std::vector<CellSpec> cells;
  uint8_t deckCount = 0;
  uint8_t suitCount = 4;
  uint8_t hasStock = 0;
  uint8_t hasWaste = 0;
  uint8_t pairSum = 0;
  uint8_t gridRows = 0, gridColumns = 0;
  int16_t areaHeight = 0, areaWidth = 0;
  int16_t cardWidth = 0, cardHeight = 0;
  int16_t margin = 0, top = 0, maxGap = 0;
  int32_t mirrorBase = 0;
  int16_t smallCardWidth = 0, smallCardHeight = 0;
  uint8_t largeCards = 1;

  int foundationCount() const { return static_cast<int>(foundations.size()); }
  int tableauCount() const { return static_cast<int>(tableaux.size()); }
  int reserveCount() const { return static_cast<int>(reserves.size()); }
  int cellCount() const { return static_cast<int>(cells.size()); }
  // Piles of the game: waste, foundations, tableaux, reserves, cells, stock.
  int countPiles() const;

  // The column fit for n columns: the gap and left edge in pixels, switching
  // to the small cards when n play-size cards do not fit.
  struct Fit {
    int gap = 0;
    int left = 0;
  };
  Fit fitColumns(int n);
  // The fit of FreeCell's and Spider's own formulas (the gap must be positive).
  Fit fitColumnsStrict(int n, bool spiderGap);

 private:
  // Builders of the twelve games.
  void buildKlondike(const AppGameSettings& s);
  void buildFreecell(const AppGameSettings& s);
  void buildSpider(const AppGameSettings& s);
  void buildCalc(const AppGameSettings& s);
  void buildGolf(const AppGameSettings& s);
  void buildIdiot(const AppGameSettings& s);
  void buildCanfield(const AppGameSettings& s);
  void buildClock(const AppGameSettings& s);
  void buildFourCorners(const AppGameSettings& s);
  void buildYukon(const AppGameSettings& s);
  void buildSultan(const AppGameSettings& s);
  void buildPyramid(const AppGameSettings& s);

  // Pixel positions to layout units, x mirrored when the game's mirror
  // option is on.
  int32_t lx(int32_t px) const;
  int32_t ly(int32_t py) const;
  int32_t column(const Fit& fit, int c) const { return fit.left + c * (cardWidth + fit.gap); }
  int32_t row(int r) const { return top + r * (margin + cardHeight); }
  void setGrid(int rows, int columns, std::initializer_list<uint8_t> cellsRowByRow);
  void addFoundation(const FoundationSpec& f) { foundations.insert(foundations.begin(), f); }
  void addTableau(const TableauSpec& t) { tableaux.insert(tableaux.begin(), t); }
  void addCell(const CellSpec& c) { cells.insert(cells.begin(), c); }

  CAppGameServices* services_ = nullptr;
  bool mirrored_ = false;
};
