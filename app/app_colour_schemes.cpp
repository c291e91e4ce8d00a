#include "app_colour_schemes.h"

#include <algorithm>
#include <iterator>

#include "app_settings.h"
#include "app_value_tables.h"
#include "qzf_graphics.h"
#include "qzf_load_screen.h"

namespace {

constexpr CAppColourSchemes::Scheme kSchemeTable[CAppColourSchemes::kSchemes] = {
    {{221, 0, 255}, {76, 0, 107}, {131, 100, 175}, {229, 200, 255}},
    {{84, 0, 0}, {191, 0, 0}, {165, 73, 73}, {255, 170, 173}},
    {{0, 0, 61}, {25, 79, 249}, {86, 76, 153}, {181, 174, 255}},
    {{0, 30, 0}, {89, 242, 135}, {86, 124, 94}, {181, 223, 189}},
    {{255, 30, 216}, {247, 0, 168}, {237, 127, 160}, {255, 227, 255}},
    {{86, 38, 7}, {242, 242, 12}, {153, 153, 58}, {255, 251, 156}},
    {{204, 22, 2}, {247, 153, 5}, {170, 86, 0}, {255, 182, 99}},
    {{0, 0, 0}, {124, 124, 124}, {124, 124, 124}, {222, 223, 222}},
    {{5, 91, 91}, {5, 239, 239}, {89, 124, 127}, {189, 223, 231}},
};

// The shared sets in loading order; the load screen advances after those marked.
struct StartupSet {
  int id;
  bool step;
};
constexpr StartupSet kStartupSets[] = {
    {0, true},   {8, true},   {9, true},   {10, true},  {1, true},   {2, false},  {3, true},   {4, true},
    {97, false}, {23, false}, {24, false}, {21, false}, {20, false}, {14, false}, {19, false}, {18, false},
    {15, false}, {17, false}, {22, false}, {16, false}, {25, false}, {99, true},
};
constexpr int kArtworkSets[] = {1, 2, 4};
constexpr int kBackgroundSets[] = {12, 100, 11};
constexpr int kTitlePlane = 1;
constexpr int kTitleSet = 98;
constexpr uint16_t kTitleHeader = 1229;
constexpr uint16_t kBackgroundFrame = 682;
constexpr uint16_t kOrnament = 1231;
constexpr int kTitleLevel = 110;
constexpr int kWashLevel = 100;
constexpr int kOpaque = 255;

uint16_t colour(const uint16_t (&rgb)[3]) { return CQZFGraphics::makeColour(rgb[0], rgb[1], rgb[2]); }

int value(std::span<const int16_t> values, AppValue index) { return index < values.size() ? values[index] : 0; }

const CAppSettings& settingsOrDefaults(const CAppSettings* settings) {
  static const CAppSettings kDefaults{};
  return settings ? *settings : kDefaults;
}

int schemeIndex(int scheme) { return scheme >= 0 && scheme < CAppColourSchemes::kSchemes ? scheme : 3; }

}  // namespace

CAppColourSchemes::CAppColourSchemes() { std::copy(std::begin(kSchemeTable), std::end(kSchemeTable), schemes_); }

int16_t CAppColourSchemes::loadColourSchemes(CQZFGraphics& graphics, CQZFLoadScreen* loadScreen) {
  std::copy(std::begin(kSchemeTable), std::end(kSchemeTable), schemes_);
  for (const StartupSet& set : kStartupSets) {
    if (const int16_t r = graphics.loadBlobSet(set.id, 0); r < 0) return r;
    if (set.step && loadScreen) loadScreen->step();
  }
  return 0;
}

uint16_t CAppColourSchemes::formColour(const CAppSettings* settings) const {
  const int s = settings ? schemeIndex(settings->colourScheme) : kDefaultScheme;
  return colour(schemes_[s].form);
}

// A set another holder keeps loaded is not loaded again, and keeps its tint
// rather than taking a second one on top.
void CAppColourSchemes::retint(CQZFGraphics& graphics, int setId, const Scheme& scheme) const {
  if (graphics.isBlobSetLoaded(setId)) graphics.releaseBlobSet(setId);
  if (graphics.isBlobSetLoaded(setId) || graphics.loadBlobSet(setId, 0) < 0) return;
  static_cast<void>(graphics.tintBlobSet(setId, scheme.tint[0] - kTintBias, scheme.tint[1] - kTintBias,
                                         scheme.tint[2] - kTintBias, -1, 0));
  static_cast<void>(graphics.refreshBlobSet(setId));
}

void CAppColourSchemes::drawTitleTable(CQZFGraphics& graphics, std::span<const int16_t> values,
                                       const Scheme& scheme) const {
  if (graphics.isPlaneLoaded(kTitlePlane)) graphics.releasePlane(kTitlePlane);
  if (graphics.loadPlane(kTitlePlane, 0) < 0) return;
  if (!graphics.isBlobSetLoaded(kTitleSet)) static_cast<void>(graphics.loadBlobSet(kTitleSet, 0));
  if (graphics.drawToPlane(kTitlePlane) < 0) return;
  graphics.fillGradient(0, 0, value(values, kAppValueScreenWidth), value(values, kAppValueScreenHeight), 0, kTitleLevel,
                        colour(scheme.top), colour(scheme.bottom));
  graphics.drawBlob(kTitleHeader, value(values, kAppValueHeaderX), value(values, kAppValueHeaderY), 0, kOpaque);
  graphics.flush();
  graphics.drawToScreen();
}

void CAppColourSchemes::loadBackground(CQZFGraphics& graphics, uint16_t plane) {
  if (backgroundPlane_ != 0 && graphics.isPlaneLoaded(backgroundPlane_)) graphics.releasePlane(backgroundPlane_);
  backgroundPlane_ = plane;
  static_cast<void>(graphics.loadPlane(plane, 0));
}

bool CAppColourSchemes::washBackground(CQZFGraphics& graphics, std::span<const int16_t> values,
                                       const CAppSettings& settings) const {
  if (settings.backgroundScheme == kAppNoScheme || graphics.drawToPlane(backgroundPlane_) < 0) return false;
  const Scheme& wash = schemes_[schemeIndex(settings.backgroundScheme)];
  const int w = value(values, kAppValueScreenWidth), h = value(values, kAppValueScreenHeight);
  if (settings.backgroundGradient == 1) {
    graphics.fillGradient(0, 0, w, h, 0, kWashLevel, colour(wash.top), colour(wash.bottom));
  } else {
    graphics.fillRect(0, 0, w, h, 0, kWashLevel, colour(wash.bottom));
  }
  return true;
}

void CAppColourSchemes::drawOrnaments(CQZFGraphics& graphics, std::span<const int16_t> values) const {
  graphics.drawBlob(kBackgroundFrame, value(values, kAppValueFrameX), 0, 0, kOpaque);
  graphics.drawBlob(kOrnament, value(values, kAppValueOrnament1X), value(values, kAppValueOrnament1Y), 0, kOpaque);
  graphics.drawBlob(kOrnament, value(values, kAppValueOrnament2X), value(values, kAppValueOrnament2Y), 0, kOpaque);
  graphics.flush();
  graphics.drawToScreen();
}

void CAppColourSchemes::applyColourScheme(CQZFGraphics& graphics, std::span<const int16_t> values,
                                          const CAppSettings* settings) {
  const CAppSettings& s = settingsOrDefaults(settings);
  applied_ = static_cast<uint8_t>(schemeIndex(s.colourScheme));
  const Scheme& scheme = schemes_[applied_];
  for (int set : kArtworkSets) retint(graphics, set, scheme);
  drawTitleTable(graphics, values, scheme);
  for (int set : kBackgroundSets) retint(graphics, set, scheme);
  loadBackground(graphics, s.backgroundImage);
  if (washBackground(graphics, values, s)) drawOrnaments(graphics, values);
  graphics.drawToScreen();
}

void CAppColourSchemes::applyBackground(CQZFGraphics& graphics, std::span<const int16_t> values,
                                        CAppSettings& settings) {
  if (!settings.settingsChanged) return;
  settings.settingsChanged = 0;
  loadBackground(graphics, settings.backgroundImage);
  if (!washBackground(graphics, values, settings)) {
    graphics.drawToScreen();
    return;
  }
  const Scheme& scheme = schemes_[schemeIndex(applied_)];
  for (int set : {100, 11}) {
    if (!graphics.isBlobSetLoaded(set)) retint(graphics, set, scheme);
  }
  drawOrnaments(graphics, values);
}
