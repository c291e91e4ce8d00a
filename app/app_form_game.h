// The play screen: the table of the chosen game under its toolbar. It owns
// the game and its services, draws the piles from the card art, gives the
// game the stylus (tap, drag and drop) and moves a cursor over the game's
// grid of piles for the keypad (Select picks up and drops).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "qzf_form.h"

class CAppApplication;
class CAppCard;
class CAppCardPile;
class CAppGame;
class CAppGameToolbar;
class CAppPlayServices;
class CAppTutorialPointer;

class CAppGameForm : public CQZFForm {
 public:
  // A drag that comes this near an edge of the screen drops there.
  static constexpr int kEdgeDrop = 10;
  // Forms opened by keys: the restart and new-deal questions, the deal chooser.
  static constexpr uint16_t kRestartAlert = 1423, kNewDealAlert = 1422, kChooseDeal = 1395;
  static constexpr uint16_t kWonForm = 1384;

  CAppGameForm();
  ~CAppGameForm() override;

  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  // The game in progress, with the player's forms; a saved game the game
  // refuses leaves a new deal, never a lost form.
  [[nodiscard]] int16_t serialise(SerialiseStream& stream) override;
  void setActive(bool active) override;
  Handled onEvent(const QZFFormEvent& event) override;
  Handled onKeyEvent(const QZFKeyEvent& key) override;
  Handled onPenEvent(const QZFPenEvent& pen) override;
  Handled onUpdate() override;
  Handled drawBackground() override;
  Handled drawForeground() override;

  CAppGame* game() const { return game_.get(); }
  // The pile under the keypad cursor (an index into the game's piles).
  int cursorPile() const { return cursorPile_; }
  // The game for the state dump: type, deal, piles, cursor, hand, history.
  void describe(std::string& out) const;
  CAppGameToolbar* toolbar() const { return toolbar_.get(); }
  // The arrow the tour points with; none until the play screen has one.
  CAppTutorialPointer* tutorialArrow() const { return nullptr; }

 private:
  void loadArt();
  void releaseArt();
  void drawPile(const CAppCardPile& pile);
  void drawCard(const CAppCard& card);
  void drawCursor();
  int faceBlob(const CAppCard& card) const;
  // A digest of what the table shows; the screen is drawn again when it changes.
  uint32_t tableDigest() const;
  bool isGameOver() const;
  void settingsShowCardsOff();
  void openWonForm();
  void openAlert(uint16_t formId);
  // Undo or redo one move unless the game is over.
  void stepHistory(bool undo);
  // The keypad cursor.
  Handled moveCursor(int dRow, int dColumn);
  bool findCursorCell(int& row, int& column) const;
  void cursorAction();
  CAppCard* cursorCard() const;

  CAppApplication* app_ = nullptr;
  std::unique_ptr<CAppPlayServices> services_;
  std::unique_ptr<CAppGame> game_;
  std::unique_ptr<CAppGameToolbar> toolbar_;
  uint8_t frameCounter_ = 0;
  bool artLoaded_ = false;
  bool penDown_ = false;
  int cursorPile_ = -1;
  // Cards below the cursor pile's top card the cursor covers.
  int cursorDepth_ = 0;
  uint32_t lastDigest_ = 0;
};
