#include "ce_icon_button.h"

#include <cstdlib>
#include <memory>

#include "ce_draw.h"
#include "ce_font.h"
#include "ce_hidpi.h"
#include "wince/shell.h"
#include "wince/text.h"

namespace {

// Fills one row (or column) of an arrow in the DC's background colour.
void Span(HDC dc, int left, int top, int right, int bottom) {
  const RECT r{left, top, right, bottom};
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

// Selects a one-pixel pen of the colour and the hollow brush for outlines;
// puts the old ones back when it goes.
class OutlineScope {
 public:
  OutlineScope(HDC dc, COLORREF color) : dc_(dc), pen_(::CreatePen(PS_SOLID, 1, color)) {
    oldPen_ = ::SelectObject(dc, pen_);
    oldBrush_ = ::SelectObject(dc, ::GetStockObject(HOLLOW_BRUSH));
  }
  ~OutlineScope() {
    ::SelectObject(dc_, oldPen_);
    ::SelectObject(dc_, oldBrush_);
    ::DeleteObject(pen_);
  }
  OutlineScope(const OutlineScope&) = delete;
  OutlineScope& operator=(const OutlineScope&) = delete;

 private:
  HDC dc_;
  HPEN pen_;
  HGDIOBJ oldPen_, oldBrush_;
};

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  ::MoveToEx(dc, x1, y1, nullptr);
  ::LineTo(dc, x2, y2);
}

// The items' places: left to right across the client height.
void LayOut(CePtrList<CeIconButtonBase>& items, int padding, int height) {
  int x = 0;
  UINT previousStyle = 0;
  for (int pos = 1; pos <= items.GetUBound(); ++pos) {
    CeIconButtonBase* item = items.GetAt(pos);
    if (pos > 1 && item->m_nBorderStyle != previousStyle && item->m_nBorderStyle == 160) ++x;
    const int arrow = item->m_bDisplayArrow ? CeIconButtonBase::ArrowZoneWidth() : 0;
    const int width = item->m_rcGiven.right;
    item->m_rcButton = CeRect(x, 0, x + width + arrow, height);
    x += width + padding + arrow;
    previousStyle = item->m_nBorderStyle;
  }
}

}  // namespace

void DrawArrow(HDC dc, POINT pt, COLORREF color, EDir direction, int size) {
  const COLORREF old = ::SetBkColor(dc, color);
  for (int i = 0; i < size; ++i) {
    switch (direction) {
      case kDirDown: Span(dc, pt.x - 1 - i, pt.y + 1 - i, pt.x + i, pt.y + 2 - i); break;
      case kDirUp: Span(dc, pt.x - 1 - i, pt.y - 2 + i, pt.x + i, pt.y - 1 + i); break;
      case kDirLeft: Span(dc, pt.x - 2 + i, pt.y - 1 - i, pt.x - 1 + i, pt.y + i); break;
      case kDirRight: Span(dc, pt.x + 1 - i, pt.y - 1 - i, pt.x + 2 - i, pt.y + i); break;
    }
  }
  ::SetBkColor(dc, old);
}

// ---------------------------------------------------------------------------
// CeIconButtonBase

CeIconButtonBase::CeIconButtonBase(WORD iconId, HINSTANCE instance, const RECT& rc, UINT id, int iconWidth,
                                   int iconHeight) {
  Init(rc, id);
  if (iconId != 0) SetIcon(iconId, instance, iconWidth, iconHeight);
  m_nIconId = iconId;
  m_nIconWidth = iconWidth;
  m_nIconHeight = iconHeight;
  if (rc.right == 0) m_rcGiven.right = iconWidth;
}

CeIconButtonBase::CeIconButtonBase(const RECT& rc, UINT id) { Init(rc, id); }

CeIconButtonBase::~CeIconButtonBase() {
  ReplaceIcon(m_hIcon, nullptr);
  ReplaceIcon(m_hPressedIcon, nullptr);
}

void CeIconButtonBase::Init(const RECT& rc, UINT id) {
  m_crNormal1 = m_crNormal2 = ::GetSysColor(COLOR_BTNFACE);
  m_crPressed1 = m_crPressed2 = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  m_crBorder = 0;
  m_nID = id;
  m_nBorderStyle = 6;
  m_nEdgeFlags = 0xA00F;
  m_bBorder = m_bPressed = m_bChecked = m_bSupportsDoubleClick = m_bRounded = m_bGradient = false;
  m_bSupportsContext = m_bDisplayArrow = false;
  m_bStyledBorder = m_bRepeat = true;
  m_nRepeatInterval = 300;
  m_pOwner = nullptr;
  m_szToolTip[0] = 0;
  m_nIconId = 0;
  m_rcGiven = rc;
}

void CeIconButtonBase::ReplaceIcon(HICON& slot, HICON icon) {
  if (slot != nullptr) ::DestroyIcon(slot);
  slot = icon;
}

void CeIconButtonBase::SetIcon(WORD iconId, HINSTANCE instance, int width, int height) {
  ReplaceIcon(m_hIcon, static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCE(iconId), IMAGE_ICON,
                                                       g_HIDPI_IconPixels, g_HIDPI_IconPixels, 0)));
  m_nIconId = iconId;
  m_nIconWidth = width;
  m_nIconHeight = height;
}

void CeIconButtonBase::SetIcon(HICON icon, int width, int height) {
  ReplaceIcon(m_hIcon, icon);
  m_nIconId = 0;
  m_nIconWidth = width;
  m_nIconHeight = height;
}

void CeIconButtonBase::SetPressedIcon(WORD iconId, HINSTANCE instance) {
  ReplaceIcon(m_hPressedIcon, static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCE(iconId), IMAGE_ICON, 0, 0, 0)));
  m_nIconWidth = m_nIconHeight = 16;
}

void CeIconButtonBase::SetPressedIcon(HICON icon, int width, int height) {
  ReplaceIcon(m_hPressedIcon, icon);
  m_nIconWidth = width;
  m_nIconHeight = height;
}

// The text as an icon: drawn in the text colour on a white mask over a black
// colour bitmap, so only the glyphs (and the arrow) cover what is below.
void CeIconButtonBase::SetIconText(LPCWSTR text, LPCWSTR face, int pointSize, LONG weight, int italic, int underline,
                                   BYTE charSet, COLORREF textColor, int width, int height, bool arrow) {
  if (m_pOwner == nullptr || text == nullptr) return;
  ReplaceIcon(m_hIcon, nullptr);
  m_nIconWidth = std::abs(width);
  m_nIconHeight = std::abs(height);
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP color = ::CreateCompatibleBitmap(screen, m_nIconWidth, m_nIconHeight);
  HBITMAP mask = ::CreateCompatibleBitmap(screen, m_nIconWidth, m_nIconHeight);
  ::ReleaseDC(nullptr, screen);
  HFONT font = GetNewFont(face, pointSize, weight, italic, underline, charSet);
  const HGDIOBJ oldBitmap = ::SelectObject(dc, color);
  PaintRect(dc, 0, 0, m_nIconWidth, m_nIconHeight, RGB(0, 0, 0));
  ::SelectObject(dc, mask);
  PaintRect(dc, 0, 0, m_nIconWidth, m_nIconHeight, RGB(255, 255, 255));
  const HGDIOBJ oldFont = ::SelectObject(dc, font);
  const int length = static_cast<int>(wcslen(text));
  SIZE extent{};
  ::GetTextExtentPoint32W(dc, text, length, &extent);
  const int arrowSize = (4 * g_HIDPI_LogPixelsX + 48) / 96;
  const bool withArrow = arrow && m_nIconWidth >= extent.cx + arrowSize;
  RECT rc{0, 0, m_nIconWidth, m_nIconHeight};
  if (withArrow) ::OffsetRect(&rc, -arrowSize, 0);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, textColor);
  ::DrawTextW(dc, text, length, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (withArrow) {
    const int textEnd = (rc.left + rc.right + extent.cx) / 2;
    DrawArrow(dc, POINT{textEnd + (8 * g_HIDPI_LogPixelsX + 48) / 96, m_nIconHeight / 2}, textColor, kDirUp, arrowSize);
  }
  ::SelectObject(dc, oldFont);
  ::SelectObject(dc, oldBitmap);
  ICONINFO info{TRUE, 0, 0, mask, color};
  m_hIcon = ::CreateIconIndirect(&info);
  ::DeleteObject(font);
  ::DeleteObject(color);
  ::DeleteObject(mask);
  ::DeleteDC(dc);
}

void CeIconButtonBase::SetColors(COLORREF normal1, COLORREF pressed1, bool gradient, COLORREF normal2,
                                 COLORREF pressed2) {
  m_crNormal1 = normal1;
  m_crPressed1 = pressed1;
  m_bGradient = gradient;
  m_crNormal2 = normal2;
  m_crPressed2 = pressed2;
  Invalidate();
}

void CeIconButtonBase::SetBorder(bool border, UINT style, UINT edgeFlags, bool styledBorder, COLORREF borderColor) {
  m_bBorder = border;
  m_nBorderStyle = style;
  m_nEdgeFlags = edgeFlags;
  m_bStyledBorder = styledBorder;
  m_crBorder = borderColor;
  Invalidate();
}

void CeIconButtonBase::SetRounded(bool rounded) {
  m_bRounded = rounded;
  Invalidate();
}

void CeIconButtonBase::DisplayArrow(bool display) {
  m_bDisplayArrow = display;
  Invalidate();
}

void CeIconButtonBase::SetToolTipText(LPCWSTR text) {
  m_szToolTip[0] = 0;
  if (text != nullptr) wcsncpy(m_szToolTip, text, 149);
  m_szToolTip[149] = 0;
}

void CeIconButtonBase::SetChecked(bool checked, bool noRedraw) {
  m_bChecked = checked;
  if (m_pOwner != nullptr && ::GetCapture() == m_pOwner->m_hWnd) ::ReleaseCapture();
  if (m_pOwner != nullptr) ::KillTimer(m_pOwner->m_hWnd, m_nID);
  m_bPressed = false;
  if (!noRedraw) Invalidate();
}

void CeIconButtonBase::SetPressed(bool pressed) {
  const HWND owner = m_pOwner != nullptr ? m_pOwner->m_hWnd : nullptr;
  if (pressed) {
    if (owner != nullptr) ::SetCapture(owner);
  } else {
    if (owner != nullptr && ::GetCapture() == owner) ::ReleaseCapture();
    if (owner != nullptr) ::KillTimer(owner, m_nID);
  }
  m_bPressed = pressed;
  Invalidate();
}

int CeIconButtonBase::ArrowZoneWidth() { return (10 * g_HIDPI_LogPixelsX + 48) / 96; }

void CeIconButtonBase::Invalidate() const {
  if (m_pOwner != nullptr && m_pOwner->m_hWnd != nullptr) ::InvalidateRect(m_pOwner->m_hWnd, &m_rcButton, FALSE);
}

// ---------------------------------------------------------------------------
// CeIconButton

CeIconButton::CeIconButton() : m_items(1, kCeDisposeDelete, CompareFunc) { RemoveButtons(false); }

CeIconButton::~CeIconButton() { RemoveButtons(false); }

BOOL CeIconButton::Create(const RECT& rc, HWND parent, HINSTANCE instance) {
  return CeWnd::Create(CreateGenericWndClass(instance), parent, rc, u"", WS_CHILD | WS_VISIBLE, WS_EX_NOACTIVATE, 0,
                       instance);
}

BOOL CeIconButton::Subsume(HWND control, HINSTANCE instance) {
  const HWND parent = ::GetParent(control);
  const auto id = static_cast<UINT>(::GetDlgCtrlID(control));
  CeRect rc;
  ::GetWindowRect(control, &rc);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  auto item = std::make_unique<CeIconButtonBase>(RECT{0, 0, rc.Width(), rc.Height()}, id);
  const BOOL made = Create(rc, parent, instance);
  if (!made) return made;
  AddButton(item.release());
  const HWND before = ::GetWindow(control, GW_HWNDPREV);
  ::SetWindowPos(m_hWnd, before != nullptr ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::ShowWindow(control, SW_HIDE);
  ::DestroyWindow(control);
  return made;
}

void CeIconButton::AddButton(CeIconButtonBase* item) {
  item->m_pOwner = this;
  m_items.AddTail(item);
}

// After the item with that id; at the end when no item has it.
void CeIconButton::AddButtonAfter(UINT id, CeIconButtonBase* item) {
  item->m_pOwner = this;
  const int pos = PositionOf(id);
  if (pos == 0) {
    m_items.AddTail(item);
  } else {
    m_items.InsertAt(pos + 1, item);
  }
}

void CeIconButton::InsertButtonAtPos(WORD pos, CeIconButtonBase* item) {
  item->m_pOwner = this;
  m_items.InsertAt(pos, item);
}

void CeIconButton::RemoveButton(WORD pos) {
  if (pos < 1 || pos > m_items.GetUBound()) return;
  if (m_nCurrent == pos) m_nCurrent = 0;
  if (m_nCurrent > pos) --m_nCurrent;
  m_items.RemoveAt(pos);
}

void CeIconButton::RemoveButton(UINT id) {
  if (const int pos = PositionOf(id)) RemoveButton(static_cast<WORD>(pos));
}

void CeIconButton::RemoveButtons(bool redraw) {
  m_items.RemoveAll();
  m_crBackground = ::GetSysColor(COLOR_BTNFACE);
  m_bFramed = false;
  m_nPadding = -1;
  m_nPressState = -1;
  m_nRepeatCount = 0;
  m_bTracking = false;
  m_nCurrent = 0;
  if (redraw && m_hWnd != nullptr) ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

int CeIconButton::PositionOf(UINT id) {
  for (int pos = 1; pos <= m_items.GetUBound(); ++pos) {
    if (m_items.GetAt(pos)->m_nID == id) return pos;
  }
  return 0;
}

CeIconButtonBase* CeIconButton::GetButton(UINT id) {
  const int pos = PositionOf(id);
  return pos != 0 ? m_items.GetAt(pos) : nullptr;
}

void CeIconButton::SetGroupChecked(UINT id) {
  for (int pos = 1; pos <= m_items.GetUBound(); ++pos) {
    CeIconButtonBase* item = m_items.GetAt(pos);
    item->SetChecked(item->m_nID == id, true);
  }
  if (m_hWnd != nullptr) ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CeIconButton::InvalidateButton(UINT id) {
  if (CeIconButtonBase* item = GetButton(id)) item->Invalidate();
}

void CeIconButton::SetLook(bool framed, COLORREF background) {
  if (background <= 0xFFFFFF) m_crBackground = background;
  m_bFramed = framed;
}

int CeIconButton::CompareFunc(const void* a, const void* b) {
  if (a == b) return 0;
  if (a == nullptr) return 1;
  if (b == nullptr) return -1;
  const UINT idA = static_cast<const CeIconButtonBase*>(a)->m_nID;
  const UINT idB = static_cast<const CeIconButtonBase*>(b)->m_nID;
  return idA < idB ? -1 : idA > idB ? 1 : 0;
}

LRESULT CeIconButton::Notify(UINT id, WORD code) {
  return ::SendMessageW(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(m_hWnd));
}

bool CeIconButton::AskParentToPaint(HDC dc, const RECT& rc, WPARAM what) {
  PaintRequest request{dc, rc, m_hWnd};
  return ::SendMessageW(::GetParent(m_hWnd), kPaintRequest, what, reinterpret_cast<LPARAM>(&request)) != 0;
}

CeIconButtonBase* CeIconButton::ChangeCurrentButton(int pos) {
  if (pos != m_nCurrent) m_nPressState = -1;
  m_nRepeatCount = 0;
  m_nCurrent = pos;
  return pos >= 1 && pos <= m_items.GetUBound() ? m_items.GetAt(pos) : nullptr;
}

void CeIconButton::SetCurrentButtonPressed(bool pressed) {
  CeIconButtonBase* item = GetButton(static_cast<WORD>(m_nCurrent));
  if (item == nullptr) return;
  item->SetPressed(pressed);
  ::UpdateWindow(m_hWnd);
}

CeIconButtonBase* CeIconButton::ChooseButtonOnMessage(POINT pt) {
  CeRect client;
  ::GetClientRect(m_hWnd, &client);
  LayOut(m_items, m_nPadding, client.Height());
  for (int pos = 1; pos <= m_items.GetUBound(); ++pos) {
    CeIconButtonBase* item = m_items.GetAt(pos);
    if (!item->m_rcButton.PtInRect(pt)) continue;
    if (pos != m_nCurrent) SetCurrentButtonPressed(false);
    ChangeCurrentButton(pos);
    SetCurrentButtonPressed(true);
    return item;
  }
  // Off every item: the press is let go, and no tap follows at pen-up.
  SetCurrentButtonPressed(false);
  ChangeCurrentButton(0);
  return nullptr;
}

void CeIconButton::OnLButtonDown(UINT, POINT pt, bool& handled) {
  handled = true;
  CeIconButtonBase* item = ChooseButtonOnMessage(pt);
  if (item == nullptr || !::IsWindowVisible(m_hWnd)) return;
  if (item->m_bSupportsContext || item->m_szToolTip[0] != 0) {
    SHRGINFO info{sizeof info, m_hWnd, pt, SHRG_RETURNCMD | SHRG_LONGDELAY};
    if (::SHRecognizeGesture(&info) == GN_CONTEXTMENU) {
      if (item->m_szToolTip[0] == 0) {
        NMRGINFO n{{m_hWnd, item->m_nID, static_cast<UINT>(GN_CONTEXTMENU)}, pt, 0};
        ::SendMessageW(::GetParent(m_hWnd), WM_NOTIFY, item->m_nID, reinterpret_cast<LPARAM>(&n));
      }
      return;
    }
  }
  if (item->m_bDisplayArrow && pt.x >= item->m_rcButton.right - CeIconButtonBase::ArrowZoneWidth()) {
    Notify(item->m_nID, kArrow);
    m_nPressState = 1024;
    SetCurrentButtonPressed(false);
    m_bTracking = false;
    return;
  }
  m_bTracking = true;
  if (m_nPressState == -1 && Notify(item->m_nID, kDown) != 0) {
    // The parent took the press: nothing more is told of it.
    SetCurrentButtonPressed(false);
    ChangeCurrentButton(0);
    m_bTracking = false;
    return;
  }
  if (m_nPressState == 0 && item->m_bSupportsDoubleClick) {
    m_nPressState = 512;
    DoubleTapTimer();
    return;
  }
  m_nPressState = 0;
  if (item->m_bRepeat) ::SetTimer(m_hWnd, item->m_nID, static_cast<UINT>(item->m_nRepeatInterval), nullptr);
}

void CeIconButton::OnLButtonUp(UINT, POINT, bool& handled) {
  handled = true;
  m_bTracking = false;
  CeIconButtonBase* item = GetButton(static_cast<WORD>(m_nCurrent));
  SetCurrentButtonPressed(false);
  if (item == nullptr) return;
  if (m_nPressState < 512) {
    m_nPressState = 0;
    if (item->m_bSupportsDoubleClick) {
      ::SetTimer(m_hWnd, kDoubleTapTimer, kDoubleTapDelay, nullptr);
    } else {
      DoubleTapTimer();
    }
  } else if (m_nPressState == 1024) {
    m_nPressState = -1;
  }
}

void CeIconButton::OnMouseMove(UINT, POINT pt, bool& handled) {
  if (!m_bTracking) return;
  handled = true;
  ChooseButtonOnMessage(pt);
}

void CeIconButton::DoubleTapTimer() {
  ::KillTimer(m_hWnd, kDoubleTapTimer);
  CeIconButtonBase* item = GetButton(static_cast<WORD>(m_nCurrent));
  if (m_nPressState == -1 || item == nullptr) return;
  Notify(item->m_nID, static_cast<WORD>(m_nPressState));
  if (m_nPressState == 0) m_nPressState = -1;
}

void CeIconButton::RepeatTimer(UINT id) {
  CeIconButtonBase* item = GetButton(id);
  if (item == nullptr || !item->m_bPressed || !item->m_bRepeat) return;
  Notify(id, kRepeat);
  ++m_nRepeatCount;
  if (m_nRepeatCount == 1) item->m_nRepeatInterval = 200;
  if (m_nRepeatCount == 3) item->m_nRepeatInterval = 50;
  ::SetTimer(m_hWnd, id, static_cast<UINT>(item->m_nRepeatInterval), nullptr);
}

void CeIconButton::OnTimer(UINT id, bool& handled) {
  handled = true;
  ::KillTimer(m_hWnd, id);
  if (id == kDoubleTapTimer) {
    DoubleTapTimer();
  } else {
    RepeatTimer(id);
  }
}

LRESULT CeIconButton::OnMessage(UINT msg, WPARAM, LPARAM, bool&) {
  if (msg == WM_CANCELMODE) SetCurrentButtonPressed(false);
  return 0;
}

void CeIconButton::OnEnable(BOOL, bool&) { SetCurrentButtonPressed(false); }

int CeIconButton::OnEraseBkgnd(HDC, bool& handled) {
  handled = true;
  return 1;
}

void CeIconButton::PaintFace(HDC dc, CeIconButtonBase* item, CeRect rc, COLORREF c1, COLORREF c2) {
  if (item->m_bGradient) {
    DrawSubtleGradient(&rc, dc, c1, c2);
  } else if (!AskParentToPaint(dc, rc, item->m_nID)) {
    PaintRect(dc, rc.left, rc.top, rc.Width(), rc.Height(), c1);
  }
}

void CeIconButton::PaintButton(HDC dc, CeIconButtonBase* item) {
  CeRect rc = item->m_rcButton;
  if (item->m_bDisplayArrow) rc.right -= CeIconButtonBase::ArrowZoneWidth();
  const CeRect iconArea = rc;
  const bool down = item->m_bPressed || item->m_bChecked;
  if (down && item->m_bRounded) {
    PaintRect(dc, rc.left, rc.top, rc.Width(), rc.Height(), item->m_crNormal1);
    HBRUSH brush = ::CreateSolidBrush(item->m_crPressed1);
    const HGDIOBJ oldBrush = ::SelectObject(dc, brush);
    const HGDIOBJ oldPen = item->m_bBorder ? nullptr : ::SelectObject(dc, ::GetStockObject(NULL_PEN));
    ::RoundRect(dc, rc.left, rc.top, rc.right, rc.bottom, HIDPI_ScaleX(4), HIDPI_ScaleY(4));
    if (oldPen != nullptr) ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    ::DeleteObject(brush);
  } else if (down) {
    if ((item->m_bBorder && !item->m_bStyledBorder) || item->m_nEdgeFlags != 0) {
      OutlineScope outline(dc, item->m_crBorder);
      ::Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);
      rc.DeflateRect(1, 1);
      if (item->m_nBorderStyle == 160) {
        Line(dc, rc.left, rc.top, rc.right, rc.top);
        Line(dc, rc.left, rc.bottom - 1, rc.right, rc.bottom - 1);
        rc.DeflateRect(0, 1);
      }
    }
    PaintFace(dc, item, rc, item->m_crPressed1, item->m_crPressed2);
  } else {
    if (item->m_bBorder) {
      OutlineScope outline(dc, item->m_crBorder);
      if (item->m_bStyledBorder && item->m_nBorderStyle == 6) {
        PaintRect(dc, rc.left, rc.top, rc.Width(), rc.Height(), RGB(255, 255, 255));
        ::Rectangle(dc, rc.left, rc.top, rc.right - 1, rc.bottom - 1);
        HPEN white = ::CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
        const HGDIOBJ old = ::SelectObject(dc, white);
        Line(dc, rc.left + 1, rc.top + 1, rc.right - 3, rc.top + 1);
        Line(dc, rc.left + 1, rc.top + 1, rc.left + 1, rc.bottom - 2);
        ::SelectObject(dc, old);
        ::DeleteObject(white);
        rc.DeflateRect(2, 2);
      } else if (item->m_bStyledBorder && item->m_nBorderStyle == 160) {
        Line(dc, rc.left, rc.top, rc.right, rc.top);
        Line(dc, rc.left, rc.bottom - 1, rc.right, rc.bottom - 1);
        rc.DeflateRect(0, 1);
      } else {
        ::Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);
        if (!item->m_bStyledBorder && item->m_nBorderStyle == 5) {
          PaintRect(dc, rc.left + 1, rc.top + 1, 1, rc.Height() - 2, RGB(255, 255, 255));
          ++rc.left;
        }
        rc.DeflateRect(1, 1);
      }
    }
    PaintFace(dc, item, rc, item->m_crNormal1, item->m_crNormal2);
  }
  if (item->m_bDisplayArrow) {
    const int zone = CeIconButtonBase::ArrowZoneWidth();
    const CeRect& b = item->m_rcButton;
    DrawArrow(dc, POINT{b.right - zone / 2, (b.top + b.bottom) / 2}, RGB(0, 0, 0), kDirDown, HIDPI_ScaleY(4));
  }
  const HICON icon = down && item->m_hPressedIcon != nullptr ? item->m_hPressedIcon : item->m_hIcon;
  if (icon == nullptr) return;
  const int cx = (iconArea.left + iconArea.right) / 2, cy = (iconArea.top + iconArea.bottom) / 2;
  ::DrawIconEx(dc, cx - item->m_nIconWidth / 2, cy - item->m_nIconHeight / 2, icon, item->m_nIconWidth,
               item->m_nIconHeight, 0, nullptr, DI_NORMAL);
}

void CeIconButton::OnPaint(bool& handled) {
  handled = true;
  PAINTSTRUCT ps;
  HDC screen = ::BeginPaint(m_hWnd, &ps);
  if (m_items.GetCount() == 0) {
    ::EndPaint(m_hWnd, &ps);
    return;
  }
  CeRect client;
  ::GetClientRect(m_hWnd, &client);
  CeRect area(ps.rcPaint);
  if (area.IsRectEmpty()) area = client;
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.Width(), client.Height());
  const HGDIOBJ old = ::SelectObject(dc, bitmap);
  if (!AskParentToPaint(dc, area, reinterpret_cast<WPARAM>(m_hWnd))) {
    PaintRect(dc, area.left, area.top, area.Width(), area.Height(), m_crBackground);
  }
  if (m_bFramed) ::DrawEdge(dc, &client, BDR_RAISEDOUTER, 0xA00F);
  LayOut(m_items, m_nPadding, client.Height());
  for (int pos = 1; pos <= m_items.GetUBound(); ++pos) {
    CeIconButtonBase* item = m_items.GetAt(pos);
    if (item->m_rcButton.right > area.left && item->m_rcButton.left < area.right) PaintButton(dc, item);
  }
  ::BitBlt(screen, area.left, area.top, area.Width(), area.Height(), dc, area.left, area.top, SRCCOPY);
  ::SelectObject(dc, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  ::EndPaint(m_hWnd, &ps);
}
