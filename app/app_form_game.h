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
class CAppFoundationPile;
class CAppGame;
class CAppGameToolbar;
class CAppPlayServices;
class CAppTutorialArrow;

class CAppGameForm : public CQZFForm {
 public:
  // A drag that comes this near an edge of the screen drops there.
  static constexpr int kEdgeDrop = 10;
  // Forms opened by keys: the restart and new-deal questions, the deal chooser.
  static constexpr uint16_t kRestartAlert = 1423, kNewDealAlert = 1422, kChooseDeal = 1395;
  static constexpr uint16_t kWonForm = 1384;
  // The soft keys and the game menu.
  static constexpr uint16_t kPlayMenu = 3600;
  // Menu items the play screen answers; the others go to the application.
  enum MenuItem : uint16_t {
    kMenuUndo = 1019,
    kMenuRedo = 1020,
    kMenuRestart = 1022,
    kMenuHowToPlay = 1023,
    kMenuNewDeal = 1032,
    kMenuShowCards = 1035,
    kMenuTitle = 1036,
    kMenuHint = 1039,
  };
  // Back asks whether to keep the game for later and leave for the title.
  static constexpr uint16_t kLeaveAlert = 1220;

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
  Handled onMenuEvent(const QZFMenuEvent& event) override;
  Handled onBack() override;
  Handled onUpdate() override;
  Handled drawBackground() override;
  Handled drawForeground() override;

  CAppGame* game() const { return game_.get(); }
  // The blob sets of the card pictures.
  struct CardArt {
    int frontLarge = 0, frontSmall = 0, backLarge = 0, backSmall = 0;
    bool operator==(const CardArt&) const = default;
  };
  const CardArt& loadedArt() const { return loadedArt_; }
  // The pile under the keypad focus (an index into the game's piles); -1
  // while the stylus plays.
  int cursorPile() const;
  // A new deal of the game's type, from the profile's settings as they are now.
  void dealAnew();
  // The profile's settings as they stand now into the game's copy (a form
  // that changed a deal number or an option does this before the game uses it).
  void pullSettings();
  // The game for the state dump: type, deal, piles, cursor, hand, history.
  void describe(std::string& out) const;
  CAppGameToolbar* toolbar() const { return toolbar_.get(); }
  // The arrow the tutorial points with.
  CAppTutorialArrow* tutorialArrow() const { return arrow_.get(); }

 private:
  CardArt chosenArt() const;
  void loadArt();
  void releaseArt();
  void refreshArt();
  void refreshBackground();
  void drawPile(const CAppCardPile& pile);
  void drawCard(const CAppCard& card);
  void drawSelectionFrame(int blob, int x, int y);
  void drawMark(int blob, int x, int y);
  void drawFoundationLabels(CAppFoundationPile& pile);
  void drawCursor();
  int faceBlob(const CAppCard& card) const;
  // A digest of what the table shows; the screen is drawn again when it changes.
  uint32_t tableDigest() const;
  bool isGameOver() const;
  void settingsShowCardsOff();
  void openWonForm();
  void openAlert(uint16_t formId);
  // A chosen menu item the play screen answers; passed on otherwise.
  Handled runMenuItem(uint16_t item);
  void showAllCards();
  // Undo or redo one move unless the game is over.
  void stepHistory(bool undo);

  CAppApplication* app_ = nullptr;
  std::unique_ptr<CAppPlayServices> services_;
  std::unique_ptr<CAppGame> game_;
  std::unique_ptr<CAppGameToolbar> toolbar_;
  std::unique_ptr<CAppTutorialArrow> arrow_;
  uint8_t frameCounter_ = 0;
  bool artLoaded_ = false;
  CardArt loadedArt_;
  // The table background shown: picture, colour wash and its gradient.
  struct TableLook {
    uint16_t image = 0;
    uint8_t scheme = 0, gradient = 0;
    bool operator==(const TableLook&) const = default;
  };
  TableLook shownLook_;
  bool penDown_ = false;
  uint32_t lastDigest_ = 0;
  // The game-won form was opened for this win.
  bool wonFormShown_ = false;
};
