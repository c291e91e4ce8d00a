#include "qz_font.h"

#include <memory>

#include "qz_bitmap.h"
#include "qz_colour.h"
#include "qz_resource_manager.h"
#include "qz_screen.h"

namespace {

struct FontState {
  std::unique_ptr<HFONT[]> slots;
  HGDIOBJ stack[16] = {};
  int16_t depth = 0;
};

FontState& state() {
  static FontState s;
  return s;
}

HFONT slotFont(int slot) {
  if (!state().slots || slot < 0 || slot >= kQZFontSlots) return nullptr;
  return state().slots[slot];
}

size_t length(const WCHAR* text) {
  size_t n = 0;
  while (text[n]) ++n;
  return n;
}

}  // namespace

int16_t QZStartFont() {
  QZStopFont();
  state().slots.reset(new (std::nothrow) HFONT[kQZFontSlots]());
  if (!state().slots) return -9;
  state().depth = 0;
  static const int kHeights[4] = {14, 18, 28, 36};
  for (int i = 0; i < 8; ++i) QZCreateFontSlot(i, u"Tahoma", kHeights[i / 2], i % 2 == 1, false);
  return 0;
}

int16_t QZStopFont() {
  if (!state().slots) return 0;
  HDC dc = QZGetDrawDC();
  if (dc) SelectObject(dc, GetStockObject(SYSTEM_FONT));
  for (int i = 0; i < kQZFontSlots; ++i) QZDeleteFontSlot(i);
  state().slots.reset();
  state().depth = 0;
  return 0;
}

int16_t QZDeleteFontSlot(int slot) {
  HFONT font = slotFont(slot);
  if (!font) return 0;
  HDC dc = QZGetDrawDC();
  if (dc && GetCurrentObject(dc, OBJ_FONT) == font) SelectObject(dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
  state().slots[slot] = nullptr;
  return 0;
}

int16_t QZSetFontSlot(int slot, const LOGFONTW* description) {
  if (!state().slots || slot < 0 || slot >= kQZFontSlots) return -1;
  QZDeleteFontSlot(slot);
  state().slots[slot] = CreateFontIndirect(description);
  return 0;
}

int16_t QZCreateFontSlot(int slot, const WCHAR* faceName, int height, bool bold, bool italic) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = bold ? FW_BOLD : 0;
  font.lfItalic = italic ? 1 : 0;
  for (int i = 0; i < LF_FACESIZE - 1 && faceName && faceName[i]; ++i) font.lfFaceName[i] = faceName[i];
  return QZSetFontSlot(slot, &font);
}

int16_t QZSetFont(int id) {
  const int slot = QZGetScreenWidth() > 320 ? id + 4 : id;
  HFONT font = slotFont(slot);
  HDC dc = QZGetDrawDC();
  if (!font || !dc) return -1;
  HGDIOBJ previous = SelectObject(dc, font);
  if (state().depth >= 16) return -1;
  state().stack[state().depth++] = previous;
  return 0;
}

int16_t QZSwitchFont(int id) {
  HFONT font = slotFont(id);
  HDC dc = QZGetDrawDC();
  if (!font || !dc) return -1;
  SelectObject(dc, font);
  return 0;
}

int16_t QZRestoreFont() {
  HDC dc = QZGetDrawDC();
  if (state().depth > 0 && dc) SelectObject(dc, state().stack[--state().depth]);
  return 0;
}

int QZGetFontHeight() {
  SIZE size{};
  GetTextExtentPoint32(QZGetDrawDC(), u"*", 1, &size);
  return size.cy;
}

HFONT QZGetFontSlot(int slot) { return slotFont(slot); }

int16_t QZDrawText(const WCHAR* text, int x, int y, int alignment, int colourIndex) {
  HDC dc = QZGetDrawDC();
  if (!dc || !text) return -1;
  const int n = static_cast<int>(length(text));
  SIZE size{};
  GetTextExtentPoint32(dc, text, n, &size);
  const int w = size.cx;
  RECT r{x, y, x + w, y + size.cy};
  UINT align = DT_LEFT;
  if (alignment == 1) {
    r.left = x - w / 2, r.right = x + w / 2, align = DT_CENTER;
  } else if (alignment == 2) {
    r.left = x - w, r.right = x, align = DT_RIGHT;
  }
  const QZColourEntry& c = QZGetColourTable()[static_cast<uint8_t>(colourIndex)];
  SetTextColor(dc, RGB(c.red, c.green, c.blue));
  SetBkMode(dc, TRANSPARENT);
  DrawText(dc, text, n, &r, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | align);
  return 0;
}

int16_t QZCopyStringToBuffer(WCHAR* buffer, int stringId) {
  QZCopyString(static_cast<uint16_t>(stringId), buffer, 1024);
  return 0;
}

int16_t QZDrawLine(int x0, int y0, int x1, int y1, uint16_t colour) {
  HDC dc = QZGetDrawDC();
  if (!dc) return -1;
  HPEN pen = CreatePen(PS_SOLID, 1, QZRGB565ToColorRef(colour));
  HGDIOBJ old = SelectObject(dc, pen);
  const POINT points[2] = {{x0, y0}, {x1, y1}};
  Polyline(dc, points, 2);
  SelectObject(dc, old);
  DeleteObject(pen);
  return 0;
}
