// The HTML view: a window class ("DISPLAYCLASS") that shows a small subset of
// HTML as formatted text (headings, paragraphs, line breaks, lists, bold,
// italic, underline, links), wrapped to its width and scrolled vertically.
// Programs load it as the library "Htmlview.dll" (LoadLibrary), whose export
// with ordinal 1 is InitHTMLControl.
#pragma once

#include "wince/types.h"
#include "wince/window.h"

#define WC_HTML u"DISPLAYCLASS"
#define DISPLAYCLASS WC_HTML

// Messages: wParam TRUE adds plain text, FALSE HTML; lParam the text.
#define DTM_ADDTEXTW (WM_USER + 102)
// The source is complete: the view lays it out and paints it.
#define DTM_ENDOFSOURCE (WM_USER + 104)
// lParam TRUE: a tap and hold may open a context menu (recorded only).
#define DTM_ENABLECONTEXTMENU (WM_USER + 110)
#define DTM_ADDTEXT DTM_ADDTEXTW

// WM_NOTIFY code sent to the parent when a link is tapped.
#define NM_HOTSPOT (WM_USER + 101)
typedef struct tagNMHTMLVIEWW {
  NMHDR hdr;
  LPCWSTR szTarget;  // the link's href
  LPCWSTR szData;
  DWORD dwCookie;
} NMHTMLVIEWW, NMHTMLVIEW;

// Registers the window class; TRUE also when it is registered already.
BOOL InitHTMLControl(HINSTANCE instance);
