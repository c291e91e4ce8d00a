// The device's display: the device type, which tells whether the display can
// turn, the display's orientation and the orientation word of the system
// preferences.
#pragma once

#include <cstdint>

// The device type code from the system's version and platform type (0 unknown).
uint16_t QZGetDeviceType();

// The orientation word of the system preferences.
uint16_t QZGetOrientation();
void QZSetOrientation(uint16_t value);

// Display orientation: 1 = 0 degrees, 2 = 90, 3 = 180, 4 = 270.
// 0 success, -1 failure, 2 for any other value.
int QZSetDisplayOrientation(int orientation);
// The current orientation (1-4), 0 when unknown.
int QZGetDisplayOrientation();
// 5 square, 1 taller than wide, 2 wider than tall.
int QZCompareShape(int width, int height);

// Whether the display can be turned: 0 on device types 770 and 1026, else 1
// when the system answers an orientation query.
int QZCanRotateDisplay();
// Turns the display for a picture of width x height: 2 when the display
// already has that shape or the shape is square; else it turns to 0 degrees
// from 90 or 270, otherwise to 90 degrees, remembers that the program turned
// it and returns 1 (the orientation status when the turn fails).
int QZFitDisplayOrientation(int width, int height);
// On focus gain: keeps the current orientation to put back later (unless the
// program turned the display itself) and sets the orientation word when it is
// 2 or 4. Returns the current orientation.
int QZReadDisplayOrientation();
// When graphics stop: puts back the kept orientation when the program turned
// the display; 2 when there is nothing to put back.
int QZRestoreDisplayOrientation();
