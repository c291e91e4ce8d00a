// The framework's one drawing object: starts and stops the platform graphics,
// owns the graphics pipe through which drawing is queued, forwards drawing
// operations with the framework's conversions, and keeps the dirty grid.
#pragma once

#include <cstdint>
#include <memory>

#include "qz_pipe.h"
#include "qz_rect.h"
#include "qz_screen.h"
#include "qzf_dirty_grid.h"
#include "qzf_object.h"

// The graphics modes an application offers, best last.
struct QZFModeTable {
  const QZGraphicsMode* modes;
  int count;
};

class CQZFGraphics : public CQZFObject {
 public:
  static constexpr uint32_t kPipeBytes = 8192;

  explicit CQZFGraphics(CQZFObject* owner);
  ~CQZFGraphics() override;

  int16_t init(const QZFModeTable* modeTable, bool firstStart);
  void shutdown();
  int16_t getMode() const { return modeId_; }
  // The display kind letter of the mode in use.
  int getDisplayKind() const { return modeId_; }

  int16_t fillRect(int x, int y, int w, int h, int flags, int level, uint16_t colour);
  int16_t fillRectangle(const QZRect& rect, int flags, int level, uint16_t colour);
  int16_t drawBlob(int blobId, int x, int y, int flags, int level);
  int16_t drawFrame(int x, int y, int w, int h, int thickness, int level, uint16_t colour);
  void drawToScreen();
  int16_t updateScreen(const QZRect* rect);
  void flush();
  static uint16_t makeColour(int r, int g, int b);
  int getScreenWidth() const;
  int getScreenHeight() const;
  int16_t setDisplayOptions(int, int, int, int) { return 0; }
  int setFullScreen(int flag);

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
  void fillBackground(uint16_t colour);
  // Copies the whole screen, or each update rectangle, to the window.
  void flip();
  void clearGrid() { grid_.clearGrid(); }

 private:
  int16_t fail(int line, int16_t code);

  int16_t modeId_ = -1;
  std::unique_ptr<QZGraphicsPipe> pipe_;
  CQZFDirtyGrid grid_;
};
