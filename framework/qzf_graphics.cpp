#include "qzf_graphics.h"

#include <algorithm>

#include "qz_lifecycle.h"
#include "qz_plane.h"
#include "qz_startup.h"
#include "qzf_application.h"

namespace {

constexpr uint16_t kNoModeAlert = 51;

// The pipe's opaque level.
int pipeLevel(int level) { return level == 255 ? 256 : level; }

}  // namespace

CQZFGraphics::CQZFGraphics(CQZFObject* owner) : CQZFObject(owner) {
  setKind(kQZFKindGraphics, this);
  setName("graphics");
}

CQZFGraphics::~CQZFGraphics() = default;

int16_t CQZFGraphics::fail(int line, int16_t code) { return CQZFApplication::report(this, "qzf_graphics", line, code); }

int16_t CQZFGraphics::init(const QZFModeTable* modeTable, bool firstStart) {
  int16_t modeId, index, firstSupported, firstListed;
  const int count = modeTable ? modeTable->count : 0;
  const QZGraphicsMode* modes = modeTable ? modeTable->modes : nullptr;
  if (count == 0 || QZChooseGraphicsMode(count, modes, &modeId, &index, &firstSupported, &firstListed) < 0 ||
      index < 0 || index >= count) {
    QZAlert(kNoModeAlert);
    return fail(39, -11);
  }
  const QZGraphicsMode& mode = modes[index];
  modeId_ = mode.modeId;
  QZSetGraphicsMode(modeId_);
  if (const int16_t r = QZSetScreenMode(mode.depth, mode.width, mode.height); r < 0) return fail(57, r);
  if (const int16_t r = QZCreateScreenPlane(mode.width, mode.height); r < 0) return fail(60, r);
  pipe_ = std::make_unique<QZGraphicsPipe>(kPipeBytes);
  grid_.setup(static_cast<int16_t>(QZGetScreenWidth()), static_cast<int16_t>(QZGetScreenHeight()));
  QZGetSpriteClip().on = false;
  if (!find(kQZFKindApplication)) return fail(72, -50);
  if (firstStart && QZGetMainWindow()) {
    ShowWindow(QZGetMainWindow(), SW_HIDE);
    ShowWindow(QZGetMainWindow(), SW_SHOW);
  }
  return 0;
}

void CQZFGraphics::shutdown() {
  pipe_.reset();
  QZDeleteScreenPlane();
  QZDeleteAllPlanes();
  modeId_ = -1;
}

int16_t CQZFGraphics::fillRect(int x, int y, int w, int h, int flags, int level, uint16_t colour) {
  return pipe_ ? pipe_->fillRect(colour, x, y, w, h, flags, pipeLevel(level)) : -50;
}

int16_t CQZFGraphics::fillRectangle(const QZRect& rect, int flags, int level, uint16_t colour) {
  return fillRect(rect.x, rect.y, rect.w, rect.h, flags, level, colour);
}

int16_t CQZFGraphics::drawBlob(int blobId, int x, int y, int flags, int level) {
  return pipe_ ? pipe_->drawBlob(blobId, x, y, flags, pipeLevel(level)) : -50;
}

int16_t CQZFGraphics::drawFrame(int x, int y, int w, int h, int thickness, int level, uint16_t colour) {
  fillRect(x, y, thickness, h, 0, level, colour);
  fillRect(x + w - thickness, y, thickness, h, 0, level, colour);
  fillRect(x, y, w, thickness, 0, level, colour);
  return fillRect(x, y + h - thickness, w, thickness, 0, level, colour);
}

void CQZFGraphics::drawToScreen() { QZDrawToScreen(); }
int16_t CQZFGraphics::updateScreen(const QZRect* rect) { return QZUpdateScreen(rect); }

void CQZFGraphics::flush() {
  if (pipe_) pipe_->flush();
}

uint16_t CQZFGraphics::makeColour(int r, int g, int b) {
  return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

int CQZFGraphics::getScreenWidth() const { return QZGetScreenWidth(); }
int CQZFGraphics::getScreenHeight() const { return QZGetScreenHeight(); }
int CQZFGraphics::setFullScreen(int flag) { return QZSetFullScreen(flag); }

void CQZFGraphics::fillBackground(uint16_t colour) {
  if (grid_.isWholeScreen()) {
    fillRect(0, 0, getScreenWidth(), getScreenHeight(), 0, 255, colour);
    return;
  }
  for (const QZRect& r : grid_.getBackgroundList()) fillRectangle(r, 0, 255, colour);
}

void CQZFGraphics::flip() {
  if (grid_.isWholeScreen()) {
    updateScreen(nullptr);
    return;
  }
  // The last column and row of cells may reach past the screen's edge.
  const int width = getScreenWidth(), height = getScreenHeight();
  for (QZRect r : grid_.getUpdateList()) {
    r.w = static_cast<int16_t>(std::min<int>(r.w, width - r.x));
    r.h = static_cast<int16_t>(std::min<int>(r.h, height - r.y));
    if (r.w > 0 && r.h > 0) updateScreen(&r);
  }
}
