// Planes: off-screen RGB565 images, each optionally paired with a mask of the
// same width (0xFFFF transparent, 0 opaque), kept in one table by plane id.
// One plane at a time is the drawing plane.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "qz_rect.h"
#include "wince/types.h"

struct QZPlane {
  uint8_t inUse;
  int16_t width;
  int16_t height;
  int16_t pitch;  // row pitch in 16-bit words
  uint8_t transparentIndex;
  HBITMAP image;
  HBITMAP mask;
};

// Sizes the application configures; 0 takes the default in brackets.
struct QZGraphicsConfig {
  int planeCount;    // [32]
  int blobMapSize;   // [64]
  int blobSetCount;  // [32]
  int borderColour;  // colour-table index of the border areas
};

// Sprite clip rectangle used by QZSpriteDraw and the plane blitters.
struct QZSpriteClip {
  bool on;
  QZRect rect;
};

// Reads the bytes of a resource of a type (four-character code) and id into
// out: 0, or -5 when there is no such resource.
using QZResourceReader = std::function<int16_t(uint32_t type, int id, std::vector<uint8_t>* out)>;

constexpr uint32_t QZFourCC(char a, char b, char c, char d) {
  return (static_cast<uint32_t>(static_cast<uint8_t>(a)) << 24) |
         (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 16) |
         (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 8) | static_cast<uint8_t>(d);
}

void QZSetGraphicsConfig(const QZGraphicsConfig& config);
const QZGraphicsConfig& QZGetGraphicsConfig();
// Without a reader (null) resources come from the resource manager.
void QZSetGraphicsResourceReader(QZResourceReader reader);
int16_t QZReadGraphicsResource(uint32_t type, int id, std::vector<uint8_t>* out);

// Start and stop of the graphics layer: plane table, blob map and slots,
// memory DCs and the first layout.
int16_t QZStartGraphics(HWND window);
void QZStopGraphics();

QZSpriteClip& QZGetSpriteClip();

// The table index an id names (bit 0x4000 ignored, 2000 and up = id - 2000), or -1.
int QZPlaneIndex(int id);
QZPlane* QZGetPlane(int id, bool wantUnused);
int16_t QZCreatePlane(int id, int width, int height, bool withMask);
int16_t QZLoadPlane(int id);
int16_t QZLoadPlanes(QZPlane* entry, int bitmapId);
HBITMAP QZCopyBitmapToPlane(HBITMAP bitmap);
int16_t QZLoadAllPlanes();
int16_t QZDeletePlane(int id);
void QZDeleteAllPlanes();
int16_t QZPreparePlane(int id, int value);
int16_t QZSetPlaneImage(QZPlane* entry, const HBITMAP* image);
int16_t QZSetPlaneMask(QZPlane* entry, const HBITMAP* mask);
void QZSetBitmapBase(int base);

// Pixel memory of a plane's image or mask; null when it has none.
uint16_t* QZPlaneImageBits(const QZPlane* plane);
uint16_t* QZPlaneMaskBits(const QZPlane* plane);

int16_t QZDrawToPlane(int id);
int16_t QZDrawToPlaneEntry(QZPlane* plane);
void QZDrawToScreen();
QZPlane* QZGetDrawPlane();
// The back buffer's plane record (kept by the screen).
QZPlane* QZGetScreenPlane();

int16_t QZSpriteDraw(const QZPlane* plane, int sourceX, int sourceY, int destX, int destY, int width, int height);
int16_t QZDrawPlane(int id);
int16_t QZSpriteDrawPlane(int id, int sourceX, int sourceY, int destX, int destY, int width, int height);
int16_t QZSpriteDrawPlaneRect(int id, const QZRect* source, int destX, int destY);
// Records of seven values {plane id, source x, source y, width, height, destination x, destination y}.
int16_t QZSpriteDrawPlanes(int count, const int16_t* records);
// Cuts a copy to both planes: 0 when nothing is left to copy, else 1.
int QZClipCopy(const QZPlane* source, const QZPlane* dest, int* sourceX, int* sourceY, int* destX, int* destY,
               int* width, int* height);
