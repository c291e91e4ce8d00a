#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ce_geometry.h"
#include "ce_string.h"
#include "ce_wnd.h"
#include "wince/clock.h"
#include "wince/host/clock.h"
#include "wince/host/shell.h"
#include "wince/host/system.h"
#include "wince/host/window.h"
#include "wince/shell.h"
#include "wince/system.h"
#include "wince/text.h"

namespace {

constexpr UINT kAsk = WM_USER + 1;        // a message the test control answers
constexpr LRESULT kControlAnswer = 77;    // its answer
constexpr const WCHAR* kControlClass = u"TESTCTRL";

// A control class with a procedure of its own, to superclass and subclass.
int& controlCreates() {
  static int count = 0;
  return count;
}

constexpr UINT kEcho = WM_USER + 2;  // the test control answers wParam

LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) ++controlCreates();
  if (msg == kAsk) return kControlAnswer;
  if (msg == kEcho) return static_cast<LRESULT>(wParam);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Records each handler call as text; `take` lets a test choose which
// messages a handler claims (handled = true) and with which result.
class RecordingWnd : public CeWnd {
 public:
  std::vector<std::string> calls;
  std::optional<UINT> take;
  LRESULT result = 0;
  bool throwOn = false;
  HWND firstMessageHandleSeen{};
  HWND finalHandle{};
  bool deleteOnFinal = false;

  int OnCreate(CREATESTRUCTW* cs, bool& handled) override {
    calls.push_back("create " + std::to_string(cs->cx) + "x" + std::to_string(cs->cy));
    Claim(WM_CREATE, handled);
    return -1;
  }
  void OnKeyDown(UINT vk, UINT repeat, UINT flags, bool& handled) override {
    calls.push_back("keydown " + std::to_string(vk) + " " + std::to_string(repeat) + " " + std::to_string(flags));
    Claim(WM_KEYDOWN, handled);
  }
  void OnChar(UINT ch, UINT repeat, UINT flags, bool& handled) override {
    calls.push_back("char " + std::to_string(ch) + " " + std::to_string(repeat) + " " + std::to_string(flags));
    Claim(WM_CHAR, handled);
  }
  void OnLButtonDown(UINT keys, POINT pt, bool& handled) override {
    calls.push_back("down " + std::to_string(keys) + " " + std::to_string(pt.x) + "," + std::to_string(pt.y));
    Claim(WM_LBUTTONDOWN, handled);
  }
  void OnMove(int x, int y, bool& handled) override {
    calls.push_back("move " + std::to_string(x) + "," + std::to_string(y));
    Claim(WM_MOVE, handled);
  }
  void OnSize(UINT type, int cx, int cy, bool& handled) override {
    calls.push_back("size " + std::to_string(type) + " " + std::to_string(cx) + "x" + std::to_string(cy));
    CeWnd::OnSize(type, cx, cy, handled);
  }
  void OnOrientationChange(int cx, int cy, bool&) override {
    calls.push_back("orientation " + std::to_string(cx) + "x" + std::to_string(cy));
  }
  void OnSettingChange(WORD flag, LPCWSTR section, bool& handled) override {
    calls.push_back("setting " + std::to_string(flag) + " " + (section ? "text" : "null"));
    Claim(WM_SETTINGCHANGE, handled);
  }
  int OnCommand(UINT wParam, LPARAM, bool& handled) override {
    calls.push_back("command " + std::to_string(wParam));
    Claim(WM_COMMAND, handled);
    return static_cast<int>(result);
  }
  int OnEraseBkgnd(HDC, bool& handled) override {
    Claim(WM_ERASEBKGND, handled);
    return static_cast<int>(result);
  }
  LRESULT OnNotify(int id, NMHDR* header, bool& handled) override {
    calls.push_back("notify " + std::to_string(id) + " " + std::to_string(header->code));
    Claim(WM_NOTIFY, handled);
    return result;
  }
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled) override {
    if (throwOn && msg == kAsk) CeRaiseException(14);
    // A nested message while this one is being handled.
    if (msg == kEcho && wParam == 1) SendMessageW(kEcho, 2, 0);
    Claim(msg, handled);
    return result;
  }
  void OnFirstMessage(HWND hwnd) override {
    firstMessageHandleSeen = m_hWnd;  // still null: bound after this call
    calls.push_back(hwnd != nullptr ? "first" : "first null");
  }
  void OnFinalMessage(HWND hwnd) override {
    finalHandle = hwnd;
    calls.push_back(m_hWnd == nullptr ? "final" : "final bound");
    if (deleteOnFinal) delete this;
  }

 private:
  void Claim(UINT msg, bool& handled) const { handled = take && *take == msg; }
};

class CeWndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wince::resetWindowing();
    wince::resetShell();
    wince::useVirtualClock(1000);
    wince::setDisplayOrientationForTest(DMDO_0);
    controlCreates() = 0;
    WNDCLASSW wc{};
    wc.lpfnWndProc = ControlProc;
    wc.lpszClassName = kControlClass;
    ASSERT_NE(RegisterClassW(&wc), 0);
  }
  void TearDown() override {
    wince::setDisplayOrientationForTest(DMDO_0);
    wince::resetWindowing();
    wince::resetShell();
    wince::useRealClock();  // later tests of this program wait on the real one
  }

  // A plain top-level window of the generic class, bound to `wnd`.
  static HWND Make(RecordingWnd& wnd, LPCWSTR cls = nullptr, DWORD style = WS_VISIBLE) {
    EXPECT_EQ(wnd.Create(cls, nullptr, CeRect(10, 20, 110, 70), u"Main", style, 0, 0U), 1);
    return wnd.m_hWnd;
  }
};

TEST_F(CeWndTest, CreateBindsTheWindowBeforeOnCreate) {
  RecordingWnd wnd;
  HWND hwnd = Make(wnd);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(wnd.firstMessageHandleSeen, nullptr);
  ASSERT_GE(wnd.calls.size(), 2u);
  EXPECT_EQ(wnd.calls[0], "first");
  EXPECT_EQ(wnd.calls[1], "create 100x50");
  EXPECT_EQ(GetWindowLongW(hwnd, GWL_USERDATA), reinterpret_cast<LONG_PTR>(static_cast<CeWnd*>(&wnd)));
  WCHAR cls[32];
  GetClassNameW(hwnd, cls, 32);
  EXPECT_EQ(std::u16string(cls), u"TheWnd:GENERIC");
  EXPECT_EQ(std::u16string(CeWnd::CreateGenericWndClass(nullptr)), u"TheWnd:GENERIC");
}

TEST_F(CeWndTest, CreateReturnsZeroToThePlatformWhateverOnCreateSays) {
  // OnCreate answers -1, which would abort the creation if it reached the
  // platform, handled or not.
  for (bool handled : {true, false}) {
    RecordingWnd wnd;
    if (handled) wnd.take = WM_CREATE;
    EXPECT_NE(Make(wnd), nullptr) << handled;
    EXPECT_TRUE(IsWindow(wnd.m_hWnd));
  }
}

TEST_F(CeWndTest, NullRectangleLeavesPlacementToTheSystem) {
  RecordingWnd wnd;
  ASSERT_EQ(wnd.Create(u"", nullptr, static_cast<const RECT*>(nullptr), u"Main", 0, 0, nullptr), 1);
  RECT rc{};
  GetWindowRect(wnd.m_hWnd, &rc);
  EXPECT_GT(rc.right - rc.left, 0);
}

TEST_F(CeWndTest, HandlersReceiveCrackedParameters) {
  RecordingWnd wnd;
  HWND hwnd = Make(wnd);
  wnd.calls.clear();
  SendMessageW(hwnd, WM_KEYDOWN, VK_LEFT, MAKELPARAM(3, 0x14B));
  SendMessageW(hwnd, WM_CHAR, 'a', MAKELPARAM(1, 0x1E));
  // A pen position left of and above the window: unsigned 16-bit words.
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, -1));
  SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(7, 9));
  SendMessageW(hwnd, WM_SETTINGCHANGE, 0x12340005, reinterpret_cast<LPARAM>(u"intl"));
  EXPECT_EQ(wnd.calls, (std::vector<std::string>{"keydown 37 3 331", "char 97 1 30", "down 1 65531,65535",
                                                 "move 7,9", "setting 5 text"}));
}

TEST_F(CeWndTest, ResultsComeFromHandlerOrDefault) {
  // A subclassed control answers kAsk with kControlAnswer when the object
  // leaves it unhandled.
  HWND control = CreateWindowExW(0, kControlClass, u"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  RecordingWnd wnd;
  ASSERT_EQ(wnd.Subclass(control), 1);
  wnd.result = 5;
  EXPECT_EQ(SendMessageW(control, kAsk, 0, 0), kControlAnswer);
  wnd.take = kAsk;
  EXPECT_EQ(SendMessageW(control, kAsk, 0, 0), 5);

  // Results of WM_COMMAND and WM_NOTIFY come back; others give 0.
  wnd.take = WM_COMMAND;
  EXPECT_EQ(SendMessageW(control, WM_COMMAND, 100, 0), 5);
  NMHDR header{control, 3, 42};
  wnd.take = WM_NOTIFY;
  EXPECT_EQ(SendMessageW(control, WM_NOTIFY, 3, reinterpret_cast<LPARAM>(&header)), 5);
  wnd.take = WM_ERASEBKGND;
  EXPECT_EQ(SendMessageW(control, WM_ERASEBKGND, 0, 0), 5);
  wnd.take = WM_MOVE;
  EXPECT_EQ(SendMessageW(control, WM_MOVE, 0, 0), 0);
  EXPECT_EQ(wnd.m_uMsg, static_cast<UINT>(WM_MOVE));
  EXPECT_EQ(wnd.m_hWndCur, control);
}

TEST_F(CeWndTest, DefaultReplaysTheOuterMessageAfterANestedOne) {
  RecordingWnd wnd;
  HWND hwnd = Make(wnd, kControlClass);
  EXPECT_EQ(SendMessageW(hwnd, kEcho, 1, 0), 1);
  EXPECT_EQ(wnd.m_wParam, 1u);
}

TEST_F(CeWndTest, StartProcedureIgnoresMessagesBeforeBinding) {
  RecordingWnd wnd;
  HWND bound = Make(wnd);
  WNDCLASSW wc{};
  ASSERT_TRUE(GetClassInfoW(nullptr, u"TheWnd:GENERIC", &wc));
  // A window of the class made without an object stays unbound.
  HWND loose = CreateWindowExW(0, u"TheWnd:GENERIC", u"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(loose, nullptr);
  EXPECT_EQ(GetWindowLongW(loose, GWL_USERDATA), 0);
  EXPECT_EQ(wc.lpfnWndProc(loose, kAsk, 0, 0), 0);
  // A second WM_CREATE through the start procedure of a bound window goes
  // to the default procedure, not to OnCreate.
  wnd.calls.clear();
  CREATESTRUCTW cs{};
  cs.lpCreateParams = &wnd;
  wc.lpfnWndProc(bound, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs));
  EXPECT_TRUE(wnd.calls.empty());
}

TEST_F(CeWndTest, SuperclassRoutesUnhandledMessagesToTheControl) {
  RecordingWnd first;
  HWND hwnd = Make(first, kControlClass);
  ASSERT_NE(hwnd, nullptr);
  WCHAR cls[32];
  GetClassNameW(hwnd, cls, 32);
  EXPECT_EQ(std::u16string(cls), u"TheWnd:TESTCTRL");
  EXPECT_EQ(controlCreates(), 1);  // the control's own WM_CREATE ran
  EXPECT_EQ(first.m_pfnSuperProc, &ControlProc);
  EXPECT_EQ(SendMessageW(hwnd, kAsk, 0, 0), kControlAnswer);

  // The second finds the superclass in place.
  WNDPROC proc = nullptr;
  bool registered = false;
  EXPECT_EQ(CeWnd::RegisterWndSuperclass(kControlClass, proc, &registered, nullptr), 1);
  EXPECT_TRUE(registered);
  EXPECT_EQ(proc, &ControlProc);
  RecordingWnd second;
  ASSERT_NE(Make(second, kControlClass), nullptr);
  EXPECT_EQ(SendMessageW(second.m_hWnd, kAsk, 0, 0), kControlAnswer);
  EXPECT_TRUE(CeWnd::IsCeWndProc(u"TheWnd:TESTCTRL", nullptr));
  EXPECT_FALSE(CeWnd::IsCeWndProc(kControlClass, nullptr));
}

TEST_F(CeWndTest, SuperclassOfTheSystemEditAndOfNoClass) {
  RecordingWnd edit;
  ASSERT_NE(Make(edit, u"EDIT"), nullptr);
  WCHAR cls[32];
  GetClassNameW(edit.m_hWnd, cls, 32);
  EXPECT_EQ(std::u16string(cls), u"TheWnd:EDIT");

  WNDPROC proc = &ControlProc;
  bool registered = true;
  EXPECT_EQ(CeWnd::RegisterWndSuperclass(u"NOSUCHCLASS", proc, &registered, nullptr), 1);
  EXPECT_FALSE(registered);
  EXPECT_EQ(proc, nullptr);
  RecordingWnd none;
  EXPECT_EQ(none.Create(u"NOSUCHCLASS", nullptr, CeRect(0, 0, 5, 5), u"", 0, 0, 0U), 0);
}

TEST_F(CeWndTest, ClassOfTheLibraryIsUsedAsItIs) {
  ASSERT_TRUE(CeWnd::RegisterClassW(u"MyClass", 0, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr));
  WNDCLASSW wc{};
  ASSERT_TRUE(GetClassInfoW(nullptr, u"MyClass", &wc));
  EXPECT_EQ(wc.hbrBackground, GetStockObject(WHITE_BRUSH));
  EXPECT_TRUE(CeWnd::IsCeWndProc(u"MyClass", nullptr));
  RecordingWnd wnd;
  HWND hwnd = Make(wnd, u"MyClass");
  WCHAR cls[32];
  GetClassNameW(hwnd, cls, 32);
  EXPECT_EQ(std::u16string(cls), u"MyClass");
  // Registering again replaces the class (unregistered first) once no
  // window of it lives.
  wnd.DestroyWindow();
  EXPECT_TRUE(CeWnd::RegisterClassW(u"MyClass", 0, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr));
}

TEST_F(CeWndTest, SubclassAndUnsubclass) {
  HWND control = CreateWindowExW(0, kControlClass, u"", WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  RecordingWnd wnd;
  ASSERT_EQ(wnd.Subclass(control), 1);
  EXPECT_EQ(wnd.Subclass(control), 0);  // a second window is refused
  wnd.take = WM_MOVE;
  SendMessageW(control, WM_MOVE, 0, MAKELPARAM(1, 2));
  EXPECT_EQ(wnd.calls, (std::vector<std::string>{"move 1,2"}));

  EXPECT_EQ(wnd.Unsubclass(), control);
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  EXPECT_EQ(GetWindowLongW(control, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(&ControlProc));
  EXPECT_EQ(GetWindowLongW(control, GWL_USERDATA), 0);
  SendMessageW(control, WM_MOVE, 0, 0);
  EXPECT_EQ(wnd.calls.size(), 1u);
  EXPECT_TRUE(IsWindow(control));  // the object no longer owns it

  // By dialog item id.
  HWND item = CreateWindowExW(0, kControlClass, u"", WS_CHILD, 0, 0, 5, 5, control,
                              reinterpret_cast<HMENU>(static_cast<uintptr_t>(31)), nullptr, nullptr);
  RecordingWnd byId;
  EXPECT_EQ(byId.Subclass(32, control), 0);  // no such item
  EXPECT_EQ(byId.m_hWnd, nullptr);
  ASSERT_EQ(byId.Subclass(31, control), 1);
  EXPECT_EQ(byId.m_hWnd, item);
}

TEST_F(CeWndTest, DestroyUnbindsAndCallsOnFinalMessage) {
  auto* wnd = new RecordingWnd;
  HWND hwnd = Make(*wnd);
  wnd->deleteOnFinal = true;  // an owner may delete the object there
  EXPECT_TRUE(DestroyWindow(hwnd));
  EXPECT_FALSE(IsWindow(hwnd));

  RecordingWnd kept;
  hwnd = Make(kept);
  EXPECT_EQ(kept.DestroyWindow(), 1);
  EXPECT_EQ(kept.finalHandle, hwnd);
  EXPECT_EQ(kept.calls.back(), "final");
  EXPECT_EQ(kept.m_hWnd, nullptr);
}

TEST_F(CeWndTest, DestroyingTheObjectDestroysItsWindowQuietly) {
  HWND hwnd{};
  {
    RecordingWnd wnd;
    hwnd = Make(wnd);
    // A copy shares the handle; its end destroys the window.
    CeWnd copy(wnd);
    EXPECT_EQ(copy.m_hWnd, hwnd);
  }
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(CeWndTest, RotationCallsOnOrientationChangeOnce) {
  RecordingWnd wnd;
  HWND hwnd = Make(wnd);
  wnd.calls.clear();
  SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(100, 50));
  wince::setDisplayOrientationForTest(DMDO_90);
  SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(50, 100));
  SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(50, 100));
  EXPECT_EQ(wnd.calls, (std::vector<std::string>{"size 0 100x50", "size 0 50x100", "orientation 50x100",
                                                 "size 0 50x100"}));
  EXPECT_EQ(wnd.m_nOrientation, static_cast<DWORD>(DMDO_90));
}

TEST_F(CeWndTest, NotSquareFollowsTheScreen) {
  RecordingWnd wnd;
  DEVMODEW mode{};
  mode.dmSize = 192;
  mode.dmFields = DM_DISPLAYORIENTATION;
  EXPECT_EQ(wnd.ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(wnd.m_bNotSquare, GetSystemMetrics(SM_CXSCREEN) != GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(CeWndTest, CrashInAHandlerReportsAndQuits) {
  RecordingWnd wnd;
  HWND hwnd = Make(wnd);
  wnd.throwOn = true;
  wince::setModalHook([](HWND box, wince::ModalKind) { wince::endModalLoop(box, IDOK); });
  EXPECT_EQ(SendMessageW(hwnd, kAsk, 0, 0), 0);
  wince::setModalHook(nullptr);

  const auto& log = wince::messageBoxLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].caption, u"Software Error");
  EXPECT_EQ(log[0].type, static_cast<UINT>(MB_ICONERROR));
  const std::u16string& text = log[0].text;
  EXPECT_EQ(text.substr(0, 8), u"Main at ");
  const std::u16string tail = u" had an internal crash. Now closing program.";
  ASSERT_GT(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
  int code = -1;
  EXPECT_TRUE(wince::quitPending(&code));
  EXPECT_EQ(code, 0);
}

TEST_F(CeWndTest, CrashReportWithoutAWindow) {
  wince::setModalHook([](HWND box, wince::ModalKind) { wince::endModalLoop(box, IDOK); });
  EXPECT_EQ(CeReportCrash(nullptr), 0);
  wince::setModalHook(nullptr);
  ASSERT_EQ(wince::messageBoxLog().size(), 1u);
  EXPECT_EQ(wince::messageBoxLog()[0].text.substr(0, 13), u"No Window at ");
}

}  // namespace
