// CeChildMgr: keeps a dialog's controls in place when the dialog changes
// size. Each control is registered once with flags saying how it follows
// the parent's client area; a layout pass computes every new rectangle from
// the registered ones and then moves all controls in one deferred batch.
#pragma once

#include "ce_geometry.h"
#include "ce_ptr_list.h"
#include "wince/types.h"

// Layout flags (left and top are the default anchors).
enum : UINT {
  kCeAnchorRight = 0x0002,
  kCeAnchorBottom = 0x0008,
  kCeStretchWidth = 0x0010,
  kCeStretchHeight = 0x0020,
  kCeScaleWidth = 0x0040,
  kCeScaleHeight = 0x0080,
  kCeScaleLeft = 0x0100,
  kCeScaleTop = 0x0200,
  kCeMovePrevious = 0x1000,
  kCeMovePreviousToo = 0x2000,
  kCeMoveNext = 0x4000,
};

class CeChildMgr {
 public:
  struct CeChildInfo {
    HWND m_hWnd = nullptr;
    UINT m_nFlags = 0;
    CeRect m_rcOriginal{0, 0, 0, 0};
    int m_nFrameWidth = 0;
    int m_nFrameHeight = 0;
    CeRect m_rcNew{0, 0, 0, 0};
    CePoint m_ptPrevOffset{0, 0};
    HWND m_hWndPrev = nullptr;
    CeRect m_rcPrev{0, 0, 0, 0};
    CePoint m_ptNextOffset{0, 0};
    HWND m_hWndNext = nullptr;
    CeRect m_rcNext{0, 0, 0, 0};
    CeRect m_rcParentOriginal{0, 0, 0, 0};
  };

  CeChildMgr();
  // A copy has entries of its own, equal to the original's.
  CeChildMgr(const CeChildMgr& other);
  CeChildMgr& operator=(const CeChildMgr& other);
  virtual ~CeChildMgr() = default;

  // The new entry's index (count - 1); 0 also when the window is null or
  // has no parent (nothing registered then).
  int Manage(HWND hwnd, UINT flags);
  void UnManage(HWND hwnd);
  BOOL UpdateChild(HWND hwnd, UINT flags);
  void RemoveAll();
  void OnSize(UINT type, int cx, int cy);

  int GetCount() const { return m_list.GetCount(); }
  HWND GetParentWnd() const { return m_hWndParent; }

  static CePoint SizeDialogToScreen(int x, int y);
  static void OffsetChildren(HWND parent, CeSize offset);
  // Clips the DC to its clip box less every visible child that is not a
  // group box, so a background paint leaves the controls alone.
  static void ValidateChildBkgnd(HDC dc, HWND parent);
  static void BeginUpdate() { ++m_UpdateCount; }
  static void EndUpdate() {
    if (m_UpdateCount > 0) --m_UpdateCount;
  }

  static int m_UpdateCount;

 protected:
  CeSize CalcSize(const CeChildInfo& info, const CeRect& parent) const;
  BOOL DetectCollision() const { return FALSE; }

 private:
  CeChildInfo* Find(HWND hwnd);
  // The new rectangles of one entry; false when the control would shrink
  // below its frame both ways (the pass is then abandoned).
  bool Layout(CeChildInfo* info, const CeRect& parent) const;
  void CopyFrom(const CeChildMgr& other);

  CePtrList<CeChildInfo> m_list{0, kCeDisposeDelete};
  HWND m_hWndParent = nullptr;
  CeRect m_rcParent{0, 0, 0, 0};
};

// A window's rectangle in its parent's client coordinates.
CeRect CeRectInParent(HWND hwnd);
