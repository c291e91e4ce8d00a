// A dialog of twenty controls opened and painted, and a report list view of
// 200 rows painted, on the QVGA and VGA Pocket PC screens.
#include <benchmark/benchmark.h>

#include <string>

#include "dialog_template_builder.h"
#include "device_screen.h"
#include "wince/wince.h"
#include "wince/host/clock.h"
#include "wince/host/window.h"
#include "wince/host/system.h"

namespace {

void usePocketPc(int dpi) {
  wince::resetWindowing();
  wince::useVirtualClock(0);
  wince::selectDeviceProfile(dpi == 96 ? "pocketpc-qvga" : "pocketpc-vga");
  wince::detail::resizeDeviceScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

// Twenty controls of every kind in four rows of five.
TemplateBuilder twentyControls() {
  TemplateBuilder t;
  t.header(WS_POPUP | WS_VISIBLE, 20, 0, 0, 160, 160, u"Twenty");
  const WORD kinds[] = {0x82, 0x81, 0x80, 0x85, 0x83};
  for (WORD i = 0; i < 20; ++i) {
    const auto x = static_cast<short>(4 + (i % 5) * 31);
    const auto y = static_cast<short>(4 + (i / 5) * 38);
    const WORD kind = kinds[i % 5];
    DWORD style = WS_TABSTOP;
    if (kind == 0x80) style |= (i % 2) ? BS_AUTOCHECKBOX : BS_PUSHBUTTON;
    if (kind == 0x85) style |= CBS_DROPDOWNLIST | WS_VSCROLL;
    if (kind == 0x83 || kind == 0x81) style |= WS_BORDER;
    t.item(style, x, y, 29, kind == 0x83 ? 34 : 12, static_cast<WORD>(100 + i), kind, u"Item " + std::u16string(1, u'A' + i));
  }
  return t;
}

INT_PTR CALLBACK fillingProc(HWND dlg, UINT msg, WPARAM, LPARAM) {
  if (msg != WM_INITDIALOG) return FALSE;
  for (int id = 100; id < 120; ++id) {
    for (const char16_t* s : {u"One", u"Two", u"Three"}) {
      SendDlgItemMessage(dlg, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
      SendDlgItemMessage(dlg, id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    }
  }
  return TRUE;
}

void BM_OpenAndPaintTwentyControls(benchmark::State& state) {
  usePocketPc(static_cast<int>(state.range(0)));
  const TemplateBuilder t = twentyControls();
  for (auto _ : state) {
    HWND dlg = CreateDialogIndirectParam(nullptr, t.get(), nullptr, fillingProc, 0);
    UpdateWindow(dlg);
    wince::dispatchPending();
    DestroyWindow(dlg);
  }
  wince::resetWindowing();
}
BENCHMARK(BM_OpenAndPaintTwentyControls)->Arg(96)->Arg(192);

void BM_PaintListViewOf200Rows(benchmark::State& state) {
  usePocketPc(static_cast<int>(state.range(0)));
  const int w = GetSystemMetrics(SM_CXSCREEN);
  const int h = GetSystemMetrics(SM_CYSCREEN);
  HWND list = CreateWindowEx(0, WC_LISTVIEW, u"", WS_VISIBLE | WS_BORDER | LVS_REPORT, 0, 0, w, h, nullptr, nullptr,
                             nullptr, nullptr);
  LVCOLUMN col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH;
  col.cx = w / 2;
  col.pszText = const_cast<LPWSTR>(u"Name");
  SendMessage(list, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&col));
  col.pszText = const_cast<LPWSTR>(u"Time");
  SendMessage(list, LVM_INSERTCOLUMN, 1, reinterpret_cast<LPARAM>(&col));
  for (int i = 0; i < 200; ++i) {
    const std::u16string name = u"Player " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
    LVITEM item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<LPWSTR>(name.c_str());
    SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    item.pszText = const_cast<LPWSTR>(u"12:34");
    SendMessage(list, LVM_SETITEMTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  int row = 0;
  for (auto _ : state) {
    SendMessage(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);  // scrolls now and then
    row = (row + 7) % 200;
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
  }
  wince::resetWindowing();
}
BENCHMARK(BM_PaintListViewOf200Rows)->Arg(96)->Arg(192);

}  // namespace
