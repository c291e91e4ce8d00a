#include "app_game_preview.h"

#include <new>

#include "app_application.h"
#include "app_form_user.h"
#include "app_game_definition.h"
#include "app_game_settings.h"
#include "app_play_services.h"
#include "app_settings.h"
#include "app_value_tables.h"
#include "qzf_graphics.h"

namespace {

constexpr int kOpaque = 255;
// Face-up rules of the definition's piles.
constexpr int kAllUp = 0, kLastUp = 2, kEvenUp = 3;
// Reserve layouts: fanned down by 3, or stacked.
constexpr int kFanned = 1, kStacked = 4;
constexpr int kReserveStep = 3;
// Yukon shows the last five cards of a column.
constexpr int kYukonFaceUp = 5;

uint16_t faceUpColour() { return CQZFGraphics::makeColour(240, 230, 250); }
uint16_t faceDownColour() { return CQZFGraphics::makeColour(70, 70, 70); }

}  // namespace

CAppGamePreview::CAppGamePreview(CQZFObject* owner) : CQZFObject(owner) {}
CAppGamePreview::~CAppGamePreview() = default;

int16_t CAppGamePreview::init(int32_t gameType) {
  app_ = findOwner<CAppApplication>();
  CAppUserForm* profile = app_ ? app_->getUserForm() : nullptr;
  if (!profile) return CQZFApplication::report(this, "app_game_preview", __LINE__, QZ_ERR_BAD_STATE);
  services_.reset(new (std::nothrow) CAppPlayServices(*app_, *profile));
  if (!services_) return CQZFApplication::report(this, "app_game_preview", __LINE__, QZ_ERR_NO_MEMORY);
  setGameType(gameType);
  return 0;
}

int CAppGamePreview::value(int entry) const { return services_ ? services_->value(entry) : 0; }

QZRect CAppGamePreview::area() const {
  return {static_cast<int16_t>(value(kAppValuePreviewX)), static_cast<int16_t>(value(kAppValuePreviewY)),
          static_cast<int16_t>(value(kValuePreviewAreaWidth)), static_cast<int16_t>(value(kValuePreviewAreaHeight))};
}

void CAppGamePreview::setGameType(int32_t gameType) {
  type_ = gameType;
  definition_.reset();
  if (!services_) return;
  services_->pullSettings();
  definition_.reset(new (std::nothrow) CAppGameDefinition(this));
  if (definition_ && gameType >= 1 && gameType <= kAppGameTypes) definition_->setup(gameType, true, *services_);
  invalidate();
}

void CAppGamePreview::invalidate() const {
  if (CQZFGraphics* graphics = app_ ? app_->getGraphics() : nullptr) graphics->invalidateRectangle(area());
}

bool CAppGamePreview::isDirty() const {
  const CQZFGraphics* graphics = app_ ? app_->getGraphics() : nullptr;
  return graphics && graphics->isRectangleDirty(area());
}

void CAppGamePreview::drawCard(bool faceUp, int x, int y) const {
  CQZFGraphics* graphics = app_->getGraphics();
  const int w = value(kValuePreviewCardWidth), h = value(kValuePreviewCardHeight);
  graphics->fillRect(x, y, w, h, 0, kOpaque, faceUp ? faceUpColour() : faceDownColour());
  graphics->drawFrame(x, y, w, h, 1, kOpaque, 0);
}

void CAppGamePreview::drawEmptyPile(int x, int y) const {
  app_->getGraphics()->drawFrame(x, y, value(kValuePreviewCardWidth), value(kValuePreviewCardHeight), 1, kOpaque,
                                 faceUpColour());
}

bool CAppGamePreview::isFaceUp(int rule, int i, int n) const {
  switch (rule) {
    case kAllUp: return true;
    case kLastUp: return i == n - 1;
    case kEvenUp: return i % 2 == 0;
    default: return false;
  }
}

// Stock, waste, foundations, tableau, reserves, cells, in that order.
void CAppGamePreview::draw() {
  CAppSettings* settings = app_ ? app_->getSettings() : nullptr;
  if (settings && settings->settingsChanged) {
    setGameType(static_cast<int32_t>(settings->currentGameType));
    settings->settingsChanged = 0;
  }
  if (!definition_ || !app_->getGraphics() || !isDirty()) return;
  const CAppGameDefinition& d = *definition_;
  const QZRect origin = area();
  const auto x = [&](int32_t layout) { return origin.x + services_->toPixelX(layout); };
  const auto y = [&](int32_t layout) { return origin.y + services_->toPixelY(layout); };
  if (d.hasStock) drawCard(d.stock.stockFaceUp != 0, x(d.stock.x), y(d.stock.y));
  if (d.hasWaste) drawEmptyPile(x(d.waste.x), y(d.waste.y));
  for (const FoundationSpec& f : d.foundations) {
    if (f.seedRank != 0) drawCard(true, x(f.x), y(f.y));
    else drawEmptyPile(x(f.x), y(f.y));
  }
  const int step = value(kAppValuePreviewStep);
  for (const TableauSpec& t : d.tableaux) {
    const int n = t.dealCount;
    if (n == 0) drawEmptyPile(x(t.x), y(t.y));
    for (int i = 0; i < n; ++i) {
      const bool yukonUp = type_ == kGameYukon && t.dealFaceMode == kLastUp && i > n - 1 - kYukonFaceUp;
      drawCard(isFaceUp(t.dealFaceMode, i, n) || yukonUp, x(t.x), y(t.y) + i * step);
    }
  }
  for (const ReserveSpec& r : d.reserves) {
    if (r.fanMode != kFanned && r.fanMode != kStacked) continue;
    for (int i = 0; i < r.dealCount; ++i) {
      drawCard(isFaceUp(r.dealFaceMode, i, r.dealCount), x(r.x),
               y(r.y) + (r.fanMode == kFanned ? kReserveStep * i : 0));
    }
  }
  for (const CellSpec& c : d.cells) drawEmptyPile(x(c.x), y(c.y));
}
