// CePropertySheet and CePropertyPage: the platform's property sheet (tabbed
// pages or a wizard) with the sheet and each page as library dialogs. The
// sheet builds the header and page array and binds itself to the sheet window
// in the sheet callback; a page binds itself on its WM_INITDIALOG and turns
// the sheet's notifications into virtual calls.
#pragma once

#include "ce_dialog.h"
#include "wince/propsheet.h"

class CePropertyPage;

class CePropertySheet : public CeDialog {
 public:
  CePropertySheet();
  ~CePropertySheet() override;
  CePropertySheet(const CePropertySheet&) = delete;
  CePropertySheet& operator=(const CePropertySheet&) = delete;

  // The header's defaults: no pages, no start page, the module's instance.
  void Init();
  // Frees the page array (the page count stays as it is).
  void NullData();
  int AddPage(CePropertyPage* page);
  void SetStartPage(UINT index) { m_nStartPage = static_cast<int>(index); }
  void SetStartPage(LPCWSTR name);

  // Runs the sheet; afterwards it is empty again (pages must be added anew).
  int DoModal(LPCWSTR caption, HWND parent = nullptr, HINSTANCE instance = nullptr);
  // Modeless: TRUE when the sheet window was made and bound.
  BOOL Create(LPCWSTR caption, HWND parent = nullptr);
  int DoWizard(LPCWSTR caption, HWND parent = nullptr);

  virtual bool OnSheetApply() { return false; }
  int OnCommand(UINT wParam, LPARAM lParam, bool& handled) override;
  void OnSettingChange(WORD flag, LPCWSTR section, bool& handled) override;

  void SetCurSel(int index) { SendMessageW(PSM_SETCURSEL, static_cast<WPARAM>(index)); }
  void SetCurSel(CePropertyPage* page);
  void RemovePage(int index) { SendMessageW(PSM_REMOVEPAGE, static_cast<WPARAM>(index)); }
  void RemovePage(CePropertyPage* page);
  void SetChanged(CePropertyPage* page);
  void SetUnChanged(CePropertyPage* page);
  void RestartWindows() { SendMessageW(PSM_RESTARTWINDOWS); }
  void RebootSystem() { SendMessageW(PSM_REBOOTSYSTEM); }
  void CancelToClose() { PostMessageW(PSM_CANCELTOCLOSE); }
  LRESULT QuerySiblings(UINT wParam, LPARAM lParam) { return SendMessageW(PSM_QUERYSIBLINGS, wParam, lParam); }
  void Apply() { SendMessageW(PSM_APPLY); }
  void SetTitle(UINT style, LPCWSTR text) { SendMessageW(PSM_SETTITLE, style, reinterpret_cast<LPARAM>(text)); }
  void SetWizButtons(DWORD flags) { PostMessageW(PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags)); }
  int PressButton(int button) {
    PostMessageW(PSM_PRESSBUTTON, static_cast<WPARAM>(button));
    return 1;
  }
  void SetCurSelByID(int id) { SendMessageW(PSM_SETCURSELID, 0, id); }
  void SetFinishText(LPCWSTR text) { SendMessageW(PSM_SETFINISHTEXT, 0, reinterpret_cast<LPARAM>(text)); }
  HWND GetTabControl() const { return reinterpret_cast<HWND>(SendMessageW(PSM_GETTABCONTROL)); }
  BOOL IsDialogMessageW(MSG* msg) {
    return static_cast<BOOL>(SendMessageW(PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(msg)));
  }
  HWND GetCurrentPageHwnd() const { return reinterpret_cast<HWND>(SendMessageW(PSM_GETCURRENTPAGEHWND)); }

  static int CALLBACK PropSheetProc(HWND hwnd, UINT msg, LPARAM lParam);

  PROPSHEETHEADERW m_psh{};
  int m_nStartPage = 0;
  int m_nResult = 0;

 private:
  // Runs PropertySheet with this sheet in the thread's current-sheet slot.
  INT_PTR Run(LPCWSTR caption, HWND parent);
};

class CePropertyPage : public CeDialog {
 public:
  CePropertyPage(UINT templateId, UINT iconId, LPCWSTR title, HINSTANCE instance = nullptr);
  CePropertyPage(UINT templateId, LPCWSTR title, HINSTANCE instance = nullptr);
  CePropertyPage(LPCWSTR templateName, LPCWSTR title, HINSTANCE instance = nullptr);
  CePropertyPage(UINT templateId, UINT titleId, HINSTANCE instance = nullptr);
  CePropertyPage(LPCWSTR templateName, UINT titleId, HINSTANCE instance = nullptr);

  void OnOK() override;
  void OnCancel() override;
  virtual int OnApply();
  virtual BOOL OnKillActive() { return 0; }
  // 0, or the template of the page to go to instead (pointer-sized: a name is a pointer).
  virtual LRESULT OnSetActive();
  virtual LRESULT OnQuerySiblings(WPARAM, LPARAM) { return 0; }
  virtual BOOL OnQueryCancel() { return 0; }
  virtual void OnHelp() {}
  virtual void OnReset() {}
  virtual void OnBack() {}
  virtual void OnNext() {}
  virtual void OnFinish();

  int OnCommand(UINT wParam, LPARAM lParam, bool& handled) override;
  LRESULT OnNotify(int id, NMHDR* header, bool& handled) override;
  void OnSettingChange(WORD flag, LPCWSTR section, bool& handled) override;
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

  // Refuses the page change or apply under way.
  void CancelApply() { ::SetWindowLongW(m_hWnd, DWL_MSGRESULT, PSNRET_INVALID_NOCHANGEPAGE); }
  int GetCurrentPage() const { return m_nPageIndex; }
  void SetSheet(CePropertySheet* sheet) { m_pSheet = sheet; }

  static INT_PTR CALLBACK DlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static UINT CALLBACK PropSheetPageProc(HWND hwnd, UINT msg, PROPSHEETPAGEW* page);

  PROPSHEETPAGEW m_psp{};
  int m_nPageIndex = 0;
  CePropertySheet* m_pSheet = nullptr;

 private:
  void CommonConstruct(LPCWSTR templateName, LPCWSTR title, HINSTANCE instance, LPCWSTR icon);
};
