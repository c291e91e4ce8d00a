#include "app_game_definition.h"

#include <algorithm>
#include <cstring>

#include "app_game_services.h"
#include "app_game_settings.h"

CAppGameDefinition::CAppGameDefinition(CQZFObject* owner) : CQZFObject(owner) {
  std::memset(cursorGrid, kNoPile, sizeof cursorGrid);
}

int CAppGameDefinition::countPiles() const {
  return hasWaste + foundationCount() + tableauCount() + reserveCount() + cellCount() + hasStock;
}

void CAppGameDefinition::setup(int32_t type, bool preview, CAppGameServices& services) {
  services_ = &services;
  const auto v = [&](int play, int small) { return services.value(preview ? small : play); };
  areaWidth = v(kValueAreaWidth, kValuePreviewAreaWidth);
  areaHeight = v(kValueAreaHeight, kValuePreviewAreaHeight);
  cardWidth = v(kValueCardWidth, kValuePreviewCardWidth);
  cardHeight = v(kValueCardHeight, kValuePreviewCardHeight);
  smallCardWidth = v(kValueSmallCardWidth, kValuePreviewCardWidth);
  smallCardHeight = v(kValueSmallCardHeight, kValuePreviewCardHeight);
  margin = v(kValueMargin, kValuePreviewMargin);
  top = v(kValueTop, kValuePreviewMargin);
  maxGap = v(kValueMaxGap, kValuePreviewMaxGap);
  const AppGameSettings& s = services.settings();
  mirrored_ = type != kGameClock && type != kGameFourCorners && s.option(type, kOptionMirror) != 0;
  switch (type) {
    case kGameKlondike: buildKlondike(s); break;
    case kGameFreecell: buildFreecell(s); break;
    case kGameSpider: buildSpider(s); break;
    case kGameCalc: buildCalc(s); break;
    case kGameGolf: buildGolf(s); break;
    case kGameIdiot: buildIdiot(s); break;
    case kGameCanfield: buildCanfield(s); break;
    case kGameClock: buildClock(s); break;
    case kGameFourCorners: buildFourCorners(s); break;
    case kGameYukon: buildYukon(s); break;
    case kGameSultan: buildSultan(s); break;
    case kGamePyramid: buildPyramid(s); break;
    default: break;
  }
  mirrorBase = services.toLayoutX(areaWidth - cardWidth);
}

CAppGameDefinition::Fit CAppGameDefinition::fitColumns(int n) {
  // In int throughout: a wide area must cap the gap, not wrap it negative.
  Fit fit;
  for (int attempt = 0; attempt < 2; ++attempt) {
    fit.gap = (areaWidth - 2 * margin - n * cardWidth) / (n - 1);
    if (fit.gap > maxGap) {
      fit.gap = maxGap;
      fit.left = (areaWidth - (n - 1) * maxGap - n * cardWidth) / 2;
      return fit;
    }
    fit.left = margin;
    if (fit.gap >= 0 || attempt == 1) return fit;
    cardWidth = smallCardWidth;
    cardHeight = smallCardHeight;
    largeCards = 0;
  }
  return fit;
}

CAppGameDefinition::Fit CAppGameDefinition::fitColumnsStrict(int n, bool spiderGap) {
  Fit fit;
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int room = areaWidth - 2 * margin - n * cardWidth;
    if (attempt == 0 && spiderGap) {
      fit.gap = room > 10 ? std::max(0, room / 10 - 1) : 0;
    } else {
      fit.gap = room > (spiderGap ? 10 : 0) ? room / (n - 1) : 0;
    }
    if (fit.gap > maxGap) {
      fit.gap = maxGap;
      fit.left = (areaWidth - (n - 1) * maxGap - n * cardWidth) / 2;
      return fit;
    }
    fit.left = margin;
    if (fit.gap > 0) return fit;
    if (attempt == 1) {
      fit.gap = 0;
      fit.left = room < 0 && n * cardWidth > areaWidth ? 0 : margin;
      return fit;
    }
    cardWidth = smallCardWidth;
    cardHeight = smallCardHeight;
    largeCards = 0;
  }
  return fit;
}

int32_t CAppGameDefinition::lx(int32_t px) const {
  return services_->toLayoutX(mirrored_ ? areaWidth - cardWidth - px : px);
}

int32_t CAppGameDefinition::ly(int32_t py) const { return services_->toLayoutY(py); }

void CAppGameDefinition::setGrid(int rows, int columns, std::initializer_list<uint8_t> cellsRowByRow) {
  gridRows = static_cast<uint8_t>(rows);
  gridColumns = static_cast<uint8_t>(columns);
  int i = 0;
  for (uint8_t cell : cellsRowByRow) {
    cursorGrid[i / columns][i % columns] = cell;
    ++i;
  }
}
