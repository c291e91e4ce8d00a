// Drawing: device contexts, bitmaps and DIB sections, blits and raster
// operations, pens, brushes, shapes, pixels, clipping regions, fonts and text,
// system colours, and the rectangle helpers.
//
// Choices of this runtime:
// - The display is 16 bits per pixel (RGB565). COLORREF -> 565 truncates each
//   channel; 565 -> COLORREF widens by shifting (r << 3, g << 2, b << 3).
// - Every bitmap row is WORD-aligned: stride = (width * bpp + 15) / 16 * 2
//   bytes, for DIB sections as for CreateBitmap's input.
// - DIB sections of 1, 16 (565, BI_BITFIELDS), 24 and 32 bits, top-down
//   (negative height) or bottom-up. Compatible bitmaps are memory-backed but
//   report no pixel pointer. A memory DC starts with a 1x1 monochrome bitmap,
//   so a bitmap made compatible with it is monochrome, as on the device.
// - DeleteObject refuses (FALSE) an object still selected into a DC; a bitmap
//   is selected into one DC at a time; stock objects are never deleted.
// - Lines leave out their last point. A pen wider than one pixel stamps a
//   square of its width along the path; dashed pens draw solid.
// - Text is drawn with FreeType and the DejaVu faces standing in for the
//   device's system faces, anti-aliased, blended per channel in 8 bits.
// - All drawing happens on the one GUI thread.
#pragma once

#include "wince/types.h"

// --- Stock objects ---
#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define SYSTEM_FONT 13
#define DEFAULT_PALETTE 15

// --- Object types (GetObjectType) ---
#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define OBJ_REGION 8
#define OBJ_MEMDC 10

// --- Raster operations (ternary: bits 16-23 are the truth table over
//     pattern 0xF0, source 0xCC, destination 0xAA) ---
#define SRCCOPY 0x00CC0020u
#define SRCPAINT 0x00EE0086u
#define SRCAND 0x008800C6u
#define SRCINVERT 0x00660046u
#define SRCERASE 0x00440328u
#define NOTSRCCOPY 0x00330008u
#define NOTSRCERASE 0x001100A6u
#define MERGECOPY 0x00C000CAu
#define MERGEPAINT 0x00BB0226u
#define PATCOPY 0x00F00021u
#define PATPAINT 0x00FB0A09u
#define PATINVERT 0x005A0049u
#define DSTINVERT 0x00550009u
#define BLACKNESS 0x00000042u
#define WHITENESS 0x00FF0062u

// --- Bitmaps ---
#define BI_RGB 0
#define BI_BITFIELDS 3
#define DIB_RGB_COLORS 0

typedef struct tagBITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
} BITMAP, *PBITMAP, *LPBITMAP;

typedef struct tagBITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
} BITMAPINFOHEADER, *PBITMAPINFOHEADER, *LPBITMAPINFOHEADER;

typedef struct tagRGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
} RGBQUAD;

// The header is followed by the three DWORD masks for BI_BITFIELDS, or by the
// colour table for 1 bpp; bmiColors gives room for either.
typedef struct tagBITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[3];
} BITMAPINFO, *PBITMAPINFO, *LPBITMAPINFO;

typedef struct tagDIBSECTION {
  BITMAP dsBm;
  BITMAPINFOHEADER dsBmih;
  DWORD dsBitfields[3];
  HANDLE dshSection;
  DWORD dsOffset;
} DIBSECTION, *PDIBSECTION;

// --- Pens and brushes ---
#define PS_SOLID 0
#define PS_DASH 1
#define PS_NULL 5

#define BS_SOLID 0
#define BS_NULL 1
#define BS_HOLLOW BS_NULL
#define BS_PATTERN 3
#define BS_DIBPATTERN 5

typedef struct tagLOGPEN {
  UINT lopnStyle;
  POINT lopnWidth;
  COLORREF lopnColor;
} LOGPEN, *PLOGPEN, *LPLOGPEN;

typedef struct tagLOGBRUSH {
  UINT lbStyle;
  COLORREF lbColor;
  ULONG_PTR lbHatch;
} LOGBRUSH, *PLOGBRUSH, *LPLOGBRUSH;

// --- Background mode ---
#define TRANSPARENT 1
#define OPAQUE 2

#define CLR_INVALID 0xFFFFFFFFu

// --- Regions ---
#define ERROR 0
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3
#define RGN_ERROR ERROR

#define RGN_AND 1
#define RGN_OR 2
#define RGN_XOR 3
#define RGN_DIFF 4
#define RGN_COPY 5

// --- Device capabilities ---
#define TECHNOLOGY 2
#define HORZSIZE 4
#define VERTSIZE 6
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14
#define NUMCOLORS 24
#define RASTERCAPS 38
#define LOGPIXELSX 88
#define LOGPIXELSY 90

#define DT_RASDISPLAY 1

// --- Fonts ---
#define LF_FACESIZE 32

#define FW_DONTCARE 0
#define FW_THIN 100
#define FW_LIGHT 300
#define FW_NORMAL 400
#define FW_MEDIUM 500
#define FW_SEMIBOLD 600
#define FW_BOLD 700
#define FW_HEAVY 900

#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define OEM_CHARSET 255

#define DEFAULT_QUALITY 0
#define NONANTIALIASED_QUALITY 3
#define ANTIALIASED_QUALITY 4
#define CLEARTYPE_QUALITY 5

#define DEFAULT_PITCH 0
#define FIXED_PITCH 1
#define VARIABLE_PITCH 2
#define FF_DONTCARE 0x00
#define FF_ROMAN 0x10
#define FF_SWISS 0x20
#define FF_MODERN 0x30

typedef struct tagLOGFONTW {
  LONG lfHeight;  // > 0 cell height, < 0 character height, 0 default
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  WCHAR lfFaceName[LF_FACESIZE];
} LOGFONTW, LOGFONT, *PLOGFONTW, *LPLOGFONTW, *LPLOGFONT;

typedef struct tagTEXTMETRICW {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  WCHAR tmFirstChar;
  WCHAR tmLastChar;
  WCHAR tmDefaultChar;
  WCHAR tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
} TEXTMETRICW, TEXTMETRIC, *PTEXTMETRICW, *LPTEXTMETRICW, *LPTEXTMETRIC;

// --- DrawText ---
#define DT_TOP 0x00000000u
#define DT_LEFT 0x00000000u
#define DT_CENTER 0x00000001u
#define DT_RIGHT 0x00000002u
#define DT_VCENTER 0x00000004u
#define DT_BOTTOM 0x00000008u
#define DT_WORDBREAK 0x00000010u
#define DT_SINGLELINE 0x00000020u
#define DT_EXPANDTABS 0x00000040u
#define DT_NOCLIP 0x00000100u
#define DT_CALCRECT 0x00000400u
#define DT_NOPREFIX 0x00000800u
#define DT_END_ELLIPSIS 0x00008000u

// --- ExtTextOut ---
#define ETO_OPAQUE 0x0002u
#define ETO_CLIPPED 0x0004u

// --- System colours (GetSysColor, GetSysColorBrush). The flag that some
//     callers combine with the index is ignored. ---
#define SYS_COLOR_INDEX_FLAG 0x40000000
#define COLOR_SCROLLBAR 0
#define COLOR_BACKGROUND 1
#define COLOR_ACTIVECAPTION 2
#define COLOR_INACTIVECAPTION 3
#define COLOR_MENU 4
#define COLOR_WINDOW 5
#define COLOR_WINDOWFRAME 6
#define COLOR_MENUTEXT 7
#define COLOR_WINDOWTEXT 8
#define COLOR_CAPTIONTEXT 9
#define COLOR_ACTIVEBORDER 10
#define COLOR_INACTIVEBORDER 11
#define COLOR_APPWORKSPACE 12
#define COLOR_HIGHLIGHT 13
#define COLOR_HIGHLIGHTTEXT 14
#define COLOR_BTNFACE 15
#define COLOR_BTNSHADOW 16
#define COLOR_GRAYTEXT 17
#define COLOR_BTNTEXT 18
#define COLOR_INACTIVECAPTIONTEXT 19
#define COLOR_BTNHIGHLIGHT 20
#define COLOR_3DDKSHADOW 21
#define COLOR_3DLIGHT 22
#define COLOR_INFOTEXT 23
#define COLOR_INFOBK 24
#define COLOR_STATIC 25
#define COLOR_STATICTEXT 26
#define COLOR_3DFACE COLOR_BTNFACE
#define COLOR_3DSHADOW COLOR_BTNSHADOW
#define COLOR_3DHIGHLIGHT COLOR_BTNHIGHLIGHT

// --- DrawEdge ---
#define BDR_RAISEDOUTER 0x0001u
#define BDR_SUNKENOUTER 0x0002u
#define BDR_RAISEDINNER 0x0004u
#define BDR_SUNKENINNER 0x0008u
#define EDGE_RAISED (BDR_RAISEDOUTER | BDR_RAISEDINNER)
#define EDGE_SUNKEN (BDR_SUNKENOUTER | BDR_SUNKENINNER)
#define BF_LEFT 0x0001u
#define BF_TOP 0x0002u
#define BF_RIGHT 0x0004u
#define BF_BOTTOM 0x0008u
#define BF_RECT (BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM)
#define BF_MIDDLE 0x0800u
#define BF_ADJUST 0x2000u
#define BF_FLAT 0x4000u
#define BF_MONO 0x8000u

// --- Device contexts ---
HDC CreateCompatibleDC(HDC hdc);  // NULL: compatible with the screen
BOOL DeleteDC(HDC hdc);
int GetDeviceCaps(HDC hdc, int index);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj);
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
BOOL DeleteObject(HGDIOBJ obj);
HGDIOBJ GetStockObject(int index);
int GetObject(HGDIOBJ obj, int size, LPVOID out);
#define GetObjectW GetObject
DWORD GetObjectType(HGDIOBJ obj);

// --- Bitmaps ---
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset);
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP LoadBitmap(HINSTANCE instance, LPCWSTR name);

// --- Drawable icons ---
// An icon is a colour bitmap and a monochrome mask: drawing ANDs the mask
// into the destination, then XORs the colour bitmap (a white mask pixel
// keeps what is below, a black one takes the colour).
typedef struct _ICONINFO {
  BOOL fIcon;
  DWORD xHotspot;
  DWORD yHotspot;
  HBITMAP hbmMask;
  HBITMAP hbmColor;
} ICONINFO, *PICONINFO;
#define IMAGE_BITMAP 0
#define IMAGE_ICON 1
#define LR_DEFAULTCOLOR 0x0000
#define DI_MASK 0x0001
#define DI_IMAGE 0x0002
#define DI_NORMAL 0x0003
// Copies both bitmaps; the caller keeps its own.
HICON CreateIconIndirect(const ICONINFO* info);
// IMAGE_ICON: the icon resource (transparent where its alpha is under half),
// scaled to cx x cy (0: its own size); IMAGE_BITMAP: LoadBitmap. Null when
// missing or unreadable.
HANDLE LoadImage(HINSTANCE instance, LPCWSTR name, UINT type, int cx, int cy, UINT flags);
#define LoadImageW LoadImage
// Draws an icon of LoadImage or CreateIconIndirect (0 size: its own); FALSE
// for any other handle, LoadIcon's included.
BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH flicker, UINT flags);
BOOL DrawIcon(HDC hdc, int x, int y, HICON icon);
#define LoadBitmapW LoadBitmap

// --- Blits ---
BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                int srcWidth, int srcHeight, DWORD rop);
BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop);
// Copies leaving out the source pixels of one colour; the source is a DC or a
// bitmap handle.
BOOL TransparentImage(HDC dst, int x, int y, int width, int height, HANDLE src, int srcX, int srcY,
                      int srcWidth, int srcHeight, COLORREF transparent);

// --- Pens, brushes, colours ---
HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* pen);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreatePatternBrush(HBITMAP bitmap);
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT previous);
COLORREF GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);

// --- Shapes and pixels ---
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
// Corners rounded by an ellipse of cornerWidth x cornerHeight.
BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
BOOL Polyline(HDC hdc, const POINT* points, int count);
BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous);
BOOL LineTo(HDC hdc, int x, int y);
BOOL InvertRect(HDC hdc, const RECT* rect);
BOOL DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC hdc, int x, int y);

// --- Clipping and regions ---
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);
int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode);
int OffsetRgn(HRGN rgn, int dx, int dy);
int GetRgnBox(HRGN rgn, LPRECT rect);
BOOL PtInRegion(HRGN rgn, int x, int y);
BOOL RectInRegion(HRGN rgn, const RECT* rect);
BOOL EqualRgn(HRGN a, HRGN b);
BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH brush);
int SelectClipRgn(HDC hdc, HRGN rgn);  // a copy is taken; NULL removes the clip
int GetClipRgn(HDC hdc, HRGN rgn);     // 1 with a clip region copied, 0 without
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
int GetClipBox(HDC hdc, LPRECT rect);

// --- Fonts and text ---
HFONT CreateFontIndirect(const LOGFONTW* font);
#define CreateFontIndirectW CreateFontIndirect
BOOL GetTextMetrics(HDC hdc, LPTEXTMETRICW metrics);
#define GetTextMetricsW GetTextMetrics
BOOL GetTextExtentPoint32(HDC hdc, LPCWSTR text, int count, LPSIZE size);
#define GetTextExtentPoint32W GetTextExtentPoint32
BOOL GetTextExtentExPoint(HDC hdc, LPCWSTR text, int count, int maxExtent, LPINT fit, LPINT dx,
                          LPSIZE size);
#define GetTextExtentExPointW GetTextExtentExPoint
int DrawText(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format);
#define DrawTextW DrawText
BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                const int* dx);
#define ExtTextOutW ExtTextOut

// --- Rectangle helpers ---
BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(LPRECT rect);
BOOL CopyRect(LPRECT dst, const RECT* src);
BOOL IsRectEmpty(const RECT* rect);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL PtInRect(const RECT* rect, POINT pt);
BOOL OffsetRect(LPRECT rect, int dx, int dy);
BOOL InflateRect(LPRECT rect, int dx, int dy);
BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b);
BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b);
BOOL SubtractRect(LPRECT dst, const RECT* a, const RECT* b);
