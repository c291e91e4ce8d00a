#include "app_value_tables.h"

#include <array>
#include <initializer_list>

#include "qzf_application.h"
#include "qzf_form_description.h"

namespace {

using Table = std::array<int16_t, kQZFValueTableSize>;

struct Entry {
  AppValue index;
  int16_t value;
};

// Sizes, spacing and places along the title curve, the same on every display.
constexpr Entry kShared[] = {
    {kAppValueOrnament2Y, 1},
    {kAppValueOrnament1Y, 1},
    {kAppValueOrnament1X, 16},
    {kAppValueCurveHeightB, 34},
    {kAppValueCurveWidthB, 34},
    {kAppValueCurveHeightA, 66},
    {kAppValueCurveWidthA, 66},
    {kAppValueHeaderY, 5},
    {kAppValueLoadPictureY, 4},
    {kAppValueProgressHeight, 24},
    {kAppValueProgressWidth, 127},
    {kAppValueMinimiseY, 2},
    {kAppValueFontMetricB, 4},
    {kAppValueFontMetricA, 2},
    {kAppValueSpaceWidth, 4},
    {kAppValueLetterSpacing, 1},
    {kAppValueForwardButtonHeight, 24},
    {kAppValueForwardButtonWidth, 24},
    {kAppValueBackButtonX, 10},
    {kAppValueBackButtonHeight, 24},
    {kAppValueBackButtonWidth, 24},
    {kAppValueDialSlot10, 84},
    {kAppValueDialSlot11, 66},
    {kAppValueDialSlot2, 16},
    {kAppValueDialSlot1, 34},
    {kAppValueDialShadowY, -3},
    {kAppValueDialShadowX, -3},
    {kAppValueFaderHeight, 30},
    {kAppValueFaderX, 8},
    {kAppValueFaderLineGap, 14},
    {kAppValueFormWidth, 224},
    {kAppValueFormTop, 12},
    {kAppValueTextWidth, 200},
    {kAppValueGroupGap, 8},
    {kAppValueButtonWidth, 92},
    {kAppValuePageNameWidth, 128},
    {kAppValueTrophyPanelHeight, 104},
    {kAppValueTrophyImageY, 30},
    {kAppValueFrontsArea, 224},
    {kAppValueSwatchHeight, 28},
    {kAppValueSwatchWidth, 40},
    {kAppValueThemeArea, 224},
    {kAppValueChooserArea, 224},
    {kAppValueThumbHeight, 80},
    {kAppValueThumbWidth, 60},
    {kAppValueSmallCardHeight, 29},
    {kAppValueSmallCardWidth, 21},
    {kAppValueCardHeight, 43},
    {kAppValueCardWidth, 31},
    {kAppValueBackgroundsGridHeight, 84},
    {kAppValueBacksGridHeight, 72},
    {kAppValueFrontsGridHeight, 47},
    {kAppValueThemeGridHeight, 110},
    {kAppValueGridWidth, 208},
    {kAppValuePreviewStep, 4},
    {kAppValueTutorialArrowX1, 6},
    {kAppValueTutorialArrowX2, 30},
    {kAppValueTutorialArrowX3, 54},
    {kAppValueTutorialArrowY, 22},
    {kAppValueHelpTextWidth, 220},
    {kAppValueSameLine, 0},
};

// The shared entries, then the display's own.
constexpr Table makeTable(std::initializer_list<Entry> own) {
  Table table{};
  for (const Entry& e : kShared) table[e.index] = e.value;
  for (const Entry& e : own) table[e.index] = e.value;
  return table;
}

// 240 x 320, portrait.
constexpr Table kPortrait = makeTable({
    {kAppValueOrnament2X, 178},     {kAppValueFrameX, 0},          {kAppValueCurveEndY, 360},
    {kAppValueCurveEndX, 120},      {kAppValueCurveControlY, 166}, {kAppValueCurveControlX, 86},
    {kAppValueCurveStartY, 100},    {kAppValueCurveStartX, 280},   {kAppValueHeaderX, 13},
    {kAppValueLoadBarFrameY, 272},  {kAppValueLoadBarFrameX, 56},  {kAppValueLoadPictureX, 11},
    {kAppValueProgressY, 273},      {kAppValueProgressX, 57},      {kAppValueMinimiseX, 222},
    {kAppValueScreenHeight, 320},   {kAppValueScreenWidth, 240},   {kAppValueForwardButtonY, 270},
    {kAppValueForwardButtonX, 206}, {kAppValueBackButtonY, 270},   {kAppValueFaderWidth, 224},
    // The trophy cabinet: four shelves of 13 across the screen, the panel
    // over the two shelves away from the chosen trophy, the button below.
    {kAppValueShelfX, 3},           {kAppValueShelfPitch, 18},     {kAppValueShelfTop, -24},
    {kAppValueShelfGap, 29},        {kAppValueTrophyPanelLowY, 158}, {kAppValueTrophyPanelLowX, 6},
    {kAppValueTrophyPanelHighY, 42}, {kAppValueTrophyPanelHighX, 6}, {kAppValueTrophyPanelWidth, 228},
    {kAppValueTrophyImageX, 20},    {kAppValueTrophyTextX, 62},    {kAppValueTrophyTextWidth, 164},
    {kAppValueTrophyTextHeight, 84}, {kAppValueTrophyUpperTextY, 54}, {kAppValueTrophyLowerTextY, 170},
    {kAppValueTrophyCloseY, 290},   {kAppValueTrophyNameY, 32},
    // The title: the game's name under the front item, its facts below, the
    // preview under them, the player's name under the preview.
    {kAppValueTitleNameY, 102},     {kAppValueFaderY, 117},        {kAppValuePreviewX, 4},
    {kAppValuePreviewY, 148},       {kAppValueTitlePlayerX, 4},    {kAppValueTitlePlayerY, 253},
    {kAppValueRulesTextHeight, 180}, {kAppValueTutorialTextHeight, 100},
});

// 320 x 240, landscape: the same pictures, centred on the wider screen.
constexpr Table kLandscape = makeTable({
    {kAppValueOrnament2X, 258},     {kAppValueFrameX, 40},         {kAppValueCurveEndY, 280},
    {kAppValueCurveEndX, 160},      {kAppValueCurveControlY, 120}, {kAppValueCurveControlX, 120},
    {kAppValueCurveStartY, 70},     {kAppValueCurveStartX, 380},   {kAppValueHeaderX, 53},
    {kAppValueLoadBarFrameY, 200},  {kAppValueLoadBarFrameX, 96},  {kAppValueLoadPictureX, 51},
    {kAppValueProgressY, 201},      {kAppValueProgressX, 97},      {kAppValueMinimiseX, 302},
    {kAppValueScreenHeight, 240},   {kAppValueScreenWidth, 320},   {kAppValueForwardButtonY, 200},
    {kAppValueForwardButtonX, 286}, {kAppValueBackButtonY, 200},   {kAppValueFaderWidth, 140},
    {kAppValueShelfX, 10},          {kAppValueShelfPitch, 24},     {kAppValueShelfTop, -32},
    {kAppValueShelfGap, 20},        {kAppValueTrophyPanelLowY, 118}, {kAppValueTrophyPanelLowX, 46},
    {kAppValueTrophyPanelHighY, 28}, {kAppValueTrophyPanelHighX, 46}, {kAppValueTrophyPanelWidth, 228},
    {kAppValueTrophyImageX, 60},    {kAppValueTrophyTextX, 102},   {kAppValueTrophyTextWidth, 164},
    {kAppValueTrophyTextHeight, 84}, {kAppValueTrophyUpperTextY, 40}, {kAppValueTrophyLowerTextY, 130},
    {kAppValueTrophyCloseY, 218},   {kAppValueTrophyNameY, 18},
    // The title: the game's name and its facts over the preview, the player's
    // name in the left column under the header.
    {kAppValueTitleNameY, 98},      {kAppValueFaderY, 112},        {kAppValuePreviewX, 8},
    {kAppValuePreviewY, 136},       {kAppValueTitlePlayerX, 4},    {kAppValueTitlePlayerY, 48},
    {kAppValueRulesTextHeight, 110}, {kAppValueTutorialTextHeight, 60},
});

struct Scale {
  int letter;
  AppScaleFactors factors;
};
constexpr Scale kScales[] = {{'A', {117, 94}}, {'C', {86, 86}}, {'D', {86, 64}}, {'E', {64, 86}}, {'F', {64, 64}},
                             {'G', {64, 43}},  {'H', {43, 64}}, {'J', {43, 32}}, {'K', {32, 43}}, {'Q', {20, 35}}};

}  // namespace

std::span<const int16_t> AppValueTable(int displayLetter) {
  return displayLetter == 'E' ? std::span<const int16_t>(kLandscape) : std::span<const int16_t>(kPortrait);
}

AppScaleFactors AppScaleFactorsFor(int displayLetter) {
  for (const Scale& s : kScales) {
    if (s.letter == displayLetter) return s.factors;
  }
  return {128, 128};
}

int16_t AppCurrentValue(const CQZFApplication* app, size_t index) {
  const std::span<const int16_t> table = app ? app->getCurrentValueTable() : std::span<const int16_t>();
  return index < table.size() ? table[index] : 0;
}
