// The program's spine: WinMain, the single-instance check, the main window
// and its window procedure, the ordered start levels that bring the platform
// services up, the frame timer, the power-notification thread and the
// ordered stop.
#pragma once

#include <atomic>

#include <cstdint>

#include "qz_app_bridge.h"
#include "qz_types.h"
#include "wince/window.h"

constexpr QZStatus QZ_ERR_ALREADY_RUNNING = -16;
constexpr UINT QZ_WM_POWER = 0x8001;
constexpr UINT_PTR QZ_FRAME_TIMER = 1;
constexpr UINT QZ_FRAME_TIMER_MS = 10;
constexpr int QZ_START_LEVELS = 10;
constexpr int32_t QZ_STATE_QUIT = 256;
// The application's key codes for the keys a desktop adds (Tab, Shift+Tab,
// the menu key).
constexpr int QZ_KEY_TAB = 9;
constexpr int QZ_KEY_BACK_TAB = 0xA003;
constexpr int QZ_KEY_MENU = 261;

// WinMain's first steps: a fresh process state, then the application's
// launch settings.
void QZBeginLaunch(HINSTANCE instance);
int WINAPI QZWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand);
QZStatus QZInitInstance(HINSTANCE instance, int showCommand);
int QZFindRunningInstance(const WCHAR* className, const WCHAR* title);
ATOM QZRegisterWindowClass(HINSTANCE instance, const WCHAR* className);
QZStatus QZStartApplication(int level);
void QZStopApplication();
LRESULT CALLBACK QZWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
QZStatus QZCreateMenuBar(HWND parent, int menuBarId);
int QZPaintWindow(HWND window);

void QZStartTimer(int16_t interval);
void QZStopTimer();
void QZSetIdleInterval(int16_t value);
int16_t QZGetFrameInterval();
int16_t QZOnTimer();

void QZCloseMainWindow();
HWND QZGetMainWindow();
HINSTANCE QZGetInstance();
HWND QZGetMenuBarWindow();
int QZGetMenuBarHeight();
QZApplicationConfig& QZGetApplicationConfig();
uint32_t QZGetCreatorID();
void QZOnPowerOff();
void QZOnPowerOn();

// The text input mode (Smartphone only; elsewhere it is only remembered and
// the result is 2): set, re-applied on focus gain, closed on focus loss.
int QZSetInputMode(uint16_t mode);
int QZRestoreInputMode();
int QZCloseInputMode();

void QZSuspendScreen(int flag);
int QZIsScreenSuspended();
int QZIsApplicationStopping();
void QZSetRequestedState(int32_t state);
int QZIsQuitRequested();
void QZResetFirstStart();
// Lays the screen out again once the graphics run.
void QZRelayoutScreen();

// The services start levels 3 and 4 bring up. Tests replace them to make a
// level fail.
struct QZStartServices {
  int16_t (*startGraphics)(HWND window);
  int (*startAudio)();
  int16_t (*startFont)();
};
QZStartServices QZDefaultStartServices();
void QZSetStartServices(const QZStartServices& services);

// Zeroes the process state and the launch settings (what WinMain does
// first; tests call it between runs).
void QZResetProcessState();

// A power thread's stop flag and message queue, shared with the window that
// started it.
struct QZPowerState {
  std::atomic<bool> stop{false};
  std::atomic<HANDLE> queue{nullptr};
};
// The power thread's body: posts QZ_WM_POWER to the main window for every
// power transition while the window is in the foreground.
void QZPowerThreadBody(HWND main, QZPowerState& state);
