// What the standard controls share: their state in the window, the messages
// they send their parent, the colours the parent chooses, and the drawing
// primitives of the device's look, scaled with its dpi.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "wince/controls.h"
#include "window_internal.h"

namespace wince::ctl {

// The control's state, made on first use; null for a dead window.
template <class T>
T* stateOf(HWND hwnd) {
  win::Window* w = win::find(hwnd);
  if (w == nullptr) return nullptr;
  if (w->control == nullptr) w->control = std::make_unique<T>();
  return dynamic_cast<T*>(w->control.get());
}

DWORD styleOf(HWND hwnd);
std::u16string textOf(HWND hwnd);

// n pixels of a 96-dpi screen on the device.
int px(int n);
// WM_COMMAND(id, code) from the control to its parent.
void sendCommand(HWND control, WORD code);
// WM_NOTIFY from the control to its parent with the header filled in;
// `hdr` may be a larger structure that starts with an NMHDR.
LRESULT sendNotify(HWND control, UINT code, NMHDR* hdr);
LRESULT sendNotify(HWND control, UINT code);

// Asks the parent for the control's colours (WM_CTLCOLOR*): the text and
// background colours land in the DC, the answer is the background brush.
HBRUSH parentColours(HWND control, HDC hdc, UINT ctlColorMessage);

// BeginPaint with the control's font (WM_SETFONT, else the dialog font at
// the device's dpi) selected; undone at the end of the scope.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd);
  ~PaintScope();
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return hdc_; }
  const RECT& client() const { return client_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC hdc_;
  RECT client_{};
  HFONT own_{};
  HGDIOBJ oldFont_{};
};

// The font a control draws with, selected into a measuring DC.
class MeasureScope {
 public:
  explicit MeasureScope(HWND hwnd);
  ~MeasureScope();
  MeasureScope(const MeasureScope&) = delete;
  MeasureScope& operator=(const MeasureScope&) = delete;
  HDC dc() const { return hdc_; }
  int lineHeight() const;
  int width(std::u16string_view text) const;

 private:
  HDC hdc_;
  HFONT own_{};
  HGDIOBJ oldFont_{};
};

// Copies text into a caller's buffer of `capacity` units, cut to fit and
// terminated; returns the units copied (0 for no buffer).
size_t copyTextOut(std::u16string_view t, WCHAR* out, int capacity);

// WM_SETTEXT stored by the default procedure, then the control repainted.
LRESULT setTextAndRepaint(HWND hwnd, WPARAM wParam, LPARAM lParam);

// The first row to show after a WM_VSCROLL request (code) in a list that
// scrolls by rows; the caller clamps it.
int scrolledTop(HWND hwnd, WORD code, int top, int page, int count);

// The height of one line of text in the control's font.
int lineHeightOf(HWND hwnd);

void fill(HDC hdc, const RECT& rect, COLORREF color);
// An outline `thickness` pixels wide inside the rectangle.
void frame(HDC hdc, const RECT& rect, COLORREF color, int thickness);
// The dotted outline that marks the focus.
void focusFrame(HDC hdc, const RECT& rect);
// Text in `color` on a transparent background.
void text(HDC hdc, RECT rect, std::u16string_view s, UINT format, COLORREF color);
// A filled triangle pointing down (or up, left, right) centred in the rectangle.
enum class Arrow { Down, Up, Left, Right };
void arrow(HDC hdc, const RECT& rect, Arrow direction, COLORREF color);
// The drop-down button of combo boxes.
void dropButton(HDC hdc, const RECT& rect, bool pressed);

// The device's colours for controls.
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kGreyInk = RGB(128, 128, 128);
constexpr COLORREF kFace = RGB(222, 223, 222);
constexpr COLORREF kLine = RGB(165, 166, 165);
COLORREF selectionColor();

// The control classes, for the window manager to register.
struct ControlClass {
  const char16_t* name;
  WNDPROC proc;
};
std::span<const ControlClass> controlClasses();

LRESULT CALLBACK staticProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK buttonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK editProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK listBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK comboBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK headerProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK listViewProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK tabProc(HWND, UINT, WPARAM, LPARAM);
// The runtime's own tab message: tab wParam shows the icon lParam (null: none)
// left of its text, drawn at iconSide(); the caller keeps the icon alive.
constexpr UINT kTabSetIcon = TCM_FIRST + 0xF0;
int tabIconSide();

// What an HTML view shows, as plain text (for state dumps).
std::u16string htmlViewText(HWND hwnd);

}  // namespace wince::ctl
