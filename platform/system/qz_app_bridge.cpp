#include "qz_app_bridge.h"

#include <memory>

#include "qz_lifecycle.h"

namespace {

QZApplicationHooks g_hooks{};
std::unique_ptr<QZApplicationInterface> g_application;
bool g_initialised = false;

}  // namespace

void QZSetApplicationHooks(const QZApplicationHooks& hooks) { g_hooks = hooks; }
const QZApplicationHooks& QZGetApplicationHooks() { return g_hooks; }

int QZGetLaunchSettings(QZApplicationConfig* config) {
  return g_hooks.getLaunchSettings ? g_hooks.getLaunchSettings(config) : 2;
}
int QZCallFirstRun() { return g_hooks.onFirstRun ? g_hooks.onFirstRun() : 2; }
int QZCallKeyEvent(UINT message, WPARAM wParam, LPARAM lParam) {
  return g_hooks.onKeyEvent ? g_hooks.onKeyEvent(message, wParam, lParam) : 2;
}
int QZCallOnError(int16_t code) { return g_hooks.onError ? g_hooks.onError(code) : 2; }
int QZCallCommand(WPARAM wParam, LPARAM lParam) {
  return g_hooks.onCommand ? g_hooks.onCommand(wParam, lParam) : 2;
}
int QZCallAfterMessage(UINT message) { return g_hooks.afterMessage ? g_hooks.afterMessage(message) : 2; }

QZApplicationInterface* QZGetApplication() { return g_application.get(); }

QZStatus QZCreateApplication() {
  g_application.reset(g_hooks.createApplication ? g_hooks.createApplication() : nullptr);
  if (!g_application) return QZ_ERR_NO_MEMORY;
  QZSetFullScreen(1);
  const QZStatus result = g_application->init();
  g_initialised = result >= 0;
  return result;
}

QZStatus QZDestroyApplication() {
  if (!g_application) return 0;
  g_initialised = false;
  const QZStatus result = g_application->shutdown();
  QZSetFullScreen(0);
  g_application.reset();
  return result;
}

int16_t QZRunApplicationTick() {
  if (!g_application || !g_initialised) return 1;
  const int16_t result = g_application->tick();
  if (result >= 0) g_application->drawFrame();
  return result;
}

int QZRepaintApplication() {
  if (g_application) g_application->repaintAll();
  return 1;
}

int QZSendSystemEvent(const MSG& message) { return g_application ? g_application->onSystemEvent(message) : 2; }
int QZSendPen(int type, int x, int y) { return g_application ? g_application->onPen(type, x, y) : 2; }
int QZSendKey(int code, int value) { return g_application ? g_application->onKey(code, value) : 2; }
int QZSendSuspendResume(int active) { return g_application ? g_application->onSuspendResume(active) : 2; }
