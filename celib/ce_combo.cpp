#include "ce_combo.h"

BOOL CeCombo::Create(LPCWSTR text, DWORD style, DWORD exStyle, const RECT& rc, HWND parent, UINT id,
                     HINSTANCE instance) {
  const HWND hwnd = ::CreateWindowExW(exStyle, u"COMBOBOX", text, style, rc.left, rc.top, rc.right - rc.left,
                                      rc.bottom - rc.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                      instance, nullptr);
  return hwnd != nullptr ? Subclass(hwnd) : FALSE;
}
