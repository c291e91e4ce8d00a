// CeCombo: a combo box bound to its object, with one method per combo-box
// message; CeDlgControlContext: a window class for subclassing a dialog's
// control, adding nothing of its own.
#pragma once

#include "ce_wnd.h"
#include "wince/controls.h"

class CeCombo : public CeWnd {
 public:
  // A "COMBOBOX" window, subclassed; FALSE when no window was made.
  BOOL Create(LPCWSTR text, DWORD style, DWORD exStyle, const RECT& rc, HWND parent, UINT id, HINSTANCE instance);

  int GetCount() const { return static_cast<int>(Send(CB_GETCOUNT)); }
  int GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
  int SetCurSel(int index) { return static_cast<int>(Send(CB_SETCURSEL, static_cast<WPARAM>(index))); }
  DWORD GetEditSel() const { return static_cast<DWORD>(Send(CB_GETEDITSEL)); }
  BOOL LimitText(int limit) { return static_cast<BOOL>(Send(CB_LIMITTEXT, static_cast<WPARAM>(limit))); }
  BOOL SetEditSel(int start, int end) {
    return static_cast<BOOL>(Send(CB_SETEDITSEL, 0, MAKELONG(static_cast<WORD>(start), static_cast<WORD>(end))));
  }
  int SetItemData(int index, DWORD_PTR data) {
    return static_cast<int>(Send(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
  }
  int SetItemDataPtr(int index, void* data) { return SetItemData(index, reinterpret_cast<DWORD_PTR>(data)); }
  DWORD_PTR GetItemData(int index) const { return static_cast<DWORD_PTR>(Send(CB_GETITEMDATA, static_cast<WPARAM>(index))); }
  void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(GetItemData(index)); }
  int GetLBText(int index, LPWSTR buffer) const {
    return static_cast<int>(Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
  }
  int GetLBTextLen(int index) const { return static_cast<int>(Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index))); }
  void ShowDropDown(BOOL show = TRUE) { Send(CB_SHOWDROPDOWN, static_cast<WPARAM>(show)); }
  int AddString(LPCWSTR text) { return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
  int DeleteString(UINT index) { return static_cast<int>(Send(CB_DELETESTRING, index)); }
  int InsertString(int index, LPCWSTR text) {
    return static_cast<int>(Send(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
  }
  void ResetContent() { Send(CB_RESETCONTENT); }
  int FindString(int start, LPCWSTR text) const { return Text(CB_FINDSTRING, start, text); }
  int FindStringExact(int start, LPCWSTR text) const { return Text(CB_FINDSTRINGEXACT, start, text); }
  int SelectString(int start, LPCWSTR text) { return Text(CB_SELECTSTRING, start, text); }
  void Clear() { Send(WM_CLEAR); }
  void Copy() { Send(WM_COPY); }
  void Cut() { Send(WM_CUT); }
  void Paste() { Send(WM_PASTE); }
  int SetItemHeight(int index, UINT height) {
    return static_cast<int>(Send(CB_SETITEMHEIGHT, static_cast<WPARAM>(index), static_cast<WORD>(height)));
  }
  int GetItemHeight(int index) const { return static_cast<int>(Send(CB_GETITEMHEIGHT, static_cast<WPARAM>(index))); }
  int SetExtendedUI(BOOL extended = TRUE) { return static_cast<int>(Send(CB_SETEXTENDEDUI, static_cast<WPARAM>(extended))); }
  BOOL GetExtendedUI() const { return static_cast<BOOL>(Send(CB_GETEXTENDEDUI)); }
  void GetDroppedControlRect(RECT* rect) const { Send(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(rect)); }
  BOOL GetDroppedState() const { return static_cast<BOOL>(Send(CB_GETDROPPEDSTATE)); }
  LCID GetLocale() const { return static_cast<LCID>(Send(CB_GETLOCALE)); }
  LCID SetLocale(LCID locale) { return static_cast<LCID>(Send(CB_SETLOCALE, locale)); }
  int GetTopIndex() const { return static_cast<int>(Send(CB_GETTOPINDEX)); }
  int SetTopIndex(int index) { return static_cast<int>(Send(CB_SETTOPINDEX, static_cast<WPARAM>(index))); }
  int InitStorage(int items, UINT bytes) { return static_cast<int>(Send(CB_INITSTORAGE, static_cast<WPARAM>(items), bytes)); }
  UINT GetHorizontalExtent() const { return static_cast<UINT>(Send(CB_GETHORIZONTALEXTENT)); }
  void SetHorizontalExtent(UINT extent) { Send(CB_SETHORIZONTALEXTENT, extent); }
  int GetDroppedWidth() const { return static_cast<int>(Send(CB_GETDROPPEDWIDTH)); }
  int SetDroppedWidth(UINT width) { return static_cast<int>(Send(CB_SETDROPPEDWIDTH, width)); }

 private:
  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageW(m_hWnd, msg, wParam, lParam);
  }
  int Text(UINT msg, int start, LPCWSTR text) const {
    return static_cast<int>(Send(msg, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text)));
  }
};

class CeDlgControlContext : public CeWnd {
 public:
  void OnLButtonDown(UINT, POINT, bool&) override {}
};
