// CeBaseDialog runs a dialog box from a template, modal or modeless, through
// the same message cracker as windows, with the shell's dialog duties and a
// child-layout manager; CeDialog adds sizing to the visible desktop and
// vertical scrolling when the window is shorter than its content.
#pragma once

#include "ce_child_mgr.h"
#include "ce_set.h"
#include "ce_wnd.h"
#include "wince/shell.h"

class CeBaseDialog : public CeWnd {
 public:
  explicit CeBaseDialog(LPCWSTR templateName = nullptr);
  explicit CeBaseDialog(UINT templateId);
  CeBaseDialog(const CeBaseDialog& other) = default;
  CeBaseDialog& operator=(const CeBaseDialog& other) = default;
  // Unbinds the window (and leaves the modeless set) before it goes, so no
  // message of its destruction reaches a half-destroyed object.
  ~CeBaseDialog() override;

  virtual void OnCancel();
  virtual void OnOK();
  virtual BOOL OnInitDialog();
  virtual HBRUSH OnCtlColorStatic(HDC dc, HWND control, bool& handled);

  // The EndDialog result; -1 when the template is missing.
  int DoModal(LPCWSTR templateName = nullptr, HWND parent = nullptr, HINSTANCE instance = nullptr);
  int DoModal(UINT templateId, HWND parent = nullptr, HINSTANCE instance = nullptr);
  // 1 when the modeless dialog was made and bound to this object.
  int Create(LPCWSTR templateName = nullptr, HWND parent = nullptr, HINSTANCE instance = nullptr);
  int Create(UINT templateId, HWND parent = nullptr, HINSTANCE instance = nullptr);
  int EndDialog(int result);
  // For the message loop: true when a modeless dialog took the message.
  static bool IsDialogMsg(MSG* msg);
  void SetSHInitFlags(DWORD flags) { m_dwSHInitFlags = flags; }

  LRESULT Default() override;
  LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
  void OnSize(UINT type, int cx, int cy, bool& handled) override;
  void OnSettingChange(WORD flag, LPCWSTR section, bool& handled) override;

  DWORD m_dwSHInitFlags = 0;
  bool m_bInInitDialog = false;
  CeChildMgr m_childMgr;
  SHACTIVATEINFO m_sai{};
  int m_bModal = 0;
  LPCWSTR m_lpszTemplate = nullptr;
  // The windows of every modeless dialog, for IsDialogMsg.
  static CeSet<HWND, HWND> m_setModeless;

 protected:
  static INT_PTR CALLBACK DlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  void Unbind(HWND hwnd);
  static HWND ModalOwner(HWND parent);
};

class CeDialog : public CeBaseDialog {
 public:
  explicit CeDialog(LPCWSTR templateName);
  explicit CeDialog(UINT templateId = 0);

  // SIF_RANGE | SIF_PAGE with redraw.
  int SetScrollInfo(int bar, int minPos, int maxPos, UINT page);
  void SetDefaultWidthHeight();

  BOOL OnInitDialog() override;
  void OnSize(UINT type, int cx, int cy, bool& handled) override;
  void OnOrientationChange(int cx, int cy, bool& handled) override;
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
  void OnHScroll(int code, int pos, HWND bar);
  void OnVScroll(int code, int pos, HWND bar);

  int m_nDefWidth = 0;
  int m_nDefHeight = 0;
  int m_bInitialized = 0;
  int m_nClientWidth = 0;
  int m_nClientHeight = 0;
  int m_bVScroll = 0;
  int m_bHScroll = 0;

 protected:
  void SetupVars();

 private:
  // One bar's scroll step: `code` moves from the bar's position within
  // [0, maximum - client height + 1]; the content follows.
  void Scroll(int bar, int code, int pos);
};
