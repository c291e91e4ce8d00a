// The HTML view as programs reach it: loaded by library name, fed through
// its messages, scrolled by keys and taps, links reported to the parent.
#include <string>

#include "ctl_common.h"
#include "device_screen.h"
#include "golden_screen.h"
#include "wince/host/system.h"
#include "wince/htmlview.h"
#include "wince/system.h"
#include "window_test_util.h"

namespace {

using wintest::WindowTest;

using InitFn = BOOL (*)(HINSTANCE);

const char16_t* kRules =
    u"<h1>Klondike</h1><p>Build four <b>foundations</b> up by suit from Ace to King.</p>"
    u"<h3>Tableau</h3>Seven columns are dealt.<br>Build down in <i>alternating</i> colours."
    u"<ul><li>Kings fill empty columns.</li><li>Turn face-down cards up.</li></ul>"
    u"<ol><li>Deal</li><li>Play</li></ol><p>See <a href=\"scoring\">scoring</a>.</p>";

std::vector<std::u16string>* gHotspots = nullptr;

// The view's parent: keeps the links it is told of.
LRESULT CALLBACK ownerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NOTIFY) {
    const auto* n = reinterpret_cast<const NMHTMLVIEWW*>(lParam);
    if (n->hdr.code == NM_HOTSPOT && gHotspots != nullptr) gHotspots->push_back(n->szTarget);
    return 0;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

class HtmlViewTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    gHotspots = &hotspots;
  }

  // The view as the rules page makes it: the library loaded by name, its
  // class registered through export 1, the text added and ended.
  HWND openView(const std::u16string& html, RECT r = RECT{0, 0, 240, 200}) {
    module = LoadLibrary(u"Htmlview.dll");
    if (module == nullptr) return nullptr;
    auto init = reinterpret_cast<InitFn>(GetProcAddress(module, MAKEINTRESOURCE(1)));
    if (init == nullptr || !init(nullptr)) return nullptr;
    WNDCLASSW wc{};
    wc.lpfnWndProc = ownerProc;
    wc.lpszClassName = u"HtmlOwner";
    RegisterClass(&wc);
    owner = CreateWindowEx(0, u"HtmlOwner", u"", WS_VISIBLE, r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr,
                           nullptr, nullptr, nullptr);
    HWND v = CreateWindowEx(0, WC_HTML, u"", WS_CHILD | WS_VISIBLE, 0, 0, r.right - r.left, r.bottom - r.top, owner,
                            nullptr, nullptr, nullptr);
    SetFocus(v);
    SendMessage(v, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u""));
    SendMessage(v, DTM_ENABLECONTEXTMENU, 0, TRUE);
    SendMessage(v, DTM_ADDTEXTW, FALSE, reinterpret_cast<LPARAM>(html.c_str()));
    SendMessage(v, DTM_ENDOFSOURCE, 0, 0);
    wince::dispatchPending();
    return v;
  }
  void TearDown() override {
    if (module != nullptr) {
      EXPECT_TRUE(FreeLibrary(module));
    }
    WindowTest::TearDown();
    gHotspots = nullptr;
    wince::selectDeviceProfile("smartphone");
  }

  HMODULE module{};
  HWND owner{};
  std::vector<std::u16string> hotspots;
};

TEST_F(HtmlViewTest, OnlyTheViewersLibraryLoads) {
  EXPECT_EQ(LoadLibrary(u"missing.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  const HMODULE h = LoadLibrary(u"\\Windows\\HTMLVIEW.DLL");
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GetProcAddress(h, u"InitHTMLControl"), GetProcAddress(h, MAKEINTRESOURCE(1)));
  EXPECT_EQ(GetProcAddress(h, MAKEINTRESOURCE(2)), nullptr);
  EXPECT_TRUE(FreeLibrary(h));
  EXPECT_FALSE(FreeLibrary(h));  // loaded once, freed once
  EXPECT_EQ(GetProcAddress(h, MAKEINTRESOURCE(1)), nullptr);
}

TEST_F(HtmlViewTest, RulesPageLooksAsOnTheDeviceAtBothDpi) {
  for (const char* profile : {"pocketpc-qvga", "pocketpc-vga"}) {
    ASSERT_TRUE(goldentest::usePocketPc(profile));
    const int scale = wince::deviceProfile().dpi / 96;
    ASSERT_NE(openView(kRules, RECT{0, 0, 240 * scale, 260 * scale}), nullptr);
    EXPECT_TRUE(FreeLibrary(module));
    module = nullptr;
    goldentest::expectScreenLike("htmlview-" + std::to_string(wince::deviceProfile().dpi));
  }
}

TEST_F(HtmlViewTest, LongTextScrollsByKeysAndBar) {
  std::u16string text;
  for (int i = 0; i < 40; ++i)
    text += u"<p>Paragraph " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) + u"</p>";
  HWND v = openView(text);
  ASSERT_NE(v, nullptr);
  EXPECT_TRUE(GetWindowLong(v, GWL_STYLE) & WS_VSCROLL);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(v, SB_VERT, &si);
  EXPECT_GT(si.nMax, 200);
  EXPECT_EQ(si.nPos, 0);
  wince::injectKey(VK_DOWN, true);
  wince::injectKey(VK_DOWN, false);
  wince::dispatchPending();
  EXPECT_EQ(GetScrollPos(v, SB_VERT), 16);
  SendMessage(v, WM_VSCROLL, SB_BOTTOM, 0);
  GetScrollInfo(v, SB_VERT, &si);
  EXPECT_EQ(si.nPos, si.nMax - static_cast<int>(si.nPage) + 1);
  SendMessage(v, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"short"));  // new text: back to the top, no bar
  EXPECT_FALSE(GetWindowLong(v, GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(GetScrollPos(v, SB_VERT), 0);
}

// A line scrolled partly out at the top ends below the top band of paper;
// it does not run up to the view's edge and whatever lies above it.
TEST_F(HtmlViewTest, APartlyScrolledTopLineEndsBelowTheTopBand) {
  wince::detail::resizeDeviceScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  std::u16string text;
  for (int i = 0; i < 40; ++i) text += u"<p>Paragraph " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) + u"</p>";
  HWND v = openView(text);
  ASSERT_NE(v, nullptr);
  const auto inkIn = [&](int top, int bottom) {
    RECT r;
    GetWindowRect(v, &r);
    const uint16_t paper = wince::detail::deviceScreen().row(r.top)[r.left + 1];
    int ink = 0;
    for (int y = r.top + top; y < r.top + bottom; ++y) {
      for (int x = r.left; x < r.left + 120; ++x) ink += wince::detail::deviceScreen().row(y)[x] != paper;
    }
    return ink;
  };
  ASSERT_GT(inkIn(4, 14), 0);  // the first line, below the band
  // Scrolled by half a line: the top of the second line's letters would
  // reach the view's first rows.
  for (int top = 1; top < 16; ++top) {
    SendMessage(v, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, top), 0);
    wince::dispatchPending();
    EXPECT_EQ(inkIn(0, 4), 0) << "scrolled by " << top;
  }
}

TEST_F(HtmlViewTest, ATapOnALinkTellsTheParent) {
  HWND v = openView(u"<a href=\"first\">one</a><br><br><a href=\"second\">two</a>");
  ASSERT_NE(v, nullptr);
  RECT r;
  GetWindowRect(v, &r);
  const int line = 15;  // the first line's height at 96 dpi, and a bit
  wince::injectStylus(WM_LBUTTONDOWN, r.left + 8, r.top + 8);
  wince::injectStylus(WM_LBUTTONUP, r.left + 8, r.top + 8);
  wince::injectStylus(WM_LBUTTONDOWN, r.left + 120, r.top + 8);  // beside the link: nothing
  wince::injectStylus(WM_LBUTTONUP, r.left + 120, r.top + 8);
  wince::injectStylus(WM_LBUTTONDOWN, r.left + 8, r.top + 8 + 2 * line);
  wince::injectStylus(WM_LBUTTONUP, r.left + 8, r.top + 8 + 2 * line);
  wince::dispatchPending();
  EXPECT_EQ(hotspots, (std::vector<std::u16string>{u"first", u"second"}));
}

TEST_F(HtmlViewTest, PlainTextIsShownAsWritten) {
  HWND v = openView(u"");
  ASSERT_NE(v, nullptr);
  SendMessage(v, DTM_ADDTEXTW, TRUE, reinterpret_cast<LPARAM>(u"a <b> & c"));
  SendMessage(v, DTM_ENDOFSOURCE, 0, 0);
  EXPECT_EQ(wince::ctl::htmlViewText(v), u"a <b> & c");
}

}  // namespace
