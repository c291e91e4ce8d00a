#include "ce_split_frame.h"

#include <algorithm>

CeSplitFrame::CeSplitFrame() { m_nBar = ::GetSystemMetrics(SM_CXBORDER) == 1 ? 3 : 4; }

void CeSplitFrame::SetPanes(HWND first, HWND second) {
  m_hWndPane1 = first;
  m_hWndPane2 = second;
  ::SetParent(first, m_hWnd);
  ::SetParent(second, m_hWnd);
  SetDocked(0);
}

void CeSplitFrame::Refresh() { ::InvalidateRect(m_hWnd, nullptr, TRUE); }

// A pen position applied at once, as a drag's last point is.
void CeSplitFrame::Apply(int y) {
  bool handled = false;
  OnMouseMove(kApplyNow, POINT{m_ptLast.x, y}, handled);
  Refresh();
}

void CeSplitFrame::SetSplitter(int y) {
  if (HWND hidden = DockedPane(m_nDocked)) ::ShowWindow(hidden, SW_SHOW);
  m_nDocked = 0;
  if (m_nUpdate > 0) {
    m_ptLast.y = y;
    m_bPending = true;
    return;
  }
  Apply(y);
}

void CeSplitFrame::SetDocked(int state) {
  if (state < 0 && m_nMinSplit == 0) ::ShowWindow(m_hWndPane1, SW_HIDE);
  if (state > 0 && m_nMaxSplit == 0) ::ShowWindow(m_hWndPane2, SW_HIDE);
  if (state == 0) {
    if (HWND hidden = DockedPane(m_nDocked)) ::ShowWindow(hidden, SW_SHOW);
  }
  m_nDocked = state;
  if (m_nUpdate > 0) return;
  Layout();
  Refresh();
}

void CeSplitFrame::SetOffsets(int top, int bottom) {
  m_nOffsetTop = top;
  m_nOffsetBottom = bottom;
  SetDocked(m_nDocked);
}

void CeSplitFrame::SetBarMins(int minSplit, int maxSplit) {
  m_nMinSplit = minSplit;
  m_nMaxSplit = maxSplit;
}

void CeSplitFrame::EndUpdate() {
  m_nUpdate = std::max(0, m_nUpdate - 1);
  if (m_nUpdate > 0) return;
  if (m_bPending) {
    Apply(m_ptLast.y);
  } else {
    Layout();
    Refresh();
  }
  m_bPending = false;
}

void CeSplitFrame::GetWindowPlacements(CeRect& first, CeRect& second) {
  const CeRect& c = m_rcClient;
  const int split = static_cast<int>(m_dSplit);
  if (m_bVertical) {
    first = CeRect(c.left, c.top + m_nOffsetTop, c.right, split - m_nBar);
    second = CeRect(c.left, split + m_nBar, c.right, c.bottom - m_nOffsetBottom);
  } else {
    first = CeRect(c.left + m_nOffsetTop, c.top, split - m_nBar, c.bottom);
    second = CeRect(split + m_nBar, c.top, c.right - m_nOffsetBottom, c.bottom);
  }
}

// Both panes moved in one batch: a docked-away pane leaves the whole frame
// (less the offsets, within the bar's limits) to the other.
void CeSplitFrame::Layout() {
  if (m_hWnd == nullptr || m_hWndPane1 == nullptr || m_hWndPane2 == nullptr) return;
  CeRect first, second;
  GetWindowPlacements(first, second);
  if (m_nDocked != 0) {
    CeRect whole(m_rcClient.left, m_rcClient.top + m_nOffsetTop, m_rcClient.right, m_rcClient.bottom - m_nOffsetBottom);
    if (m_nMinSplit != 0) whole.top = std::min<LONG>(whole.top, m_nMinSplit);
    if (m_nMaxSplit != 0) whole.bottom = std::max<LONG>(whole.bottom, m_nMaxSplit);
    (m_nDocked < 0 ? second : first) = whole;
  }
  HDWP dwp = ::BeginDeferWindowPos(2);
  dwp = ::DeferWindowPos(dwp, m_hWndPane1, nullptr, first.left, first.top, first.Width(), first.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
  dwp = ::DeferWindowPos(dwp, m_hWndPane2, nullptr, second.left, second.top, second.Width(), second.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
  ::EndDeferWindowPos(dwp);
}

// The bar keeps its fraction of the height (width side by side) across a
// resize.
void CeSplitFrame::OnSize(UINT type, int cx, int cy, bool& handled) {
  CeWnd::OnSize(type, cx, cy, handled);
  CeRect client;
  ::GetClientRect(m_hWnd, &client);
  if (!m_bInitialized) {
    if (client.IsRectEmpty()) return;
    m_bInitialized = true;
    m_dSplit = m_dSplitBase = (client.Height() + m_nOffsetTop) / 2.0;
  } else {
    const int before = m_bVertical ? m_rcClient.Height() : m_rcClient.Width();
    const int now = m_bVertical ? client.Height() : client.Width();
    if (before > 0 && now != before) {
      m_dSplitBase = m_dSplit;
      m_dSplit = m_dSplitBase * now / before;
    }
  }
  m_rcPrevClient = m_rcClient;
  m_rcClient = client;
  Layout();
}

void CeSplitFrame::OnOrientationChange(int, int, bool&) { m_bVertical = true; }

void CeSplitFrame::OnLButtonDown(UINT, POINT, bool& handled) {
  handled = true;
  ::SetCapture(m_hWnd);
  Refresh();
  m_bDragging = true;
}

void CeSplitFrame::OnMouseMove(UINT keys, POINT pt, bool& handled) {
  handled = true;
  if (m_nDocked != 0) return;
  if ((m_nMinSplit != 0 && pt.y < m_nMinSplit) || (m_nMaxSplit != 0 && pt.y > m_nMaxSplit)) return;
  m_ptLast = CePoint(pt.x, pt.y);
  if (m_bDragging || keys == kApplyNow) {
    bool timerHandled = false;
    OnTimer(0, timerHandled);
  }
}

void CeSplitFrame::OnTimer(UINT id, bool& handled) {
  if (id != 0) return;
  handled = true;
  const int pos = m_ptLast.y - m_nBar - m_rcClient.top - m_nOffsetTop - 1;
  if (pos < 0 || pos == static_cast<int>(m_dSplit)) return;
  m_dSplitBase = m_dSplit;
  m_dSplit = pos;
  Layout();
}

void CeSplitFrame::OnLButtonUp(UINT, POINT, bool& handled) {
  handled = true;
  m_bDragging = false;
  bool moveHandled = false;
  OnMouseMove(kApplyNow, m_ptLast, moveHandled);
  ::ReleaseCapture();
  Refresh();
}

void CeSplitFrame::OnPaint(bool& handled) {
  if (m_nDocked != 0) return;
  handled = true;
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  CeRect pane;
  ::GetWindowRect(m_hWndPane1, &pane);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&pane), 2);
  const int widen = (2 * ::GetDeviceCaps(dc, LOGPIXELSX) + 48) / 96;
  CeRect bar(pane.left - widen, pane.bottom, pane.right + widen, pane.bottom + 2 * m_nBar);
  if (m_bDragging) {
    const COLORREF old = ::SetBkColor(dc, 0);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &bar, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
  } else {
    bar &= m_rcClient;
    ::DrawEdge(dc, &bar, BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
  }
  ::EndPaint(m_hWnd, &ps);
}
