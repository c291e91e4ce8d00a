#include "accent_marks.h"

#include <algorithm>

namespace {

// Each mark in its regular and its bold design.
const MarkDesign kGrave{{2, 2,
                         "X."
                         ".X"},
                        {3, 2,
                         "XX."
                         ".XX"}};
const MarkDesign kAcute{{2, 2,
                         ".X"
                         "X."},
                        {3, 2,
                         ".XX"
                         "XX."}};
const MarkDesign kCircumflex{{3, 2,
                              ".X."
                              "X.X"},
                             {4, 2,
                              ".XX."
                              "X..X"}};
const MarkDesign kTilde{{4, 2,
                         ".X.X"
                         "X.X."},
                        {5, 2,
                         ".XX.X"
                         "X.XX."}};
const MarkDesign kDiaeresis{{3, 1, "X.X"}, {5, 1, "XX.XX"}};
const MarkDesign kRing{{3, 3,
                        ".X."
                        "X.X"
                        ".X."},
                       {4, 3,
                        ".XX."
                        "X..X"
                        ".XX."}};

const AccentedLetter kLetters[] = {
    {U'À', U'A', &kGrave},      {U'È', U'E', &kGrave},      {U'Ì', U'I', &kGrave},      {U'Ò', U'O', &kGrave},
    {U'Ù', U'U', &kGrave},      {U'à', U'a', &kGrave},      {U'è', U'e', &kGrave},      {U'ì', U'ı', &kGrave},
    {U'ò', U'o', &kGrave},      {U'ù', U'u', &kGrave},      {U'Á', U'A', &kAcute},      {U'É', U'E', &kAcute},
    {U'Í', U'I', &kAcute},      {U'Ó', U'O', &kAcute},      {U'Ú', U'U', &kAcute},      {U'Ý', U'Y', &kAcute},
    {U'á', U'a', &kAcute},      {U'é', U'e', &kAcute},      {U'í', U'ı', &kAcute},      {U'ó', U'o', &kAcute},
    {U'ú', U'u', &kAcute},      {U'ý', U'y', &kAcute},      {U'Â', U'A', &kCircumflex}, {U'Ê', U'E', &kCircumflex},
    {U'Î', U'I', &kCircumflex}, {U'Ô', U'O', &kCircumflex}, {U'Û', U'U', &kCircumflex}, {U'â', U'a', &kCircumflex},
    {U'ê', U'e', &kCircumflex}, {U'î', U'ı', &kCircumflex}, {U'ô', U'o', &kCircumflex}, {U'û', U'u', &kCircumflex},
    {U'Ã', U'A', &kTilde},      {U'Ñ', U'N', &kTilde},      {U'Õ', U'O', &kTilde},      {U'ã', U'a', &kTilde},
    {U'ñ', U'n', &kTilde},      {U'õ', U'o', &kTilde},      {U'Ä', U'A', &kDiaeresis},  {U'Ë', U'E', &kDiaeresis},
    {U'Ï', U'I', &kDiaeresis},  {U'Ö', U'O', &kDiaeresis},  {U'Ü', U'U', &kDiaeresis},  {U'Ÿ', U'Y', &kDiaeresis},
    {U'ä', U'a', &kDiaeresis},  {U'ë', U'e', &kDiaeresis},  {U'ï', U'ı', &kDiaeresis},  {U'ö', U'o', &kDiaeresis},
    {U'ü', U'u', &kDiaeresis},  {U'ÿ', U'y', &kDiaeresis},  {U'Å', U'A', &kRing},       {U'å', U'a', &kRing},
};

}  // namespace

const AccentedLetter* accentedLetter(char32_t letter) {
  for (const AccentedLetter& a : kLetters) {
    if (a.letter == letter) return &a;
  }
  return nullptr;
}

namespace {

void widen(std::vector<uint8_t>& ink, int& width, int height, int extra) {
  std::vector<uint8_t> wider(static_cast<size_t>((width + extra) * height), 0);
  for (int y = 0; y < height; ++y) {
    std::copy_n(ink.begin() + y * width, width, wider.begin() + y * (width + extra));
  }
  ink.swap(wider);
  width += extra;
}

}  // namespace

void addMark(std::vector<uint8_t>& ink, int& width, int height, const PixelMark& mark, int top) {
  const int markWidth = mark.width;
  int left = width, right = -1, inkTop = height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!ink[static_cast<size_t>(y * width + x)]) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      inkTop = std::min(inkTop, y);
    }
  }
  if (right < 0) return;
  const int x0 = std::max(0, (left + right + 1 - markWidth + 1) / 2);
  const int y0 = std::max(top, inkTop - 1 - mark.height);
  if (x0 + markWidth > width) widen(ink, width, height, x0 + markWidth - width);
  for (int my = 0; my < mark.height; ++my) {
    for (int mx = 0; mx < mark.width; ++mx) {
      if (mark.rows[my * mark.width + mx] != 'X') continue;
      const int y = y0 + my;
      if (y < height) ink[static_cast<size_t>(y * width + x0 + mx)] = 1;
    }
  }
}
