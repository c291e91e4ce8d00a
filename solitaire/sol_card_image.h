// Card pictures: an off-screen picture (SolCardImage), the style cards are
// drawn in, the cache of the 52 faces and 4 backs composed once per metrics
// change, and the drawing of faces, backs and empty-pile bases from the
// program's bitmap resources.
#pragma once

#include <array>
#include <cstdint>

#include "wince/gdi.h"
#include "wince/types.h"

constexpr int kSolSuits = 4;
constexpr int kSolRanks = 13;
constexpr int kSolBacks = 4;
constexpr int kSolFaceCount = kSolSuits * kSolRanks;

class SolCardImage {
 public:
  SolCardImage() = default;
  ~SolCardImage() { Free(); }
  SolCardImage(const SolCardImage&) = delete;
  SolCardImage& operator=(const SolCardImage&) = delete;

  // A memory DC compatible with `dc` holding a bitmap of the size.
  bool Make(HDC dc, int width, int height);
  void Free();
  // Copies the whole picture to (x, y) of `dst`.
  void Draw(HDC dst, int x, int y) const;
  // Takes the picture-sized area at `pt` of `src`; RestoreTo puts it back.
  void SaveFrom(HDC src, POINT pt);
  void RestoreTo(HDC dst, POINT pt) const;

  HDC Dc() const { return m_dc; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }

 private:
  HDC m_dc = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_oldBitmap = nullptr;
  int m_width = 0;
  int m_height = 0;
};

struct SolCardStyle {
  int wide = 0;
  int cardWidth = 0;
  int cardHeight = 0;
  COLORREF faceColour = 0xFFFFFF;
  COLORREF lightFrame = 0x999999;
  COLORREF darkFrame = 0;
};

// What an empty pile shows (the parts of a pile view the base drawing reads).
struct SolPileBase {
  int baseKind = 0;    // 2 foundation mark, 3 arrow, else an outline
  int markerRank = -1;  // or the arrow number for base kind 3
  int markerSuit = -1;
};

class SolCardBitmapCache {
 public:
  static constexpr int kCount = kSolFaceCount + kSolBacks;

  // Makes the 56 pictures compatible with `dc` and composes them.
  bool Build(HDC dc, const SolCardStyle& style);
  void DrawFace(HDC dst, int x, int y, int suit, int rank) const;
  // A back number outside 0-3 draws back 0.
  void DrawBack(HDC dst, int x, int y, int back) const;
  const SolCardImage& Picture(int index) const { return m_images[index]; }

 private:
  std::array<SolCardImage, kCount> m_images;
};

// Frame: light on the left and top, dark on the right and bottom.
void SolDrawFrame(HDC dc, const RECT& rect, COLORREF light, COLORREF dark);
void SolDrawBitmap(HDC dc, int x, int y, int id);
void SolDrawBitmapTransparent(HDC dc, int x, int y, int id, COLORREF key);
void SolDrawCardFace(const SolCardStyle& style, HDC dc, int x, int y, int suit, int rank);
void SolDrawCardBack(const SolCardStyle& style, HDC dc, int x, int y, int back);
void SolDrawPileBase(const SolCardStyle& style, HDC dc, int x, int y, const SolPileBase& base);

// A card-back number the cache and preview can draw: 0-3, else 0.
inline int SolValidBack(uint32_t back) { return back < static_cast<uint32_t>(kSolBacks) ? static_cast<int>(back) : 0; }
// Resource id of a picture named by its VGA id on the screen in use: card
// backs and arrows one higher, face glyphs 200 lower, marker ranks 20 and
// marker suits 10 lower on a screen that is not VGA.
int SolArtId(int vgaId);
