#include "app_stats_fader.h"

#include <span>

#include "app_application.h"
#include "app_settings.h"
#include "app_value_tables.h"
#include "qzf_font_manager.h"
#include "qzf_graphics.h"
#include "qzf_metrics.h"
#include "qzf_resource.h"

namespace {

constexpr uint16_t kHeadings[CAppStatsFader::kLines] = {1221, 1223, 1222, 1224};
// The fact strings of game types 1-12, lines 0-3.
constexpr uint16_t kFacts[kAppGameTypes][CAppStatsFader::kLines] = {
    {1302, 1306, 1301, 1302}, {1302, 1308, 1305, 1309}, {1302, 1306, 1305, 1309}, {1302, 1308, 1303, 1310},
    {1311, 1307, 1301, 1310}, {1311, 1307, 1301, 1312}, {1302, 1307, 1301, 1310}, {1311, 1304, 1301, 1302},
    {1302, 1307, 1302, 1310}, {1302, 1306, 1302, 1309}, {1302, 1307, 1301, 1309}, {1302, 1307, 1301, 1310}};
constexpr int kHeadingChars = 100;
constexpr int kFactChars = 200;

}  // namespace

int16_t CAppStatsFader::init(int32_t gameType) {
  app_ = findOwner<CAppApplication>();
  if (!app_) return CQZFApplication::report(this, "app_stats_fader", __LINE__, QZ_ERR_BAD_STATE);
  setGameType(gameType);
  return 0;
}

// A fade-out under way is given up: the new first line fades in and then
// stays its full time.
void CAppStatsFader::setGameType(int32_t gameType) {
  if (gameType >= 1 && gameType <= kAppGameTypes) {
    for (int i = 0; i < kLines; ++i) facts_[i] = kFacts[gameType - 1][i];
  }
  line_ = 0;
  phaseStart_ = CQZFMetrics::getTime();
  fadingIn_ = true;
  fadingOut_ = false;
}

// The step grows with the time since the phase began, so each fade speeds up.
void CAppStatsFader::update() {
  if (!app_) return;
  const uint32_t now = CQZFMetrics::getTime();
  const uint32_t elapsed = now - phaseStart_;
  const auto step = static_cast<uint8_t>(elapsed * 255 / kFadeTime);
  if (fadingIn_) {
    if (level_ + step < 255) {
      level_ = static_cast<uint8_t>(level_ + step);
    } else {
      level_ = 255;
      fadingIn_ = false;
      phaseStart_ = now;
    }
  } else if (!fadingOut_) {
    if (elapsed >= kHoldTime) {
      fadingOut_ = true;
      phaseStart_ = now;
    }
    return;
  } else if (level_ - step > 0) {
    level_ = static_cast<uint8_t>(level_ - step);
  } else {
    level_ = 0;
    line_ = static_cast<uint8_t>((line_ + 1) % kLines);
    fadingOut_ = false;
    fadingIn_ = true;
    phaseStart_ = now;
  }
  invalidate();
  app_->resetStartFrames();
}

QZRect CAppStatsFader::area() const {
  const std::span<const int16_t> t = app_ ? app_->getCurrentValueTable() : std::span<const int16_t>();
  if (t.size() <= kAppValueFaderLineGap) return {};
  return QZRect{t[kAppValueFaderX], t[kAppValueFaderY], t[kAppValueFaderWidth], t[kAppValueFaderHeight]};
}

void CAppStatsFader::invalidate() const {
  CQZFGraphics* g = app_ ? app_->getGraphics() : nullptr;
  if (g) g->invalidateRectangle(area());
}

void CAppStatsFader::draw() const {
  CQZFGraphics* g = app_ ? app_->getGraphics() : nullptr;
  CQZFFontManager* fonts = app_ ? app_->getFontManager() : nullptr;
  const QZRect r = area();
  if (!g || !fonts || !g->isRectangleDirty(r)) return;
  char16_t heading[kHeadingChars + 1] = {};
  char16_t fact[kFactChars + 1] = {};
  CQZFResourceManager::getString(kHeadings[line_], heading, kHeadingChars + 1);
  CQZFResourceManager::getString(facts_[line_], fact, kFactChars + 1);
  const int gap = app_->getCurrentValueTable()[kAppValueFaderLineGap];
  fonts->drawText(heading, r.x, r.y, r.w, 0, kFont, level_);
  fonts->drawText(fact, r.x, r.y + gap, r.w, 0, kFont, level_);
}
