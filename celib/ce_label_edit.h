// CeLabelEdit takes over a dialog's edit or combo box and shows it as plain
// text (its border clipped away by a window region) while it lacks the
// focus, with its normal frame while it has it; it tells a chosen window of
// focus, loss of focus, taps and taps on a combo box's arrow. CeComboEdit
// subclasses a combo box's inner edit so that dialog-code queries reach that
// window.
#pragma once

#include <memory>

#include "ce_wnd.h"
#include "wince/controls.h"

class CeComboEdit : public CeWnd {
 public:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

  HWND m_hWndParent = nullptr;
};

class CeLabelEdit : public CeWnd {
 public:
  // The kinds of control: 3, 9 and 11 are combo boxes (frame on the inner
  // edit, arrow strip tested); 4, 5, 6 and 10 are clipped by the region only
  // (4 also tests the arrow strip); 1, 2, 7 and 8 get a border and margins.
  enum tagTYPE {
    kEdit = 1,
    kEditAlt = 2,
    kCombo = 3,
    kArrowRegion = 4,
    kRegion = 5,
    kRegionAlt = 6,
    kEditNumber = 7,
    kEditPassword = 8,
    kComboEdit = 9,
    kRegionPlain = 10,
    kComboList = 11,
  };
  // WM_COMMAND codes sent to the message window.
  static constexpr WORD kNotifyFocus = 0x22B;
  static constexpr WORD kNotifyClicked = 0x22C;
  static constexpr WORD kNotifyArrowClicked = 0x22D;
  static constexpr WORD kNotifyLostFocus = 0x22E;

  explicit CeLabelEdit(tagTYPE type);
  CeLabelEdit(const CeLabelEdit& other) = default;
  CeLabelEdit& operator=(const CeLabelEdit& other) = default;
  ~CeLabelEdit() override;

  // 0 for a null window; else the subclassing's result.
  int Subsume(HWND control, HINSTANCE instance, bool keepFrame = false, bool clipBottom = false);
  bool SetReadOnly(bool readOnly);
  bool IsReadOnly() const { return m_bReadOnly; }
  void SetType(tagTYPE type) { m_type = type; }
  tagTYPE GetType() const { return m_type; }
  void SetHandleDlgCode(bool handle) { m_bHandleDlgCode = handle; }
  bool GetHandleDlgCode() const { return m_bHandleDlgCode; }
  int GetText(WCHAR* buffer, int size) const { return ::GetWindowTextW(m_hWndCtrl, buffer, size); }
  void SelectAll() { ::SendMessageW(m_hWndCtrl, EM_SETSEL, 0, 32000); }
  void SetParentForMessages(HWND parent);

  virtual int OnControlFocus() { return Notify(kNotifyFocus); }
  virtual int OnControlLostFocus() { return Notify(kNotifyLostFocus); }
  virtual int OnControlClicked() { return Notify(kNotifyClicked); }
  virtual int OnControlArrowClicked() { return Notify(kNotifyArrowClicked); }
  virtual void OnControlCreate(HWND) {}
  virtual void OnControlDestroy(HWND) {}

  int OnCommand(UINT wParam, LPARAM lParam, bool& handled) override;
  void OnLButtonDown(UINT keys, POINT pt, bool& handled) override;
  void OnSize(UINT type, int cx, int cy, bool& handled) override;
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

  tagTYPE m_type;
  HWND m_hWndCtrl = nullptr;
  bool m_bReadOnly = false;
  bool m_bArrowHit = false;
  bool m_bHasFocus = false;
  bool m_bClipBottom = false;
  bool m_bKeepFrame = false;
  HRGN m_hRgn = nullptr;
  // Shared by copies, so the last of them lets it go.
  std::shared_ptr<CeComboEdit> m_pComboEdit;
  bool m_bHandleDlgCode = true;
  HWND m_hWndParent = nullptr;

 protected:
  void OnCleanStyle(bool clean);

 private:
  bool IsComboType() const { return m_type == kCombo || m_type == kComboEdit || m_type == kComboList; }
  bool TestsArrow() const { return IsComboType() || m_type == kArrowRegion; }
  int Notify(WORD code) const;
  void ApplyRegion(int left, int top, int right, int bottom);
  void ShowFrame(HWND marginWindow, bool clean, int w, int h);
};
