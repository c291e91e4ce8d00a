// The layout values of each display: every position and size that a form
// description or an application routine needs is an index into the table of
// the display in use, and the display's scale factors convert between table
// units and the framework's internal coordinates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Named entries of the tables.
enum AppValue : uint16_t {
  // The appearance choosers' grids, as high as their cells and frames.
  kAppValueBackgroundsGridHeight = 18,
  kAppValueBacksGridHeight = 42,
  kAppValueFrontsGridHeight = 44,
  kAppValueThemeGridHeight = 46,
  // The trophy cabinet: the panel in the lower and in the upper half, its
  // size, the large picture in it, its texts, the shelves and the button.
  kAppValueTrophyPanelLowY = 20,
  kAppValueTrophyPanelLowX = 21,
  kAppValueTrophyPanelHighY = 22,
  kAppValueTrophyPanelHighX = 23,
  kAppValueTrophyPanelHeight = 24,
  kAppValueTrophyPanelWidth = 25,
  kAppValueTrophyTextX = 26,
  kAppValueTrophyImageY = 27,
  kAppValueTrophyImageX = 28,
  kAppValueTrophyUpperTextY = 29,
  kAppValueTrophyLowerTextY = 30,
  kAppValueShelfGap = 31,
  kAppValueShelfPitch = 32,
  kAppValueShelfTop = 33,
  kAppValueShelfX = 34,
  kAppValueTrophyTextWidth = 35,
  kAppValueTrophyTextHeight = 36,
  kAppValueTrophyNameY = 37,
  // The appearance choosers: the width their grids centre in, the colour
  // swatches and the background thumbnails.
  kAppValueFrontsArea = 38,
  kAppValueTrophyCloseY = 39,
  kAppValueSwatchHeight = 40,
  kAppValueSwatchWidth = 41,
  kAppValueThemeArea = 43,
  kAppValueChooserArea = 45,
  kAppValueThumbHeight = 74,
  kAppValueThumbWidth = 75,
  // The card art's sizes.
  kAppValueSmallCardHeight = 95,
  kAppValueSmallCardWidth = 96,
  kAppValueCardHeight = 97,
  kAppValueCardWidth = 98,
  // The width the new-game grid is centred in (its panel picture's).
  kAppValueGridWidth = 48,
  // Where the tour's arrow points: three places along the toolbar, one height.
  kAppValueTutorialArrowX3 = 9,
  kAppValueTutorialArrowX2 = 10,
  kAppValueTutorialArrowX1 = 11,
  kAppValueTutorialArrowY = 12,
  kAppValueOrnament2Y = 50,
  kAppValueOrnament2X = 51,
  kAppValueOrnament1Y = 54,
  kAppValueOrnament1X = 55,
  // The width of the application's dialog forms, and the room left above
  // their first gadget for the title tab.
  kAppValueFormWidth = 60,
  kAppValueFormTop = 61,
  kAppValueFrameX = 71,
  // Alerts and the statistics: the width of a text, a gap between groups
  // of gadgets, the least width of a button of a pair, of a page name.
  kAppValueTextWidth = 190,
  kAppValueGroupGap = 191,
  kAppValueButtonWidth = 192,
  kAppValuePageNameWidth = 193,
  kAppValueForwardButtonY = 107,
  kAppValueForwardButtonX = 108,
  kAppValueForwardButtonHeight = 109,
  kAppValueForwardButtonWidth = 110,
  kAppValueBackButtonY = 111,
  kAppValueBackButtonX = 112,
  kAppValueBackButtonHeight = 113,
  kAppValueBackButtonWidth = 114,
  kAppValueDialSlot10 = 115,
  kAppValueDialSlot11 = 116,
  kAppValueDialSlot2 = 117,
  kAppValueDialSlot1 = 118,
  kAppValueCurveEndY = 119,
  kAppValueCurveEndX = 120,
  kAppValueCurveControlY = 121,
  kAppValueCurveControlX = 122,
  kAppValueCurveStartY = 123,
  kAppValueCurveStartX = 124,
  kAppValueCurveHeightB = 129,
  kAppValueCurveWidthB = 130,
  kAppValueCurveHeightA = 131,
  kAppValueCurveWidthA = 132,
  kAppValueDialShadowY = 125,
  kAppValueDialShadowX = 126,
  // The title's game preview: the step between a column's cards and the
  // preview's top-left corner (its size and card size are the game
  // engine's preview entries 145-148).
  kAppValuePreviewStep = 142,
  kAppValuePreviewY = 149,
  kAppValuePreviewX = 150,
  kAppValueFaderHeight = 151,
  kAppValueFaderWidth = 152,
  kAppValueFaderY = 153,
  kAppValueFaderX = 154,
  // The title screen's labels: the game's name (centred) under the dial's
  // front item, the player's name.
  kAppValueTitleNameY = 155,
  kAppValueTitlePlayerY = 156,
  kAppValueTitlePlayerX = 157,
  kAppValueHeaderY = 160,
  kAppValueHeaderX = 161,
  kAppValueLoadBarFrameY = 164,
  kAppValueLoadBarFrameX = 165,
  kAppValueLoadPictureY = 168,
  kAppValueLoadPictureX = 169,
  kAppValueProgressY = 172,
  kAppValueProgressX = 173,
  kAppValueProgressHeight = 174,
  kAppValueProgressWidth = 175,
  // The help forms' text boxes: their width, the rules' and the tour's
  // heights; and a distance of nothing (a gadget level with another).
  kAppValueHelpTextWidth = 194,
  kAppValueRulesTextHeight = 195,
  kAppValueTutorialTextHeight = 196,
  kAppValueSameLine = 197,
  kAppValueMinimiseY = 199,
  kAppValueMinimiseX = 200,
  kAppValueFontMetricB = 205,
  kAppValueFontMetricA = 206,
  kAppValueSpaceWidth = 207,
  kAppValueLetterSpacing = 208,
  kAppValueFaderLineGap = 209,
  kAppValueScreenHeight = 211,
  kAppValueScreenWidth = 212,
};

struct AppScaleFactors {
  int x;
  int y;
};

// The table of the display letter ('D' portrait, 'E' landscape; any other
// letter gets the default table).
std::span<const int16_t> AppValueTable(int displayLetter);
// The letter's horizontal and vertical factors (128 stands for 1.0).
AppScaleFactors AppScaleFactorsFor(int displayLetter);

class CQZFApplication;
// Entry `index` of the application's table in use; 0 without an application
// or past the table's end.
int16_t AppCurrentValue(const CQZFApplication* app, size_t index);
