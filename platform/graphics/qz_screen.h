// The logical screen: the graphics mode, its place in the window (centred,
// with border areas, scaled by s / 2048 when it does not fit), the back
// buffer plane and the copy of the back buffer to the window.
#pragma once

#include <cstdint>
#include <functional>

#include "qz_plane.h"

// What the layout needs to know about the device's display.
struct QZDisplay {
  int width;          // screen width in pixels
  int height;         // screen height in pixels
  int depth;          // bits per pixel
  bool fullScreen;    // the program covers the menu bar
  bool sipKnown;      // the input panel query succeeded
  int visibleTop;     // visible desktop top and bottom (input panel query)
  int visibleBottom;
  int sipTop;         // top of the input panel
  bool canRotate;     // the display can be turned
};

// The device's display as the runtime reports it (screen metrics and the
// input panel), for a program that is, or is not, full screen.
QZDisplay QZQueryDisplay(bool fullScreen);

// What the screen asks of the rest of the program; without a display query
// the layout takes QZQueryDisplay(true).
struct QZScreenEnvironment {
  std::function<QZDisplay()> display;
  std::function<bool(int modeId)> modeListed;    // the mode list names the mode [the resource manager's]
  std::function<void(int modeId)> modeChanged;   // reload the resource id maps for the mode
  std::function<void(int width, int height)> turnDisplay;  // [QZFitDisplayOrientation]
};

// Where the screen update goes: the window, or a test's capture.
class QZScreenOutput {
 public:
  virtual ~QZScreenOutput() = default;
  virtual void blit(HBITMAP source, int sourceX, int sourceY, int width, int height, int destX, int destY) = 0;
  virtual void fillRect(int left, int top, int right, int bottom, uint16_t colour) = 0;
};

struct QZGraphicsMode {
  int16_t modeId;
  int16_t depth;
  int16_t width;
  int16_t height;
  int32_t deviceFilter;  // 0 any device; other values match no device here
};

void QZSetScreenEnvironment(QZScreenEnvironment environment);
// Null restores the window output.
void QZSetScreenOutput(QZScreenOutput* output);
// A DC used for screen operations instead of fetching the window's each time (0: none).
void QZSetDrawDC(HDC dc);

void QZStartScreen(HWND window);
void QZStopScreen();

int16_t QZChooseGraphicsMode(int count, const QZGraphicsMode* table, int16_t* modeId, int16_t* index,
                             int16_t* firstSupported, int16_t* firstListed);
int QZScreenFit(int displayWidth, int displayHeight, int modeWidth, int modeHeight);
bool QZScreenSupportsMode(int depth, int width, int height);
int16_t QZSetGraphicsMode(int modeId);
int16_t QZGetGraphicsMode();
int16_t QZSetScreenMode(int depth, int width, int height);
int16_t QZSetDefaultScreenMode(int depth);
int16_t QZCreateScreenPlane(int width, int height);
void QZDeleteScreenPlane();
QZRect QZLayoutScreen(int keep);
void QZDrawBorders();
void QZSetBorderPlanes(int first, int second);
int16_t QZUpdateScreen(const QZRect* rect);
int16_t QZUpdateScreenRect(int x, int y, int width, int height);
int16_t QZUpdateScreenRotated(const QZRect* rect, int planeId);
int16_t QZCopyPlaneRotated(const QZPlane* source, QZPlane* dest, const QZRect* rect);
// Nearest-neighbour scale of the part {x0..x1, y0..y1} (inclusive) of the
// destination, scale s in 1/2048.
void QZScalePlane(const uint16_t* source, int sourceWidth, int sourceHeight, uint16_t* dest, int destPitch, int scale,
                  int x0, int y0, int x1, int y1);

int QZGetScreenWidth();
int QZGetScreenHeight();
int QZGetWindowWidth();
int QZGetWindowHeight();
int QZIsLandscape();
bool QZBackBufferIs16Bit();

// Layout results, for the border painting and the update.
struct QZScreenLayout {
  QZRect logical;
  QZRect destination;
  int32_t scale;
  bool scaling;
  int16_t offsetX;
  int16_t offsetY;
  QZRect borders[4];
};
const QZScreenLayout& QZGetScreenLayout();
