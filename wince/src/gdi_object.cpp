// The handle table, stock objects, selection and deletion.
#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "gdi_object.h"

namespace wince::gdi {
namespace {

// Handles count up from here in steps of 16 and are never reused.
constexpr uintptr_t kFirstHandle = 0x40000;

struct Table {
  std::unordered_map<uintptr_t, std::unique_ptr<Object>> objects;
  uintptr_t next = kFirstHandle;
  HGDIOBJ stock[16] = {};
  HBITMAP monoBitmap = nullptr;
  std::vector<Dc*> dcs;
};

HGDIOBJ addTo(Table& t, std::unique_ptr<Object> object) {
  uintptr_t id = t.next;
  t.next += 16;
  t.objects.emplace(id, std::move(object));
  return reinterpret_cast<HGDIOBJ>(id);
}

HGDIOBJ stockBrush(Table& t, UINT style, COLORREF color) {
  auto b = std::make_unique<Brush>();
  b->style = style;
  b->color = color;
  b->stock = true;
  return addTo(t, std::move(b));
}

HGDIOBJ stockPen(Table& t, UINT style, COLORREF color) {
  auto p = std::make_unique<Pen>();
  p->log.lopnStyle = style;
  p->log.lopnWidth.x = 1;
  p->log.lopnColor = color;
  p->stock = true;
  return addTo(t, std::move(p));
}

Table& table() {
  static Table* t = [] {
    auto* tb = new Table;
    tb->stock[WHITE_BRUSH] = stockBrush(*tb, BS_SOLID, RGB(255, 255, 255));
    tb->stock[LTGRAY_BRUSH] = stockBrush(*tb, BS_SOLID, RGB(192, 192, 192));
    tb->stock[GRAY_BRUSH] = stockBrush(*tb, BS_SOLID, RGB(128, 128, 128));
    tb->stock[DKGRAY_BRUSH] = stockBrush(*tb, BS_SOLID, RGB(64, 64, 64));
    tb->stock[BLACK_BRUSH] = stockBrush(*tb, BS_SOLID, RGB(0, 0, 0));
    tb->stock[NULL_BRUSH] = stockBrush(*tb, BS_NULL, 0);
    tb->stock[WHITE_PEN] = stockPen(*tb, PS_SOLID, RGB(255, 255, 255));
    tb->stock[BLACK_PEN] = stockPen(*tb, PS_SOLID, RGB(0, 0, 0));
    tb->stock[NULL_PEN] = stockPen(*tb, PS_NULL, 0);
    auto font = std::make_unique<Font>();
    font->stock = true;
    tb->stock[SYSTEM_FONT] = addTo(*tb, std::move(font));
    auto mono = std::make_unique<Bitmap>(1, 1, 1);
    mono->stock = true;
    tb->monoBitmap = static_cast<HBITMAP>(addTo(*tb, std::move(mono)));
    return tb;
  }();
  return *t;
}

uintptr_t key(HGDIOBJ h) { return reinterpret_cast<uintptr_t>(h); }

}  // namespace

HGDIOBJ addObject(std::unique_ptr<Object> object) { return addTo(table(), std::move(object)); }

Object* findObject(HGDIOBJ handle) {
  Table& t = table();
  auto it = t.objects.find(key(handle));
  return it == t.objects.end() ? nullptr : it->second.get();
}

void removeObject(HGDIOBJ handle) {
  Table& t = table();
  auto it = t.objects.find(key(handle));
  if (it == t.objects.end()) return;
  std::unique_ptr<Object> doomed = std::move(it->second);
  t.objects.erase(it);
}

HBITMAP defaultBitmap() { return table().monoBitmap; }

Dc* newDc(HDC* handle) {
  auto dc = std::make_unique<Dc>();
  Dc* raw = dc.get();
  raw->bitmap = defaultBitmap();
  raw->pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
  raw->brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  raw->font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  table().dcs.push_back(raw);
  *handle = static_cast<HDC>(addObject(std::move(dc)));
  return raw;
}

Dc::~Dc() {
  auto& dcs = table().dcs;
  dcs.erase(std::remove(dcs.begin(), dcs.end(), this), dcs.end());
  if (Bitmap* b = find<Bitmap>(bitmap); b != nullptr && b->selectedInto == this) b->selectedInto = nullptr;
}

Pen* Dc::penObject() const { return find<Pen>(pen); }
Brush* Dc::brushObject() const { return find<Brush>(brush); }
Font* Dc::fontObject() const { return find<Font>(font); }

// Whether an object is selected into any DC (bitmaps know their DC; the
// others are found by a walk over the DCs, which are few).
static bool isSelected(HGDIOBJ handle, Object* o) {
  if (o->kind == Kind::Bitmap) return static_cast<Bitmap*>(o)->selectedInto != nullptr;
  for (Dc* dc : table().dcs) {
    if (dc->pen == handle || dc->brush == handle || dc->font == handle) return true;
  }
  return false;
}

}  // namespace wince::gdi

using namespace wince::gdi;

HGDIOBJ GetStockObject(int index) {
  if (index < 0 || index >= 16) return nullptr;
  return table().stock[index];
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj) {
  Dc* dc = find<Dc>(hdc);
  Object* o = findObject(obj);
  if (dc == nullptr || o == nullptr) return nullptr;
  HGDIOBJ previous = nullptr;
  switch (o->kind) {
    case Kind::Pen:
      previous = dc->pen;
      dc->pen = static_cast<HPEN>(obj);
      break;
    case Kind::Brush:
      previous = dc->brush;
      dc->brush = static_cast<HBRUSH>(obj);
      break;
    case Kind::Font:
      previous = dc->font;
      dc->font = static_cast<HFONT>(obj);
      break;
    case Kind::Bitmap: {
      auto* b = static_cast<Bitmap*>(o);
      if (dc->window) return nullptr;
      if (dc->bitmap == obj) return obj;
      if (!b->stock && b->selectedInto != nullptr) return nullptr;  // one DC at a time
      if (Bitmap* old = find<Bitmap>(dc->bitmap); old != nullptr && !old->stock) old->selectedInto = nullptr;
      previous = dc->bitmap;
      dc->bitmap = static_cast<HBITMAP>(obj);
      if (!b->stock) b->selectedInto = dc;
      break;
    }
    case Kind::Region:
      return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(SelectClipRgn(hdc, static_cast<HRGN>(obj))));
    case Kind::Dc:
      return nullptr;
  }
  return previous;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr) return nullptr;
  switch (type) {
    case OBJ_PEN:
      return dc->pen;
    case OBJ_BRUSH:
      return dc->brush;
    case OBJ_FONT:
      return dc->font;
    case OBJ_BITMAP:
      return dc->window ? nullptr : dc->bitmap;
    default:
      return nullptr;
  }
}

BOOL DeleteObject(HGDIOBJ obj) {
  Object* o = findObject(obj);
  if (o == nullptr || o->kind == Kind::Dc) return FALSE;
  if (o->stock) return TRUE;
  if (isSelected(obj, o)) return FALSE;
  removeObject(obj);
  return TRUE;
}

DWORD GetObjectType(HGDIOBJ obj) {
  Object* o = findObject(obj);
  if (o == nullptr) return 0;
  switch (o->kind) {
    case Kind::Pen:
      return OBJ_PEN;
    case Kind::Brush:
      return OBJ_BRUSH;
    case Kind::Bitmap:
      return OBJ_BITMAP;
    case Kind::Font:
      return OBJ_FONT;
    case Kind::Region:
      return OBJ_REGION;
    case Kind::Dc:
      return static_cast<Dc*>(o)->window ? OBJ_DC : OBJ_MEMDC;
  }
  return 0;
}

static int copyOut(const void* data, int size, int want, LPVOID out) {
  if (out == nullptr) return size;
  int n = std::min(size, want);
  if (n <= 0) return 0;
  std::memcpy(out, data, static_cast<size_t>(n));
  return n;
}

static int bitmapObject(Bitmap* b, int size, LPVOID out) {
  DIBSECTION ds{};
  ds.dsBm.bmWidth = b->width;
  ds.dsBm.bmHeight = b->height;
  ds.dsBm.bmWidthBytes = b->stride;
  ds.dsBm.bmPlanes = 1;
  ds.dsBm.bmBitsPixel = static_cast<WORD>(b->bpp);
  ds.dsBm.bmBits = b->dib ? b->pixels.data() : nullptr;
  if (!b->dib || size < static_cast<int>(sizeof(DIBSECTION)))
    return copyOut(&ds.dsBm, sizeof(BITMAP), size, out);
  ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
  ds.dsBmih.biWidth = b->width;
  ds.dsBmih.biHeight = b->topDown ? -b->height : b->height;
  ds.dsBmih.biPlanes = 1;
  ds.dsBmih.biBitCount = static_cast<WORD>(b->bpp);
  ds.dsBmih.biCompression = b->compression;
  ds.dsBmih.biSizeImage = static_cast<DWORD>(b->pixels.size());
  std::memcpy(ds.dsBitfields, b->masks, sizeof(ds.dsBitfields));
  return copyOut(&ds, sizeof(DIBSECTION), size, out);
}

int GetObject(HGDIOBJ obj, int size, LPVOID out) {
  Object* o = findObject(obj);
  if (o == nullptr) return 0;
  switch (o->kind) {
    case Kind::Bitmap:
      return bitmapObject(static_cast<Bitmap*>(o), out == nullptr ? sizeof(BITMAP) : size, out);
    case Kind::Pen:
      return copyOut(&static_cast<Pen*>(o)->log, sizeof(LOGPEN), size, out);
    case Kind::Brush: {
      auto* b = static_cast<Brush*>(o);
      LOGBRUSH lb{b->style, b->color, 0};
      return copyOut(&lb, sizeof(LOGBRUSH), size, out);
    }
    case Kind::Font:
      return copyOut(&static_cast<Font*>(o)->log, sizeof(LOGFONTW), size, out);
    default:
      return 0;
  }
}

HPEN CreatePenIndirect(const LOGPEN* log) {
  if (log == nullptr) return nullptr;
  auto p = std::make_unique<Pen>();
  p->log = *log;
  if (p->log.lopnWidth.x < 1) p->log.lopnWidth.x = 1;
  return static_cast<HPEN>(addObject(std::move(p)));
}

HPEN CreatePen(int style, int width, COLORREF color) {
  LOGPEN log{static_cast<UINT>(style), POINT{width, 0}, color};
  return CreatePenIndirect(&log);
}

HBRUSH CreateSolidBrush(COLORREF color) {
  auto b = std::make_unique<Brush>();
  b->color = color & 0xFFFFFFu;
  return static_cast<HBRUSH>(addObject(std::move(b)));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  Bitmap* src = find<Bitmap>(bitmap);
  if (src == nullptr) return nullptr;
  auto b = std::make_unique<Brush>();
  b->style = BS_PATTERN;
  b->pattern = std::make_unique<Bitmap>(src->width, src->height, src->bpp);
  b->pattern->topDown = src->topDown;
  b->pattern->pixels = src->pixels;
  return static_cast<HBRUSH>(addObject(std::move(b)));
}
