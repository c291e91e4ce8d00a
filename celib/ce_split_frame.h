// CeSplitFrame shows two panes one above the other with a bar between them
// that the pen drags. Either pane can be docked away so that the other fills
// the frame; the bar keeps its place in proportion when the frame is resized;
// changes can be batched between BeginUpdate and EndUpdate.
#pragma once

#include "ce_geometry.h"
#include "ce_wnd.h"

class CeSplitFrame : public CeWnd {
 public:
  // The key value that applies a pen position at once (SetSplitter, pen up).
  static constexpr UINT kApplyNow = 50;

  CeSplitFrame();

  void SetPanes(HWND first, HWND second);
  // A pen position for the bar: shows a docked-away pane again and undocks.
  void SetSplitter(int y);
  int GetSplitter() const { return static_cast<int>(m_dSplit); }
  void ResetSplitter() { SetDocked(0); }
  // -1 docks the first pane away, 1 the second, 0 shows both.
  void SetDocked(int state);
  int GetDocked() const { return m_nDocked; }
  void SetOffsets(int top, int bottom);
  void SetBarMins(int minSplit, int maxSplit);
  void BeginUpdate() { ++m_nUpdate; }
  void EndUpdate();

  virtual void GetWindowPlacements(CeRect& first, CeRect& second);

  void OnLButtonDown(UINT keys, POINT pt, bool& handled) override;
  void OnLButtonUp(UINT keys, POINT pt, bool& handled) override;
  void OnMouseMove(UINT keys, POINT pt, bool& handled) override;
  void OnPaint(bool& handled) override;
  void OnSize(UINT type, int cx, int cy, bool& handled) override;
  void OnTimer(UINT id, bool& handled) override;
  void OnOrientationChange(int cx, int cy, bool& handled) override;

  bool m_bDragging = false;
  bool m_bVertical = true;
  int m_nDocked = 0;
  bool m_bInitialized = false;
  HWND m_hWndPane1 = nullptr;
  HWND m_hWndPane2 = nullptr;
  double m_dSplit = 0;
  double m_dSplitBase = 0;
  CePoint m_ptLast{0, 0};
  int m_nBar = 3;
  int m_nOffsetTop = 0;
  int m_nOffsetBottom = 0;
  int m_nMinSplit = 0;
  int m_nMaxSplit = 0;
  int m_nUpdate = 0;
  bool m_bPending = false;
  CeRect m_rcClient{0, 0, 0, 0};
  CeRect m_rcPrevClient{0, 0, 0, 0};

 private:
  void Layout();
  void Apply(int y);
  void Refresh();
  HWND DockedPane(int state) const { return state < 0 ? m_hWndPane1 : state > 0 ? m_hWndPane2 : nullptr; }
};
