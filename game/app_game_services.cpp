#include "app_game_services.h"

#include <utility>

namespace {

// The layout of a 240 x 320 screen in pixels (layout units are pixels):
// seven columns of 28-pixel cards fit with a small gap, ten only with the
// small cards; the area's bottom leaves room for the toolbar.
constexpr std::pair<int, int16_t> kPortraitLayout[] = {
    {kValueHomeToleranceY, 2},
    {kValueHomeToleranceX, 2},
    {kValueMaxGap, 12},
    {kValueFanStep, 12},
    {kValueGrabY, 19},
    {kValueWasteFanStep, 10},
    {kValueGrabX, 14},
    {kValueSmallFrameOffset, 2},
    {kValueSmallFrameHeight, 34},
    {kValueSmallFrameWidth, 26},
    {kValueFrameOffset, 3},
    {kValueFrameHeight, 44},
    {kValueFrameWidth, 34},
    {kValueSmallCardHeight, 30},
    {kValueSmallCardWidth, 22},
    {kValueCardHeight, 38},
    {kValueCardWidth, 28},
    {kValueAreaWidth, 240},
    {kValueAreaHeight, 296},
    {kValueMargin, 2},
    {kValueTop, 2},
    {kValuePreviewMaxGap, 4},
    {kValuePreviewMargin, 2},
    {kValuePreviewCardHeight, 14},
    {kValuePreviewCardWidth, 10},
    {kValuePreviewAreaHeight, 100},
    {kValuePreviewAreaWidth, 100},
    {kValueLabelHeight, 10},
    {kValueExtraTop, 12},
    {kValueScreenHeight, 320},
    {kValueScreenWidth, 240},
};

constexpr int kTableSize = 256;

}  // namespace

CAppPlainGameServices::CAppPlainGameServices() : values_(kTableSize, 0) {
  for (const auto& [entry, v] : kPortraitLayout) values_[entry] = v;
}

int16_t CAppPlainGameServices::value(int entry) const {
  return entry >= 0 && entry < static_cast<int>(values_.size()) ? values_[entry] : 0;
}

void CAppPlainGameServices::setValue(int entry, int16_t v) {
  if (entry >= 0 && entry < static_cast<int>(values_.size())) values_[entry] = v;
}

int CAppPlainGameServices::random(int n) {
  if (n <= 0) return 0;
  randomState_ = randomState_ * 1103515245U + 12345U;
  return static_cast<int>((randomState_ >> 8) % static_cast<uint32_t>(n));
}

void CAppPlainGameServices::playSound(int id, int pan, int pitch, int volume, int priority) {
  sounds.push_back({id, pitch, volume});
}

void CAppPlainGameServices::recordGameResult(int32_t type, int won, uint32_t elapsed, uint16_t hints,
                                             uint16_t undoCount) {
  results.push_back({type, won, elapsed, hints, undoCount});
}

void CAppPlainGameServices::advanceDealNumber(int slot) {
  if (slot < 0 || slot >= kGameTypeCount) return;
  uint32_t& deal = settings_.dealNumber[slot];
  deal = deal >= kLastDealNumber ? 1 : deal + 1;
}

void CAppPlainGameServices::stillPlay() {
  for (auto& block : settings_.options) {
    block[kOptionAutoMoves] = 0;
    block[kOptionAnimate] = 0;
  }
}
