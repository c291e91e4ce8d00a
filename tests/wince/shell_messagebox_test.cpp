#include <functional>

#include "messagebox.h"
#include "shell_test_util.h"

#include "wince/host/shell.h"
#include "wince/host/window.h"

namespace {

using namespace shell_test;

using MessageBoxes = ShellTest;

// Runs `inside` once the box's modal loop has started.
int showBox(HWND owner, UINT type, std::function<void(HWND box)> inside) {
  wince::setModalHook([inside](HWND box, wince::ModalKind kind) {
    EXPECT_EQ(kind, wince::ModalKind::MessageBox);
    inside(box);
  });
  int answer = MessageBox(owner, u"Text", u"Caption", type);
  wince::setModalHook(nullptr);
  return answer;
}

void keys(std::initializer_list<UINT> vks) {
  for (UINT vk : vks) {
    wince::injectKey(vk, true);
    wince::injectKey(vk, false);
  }
}

TEST_F(MessageBoxes, KeysChooseTheAnswer) {
  struct Case {
    UINT type;
    std::initializer_list<UINT> keys;
    int answer;
  } cases[] = {
      {MB_OK, {VK_RETURN}, IDOK},
      {MB_OK, {VK_ESCAPE}, IDOK},
      {MB_YESNO, {VK_RETURN}, IDYES},
      {MB_YESNO, {VK_RIGHT, VK_RETURN}, IDNO},
      {MB_YESNO, {VK_LEFT, VK_RETURN}, IDNO},
      {MB_YESNO, {VK_ESCAPE}, IDNO},
      {MB_OKCANCEL, {VK_ESCAPE}, IDCANCEL},
      {MB_YESNOCANCEL | MB_DEFBUTTON2, {VK_RETURN}, IDNO},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, {VK_DOWN, VK_RETURN}, IDYES},
      {MB_ABORTRETRYIGNORE, {VK_TSOFT1}, IDABORT},
      {MB_ABORTRETRYIGNORE, {VK_TSOFT2}, IDIGNORE},
      {MB_RETRYCANCEL, {VK_TSOFT2}, IDCANCEL},
      {MB_YESNO, {'7', VK_RETURN}, IDYES},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(showBox(main_, c.type, [&](HWND) { keys(c.keys); }), c.answer) << "type " << c.type;
  }
  ASSERT_EQ(wince::messageBoxLog().size(), std::size(cases));
  const wince::MessageBoxRecord& last = wince::messageBoxLog().back();
  EXPECT_EQ(last.text, u"Text");
  EXPECT_EQ(last.caption, u"Caption");
  EXPECT_EQ(last.type, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(last.answer, IDYES);
}

TEST_F(MessageBoxes, OwnerIsDisabledWhileTheBoxIsUp) {
  bool enabledInside = true;
  HWND active = nullptr;
  showBox(main_, MB_OK, [&](HWND box) {
    enabledInside = IsWindowEnabled(main_);
    active = GetActiveWindow();
    EXPECT_EQ(active, box);
    keys({VK_RETURN});
  });
  EXPECT_FALSE(enabledInside);
  EXPECT_TRUE(IsWindowEnabled(main_));
  wince::dispatchPending();
  EXPECT_EQ(seen(), (std::vector<std::string>{"ENABLE 0 0", "ENABLE 1 0"}));
}

TEST_F(MessageBoxes, StylusTakesTheButtonItIsLiftedOn) {
  auto tapAt = [](int x, int y) {
    wince::injectStylus(WM_LBUTTONDOWN, x, y);
    wince::injectStylus(WM_LBUTTONUP, x, y);
  };
  int answer = showBox(main_, MB_OK, [&](HWND box) {
    RECT rc;
    GetWindowRect(box, &rc);
    int midX = (rc.left + rc.right) / 2;
    tapAt(midX, rc.top + 30);  // on the text: nothing
    // Down on the button, up beside it: nothing either.
    wince::injectStylus(WM_LBUTTONDOWN, midX, rc.bottom - 15);
    wince::injectStylus(WM_LBUTTONUP, rc.left + 2, rc.bottom - 15);
    tapAt(midX, rc.bottom - 15);  // on the button
  });
  EXPECT_EQ(answer, IDOK);

  answer = showBox(main_, MB_YESNO, [&](HWND box) {
    RECT rc;
    GetWindowRect(box, &rc);
    tapAt((rc.left + rc.right) / 2 + 30, rc.bottom - 15);  // the right one of two
  });
  EXPECT_EQ(answer, IDNO);
}

TEST_F(MessageBoxes, ScriptAnswersTheOpenBoxOrTheNextOne) {
  EXPECT_EQ(showBox(main_, MB_YESNO, [](HWND) { wince::detail::answerMessageBox(IDNO); }), IDNO);
  wince::detail::answerMessageBox(IDYES);
  EXPECT_EQ(showBox(main_, MB_YESNO, [](HWND) {}), IDYES);
  EXPECT_EQ(showBox(main_, MB_OKCANCEL, [](HWND) {
              EXPECT_TRUE(wince::detail::messageBoxOpen());
              wince::detail::dismissMessageBox();
            }),
            IDCANCEL);
  EXPECT_FALSE(wince::detail::messageBoxOpen());
}

TEST_F(MessageBoxes, QuitEndsTheBoxAndStaysPending) {
  EXPECT_EQ(showBox(main_, MB_YESNO, [](HWND) { PostQuitMessage(4); }), IDCANCEL);
  int code = 0;
  EXPECT_TRUE(wince::quitPending(&code));
  EXPECT_EQ(code, 4);
  EXPECT_EQ(wince::messageBoxLog().back().answer, IDCANCEL);
}

TEST_F(MessageBoxes, WorksWithoutOwnerAndDefaultsTheCaption) {
  wince::setModalHook([](HWND, wince::ModalKind) { keys({VK_RETURN}); });
  EXPECT_EQ(MessageBox(nullptr, nullptr, nullptr, MB_OK), IDOK);
  wince::setModalHook(nullptr);
  ASSERT_FALSE(wince::messageBoxLog().empty());
  EXPECT_EQ(wince::messageBoxLog().back().caption, u"Error");
  EXPECT_EQ(wince::messageBoxLog().back().text, u"");
}

}  // namespace
