#include "app_play_services.h"

#include <utility>

#include "app_application.h"
#include "app_form_game.h"
#include "app_form_ids.h"
#include "app_form_user.h"
#include "app_game_flow.h"
#include "app_settings.h"
#include "app_value_tables.h"
#include "qzf_audio.h"
#include "qzf_form_handler.h"
#include "qzf_helpers.h"
#include "qzf_metrics.h"

namespace {

// Cards of 31 x 43 (large) and 21 x 29 (small): seven large columns fit the
// 240 pixels with a few pixels between them; the table starts under the
// 22-pixel toolbar strip.
constexpr std::pair<int, int16_t> kGameLayout[] = {
    {kValueHomeToleranceY, 2},
    {kValueHomeToleranceX, 2},
    {kValueMaxGap, 12},
    {kValueFanStep, 13},
    {kValueGrabY, 21},
    {kValueWasteFanStep, 10},
    {kValueGrabX, 15},
    {kValueSmallFrameOffset, 2},
    {kValueSmallFrameHeight, 33},
    {kValueSmallFrameWidth, 25},
    {kValueFrameOffset, 2},
    {kValueFrameHeight, 47},
    {kValueFrameWidth, 35},
    {kValueSmallCardHeight, 29},
    {kValueSmallCardWidth, 21},
    {kValueCardHeight, 43},
    {kValueCardWidth, 31},
    {kValueAreaWidth, 240},
    {kValueAreaHeight, 296},
    {kValueMargin, 3},
    {kValueTop, 26},
    {kValuePreviewMaxGap, 4},
    {kValuePreviewMargin, 2},
    {kValuePreviewCardHeight, 14},
    {kValuePreviewCardWidth, 10},
    {kValuePreviewAreaHeight, 100},
    {kValuePreviewAreaWidth, 100},
    {kValueScreenHeight, 320},
    {kValueScreenWidth, 240},
    // The toolbar (the play art's pictures): strip, tray, buttons 22 x 18
    // from x 3 with 2 between them, the battery's bar, the time of day (its
    // height the clock font's line), the tutorial arrow and the hint marker.
    {71, 0},
    {66, 2},
    {65, 1},
    {68, 176},
    {67, 20},
    {73, 240},
    {72, 22},
    {60, 3},
    {70, 22},
    {69, 20},
    {58, 2},
    {64, 150},
    {63, 6},
    {62, 8},
    {61, 20},
    // The time of day and the game clock share a width that holds "0:00:00";
    // the time stays centred on its 46-pixel plaque at x 178.
    {53, 174},
    {52, 4},
    {47, 54},
    {209, 13},
    // The game clock between the soft keys at the bottom; Calculation's hint
    // strip (209 high) 2 above its foundations.
    {49, 93},
    {48, 303},
    {210, 13},
    {206, 2},
    {14, 16},
    {13, 22},
    {88, 18},
    {87, 18},
};

// The forms the game opens, by id, with their class tags.
constexpr std::pair<int, const char*> kGameForms[] = {{kFormTutorial, "frmtutor"},
                                                      {kFormGameOver, kAppTagGameOver},
                                                      {kFormInstructions, "frminstr"},
                                                      {CAppGameForm::kNewDealAlert, kAppTagAlert},
                                                      {CAppGameForm::kRestartAlert, kAppTagAlert}};

}  // namespace

int16_t AppGameLayoutValue(int entry) {
  for (const auto& [e, v] : kGameLayout) {
    if (e == entry) return v;
  }
  return 0;
}

CAppPlayServices::CAppPlayServices(CAppApplication& app, CAppUserForm& profile) : app_(app), profile_(profile) {
  pullSettings();
}

void CAppPlayServices::pullSettings() {
  const CAppSettings& s = profile_.settings();
  const CAppGameRules& r = s.rules;
  settings_.rebuildFlag = s.settingsChanged;
  settings_.showCards = s.showCards;
  settings_.tutorialPending = s.tutorialPending;
  settings_.currentGameType = static_cast<int32_t>(s.currentGameType);
  for (int i = 0; i < kGameTypeCount; ++i) {
    settings_.dealNumber[i] = s.dealNumber[i];
    for (int k = 0; k < kOptionCount; ++k) settings_.options[i][k] = s.gameOptions[i][k];
    settings_.instructionsShown[i] = profile_.profile().instructionsShown[i];
  }
  AppGameSettings& g = settings_;
  g.klondikeTurnCount = r.klondike.drawCount;
  g.klondikeRedealLimit = r.klondike.redealLimit;
  g.klondikeTakeBack = r.klondike.box1341;
  g.klondikeEmptyAccepts = r.klondike.threeWayA;
  g.klondikeDealFace = r.klondike.fourWayB;
  g.freecellDecks = r.freecell.choice1354;
  g.freecellTakeBack = r.freecell.box1341;
  g.freecellEmptyAccepts = r.freecell.threeWayA;
  g.freecellBuildSuit = r.freecell.threeWayC;
  g.pyramidPairCovered = r.pyramid.box1366;
  g.pyramidWinByFoundation = r.pyramid.box1367;
  g.pyramidRedealLimit = r.pyramid.redealLimit;
  g.pyramidStockFaceUp = r.pyramid.box1368;
  g.spiderEmptyAccepts = r.spider.threeWayA;
  g.spiderDealFace = r.spider.fourWayB;
  g.spiderSuits = r.spider.suits;
  g.spiderRunRule = r.spider.choice1363;
  g.spiderNoDealOverGap = r.spider.box1450;
  g.calcTakeBack = r.calculation.box1341;
  g.calcBuildSuit = r.calculation.choice1357;
  g.calcRankStep = r.calculation.choice1357Flag;
  g.calcShowNextRank = r.calculation.box1453;
  g.golfWrap = r.golf.firstFlag;
  g.golfKingStops = r.golf.secondFlag;
  g.sultanTurnCount = r.sultan.drawCount;
  g.sultanRedealLimit = r.sultan.redealLimit;
  g.sultanReserveRefill = r.sultan.box1420;
  g.sultanBuildSuit = r.sultan.choice1357;
  g.idiotCountSourceColumn = r.idiot.box1366;
  g.idiotNoDealOverGap = r.idiot.box1450;
  g.canfieldTurnCount = r.canfield.drawCount;
  g.canfieldRedealLimit = r.canfield.redealLimit;
  g.canfieldLiftWholePile = r.canfield.box1366;
  g.canfieldAutoRefill = r.canfield.box1420;
  g.canfieldReserveFanned = r.canfield.box1436;
  g.clockFace = r.clock.box1438;
  g.fourCornersRedealLimit = r.fourCorners.redealLimit;
  g.fourCornersStockFaceUp = r.fourCorners.box1368;
  g.fourCornersAutoRefill = r.fourCorners.box1420;
  g.fourCornersFirstCardBase = r.fourCorners.box1440;
  g.yukonTakeBack = r.yukon.box1341;
  g.yukonEmptyAccepts = r.yukon.threeWayA;
  g.yukonDealFace = r.yukon.fourWayB;
  g.yukonBuildSuit = r.yukon.threeWayC;
  taken_ = settings_;
}

// What the game changed of the settings since they were taken (the deal
// numbers, the tutorial flag and the rules shown once per game) goes to the
// profile; what another form
// changed there meanwhile stays.
void CAppPlayServices::pushSettings() {
  CAppSettings& s = profile_.settings();
  if (settings_.tutorialPending != taken_.tutorialPending) s.tutorialPending = settings_.tutorialPending;
  // The game built its layout from the changed settings.
  if (taken_.rebuildFlag && !settings_.rebuildFlag) s.settingsChanged = 0;
  for (int i = 0; i < kGameTypeCount; ++i) {
    if (settings_.dealNumber[i] != taken_.dealNumber[i]) s.dealNumber[i] = settings_.dealNumber[i];
    if (settings_.instructionsShown[i] != taken_.instructionsShown[i]) {
      profile_.profile().instructionsShown[i] = settings_.instructionsShown[i];
    }
  }
  taken_ = settings_;
}

int16_t CAppPlayServices::value(int entry) const {
  if (const int16_t v = AppGameLayoutValue(entry); v != 0) return v;
  return entry >= 0 ? AppCurrentValue(&app_, static_cast<size_t>(entry)) : 0;
}

uint32_t CAppPlayServices::now() const { return CQZFMetrics::getTime(); }

int CAppPlayServices::random(int n) { return n <= 0 ? 0 : QZFRandom(n); }

void CAppPlayServices::playSound(int id, int pan, int pitch, int volume, int priority) {
  if (CQZFAudioManager* audio = app_.getAudioManager()) {
    static_cast<void>(audio->playSound(static_cast<uint16_t>(id), pan, pitch, volume, priority));
  }
}

void CAppPlayServices::recordGameResult(int32_t type, int won, uint32_t elapsed, uint16_t hints, uint16_t undoCount) {
  profile_.recordGameResult(static_cast<uint32_t>(type), won != 0, elapsed, static_cast<int16_t>(hints),
                            static_cast<int16_t>(undoCount), AppGameFlow::gameState(app_));
}

void CAppPlayServices::advanceDealNumber(int slot) {
  if (slot < 0 || slot >= kGameTypeCount) return;
  profile_.profile().advanceDealNumber(slot);
  settings_.dealNumber[slot] = profile_.settings().dealNumber[slot];
}

void CAppPlayServices::discardSavedGame(int slot) {
  if (slot >= 0 && slot < kGameTypeCount) profile_.profile().discardSavedGame(slot);
}

void CAppPlayServices::openForm(int formId, int32_t param) {
  for (const auto& [id, tag] : kGameForms) {
    if (id == formId) static_cast<void>(app_.openForm(static_cast<uint16_t>(id), tag, static_cast<uint32_t>(param)));
  }
}

int CAppPlayServices::topFormId() const {
  const CQZFFormHandler* handler = app_.getFormHandler();
  return handler ? handler->getTopFormId() : 0;
}

void CAppPlayServices::resetIdleCounter() { app_.resetStartFrames(); }

// The play screen loads the card back the choice names at its next frame.
void CAppPlayServices::chooseBackground() { static_cast<void>(profile_.profile().resolveRandomChoice()); }

void CAppPlayServices::reportError(const char* source, int line, int16_t code) { app_.reportError(source, line, code); }
