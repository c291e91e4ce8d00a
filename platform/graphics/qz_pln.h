// PLN images loaded into planes (the format itself: qz_pln_decode.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "qz_plane.h"
#include "qz_pln_decode.h"

// Loads 'aPLN' resource id into the plane entry: -5 when absent, -1 when it
// has no data or its data is malformed (the entry is left unused).
int16_t QZLoadPlaneFromPln(QZPlane* entry, int resourceId);
// The same from the bytes of a PLN image.
int16_t QZLoadPlaneFromPlnBytes(QZPlane* entry, const uint8_t* bytes, size_t size);
// Fills the entry's pixels from a payload of payloadSize bytes; -1 when the
// payload does not hold the image.
int16_t QZLoadPlaneFromPLNMemPtr(QZPlane* entry, bool hasMask, int transparentIndex, int encoding, int width,
                                 int height, uint32_t dataLength, const uint8_t* payload, size_t payloadSize,
                                 int paletteCount, const uint8_t* palette);
