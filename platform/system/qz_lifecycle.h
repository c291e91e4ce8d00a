// Around the main window's life: full-screen mode, the error reporter with
// its default alerts, alerts built from string resources, message boxes, and
// the device and system identification other code branches on.
#pragma once

#include <cstdint>
#include <string>

#include "qz_types.h"

// Device families (high byte of the device type).
constexpr uint16_t QZ_DEVICE_FAMILY_POCKETPC = 3;
constexpr uint16_t QZ_DEVICE_FAMILY_SMARTPHONE = 4;

int QZSetFullScreen(int on);
int QZIsFullScreen();
int QZIsFullScreenApplied();
int QZIsFullScreenUsed();
void QZLeaveFullScreen();
void QZRefreshFullScreen();
void QZEndFullScreen();
void QZSetFullScreenMode(int on);
// Reads the work area and, when that succeeds, takes the screen as the
// full-screen rectangle.
void QZRefreshFullScreenRect();
// Forgets the full-screen and dialog state (start of a run).
void QZResetFullScreenState();

// The dialog hook: phase 0 a dialog opens, phase 2 it closed.
int QZDialogHook(int value, int phase);

// 1 handled (or a known code), 2 an unknown code.
int QZOnError(int16_t code);
// The alert whose id the error reporter shows for a code (0 for none).
uint16_t QZErrorAlertId(int16_t code);

// An alert split from its string: kind|title|text|buttons.
struct QZAlertText {
  std::u16string title;
  std::u16string text;
  uint32_t flags;
};
// False unless the text has the four fields.
bool QZParseAlert(const std::u16string& source, QZAlertText* out);
// 0 OK or Yes, 1 Cancel or No, 0xFFFF not shown or anything else.
uint16_t QZAlert(uint16_t id);
int QZShowApplicationMessage(const char16_t* text);
int QZShowBuildDetails(const char16_t* first, const char16_t* second);

uint16_t QZGetOSVersionCode();
bool QZIsOSVersionAtLeast(uint32_t major, uint32_t minor);
int QZIsOEMDevice(const char16_t* name, int show);
bool QZIsSmartphone();
