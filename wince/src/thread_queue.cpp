// Point-to-point message queues and power notifications.
#include <cstring>

#include "thread_internal.h"
#include "wince/host/thread.h"
#include "wince/system.h"
#include "wince/text.h"

using wince::detail::kernel;
using wince::detail::KernelObject;
using wince::detail::PowerObject;
using wince::detail::QueueObject;

namespace {

QueueObject* queueOf(HANDLE handle, std::shared_ptr<KernelObject>& keep) {
  keep = wince::detail::objectOf(handle, KernelObject::Queue);
  return static_cast<QueueObject*>(keep.get());
}

// Writes a power broadcast to every queue registered for `kind`.
int broadcast(DWORD kind, DWORD flags, const WCHAR* state) {
  POWER_BROADCAST message{};
  message.Message = kind;
  message.Flags = flags;
  if (state) {
    wcsncpy(message.SystemPowerState, state, 15);
    message.Length = static_cast<DWORD>((wcslen(message.SystemPowerState) + 1) * sizeof(WCHAR));
  }
  const auto* bytes = reinterpret_cast<const BYTE*>(&message);
  auto& k = kernel();
  std::lock_guard lock(k.mutex);
  int written = 0;
  for (auto& [handle, object] : k.handles) {
    if (object->kind != KernelObject::PowerNotification) continue;
    auto& notification = static_cast<PowerObject&>(*object);
    auto queue = notification.queue.lock();
    if (!queue || !(notification.flags & kind)) continue;
    const MSGQUEUEOPTIONS& o = queue->options;
    if (sizeof message > o.cbMaxMessage || (o.dwMaxMessages && queue->messages.size() >= o.dwMaxMessages)) continue;
    queue->messages.emplace_back(bytes, bytes + sizeof message);
    ++written;
  }
  k.changed.notify_all();
  return written;
}

}  // namespace

HANDLE CreateMsgQueue(LPCWSTR name, LPMSGQUEUEOPTIONS options) {
  if (name || !options || options->cbMaxMessage == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto queue = std::make_shared<QueueObject>();
  queue->options = *options;
  return wince::detail::addObject(queue);
}

BOOL ReadMsgQueue(HANDLE queueHandle, LPVOID buffer, DWORD bufferSize, LPDWORD bytesRead, DWORD timeout, DWORD* flags) {
  auto& k = kernel();
  std::unique_lock lock(k.mutex);
  std::shared_ptr<KernelObject> keep;
  QueueObject* queue = queueOf(queueHandle, keep);
  if (!queue) return FALSE;
  if (!buffer || !bytesRead) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  bool ready = wince::detail::waitUntil(lock, timeout, [queue] { return queue->signalled(); });
  if (!ready || queue->messages.empty()) {
    queue->wake = false;
    SetLastError(ERROR_TIMEOUT);
    return FALSE;
  }
  std::vector<BYTE>& message = queue->messages.front();
  if (message.size() > bufferSize) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memcpy(buffer, message.data(), message.size());
  *bytesRead = static_cast<DWORD>(message.size());
  if (flags) *flags = 0;
  queue->messages.pop_front();
  k.changed.notify_all();
  return TRUE;
}

BOOL WriteMsgQueue(HANDLE queueHandle, LPVOID buffer, DWORD bytes, DWORD timeout, DWORD flags) {
  auto& k = kernel();
  std::unique_lock lock(k.mutex);
  std::shared_ptr<KernelObject> keep;
  QueueObject* queue = queueOf(queueHandle, keep);
  if (!queue) return FALSE;
  if ((!buffer && bytes) || bytes > queue->options.cbMaxMessage) {
    SetLastError(buffer || !bytes ? ERROR_INSUFFICIENT_BUFFER : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DWORD limit = queue->options.dwMaxMessages;
  if (!wince::detail::waitUntil(lock, timeout, [queue, limit] { return !limit || queue->messages.size() < limit; })) {
    SetLastError(ERROR_TIMEOUT);
    return FALSE;
  }
  const auto* data = static_cast<const BYTE*>(buffer);
  queue->messages.emplace_back(data, data + bytes);
  k.changed.notify_all();
  return TRUE;
}

BOOL CloseMsgQueue(HANDLE queue) {
  {
    std::lock_guard lock(kernel().mutex);
    if (!wince::detail::objectOf(queue, KernelObject::Queue)) return FALSE;
  }
  return CloseHandle(queue);
}

HANDLE RequestPowerNotifications(HANDLE queueHandle, DWORD flags) {
  std::shared_ptr<KernelObject> queue;
  {
    std::lock_guard lock(kernel().mutex);
    queue = wince::detail::objectOf(queueHandle, KernelObject::Queue);
  }
  if (!queue) return nullptr;
  auto notification = std::make_shared<PowerObject>();
  notification->queue = std::static_pointer_cast<QueueObject>(queue);
  notification->flags = flags;
  return wince::detail::addObject(notification);
}

BOOL StopPowerNotifications(HANDLE notifications) {
  {
    std::lock_guard lock(kernel().mutex);
    if (!wince::detail::objectOf(notifications, KernelObject::PowerNotification)) return FALSE;
  }
  return CloseHandle(notifications);
}

namespace wince {

int simulateSuspend() { return broadcast(PBT_TRANSITION, POWER_STATE_SUSPEND, u"suspend"); }

int simulateResume() {
  int written = broadcast(PBT_TRANSITION, POWER_STATE_ON, u"on");
  broadcast(PBT_RESUME, 0, nullptr);
  return written;
}

}  // namespace wince
