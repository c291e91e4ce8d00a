// Plane blitters into the drawing plane: turned, scaled, turned and scaled,
// through a palette, tinted; and the soft-shadow plane builder.
#pragma once

#include <cstdint>

#include "qz_plane.h"

constexpr uint16_t kQZPlaneIgnoreMask = 0x8000;

int16_t QZDrawPlaneRotated(const QZPlane* plane, int cx, int cy, int sine, int cosine, int level, int flags);
int16_t QZDrawPlaneRotatedById(int planeId, int x, int y, int angle, int level, bool additive);
int16_t QZDrawPlaneScaled(int planeId, int cx, int cy, int scale);
int16_t QZDrawPlaneRotatedScaled(int planeId, int cx, int cy, int angle, int scale);
// Records of four values {plane id, x, y, angle}.
int16_t QZDrawPlanesRotated(int count, const int16_t* records, int xOffset, int yOffset);
int16_t QZSpriteDrawPalette(const QZPlane* source, QZPlane* dest, int sx, int sy, int width, int height, int dx,
                            int dy, const uint16_t* palette);
// Plane planeId becomes (width + 2 radius) x (height + 2 radius) with a mask,
// holding a soft shadow of the opaque area (mask 0, or every pixel without a
// mask) of the drawing plane's rectangle {x, y, width, height}: the colour
// (0x00RRGGBB) darkened to an opacity running from start % at the edge to
// end % where the area is covered.
int16_t QZCreateShadowPlane(int planeId, int x, int y, int width, int height, int radius, uint32_t colour,
                            int startPercent, int endPercent);
int16_t QZSpriteDrawTinted(const QZPlane* source, QZPlane* dest, const QZRect* rect, int dx, int dy, int red,
                           int green, int blue);
