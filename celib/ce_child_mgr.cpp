#include "ce_child_mgr.h"

#include "wince/gdi.h"
#include "wince/system.h"
#include "wince/text.h"
#include "wince/window.h"

int CeChildMgr::m_UpdateCount = 0;

CeRect CeRectInParent(HWND hwnd) {
  CeRect r;
  ::GetWindowRect(hwnd, &r);
  ::MapWindowPoints(nullptr, ::GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

namespace {

CeRect ClientRectOf(HWND hwnd) {
  CeRect r;
  ::GetClientRect(hwnd, &r);
  return r;
}

bool IsGroupBox(HWND hwnd) {
  WCHAR cls[16] = {};
  ::GetClassNameW(hwnd, cls, 16);
  return _wcsicmp(cls, u"BUTTON") == 0 && (::GetWindowLongW(hwnd, GWL_STYLE) & 0xF) == 7;
}

}  // namespace

CeChildMgr::CeChildMgr() = default;

CeChildMgr::CeChildMgr(const CeChildMgr& other) { CopyFrom(other); }

CeChildMgr& CeChildMgr::operator=(const CeChildMgr& other) {
  if (this != &other) CopyFrom(other);
  return *this;
}

void CeChildMgr::CopyFrom(const CeChildMgr& other) {
  m_list.RemoveAll();
  auto& source = const_cast<CePtrList<CeChildInfo>&>(other.m_list);
  for (int i = 0; i < source.GetCount(); ++i) m_list.AddTail(new CeChildInfo(*source.GetAt(i)));
  m_hWndParent = other.m_hWndParent;
  m_rcParent = other.m_rcParent;
}

int CeChildMgr::Manage(HWND hwnd, UINT flags) {
  const HWND parent = hwnd != nullptr ? ::GetParent(hwnd) : nullptr;
  if (parent == nullptr) return 0;
  auto* info = new CeChildInfo;
  if (m_hWndParent == nullptr) {
    m_hWndParent = parent;
    m_rcParent = ClientRectOf(parent);
  }
  info->m_hWnd = hwnd;
  info->m_rcParentOriginal = m_rcParent;
  info->m_nFlags = flags;
  info->m_rcOriginal = CeRectInParent(hwnd);
  const CeRect client = ClientRectOf(hwnd);
  info->m_nFrameWidth = info->m_rcOriginal.Width() - client.Width();
  info->m_nFrameHeight = info->m_rcOriginal.Height() - client.Height();
  if (flags & (kCeMovePrevious | kCeMovePreviousToo)) {
    info->m_hWndPrev = ::GetWindow(hwnd, GW_HWNDPREV);
    if (info->m_hWndPrev != nullptr) {
      info->m_rcPrev = CeRectInParent(info->m_hWndPrev);
      info->m_ptPrevOffset = CePoint(info->m_rcOriginal.left - info->m_rcPrev.right,
                                     info->m_rcPrev.top - info->m_rcOriginal.top);
    }
  }
  if (flags & kCeMoveNext) {
    info->m_hWndNext = ::GetWindow(hwnd, GW_HWNDNEXT);
    if (info->m_hWndNext != nullptr) {
      info->m_rcNext = CeRectInParent(info->m_hWndNext);
      info->m_ptNextOffset = CePoint(info->m_rcNext.left - info->m_rcOriginal.right,
                                     info->m_rcNext.top - info->m_rcOriginal.top);
    }
  }
  m_list.AddTail(info);
  return m_list.GetCount() - 1;
}

CeChildMgr::CeChildInfo* CeChildMgr::Find(HWND hwnd) {
  for (int i = 0; i < m_list.GetCount(); ++i) {
    if (m_list.GetAt(i)->m_hWnd == hwnd) return m_list.GetAt(i);
  }
  return nullptr;
}

void CeChildMgr::UnManage(HWND hwnd) {
  for (int i = 0; i < m_list.GetCount(); ++i) {
    if (m_list.GetAt(i)->m_hWnd != hwnd) continue;
    m_list.RemoveAt(i);
    if (m_list.GetCount() == 0) {
      m_hWndParent = nullptr;
      m_rcParent.SetRectEmpty();
    }
    return;
  }
}

BOOL CeChildMgr::UpdateChild(HWND hwnd, UINT flags) {
  CeChildInfo* info = Find(hwnd);
  if (info == nullptr) return FALSE;
  const CeRect now = CeRectInParent(hwnd);
  if (flags & kCeStretchWidth) {
    info->m_rcOriginal.left = now.left;
    info->m_rcOriginal.right = now.right;
  }
  if (flags & kCeStretchHeight) {
    info->m_rcOriginal.top = now.top;
    info->m_rcOriginal.bottom = now.bottom;
  }
  if (flags & (kCeStretchWidth | kCeStretchHeight)) info->m_rcParentOriginal = ClientRectOf(::GetParent(hwnd));
  return TRUE;
}

void CeChildMgr::RemoveAll() {
  m_list.RemoveAll();
  m_hWndParent = nullptr;
  m_rcParent.SetRectEmpty();
}

// A zero original parent extent (registered while empty) scales nothing.
CeSize CeChildMgr::CalcSize(const CeChildInfo& info, const CeRect& p) const {
  const CeRect& o = info.m_rcOriginal;
  const CeRect& p0 = info.m_rcParentOriginal;
  int w = 0;
  int h = 0;
  if (info.m_nFlags & kCeStretchWidth) {
    w = o.Width() + p.Width() - p0.Width();
  } else if ((info.m_nFlags & kCeScaleWidth) && p0.Width() != 0) {
    w = o.Width() * p.Width() / p0.Width();
  }
  if (info.m_nFlags & kCeStretchHeight) {
    h = o.Height() + p.Height() - p0.Height();
  } else if ((info.m_nFlags & kCeScaleHeight) && p0.Height() != 0) {
    h = o.Height() * p.Height() / p0.Height();
  }
  return CeSize(w, h);
}

bool CeChildMgr::Layout(CeChildInfo* info, const CeRect& p) const {
  const CeRect& o = info->m_rcOriginal;
  const CeRect& p0 = info->m_rcParentOriginal;
  const UINT f = info->m_nFlags;
  CeRect r = CeRectInParent(info->m_hWnd);
  CeSize size = CalcSize(*info, p);
  const int w = size.cx != 0 ? size.cx : r.Width();
  const int h = size.cy != 0 ? size.cy : r.Height();
  if (f & kCeAnchorRight) {
    r.right = p.right - (p0.right - o.right);
  } else if ((f & kCeScaleLeft) && p0.Width() != 0) {
    r.right = o.left * p.Width() / p0.Width() + w;
  } else {
    r.right = r.left + w;
  }
  if (f & (kCeAnchorRight | kCeScaleLeft)) r.left = r.right - w;
  const bool movesDown = (f & kCeAnchorBottom) || ((f & kCeScaleTop) && p0.Height() != 0);
  if (f & kCeAnchorBottom) {
    r.bottom = p.bottom - (p0.bottom - o.bottom);
  } else if (movesDown) {
    r.bottom = o.top * p.Height() / p0.Height() + h;
  }
  if (movesDown) {
    r.top = r.bottom - h;
    if (r.top > r.bottom) r.top = r.bottom;
  } else {
    r.bottom = r.top + h;
    if (r.bottom < r.top) r.bottom = r.top;
  }
  if ((f & (kCeMovePrevious | kCeMovePreviousToo)) && info->m_hWndPrev != nullptr) {
    const CeRect prev = CeRectInParent(info->m_hWndPrev);
    info->m_rcPrev.right = r.left - info->m_ptPrevOffset.x;
    info->m_rcPrev.left = info->m_rcPrev.right - prev.Width();
    info->m_rcPrev.top = r.top + info->m_ptPrevOffset.y;
    info->m_rcPrev.bottom = info->m_rcPrev.top + prev.Height();
  }
  if ((f & kCeMoveNext) && info->m_hWndNext != nullptr) {
    const CeRect next = CeRectInParent(info->m_hWndNext);
    info->m_rcNext.left = r.right + info->m_ptNextOffset.x;
    info->m_rcNext.right = info->m_rcNext.left + next.Width();
    info->m_rcNext.top = r.top + info->m_ptNextOffset.y;
    info->m_rcNext.bottom = info->m_rcNext.top + next.Height();
  }
  if (r.Height() < info->m_nFrameHeight && r.Width() < info->m_nFrameWidth) return false;
  info->m_rcNew = r;
  return true;
}

void CeChildMgr::OnSize(UINT type, int, int) {
  if (type == SIZE_MINIMIZED || m_list.GetCount() == 0) return;
  const CeRect p = ClientRectOf(m_hWndParent);
  for (int i = 0; i < m_list.GetCount(); ++i) {
    CeChildInfo* info = m_list.GetAt(i);
    if (::IsWindow(info->m_hWnd) && !Layout(info, p)) return;
  }
  if (DetectCollision()) return;
  HDWP dwp = ::BeginDeferWindowPos(m_list.GetCount());
  const auto defer = [&dwp](HWND hwnd, const CeRect& r) {
    if (hwnd != nullptr) dwp = ::DeferWindowPos(dwp, hwnd, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER);
  };
  for (int i = 0; i < m_list.GetCount(); ++i) {
    const CeChildInfo* info = m_list.GetAt(i);
    defer(info->m_hWnd, info->m_rcNew);
    if (info->m_nFlags & (kCeMovePrevious | kCeMovePreviousToo)) defer(info->m_hWndPrev, info->m_rcPrev);
    if (info->m_nFlags & kCeMoveNext) defer(info->m_hWndNext, info->m_rcNext);
  }
  ::EndDeferWindowPos(dwp);
}

CePoint CeChildMgr::SizeDialogToScreen(int x, int y) {
  const LONG units = ::GetDialogBaseUnits();
  return CePoint(x * LOWORD(units) / 4, y * HIWORD(units) / 8);
}

void CeChildMgr::OffsetChildren(HWND parent, CeSize offset) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    CeRect r = CeRectInParent(child);
    r.OffsetRect(offset.cx, offset.cy);
    ::MoveWindow(child, r.left, r.top, r.Width(), r.Height(), TRUE);
  }
}

void CeChildMgr::ValidateChildBkgnd(HDC dc, HWND parent) {
  CeRect box;
  ::GetClipBox(dc, &box);
  HRGN clip = ::CreateRectRgnIndirect(&box);
  ::SelectClipRgn(dc, clip);
  ::DeleteObject(clip);
  for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(child) || IsGroupBox(child)) continue;
    const CeRect r = CeRectInParent(child);
    ::ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
}
