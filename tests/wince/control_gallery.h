// A dialog holding one control of every kind, filled with items: what the
// control tests drive and the golden screenshots show.
#pragma once

#include <string>
#include <vector>

#include "dialog_template_builder.h"
#include "wince/wince.h"

namespace gallery {

enum : WORD {
  kName = 101,
  kSound = 102,
  kDrawGroup = 103,
  kOneCard = 104,
  kThreeCards = 105,
  kGame = 106,
  kScores = 107,
  kTabs = 108,
  kDecks = 109,
  kSwatch = 110,
  kTitle = 111,
};

inline TemplateBuilder dialogTemplate() {
  TemplateBuilder t;
  t.header(WS_POPUP | WS_VISIBLE, 14, 0, 0, 160, 164, u"Options")
      .item(SS_LEFT, 4, 5, 34, 10, kTitle, 0x82, u"Name:")
      .item(WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 40, 3, 116, 12, kName, 0x81, u"")
      .item(BS_AUTOCHECKBOX | WS_TABSTOP, 4, 18, 100, 12, kSound, 0x80, u"Sound effects")
      .item(BS_GROUPBOX, 4, 31, 152, 26, kDrawGroup, 0x80, u"Draw")
      .item(BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 10, 41, 60, 12, kOneCard, 0x80, u"One card")
      .item(BS_AUTORADIOBUTTON, 80, 41, 70, 12, kThreeCards, 0x80, u"Three cards")
      .item(CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 4, 61, 100, 60, kGame, 0x85, u"")
      .item(BS_OWNERDRAW | WS_TABSTOP, 110, 61, 46, 12, kSwatch, 0x80, u"Colour")
      .item(LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP, 4, 77, 100, 46, kScores,
            u"SysListView32", u"")
      .item(WS_BORDER | WS_VSCROLL | LBS_NOTIFY | WS_TABSTOP, 108, 77, 48, 46, kDecks, 0x83, u"")
      .item(TCS_BOTTOM | WS_TABSTOP, 4, 127, 152, 14, kTabs, u"SysTabControl32", u"")
      .item(BS_DEFPUSHBUTTON | WS_TABSTOP, 40, 146, 50, 14, IDOK, 0x80, u"OK")
      .item(BS_PUSHBUTTON | WS_TABSTOP, 96, 146, 50, 14, IDCANCEL, 0x80, u"Cancel")
      .item(SS_RIGHT, 4, 146, 30, 10, 0xFFFF, 0x82, u"v1.0");
  return t;
}

inline void fill(HWND dlg) {
  SetDlgItemText(dlg, kName, u"Player");
  for (const char16_t* game : {u"Klondike", u"Spider", u"FreeCell", u"Golf"}) {
    SendDlgItemMessage(dlg, kGame, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(game));
  }
  SendDlgItemMessage(dlg, kGame, CB_SETCURSEL, 1, 0);
  for (const char16_t* deck : {u"Classic", u"Modern", u"Large", u"Tiny", u"Gold", u"Plain"}) {
    SendDlgItemMessage(dlg, kDecks, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(deck));
  }
  SendDlgItemMessage(dlg, kDecks, LB_SETCURSEL, 0, 0);
  HWND scores = GetDlgItem(dlg, kScores);
  const int unit = LOWORD(GetDialogBaseUnits());
  LVCOLUMN col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  col.pszText = const_cast<LPWSTR>(u"Player");
  col.cx = unit * 9;
  SendMessage(scores, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&col));
  col.pszText = const_cast<LPWSTR>(u"Time");
  col.fmt = LVCFMT_RIGHT;
  col.cx = unit * 12;
  SendMessage(scores, LVM_INSERTCOLUMN, 1, reinterpret_cast<LPARAM>(&col));
  const char16_t* rows[][2] = {{u"Ann", u"2:41"}, {u"Bob", u"3:05"}, {u"Cid", u"3:30"}, {u"Dee", u"4:12"}};
  for (int i = 0; i < 4; ++i) {
    LVITEM item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<LPWSTR>(rows[i][0]);
    SendMessage(scores, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    item.pszText = const_cast<LPWSTR>(rows[i][1]);
    SendMessage(scores, LVM_SETITEMTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  HWND tabs = GetDlgItem(dlg, kTabs);
  int at = 0;
  for (const char16_t* name : {u"Game", u"Cards", u"Scores"}) {
    TCITEM tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<LPWSTR>(name);
    SendMessage(tabs, TCM_INSERTITEM, static_cast<WPARAM>(at++), reinterpret_cast<LPARAM>(&tab));
  }
  CheckDlgButton(dlg, kSound, BST_CHECKED);
  CheckRadioButton(dlg, kOneCard, kThreeCards, kOneCard);
}

// The owner-drawn button: a colour swatch with a frame.
inline void drawSwatch(const DRAWITEMSTRUCT* dis) {
  HBRUSH green = CreateSolidBrush(RGB(0, 128, 64));
  RECT r = dis->rcItem;
  FillRect(dis->hDC, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  InflateRect(&r, -2, -2);
  FillRect(dis->hDC, &r, (dis->itemState & ODS_SELECTED) ? static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)) : green);
  DeleteObject(green);
}

}  // namespace gallery
