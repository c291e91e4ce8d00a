// The mock screens of the artwork preview. Places and sizes are those the
// play art's and the interface recipes' notes give for the 240 x 320 screen.
#include <string>

#include "qzf_chrome.h"
#include "screen_preview.h"

namespace {

constexpr int kText = 0, kBold = 240, kClock = 535;
constexpr int kLargeFronts = 977, kLargeBack = 816, kShadow = 1234, kSelection = 1235;
constexpr uint32_t kFormColour = 0xB5DFBD;  // the first scheme's form background

namespace chrome = qzf_chrome;

// Large front of rank 1-13 in suit group 0-3 (the fronts run king to ace).
int front(int group, int rank) { return kLargeFronts + group * 13 + 13 - rank; }

void table(PreviewScreen& s) {
  s.plane(2);
  s.blob(682, 0, 0);
  s.blob(1231, 16, 1);
  s.blob(1231, 178, 1);
}

void toolbar(PreviewScreen& s) {
  s.blob(704, 2, 1);
  s.fill(2 + 150, 1 + 6, 14, 8, 0x00FF00);
  const std::u32string time = U"12:34";
  s.text(kClock, time, 178 + (46 - s.textWidth(kClock, time)) / 2, 4);
}

int column(int i) { return 2 + i * 34; }

void klondike(PreviewScreen& s) {
  s.blob(kLargeBack, column(0), 26);
  s.blob(front(2, 9), column(1) - 6, 26);
  s.blob(front(1, 4), column(1), 26);
  s.blob(front(0, 1), column(3), 26);
  s.blob(front(0, 2), column(3), 26);
  for (int i = 4; i < 7; ++i) s.blob(kShadow, column(i), 26, 60);
  const int tops[7][4] = {{3, 13, 0, 0}, {1, 12, 0, 0}, {2, 7, 0, 0},  {0, 11, 3, 10},
                          {3, 5, 0, 0},  {1, 8, 2, 7},  {2, 12, 1, 11}};
  for (int i = 0; i < 7; ++i) {
    int y = 74;
    for (int d = 0; d < i; ++d, y += 4) s.blob(kLargeBack, column(i), y);
    for (int k = 0; k < 4 && tops[i][k + 1] != 0; k += 2, y += 13)
      s.blob(front(tops[i][k], tops[i][k + 1]), column(i), y);
  }
  // The selected card, the hint's sparkle and the tutorial's arrow.
  s.blob(kSelection, column(2) - 2, 74 + 8 - 2);
  s.blob(1245, column(4) + 20, 74 + 16 - 8);
  s.blob(1228, column(5) + 8, 74 - 24);
}

void softKeys(PreviewScreen& s, const std::u32string& left, const std::u32string& right, bool leftPressed) {
  const int y = 320 - s.blobHeight(chrome::kSoftKeyLeft);
  s.button(chrome::kSoftKeyLeft + (leftPressed ? 1 : 0), kBold, U"", 0, y, 72);
  s.text(kBold, left, (72 - s.textWidth(kBold, left)) / 2, y + 4);
  s.blob(chrome::kSoftKeyRight, 240 - 72, y);
  s.text(kBold, right, 168 + (72 - s.textWidth(kBold, right)) / 2, y + 4);
}

// A framed form with its title, the inside filled with the form colour.
void form(PreviewScreen& s, int x, int y, int w, int h, const std::u32string& title) {
  s.fill(x + 6, y + 6, w - 12, h - 12, kFormColour);
  s.frame(chrome::kFormFrame, x, y, w, h);
  const int tw = s.textWidth(kBold, title), titleW = 16 + 8 * ((tw + 7) / 8);
  s.caps(chrome::kTitleBar, x + (w - titleW) / 2, y, titleW);
  s.text(kBold, title, x + (w - tw) / 2, y + 3);
}

void slider(PreviewScreen& s, int x, int y, int value, bool focused) {
  s.blob(focused ? chrome::kSliderBarFocused : chrome::kSliderBar, x, y + 3);
  s.blob(chrome::kSliderKnob, x + 104 * value / 100 - 5, y);
}

}  // namespace

void drawPlayPreview(PreviewScreen& s) {
  table(s);
  toolbar(s);
  klondike(s);
}

void drawFormPreview(PreviewScreen& s) {
  table(s);
  form(s, 18, 30, 204, 264, U"Settings");
  const int x = 30;
  s.text(kText, U"Music volume", x, 52);
  slider(s, x + 4, 66, 60, false);
  s.blob(chrome::kCheckbox + 1, x + 118, 68);
  s.text(kText, U"Music", x + 136, 68);
  s.text(kText, U"Effects volume", x, 90);
  slider(s, x + 4, 104, 80, true);
  s.blob(chrome::kCheckbox, x + 118, 106);
  s.text(kText, U"Effects", x + 136, 106);
  s.blob(chrome::kRule, 30, 128);
  s.text(kText, U"Cards:", x, 140);
  s.text(kText, U"Español, Français, Italiano", 40, 300 - 14 - 20 + 4);
  s.blob(chrome::kRoundButton, x + 44, 140);
  s.text(kText, U"Large", x + 62, 140);
  s.blob(chrome::kRoundButton + 1, x + 104, 140);
  s.text(kText, U"Small", x + 122, 140);
  s.text(kText, U"Player name", x, 162);
  s.caps(chrome::kTextEntry + 3, x, 176, 132);
  s.text(kText, U"Amélie", x + 5, 180);
  s.blob(chrome::kTextCursor, x + 5 + s.textWidth(kText, U"Amélie") + 1, 179);
  s.blob(chrome::kSelectorLeft, x, 206);
  const std::u32string page = U"Page 2/3";
  s.text(kBold, page, x + 18 + (144 - s.textWidth(kBold, page)) / 2, 210);
  s.blob(chrome::kSelectorRight + 2, x + 162, 206);
  s.button(chrome::kAccentButton + 6, kBold, U"OK", 40, 246, 72);
  s.button(chrome::kButton, kBold, U"Cancel", 128, 246, 72);
  softKeys(s, U"OK", U"Back", false);
}

void drawMenuPreview(PreviewScreen& s) {
  drawPlayPreview(s);
  const std::u32string items[] = {U"New deal", U"Restart", U"Hint", U"Show cards", U"Options", U"Rules"};
  const int x = 4, y = 150, w = 112, row = 16, h = 6 * row + 8;
  s.fill(x + 4, y + 4, w - 8, h - 8, 0xF4F4F0);
  s.fill(x + 4, y + 4 + 2 * row, w - 8, row, 0x9CD0A8);
  for (int i = 0; i < 6; ++i) {
    if (i == 3) s.blob(chrome::kMarkOn, x + 6, y + 4 + i * row + 2);
    s.text(kText, items[i], x + 22, y + 4 + i * row + 2);
    if (i == 4) s.blob(chrome::kSubmenuArrowRight, x + w - 14, y + 4 + i * row + 3);
  }
  s.frame(chrome::kPopupFrame, x, y, w, h);
  s.fill(26, 62, 188, 70, 0xFAF0D8);
  s.frame(chrome::kAlertFrame, 20, 56, 200, 82);
  s.blob(chrome::kSignWarning, 30, 66);
  s.text(kBold, U"Start a new deal?", 62, 66);
  s.text(kText, U"The game in play is", 62, 80);
  s.text(kText, U"counted as lost.", 62, 93);
  s.button(chrome::kAccentButton, kBold, U"Yes", 62, 110, 60);
  s.button(chrome::kButton + 6, kBold, U"No", 130, 110, 60);
  softKeys(s, U"Select", U"Back", true);
}

void drawKeyboardPreview(PreviewScreen& s) {
  table(s);
  form(s, 6, 40, 228, 234, U"New player");
  s.text(kText, U"Name:", 20, 64);
  s.caps(chrome::kTextEntry + 3, 20, 78, 200);
  s.text(kText, U"Ygraine", 25, 82);
  s.blob(chrome::kTextCursor, 25 + s.textWidth(kText, U"Ygraine") + 1, 81);
  const std::u32string rows[] = {U"ABCDEFGHIJ", U"KLMNOPQRST", U"UVWXYZ0123", U"456789-'.!"};
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 10; ++c) {
      const int kx = 20 + c * 20, ky = 110 + r * 20;
      const int look = (r == 1 && c == 3) ? 1 : (r == 2 && c == 6) ? 2 : 0;
      s.blob(chrome::kKey + look, kx, ky);
      const std::u32string glyph(1, rows[r][c]);
      s.text(kBold, glyph, kx + (20 - s.textWidth(kBold, glyph)) / 2, ky + (look == 2 ? 4 : 3));
    }
  }
  s.blob(chrome::kWideKey, 20, 190);
  s.text(kBold, U"Shift", 20 + (60 - s.textWidth(kBold, U"Shift")) / 2, 193);
  s.blob(chrome::kWideKey, 80, 190);
  s.text(kBold, U"Space", 80 + (60 - s.textWidth(kBold, U"Space")) / 2, 193);
  s.blob(chrome::kWideKey, 140, 190);
  s.text(kBold, U"Delete", 140 + (60 - s.textWidth(kBold, U"Delete")) / 2, 193);
  s.button(chrome::kAccentButton, kBold, U"OK", 40, 232, 72);
  s.button(chrome::kButton, kBold, U"Cancel", 128, 232, 72);
  softKeys(s, U"OK", U"Back", false);
}
