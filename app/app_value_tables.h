// The layout values of each display: every position and size that a form
// description or an application routine needs is an index into the table of
// the display in use, and the display's scale factors convert between table
// units and the framework's internal coordinates.
#pragma once

#include <cstdint>
#include <span>

// Named entries of the tables.
enum AppValue : uint16_t {
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
  kAppValueFaderHeight = 151,
  kAppValueFaderWidth = 152,
  kAppValueFaderY = 153,
  kAppValueFaderX = 154,
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
  kAppValueHelpTextWidth = 190,
  kAppValueRulesTextHeight = 191,
  kAppValueTutorialTextHeight = 192,
  kAppValueSameLine = 193,
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
