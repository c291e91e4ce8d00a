#include "app_form_game.h"

#include <new>
#include <optional>

#include "app_application.h"
#include "app_card.h"
#include "app_card_pile.h"
#include "app_end_game_anim.h"
#include "app_foundation_pile.h"
#include "app_form_ids.h"
#include "app_form_user.h"
#include "app_game.h"
#include "app_game_state.h"
#include "app_game_toolbar.h"
#include "app_hints.h"
#include "app_in_hand_pile.h"
#include "app_object_timer.h"
#include "app_play_services.h"
#include "app_settings.h"
#include "app_tutorial_arrow.h"
#include "qz_blob.h"
#include "qzf_font_manager.h"
#include "qzf_form_handler.h"
#include "qzf_graphics.h"
#include "qzf_menu.h"
#include "qzf_menu_description.h"
#include "qzf_metrics.h"

namespace {

// Pictures of the play screen: the toolbar, the hint marker, the tutorial
// arrow, and the large and small card extras (edge-on back, shadow,
// selection frame, highlight frame, empty-pile mark, mark dot).
constexpr int kArtSets[] = {12, 101, 102, 103, 104};
// The strip behind the toolbar and the plaque under the time of day, drawn
// here when no table picture carries them.
constexpr int kStripImage = 682, kOrnamentImage = 1231, kOrnamentRight = 62;
constexpr int kToolbarY = 1;
struct Extras {
  int selection, highlight, mark;
};
constexpr Extras kLargeExtras = {1235, 1236, 1237};
constexpr Extras kSmallExtras = {1240, 1241, 1242};
constexpr int kFrameOffset = 2;
// The frame of a pile's place, inside the card's outline.
constexpr int kPlaceInset = 2, kPlaceFrameThickness = 2;
// A card's shadow, and the green wash and rim over a marked card.
constexpr int kShadowLevel = 70;
constexpr uint16_t kMarkWash = 0x37E6;  // (50, 255, 50)
constexpr int kMarkWashLevel = 50, kMarkLevel = 125;
// The ranks written on the foundations.
constexpr uint16_t kLabelFont = 388;
constexpr int kLabelLevel = 250, kCentre = 1;
constexpr uint16_t kTableColour = 0x2C66;  // a green baize where no background plane is loaded
constexpr int kOpaque = 255;

// The suit of each group of thirteen fronts (the fronts run king to ace).
constexpr int kSuitOfGroup[4] = {1, 3, 2, 0};

// Front sets of each style: one set, or one set per suit.
struct FrontSet {
  int firstSet;
  int sets;
};
FrontSet frontSets(int firstSet) {
  return firstSet == 91 || firstSet == 81 || firstSet == 86 ? FrontSet{firstSet, 4} : FrontSet{firstSet, 1};
}

// The blob set that carries a card back (large or small).
int backSet(int blob, bool large) {
  struct Range {
    int firstBlob, lastBlob, firstSet;
  };
  static constexpr Range kLarge[] = {
      {816, 836, 54}, {848, 864, 70}, {1258, 1262, 110}, {1276, 1284, 118}, {1287, 1287, 124}};
  static constexpr Range kSmall[] = {
      {762, 782, 27}, {794, 810, 43}, {1252, 1256, 107}, {1266, 1274, 113}, {1285, 1285, 123}};
  for (const Range& r : large ? std::span<const Range>(kLarge) : std::span<const Range>(kSmall)) {
    if (blob >= r.firstBlob && blob <= r.lastBlob && (blob - r.firstBlob) % 2 == 0) {
      return r.firstSet + (blob - r.firstBlob) / 2;
    }
  }
  return large ? 54 : 27;
}

char pileKindLetter(AppPileKind kind) {
  switch (kind) {
    case kPileStock: return 's';
    case kPileWaste: return 'w';
    case kPileFoundation: return 'f';
    case kPileTableau: return 't';
    case kPileCell: return 'c';
    case kPileReserve: return 'r';
    default: return 'h';
  }
}

}  // namespace

// Its saved state holds no text, so it comes back whatever the language.
CAppGameForm::CAppGameForm() {
  setName(kAppTagGame);
  setAnyLanguage(true);
}

CAppGameForm::~CAppGameForm() {
  game_.reset();
  releaseArt();
}

int16_t CAppGameForm::open(uint16_t formId, uint32_t param) {
  const auto fail = [this](int line, int16_t code) {
    return CQZFApplication::report(this, "app_form_game", line, code);
  };
  app_ = findOwner<CAppApplication>();
  CAppUserForm* profile = app_ ? app_->getUserForm() : nullptr;
  if (!profile) return fail(__LINE__, QZ_ERR_BAD_STATE);
  if (const int16_t r = prepareOpen(formId, param); r < 0) return fail(__LINE__, r);
  if (!getGraphics()) return fail(__LINE__, QZ_ERR_BAD_STATE);
  services_.reset(new (std::nothrow) CAppPlayServices(*app_, *profile));
  if (!services_) return fail(__LINE__, QZ_ERR_NO_MEMORY);
  const int16_t width = services_->value(kValueScreenWidth), height = services_->value(kValueScreenHeight);
  setGadgetRect({0, 0, width, height});
  computeLayout();
  setWholeScreenBackground(true);
  game_.reset(new (std::nothrow) CAppGame(this, services_.get()));
  if (!game_) return fail(__LINE__, QZ_ERR_NO_MEMORY);
  if (const int16_t r = game_->init(services_->settings().currentGameType); r < 0) return fail(__LINE__, r);
  services_->pushSettings();
  toolbar_.reset(new (std::nothrow) CAppGameToolbar(*game_, *services_, *getGraphics()));
  if (!toolbar_) return fail(__LINE__, QZ_ERR_NO_MEMORY);
  arrow_.reset(new (std::nothrow) CAppTutorialArrow(*services_, *getGraphics()));
  if (!arrow_) return fail(__LINE__, QZ_ERR_NO_MEMORY);
  setMenuId(kPlayMenu);
  if (!game_->isDealPending()) game_->settle();
  static_cast<void>(profile->profile().resolveRandomChoice());
  loadArt();
  const CAppSettings& look = profile->settings();
  shownLook_ = {look.backgroundImage, look.backgroundScheme, look.backgroundGradient};
  return 0;
}

int16_t CAppGameForm::serialise(SerialiseStream& stream) {
  if (!game_) return 0;
  game_->gameClock().stop();
  static_cast<void>(game_->serialise(stream));
  return 0;
}

void CAppGameForm::pullSettings() {
  if (!services_) return;
  services_->pushSettings();
  services_->pullSettings();
}

CAppGameForm::CardArt CAppGameForm::chosenArt() const {
  const CAppSettings* s = app_ ? app_->getSettings() : nullptr;
  if (!s) return {};
  return {s->cardFrontLargeSet, s->cardFrontSmallSet, backSet(s->cardBackLarge, true),
          backSet(s->cardBackSmall, false)};
}

// Every blob set of the card pictures: the fronts (one set, or one a suit)
// and the backs of both sizes.
template <typename Visit>
void forEachCardSet(const CAppGameForm::CardArt& art, Visit visit) {
  for (const FrontSet f : {frontSets(art.frontLarge), frontSets(art.frontSmall)}) {
    for (int i = 0; i < f.sets; ++i) visit(f.firstSet + i);
  }
  visit(art.backLarge);
  visit(art.backSmall);
}

void CAppGameForm::loadArt() {
  CQZFGraphics* graphics = getGraphics();
  if (!graphics || !app_ || !app_->getSettings() || artLoaded_) return;
  for (int set : kArtSets) static_cast<void>(graphics->loadBlobSet(set, 0));
  loadedArt_ = chosenArt();
  forEachCardSet(loadedArt_, [graphics](int set) { static_cast<void>(graphics->loadBlobSet(set, 0)); });
  artLoaded_ = true;
}

// What was loaded is released, whatever the settings say now.
void CAppGameForm::releaseArt() {
  CQZFGraphics* graphics = getGraphics();
  if (!graphics || !artLoaded_) return;
  for (int set : kArtSets) graphics->releaseBlobSet(set);
  forEachCardSet(loadedArt_, [graphics](int set) { graphics->releaseBlobSet(set); });
  artLoaded_ = false;
}

// The card pictures follow the player's choice of fronts and backs (a
// chooser, or the random back drawn again for a new deal).
void CAppGameForm::refreshArt() {
  if (!artLoaded_ || chosenArt() == loadedArt_) return;
  releaseArt();
  loadArt();
  if (getGraphics()) getGraphics()->grid().invalidateAll();
}

// A changed table background is loaded when the play screen comes back on
// top; that answers the settings-changed flag.
void CAppGameForm::refreshBackground() {
  CAppSettings* s = app_ ? app_->getSettings() : nullptr;
  if (!s || !s->settingsChanged) return;
  const TableLook look{s->backgroundImage, s->backgroundScheme, s->backgroundGradient};
  if (look == shownLook_) return;
  shownLook_ = look;
  app_->applyBackground();
  if (getGraphics()) getGraphics()->grid().invalidateAll();
}

Handled CAppGameForm::onEvent(const QZFFormEvent& event) {
  if (event.type == kQZFFormRemoved) {
    if (game_) game_->gameClock().stop();
    if (services_) services_->pushSettings();
    releaseArt();
  }
  if (event.type == kQZFFormDeactivated && game_) {
    game_->gameClock().stop();
    if (game_->inHand().count() > 0) game_->returnCarriedCards();
  }
  if (event.type == kQZFFormActivated && getGraphics()) getGraphics()->grid().invalidateAll();
  // A game that was over when it was saved asks again what comes next (a won
  // one shows its end and the game-won form from the next frame on).
  if (event.type == kQZFFormRestored && game_ && isGameOver() && !game_->isEndAnimationRunning()) game_->onNoMoves();
  return Handled::kDone;
}

// --- Drawing ---------------------------------------------------------------------

int CAppGameForm::faceBlob(const CAppCard& card) const {
  const CAppSettings* s = app_->getSettings();
  const bool large = card.isLarge();
  if (!card.isFaceUp() && !s->showCards) return card.backBlob(large ? s->cardBackLarge : s->cardBackSmall);
  const int base = large ? s->cardFrontLargeImage : s->cardFrontSmallImage;
  for (int group = 0; group < 4; ++group) {
    if (kSuitOfGroup[group] == card.suit()) return base + group * 13 + 13 - card.rank();
  }
  return base;
}

// The shadow, the face or the back (in its turn-over frame), the frame of
// a selected or highlighted card that rests, and the green wash and rim of
// a marked card.
void CAppGameForm::drawCard(const CAppCard& card) {
  CQZFGraphics* graphics = getGraphics();
  if (card.castsShadow()) {
    const int d = card.shadowOffset();
    graphics->drawBlob(card.shadowBlob(), card.x() + d, card.y() + d, 0, kShadowLevel);
  }
  graphics->drawBlob(faceBlob(card), card.x(), card.y(), 0, kOpaque);
  const Extras& extras = card.isLarge() ? kLargeExtras : kSmallExtras;
  if (!card.isMoving() && (card.hasHighlight() || card.isSelected())) {
    drawSelectionFrame(card.hasHighlight() ? extras.highlight : extras.selection, card.x(), card.y());
  }
  if (card.isMarked()) {
    graphics->fillRect(card.x(), card.y(), card.width(), card.height(), 0, kMarkWashLevel, kMarkWash);
    drawMark(card.markBlob(), card.x(), card.y());
  }
}

// The frames light up what lies under them: they are added, not laid over.
void CAppGameForm::drawSelectionFrame(int blob, int x, int y) {
  getGraphics()->drawBlob(blob, x - kFrameOffset, y - kFrameOffset, kQZBlobAdditive, kOpaque);
}

// The green rim at half strength, then the dot.
void CAppGameForm::drawMark(int blob, int x, int y) {
  getGraphics()->drawBlob(blob, x, y, 0, kMarkLevel);
  getGraphics()->drawBlob(blob + 1, x, y, 0, kOpaque);
}

// The frame of the pile's place lies under its cards; an empty place that
// is a drop target shows the mark (the keypad focus on it is the cursor's).
// A card that the next resting card above it covers exactly is not drawn:
// its shadow would darken the edge of the stack once more for every card.
void CAppGameForm::drawPile(const CAppCardPile& pile) {
  if (const std::optional<uint16_t> colour = pile.frameColour()) {
    getGraphics()->drawFrame(pile.x() + kPlaceInset, pile.y() + kPlaceInset, pile.width() - 2 * kPlaceInset,
                             pile.height() - 2 * kPlaceInset, kPlaceFrameThickness, kOpaque, *colour);
  }
  if (pile.empty() && pile.isMarked() && !pile.isSelected()) {
    const bool large = pile.width() >= services_->value(kValueCardWidth);
    drawMark(large ? kLargeExtras.mark : kSmallExtras.mark, pile.x(), pile.y());
  }
  for (int i = 0; i < pile.count(); ++i) {
    const CAppCard* card = pile.cardFromBottom(i);
    if (card->isMoving()) continue;
    const CAppCard* above = nullptr;
    for (int k = i + 1; k < pile.count() && !above; ++k) {
      if (!pile.cardFromBottom(k)->isMoving()) above = pile.cardFromBottom(k);
    }
    if (!above || above->x() != card->x() || above->y() != card->y()) drawCard(*card);
  }
}

// An empty foundation shows its base rank; in Calculation each foundation
// names the rank it wants next in the strip above it.
void CAppGameForm::drawFoundationLabels(CAppFoundationPile& pile) {
  CQZFFontManager* fonts = app_->getFontManager();
  if (!fonts) return;
  char16_t text[3];
  const uint8_t base = pile.empty() ? pile.emptyLabelRank() : 0;
  if (base != 0) {
    CAppFoundationPile::rankText(base, text);
    const int y = pile.y() + pile.height() / 2 - services_->value(kValueExtraTop);
    fonts->drawText(text, pile.x(), y, pile.width(), kCentre, kLabelFont, kLabelLevel);
  }
  const int wanted = pile.wantedRank();
  if (wanted >= 0) {
    CAppFoundationPile::rankText(wanted, text);
    const QZRect strip = pile.wantedRankStrip();
    fonts->drawText(text, strip.x, strip.y, strip.w, kCentre, kLabelFont, kLabelLevel);
  }
}

// The keypad focus on a pile without a selected card (an empty pile).
void CAppGameForm::drawCursor() {
  const CAppCardPile* pile = game_->isKeyboardMode() ? game_->focusedPile() : nullptr;
  if (!pile || !pile->isSelected() || (pile->selectedCard() && !pile->selectedCard()->isMoving())) return;
  const bool large = pile->width() >= services_->value(kValueCardWidth);
  drawSelectionFrame(large ? kLargeExtras.selection : kSmallExtras.selection, pile->x(), pile->y());
}

Handled CAppGameForm::drawBackground() {
  CQZFGraphics* graphics = getGraphics();
  const uint16_t plane = app_ ? app_->colourSchemes().getBackgroundPlane() : 0;
  if (graphics && plane && graphics->isPlaneLoaded(plane)) {
    static_cast<void>(graphics->restoreBackgroundFromPlane(plane));
  } else if (graphics) {
    graphics->fillRect(0, 0, getGadgetRect().w, getGadgetRect().h, 0, kOpaque, kTableColour);
    graphics->drawBlob(kStripImage, 0, 0, 0, kOpaque);
    graphics->drawBlob(kOrnamentImage, services_->value(kValueScreenWidth) - kOrnamentRight, kToolbarY, 0, kOpaque);
  }
  return Handled::kDone;
}

Handled CAppGameForm::drawForeground() {
  CQZFGraphics* graphics = getGraphics();
  if (!graphics || !game_) return Handled::kDone;
  if (toolbar_) toolbar_->draw(app_->getFontManager());
  for (int i = 0; i < game_->pileCount(); ++i) {
    CAppCardPile* pile = game_->pile(i);
    drawPile(*pile);
    if (pile->kind() == kPileFoundation) drawFoundationLabels(static_cast<CAppFoundationPile&>(*pile));
  }
  game_->gameClock().draw(getGadgetRect().x, getGadgetRect().y);
  // Cards in flight over the table, then the carried cards. The cards a won
  // game throws off are drawn from the last thrown, so the first lies on top.
  if (const CAppEndGameAnim* end = game_->endGameAnimation()) {
    const auto& flying = end->flying();
    for (auto it = flying.rbegin(); it != flying.rend(); ++it) drawCard(**it);
  }
  for (int i = 0; i < game_->cardCount(); ++i) {
    const CAppCard* card = game_->card(i);
    if (card->isMoving() && !card->isCarried() && !game_->isEndAnimationRunning()) drawCard(*card);
  }
  drawPile(game_->inHand());
  if (game_->inHand().empty() || game_->isCarriedByTap()) drawCursor();
  const CAppHints& hints = game_->hints();
  if (hints.isVisible()) {
    graphics->drawBlob(CAppHints::kMarkerImage + hints.frame(), hints.markerX(), hints.markerY(), 0,
                       hints.level() ? hints.level() : kOpaque);
  }
  if (arrow_) arrow_->draw();
  return Handled::kDone;
}

uint32_t CAppGameForm::tableDigest() const {
  uint32_t digest = 2166136261U;
  const auto mix = [&digest](uint32_t v) { digest = (digest ^ v) * 16777619U; };
  for (int i = 0; i < game_->cardCount(); ++i) {
    const CAppCard* c = game_->card(i);
    mix(static_cast<uint16_t>(c->x()) | static_cast<uint32_t>(static_cast<uint16_t>(c->y())) << 16);
    mix((c->isFaceUp() ? 1U : 0U) | (c->isSelected() ? 2U : 0U) | (c->hasHighlight() ? 4U : 0U) |
        (c->isMarked() ? 8U : 0U) | (c->isCarried() ? 16U : 0U) | (c->isFlying() ? 32U : 0U) |
        (c->isFlipping() ? 64U : 0U) | static_cast<uint32_t>(c->flipFrame()) << 8);
  }
  for (int i = 0; i < game_->pileCount(); ++i) mix(game_->pile(i)->isMarked() ? 1U : 0U);
  const CAppHints& hints = game_->hints();
  mix(hints.isVisible() ? static_cast<uint32_t>(hints.level() | hints.frame() << 8) : 0U);
  mix(static_cast<uint32_t>(cursorPile()));
  return digest;
}

Handled CAppGameForm::onUpdate() {
  if (!game_ || !isActive()) return Handled::kDone;
  if (++frameCounter_ > 2) {
    frameCounter_ = 0;
    if (toolbar_->isPressed()) toolbar_->setPressed(false);
  }
  game_->tick();
  arrow_->tick();
  game_->gameClock().update();
  const CQZFMetrics* metrics = app_->getMetrics();
  toolbar_->update(metrics ? metrics->getSecondsInterval(0, 0xFFFFFFFFU) : 0);
  services_->pushSettings();
  services_->pullSettings();
  refreshArt();
  openWonForm();
  const uint32_t digest = tableDigest();
  if (digest != lastDigest_ && getGraphics()) {
    getGraphics()->grid().invalidateAll();
    lastDigest_ = digest;
    app_->resetStartFrames();
  }
  return Handled::kDone;
}

// --- The stylus and the toolbar ------------------------------------------------------

// A won game shows the game-won form once its end animation has run out, and
// only once (not again on every frame, nor when the player closed it).
void CAppGameForm::openWonForm() {
  if (!game_->isEndAnimationRunning()) {
    wonFormShown_ = false;
    return;
  }
  if (wonFormShown_ || !game_->isEndAnimationDone()) return;
  const CQZFFormHandler* handler = app_->getFormHandler();
  if (!handler || handler->findForm(kWonForm)) return;
  wonFormShown_ = true;
  static_cast<void>(app_->openForm(kWonForm, kAppTagGameWon, 0));
}

void CAppGameForm::dealAnew() {
  if (!game_) return;
  pullSettings();
  game_->newGame(true);
}

int CAppGameForm::cursorPile() const {
  const CAppCardPile* focus = game_ && game_->isKeyboardMode() ? game_->focusedPile() : nullptr;
  return focus ? focus->index() : -1;
}

bool CAppGameForm::isGameOver() const { return game_->isFinished() && !game_->keepsPlaying(); }

void CAppGameForm::stepHistory(bool undo) {
  if (isGameOver()) return;
  app_->resetStartFrames();
  game_->finishDealAnimation();
  game_->markDropTargets(false);
  game_->clearPlayableMarks();
  if (undo) game_->state().undo();
  else game_->state().redo();
  game_->requestSettle();
  game_->settle();
}

void CAppGameForm::setActive(bool active) {
  CQZFForm::setActive(active);
  if (!game_) return;
  if (!active) {
    game_->gameClock().stop();
    return;
  }
  if (!game_->isDealPending() && !isGameOver()) {
    game_->gameClock().start();
    game_->settle();
  }
  refreshArt();
  refreshBackground();
  if (getGraphics()) getGraphics()->grid().invalidateAll();
}

// Taps and drags go to the game; a drag that comes near an edge of the
// screen drops there.
Handled CAppGameForm::onPenEvent(const QZFPenEvent& pen) {
  if (!isActive() || !game_) return Handled::kPassOn;
  app_->resetStartFrames();
  settingsShowCardsOff();
  switch (pen.type) {
    case QZFPenType::kDown:
      penDown_ = true;
      if (!isGameOver()) {
        game_->gameClock().start();
        game_->onPenDown(pen.x, pen.y);
      }
      return Handled::kDone;
    case QZFPenType::kUp:
      if (!penDown_) return Handled::kDone;
      penDown_ = false;
      game_->onPenUp(pen.x, pen.y);
      return Handled::kDone;
    default: {
      if (!penDown_) return Handled::kDone;
      const QZRect& screen = getGadgetRect();
      if (pen.x < kEdgeDrop || pen.y < kEdgeDrop || pen.x > screen.w - kEdgeDrop || pen.y > screen.h - kEdgeDrop) {
        penDown_ = false;
        game_->onPenUp(pen.x, pen.y);
      } else {
        game_->onPenMove(pen.x, pen.y);
      }
      return Handled::kDone;
    }
  }
}

// The show-cards look ends at the next key or tap.
void CAppGameForm::settingsShowCardsOff() {
  AppGameSettings& s = services_->settings();
  if (!s.showCards) return;
  s.showCards = 0;
  if (CAppSettings* profile = app_->getSettings()) profile->showCards = 0;
  if (getGraphics()) getGraphics()->grid().invalidateAll();
}

Handled CAppGameForm::onKeyEvent(const QZFKeyEvent& key) {
  if (!game_) return Handled::kPassOn;
  game_->gameClock().start();
  settingsShowCardsOff();
  const bool mirrored = game_->option(kOptionMirror) != 0;
  switch (key.code) {
    case kQZFKeyReturn:
      if (!key.keyDown) return Handled::kPassOn;
      app_->resetStartFrames();
      [[fallthrough]];
    case ' ':
      if (toolbar_->isFocused()) toolbar_->activateSelected();
      else game_->onAction();
      return Handled::kDone;
    case kQZFKeyLeft:
    case kQZFKeyRight: {
      app_->resetStartFrames();
      const bool right = (key.code == kQZFKeyRight) != mirrored;
      if (toolbar_->isFocused()) toolbar_->moveSelection(right);
      else game_->onKey(right ? CAppGame::kKeyRight : CAppGame::kKeyLeft);
      return Handled::kDone;
    }
    case kQZFKeyUp:
    case kQZFKeyDown:
      app_->resetStartFrames();
      if (!toolbar_->isFocused()) game_->onKey(key.code == kQZFKeyUp ? CAppGame::kKeyUp : CAppGame::kKeyDown);
      return Handled::kDone;
    case 'd': openAlert(kRestartAlert); return Handled::kDone;
    case 'n': openAlert(kNewDealAlert); return Handled::kDone;
    case 's': openAlert(kChooseDeal); return Handled::kDone;
    case 'h':
      if (!isGameOver()) {
        app_->resetStartFrames();
        game_->hints().showNext();
      }
      return Handled::kDone;
    case 'i':
      app_->resetStartFrames();
      services_->openForm(kFormInstructions, game_->type());
      return Handled::kPassOn;
    case 'r': stepHistory(false); return Handled::kDone;
    case 'u': stepHistory(true); return Handled::kDone;
    case 't': toolbar_->setFocused(!toolbar_->isFocused()); return Handled::kDone;
    default: return Handled::kPassOn;
  }
}

// --- The menu ----------------------------------------------------------------------

Handled CAppGameForm::onMenuEvent(const QZFMenuEvent& event) {
  if (!game_) return Handled::kPassOn;
  Handled result = Handled::kPassOn;
  if (event.kind == kQZFMenuOpened) {
    // Games whose cards all lie face up have nothing to show.
    const int32_t t = game_->type();
    if (t == kGameFreecell || t == kGameCalc || t == kGameFourCorners) setMenuItemFlags(kMenuShowCards, kQZFItemHidden);
  } else if (event.kind == kQZFMenuItemChosen) {
    if (event.itemId == kMenuTitle && !app_->getFormHandler()) {
      return handledStatus(CQZFApplication::report(this, "app_form_game", __LINE__, QZ_ERR_BAD_STATE));
    }
    result = runMenuItem(event.itemId);
  }
  if (isPassedOn(result) && app_->onMenuCommand(event.itemId, event.kind) == 1) result = Handled::kDone;
  game_->settle();
  return result;
}

Handled CAppGameForm::runMenuItem(uint16_t item) {
  app_->resetStartFrames();
  switch (item) {
    case kMenuUndo: stepHistory(true); return Handled::kDone;
    case kMenuRedo: stepHistory(false); return Handled::kDone;
    case kMenuRestart: openAlert(kRestartAlert); return Handled::kDone;
    case kMenuNewDeal: openAlert(kNewDealAlert); return Handled::kDone;
    case kMenuHowToPlay:
      services_->openForm(kFormInstructions, services_->settings().currentGameType);
      return Handled::kDone;
    case kMenuTitle: openAlert(kLeaveAlert); return Handled::kDone;
    case kMenuShowCards:
      if (!isGameOver()) showAllCards();
      return Handled::kDone;
    case kMenuHint:
      if (!isGameOver()) game_->hints().showNext();
      return Handled::kDone;
    default: return Handled::kPassOn;
  }
}

// Every face-down card shows its face until the next key or tap.
void CAppGameForm::showAllCards() {
  services_->playSound(4004, 8, 0, 64, 30);
  services_->settings().showCards = 1;
  if (CAppSettings* profile = app_->getSettings()) profile->showCards = 1;
  if (getGraphics()) getGraphics()->grid().invalidateAll();
}

Handled CAppGameForm::onBack() {
  openAlert(kLeaveAlert);
  return Handled::kDone;
}

void CAppGameForm::openAlert(uint16_t formId) {
  app_->resetStartFrames();
  static_cast<void>(app_->openForm(formId, formId == kChooseDeal ? "frmseed" : kAppTagAlert, 0));
}

// --- State dump --------------------------------------------------------------------

void CAppGameForm::describe(std::string& out) const {
  if (!game_) return;
  out += "game.type=" + std::to_string(game_->type()) + "\n";
  out += "game.deal=" + std::to_string(game_->dealNumber()) + "\n";
  for (int i = 0; i < game_->pileCount(); ++i) {
    const CAppCardPile* pile = game_->pile(i);
    std::string line = "game.pile=" + std::to_string(i) + " " + pileKindLetter(pile->kind()) + ":";
    for (int k = 0; k < pile->count(); ++k) {
      const CAppCard* c = pile->cardFromBottom(k);
      line += " " + std::to_string(c->rank()) + "." + std::to_string(c->suit()) + (c->isFaceUp() ? "u" : "d");
    }
    out += line + "\n";
  }
  const CAppCardPile* focus = game_->focusedPile();
  const int depth = focus && focus->selectedCard() ? focus->depthOf(focus->selectedCard()) : 0;
  out += "game.cursor=" + std::to_string(cursorPile()) + "," + std::to_string(depth) + "\n";
  out += "game.hand=" + std::to_string(game_->inHand().count()) + "\n";
  out += "game.undo=" + std::to_string(game_->state().undoSize()) + "\n";
  out += "game.redo=" + std::to_string(game_->state().redoSize()) + "\n";
  // A won game stays won while its end throws the cards off the table.
  out += "game.won=" + std::to_string(game_->isWon() || game_->isEndAnimationRunning() ? 1 : 0) + "\n";
}
