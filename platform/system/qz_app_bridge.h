// The bridge through which the platform layer reaches the application: the
// application object's operations (an abstract class the framework's
// application base implements), the application's hooks, and the launch
// settings the application fills in before start-up.
#pragma once

#include <cstdint>

#include "qz_types.h"
#include "wince/window.h"

// What the layer calls of the one application object.
class QZApplicationInterface {
 public:
  virtual ~QZApplicationInterface() = default;
  virtual int16_t init() = 0;
  virtual int16_t shutdown() = 0;
  // One frame's work; drawFrame follows when the result is not negative.
  virtual int16_t tick() = 0;
  virtual void drawFrame() = 0;
  virtual void repaintAll() = 0;
  // 1 when the message was handled and the window procedure should stop.
  virtual int onSystemEvent(const MSG& message) = 0;
  virtual int onPen(int type, int x, int y) = 0;
  // A key code the device's messages do not carry (Tab, back-tab, the menu
  // key); 2 when the application takes no such keys.
  virtual int onKey(int /*code*/, int /*value*/) { return 2; }
  virtual int onSuspendResume(int active) = 0;
};

// Launch settings: zero-filled, then filled by the application's hook.
struct QZApplicationConfig {
  int (*dialogHook)(int value, int phase);
  uint8_t highScoreVersion;
  uint8_t highScoreEncoding;
  uint16_t installKeyStringId;
  uint16_t productKeyStringId;
  uint16_t iconId;
  uint16_t acceleratorId;
  uint16_t classStringId;
  uint16_t titleStringId;
  int16_t menuBarId;
  uint32_t creator;
  uint16_t blobMapSize;
  uint16_t blobSetSlots;
  uint16_t planeSlots;
  uint16_t borderColour;
  void (*menuBarHook)(HWND menuBar);
  uint16_t songValue;
};

// The application's hooks. A null hook answers 2 (not handled).
struct QZApplicationHooks {
  int (*getLaunchSettings)(QZApplicationConfig* config);
  QZApplicationInterface* (*createApplication)();  // a new object; the bridge owns and deletes it
  int (*onFirstRun)();
  int (*onKeyEvent)(UINT message, WPARAM wParam, LPARAM lParam);
  int (*onError)(int16_t code);
  int (*onCommand)(WPARAM wParam, LPARAM lParam);
  int (*afterMessage)(UINT message);
};

void QZSetApplicationHooks(const QZApplicationHooks& hooks);
const QZApplicationHooks& QZGetApplicationHooks();

// Hook calls with their defaults.
int QZGetLaunchSettings(QZApplicationConfig* config);
int QZCallFirstRun();
int QZCallKeyEvent(UINT message, WPARAM wParam, LPARAM lParam);
int QZCallOnError(int16_t code);
int QZCallCommand(WPARAM wParam, LPARAM lParam);
int QZCallAfterMessage(UINT message);

// The application object: null before start level 5 and after the stop.
QZApplicationInterface* QZGetApplication();
// Creates the object (-9 when the factory gives none), turns full screen on
// and runs its init; returns the init result. Frames run only once init has
// returned with success: a dialog shown inside init runs a nested message
// loop whose timer messages must not tick a half-made application.
QZStatus QZCreateApplication();
// The application's shutdown, full screen off, the object deleted; 0 without one.
QZStatus QZDestroyApplication();
// The tick and, when not negative, the frame drawing; 1 without an application.
int16_t QZRunApplicationTick();
int QZRepaintApplication();
int QZSendSystemEvent(const MSG& message);
int QZSendPen(int type, int x, int y);
int QZSendKey(int code, int value);
int QZSendSuspendResume(int active);
