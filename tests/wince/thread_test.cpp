// Threads, critical sections, events, waits, message queues and power
// notifications.
#include "wince/thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <vector>

#include "wince/clock.h"
#include "wince/host/clock.h"
#include "wince/host/thread.h"
#include "wince/system.h"

namespace {

DWORD WINAPI returnParameter(LPVOID p) { return static_cast<DWORD>(reinterpret_cast<uintptr_t>(p)); }

DWORD WINAPI waitForEvent(LPVOID p) {
  WaitForSingleObject(static_cast<HANDLE>(p), INFINITE);
  return 7;
}

TEST(ThreadTest, ThreadsRunAndEndWithTheirResult) {
  DWORD id = 0;
  HANDLE t = CreateThread(nullptr, 0, returnParameter, reinterpret_cast<LPVOID>(42), 0, &id);
  ASSERT_NE(t, nullptr);
  EXPECT_NE(id, 0u);
  EXPECT_NE(id, GetCurrentThreadId());
  EXPECT_EQ(WaitForSingleObject(t, INFINITE), WAIT_OBJECT_0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(t, &code));
  EXPECT_EQ(code, 42u);
  EXPECT_TRUE(CloseHandle(t));
  EXPECT_FALSE(CloseHandle(t));
  EXPECT_EQ(WaitForSingleObject(t, 0), WAIT_FAILED);

  HANDLE go = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  HANDLE held = CreateThread(nullptr, 0, waitForEvent, go, 0, nullptr);
  EXPECT_TRUE(GetExitCodeThread(held, &code));
  EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_EQ(WaitForSingleObject(held, 0), WAIT_TIMEOUT);
  SetEvent(go);
  EXPECT_EQ(WaitForSingleObject(held, INFINITE), WAIT_OBJECT_0);
  GetExitCodeThread(held, &code);
  EXPECT_EQ(code, 7u);
  CloseHandle(held);
  CloseHandle(go);
  wince::joinAllThreads();
  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
}

TEST(ThreadTest, SuspendedThreadsStartOnResumeAndKeepTheirPriority) {
  HANDLE t = CreateThread(nullptr, 0, returnParameter, reinterpret_cast<LPVOID>(5), CREATE_SUSPENDED, nullptr);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(WaitForSingleObject(t, 0), WAIT_TIMEOUT);
  EXPECT_EQ(GetThreadPriority(t), THREAD_PRIORITY_NORMAL);
  EXPECT_TRUE(SetThreadPriority(t, THREAD_PRIORITY_ABOVE_NORMAL));
  EXPECT_FALSE(SetThreadPriority(t, 9));
  EXPECT_EQ(GetThreadPriority(t), THREAD_PRIORITY_ABOVE_NORMAL);
  EXPECT_EQ(ResumeThread(t), 1u);
  EXPECT_EQ(WaitForSingleObject(t, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(ResumeThread(t), 0u);
  CloseHandle(t);
  EXPECT_EQ(ResumeThread(t), 0xFFFFFFFFu);
  EXPECT_EQ(CreateThread(nullptr, 0, returnParameter, nullptr, 0x10000, nullptr), nullptr);
  wince::joinAllThreads();

  HANDLE event = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  EXPECT_TRUE(EventModify(event, EVENT_SET));
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(EventModify(event, EVENT_RESET));
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  EXPECT_FALSE(EventModify(event, EVENT_PULSE));
  CloseHandle(event);
}

struct LockProbe {
  CRITICAL_SECTION* section;
  std::atomic<int> result{-1};
};

DWORD WINAPI tryEnter(LPVOID p) {
  auto* probe = static_cast<LockProbe*>(p);
  BOOL got = TryEnterCriticalSection(probe->section);
  if (got) LeaveCriticalSection(probe->section);
  probe->result = got;
  return 0;
}

TEST(ThreadTest, CriticalSectionsAreRecursiveAndExclusive) {
  CRITICAL_SECTION section;
  InitializeCriticalSection(&section);
  EnterCriticalSection(&section);
  EnterCriticalSection(&section);  // the owner enters again
  LockProbe probe{&section};
  HANDLE t = CreateThread(nullptr, 0, tryEnter, &probe, 0, nullptr);
  WaitForSingleObject(t, INFINITE);
  EXPECT_EQ(probe.result, FALSE);
  LeaveCriticalSection(&section);
  LeaveCriticalSection(&section);
  HANDLE again = CreateThread(nullptr, 0, tryEnter, &probe, 0, nullptr);
  WaitForSingleObject(again, INFINITE);
  EXPECT_EQ(probe.result, TRUE);
  CloseHandle(t);
  CloseHandle(again);
  DeleteCriticalSection(&section);
  wince::joinAllThreads();
}

TEST(ThreadTest, EventsAndWaits) {
  HANDLE automatic = CreateEvent(nullptr, FALSE, TRUE, nullptr);
  HANDLE manual = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);  // the wait took the signal
  SetEvent(manual);
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);  // stays set
  ResetEvent(manual);
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);

  HANDLE both[] = {automatic, manual};
  SetEvent(manual);
  EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_OBJECT_0 + 1);
  EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 0), WAIT_TIMEOUT);
  SetEvent(automatic);
  EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_OBJECT_0);  // lowest index first
  SetEvent(automatic);
  EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);

  HANDLE bad[] = {automatic, reinterpret_cast<HANDLE>(0x7771)};
  SetLastError(0);
  EXPECT_EQ(WaitForMultipleObjects(2, bad, FALSE, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(WaitForMultipleObjects(0, both, FALSE, 0), WAIT_FAILED);
  EXPECT_FALSE(SetEvent(reinterpret_cast<HANDLE>(0x7771)));
  CloseHandle(automatic);
  CloseHandle(manual);
}

struct Advancer {
  std::atomic<bool> done{false};
};

DWORD WINAPI advanceUntilDone(LPVOID p) {
  auto* a = static_cast<Advancer*>(p);
  while (!a->done) wince::advanceClock(10);
  return 0;
}

TEST(ThreadTest, TimeoutsCountOnTheVirtualClock) {
  wince::useVirtualClock(1000);
  HANDLE event = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  Advancer advancer;
  HANDLE t = CreateThread(nullptr, 0, advanceUntilDone, &advancer, 0, nullptr);
  uint64_t start = wince::clockNowMs();
  EXPECT_EQ(WaitForSingleObject(event, 100), WAIT_TIMEOUT);
  EXPECT_GE(wince::clockNowMs() - start, 100u);
  advancer.done = true;
  WaitForSingleObject(t, INFINITE);
  CloseHandle(t);
  CloseHandle(event);
  wince::joinAllThreads();
  wince::useRealClock();
}

TEST(ThreadTest, MessageQueues) {
  MSGQUEUEOPTIONS options{sizeof(MSGQUEUEOPTIONS), 0, 2, 8, TRUE};
  HANDLE q = CreateMsgQueue(nullptr, &options);
  ASSERT_NE(q, nullptr);
  BYTE in[11] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  EXPECT_TRUE(WriteMsgQueue(q, in, 3, 0, 0));
  EXPECT_FALSE(WriteMsgQueue(q, in, 9, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_TRUE(WriteMsgQueue(q, in + 3, 8, 0, 0));
  EXPECT_FALSE(WriteMsgQueue(q, in, 1, 0, 0));  // full: two messages at most
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
  EXPECT_EQ(WaitForSingleObject(q, 0), WAIT_OBJECT_0);

  BYTE out[8] = {};
  DWORD read = 0;
  DWORD flags = 99;
  ASSERT_TRUE(ReadMsgQueue(q, out, 8, &read, 0, &flags));
  EXPECT_EQ(read, 3u);
  EXPECT_EQ(out[2], 3);
  EXPECT_EQ(flags, 0u);
  EXPECT_FALSE(ReadMsgQueue(q, out, 4, &read, 0, &flags));  // too small: stays queued
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  ASSERT_TRUE(ReadMsgQueue(q, out, 8, &read, 0, &flags));
  EXPECT_EQ(read, 8u);
  EXPECT_EQ(out[7], 4 + 7);
  EXPECT_FALSE(ReadMsgQueue(q, out, 8, &read, 0, &flags));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));

  // SetEvent on the queue wakes waits until a read, which then fails
  // instead of blocking on the empty queue.
  EXPECT_EQ(WaitForSingleObject(q, 0), WAIT_TIMEOUT);
  EXPECT_TRUE(SetEvent(q));
  EXPECT_EQ(WaitForSingleObject(q, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(q, INFINITE), WAIT_OBJECT_0);
  EXPECT_FALSE(ReadMsgQueue(q, out, 8, &read, INFINITE, &flags));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
  EXPECT_EQ(WaitForSingleObject(q, 0), WAIT_TIMEOUT);
  EXPECT_TRUE(CloseMsgQueue(q));
  EXPECT_FALSE(CloseMsgQueue(q));
  MSGQUEUEOPTIONS bad{sizeof(MSGQUEUEOPTIONS), 0, 0, 0, TRUE};
  EXPECT_EQ(CreateMsgQueue(nullptr, &bad), nullptr);
}

// A power thread as the programs write it: wait on the queue, read one
// broadcast, record whether the power came on, until told to stop.
struct PowerThread {
  std::atomic<bool> stop{false};
  HANDLE queue = nullptr;
  HANDLE ready = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  HANDLE seen = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  std::mutex mutex;
  std::vector<int> powerOn;
};

DWORD WINAPI powerThread(LPVOID p) {
  auto* s = static_cast<PowerThread*>(p);
  MSGQUEUEOPTIONS options{20, 0, 0, 44, TRUE};
  HANDLE queue = CreateMsgQueue(nullptr, &options);
  HANDLE notifications = RequestPowerNotifications(queue, PBT_TRANSITION);
  s->queue = queue;
  SetEvent(s->ready);
  while (!s->stop) {
    WaitForSingleObject(queue, INFINITE);
    BYTE buffer[44];
    DWORD read = 0, flags = 0;
    if (ReadMsgQueue(queue, buffer, sizeof buffer, &read, INFINITE, &flags)) {
      POWER_BROADCAST b;
      std::memcpy(&b, buffer, sizeof b);
      std::lock_guard lock(s->mutex);
      s->powerOn.push_back(static_cast<int>((b.Flags >> 16) & 1));
      SetEvent(s->seen);
    }
  }
  StopPowerNotifications(notifications);
  CloseMsgQueue(queue);
  return 0;
}

TEST(ThreadTest, SimulatedSuspendAndResumeReachThePowerThread) {
  static_assert(sizeof(POWER_BROADCAST) == 44);
  PowerThread state;
  HANDLE t = CreateThread(nullptr, 0, powerThread, &state, 0, nullptr);
  CloseHandle(t);  // detached from its handle, as the programs do
  WaitForSingleObject(state.ready, INFINITE);
  EXPECT_EQ(wince::simulateSuspend(), 1);
  WaitForSingleObject(state.seen, INFINITE);
  EXPECT_EQ(wince::simulateResume(), 1);
  WaitForSingleObject(state.seen, INFINITE);
  state.stop = true;
  SetEvent(state.queue);
  wince::joinAllThreads();
  EXPECT_EQ(state.powerOn, (std::vector<int>{0, 1}));
  EXPECT_EQ(wince::simulateSuspend(), 0);  // nobody listens any more
  CloseHandle(state.ready);
  CloseHandle(state.seen);
}

}  // namespace
