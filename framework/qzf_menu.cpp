#include "qzf_menu.h"

#include <algorithm>

#include "qzf_application.h"
#include "qzf_form.h"
#include "qzf_graphics.h"
#include "qzf_menu_handler.h"
#include "qzf_metrics.h"

namespace {

// Frame deltas above this (in hundredths) count as this: a long pause ends
// a fade, it does not jump past it.
constexpr uint32_t kLongestFrame = 10;

}  // namespace

CQZFMenu::CQZFMenu(CQZFObject* owner) : CQZFObject(owner) { setKind(kKind, this); }

CQZFMenu::~CQZFMenu() { invalidate(); }

int16_t CQZFMenu::loadAt(uint16_t id, const QZFMenuDescription&, int, int, uint8_t) {
  auto* app = findOwner<CQZFApplication>();
  if (!app) return QZ_ERR_BAD_STATE;
  id_ = id;
  graphics_ = app->getGraphics();
  resources_ = app->getResourceManager();
  fonts_ = app->getFontManager();
  metrics_ = app->getMetrics();
  return 0;
}

void CQZFMenu::show(bool shown) {
  shown_ = shown;
  if (!fading_) level_ = shown ? 0 : kInvisible;
  invalidate();
}

void CQZFMenu::update() {
  const int16_t target = shown_ ? 0 : kInvisible;
  int16_t next = target;
  if (fading_) {
    const int step = kFadeSpeed * static_cast<int>(metrics_ ? metrics_->getFrameInterval(1, kLongestFrame) : 1);
    next = static_cast<int16_t>(shown_ ? std::max(0, level_ - step) : std::min<int>(kInvisible, level_ + step));
  }
  if (next != level_) {
    level_ = next;
    invalidate();
  }
  onFadeStep();
}

void CQZFMenu::invalidate() const {
  if (graphics_) graphics_->invalidateRectangle(rect_);
}

bool CQZFMenu::isDirty() const { return graphics_ && graphics_->isRectangleDirty(rect_); }

CQZFMenuHandler* CQZFMenu::handler() const { return findOwner<CQZFMenuHandler>(); }

void CQZFMenu::sendChosen(uint16_t itemId) {
  if (auto* form = findOwner<CQZFForm>()) static_cast<void>(form->onMenuEvent({id_, kQZFMenuItemChosen, itemId}));
}

int CQZFMenu::screenWidth() const { return graphics_ ? graphics_->getScreenWidth() : 0; }
int CQZFMenu::screenHeight() const { return graphics_ ? graphics_->getScreenHeight() : 0; }
int CQZFMenu::blobWidth(uint16_t id) const { return graphics_ && id != QZ_NO_ID ? graphics_->getBlobWidth(id) : 0; }
int CQZFMenu::blobHeight(uint16_t id) const { return graphics_ && id != QZ_NO_ID ? graphics_->getBlobHeight(id) : 0; }
