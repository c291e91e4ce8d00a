#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "application_fixture.h"
#include "qz_startup.h"
#include "qzf_application.h"
#include "qzf_ui.h"
#include "wince/audio.h"
#include "wince/clock.h"
#include "wince/host/clock.h"
#include "wince/host/shell.h"
#include "wince/host/system.h"
#include "wince/shell.h"
#include "wince/system.h"

namespace {

struct Sent {
  int code;
  bool keyDown;
  bool operator==(const Sent& o) const { return code == o.code && keyDown == o.keyDown; }
};

class RecordingHandler : public CQZFFormHandler {
 public:
  RecordingHandler(CQZFObject* owner, std::vector<Sent>* log, std::vector<std::u16string>* texts)
      : CQZFFormHandler(owner), log_(log), texts_(texts) {}
  Handled onKey(const QZFKeyEvent& key) override {
    log_->push_back({key.code, key.keyDown});
    return Handled::kDone;
  }
  Handled onTextInput(const char16_t* text) override {
    texts_->push_back(text);
    return Handled::kDone;
  }

 private:
  std::vector<Sent>* log_;
  std::vector<std::u16string>* texts_;
};

class RecordingUI : public CQZFUI {
 public:
  using CQZFUI::CQZFUI;
  std::vector<Sent> sent;
  std::vector<std::u16string> texts;

 protected:
  std::unique_ptr<CQZFFormHandler> makeFormHandler() override {
    return std::make_unique<RecordingHandler>(this, &sent, &texts);
  }
};

int translate(CQZFUI& ui, const MSG& message) { return toStatus(ui.translateMessage(message)); }

constexpr UINT kDown = WM_KEYDOWN, kUp = WM_KEYUP, kChar = WM_CHAR, kHot = WM_HOTKEY;

class UITest : public ::testing::Test {
 protected:
  void SetUp() override { wince::useVirtualClock(500000); }
  void TearDown() override {
    wince::useRealClock();
    wince::selectDeviceProfile("smartphone");
    waveOutSetVolume(nullptr, 0xFFFFFFFF);
  }
  // A UI made long enough ago that the first hot key counts.
  std::unique_ptr<RecordingUI> makeUI(const char* profile) {
    EXPECT_TRUE(wince::selectDeviceProfile(profile));
    auto ui = std::make_unique<RecordingUI>(&app_);
    EXPECT_EQ(ui->init(), 0);
    wince::advanceClock(1000);
    return ui;
  }
  CQZFApplication app_;
};

TEST_F(UITest, KeyTranslationOnBothFamilies) {
  struct Step {
    UINT message;
    WPARAM wParam;
    int result;
  };
  struct Case {
    const char* profile;
    std::vector<Step> steps;
    std::vector<Sent> sent;
  };
  const Case cases[] = {
      // Arrows and return go to the forms as keys; the return's character is swallowed once.
      {"smartphone",
       {{kDown, 38, 1}, {kDown, 13, 1}, {kChar, 'a', 2}, {kChar, 'b', 1}, {kDown, 40, 1}},
       {{38, true}, {13, true}, {'b', false}, {40, true}}},
      // On a Pocket PC only the return character is swallowed.
      {"pocketpc-vga", {{kDown, 13, 1}, {kChar, 'a', 1}, {kChar, 13, 2}, {kChar, 13, 1}},
       {{13, true}, {'a', false}, {13, false}}},
      // Soft keys, Back and other keys are not forwarded on key-down; the soft keys' characters are swallowed.
      {"smartphone",
       {{kDown, 112, 2}, {kChar, 112, 2}, {kDown, 113, 2}, {kChar, 'x', 1}, {kChar, 113, 2}, {kDown, 27, 2},
        {kDown, 65, 2}},
       {{'x', false}}},
      // The action key of a Pocket PC only arms the return flag; elsewhere it is just another key.
      {"pocketpc-vga", {{kDown, 134, 2}, {kChar, 13, 2}, {kChar, 'q', 1}}, {{'q', false}}},
      {"smartphone", {{kDown, 134, 2}, {kChar, 'q', 1}}, {{'q', false}}},
      // Key-ups other than volume and unknown messages are not handled.
      {"smartphone", {{kUp, 38, 2}, {WM_PAINT, 0, 2}}, {}},
  };
  for (const Case& c : cases) {
    auto ui = makeUI(c.profile);
    for (const Step& s : c.steps) EXPECT_EQ(translate(*ui, windowMessage(s.message, s.wParam)), s.result) << c.profile;
    EXPECT_EQ(ui->sent, c.sent) << c.profile;
  }
}

TEST_F(UITest, HotKeysAreDebounced) {
  auto ui = makeUI("smartphone");
  EXPECT_EQ(translate(*ui, windowMessage(kHot, 0, MAKELPARAM(0, 27))), 2);
  wince::advanceClock(300);
  ui->translateMessage(windowMessage(kHot, 0, MAKELPARAM(0, 27)));  // the same key 30 hundredths later: dropped
  wince::advanceClock(300);
  ui->translateMessage(windowMessage(kHot, 0, MAKELPARAM(0, 27)));  // 60 after the accepted one
  wince::advanceClock(510);
  ui->translateMessage(windowMessage(kHot, 0, MAKELPARAM(MOD_KEYUP, 113)));  // a release is not a press
  ui->translateMessage(windowMessage(kHot, 0, MAKELPARAM(0, 65)));           // not a hot key of the forms
  ui->translateMessage(windowMessage(kHot, 0, MAKELPARAM(0, 27)));
  EXPECT_EQ(ui->sent, (std::vector<Sent>{{27, true}, {27, true}, {27, true}}));
}

// A soft key opens a menu and Back closes it at once: another key is never a
// bounce of the one before.
TEST_F(UITest, AnotherHotKeyRightAfterOneCounts) {
  auto ui = makeUI("smartphone");
  ui->translateMessage(windowMessage(kHot, 0, MAKELPARAM(0, 113)));
  wince::advanceClock(100);
  ui->translateMessage(windowMessage(kHot, 0, MAKELPARAM(0, 27)));
  wince::advanceClock(100);
  ui->translateMessage(windowMessage(kHot, 0, MAKELPARAM(0, 112)));
  wince::advanceClock(100);
  ui->translateMessage(windowMessage(kHot, 0, MAKELPARAM(0, 112)));  // the same key again: dropped
  EXPECT_EQ(ui->sent, (std::vector<Sent>{{113, true}, {27, true}, {112, true}}));
}

TEST_F(UITest, AHotKeyRightAfterStartIsDropped) {
  RecordingUI ui(&app_);
  ASSERT_EQ(ui.init(), 0);
  ui.translateMessage(windowMessage(kHot, 0, MAKELPARAM(0, 27)));
  wince::advanceClock(510);
  ui.translateMessage(windowMessage(kHot, 0, MAKELPARAM(0, 27)));
  EXPECT_EQ(ui.sent, (std::vector<Sent>{{27, true}}));
}

TEST_F(UITest, VolumeKeysStepTheSystemVolumeOnRelease) {
  struct Case {
    WPARAM key;
    uint32_t before, after;
  };
  const Case cases[] = {{117, 0xC000, 0xFFFF}, {117, 0x1000, 0x5000}, {117, 0xBFFE, 0xFFFE},
                        {118, 0x3000, 0},      {118, 0x8000, 0x4000}, {118, 0xFFFF4000, 0}};
  for (const Case& c : cases) {
    auto ui = makeUI("smartphone");
    uint32_t volume = c.before;
    ui->setVolumeControl({[&] { return volume; }, [&](uint32_t v) { volume = v; }});
    EXPECT_EQ(translate(*ui, windowMessage(kUp, c.key)), 1);
    EXPECT_EQ(volume, c.after) << std::hex << c.before;
    EXPECT_EQ(translate(*ui, windowMessage(kDown, c.key)), 2);
    EXPECT_EQ(volume, c.after);
  }
}

// A composed result goes to the forms as text; its character ('u' = 117
// here) is no volume key.
TEST_F(UITest, ACompositionResultIsTextInput) {
  auto ui = makeUI("smartphone");
  uint32_t volume = 0x1000;
  ui->setVolumeControl({[&] { return volume; }, [&](uint32_t v) { volume = v; }});
  ui->setCompositionReader([] { return std::u16string(u"\u00FCber"); });
  EXPECT_EQ(translate(*ui, windowMessage(WM_IME_COMPOSITION, 117, GCS_RESULTSTR)), 2);
  EXPECT_EQ(translate(*ui, windowMessage(WM_IME_COMPOSITION, 117, 0x0008)), 2);  // not a result yet
  EXPECT_EQ(ui->texts, (std::vector<std::u16string>{u"\u00FCber"}));
  EXPECT_EQ(volume, 0x1000u);
  EXPECT_TRUE(ui->sent.empty());
}

// Without a volume control of its own the UI steps the device's volume, the
// right channel along with the left.
TEST_F(UITest, VolumeKeysStepTheDeviceVolumeByDefault) {
  auto ui = makeUI("smartphone");
  ASSERT_EQ(waveOutSetVolume(nullptr, MAKELONG(0x8000, 0x1234)), MMSYSERR_NOERROR);
  const std::pair<WPARAM, DWORD> steps[] = {{117, 0xC000C000}, {117, 0xFFFFFFFF}, {118, 0xBFFFBFFF}};
  for (const auto& [key, after] : steps) {
    EXPECT_EQ(translate(*ui, windowMessage(kUp, key)), 1);
    DWORD volume = 0;
    ASSERT_EQ(waveOutGetVolume(nullptr, &volume), MMSYSERR_NOERROR);
    EXPECT_EQ(volume, after) << std::hex << volume;
  }
}

LRESULT CALLBACK plainWindow(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

TEST_F(UITest, ReadsTheResultStringOfAWindowsComposition) {
  WNDCLASS wc{};
  wc.lpfnWndProc = plainWindow;
  wc.lpszClassName = u"UITestComposer";
  RegisterClass(&wc);
  HWND window = CreateWindowEx(0, u"UITestComposer", u"", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  SetActiveWindow(window);
  EXPECT_EQ(CQZFUI::readComposition(window), u"");
  wince::injectComposition(u"Gr\u00FC\u00DFe");
  EXPECT_EQ(CQZFUI::readComposition(window), u"Gr\u00FC\u00DFe");
  EXPECT_EQ(CQZFUI::readComposition(nullptr), u"");
  DestroyWindow(window);
  EXPECT_EQ(CQZFUI::readComposition(window), u"");
}

// By default the text comes from the main window's context: with no main
// window nothing reaches the forms.
TEST_F(UITest, WithoutAMainWindowNoCompositionReachesTheForms) {
  ASSERT_EQ(QZGetMainWindow(), nullptr);
  auto ui = makeUI("smartphone");
  EXPECT_EQ(translate(*ui, windowMessage(WM_IME_COMPOSITION, 'x', GCS_RESULTSTR)), 2);
  EXPECT_TRUE(ui->texts.empty());
}

TEST_F(UITest, WithoutAFormHandlerNothingIsHandled) {
  CQZFUI ui(&app_);
  EXPECT_EQ(ui.getKind(), kQZFKindUI);
  EXPECT_EQ(translate(ui, windowMessage(kDown, 13)), 2);
  EXPECT_EQ(ui.onPen(QZFPenEvent::make(1, 5, 5)), Handled::kPassOn);
  ui.tick();
  ui.draw();
  ASSERT_EQ(ui.init(), 0);
  ASSERT_NE(ui.getFormHandler(), nullptr);
  EXPECT_EQ(ui.getFormHandler()->find(kQZFKindUI), &ui);
  ui.onSuspendResume(0);
  EXPECT_FALSE(ui.getFormHandler()->isActive());
  ui.shutdown();
  EXPECT_EQ(ui.getFormHandler(), nullptr);
}

}  // namespace
