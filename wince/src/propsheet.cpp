// Property sheets: a full-screen dialog of the runtime's own that holds the
// pages as child dialogs, made when first shown. A tab strip along the bottom
// (or, for a wizard, a row of Back, Next, Finish and Cancel buttons) changes
// pages; the pages hear of it through PSN_* notifications and answer through
// their message result.
#include <algorithm>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "ctl_common.h"
#include "dialog_template.h"
#include "wince/propsheet.h"
#include "wince/resource.h"
#include "wince/text.h"

namespace wince::ctl {

namespace {

// The wizard's buttons (Cancel is IDCANCEL).
constexpr WORD kBack = 0x3023;
constexpr WORD kNext = 0x3024;
constexpr WORD kFinish = 0x3025;
constexpr WORD kTabs = 0x3020;

struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};

struct Page {
  std::unique_ptr<PROPSHEETPAGEW> desc;  // the page's WM_INITDIALOG parameter, so it stays in place
  std::u16string title;
  std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter> ownIcon;  // loaded for PSP_USEICONID
  HWND wnd{};

  // The tab's icon: the page's own handle, or the one loaded from its id.
  HICON icon() const { return (desc->dwFlags & PSP_USEHICON) ? desc->hIcon : ownIcon.get(); }
};

struct Sheet : win::ControlState {
  DWORD flags = 0;
  std::vector<Page> pages;
  int current = -1;
  HWND tabs{};
  INT_PTR restart = 0;  // ID_PSRESTARTWINDOWS or ID_PSREBOOTSYSTEM, when a page asked
  bool closed = false;  // a modeless sheet after OK or Cancel
  DWORD wizButtons = PSWIZB_BACK | PSWIZB_NEXT;
  std::u16string finishText = u"Finish";
};

Sheet* sheetOf(HWND hwnd) { return stateOf<Sheet>(hwnd); }
bool isWizard(const Sheet* s) { return (s->flags & PSH_WIZARD) != 0; }
int pageCount(HWND sheet) {
  const Sheet* s = sheetOf(sheet);
  return s != nullptr ? static_cast<int>(s->pages.size()) : 0;
}
int currentPage(HWND sheet) {
  const Sheet* s = sheetOf(sheet);
  return s != nullptr ? s->current : -1;
}
bool validPage(HWND sheet, int index) { return index >= 0 && index < pageCount(sheet); }
HWND pageWindow(HWND sheet, int index) {
  return validPage(sheet, index) ? sheetOf(sheet)->pages[static_cast<size_t>(index)].wnd : nullptr;
}

// Text given as a string or as a string id of the instance.
std::u16string textOrString(HINSTANCE instance, LPCWSTR text) {
  if (text == nullptr) return {};
  if (!IS_INTRESOURCE(text)) return text;
  WCHAR buffer[256] = {};
  LoadString(instance, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(text)), buffer, 256);
  return buffer;
}

// The page's template and its size (unknown for one handed over by pointer).
const BYTE* pageTemplate(const PROPSHEETPAGEW& p, size_t* size) {
  if (p.dwFlags & PSP_DLGINDIRECT) {
    *size = win::kIndirectTemplateLimit;
    return reinterpret_cast<const BYTE*>(p.pResource);
  }
  HRSRC res = FindResource(p.hInstance, p.pszTemplate, RT_DIALOG);
  if (res == nullptr) return nullptr;
  *size = SizeofResource(p.hInstance, res);
  return static_cast<const BYTE*>(LockResource(LoadResource(p.hInstance, res)));
}

// The tab's text: the page's own title, else its template's caption.
std::u16string pageTitle(const PROPSHEETPAGEW& p) {
  if (p.dwFlags & PSP_USETITLE) return textOrString(p.hInstance, p.pszTitle);
  size_t size = 0;
  const BYTE* data = pageTemplate(p, &size);
  win::DialogTemplate t;
  return data != nullptr && win::readDialogTemplate(data, size, &t, nullptr) ? t.title : std::u16string();
}

// The sheet's title: the caption, as "Properties for ..." with PSH_PROPTITLE.
std::u16string sheetTitle(DWORD flags, HINSTANCE instance, LPCWSTR caption) {
  const std::u16string text = textOrString(instance, caption);
  return (flags & PSH_PROPTITLE) ? u"Properties for " + text : text;
}

bool sameTemplate(LPCWSTR a, LPCWSTR b) {
  if (IS_INTRESOURCE(a) || IS_INTRESOURCE(b)) return a == b;
  return wcscmp(a, b) == 0;
}

// The page whose template a page named in its answer; -1 for none.
int pageByTemplate(HWND sheet, LRESULT answer) {
  const auto name = reinterpret_cast<LPCWSTR>(answer);
  const Sheet* s = sheetOf(sheet);
  for (size_t i = 0; i < s->pages.size(); ++i) {
    const PROPSHEETPAGEW& p = *s->pages[i].desc;
    if (!(p.dwFlags & PSP_DLGINDIRECT) && sameTemplate(p.pszTemplate, name)) return static_cast<int>(i);
  }
  return -1;
}

LRESULT notifyPage(HWND sheet, int index, UINT code, LPARAM lParam = 0) {
  const HWND page = pageWindow(sheet, index);
  if (page == nullptr) return 0;
  PSHNOTIFY n{{sheet, 0, code}, lParam};
  return SendMessage(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
}

// The area the pages fill: the client above the tab strip or button row.
RECT pageArea(HWND sheet) {
  RECT r;
  GetClientRect(sheet, &r);
  const Sheet* s = sheetOf(sheet);
  if (isWizard(s)) {
    r.bottom -= lineHeightOf(sheet) + px(12);
  } else if (s->tabs != nullptr) {
    SendMessage(s->tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  }
  return r;
}

// A page fills the area; one taller than it gets a scroll bar.
void placePage(HWND sheet, HWND page) {
  const RECT area = pageArea(sheet);
  win::Window* w = win::find(page);
  if (w == nullptr || w->dialog == nullptr) return;
  const int content = w->dialog->contentHeight;
  const bool tall = content > area.bottom - area.top;
  w->dialog->scrollsContent = tall;
  if (tall) SetWindowLong(page, GWL_STYLE, static_cast<LONG_PTR>(styleOf(page) | WS_VSCROLL));
  MoveWindow(page, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
  if (!tall) return;
  RECT client;
  GetClientRect(page, &client);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, content - 1, static_cast<UINT>(client.bottom), 0, 0};
  SetScrollInfo(page, SB_VERT, &si, TRUE);
}

// Makes the page's dialog the first time it is needed.
bool ensurePage(HWND sheet, int index) {
  if (!validPage(sheet, index)) return false;
  if (pageWindow(sheet, index) != nullptr) return true;
  PROPSHEETPAGEW* desc = sheetOf(sheet)->pages[static_cast<size_t>(index)].desc.get();
  if ((desc->dwFlags & PSP_USECALLBACK) && desc->pfnCallback != nullptr &&
      desc->pfnCallback(nullptr, PSPCB_CREATE, desc) == 0) {
    return false;
  }
  size_t size = 0;
  const BYTE* data = pageTemplate(*desc, &size);
  if (data == nullptr) return false;
  const HWND page =
      win::createChildDialog(desc->hInstance, data, size, sheet, desc->pfnDlgProc, reinterpret_cast<LPARAM>(desc));
  if (page == nullptr || !IsWindow(sheet) || !validPage(sheet, index)) return false;
  sheetOf(sheet)->pages[static_cast<size_t>(index)].wnd = page;
  placePage(sheet, page);
  return true;
}

void updateWizardButtons(HWND sheet) {
  const Sheet* s = sheetOf(sheet);
  if (!isWizard(s)) return;
  const bool finish = (s->wizButtons & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH)) != 0;
  ShowWindow(GetDlgItem(sheet, kNext), finish ? SW_HIDE : SW_SHOW);
  ShowWindow(GetDlgItem(sheet, kFinish), finish ? SW_SHOW : SW_HIDE);
  EnableWindow(GetDlgItem(sheet, kBack), (s->wizButtons & PSWIZB_BACK) ? TRUE : FALSE);
  EnableWindow(GetDlgItem(sheet, kNext), (s->wizButtons & PSWIZB_NEXT) ? TRUE : FALSE);
  EnableWindow(GetDlgItem(sheet, kFinish), (s->wizButtons & PSWIZB_FINISH) ? TRUE : FALSE);
  SetDlgItemText(sheet, kFinish, s->finishText.c_str());
}

void showPage(HWND sheet, int index) {
  Sheet* s = sheetOf(sheet);
  const HWND old = pageWindow(sheet, s->current);
  const HWND page = pageWindow(sheet, index);
  s->current = index;
  if (s->tabs != nullptr) SendMessage(s->tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (old != nullptr && old != page) ShowWindow(old, SW_HIDE);
  ShowWindow(page, SW_SHOW);
  const HWND focus = GetFocus();
  if (focus == nullptr || focus == old || IsChild(old, focus) || !IsChild(sheet, focus)) {
    const HWND first = GetNextDlgTabItem(page, nullptr, FALSE);
    SetFocus(first != nullptr ? first : sheet);
  }
}

// Makes the page current. Its PSN_SETACTIVE answer may refuse (-1) or name
// another page's template to go to instead.
void activate(HWND sheet, int index) {
  for (int hops = 0; hops <= pageCount(sheet); ++hops) {
    if (!ensurePage(sheet, index) || !IsWindow(sheet)) return;
    const LRESULT answer = notifyPage(sheet, index, PSN_SETACTIVE);
    if (!IsWindow(sheet)) return;
    const int target = answer == 0 ? index : answer == -1 ? -1 : pageByTemplate(sheet, answer);
    if (target == index || target < 0) {
      showPage(sheet, target == index || currentPage(sheet) < 0 ? index : currentPage(sheet));
      return;
    }
    index = target;
  }
}

// The current page lets go (PSN_KILLACTIVE answers 0), then `index` comes.
bool changeTo(HWND sheet, int index) {
  if (!validPage(sheet, index)) return false;
  const int current = currentPage(sheet);
  if (index != current && notifyPage(sheet, current, PSN_KILLACTIVE) != 0) return false;
  activate(sheet, index);
  return true;
}

// Every page made so far applies its changes; false when one refuses (and
// PSNRET_INVALID brings that page forward).
bool applyAll(HWND sheet, bool closing) {
  if (notifyPage(sheet, currentPage(sheet), PSN_KILLACTIVE) != 0) return false;
  for (int i = 0; i < pageCount(sheet); ++i) {
    const LRESULT answer = notifyPage(sheet, i, PSN_APPLY, closing ? TRUE : FALSE);
    if (!IsWindow(sheet)) return false;
    if (answer == PSNRET_INVALID) activate(sheet, i);
    if (answer != PSNRET_NOERROR) return false;
  }
  return true;
}

void close(HWND sheet, INT_PTR result) {
  win::Window* w = win::find(sheet);
  if (w == nullptr || w->dialog == nullptr) return;
  if (w->dialog->modal) {
    EndDialog(sheet, result);
    return;
  }
  sheetOf(sheet)->closed = true;  // the program destroys a modeless sheet
  ShowWindow(sheet, SW_HIDE);
}

void pressOk(HWND sheet) {
  if (applyAll(sheet, true)) close(sheet, sheetOf(sheet)->restart != 0 ? sheetOf(sheet)->restart : 1);
}

void pressCancel(HWND sheet) {
  if (notifyPage(sheet, currentPage(sheet), PSN_QUERYCANCEL) != 0) return;
  for (int i = 0; i < pageCount(sheet); ++i) notifyPage(sheet, i, PSN_RESET);
  if (IsWindow(sheet)) close(sheet, 0);
}

// Back or Next in a wizard: the page's answer 0 steps, -1 stays, a template
// goes there.
void wizardStep(HWND sheet, UINT code, int step) {
  const int current = currentPage(sheet);
  const LRESULT answer = notifyPage(sheet, current, code);
  if (answer == -1 || !IsWindow(sheet)) return;
  const int target = answer == 0 ? current + step : pageByTemplate(sheet, answer);
  if (validPage(sheet, target)) activate(sheet, target);
}

void pressFinish(HWND sheet) {
  if (notifyPage(sheet, currentPage(sheet), PSN_WIZFINISH) == 0 && IsWindow(sheet)) close(sheet, 1);
}

void pressButton(HWND sheet, WPARAM button) {
  switch (button) {
    case PSBTN_BACK: wizardStep(sheet, PSN_WIZBACK, -1); break;
    case PSBTN_NEXT: wizardStep(sheet, PSN_WIZNEXT, 1); break;
    case PSBTN_FINISH: pressFinish(sheet); break;
    case PSBTN_OK: pressOk(sheet); break;
    case PSBTN_APPLYNOW: applyAll(sheet, false); break;
    case PSBTN_CANCEL: pressCancel(sheet); break;
    default: break;
  }
}

// Return in a wizard presses Finish when it shows, else Next.
void okCommand(HWND sheet) {
  const Sheet* s = sheetOf(sheet);
  if (!isWizard(s)) {
    pressOk(sheet);
  } else if (s->wizButtons & PSWIZB_FINISH) {
    pressFinish(sheet);
  } else if (s->wizButtons & PSWIZB_NEXT) {
    wizardStep(sheet, PSN_WIZNEXT, 1);
  }
}

void layout(HWND sheet) {
  RECT client;
  GetClientRect(sheet, &client);
  const Sheet* s = sheetOf(sheet);
  if (s->tabs != nullptr) {
    RECT r = client;
    SendMessage(s->tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    MoveWindow(s->tabs, 0, r.bottom, client.right, client.bottom - r.bottom, TRUE);
  }
  if (isWizard(s)) {
    const int h = lineHeightOf(sheet) + px(6);
    const int w = (client.right - px(4) * 4) / 3;
    const int y = client.bottom - h - px(3);
    const WORD ids[] = {kBack, kNext, kFinish, IDCANCEL};
    const int columns[] = {0, 1, 1, 2};
    for (int i = 0; i < 4; ++i) MoveWindow(GetDlgItem(sheet, ids[i]), px(4) + columns[i] * (w + px(4)), y, w, h, TRUE);
  }
  for (const Page& p : s->pages) {
    if (p.wnd != nullptr) placePage(sheet, p.wnd);
  }
}

void makeWizardButtons(HWND sheet) {
  const struct {
    WORD id;
    const char16_t* text;
  } buttons[] = {{kBack, u"< Back"}, {kNext, u"Next >"}, {kFinish, u"Finish"}, {IDCANCEL, u"Cancel"}};
  for (const auto& b : buttons) {
    CreateWindowEx(0, u"BUTTON", b.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 10, 10, sheet,
                   reinterpret_cast<HMENU>(static_cast<uintptr_t>(b.id)), nullptr, nullptr);
  }
}

int startPage(const PROPSHEETHEADERW& h, const Sheet* s) {
  if (h.dwFlags & PSH_USEPSTARTPAGE) {
    const std::u16string name = textOrString(h.hInstance, h.pszStartPage);
    for (size_t i = 0; i < s->pages.size(); ++i) {
      if (s->pages[i].title == name) return static_cast<int>(i);
    }
    return 0;
  }
  return h.nStartPage < s->pages.size() ? static_cast<int>(h.nStartPage) : 0;  // past the end: the first
}

void initSheet(HWND sheet, const PROPSHEETHEADERW& h) {
  Sheet* s = sheetOf(sheet);
  s->flags = h.dwFlags;
  for (UINT i = 0; i < h.nPages; ++i) {
    Page p;
    p.desc = std::make_unique<PROPSHEETPAGEW>(h.ppsp[i]);
    p.title = pageTitle(*p.desc);
    if ((p.desc->dwFlags & PSP_USEICONID) && !(p.desc->dwFlags & PSP_USEHICON)) {
      const int side = tabIconSide();
      p.ownIcon.reset(static_cast<HICON>(LoadImage(p.desc->hInstance, p.desc->pszIcon, IMAGE_ICON, side, side, 0)));
    }
    s->pages.push_back(std::move(p));
  }
  SetWindowText(sheet, sheetTitle(h.dwFlags, h.hInstance, h.pszCaption).c_str());
  const RECT work = win::workArea();
  MoveWindow(sheet, work.left, work.top, work.right - work.left, work.bottom - work.top, FALSE);
  if (isWizard(s)) {
    makeWizardButtons(sheet);
  } else {
    s->tabs = CreateWindowEx(0, WC_TABCONTROL, u"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TCS_BOTTOM, 0, 0, 10, 10,
                             sheet, reinterpret_cast<HMENU>(static_cast<uintptr_t>(kTabs)), nullptr, nullptr);
    for (size_t i = 0; i < s->pages.size(); ++i) {
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = s->pages[i].title.data();
      SendMessage(s->tabs, TCM_INSERTITEM, i, reinterpret_cast<LPARAM>(&item));
      SendMessage(s->tabs, kTabSetIcon, i, reinterpret_cast<LPARAM>(s->pages[i].icon()));
    }
  }
  layout(sheet);
  updateWizardButtons(sheet);
  if ((h.dwFlags & PSH_USECALLBACK) && h.pfnCallback != nullptr) h.pfnCallback(sheet, PSCB_INITIALIZED, 0);
  if (IsWindow(sheet)) activate(sheet, startPage(h, sheetOf(sheet)));
}

int pageIndexFor(HWND sheet, WPARAM index, LPARAM page) {
  if (page == 0) return static_cast<int>(index);
  const Sheet* s = sheetOf(sheet);
  for (size_t i = 0; i < s->pages.size(); ++i) {
    if (s->pages[i].wnd == reinterpret_cast<HWND>(page)) return static_cast<int>(i);
  }
  return -1;
}

void releasePage(Page& p) {
  if ((p.desc->dwFlags & PSP_USECALLBACK) && p.desc->pfnCallback != nullptr) {
    p.desc->pfnCallback(nullptr, PSPCB_RELEASE, p.desc.get());
  }
}

LRESULT removePage(HWND sheet, int index) {
  if (!validPage(sheet, index)) return FALSE;
  Sheet* s = sheetOf(sheet);
  Page gone = std::move(s->pages[static_cast<size_t>(index)]);
  s->pages.erase(s->pages.begin() + index);
  if (s->tabs != nullptr) SendMessage(s->tabs, TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
  const bool wasCurrent = s->current == index;
  if (s->current > index || wasCurrent) --s->current;
  if (gone.wnd != nullptr) DestroyWindow(gone.wnd);
  releasePage(gone);
  if (wasCurrent && pageCount(sheet) > 0) activate(sheet, std::max(0, sheetOf(sheet)->current));
  return TRUE;
}

LRESULT sheetMessage(HWND sheet, UINT msg, WPARAM wParam, LPARAM lParam) {
  Sheet* s = sheetOf(sheet);
  switch (msg) {
    case PSM_SETCURSEL: return changeTo(sheet, pageIndexFor(sheet, wParam, lParam)) ? TRUE : FALSE;
    case PSM_SETCURSELID: return changeTo(sheet, pageByTemplate(sheet, lParam)) ? TRUE : FALSE;
    case PSM_REMOVEPAGE: return removePage(sheet, pageIndexFor(sheet, wParam, lParam));
    case PSM_RESTARTWINDOWS: s->restart = std::max<INT_PTR>(s->restart, ID_PSRESTARTWINDOWS); return 0;
    case PSM_REBOOTSYSTEM: s->restart = ID_PSREBOOTSYSTEM; return 0;
    case PSM_QUERYSIBLINGS:
      for (int i = 0; i < pageCount(sheet); ++i) {
        const HWND page = pageWindow(sheet, i);
        const LRESULT answer = page != nullptr ? SendMessage(page, PSM_QUERYSIBLINGS, wParam, lParam) : 0;
        if (answer != 0) return answer;
      }
      return 0;
    case PSM_APPLY: return applyAll(sheet, false) ? TRUE : FALSE;
    case PSM_SETTITLEW:
      SetWindowText(sheet, sheetTitle(static_cast<DWORD>(wParam), nullptr, reinterpret_cast<LPCWSTR>(lParam)).c_str());
      return 0;
    case PSM_SETWIZBUTTONS:
      s->wizButtons = static_cast<DWORD>(lParam);
      updateWizardButtons(sheet);
      return 0;
    case PSM_SETFINISHTEXTW:
      s->finishText = textOrString(nullptr, reinterpret_cast<LPCWSTR>(lParam));
      s->wizButtons |= PSWIZB_FINISH;
      updateWizardButtons(sheet);
      return 0;
    case PSM_PRESSBUTTON: pressButton(sheet, wParam); return 0;
    case PSM_GETTABCONTROL: return reinterpret_cast<LRESULT>(s->tabs);
    case PSM_ISDIALOGMESSAGE: return IsDialogMessage(sheet, reinterpret_cast<MSG*>(lParam));
    case PSM_GETCURRENTPAGEHWND: return s->closed ? 0 : reinterpret_cast<LRESULT>(pageWindow(sheet, s->current));
    default: return 0;  // PSM_CHANGED, PSM_UNCHANGED and PSM_CANCELTOCLOSE change nothing on this screen
  }
}

// The answer of a dialog procedure that is not its result: in DWL_MSGRESULT.
INT_PTR answer(HWND sheet, LRESULT result) {
  SetWindowLong(sheet, DWL_MSGRESULT, result);
  return TRUE;
}

INT_PTR notifyFromTabs(HWND sheet, const NMHDR* hdr) {
  if (hdr == nullptr || hdr->hwndFrom != sheetOf(sheet)->tabs) return FALSE;
  const int chosen = static_cast<int>(SendMessage(hdr->hwndFrom, TCM_GETCURSEL, 0, 0));
  if (hdr->code == TCN_SELCHANGING) return answer(sheet, notifyPage(sheet, currentPage(sheet), PSN_KILLACTIVE));
  if (hdr->code == TCN_SELCHANGE) activate(sheet, chosen);
  return answer(sheet, 0);
}

INT_PTR CALLBACK sheetProc(HWND sheet, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: initSheet(sheet, *reinterpret_cast<const PROPSHEETHEADERW*>(lParam)); return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: okCommand(sheet); break;
        case IDCANCEL: pressCancel(sheet); break;
        case kBack: wizardStep(sheet, PSN_WIZBACK, -1); break;
        case kNext: wizardStep(sheet, PSN_WIZNEXT, 1); break;
        case kFinish: pressFinish(sheet); break;
        default: return FALSE;
      }
      return TRUE;
    case WM_NOTIFY: return notifyFromTabs(sheet, reinterpret_cast<const NMHDR*>(lParam));
    case WM_SIZE: layout(sheet); return TRUE;
    case WM_DESTROY:
      for (Page& p : sheetOf(sheet)->pages) releasePage(p);
      return FALSE;
    default:
      if (msg >= PSM_SETCURSEL && msg <= PSM_SETFINISHTEXTW)
        return answer(sheet, sheetMessage(sheet, msg, wParam, lParam));
      return FALSE;
  }
}

bool usableHeader(LPCPROPSHEETHEADERW h) {
  return h != nullptr && (h->nPages == 0 || ((h->dwFlags & PSH_PROPSHEETPAGE) && h->ppsp != nullptr));
}

}  // namespace

}  // namespace wince::ctl

using namespace wince::ctl;

INT_PTR PropertySheet(LPCPROPSHEETHEADERW header) {
  if (!usableHeader(header)) return -1;
  const LPCDLGTEMPLATE tmpl = wince::win::blankDialogTemplate();
  const auto param = reinterpret_cast<LPARAM>(header);
  if (header->dwFlags & PSH_MODELESS) {
    HWND sheet = CreateDialogIndirectParam(header->hInstance, tmpl, header->hwndParent, sheetProc, param);
    if (sheet != nullptr) ShowWindow(sheet, SW_SHOW);
    return reinterpret_cast<INT_PTR>(sheet);
  }
  return DialogBoxIndirectParam(header->hInstance, tmpl, header->hwndParent, sheetProc, param);
}
