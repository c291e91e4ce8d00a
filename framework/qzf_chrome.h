// The blob ids of the interface pictures (PellwynChrome.pdb, drawn at build
// time from data/art/chrome.txt, which lists every piece with its blob set
// and size; a test keeps the two the same). Form descriptions and menus name
// these ids. Groups of pieces are consecutive from the id given here:
// frames clockwise from the top-left corner (corner, top edge, corner, right
// edge, corner, bottom edge, corner, left edge); cap triples left cap, middle
// tile, right cap; buttons normal, pressed and focused triples in that order.
#pragma once

#include <cstdint>

namespace qzf_chrome {

// Blob set 1 (tinted with the colour scheme).
constexpr uint16_t kFormFrame = 1289;  // 8 pieces, 6 x 6
constexpr uint16_t kTitleBar = 1297;   // 3 pieces, 8 x 18
// Blob set 2 (tinted).
constexpr uint16_t kButton = 1300;         // 9 pieces: 6, 4 and 6 wide, 20 high
constexpr uint16_t kSelectorLeft = 1309;   // normal, pressed, focused; 18 x 20
constexpr uint16_t kSelectorRight = 1312;  // normal, pressed, focused; 18 x 20
// Blob set 4 (tinted).
constexpr uint16_t kPopupFrame = 1342;    // 8 pieces: 4 x 4 corners, 2 x 4 and 4 x 2 edges
constexpr uint16_t kMenuBarFrame = 1350;  // as kPopupFrame
constexpr uint16_t kSoftKeyLeft = 1366;   // normal, pressed; 72 x 20
constexpr uint16_t kSoftKeyRight = 1368;
// Untinted sets, one group each (the set in brackets).
constexpr uint16_t kAccentButton = 1315;  // (3) 9 pieces as kButton
constexpr uint16_t kCheckbox = 1324;      // (0) unchecked, checked, focused unchecked, focused checked; 14 x 14
constexpr uint16_t kRoundButton = 1328;   // (16) as kCheckbox
constexpr uint16_t kSliderBar = 1332;     // (17) bar, focused bar (104 x 12), knob (10 x 18)
constexpr uint16_t kSliderBarFocused = 1333;
constexpr uint16_t kSliderKnob = 1334;
constexpr uint16_t kTextEntry = 1335;          // (18) normal triple, focused triple; 4 x 20 each
constexpr uint16_t kTextCursor = 1341;         // (25) 2 x 14
constexpr uint16_t kSubmenuArrowLeft = 1358;   // (23) 6 x 9
constexpr uint16_t kSubmenuArrowRight = 1359;  // (23)
constexpr uint16_t kMarkOn = 1360;             // (24) 11 x 11
constexpr uint16_t kMarkOff = 1361;            // (24)
constexpr uint16_t kScrollUp = 1362;           // (22) up, up pressed, down, down pressed; 12 x 12
constexpr uint16_t kScrollDown = 1364;         // (22)
constexpr uint16_t kKey = 1370;                // (99) normal, focused, pressed; 20 x 20 (one cell)
constexpr uint16_t kWideKey = 1373;            // (21) normal, focused, pressed; 60 x 20 (three cells)
constexpr uint16_t kAlertFrame = 1376;         // (15) 8 pieces as kFormFrame
constexpr uint16_t kSignInformation = 1384;    // (20) 24 x 24, as the three below
constexpr uint16_t kSignWarning = 1385;
constexpr uint16_t kSignQuestion = 1386;
constexpr uint16_t kSignError = 1387;
constexpr uint16_t kRule = 1388;  // (19) 180 x 4
// The range the interface pictures keep to.
constexpr uint16_t kFirst = 1289;
constexpr uint16_t kLast = 1388;

}  // namespace qzf_chrome
