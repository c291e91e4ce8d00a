// Drawable icons: a colour bitmap and a mask per icon, in a table of their
// own (handles never reused). LoadIcon's handles stand for resource data and
// are not drawable; DestroyIcon accepts both kinds.
#include <map>
#include <vector>

#include "wince/gdi.h"
#include "wince/host/png_io.h"
#include "wince/resource.h"
#include "wince/window.h"

namespace wince::gdi {

namespace {

struct Icon {
  HBITMAP color{};
  HBITMAP mask{};
  int width = 0;
  int height = 0;
};

struct IconTable {
  std::map<HICON, Icon> icons;
  uintptr_t next = 0x7D000000u;
};

IconTable& table() {
  static IconTable t;
  return t;
}

const Icon* findIcon(HICON icon) {
  const auto it = table().icons.find(icon);
  return it != table().icons.end() ? &it->second : nullptr;
}

HICON addIcon(const Icon& icon) {
  IconTable& t = table();
  t.next += 16;
  const auto handle = reinterpret_cast<HICON>(t.next);
  t.icons[handle] = icon;
  return handle;
}

// A copy of `source` scaled to width x height, as a bitmap like the screen's
// (or a monochrome one).
HBITMAP copyBitmap(HBITMAP source, int width, int height, bool mono) {
  BITMAP bm{};
  if (GetObject(source, sizeof bm, &bm) == 0) return nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP out = mono ? CreateBitmap(width, height, 1, 1, nullptr) : CreateCompatibleBitmap(screen, width, height);
  HDC src = CreateCompatibleDC(screen);
  HDC dst = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  const HGDIOBJ oldSrc = SelectObject(src, source);
  const HGDIOBJ oldDst = SelectObject(dst, out);
  StretchBlt(dst, 0, 0, width, height, src, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
  SelectObject(src, oldSrc);
  SelectObject(dst, oldDst);
  DeleteDC(src);
  DeleteDC(dst);
  return out;
}

// The mask of a picture: set (the screen shows through) where its alpha is
// under half, in rows of whole 16-bit words; all clear for an opaque one.
std::vector<uint8_t> maskBits(const RgbImage& image) {
  const size_t stride = static_cast<size_t>((image.width + 15) / 16 * 2);
  std::vector<uint8_t> bits(stride * static_cast<size_t>(image.height), 0);
  if (image.alpha.empty()) return bits;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (image.alpha[static_cast<size_t>(y) * image.width + x] < 128) {
        bits[y * stride + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
      }
    }
  }
  return bits;
}

bool seeThrough(const RgbImage& image, int x, int y) {
  return !image.alpha.empty() && image.alpha[static_cast<size_t>(y) * image.width + x] < 128;
}

// The icon resource's picture as an icon of the asked size, transparent where
// the picture is.
HICON iconFromResource(HINSTANCE instance, LPCWSTR name, int cx, int cy) {
  HRSRC res = FindResource(instance, name, RT_ICON);
  if (res == nullptr) return nullptr;
  const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(instance, res)));
  RgbImage image;
  if (data == nullptr || !readPngMemory(data, SizeofResource(instance, res), &image)) return nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP picture = CreateCompatibleBitmap(screen, image.width, image.height);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  const HGDIOBJ old = SelectObject(dc, picture);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = image.pixel(x, y);
      // Black under the mask, so that drawing leaves the screen as it was.
      SetPixel(dc, x, y, seeThrough(image, x, y) ? RGB(0, 0, 0) : RGB(p[0], p[1], p[2]));
    }
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  const std::vector<uint8_t> bits = maskBits(image);
  HBITMAP mask = CreateBitmap(image.width, image.height, 1, 1, bits.data());
  Icon icon;
  icon.width = cx > 0 ? cx : image.width;
  icon.height = cy > 0 ? cy : image.height;
  icon.color = copyBitmap(picture, icon.width, icon.height, false);
  icon.mask = copyBitmap(mask, icon.width, icon.height, true);
  DeleteObject(picture);
  DeleteObject(mask);
  return addIcon(icon);
}

}  // namespace

}  // namespace wince::gdi

using namespace wince::gdi;

HICON CreateIconIndirect(const ICONINFO* info) {
  BITMAP bm{};
  if (info == nullptr || info->hbmColor == nullptr || info->hbmMask == nullptr ||
      GetObject(info->hbmColor, sizeof bm, &bm) == 0) {
    return nullptr;
  }
  Icon icon;
  icon.width = bm.bmWidth;
  icon.height = bm.bmHeight;
  icon.color = copyBitmap(info->hbmColor, icon.width, icon.height, false);
  icon.mask = copyBitmap(info->hbmMask, icon.width, icon.height, true);
  if (icon.color == nullptr || icon.mask == nullptr) {
    DeleteObject(icon.color);
    DeleteObject(icon.mask);
    return nullptr;
  }
  return addIcon(icon);
}

HANDLE LoadImage(HINSTANCE instance, LPCWSTR name, UINT type, int cx, int cy, UINT) {
  if (type == IMAGE_BITMAP) return LoadBitmap(instance, name);
  if (type == IMAGE_ICON) return iconFromResource(instance, name, cx, cy);
  return nullptr;
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON handle, int cx, int cy, UINT, HBRUSH, UINT flags) {
  const Icon* icon = findIcon(handle);
  if (icon == nullptr || hdc == nullptr) return FALSE;
  if (cx == 0) cx = icon->width;
  if (cy == 0) cy = icon->height;
  HDC src = CreateCompatibleDC(hdc);
  const HGDIOBJ old = SelectObject(src, icon->mask);
  const COLORREF oldText = SetTextColor(hdc, RGB(0, 0, 0));
  const COLORREF oldBack = SetBkColor(hdc, RGB(255, 255, 255));
  if (flags & DI_MASK) StretchBlt(hdc, x, y, cx, cy, src, 0, 0, icon->width, icon->height, SRCAND);
  SelectObject(src, icon->color);
  if (flags & DI_IMAGE) {
    StretchBlt(hdc, x, y, cx, cy, src, 0, 0, icon->width, icon->height, (flags & DI_MASK) ? SRCINVERT : SRCCOPY);
  }
  SetTextColor(hdc, oldText);
  SetBkColor(hdc, oldBack);
  SelectObject(src, old);
  DeleteDC(src);
  return TRUE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) { return DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL); }

BOOL DestroyIcon(HICON handle) {
  if (handle == nullptr) return FALSE;
  IconTable& t = table();
  const auto it = t.icons.find(handle);
  if (it == t.icons.end()) return TRUE;  // LoadIcon's: nothing to free
  DeleteObject(it->second.color);
  DeleteObject(it->second.mask);
  t.icons.erase(it);
  return TRUE;
}
