#include "qzf_graphics.h"

#include <algorithm>
#include <new>
#include <string>

#include "qz_bitmap.h"
#include "qz_blit.h"
#include "qz_colour.h"
#include "qz_fill.h"
#include "qz_font.h"
#include "qz_lifecycle.h"
#include "qz_screen_fill.h"
#include "qz_startup.h"
#include "qzf_application.h"
#include "qzf_resource.h"

namespace {

constexpr uint16_t kNoModeAlert = 51;

// The pipe's opaque level.
int pipeLevel(int level) { return level == 255 ? 256 : level; }

// The shadow builder's colour, 0x00RRGGBB, from an RGB565 colour.
uint32_t shadowColour(uint16_t colour) {
  uint8_t red, green, blue;
  QZSplitRGB565(colour, &red, &green, &blue);
  return (static_cast<uint32_t>(red) << 16) | (static_cast<uint32_t>(green) << 8) | blue;
}

}  // namespace

CQZFGraphics::CQZFGraphics(CQZFObject* owner) : CQZFObject(owner) {
  setKind(kKind, this);
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
  pipe_.reset(new (std::nothrow) QZGraphicsPipe(kPipeBytes));
  if (!pipe_ || pipe_->capacity() == 0) {
    pipe_.reset();
    return fail(63, -9);
  }
  grid_.setup(static_cast<int16_t>(QZGetScreenWidth()), static_cast<int16_t>(QZGetScreenHeight()));
  clearClipRect();
  auto* app = findOwner<CQZFApplication>();
  if (!app) return fail(72, -50);
  resources_ = app->getResourceManager();
  if (!resources_) return fail(73, -50);
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
  // Frees every blob set still loaded and leaves empty tables for a restart.
  QZStopGraphicsBlob();
  QZStartGraphicsBlob();
  resources_ = nullptr;
  modeId_ = -1;
}

// Planes.

int16_t CQZFGraphics::loadPlane(int planeId, int) { return resources_ ? resources_->loadPlane(planeId) : 0; }

void CQZFGraphics::releasePlane(int planeId) {
  if (resources_) resources_->releasePlane(planeId);
}

bool CQZFGraphics::isPlaneLoaded(int planeId) const { return QZGetPlane(planeId, false) != nullptr; }

int CQZFGraphics::getPlaneWidth(int planeId) const {
  const QZPlane* plane = QZGetPlane(planeId, false);
  return plane ? plane->width : 0;
}

int CQZFGraphics::getPlaneHeight(int planeId) const {
  const QZPlane* plane = QZGetPlane(planeId, false);
  return plane ? plane->height : 0;
}

int16_t CQZFGraphics::makeShadowPlane(int targetId, int sourceId, int radius, uint16_t colour, int startPercent,
                                      int endPercent) {
  flush();  // the source may have queued drawing of its own
  QZPlane* source = QZGetPlane(sourceId, false);
  if (!source) return fail(419, -50);
  // The builder reads the drawing plane before it replaces the target, so
  // the source survives until the shadow is built, even as its own target.
  QZPlane* previous = QZGetDrawPlane();
  QZDrawToPlaneEntry(source);
  const int16_t r = QZCreateShadowPlane(targetId, 0, 0, source->width, source->height, radius,
                                        shadowColour(colour), startPercent, endPercent);
  if (previous && (previous->inUse || previous == QZGetScreenPlane())) {
    QZDrawToPlaneEntry(previous);
  } else {
    QZDrawToScreen();
  }
  return r < 0 ? fail(425, -9) : 0;
}

int16_t CQZFGraphics::drawPlane(int planeId) {
  flush();
  return QZDrawPlane(planeId);
}

int16_t CQZFGraphics::drawPlaneAt(int planeId, int sourceX, int sourceY, int destX, int destY, int w, int h) {
  flush();
  return QZSpriteDrawPlane(planeId, sourceX, sourceY, destX, destY, w, h);
}

int16_t CQZFGraphics::drawPlaneRect(int planeId, const QZRect& source, int destX, int destY) {
  flush();
  return QZSpriteDrawPlaneRect(planeId, &source, destX, destY);
}

int16_t CQZFGraphics::copyPlane(int planeId, int x, int y, int w, int h, int destX, int destY) {
  return pipe_ ? pipe_->copyPlane(planeId, x, y, destX, destY, w, h, kQZOpaqueLevel) : QZ_ERR_BAD_STATE;
}

int16_t CQZFGraphics::copyPlaneRectangle(int planeId, const QZRect& source, int destX, int destY) {
  return copyPlane(planeId, source.x, source.y, source.w, source.h, destX, destY);
}

int16_t CQZFGraphics::drawPlaneRotated(int planeId, int x, int y, int flags, int level, int angle) {
  return pipe_ ? pipe_->drawPlaneRotated(planeId, x, y, flags, pipeLevel(level), angle) : QZ_ERR_BAD_STATE;
}

int16_t CQZFGraphics::drawToPlane(int planeId) {
  flush();
  return QZDrawToPlane(planeId);
}

void CQZFGraphics::drawToScreen() {
  flush();
  QZDrawToScreen();
}

int16_t CQZFGraphics::updateScreen(const QZRect* rect) { return QZUpdateScreen(rect); }
int16_t CQZFGraphics::updateScreenRect(int x, int y, int w, int h) { return QZUpdateScreenRect(x, y, w, h); }

// Blob sets and blobs.

int16_t CQZFGraphics::loadBlobSet(int setId, int flags) {
  return resources_ ? resources_->loadBlobSet(setId, flags) : QZ_ERR_BAD_STATE;
}

int16_t CQZFGraphics::copyBlobSet(int sourceSetId, int setId, int firstBlobId) {
  return resources_ ? resources_->copyBlobSet(sourceSetId, setId, firstBlobId) : QZ_ERR_BAD_STATE;
}

void CQZFGraphics::releaseBlobSet(int setId) {
  if (resources_) resources_->releaseBlobSet(setId);
}

int16_t CQZFGraphics::refreshBlobSet(int setId) { return QZCheckBlobSet(setId); }

int16_t CQZFGraphics::tintBlobSet(int setId, int dRed, int dGreen, int dBlue, int maskSetId, uint16_t keyColour) {
  return QZTintBlobSet(setId, dRed, dGreen, dBlue, maskSetId, keyColour);
}

bool CQZFGraphics::isBlobSetLoaded(int setId) const { return QZFindBlobSet(setId) != nullptr; }

QZBlobEntry* CQZFGraphics::getBlob(int blobId) const { return QZGetBlobEntry(blobId); }

int CQZFGraphics::getBlobWidth(int blobId) const {
  const QZBlobEntry* entry = getBlob(blobId);
  return entry ? entry->width : 0;
}

int CQZFGraphics::getBlobHeight(int blobId) const {
  const QZBlobEntry* entry = getBlob(blobId);
  return entry ? entry->height : 0;
}

int16_t CQZFGraphics::drawBlob(int blobId, int x, int y, int flags, int level) {
  if (!getBlob(blobId)) return 0;
  return pipe_ ? pipe_->drawBlob(blobId, x, y, flags, pipeLevel(level)) : QZ_ERR_BAD_STATE;
}

int16_t CQZFGraphics::drawBlobEntry(const QZBlobEntry* entry, int x, int y, int flags, int level) {
  if (!entry) return 0;
  return pipe_ ? pipe_->drawBlobEntry(entry, x, y, flags, pipeLevel(level)) : QZ_ERR_BAD_STATE;
}

// Fills and lines.

int16_t CQZFGraphics::fillRect(int x, int y, int w, int h, int flags, int level, uint16_t colour) {
  return pipe_ ? pipe_->fillRect(colour, x, y, w, h, flags, pipeLevel(level)) : QZ_ERR_BAD_STATE;
}

int16_t CQZFGraphics::fillRectangle(const QZRect& rect, int flags, int level, uint16_t colour) {
  return fillRect(rect.x, rect.y, rect.w, rect.h, flags, level, colour);
}

int16_t CQZFGraphics::fillGradient(int x, int y, int w, int h, int flags, int level, uint16_t top,
                                   uint16_t bottom) {
  return pipe_ ? pipe_->fillGradient(top, bottom, x, y, w, h, flags, pipeLevel(level)) : QZ_ERR_BAD_STATE;
}

int16_t CQZFGraphics::fillGradientRectangle(const QZRect& rect, int flags, int level, uint16_t top,
                                            uint16_t bottom) {
  return fillGradient(rect.x, rect.y, rect.w, rect.h, flags, level, top, bottom);
}

int16_t CQZFGraphics::drawFrame(int x, int y, int w, int h, int thickness, int level, uint16_t colour) {
  fillRect(x, y, thickness, h, 0, level, colour);
  fillRect(x + w - thickness, y, thickness, h, 0, level, colour);
  fillRect(x, y, w, thickness, 0, level, colour);
  return fillRect(x, y + h - thickness, w, thickness, 0, level, colour);
}

int16_t CQZFGraphics::drawFrameRectangle(const QZRect& rect, int thickness, int level, uint16_t colour) {
  return drawFrame(rect.x, rect.y, rect.w, rect.h, thickness, level, colour);
}

int16_t CQZFGraphics::drawLine(int x0, int y0, int x1, int y1, uint16_t colour) {
  flush();
  return QZDrawLine(x0, y0, x1, y1, colour);
}

// Clipping. Queued drawing keeps the clip it was queued under.

void CQZFGraphics::setClipRect(int x, int y, int w, int h) {
  flush();
  QZClipBlobsToRectangle(x, y, w, h);
  QZSetClipBounds(x, y, w, h);
}

void CQZFGraphics::setClipRectangle(const QZRect& rect) { setClipRect(rect.x, rect.y, rect.w, rect.h); }

void CQZFGraphics::clearClipRect() {
  flush();
  QZClearClip();
  QZClipBlobsToPlane();
}

void CQZFGraphics::disableClipping() {
  flush();
  QZUnclipBlobs();
  QZClearClip();
}

uint16_t CQZFGraphics::makeColour(int r, int g, int b) {
  return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

int CQZFGraphics::getScreenWidth() const { return QZGetScreenWidth(); }
int CQZFGraphics::getScreenHeight() const { return QZGetScreenHeight(); }
int CQZFGraphics::getWindowWidth() const { return QZGetWindowWidth(); }
int CQZFGraphics::getWindowHeight() const { return QZGetWindowHeight(); }

void CQZFGraphics::flush() {
  if (pipe_) pipe_->flush();
}

int CQZFGraphics::setFullScreen(int flag) { return QZSetFullScreen(flag); }

// Font slots and system text.

int16_t CQZFGraphics::setFont(int id) { return QZSetFont(id); }
int16_t CQZFGraphics::switchFont(int id) { return QZSwitchFont(id); }
int16_t CQZFGraphics::restoreFont() { return QZRestoreFont(); }
int CQZFGraphics::getFontHeight() const { return QZGetFontHeight(); }

int CQZFGraphics::getSystemTextWidth(const char16_t* text) const {
  if (!text) return 0;
  SIZE size{};
  GetTextExtentPoint32(QZGetDrawDC(), text, static_cast<int>(std::char_traits<char16_t>::length(text)), &size);
  return size.cx;
}

int16_t CQZFGraphics::drawSystemText(const char16_t* text, int x, int y, int alignment, int colour) {
  flush();
  return QZDrawText(text, x, y, alignment, colour);
}

// Background restore and the frame's end.

void CQZFGraphics::fillBackground(uint16_t colour) {
  if (grid_.isWholeScreen()) {
    fillRect(0, 0, getScreenWidth(), getScreenHeight(), 0, 255, colour);
    return;
  }
  for (const QZRect& r : grid_.getBackgroundList()) fillRectangle(r, 0, 255, colour);
}

int16_t CQZFGraphics::restoreBackgroundFromPlane(int planeId) {
  if (grid_.isWholeScreen()) return copyPlane(planeId, 0, 0, getPlaneWidth(planeId), getPlaneHeight(planeId), 0, 0);
  for (const QZRect& r : grid_.getBackgroundList()) {
    if (const int16_t result = copyPlane(planeId, r.x, r.y, r.w, r.h, r.x, r.y); result < 0) return result;
  }
  return 0;
}

int16_t CQZFGraphics::restoreBackgroundFromPlaneNow(const QZPlane* plane) {
  if (!plane) return QZ_ERR_BAD_PLANE;
  flush();
  if (grid_.isWholeScreen()) return QZSpriteDraw(plane, 0, 0, 0, 0, plane->width, plane->height);
  for (const QZRect& r : grid_.getBackgroundList()) QZSpriteDraw(plane, r.x, r.y, r.x, r.y, r.w, r.h);
  return 0;
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
