#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "ce_sync.h"
#include "ce_thread.h"
#include "../common/wait_until.h"
#include "wince/clock.h"
#include "wince/host/clock.h"
#include "wince/host/thread.h"
#include "wince/host/window.h"
#include "wince/window.h"

namespace {

TEST(CeSync, EventWaits) {
  CeEvent manual(nullptr, true, false, nullptr);
  EXPECT_EQ(manual.Wait(0), CeEvent::kTimedOut);
  EXPECT_TRUE(manual.Set());
  EXPECT_EQ(manual.Wait(0), CeEvent::kSignalled);
  EXPECT_EQ(manual.Wait(0), CeEvent::kSignalled);  // stays set
  EXPECT_TRUE(manual.Reset());
  EXPECT_EQ(manual.Wait(0), CeEvent::kTimedOut);

  CeEvent automatic(nullptr, false, true, nullptr);
  EXPECT_EQ(automatic.Wait(0), CeEvent::kSignalled);
  EXPECT_EQ(automatic.Wait(0), CeEvent::kTimedOut);
}

TEST(CeSync, CriticalSection) {
  CeCriticalSection section;
  section.Lock();
  EXPECT_TRUE(section.TryLock());  // the owner may enter again
  section.Unlock();
  bool other = true;
  std::thread([&] { other = section.TryLock(); }).join();
  EXPECT_FALSE(other);
  section.Unlock();
}

TEST(CeSync, WaitForHandle) {
  // The infinite wait sleeps in timed slices: they must pass in real time
  // whatever clock an earlier test left behind.
  wince::useRealClock();
  HANDLE event = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  HANDLE variable = event;
  EXPECT_EQ(WaitForHandle(&variable, 0), WAIT_TIMEOUT);
  SetEvent(event);
  EXPECT_EQ(WaitForHandle(&variable, INFINITE), WAIT_OBJECT_0);
  ResetEvent(event);

  // INFINITE ends when another thread clears the variable, though the
  // handle is never signalled.
  std::thread clearer([&] { std::atomic_ref<HANDLE>(variable).store(nullptr); });
  EXPECT_EQ(WaitForHandle(&variable, INFINITE), WAIT_OBJECT_0);
  clearer.join();
  EXPECT_EQ(WaitForHandle(&variable, 10), WAIT_OBJECT_0);  // nothing left to wait for
  EXPECT_EQ(MsgWaitForHandle(&variable, 10), WAIT_OBJECT_0);

  variable = event;
  CloseAndClear(&variable);
  EXPECT_EQ(variable, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);  // closed
  CloseAndClear(&variable);
}

// Done messages the notification window received: (wParam, lParam).
std::vector<std::pair<WPARAM, LPARAM>> g_done;

LRESULT CALLBACK NotifyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == CeThread::kDoneMessage) g_done.emplace_back(wParam, lParam);
  return DefWindowProc(hwnd, message, wParam, lParam);
}

class CeThreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wince::resetWindowing();
    wince::useRealClock();
    g_done.clear();
    WNDCLASSW wc{};
    wc.lpfnWndProc = NotifyProc;
    wc.lpszClassName = u"CeThreadNotify";
    RegisterClass(&wc);
    window_ = CreateWindowEx(0, u"CeThreadNotify", u"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    wince::joinAllThreads();
    DestroyWindow(window_);
  }

  void Pump() {
    MSG message;
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&message);
  }

  HWND window_ = nullptr;
};

// Runs until asked to stop, then returns its result; or returns at once.
// Stop waits (in real time) for the body to end: on a busy machine that may
// take long, so only a hang cuts it off unless a test asks for less.
class Worker : public CeThread {
 public:
  Worker(bool autoDelete, HWND window, DWORD result, bool waitForStop, std::atomic<bool>* deleted = nullptr,
         DWORD stopTimeout = test_wait::kHangGuardMs)
      : CeThread(autoDelete, window, stopTimeout), result_(result), waitForStop_(waitForStop), deleted_(deleted) {}
  ~Worker() override {
    if (deleted_) *deleted_ = true;
  }

  std::atomic<int> runs{0};
  std::atomic<int> stops{0}, terminating{0}, terminated{0};
  HANDLE gate = nullptr;  // when set, the body waits for it after the stop event
  bool exitEarly = false;
  bool afterExit = false;

 protected:
  DWORD Run() override {
    ++runs;
    if (exitEarly) {
      ExitThread(42);
      afterExit = true;
    }
    if (waitForStop_) WaitForSingleObject(GetStopEvent(), INFINITE);
    if (gate) WaitForSingleObject(gate, INFINITE);
    return result_;
  }
  void OnStop() override { ++stops; }
  void OnTerminating() override { ++terminating; }
  void OnTerminated() override { ++terminated; }

 private:
  DWORD result_;
  bool waitForStop_;
  std::atomic<bool>* deleted_;
};

TEST_F(CeThreadTest, StopEndsTheBodyWhichPostsItsResult) {
  Worker worker(false, window_, 7, true);
  EXPECT_EQ(worker.PostToThread(WM_USER, 0, 0), FALSE);  // no thread yet
  ASSERT_TRUE(worker.Start());
  const DWORD id = worker.GetThreadId();
  EXPECT_NE(id, 0u);
  worker.Stop(false);
  EXPECT_EQ(worker.GetThreadHandle(), nullptr);
  EXPECT_FALSE(worker.IsRunning());
  EXPECT_FALSE(worker.IsStopping());
  EXPECT_EQ(worker.stops, 1);
  EXPECT_EQ(WaitForSingleObject(worker.GetStopEvent(), 0), WAIT_TIMEOUT);  // reset again
  Pump();
  ASSERT_EQ(g_done.size(), 1u);
  EXPECT_EQ(g_done[0], std::make_pair(WPARAM{7}, LPARAM{id}));
  worker.Stop(true);  // without a thread: nothing to wait for
  EXPECT_EQ(worker.stops, 1);
}

TEST_F(CeThreadTest, SecondStartStopsTheFirstWorker) {
  Worker worker(false, window_, 3, true);
  ASSERT_TRUE(worker.Start());
  ASSERT_TRUE(worker.Start());
  worker.Stop(true);  // dispatches the done messages while it waits
  Pump();
  EXPECT_EQ(worker.runs, 2);
  EXPECT_EQ(g_done.size(), 2u);
}

TEST_F(CeThreadTest, AutoDeleteWorkerIsDeletedByItsThreadAfterPosting) {
  std::atomic<bool> deleted{false};
  auto* worker = new Worker(true, window_, 5, false, &deleted);
  ASSERT_TRUE(worker->Start());
  wince::joinAllThreads();
  EXPECT_TRUE(deleted);
  Pump();
  ASSERT_EQ(g_done.size(), 1u);
  EXPECT_EQ(g_done[0].first, 5u);
}

TEST_F(CeThreadTest, ExitThreadEndsTheBodyAtOnce) {
  Worker worker(false, window_, 7, false);
  worker.exitEarly = true;
  ASSERT_TRUE(worker.Start());
  wince::joinAllThreads();
  EXPECT_FALSE(worker.afterExit);
  EXPECT_EQ(worker.GetThreadHandle(), nullptr);
  Pump();
  ASSERT_EQ(g_done.size(), 1u);
  EXPECT_EQ(g_done[0], std::make_pair(WPARAM{0}, LPARAM{0}));
  worker.ExitThread(1);  // not the worker's thread: ignored
}

TEST_F(CeThreadTest, TerminatePostsNothing) {
  Worker worker(false, window_, 7, true);
  ASSERT_TRUE(worker.Start());
  worker.Terminate(9);
  EXPECT_EQ(worker.GetThreadHandle(), nullptr);
  EXPECT_FALSE(worker.IsRunning());
  EXPECT_EQ(worker.terminating, 1);
  EXPECT_EQ(worker.terminated, 1);
  Pump();
  EXPECT_TRUE(g_done.empty());
}

TEST_F(CeThreadTest, StopPastItsTimeoutTerminates) {
  Worker worker(false, window_, 7, true, nullptr, 0);
  HANDLE gate = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  worker.gate = gate;
  ASSERT_TRUE(worker.Start());
  // The body outlives the stop timeout until Terminate has begun.
  std::thread opener([&] {
    while (worker.terminating == 0) std::this_thread::yield();
    SetEvent(gate);
  });
  worker.Stop(false);
  opener.join();
  EXPECT_EQ(worker.stops, 1);
  EXPECT_EQ(worker.terminated, 1);
  EXPECT_EQ(worker.GetThreadHandle(), nullptr);
  EXPECT_FALSE(worker.IsStopping());
  Pump();
  EXPECT_TRUE(g_done.empty());  // cut off: no result posted
  CloseHandle(gate);
}

TEST_F(CeThreadTest, SuspendedWorkerDestroyedUnstartedNeverRunsItsBody) {
  auto worker = std::make_unique<Worker>(false, window_, 7, true);
  ASSERT_TRUE(worker->Start(THREAD_PRIORITY_LOWEST, 0, CREATE_SUSPENDED));
  EXPECT_EQ(GetThreadPriority(worker->GetThreadHandle()), THREAD_PRIORITY_LOWEST);
  EXPECT_EQ(worker->runs, 0);
  worker.reset();  // the body never starts, so nothing can touch the freed worker
  Pump();
  EXPECT_TRUE(g_done.empty());
}

}  // namespace
