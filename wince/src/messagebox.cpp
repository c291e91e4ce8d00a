// Message boxes drawn by the runtime inside the device screen and run in a
// modal loop; answered by keys, the stylus or the script.
#include "messagebox.h"

#include <algorithm>
#include <string>
#include <vector>

#include "shell_draw.h"
#include "wince/host/shell.h"
#include "wince/host/system.h"
#include "wince/host/window.h"
#include "wince/runtime.h"
#include "wince/shell.h"
#include "wince/system.h"

namespace wince::detail {

namespace {

constexpr const WCHAR* kBoxClass = u"wince_messagebox";
constexpr UINT kAnswerMessage = WM_USER + 1;
constexpr COLORREF kFrameColor = kPopupFrameColor;
constexpr COLORREF kBodyColor = RGB(255, 255, 255);
constexpr COLORREF kTextColor = RGB(0, 0, 0);
constexpr COLORREF kButtonColor = RGB(224, 228, 236);
constexpr COLORREF kWhite = RGB(255, 255, 255);

struct Box {
  HWND hwnd = nullptr;
  std::u16string text;
  std::u16string caption;
  std::vector<int> buttons;
  size_t selected = 0;
  int pressed = -1;  // button index the stylus went down on
  size_t record = 0;
};

std::vector<MessageBoxRecord>& log() {
  static std::vector<MessageBoxRecord> records;
  return records;
}

std::vector<Box*>& openBoxes() {
  static std::vector<Box*> boxes;
  return boxes;
}

int& pendingAnswer() {
  static int answer = 0;
  return answer;
}

std::vector<int> buttonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
  }
}

const char16_t* labelOf(int id) {
  switch (id) {
    case IDOK: return u"OK";
    case IDCANCEL: return u"Cancel";
    case IDABORT: return u"Abort";
    case IDRETRY: return u"Retry";
    case IDIGNORE: return u"Ignore";
    case IDYES: return u"Yes";
    default: return u"No";
  }
}

// The Back key's answer: Cancel, else No, else the only button.
int backAnswer(const std::vector<int>& buttons) {
  for (int id : {IDCANCEL, IDNO}) {
    if (std::find(buttons.begin(), buttons.end(), id) != buttons.end()) return id;
  }
  return buttons.front();
}

Box* boxOf(HWND hwnd) {
  for (Box* b : openBoxes()) {
    if (b->hwnd == hwnd) return b;
  }
  return nullptr;
}

// Sizes, in device pixels, of the parts of a box.
struct Layout {
  int pad = scaled(8);
  int titleHeight = titleRowHeight();
  int buttonHeight = scaled(24);
  int textHeight = 0;
  int width = 0;
};

Layout layoutFor(const Box& box) {
  Layout l;
  const DeviceProfile& p = deviceProfile();
  l.width = p.screenWidth - 2 * scaled(6);
  HDC hdc = GetDC(nullptr);
  HFONT font = makeUiFont(scaled(12), false);
  HGDIOBJ old = SelectObject(hdc, font);
  RECT r{0, 0, l.width - 2 * l.pad, 0};
  DrawText(hdc, box.text.c_str(), static_cast<int>(box.text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(hdc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, hdc);
  int room = p.screenHeight - l.titleHeight - l.buttonHeight - 3 * l.pad;
  l.textHeight = std::clamp(static_cast<int>(r.bottom - r.top), 0, std::max(room, 0));
  return l;
}

RECT buttonRect(const Box& box, const RECT& client, size_t index) {
  Layout l;
  int n = static_cast<int>(box.buttons.size());
  int width = std::min(scaled(64), (client.right - client.left - l.pad * (n + 1)) / n);
  int total = n * width + (n - 1) * l.pad;
  int left = (client.right - client.left - total) / 2 + static_cast<int>(index) * (width + l.pad);
  int top = client.bottom - l.pad - l.buttonHeight;
  return {left, top, left + width, top + l.buttonHeight};
}

int buttonAt(const Box& box, HWND hwnd, POINT pt) {
  RECT client;
  GetClientRect(hwnd, &client);
  for (size_t i = 0; i < box.buttons.size(); ++i) {
    RECT r = buttonRect(box, client, i);
    if (PtInRect(&r, pt)) return static_cast<int>(i);
  }
  return -1;
}

void paint(HWND hwnd, const Box& box) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  RECT rc;
  GetClientRect(hwnd, &rc);
  Layout l;
  fillSolid(hdc, rc, kFrameColor);
  RECT body{rc.left + 1, rc.top + l.titleHeight, rc.right - 1, rc.bottom - 1};
  fillSolid(hdc, body, kBodyColor);
  HFONT bold = makeUiFont(scaled(12), true);
  HFONT normal = makeUiFont(scaled(12), false);
  drawTitleRow(hdc, RECT{rc.left, rc.top, rc.right, rc.top + l.titleHeight}, box.caption);
  RECT text{body.left + l.pad - 1, body.top + l.pad, body.right - l.pad + 1, rc.bottom - 2 * l.pad - l.buttonHeight};
  drawLabel(hdc, text, box.text, DT_WORDBREAK | DT_LEFT, kTextColor, normal);
  for (size_t i = 0; i < box.buttons.size(); ++i) {
    RECT b = buttonRect(box, rc, i);
    bool selected = i == box.selected;
    fillSolid(hdc, b, kFrameColor);
    RECT inner{b.left + 1, b.top + 1, b.right - 1, b.bottom - 1};
    if (!selected) fillSolid(hdc, inner, kButtonColor);
    drawLabel(hdc, b, labelOf(box.buttons[i]), DT_SINGLELINE | DT_VCENTER | DT_CENTER, selected ? kWhite : kTextColor,
              selected ? bold : normal);
  }
  DeleteObject(bold);
  DeleteObject(normal);
  EndPaint(hwnd, &ps);
}

void finish(Box& box, int answer) {
  log()[box.record].answer = answer;
  endModalLoop(box.hwnd, answer);
  // Wakes the modal loop even when the answer came from outside a message
  // (the script runs while the loop waits for one).
  PostMessage(box.hwnd, WM_NULL, 0, 0);
}

void onKey(HWND hwnd, Box& box, UINT vk) {
  size_t n = box.buttons.size();
  switch (vk) {
    case VK_LEFT:
    case VK_UP:
      box.selected = (box.selected + n - 1) % n;
      InvalidateRect(hwnd, nullptr, FALSE);
      break;
    case VK_RIGHT:
    case VK_DOWN:
      box.selected = (box.selected + 1) % n;
      InvalidateRect(hwnd, nullptr, FALSE);
      break;
    case VK_RETURN: finish(box, box.buttons[box.selected]); break;
    case VK_TSOFT1: finish(box, box.buttons.front()); break;
    case VK_TSOFT2: finish(box, box.buttons.back()); break;
    case VK_ESCAPE: finish(box, backAnswer(box.buttons)); break;
    default: break;
  }
}

LRESULT CALLBACK boxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Box* box = boxOf(hwnd);
  if (!box) return DefWindowProc(hwnd, msg, wParam, lParam);
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (msg) {
    case WM_PAINT: paint(hwnd, *box); return 0;
    case WM_KEYDOWN: onKey(hwnd, *box, static_cast<UINT>(wParam)); return 0;
    case WM_LBUTTONDOWN:
      box->pressed = buttonAt(*box, hwnd, pt);
      SetCapture(hwnd);
      return 0;
    case WM_LBUTTONUP: {
      ReleaseCapture();
      int at = buttonAt(*box, hwnd, pt);
      if (at >= 0 && at == box->pressed) finish(*box, box->buttons[static_cast<size_t>(at)]);
      box->pressed = -1;
      return 0;
    }
    case WM_CLOSE: finish(*box, backAnswer(box->buttons)); return 0;
    case kAnswerMessage: finish(*box, static_cast<int>(wParam)); return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

bool registerBoxClass() {
  WNDCLASS wc{};
  if (GetClassInfo(programInstance(), kBoxClass, &wc)) return true;
  wc.lpfnWndProc = boxProc;
  wc.hInstance = programInstance();
  wc.lpszClassName = kBoxClass;
  return RegisterClass(&wc) != 0;
}

}  // namespace

void answerMessageBox(int answer) {
  if (openBoxes().empty()) {
    pendingAnswer() = answer;
  } else {
    finish(*openBoxes().back(), answer);
  }
}

void clearMessageBoxLog() {
  if (openBoxes().empty()) log().clear();
  pendingAnswer() = 0;
}

bool messageBoxOpen() { return !openBoxes().empty(); }

void dismissMessageBox() {
  if (!openBoxes().empty()) finish(*openBoxes().back(), backAnswer(openBoxes().back()->buttons));
}

}  // namespace wince::detail

using namespace wince::detail;

const std::vector<wince::MessageBoxRecord>& wince::messageBoxLog() { return log(); }

int MessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  if (!registerBoxClass()) return 0;
  Box box;
  box.text = text ? text : u"";
  box.caption = caption ? caption : u"Error";
  box.buttons = buttonsOf(type);
  box.selected = std::min<size_t>((type & MB_DEFMASK) >> 8, box.buttons.size() - 1);
  box.record = log().size();
  log().push_back({box.text, box.caption, type, 0});

  Layout l = layoutFor(box);
  const wince::DeviceProfile& p = wince::deviceProfile();
  int height = l.titleHeight + l.textHeight + l.buttonHeight + 3 * l.pad;
  int x = (p.screenWidth - l.width) / 2;
  int y = std::max(0, (p.screenHeight - height) / 2);
  box.hwnd = CreateWindowEx(WS_EX_TOPMOST, kBoxClass, box.caption.c_str(), WS_POPUP | WS_VISIBLE, x, y, l.width,
                            height, owner, nullptr, wince::programInstance(), nullptr);
  if (!box.hwnd) {
    log().pop_back();
    return 0;
  }
  openBoxes().push_back(&box);
  SetActiveWindow(box.hwnd);
  SetFocus(box.hwnd);
  if (pendingAnswer() != 0) {
    PostMessage(box.hwnd, kAnswerMessage, static_cast<WPARAM>(pendingAnswer()), 0);
    pendingAnswer() = 0;
  }
  auto answer = static_cast<int>(wince::runModalLoop(owner, box.hwnd, wince::ModalKind::MessageBox));
  openBoxes().erase(std::find(openBoxes().begin(), openBoxes().end(), &box));
  DestroyWindow(box.hwnd);
  if (log()[box.record].answer == 0) log()[box.record].answer = answer;
  return answer;
}
