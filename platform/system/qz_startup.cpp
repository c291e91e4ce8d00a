#include "qz_startup.h"

#include <atomic>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "qz_database_folders.h"
#include "qz_display.h"
#include "qz_font.h"
#include "qz_highscore.h"
#include "qz_lifecycle.h"
#include "qz_music.h"
#include "qz_plane.h"
#include "qz_preferences.h"
#include "qz_resource_manager.h"
#include "qz_screen.h"
#include "qz_sound.h"
#include "qz_system.h"
#include "wince/file.h"
#include "wince/registry.h"
#include "wince/resource.h"
#include "wince/shell.h"
#include "wince/system.h"
#include "wince/text.h"
#include "wince/thread.h"

namespace {

constexpr uint32_t kDefaultCreator = 0x517A5A5A;  // "QzZZ"
constexpr int kMenuBarAllowance = 26;
constexpr size_t kPowerMessageBytes = 44;

struct ProcessState {
  HINSTANCE instance = nullptr;
  HWND main = nullptr;
  HWND menuBar = nullptr;
  int menuBarHeight = 0;
  WCHAR className[128] = {};
  WCHAR title[128] = {};
  WCHAR productKey[512] = {};
  WCHAR installKey[512] = {};
  bool applicationCreated = false;
  bool stopping = false;
  bool quit = false;
  bool screenSuspended = false;
  // The running power thread's stop flag and queue. Each thread has its own,
  // so a thread that starts late never misses the stop of its window.
  std::shared_ptr<QZPowerState> power;
  HANDLE powerThread = nullptr;
  uint32_t lastTick = 0;
  bool inFrame = false;
  uint16_t inputMode = 0;
};

ProcessState& ps() {
  static ProcessState s;
  return s;
}

QZApplicationConfig& config() {
  static QZApplicationConfig c{};
  return c;
}

QZSystemPreferences& prefs() { return QZGetSystemPreferences(); }

// The screen plane exists from the application's graphics start until the
// graphics stop; before and after it there is nothing to lay out or paint.
bool screenExists() { return QZGetScreenPlane()->image != nullptr; }

QZStartServices& services() {
  static QZStartServices s = QZDefaultStartServices();
  return s;
}

// Songs are found under the folders of the install key that the program's
// strings name.
void startSongs() { QZSetProgramKey(ps().installKey); }

int16_t readGraphicsResource(uint32_t type, int id, std::vector<uint8_t>* out) {
  QZResourceHandle* holder = nullptr;
  const uint8_t* data = QZLockResource(holder, type, static_cast<uint16_t>(id));
  if (!data) return QZ_ERR_NO_RESOURCE;
  out->assign(data, data + holder->size);
  QZUnlockResource(holder);
  return QZ_OK;
}

QZStatus startSettings() {
  QZSetPreferencesOwner(ps().title, config().creator);
  if (const QZStatus r = QZOpenPreferences(); r < 0) return r;
  if (const QZStatus r = QZLoadSystemPreferences(); r < 0) return r;
  QZSeedRandom(QZGetTicks());
  return 0;
}

QZStatus startResources() {
  CQZResourceManager& manager = CQZResourceManager::instance();
  manager.addSource(std::make_unique<CQZResourceSourceEXE>());
  return manager.addSourceDatabases(config().creator, QZ_TYPE_ARES);
}

QZStatus startGraphicsAndSound() {
  const QZApplicationConfig& c = config();
  QZSetGraphicsConfig(QZGraphicsConfig{c.planeSlots, c.blobMapSize, c.blobSetSlots, c.borderColour});
  QZSetGraphicsResourceReader(readGraphicsResource);
  QZScreenEnvironment environment;
  environment.modeListed = [](int modeId) {
    return CQZResourceManager::instance().hasGraphicsMode(static_cast<uint16_t>(modeId));
  };
  environment.modeChanged = [](int modeId) {
    CQZResourceManager::instance().setModeAndLanguage(static_cast<uint16_t>(modeId), QZGetLanguage());
  };
  QZSetScreenEnvironment(std::move(environment));
  if (const int16_t r = services().startGraphics(ps().main); r < 0) return r;
  QZSetAudioDeviceKind(QZIsSmartphone(), QZIsOEMDevice(u"MotoQ", 0) != 0);
  if (const int r = services().startAudio(); r < 0) return static_cast<QZStatus>(r);
  startSongs();
  return 0;
}

QZStatus startApplication() {
  QZSystemPreferences& p = prefs();
  if (!p.firstStartDone) {
    if (const int r = QZCallFirstRun(); r < 0) return static_cast<QZStatus>(r);
    p.firstStartDone = 1;
    QZSetLanguageFromSystem();
    QZSetOrientation(2);
  }
  ps().lastTick = QZGetTicks();
  ps().applicationCreated = true;
  return QZCreateApplication();
}

// Frees the samples and closes the audio device (with the song player),
// whether or not the application's audio manager already did.
void stopSound() {
  QZStopAllSounds();
  _UnloadSampleResources();
}

// The frame timer fires in steps of 10 ms; between frames it sleeps until the
// next one is due, so an idle program wakes once a frame rather than a
// hundred times a second. The gate above still decides.
void rearmFrameTimer() {
  const int16_t interval = prefs().tickInterval;
  if (interval <= 0 || !ps().main) return;
  const uint32_t elapsed = QZGetTicks() - ps().lastTick;
  const uint32_t remaining = elapsed < static_cast<uint32_t>(interval) ? interval - elapsed : 1;
  SetTimer(ps().main, QZ_FRAME_TIMER, remaining * QZ_FRAME_TIMER_MS, nullptr);
}

void restartFrames() {
  if (prefs().tickInterval > 0) SetTimer(ps().main, QZ_FRAME_TIMER, QZ_FRAME_TIMER_MS, nullptr);
}

void onActivate(HWND window, WPARAM wParam, LPARAM lParam) {
  if (window != ps().main) return;
  const WORD state = LOWORD(wParam);
  if (state == WA_ACTIVE || state == WA_CLICKACTIVE) {
    if (prefs().tickInterval > 0) {
      SetTimer(ps().main, QZ_FRAME_TIMER, QZ_FRAME_TIMER_MS, nullptr);
      QZSendSuspendResume(1);
    }
    QZEnableSoundOutput(1);
    if (GetForegroundWindow() == ps().main) QZRefreshFullScreen();
    QZRelayoutScreen();
    return;
  }
  const HWND other = reinterpret_cast<HWND>(lParam);
  if (other && GetParent(other) == ps().main) return;
  if (prefs().tickInterval > 0) {
    QZSendSuspendResume(0);
    KillTimer(ps().main, QZ_FRAME_TIMER);
  }
  QZEnableSoundOutput(0);
}

struct PowerThreadStart {
  HWND main;
  std::shared_ptr<QZPowerState> state;
};

DWORD WINAPI powerThread(LPVOID parameter) {
  std::unique_ptr<PowerThreadStart> start(static_cast<PowerThreadStart*>(parameter));
  QZPowerThreadBody(start->main, *start->state);
  return 0;
}

void onCreate(HWND window) {
  WCHAR name[128] = {};
  GetClassName(window, name, 128);
  if (std::u16string(name) != ps().className) return;
  ps().main = window;
  if (config().menuBarId > 0) {
    QZCreateMenuBar(window, config().menuBarId);
    if (config().menuBarHook) config().menuBarHook(ps().menuBar);
  }
  QZRefreshFullScreenRect();
  if (QZIsSmartphone() && ps().menuBar) {
    for (const WPARAM key : {VK_TSOFT1, VK_TSOFT2, VK_TBACK}) {
      SendMessage(ps().menuBar, SHCMBM_OVERRIDEKEY, key, MAKELPARAM(SHMBOF_NODEFAULT | SHMBOF_NOTIFY,
                                                                    SHMBOF_NODEFAULT | SHMBOF_NOTIFY));
    }
  }
  ps().power = std::make_shared<QZPowerState>();
  auto* start = new PowerThreadStart{window, ps().power};
  ps().powerThread = CreateThread(nullptr, 0, powerThread, start, 0, nullptr);
  if (!ps().powerThread) delete start;
  ps().inputMode = 0;
}

// The power thread is woken and waited for: it closes its own queue, and
// nothing of it outlives the window.
void stopPowerThread() {
  if (const std::shared_ptr<QZPowerState> power = std::move(ps().power)) {
    power->stop = true;
    if (HANDLE queue = power->queue.load()) SetEvent(queue);
  }
  if (HANDLE thread = std::exchange(ps().powerThread, nullptr)) {
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
  }
}

void onDestroy(HWND window) {
  if (window != ps().main) return;
  stopPowerThread();
  if (ps().menuBar) {
    DestroyWindow(ps().menuBar);
    ps().menuBar = nullptr;
  }
  QZEndFullScreen();
  // The handle dies with the window: nothing may reach for it afterwards.
  ps().main = nullptr;
  PostQuitMessage(0);
}

int scaledPen(int coordinate, int offset) {
  const QZScreenLayout& layout = QZGetScreenLayout();
  const int c = coordinate + offset;
  return layout.scaling && layout.scale > 0 ? c * 2048 / layout.scale : c;
}

void sendPen(int type, LPARAM lParam) {
  const QZScreenLayout& layout = QZGetScreenLayout();
  QZSendPen(type, scaledPen(static_cast<int16_t>(LOWORD(lParam)), layout.offsetX),
            scaledPen(static_cast<int16_t>(HIWORD(lParam)), layout.offsetY));
}

// The input panel came or went: the layout follows the visible desktop.
void onInputPanelChange() {
  SIPINFO info{};
  info.cbSize = sizeof info;
  if (SHSipInfo(SPI_GETSIPINFO, 0, &info, 0)) {
    QZSetDrawDC(nullptr);
    if (screenExists() && info.rcVisibleDesktop.bottom != QZGetWindowHeight()) QZRelayoutScreen();
  }
  QZRepaintApplication();
}

// Keys the handheld has and a desktop keyboard lacks arrive as desktop keys
// (see the runtime's key map): Tab and Shift+Tab move the focus, the menu
// key opens the menu bar. They reach the application as its own key codes.
bool onDesktopKey(WPARAM key) {
  switch (key) {
    case VK_TAB:
      QZSendKey((GetAsyncKeyState(VK_SHIFT) & 0x8000) ? QZ_KEY_BACK_TAB : QZ_KEY_TAB, 0);
      return true;
    case VK_APPS: QZSendKey(QZ_KEY_MENU, 0); return true;
    default: return false;
  }
}

// The table's reactions; false for the messages that go to DefWindowProc.
bool handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_CREATE: onCreate(window); return true;
    case WM_DESTROY: onDestroy(window); return true;
    case WM_SIZE:
      if (screenExists() && (LOWORD(lParam) != QZGetWindowWidth() || HIWORD(lParam) != QZGetWindowHeight())) {
        QZRelayoutScreen();
      }
      return true;
    case WM_ACTIVATE: onActivate(window, wParam, lParam); return true;
    case WM_SETFOCUS:
      QZReadDisplayOrientation();
      if (GetForegroundWindow() == ps().main) QZRefreshFullScreen();
      QZRelayoutScreen();
      QZRestoreInputMode();
      return true;
    case WM_KILLFOCUS: QZCloseInputMode(); return true;
    case WM_ENABLE:
      if (wParam) {
        restartFrames();
        QZEnableSoundOutput(1);
      }
      return true;
    case WM_PAINT:
      QZSuspendScreen(0);
      QZPaintWindow(window);
      return true;
    case WM_CLOSE: QZSetRequestedState(QZ_STATE_QUIT); return true;
    case WM_SETTINGCHANGE:
      if (wParam != SPI_SETSIPINFO) return false;
      onInputPanelChange();
      return true;
    case WM_KEYDOWN: return onDesktopKey(wParam);
    case WM_CHAR:
    case WM_HOTKEY: QZCallKeyEvent(message, wParam, lParam); return true;
    case WM_COMMAND: return QZCallCommand(wParam, lParam) != 0;
    case WM_TIMER:
      if (ps().screenSuspended || ps().stopping) return true;
      if (const int16_t r = QZOnTimer(); r < 0) {
        *result = r;
        return false;
      }
      return true;
    case WM_INITMENUPOPUP: QZSuspendScreen(1); return true;
    case WM_MOUSEMOVE:
      if (wParam & (MK_LBUTTON | MK_RBUTTON)) sendPen((wParam & 3) == MK_RBUTTON ? 16 : 2, lParam);
      return true;
    case WM_LBUTTONDOWN: sendPen(1, lParam); return true;
    case WM_LBUTTONUP: sendPen(0, lParam); return true;
    case QZ_WM_POWER:
      if (wParam == 0) QZOnPowerOff();
      if (wParam == 1) QZOnPowerOn();
      return true;
    default: return false;
  }
}

}  // namespace

void QZPowerThreadBody(HWND main, QZPowerState& state) {
  MSGQUEUEOPTIONS options{};
  options.dwSize = sizeof options;
  options.dwFlags = 0;
  options.dwMaxMessages = 0;
  options.cbMaxMessage = kPowerMessageBytes;
  options.bReadAccess = TRUE;
  HANDLE queue = CreateMsgQueue(nullptr, &options);
  HANDLE notifications = queue ? RequestPowerNotifications(queue, PBT_TRANSITION) : nullptr;
  // Published before the stop flag is read: either the window's destruction
  // sees the queue and wakes it, or this thread sees the flag.
  state.queue = queue;
  if (!queue || !notifications) state.stop = true;
  while (!state.stop) {
    WaitForSingleObject(queue, INFINITE);
    uint8_t buffer[kPowerMessageBytes];
    DWORD read = 0, flags = 0;
    if (!ReadMsgQueue(queue, buffer, sizeof buffer, &read, 0, &flags) || state.stop) continue;
    if (read >= 8 && GetForegroundWindow() == main) {
      const POWER_BROADCAST* broadcast = reinterpret_cast<const POWER_BROADCAST*>(buffer);
      PostMessage(main, QZ_WM_POWER, (broadcast->Flags >> 16) & 1, 0);
    }
  }
  if (notifications) StopPowerNotifications(notifications);
  state.queue = nullptr;
  if (queue) CloseMsgQueue(queue);
}

void QZResetProcessState() {
  ProcessState& s = ps();
  s.instance = nullptr;
  s.main = nullptr;
  s.menuBar = nullptr;
  s.menuBarHeight = 0;
  s.className[0] = s.title[0] = s.productKey[0] = s.installKey[0] = 0;
  s.applicationCreated = s.stopping = s.quit = s.screenSuspended = false;
  s.power.reset();
  s.powerThread = nullptr;
  s.lastTick = 0;
  s.inFrame = false;
  s.inputMode = 0;
  config() = QZApplicationConfig{};
  config().creator = kDefaultCreator;
  config().dialogHook = QZDialogHook;
  QZResetFullScreenState();
}

void QZBeginLaunch(HINSTANCE instance) {
  QZResetProcessState();
  ps().instance = instance;
  QZGetLaunchSettings(&config());
  QZSetHighscoreVersion(config().highScoreVersion, config().highScoreEncoding);
}

int WINAPI QZWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
  QZBeginLaunch(instance);
  const QZStatus status = QZInitInstance(instance, showCommand);
  INITCOMMONCONTROLSEX controls{8, 0x2000};
  InitCommonControlsEx(&controls);
  if (status < 0) {
    QZOnError(status);
    QZStopApplication();
    // The window of a failed start goes too, and with it the power thread.
    if (ps().main) DestroyWindow(ps().main);
    return 0;
  }
  HACCEL accelerators = LoadAccelerators(instance, MAKEINTRESOURCE(config().acceleratorId));
  MSG msg{};
  while (GetMessage(&msg, nullptr, 0, 0)) {
    if (!accelerators || !TranslateAccelerator(ps().main, accelerators, &msg)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
    if (QZIsQuitRequested()) {
      QZStopApplication();
      if (ps().main) DestroyWindow(ps().main);
    }
  }
  return static_cast<int>(msg.wParam);
}

QZStatus QZInitInstance(HINSTANCE instance, int showCommand) {
  ProcessState& s = ps();
  s.instance = instance;
  LoadString(instance, config().classStringId, s.className, 128);
  LoadString(instance, config().titleStringId, s.title, 128);
  LoadString(instance, config().productKeyStringId, s.productKey, 512);
  LoadString(instance, config().installKeyStringId, s.installKey, 512);
  if (QZFindRunningInstance(s.className, s.title)) return QZ_ERR_ALREADY_RUNNING;
  QZRegisterWindowClass(instance, s.className);
  const bool phone = QZIsSmartphone();
  const int width = phone ? GetSystemMetrics(SM_CXSCREEN) : CW_USEDEFAULT;
  const int height = phone ? GetSystemMetrics(SM_CYSCREEN) : CW_USEDEFAULT;
  HWND window = CreateWindowEx(0, s.className, s.title, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, width, height,
                               nullptr, nullptr, instance, nullptr);
  if (!window) return QZ_ERR_GENERAL;
  s.main = window;
  if (s.menuBar) {
    RECT r;
    GetWindowRect(window, &r);
    MoveWindow(window, r.left, r.top, r.right, r.bottom - kMenuBarAllowance, FALSE);
  }
  for (int level = 0; level < QZ_START_LEVELS; ++level) {
    if (const QZStatus r = QZStartApplication(level); r < 0) return r;
  }
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  // The soft-key bar is shown once the window is.
  if (s.menuBar) ShowWindow(s.menuBar, SW_SHOWNORMAL);
  return 0;
}

int QZFindRunningInstance(const WCHAR* className, const WCHAR* title) {
  HWND other = FindWindow(className, title);
  if (!other) return 0;
  SetForegroundWindow(other);
  return 1;
}

ATOM QZRegisterWindowClass(HINSTANCE instance, const WCHAR* className) {
  WNDCLASS wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = QZWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIcon(instance, MAKEINTRESOURCE(config().iconId));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = className;
  return RegisterClass(&wc);
}

QZStatus QZStartApplication(int level) {
  switch (level) {
    case 1: return startSettings();
    case 2: return startResources();
    case 3: return startGraphicsAndSound();
    case 4: return services().startFont();
    case 5: return startApplication();
    case 9:
      if (QZIsFullScreenUsed() && QZGetDeviceType() == 1027) ShowWindow(ps().main, 1);
      return 0;
    default: return 0;
  }
}

void QZStopApplication() {
  ProcessState& s = ps();
  if (s.stopping) return;
  s.stopping = true;
  if (s.applicationCreated) QZDestroyApplication();
  QZStopFont();
  stopSound();
  QZStopGraphics();
  QZSetGraphicsResourceReader(nullptr);
  QZSetScreenEnvironment({});
  CQZResourceManager::instance().reset();
  QZSaveSystemPreferences();
  QZClosePreferences();
}

LRESULT CALLBACK QZWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const MSG record{window, message, wParam, lParam, 0, {}};
  if (QZSendSystemEvent(record) == 1) return 0;
  if (message == WM_IME_REQUEST) return wParam == 0x1000 && QZIsSmartphone() ? 1 : 0;
  LRESULT result = 0;
  if (!handleMessage(window, message, wParam, lParam, &result)) {
    return result < 0 ? result : DefWindowProc(window, message, wParam, lParam);
  }
  QZUpdateSound();
  QZCallAfterMessage(message);
  return 0;
}

QZStatus QZCreateMenuBar(HWND parent, int menuBarId) {
  SHMENUBARINFO info{};
  info.cbSize = sizeof info;
  info.hwndParent = parent;
  info.nToolBarId = static_cast<UINT>(menuBarId);
  info.hInstRes = ps().instance;
  if (!SHCreateMenuBar(&info)) return QZ_ERR_GENERAL;
  // Only the main window's bar is kept: an alert dialog's bar is its own.
  if (parent != ps().main) return 0;
  ps().menuBar = info.hwndMB;
  RECT r{};
  GetWindowRect(info.hwndMB, &r);
  ps().menuBarHeight = r.bottom - r.top;
  return 0;
}

int QZPaintWindow(HWND window) {
  if (window != ps().main) return 0;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  QZSetDrawDC(dc);
  if (!ps().screenSuspended && screenExists()) {
    QZRelayoutScreen();
    QZRepaintApplication();
  }
  QZSetDrawDC(nullptr);
  EndPaint(window, &paint);
  return 0;
}

void QZStartTimer(int16_t interval) {
  prefs().tickInterval = interval;
  if (ps().main) SetTimer(ps().main, QZ_FRAME_TIMER, QZ_FRAME_TIMER_MS, nullptr);
}

void QZStopTimer() {
  prefs().tickInterval = -1;
  if (ps().main) KillTimer(ps().main, QZ_FRAME_TIMER);
}

void QZSetIdleInterval(int16_t value) { prefs().idleInterval = value; }
int16_t QZGetFrameInterval() { return prefs().tickInterval; }

int16_t QZOnTimer() {
  const int16_t interval = prefs().tickInterval;
  // A frame never runs inside another (a message box shown by a frame runs
  // its own message loop, whose timer messages come back here).
  if (interval <= 0 || ps().inFrame) return 0;
  const uint32_t now = QZGetTicks();
  // Elapsed time, not a sum, so the wrap of the tick counter stops nothing.
  if (now - ps().lastTick < static_cast<uint32_t>(interval)) {
    rearmFrameTimer();
    return 0;
  }
  ps().inFrame = true;
  const int16_t result = QZRunApplicationTick();
  ps().inFrame = false;
  // A failed frame keeps the last frame's time: the next step tries again.
  if (result >= 0) ps().lastTick = now;
  rearmFrameTimer();
  return result < 0 ? result : 0;
}

void QZCloseMainWindow() {
  if (ps().main) SendMessage(ps().main, WM_CLOSE, 0, 0);
}

HWND QZGetMainWindow() { return ps().main; }
HINSTANCE QZGetInstance() { return ps().instance; }
HWND QZGetMenuBarWindow() { return ps().menuBar; }
int QZGetMenuBarHeight() { return ps().menuBarHeight; }
QZApplicationConfig& QZGetApplicationConfig() { return config(); }
uint32_t QZGetCreatorID() { return config().creator; }

void QZOnPowerOff() {
  if (!QZIsSmartphone()) return;
  QZSendSuspendResume(0);
  KillTimer(ps().main, QZ_FRAME_TIMER);
  QZEnableSoundOutput(0);
}

void QZOnPowerOn() {
  if (!QZIsSmartphone()) return;
  SetTimer(ps().main, QZ_FRAME_TIMER, QZ_FRAME_TIMER_MS, nullptr);
  QZSendSuspendResume(1);
  QZEnableSoundOutput(1);
  if (GetForegroundWindow() == ps().main) QZRefreshFullScreen();
  QZRelayoutScreen();
}

int QZSetInputMode(uint16_t mode) {
  ps().inputMode = mode;
  if (!QZIsSmartphone() || !ps().main) return 2;
  HIMC context = ImmGetContext(ps().main);
  ImmEscape(GetKeyboardLayout(0), context, IME_ESC_SET_MODE, reinterpret_cast<LPVOID>(static_cast<uintptr_t>(mode)));
  ImmReleaseContext(ps().main, context);
  return 1;
}

int QZRestoreInputMode() { return QZSetInputMode(ps().inputMode); }

int QZCloseInputMode() {
  if (!QZIsSmartphone() || !ps().main) return 2;
  ImmReleaseContext(ps().main, ImmGetContext(ps().main));
  return 1;
}

QZStartServices QZDefaultStartServices() { return QZStartServices{QZStartGraphics, QZStartAudio, QZStartFont}; }
void QZSetStartServices(const QZStartServices& replacement) { services() = replacement; }

void QZSuspendScreen(int flag) { ps().screenSuspended = flag != 0; }
int QZIsScreenSuspended() { return ps().screenSuspended ? 1 : 0; }
int QZIsApplicationStopping() { return ps().stopping ? 1 : 0; }

void QZSetRequestedState(int32_t state) {
  if (state == QZ_STATE_QUIT) ps().quit = true;
  else prefs().requestedState = state;
}

int QZIsQuitRequested() { return ps().quit || prefs().requestedState == QZ_STATE_QUIT; }
void QZResetFirstStart() { prefs().firstStartDone = 0; }

void QZRelayoutScreen() {
  if (screenExists()) QZLayoutScreen(0);
}
