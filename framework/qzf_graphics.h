// The framework's one drawing object: starts and stops the platform graphics,
// owns the graphics pipe through which drawing is queued, forwards plane,
// blob-set, blob, fill, clip, text and font operations with the framework's
// conversions, and keeps the dirty grid.
//
// Queued operations (blobs, fills, gradients, plane copies, rotated planes)
// run at the next flush. Immediate operations (plane draws, lines, text, the
// immediate background restore) and anything that changes what a queued
// command would meet at the flush (the drawing plane, the clip) flush the
// pipe first, so drawing always lands in call order.
#pragma once

#include <cstdint>
#include <memory>

#include "qz_blob.h"
#include "qz_pipe.h"
#include "qz_plane.h"
#include "qz_rect.h"
#include "qz_screen.h"
#include "qzf_dirty_grid.h"
#include "qzf_object.h"

class CQZFResourceManager;

// The graphics modes an application offers, best last.
struct QZFModeTable {
  const QZGraphicsMode* modes;
  int count;
};

class CQZFGraphics : public CQZFObject {
 public:
  static constexpr uint16_t kKind = kQZFKindGraphics;

  static constexpr uint32_t kPipeBytes = 8192;

  explicit CQZFGraphics(CQZFObject* owner);
  ~CQZFGraphics() override;

  // Start: mode, screen, back buffer, pipe and grid; firstStart is false
  // while the application re-initialises.
  [[nodiscard]] int16_t init(const QZFModeTable* modeTable, bool firstStart);
  void shutdown();
  int16_t getMode() const { return modeId_; }
  // The display kind letter of the mode in use.
  int getDisplayKind() const { return modeId_; }
  // Borrowed from the application at start; null without one.
  CQZFResourceManager* getResourceManager() const { return resources_; }

  // Planes. Loads and releases are use-counted through the resource manager.
  [[nodiscard]] int16_t loadPlane(int planeId, int flags);
  void releasePlane(int planeId);
  bool isPlaneLoaded(int planeId) const;
  int getPlaneWidth(int planeId) const;
  int getPlaneHeight(int planeId) const;
  // Plane targetId becomes a soft shadow (radius, RGB565 colour, opacity from
  // startPercent at the edge to endPercent inside) of plane sourceId's opaque
  // area; target and source may be the same plane.
  [[nodiscard]] int16_t makeShadowPlane(int targetId, int sourceId, int radius, uint16_t colour, int startPercent,
                          int endPercent);
  int16_t drawPlane(int planeId);
  int16_t drawPlaneAt(int planeId, int sourceX, int sourceY, int destX, int destY, int w, int h);
  int16_t drawPlaneRect(int planeId, const QZRect& source, int destX, int destY);
  int16_t copyPlane(int planeId, int x, int y, int w, int h, int destX, int destY);
  int16_t copyPlaneRectangle(int planeId, const QZRect& source, int destX, int destY);
  int16_t drawPlaneRotated(int planeId, int x, int y, int flags, int level, int angle);
  int16_t drawToPlane(int planeId);
  void drawToScreen();
  int16_t updateScreen(const QZRect* rect);
  int16_t updateScreenRect(int x, int y, int w, int h);

  // Blob sets and blobs.
  [[nodiscard]] int16_t loadBlobSet(int setId, int flags);
  [[nodiscard]] int16_t copyBlobSet(int sourceSetId, int setId, int firstBlobId);
  void releaseBlobSet(int setId);
  [[nodiscard]] int16_t refreshBlobSet(int setId);
  [[nodiscard]] int16_t tintBlobSet(int setId, int dRed, int dGreen, int dBlue, int maskSetId, uint16_t keyColour);
  bool isBlobSetLoaded(int setId) const;
  QZBlobEntry* getBlob(int blobId) const;
  int getBlobWidth(int blobId) const;
  int getBlobHeight(int blobId) const;
  int16_t drawBlob(int blobId, int x, int y, int flags, int level);
  int16_t drawBlobEntry(const QZBlobEntry* entry, int x, int y, int flags, int level);

  // Fills and lines. Level 255 is opaque; lower levels blend.
  int16_t fillRect(int x, int y, int w, int h, int flags, int level, uint16_t colour);
  int16_t fillRectangle(const QZRect& rect, int flags, int level, uint16_t colour);
  int16_t fillGradient(int x, int y, int w, int h, int flags, int level, uint16_t top, uint16_t bottom);
  int16_t fillGradientRectangle(const QZRect& rect, int flags, int level, uint16_t top, uint16_t bottom);
  int16_t drawFrame(int x, int y, int w, int h, int thickness, int level, uint16_t colour);
  int16_t drawFrameRectangle(const QZRect& rect, int thickness, int level, uint16_t colour);
  int16_t drawLine(int x0, int y0, int x1, int y1, uint16_t colour);

  // Clipping of blobs and plane copies.
  void setClipRect(int x, int y, int w, int h);
  void setClipRectangle(const QZRect& rect);
  void clearClipRect();
  void disableClipping();

  int16_t setDisplayOptions(int, int, int, int) { return 0; }
  static uint16_t makeColour(int r, int g, int b);
  int getScreenWidth() const;
  int getScreenHeight() const;
  int getWindowWidth() const;
  int getWindowHeight() const;
  void flush();
  int setFullScreen(int flag);

  // Font slots and system text.
  int16_t setFont(int id);
  int16_t switchFont(int id);
  int16_t restoreFont();
  int getFontHeight() const;
  int getSystemTextWidth(const char16_t* text) const;
  // The colour is a colour-table index.
  int16_t drawSystemText(const char16_t* text, int x, int y, int alignment, int colour);

  // The dirty grid.
  CQZFDirtyGrid& grid() { return grid_; }
  void invalidateAll() { grid_.invalidateAll(); }
  void invalidateRect(int x, int y, int w, int h) { grid_.invalidateRect(x, y, w, h); }
  void invalidateRectangle(const QZRect& r) { grid_.invalidateRect(r.x, r.y, r.w, r.h); }
  bool isRectDirty(int x, int y, int w, int h) const { return grid_.isRectDirty(x, y, w, h); }
  bool isRectangleDirty(const QZRect& r) const { return grid_.isRectDirty(r.x, r.y, r.w, r.h); }
  void markCovered(const QZRect& rect) { grid_.markCovered(rect); }
  void releaseCoverLevel() { grid_.releaseCoverLevel(); }
  bool computeUncovered() { return grid_.computeUncovered(); }
  void buildUpdateList() { grid_.buildUpdateList(); }
  void buildBackgroundList() { grid_.buildBackgroundList(); }
  // Background restore: the whole screen under the whole-screen flag, else
  // every rectangle of the background list.
  void fillBackground(uint16_t colour);
  int16_t restoreBackgroundFromPlane(int planeId);
  int16_t restoreBackgroundFromPlaneNow(const QZPlane* plane);
  // Copies the whole screen, or each update rectangle, to the window.
  void flip();
  void clearGrid() { grid_.clearGrid(); }

 private:
  [[nodiscard]] int16_t fail(int line, int16_t code);

  int16_t modeId_ = -1;
  std::unique_ptr<QZGraphicsPipe> pipe_;
  CQZFDirtyGrid grid_;
  CQZFResourceManager* resources_ = nullptr;
};
