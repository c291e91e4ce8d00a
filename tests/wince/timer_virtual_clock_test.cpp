// WM_TIMER under the virtual clock.
#include <atomic>
#include <chrono>
#include <thread>

#include "../common/wait_until.h"
#include "window_test_util.h"

#include "wince/host/clock.h"
#include "wince/host/window.h"

namespace {

using wintest::WindowTest;

class TimerTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    main = make("main", 0);
    handler = [this](HWND h, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
      if (msg == WM_TIMER) ticks.push_back({h, wp, GetTickCount()});
      return std::nullopt;
    };
  }

  struct Tick {
    HWND hwnd;
    WPARAM id;
    DWORD at;
    bool operator==(const Tick&) const = default;
  };

  HWND main{};
  std::vector<Tick> ticks;
};

TEST_F(TimerTest, PeriodicTimerFiresOnTimeUnderTheVirtualClock) {
  ASSERT_EQ(SetTimer(main, 1, 10, nullptr), 1u);
  EXPECT_TRUE(wince::runFor(35));
  EXPECT_EQ(ticks, (std::vector<Tick>{{main, 1, 1010}, {main, 1, 1020}, {main, 1, 1030}}));
  EXPECT_EQ(GetTickCount(), 1035u);
}

TEST_F(TimerTest, AtMostOnePendingPerTimerHoweverLateTheLoopIs) {
  SetTimer(main, 1, 10, nullptr);
  SetTimer(main, 2, 25, nullptr);
  wince::advanceClock(100);  // the program was busy for ten periods
  EXPECT_TRUE(wince::dispatchPending());
  EXPECT_EQ(ticks, (std::vector<Tick>{{main, 1, 1100}, {main, 2, 1100}}));
  ticks.clear();
  wince::runFor(10);  // the period restarts from the late tick
  EXPECT_EQ(ticks, (std::vector<Tick>{{main, 1, 1110}}));
}

TEST_F(TimerTest, SettingAnIdAgainRestartsItAndKillRemovesIt) {
  SetTimer(main, 1, 10, nullptr);
  wince::advanceClock(8);
  SetTimer(main, 1, 20, nullptr);  // restarts at 1008 with the new period
  wince::runFor(30);
  EXPECT_EQ(ticks, (std::vector<Tick>{{main, 1, 1028}}));
  ticks.clear();
  wince::advanceClock(20);  // due now, not yet taken
  EXPECT_TRUE(KillTimer(main, 1));
  EXPECT_FALSE(KillTimer(main, 1));
  wince::runFor(100);
  EXPECT_TRUE(ticks.empty());
}

TEST_F(TimerTest, KillingFromInsideTheHandlerStopsIt) {
  SetTimer(main, 4, 10, nullptr);
  handler = [this](HWND h, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_TIMER) {
      ticks.push_back({h, wp, GetTickCount()});
      KillTimer(h, wp);
    }
    return std::nullopt;
  };
  wince::runFor(100);
  EXPECT_EQ(ticks.size(), 1u);
}

TEST_F(TimerTest, TimersOfADestroyedWindowVanish) {
  HWND other = make("other", 0);
  SetTimer(other, 1, 10, nullptr);
  SetTimer(main, 1, 10, nullptr);
  DestroyWindow(other);
  wince::runFor(10);
  EXPECT_EQ(ticks, (std::vector<Tick>{{main, 1, 1010}}));
}

TEST_F(TimerTest, TimerProcIsCalledInsteadOfTheWindow) {
  static std::vector<std::pair<UINT_PTR, DWORD>> calls;
  calls.clear();
  SetTimer(main, 9, 15, [](HWND, UINT msg, UINT_PTR id, DWORD now) {
    EXPECT_EQ(msg, static_cast<UINT>(WM_TIMER));
    calls.emplace_back(id, now);
  });
  const UINT_PTR threadTimer = SetTimer(nullptr, 0, 20, [](HWND h, UINT, UINT_PTR id, DWORD now) {
    EXPECT_EQ(h, nullptr);
    calls.emplace_back(id, now);
  });
  EXPECT_NE(threadTimer, 0u);
  wince::runFor(30);
  EXPECT_EQ(calls, (std::vector<std::pair<UINT_PTR, DWORD>>{{9, 1015}, {threadTimer, 1020}, {9, 1030}}));
  EXPECT_TRUE(ticks.empty());
}

TEST_F(TimerTest, IdleGetMessageMovesTheVirtualClockToTheNextTimer) {
  SetTimer(main, 1, 250, nullptr);
  MSG m;
  ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(GetTickCount(), 1250u);
  EXPECT_EQ(m.time, 1250u);
}

TEST_F(TimerTest, EventSourceWaitsUpToTheNextTimer) {
  struct Source : wince::EventSource {
    std::vector<DWORD> waits;
    bool waitForEvents(DWORD timeoutMs) override {
      waits.push_back(timeoutMs);
      if (waits.size() == 1) {
        wince::advanceClock(5);  // some scripted time passes, then a key
        wince::injectKey(VK_RETURN, true);
      } else {
        wince::advanceClock(timeoutMs);
      }
      return true;
    }
  } source;
  ShowWindow(main, SW_SHOW);
  wince::dispatchPending();
  SetTimer(main, 1, 40, nullptr);
  wince::setEventSource(&source);
  MSG m;
  ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_KEYDOWN));
  ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_TIMER));
  wince::setEventSource(nullptr);
  EXPECT_EQ(source.waits, (std::vector<DWORD>{40, 35}));
}

TEST(Clock, SleepAdvancesTheVirtualClockOnItsOwnThreadAndWaitsOnOthers) {
  wince::useVirtualClock(500);
  EXPECT_EQ(GetTickCount(), 500u);
  Sleep(30);
  EXPECT_EQ(GetTickCount(), 530u);
  std::atomic<bool> woke{false};
  std::atomic<DWORD> before{0};
  DWORD after = 0;
  std::thread sleeper([&] {
    before = GetTickCount();
    Sleep(100);  // ends only when the clock's own thread has moved time on
    after = GetTickCount();
    woke = true;
  });
  // Time moves on until the sleeper, however late it starts, has woken.
  const bool wokeInTime = test_wait::waitUntil([&] { return woke.load(); }, [] { Sleep(10); });
  if (!wokeInTime) wince::useRealClock();  // ends the sleep, so the join returns
  sleeper.join();
  ASSERT_TRUE(wokeInTime);
  EXPECT_GE(after, before + 100);
  int calls = 0;
  const int id = wince::addClockListener([&] { ++calls; });
  wince::advanceClock(1);
  wince::removeClockListener(id);
  wince::advanceClock(1);
  EXPECT_EQ(calls, 1);
  wince::useRealClock();
  const DWORD a = GetTickCount();
  EXPECT_GE(GetTickCount(), a);
}

}  // namespace

// The real tick count is the host's time since its start, read between two
// readings of the host's own clock: a program started twice does not see the
// same ticks (its deals are seeded from them).
TEST(Clock, TheRealTickCountRunsFromTheHostsStart) {
  wince::useRealClock();
  using std::chrono::duration_cast;
  using std::chrono::milliseconds;
  const auto hostMs = [] {
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(std::chrono::steady_clock::now().time_since_epoch()).count());
  };
  const uint64_t before = hostMs();
  const uint64_t ticks = wince::clockNowMs();
  const uint64_t after = hostMs();
  EXPECT_GE(ticks, before);
  EXPECT_LE(ticks, after);
}
