// The running game: the rules of the chosen type, the cards, the piles, the
// move history, the clock and the sounds. It deals, takes the player's moves,
// runs the automatic moves, and after every change settles the table: a won
// game, a game without moves, and what can move next.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "app_card_pile.h"
#include "app_game_definition.h"
#include "app_game_services.h"
#include "app_game_state.h"
#include "qzf_object.h"

class CAppCard;
class CAppEndGameAnim;
class CAppHints;
class CAppInHandPile;
class CAppSounds;
class CAppTableauPile;
class CObjectTimer;

class CAppGame : public CQZFObject {
 public:
  static constexpr uint16_t kKind = 4101;
  static constexpr int kMaxCards = 156;
  static constexpr int kMaxPiles = 40;
  static constexpr int kMaxCandidates = 50;
  static constexpr int kKindSlots = 6;

  CAppGame(CQZFObject* owner, CAppGameServices* services);
  ~CAppGame() override;

  // Binds the type's rules and deals the user's deal of that type.
  [[nodiscard]] int16_t init(int32_t type);
  void newGame(bool resetStartFlags);
  // The same cards in the same order again.
  void replayDeal();
  // After every change: automatic moves, then the win, the no-moves report
  // or the count of open moves.
  void settle();
  void requestSettle() { settleRequested_ = 1; }
  bool isWon() const;
  void undoUntilMovesAvailable();
  // No move is left: the game ends, and the game-over form asks what next.
  void onNoMoves();
  void finishDealAnimation();
  // Every frame: the flying cards move; the table settles when they land.
  void tick();
  uint32_t resetAutoMoveTime(bool force);
  void returnCarriedCards();
  void addAnimatingCard(CAppCard* card);
  // Ends every running card animation at once.
  void finishAnimations();

  // Moves (pen, pick-up, drops, automatic moves).
  void onPenDown(int32_t x, int32_t y);
  void onPenMove(int32_t x, int32_t y);
  void onPenUp(int32_t x, int32_t y);
  bool pickUpAt(int32_t x, int32_t y);
  CAppCardPile* dropCarriedCards(int32_t x, int32_t y);
  bool autoMoveStep();
  bool autoTurnTableauTops();
  uint8_t safeAutoMoveRank() const;
  uint8_t getFoundationBase() const;
  // Cards that may move as one group (saturating at 255, never wrapping).
  int maxMovableCards(bool toEmptyColumn) const;
  // Puts the card on the pile; animated, it flies there from where it lay,
  // starting step hundredths after the card before it.
  void moveCard(CAppCard* card, CAppCardPile& target, bool animate, uint32_t step, uint8_t duration);
  // A card played straight to a foundation by a tap (Pyramid pairs and kings).
  void movePlayedCard(CAppCard* card, CAppCardPile& foundation);

  // The keypad: arrow keys (Windows key codes) move the focus over the
  // cursor grid and inside a pile; the action key picks up and puts down.
  static constexpr int kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40;
  void onKey(int keyCode);
  void onAction();
  // Whether the focus may rest on the pile (one-touch play: only where a
  // card can move, or on the stock while it can act).
  bool canFocusPile(int index);
  void locateFocusInGrid();
  // Pyramid: the cursor's row of the pyramid is empty (any other row: true).
  bool isPyramidRowClear() const;
  void setFocusedPileSelected(bool flag);
  // The pile under the focus; null before a deal.
  CAppCardPile* focusedPile() const;
  int cursorRow() const { return cursorRow_; }
  int cursorColumn() const { return cursorColumn_; }

  // Move search and the rule queries.
  uint8_t findMoves();
  bool foundationAccepts(CAppCard* card);
  bool tableauAccepts(CAppCard* card, const CAppCardPile* source);
  bool reserveAccepts(CAppCard* card, const CAppCardPile* source);
  int cellMoveKind(CAppCard* card, CAppCard* cardBelow);
  bool pairsWithWaste(CAppCard* card);
  bool pairsWithStockTop(const CAppCard* card) const;
  bool stockDealAllowed() const;
  // Drop targets of the carried cards and the playable marks.
  void collectDropTargets(CAppCard* card, CAppCard* cardBelow, CAppCardPile* source, AppPileKind sourceKind);
  void markDropTargets(bool on);
  // While cards are dragged: marks the piles under them that accept them.
  void highlightDropTargetsAt();
  void showPlayableMarks(bool on);
  void clearPlayableMarks();
  const std::vector<CAppCardPile*>& dropTargets() const { return dropTargets_; }
  const std::vector<CAppCard*>& movableCards() const { return movable_; }
  const std::vector<CAppCard*>& usefulMoves() const { return useful_; }

  // The saved game; reading refuses a record that does not fit this game
  // and deals afresh.
  [[nodiscard]] int16_t serialise(SerialiseStream& stream) override;
  // The same record in memory: written whole into bytes, or read from them
  // (the bytes are taken by value: the stream reads through a plain pointer).
  [[nodiscard]] int16_t saveToBytes(std::vector<uint8_t>& bytes);
  [[nodiscard]] int16_t loadFromBytes(std::vector<uint8_t> bytes);

  CAppGameServices& services() const { return *services_; }
  AppGameSettings& settings() const { return services_->settings(); }
  CAppSounds& sounds() const { return *sounds_; }
  uint8_t option(int which) const { return settings().option(type_, which); }
  int32_t type() const { return type_; }
  uint32_t dealNumber() const { return dealNumber_; }
  CAppGameDefinition& definition() const { return *definition_; }
  CAppGameState& state() const { return *state_; }
  CAppInHandPile& inHand() const { return *inHand_; }
  CObjectTimer& gameClock() const { return *clock_; }
  CAppHints& hints() const { return *hints_; }
  int pileCount() const { return static_cast<int>(piles_.size()); }
  CAppCardPile* pile(int index) const;
  int cardCount() const { return static_cast<int>(cards_.size()); }
  CAppCard* card(int id) const;
  int firstIndex(AppPileKind kind) const;
  int kindCount(AppPileKind kind) const;
  // The i-th pile of a kind; null when the game has no such pile.
  CAppCardPile* pileOf(AppPileKind kind, int i) const;
  CAppCardPile* firstPile(AppPileKind kind) const { return pileOf(kind, 0); }

  bool isBusy() const { return busy_ != 0; }
  void setBusy(bool busy) { busy_ = busy ? 1 : 0; }
  bool isAutoMoving() const { return autoMoving_ != 0; }
  void leaveKeyboardMode();
  bool isCarriedByTap() const { return carriedByTap_ != 0; }
  bool isKeyboardMode() const { return keyboardMode_ != 0; }
  bool isFinished() const { return finished_ != 0; }
  bool isEndAnimationRunning() const { return endAnimation_ != 0; }
  // The end of a won game; null before the win, and after a saved game that
  // was won is read back.
  CAppEndGameAnim* endGameAnimation() const { return endAnim_.get(); }
  // The end animation has run out, or there is none to run.
  bool isEndAnimationDone() const;
  // A key or a tap ends the end animation at once.
  void stopEndAnimation();
  bool isDealPending() const { return dealPending_ != 0; }
  void setDealPending(bool pending) { dealPending_ = pending ? 1 : 0; }
  void setKeepPlaying(bool keep) { keepPlaying_ = keep ? 1 : 0; }
  bool keepsPlaying() const { return keepPlaying_ != 0; }
  uint8_t movesFound() const { return movesFound_; }
  int animatingCount() const { return static_cast<int>(animating_.size()); }
  // The animation clock: each delayed card starts a step after the last.
  uint32_t advanceAnimationClock(uint32_t step);
  uint8_t focusPile() const { return focusPile_; }

  // Reports a failure once and passes the code on.
  int16_t report(const char* source, int line, int16_t code);

 private:
  void createCards();
  void shuffle();
  void numberCards();
  void destroyTable();
  void layOutAndDeal();
  void placePiles(class CAppStockPile& stock);
  void dealSpecialFirstCard(CAppCardPile& stock);
  void finishDeal();
  void rebuildDefinition();
  void setStartFlags();
  void onWon();
  void showStartForms();
  bool allFoundationsFull() const;
  // A saved game read back: the type, every card once under its own id, and
  // each kind's piles where the rules put them.
  bool isConsistent(bool typeMatches) const;

  // Drops (moves part).
  CAppCardPile* dropOnFoundation(bool oneTouch, int32_t x, int32_t y);
  CAppCardPile* dropOnTableau(int32_t x, int32_t y, bool sameCard);
  CAppCardPile* dropOnReserve(int32_t x, int32_t y);
  CAppCardPile* dropOnWaste(int32_t x, int32_t y);
  CAppCardPile* dropOnStockPair(int32_t x, int32_t y);
  CAppCardPile* dropOnCell(int32_t x, int32_t y);
  bool isOneTouch() const;
  bool qualifies(CAppCardPile* pile, bool oneTouch, int32_t x, int32_t y) const;
  void dropOnto(CAppCardPile& target, AppPileKind kind, CAppCard* recorded);
  void sendPairToFoundation(CAppCardPile& partner, AppPileKind partnerKind, bool animate);
  bool autoMoveOneCard(CAppCardPile& source, uint8_t lo, uint8_t hi);
  bool autoMoveRun(CAppCardPile& column);
  void refillAfterAutoMove(CAppCardPile& pile);
  void turnTableauTop(CAppCardPile& column);

  // Keypad part.
  uint8_t gridCell(int row, int column) const;
  bool stockCanAct() const;
  int candidateIndex(const CAppCard* card) const;
  void selectNearest(CAppCardPile& p, int32_t y);
  CAppCardPile* moveFocusAlong(int dRow, int dColumn);
  int focusInRow(int direction);
  int focusInColumn(int direction);
  int focusStep(int keyCode);
  void slideAcross(int keyCode);
  void enterKeyboardMode();
  void markFromFocus();
  CAppCard* playFromHandByKey();
  // Keeps the focus pile's selection over a change of its cards.
  void reselectFocus();

  // Search part.
  void pushCandidate(CAppCard* card);
  void pushUseful(CAppCard* card);
  void pushMovable(CAppCard* card);
  int searchWasteTop();
  int searchReserves();
  int searchCells();
  int searchTableaux();
  int searchStockAndWaste();
  int checkTableauTargets(CAppCard* card, CAppCard* cardBelow, CAppCardPile* source, int groupSize);
  bool playsFromHand(CAppCard* card);
  bool takeBackAllowed() const;
  // A tableau target worth marking: the move changes more than the place.
  bool usefulTableauTarget(CAppCard* card, CAppCard* cardBelow, const CAppCardPile* source, CAppTableauPile& target);

  CAppGameServices* services_;
  std::unique_ptr<CAppGameDefinition> definition_;
  std::unique_ptr<CAppGameState> state_;
  std::unique_ptr<CObjectTimer> clock_;
  std::unique_ptr<CAppSounds> sounds_;
  int32_t type_ = kGameKlondike;
  std::vector<std::unique_ptr<CAppCard>> cardStore_;
  std::vector<CAppCard*> cards_;  // deal order: index = card id
  std::vector<std::unique_ptr<CAppCardPile>> piles_;
  std::unique_ptr<CAppInHandPile> inHand_;
  std::vector<CAppCard*> animating_;
  std::array<uint8_t, kKindSlots> firstIndex_ = {};
  uint8_t movesFound_ = 0;
  uint8_t dealPending_ = 0;
  // Set by a deal (not by a turn of the stock, which also waits for its flights):
  // the tour or the game's rules may follow it.
  uint8_t startFormsDue_ = 0;
  uint8_t focusPile_ = 0;
  uint32_t autoMoveStamp_ = 0;
  uint8_t keyboardMode_ = 0;
  uint8_t cursorRow_ = 0, cursorColumn_ = 0;
  uint8_t chosenCandidate_ = 0;
  uint8_t focusSelected_ = 1;
  uint8_t finished_ = 0;
  uint8_t endAnimation_ = 0;
  std::vector<CAppCard*> movable_;
  std::vector<CAppCard*> useful_;
  std::vector<CAppCardPile*> dropTargets_;
  uint8_t settleRequested_ = 1;
  uint32_t dealNumber_ = 1;
  uint8_t carriedByTap_ = 0;
  uint8_t busy_ = 0;
  uint8_t keepPlaying_ = 0;
  uint8_t calcCycle_ = 0;
  CAppCard* lastDropped_ = nullptr;
  uint8_t autoMoving_ = 0;
  uint8_t evaluationDeferred_ = 0;
  uint8_t freshDeal_ = 0;
  std::unique_ptr<CAppHints> hints_;
  std::unique_ptr<CAppEndGameAnim> endAnim_;
};
