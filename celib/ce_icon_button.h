// CeIconButton: one window showing a row of buttons (CeIconButtonBase items),
// each with an icon (or a text made into an icon), colours, a border style,
// a rounded or gradient face, an optional drop-down arrow, auto-repeat,
// double taps and tap-and-hold. It paints off screen, follows the pen across
// its items and tells its parent by WM_COMMAND (the high word says what).
#pragma once

#include "ce_geometry.h"
#include "ce_ptr_list.h"
#include "ce_wnd.h"

class CeIconButton;

// DrawArrow's directions.
enum EDir { kDirUp = 1, kDirDown = 2, kDirLeft = 3, kDirRight = 4 };
// Fills `size` one-pixel rows (or columns) widening by a pixel on each side
// per step from the apex near `pt`.
void DrawArrow(HDC dc, POINT pt, COLORREF color, EDir direction, int size);

class CeIconButtonBase {
 public:
  CeIconButtonBase(WORD iconId, HINSTANCE instance, const RECT& rc, UINT id, int iconWidth, int iconHeight);
  CeIconButtonBase(const RECT& rc, UINT id);
  ~CeIconButtonBase();
  CeIconButtonBase(const CeIconButtonBase&) = delete;
  CeIconButtonBase& operator=(const CeIconButtonBase&) = delete;

  void Init(const RECT& rc, UINT id);
  void SetIcon(WORD iconId, HINSTANCE instance, int width, int height);
  void SetIcon(HICON icon, int width, int height);
  void SetPressedIcon(WORD iconId, HINSTANCE instance);
  void SetPressedIcon(HICON icon, int width, int height);
  void SetIconText(LPCWSTR text, LPCWSTR face, int pointSize, LONG weight, int italic, int underline, BYTE charSet,
                   COLORREF textColor, int width, int height, bool arrow);
  void SetColors(COLORREF normal1, COLORREF pressed1, bool gradient, COLORREF normal2, COLORREF pressed2);
  void SetBorder(bool border, UINT style, UINT edgeFlags, bool styledBorder, COLORREF borderColor);
  void SetRounded(bool rounded);
  void DisplayArrow(bool display);
  void SetSupportsContext(bool supports) { m_bSupportsContext = supports; }
  void SetSupportsDoubleClick(bool supports) { m_bSupportsDoubleClick = supports; }
  void SetRepeat(bool repeat) { m_bRepeat = repeat; }
  void SetToolTipText(LPCWSTR text);
  void SetChecked(bool checked, bool noRedraw = false);
  void SetPressed(bool pressed);
  bool GetPressed() const { return m_bPressed; }
  bool GetChecked() const { return m_bChecked; }
  UINT GetID() const { return m_nID; }
  void GetButtonRect(RECT* rc) const { *rc = m_rcButton; }

  // The arrow zone's width at the screen's density.
  static int ArrowZoneWidth();
  void Invalidate() const;

  HICON m_hIcon = nullptr;
  HICON m_hPressedIcon = nullptr;
  COLORREF m_crNormal1 = 0, m_crNormal2 = 0;
  COLORREF m_crPressed1 = 0, m_crPressed2 = 0;
  COLORREF m_crBorder = 0;
  int m_nIconWidth = 0, m_nIconHeight = 0;
  UINT m_nID = 0;
  UINT m_nBorderStyle = 6;
  UINT m_nEdgeFlags = 0xA00F;
  bool m_bBorder = false;
  bool m_bStyledBorder = true;
  bool m_bPressed = false;
  bool m_bRepeat = true;
  bool m_bChecked = false;
  bool m_bSupportsDoubleClick = false;
  bool m_bRounded = false;
  bool m_bGradient = false;
  bool m_bSupportsContext = false;
  bool m_bDisplayArrow = false;
  int m_nRepeatInterval = 300;
  CeIconButton* m_pOwner = nullptr;
  WCHAR m_szToolTip[150] = {};
  WORD m_nIconId = 0;
  RECT m_rcGiven{};
  CeRect m_rcButton;

 private:
  void ReplaceIcon(HICON& slot, HICON icon);
};

class CeIconButton : public CeWnd {
 public:
  // WM_COMMAND codes in the high word.
  static constexpr WORD kTap = 0;
  static constexpr WORD kRepeat = 0x80;
  static constexpr WORD kDown = 0x100;
  static constexpr WORD kDoubleTap = 0x200;
  static constexpr WORD kArrow = 0x400;
  // The paint request sent to the parent before a face or the background is filled.
  static constexpr UINT kPaintRequest = WM_USER + 101;
  struct PaintRequest {
    HDC dc;
    RECT rc;
    HWND control;
  };
  static constexpr UINT kDoubleTapTimer = 2;
  static constexpr UINT kDoubleTapDelay = 250;

  CeIconButton();
  ~CeIconButton() override;

  BOOL Create(const RECT& rc, HWND parent, HINSTANCE instance);
  BOOL Subsume(HWND control, HINSTANCE instance);
  void AddButton(CeIconButtonBase* item);
  void AddButtonAfter(UINT id, CeIconButtonBase* item);
  void InsertButtonAtPos(WORD pos, CeIconButtonBase* item);
  void RemoveButton(WORD pos);
  void RemoveButton(UINT id);
  void RemoveButtons(bool redraw);
  CeIconButtonBase* GetButton(WORD pos) {
    return pos >= 1 && pos <= m_items.GetUBound() ? m_items.GetAt(pos) : nullptr;
  }
  CeIconButtonBase* GetButton(UINT id);
  CeIconButtonBase* GetButtonFirst() { return GetButton(static_cast<WORD>(1)); }
  int GetButtonLBound() const { return 1; }
  void SetGroupChecked(UINT id);
  void InvalidateButton(UINT id);
  void SetLook(bool framed, COLORREF background);
  void SetButtonPadding(int padding) { m_nPadding = padding; }
  static int CompareFunc(const void* a, const void* b);

  void OnEnable(BOOL enable, bool& handled) override;
  int OnEraseBkgnd(HDC dc, bool& handled) override;
  void OnLButtonDown(UINT keys, POINT pt, bool& handled) override;
  void OnLButtonUp(UINT keys, POINT pt, bool& handled) override;
  void OnMouseMove(UINT keys, POINT pt, bool& handled) override;
  void OnPaint(bool& handled) override;
  void OnTimer(UINT id, bool& handled) override;
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

  CePtrList<CeIconButtonBase> m_items;
  int m_nCurrent = 0;
  int m_nPadding = -1;
  COLORREF m_crBackground = 0;
  bool m_bFramed = false;
  int m_nRepeatCount = 0;
  int m_nPressState = -1;
  bool m_bTracking = false;

 protected:
  CeIconButtonBase* ChangeCurrentButton(int pos);
  void SetCurrentButtonPressed(bool pressed);
  CeIconButtonBase* ChooseButtonOnMessage(POINT pt);

 private:
  LRESULT Notify(UINT id, WORD code);
  bool AskParentToPaint(HDC dc, const RECT& rc, WPARAM what);
  void PaintButton(HDC dc, CeIconButtonBase* item);
  void PaintFace(HDC dc, CeIconButtonBase* item, CeRect rc, COLORREF c1, COLORREF c2);
  int PositionOf(UINT id);
  void DoubleTapTimer();
  void RepeatTimer(UINT id);
};
