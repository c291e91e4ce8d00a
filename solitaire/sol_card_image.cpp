#include "sol_card_image.h"

#include "ce_hidpi.h"
#include "sol_utils.h"

namespace {

// Resource ids of the VGA pictures.
constexpr int kBackNarrow = 132;
constexpr int kBackWide = 142;
constexpr int kArrow = 153;
constexpr int kRankWide = 2201;
constexpr int kLargeSuitWide = 2250;
constexpr int kSmallSuitWide = 2254;
constexpr int kRankNarrow = 2301;
constexpr int kLargeSuitNarrow = 2350;
constexpr int kSmallSuitNarrow = 2354;
constexpr int kMarkRankWide = 320;
constexpr int kMarkLargeSuitWide = 390;
constexpr int kMarkSmallSuitWide = 394;
constexpr int kMarkRankNarrow = 360;
constexpr int kMarkLargeSuitNarrow = 410;
constexpr int kMarkSmallSuitNarrow = 414;
constexpr COLORREF kWhite = 0xFFFFFF;
// Ranks of red suits are their black glyph ORed with this colour.
constexpr COLORREF kRedInk = RGB(204, 0, 0);
constexpr DWORD kPatternOrDest = 0x00FA0089;

bool MidScale() {
  const double scale = g_HIDPI_LogPixelsY / 96.0;
  return scale > 1.0 && scale < 2.0;
}

void RankInRed(HDC dc, int x, int y, int id) {
  HBITMAP bitmap = LoadBitmap(nullptr, MAKEINTRESOURCE(SolArtId(id)));
  if (!bitmap) return;
  BITMAP info{};
  GetObject(bitmap, sizeof info, &info);
  DeleteObject(bitmap);
  HBRUSH red = CreateSolidBrush(kRedInk);
  HGDIOBJ old = SelectObject(dc, red);
  PatBlt(dc, x, y, info.bmWidth, info.bmHeight, kPatternOrDest);
  SelectObject(dc, old);
  DeleteObject(red);
}

void DrawRank(HDC dc, int x, int y, int id, int suit) {
  SolDrawBitmap(dc, x, y, id);
  if (suit % 2) RankInRed(dc, x, y, id);
}

}  // namespace

int SolArtId(int vgaId) {
  if (g_bIsVGA) return vgaId;
  if (vgaId >= 2000) return vgaId - 200;
  if (vgaId >= kMarkLargeSuitWide) return vgaId - 10;
  if (vgaId >= kMarkRankWide) return vgaId - 20;
  return vgaId + 1;
}

bool SolCardImage::Make(HDC dc, int width, int height) {
  Free();
  m_dc = CreateCompatibleDC(dc);
  m_bitmap = CreateCompatibleBitmap(dc, width, height);
  if (!m_dc || !m_bitmap) {
    Free();
    return false;
  }
  m_oldBitmap = SelectObject(m_dc, m_bitmap);
  m_width = width;
  m_height = height;
  return true;
}

void SolCardImage::Free() {
  if (m_dc) {
    if (m_oldBitmap) SelectObject(m_dc, m_oldBitmap);
    DeleteDC(m_dc);
  }
  if (m_bitmap) DeleteObject(m_bitmap);
  m_dc = nullptr;
  m_bitmap = nullptr;
  m_oldBitmap = nullptr;
  m_width = m_height = 0;
}

void SolCardImage::Draw(HDC dst, int x, int y) const {
  if (m_dc) BitBlt(dst, x, y, m_width, m_height, m_dc, 0, 0, SRCCOPY);
}

void SolCardImage::SaveFrom(HDC src, POINT pt) {
  if (m_dc) BitBlt(m_dc, 0, 0, m_width, m_height, src, pt.x, pt.y, SRCCOPY);
}

void SolCardImage::RestoreTo(HDC dst, POINT pt) const { Draw(dst, pt.x, pt.y); }

bool SolCardBitmapCache::Build(HDC dc, const SolCardStyle& style) {
  for (int i = 0; i < kCount; ++i) {
    if (!m_images[i].Make(dc, style.cardWidth, style.cardHeight)) return false;
    if (i < kSolFaceCount) {
      SolDrawCardFace(style, m_images[i].Dc(), 0, 0, i / kSolRanks, i % kSolRanks);
    } else {
      SolDrawCardBack(style, m_images[i].Dc(), 0, 0, i - kSolFaceCount);
    }
  }
  return true;
}

void SolCardBitmapCache::DrawFace(HDC dst, int x, int y, int suit, int rank) const {
  if (suit < 0 || suit >= kSolSuits || rank < 0 || rank >= kSolRanks) return;
  m_images[suit * kSolRanks + rank].Draw(dst, x, y);
}

void SolCardBitmapCache::DrawBack(HDC dst, int x, int y, int back) const {
  m_images[kSolFaceCount + SolValidBack(static_cast<uint32_t>(back))].Draw(dst, x, y);
}

void SolDrawFrame(HDC dc, const RECT& r, COLORREF light, COLORREF dark) {
  HPEN lightPen = CreatePen(PS_SOLID, 1, light);
  HPEN darkPen = CreatePen(PS_SOLID, 1, dark);
  HGDIOBJ old = SelectObject(dc, lightPen);
  MoveToEx(dc, r.left, r.bottom - 1, nullptr);
  LineTo(dc, r.left, r.top);
  LineTo(dc, r.right - 1, r.top);
  SelectObject(dc, darkPen);
  LineTo(dc, r.right - 1, r.bottom - 1);
  LineTo(dc, r.left, r.bottom - 1);
  SelectObject(dc, old);
  DeleteObject(lightPen);
  DeleteObject(darkPen);
}

namespace {

template <class Copy>
void WithBitmap(HDC dc, int id, Copy&& copy) {
  HBITMAP bitmap = LoadBitmap(nullptr, MAKEINTRESOURCE(SolArtId(id)));
  if (!bitmap) return;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, bitmap);
  BITMAP info{};
  GetObject(bitmap, sizeof info, &info);
  copy(mem, bitmap, info.bmWidth, info.bmHeight);
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(bitmap);
}

}  // namespace

void SolDrawBitmap(HDC dc, int x, int y, int id) {
  WithBitmap(dc, id, [&](HDC mem, HBITMAP, int w, int h) { BitBlt(dc, x, y, w, h, mem, 0, 0, SRCCOPY); });
}

void SolDrawBitmapTransparent(HDC dc, int x, int y, int id, COLORREF key) {
  WithBitmap(dc, id, [&](HDC mem, HBITMAP, int w, int h) { TransparentImage(dc, x, y, w, h, mem, 0, 0, w, h, key); });
}

void SolDrawCardFace(const SolCardStyle& style, HDC dc, int x, int y, int suit, int rank) {
  const int w = style.cardWidth;
  const int h = style.cardHeight;
  const RECT r{x, y, x + w, y + h};
  HBRUSH face = CreateSolidBrush(style.faceColour);
  FillRect(dc, &r, face);
  DeleteObject(face);
  SolDrawFrame(dc, r, style.lightFrame, style.darkFrame);
  if (style.wide && MidScale()) {
    DrawRank(dc, x + 1, y + 1, kRankWide + rank, suit);
    SolDrawBitmap(dc, x + w / 2 + 1, y + 1, kSmallSuitWide + suit);
    SolDrawBitmap(dc, x + 2, y + h - w + 3, kLargeSuitWide + suit);
    return;
  }
  const int rankBase = style.wide ? kRankWide : kRankNarrow;
  const int smallBase = style.wide ? kSmallSuitWide : kSmallSuitNarrow;
  const int largeBase = style.wide ? kLargeSuitWide : kLargeSuitNarrow;
  DrawRank(dc, x + HIDPI_ScaleX(1), y + HIDPI_ScaleY(1), rankBase + rank, suit);
  SolDrawBitmap(dc, x + HIDPI_ScaleX(1) + w / 2, y + HIDPI_ScaleY(1), smallBase + suit);
  SolDrawBitmap(dc, x + HIDPI_ScaleX(2), y + HIDPI_ScaleY(3) + h - w, largeBase + suit);
}

void SolDrawCardBack(const SolCardStyle& style, HDC dc, int x, int y, int back) {
  const RECT r{x, y, x + style.cardWidth, y + style.cardHeight};
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SolDrawBitmap(dc, x, y, (style.wide ? kBackWide : kBackNarrow) + 2 * SolValidBack(static_cast<uint32_t>(back)));
  SolDrawFrame(dc, r, style.lightFrame, style.darkFrame);
}

namespace {

void FoundationMark(const SolCardStyle& style, HDC dc, int x, int y, int rank, int suit) {
  const int w = style.cardWidth;
  const int h = style.cardHeight;
  const bool mid = MidScale();
  const bool midWide = style.wide && mid;
  if (rank < 0) {
    if (midWide) {
      SolDrawBitmapTransparent(dc, x + 2, y + 3, kMarkLargeSuitWide + suit, kWhite);
    } else {
      SolDrawBitmapTransparent(dc, x + HIDPI_ScaleX(2), y + HIDPI_ScaleY(3),
                               (style.wide ? kMarkLargeSuitWide : kMarkLargeSuitNarrow) + suit, kWhite);
    }
    return;
  }
  const int rankId = (style.wide ? kMarkRankWide : kMarkRankNarrow) + rank;
  if (mid) {
    SolDrawBitmapTransparent(dc, x + 1, y + 1, rankId, kWhite);
  } else {
    SolDrawBitmapTransparent(dc, x + HIDPI_ScaleX(1), y + HIDPI_ScaleY(1), rankId, kWhite);
  }
  if (suit < 0) return;
  if (midWide) {
    SolDrawBitmapTransparent(dc, x + w / 2 + 1, y + 1, kMarkSmallSuitWide + suit, kWhite);
    SolDrawBitmapTransparent(dc, x + 2, y + h - w + 3, kMarkLargeSuitWide + suit, kWhite);
    return;
  }
  SolDrawBitmapTransparent(dc, x + HIDPI_ScaleX(1) + w / 2, y + HIDPI_ScaleY(1),
                           (style.wide ? kMarkSmallSuitWide : kMarkSmallSuitNarrow) + suit, kWhite);
  SolDrawBitmapTransparent(dc, x + HIDPI_ScaleX(2), y + HIDPI_ScaleY(3) + h - w,
                           (style.wide ? kMarkLargeSuitWide : kMarkLargeSuitNarrow) + suit, kWhite);
}

}  // namespace

void SolDrawPileBase(const SolCardStyle& style, HDC dc, int x, int y, const SolPileBase& base) {
  const int w = style.cardWidth;
  const int h = style.cardHeight;
  SolDrawFrame(dc, RECT{x, y, x + w, y + h}, style.lightFrame, style.lightFrame);
  if (base.baseKind == 3) {
    const int arrow = base.markerRank & 0xFFFF;
    if (arrow > 1) return;
    SolDrawBitmapTransparent(dc, x + (w - SolFixedX(7)) / 2, y + (h - SolFixedY(11)) / 2, kArrow + 2 * arrow, kWhite);
  } else if (base.baseKind == 2) {
    if (base.markerRank < 0 && base.markerSuit < 0) return;
    FoundationMark(style, dc, x, y, base.markerRank, base.markerSuit);
  }
}
