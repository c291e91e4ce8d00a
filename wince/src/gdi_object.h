// The drawing objects behind GDI handles, their table, and the pixel surface
// view every drawing operation works on.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "gdi_region.h"
#include "wince/gdi.h"

namespace wince::gdi {

class FontInstance;

enum class Kind : uint8_t { Pen, Brush, Bitmap, Font, Region, Dc };

struct Object {
  explicit Object(Kind k) : kind(k) {}
  virtual ~Object() = default;
  Kind kind;
  bool stock = false;
};

// A view of pixels: row y starts at top + y * stride (stride is negative for
// bottom-up storage). bpp is 1, 16, 24 or 32. Native pixel values: 1 bpp 0/1,
// 16 bpp RGB565, 24 and 32 bpp 0x00RRGGBB.
struct Surface {
  uint8_t* top = nullptr;
  ptrdiff_t stride = 0;
  int width = 0;
  int height = 0;
  int bpp = 0;

  uint8_t* row(int y) const { return top + y * stride; }
  uint32_t get(int x, int y) const;
  void set(int x, int y, uint32_t value) const;
  bool valid() const { return top != nullptr && width > 0 && height > 0; }
};

// Word-aligned row length in bytes.
inline int strideFor(int width, int bpp) { return (width * bpp + 15) / 16 * 2; }

uint32_t toNative(COLORREF color, int bpp);
COLORREF fromNative(uint32_t value, int bpp);

struct Dc;

struct Bitmap : Object {
  static constexpr Kind kKind = Kind::Bitmap;
  Bitmap(int w, int h, int bitsPerPixel);
  int width;
  int height;
  int bpp;
  int stride;
  bool topDown = true;
  bool dib = false;  // reports its pixel pointer
  DWORD compression = BI_RGB;
  DWORD masks[3] = {0, 0, 0};
  std::vector<uint8_t> pixels;
  Dc* selectedInto = nullptr;

  Surface surface();
};

struct Pen : Object {
  static constexpr Kind kKind = Kind::Pen;
  Pen() : Object(kKind) {}
  LOGPEN log{};
};

struct Brush : Object {
  static constexpr Kind kKind = Kind::Brush;
  Brush() : Object(kKind) {}
  UINT style = BS_SOLID;
  COLORREF color = 0;
  std::unique_ptr<Bitmap> pattern;  // a private copy for pattern brushes
};

struct Font : Object {
  static constexpr Kind kKind = Kind::Font;
  Font() : Object(kKind) {}
  LOGFONTW log{};
  std::shared_ptr<FontInstance> instance;
};

struct RegionObject : Object {
  static constexpr Kind kKind = Kind::Region;
  RegionObject() : Object(kKind) {}
  Region region;
};

struct Dc : Object {
  static constexpr Kind kKind = Kind::Dc;
  Dc() : Object(kKind) {}
  ~Dc() override;

  bool window = false;
  RECT area{};      // window DCs: the window's area on the screen (device coordinates)
  POINT origin{};   // device position of logical (0, 0)
  HBITMAP bitmap = nullptr;
  HPEN pen = nullptr;
  HBRUSH brush = nullptr;
  HFONT font = nullptr;
  COLORREF textColor = 0;
  COLORREF bkColor = 0xFFFFFF;
  int bkMode = OPAQUE;
  POINT brushOrg{};
  POINT position{};
  std::optional<Region> userClip;  // device coordinates

  Surface surface() const;
  RECT bounds() const;              // device rectangle drawing may reach
  Region clip() const;              // effective clip, device coordinates
  Pen* penObject() const;
  Brush* brushObject() const;
  Font* fontObject() const;
};

// --- The handle table ---
HGDIOBJ addObject(std::unique_ptr<Object> object);
Object* findObject(HGDIOBJ handle);
template <class T>
T* find(HGDIOBJ handle) {
  Object* o = findObject(handle);
  return o != nullptr && o->kind == T::kKind ? static_cast<T*>(o) : nullptr;
}
// Removes the entry and destroys the object.
void removeObject(HGDIOBJ handle);
// The 1x1 monochrome bitmap every memory DC starts with.
HBITMAP defaultBitmap();

// New DC with the default objects selected.
Dc* newDc(HDC* handle);

}  // namespace wince::gdi
