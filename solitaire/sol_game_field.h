// The game field: the child window that shows the piles, the empty-pile
// marks, the selection, the keyboard cursor, the clock and a dragged run.
// It keeps its own views of the piles, mirrors every change the rule engine
// makes through view commands, and draws into one back buffer that is
// copied to the window in one block.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "ce_wnd.h"
#include "sol_card_image.h"
#include "sol_options.h"
#include "sol_ruleset.h"
#include "sol_target_set.h"
#include "sol_view_command.h"

// The private message the field sends its parent after every move: the
// parent checks for a win, a lost position and the time limit.
constexpr UINT kSolMsgCheckState = 0x1405;

struct SolCardView {
  int card = 0;
  int suit = 0;  // 0-3
  int rank = 0;  // 0-12
  bool faceUp = false;
};

struct SolPileView {
  int x = 0;
  int y = 0;
  int fanLimit = 0;
  int fanLimitMode = 0;
  int16_t orderKey = 0;
  bool visible = false;
  int fan = 0;  // 0 stacked, 1 left, 2 right, 3 up, 4 down
  int baseKind = 0;
  int xMode = 0;
  int yMode = 0;
  std::vector<SolCardView> cards;  // bottom card first
  int markerRank = -1;             // or the arrow number (base kind 3)
  int markerSuit = -1;
};

struct SolFieldMetrics {
  int wide = 0;
  int cardWidth = 0;
  int cardHeight = 0;
  int fanX = 0;
  int fanY = 0;
  std::vector<SolPileView> piles;
};

enum SolPlayMode : uint8_t { kSolTapping = 0, kSolDragDrop = 1, kSolKeyboardCW = 2, kSolKeyboardPW = 3 };

class SolGameField : public CeWnd {
 public:
  // Makes the window over `rc` of `parent`; null when that fails.
  static std::unique_ptr<SolGameField> Create(HWND parent, const RECT& rc);
  ~SolGameField() override;

  void SetRuleSet(SolRuleSet* rules) { m_rules = rules; }
  // What the field reads of its owner: the options and the game's clock.
  void SetOwnerState(const SolOptions* options, const uint32_t* elapsed) {
    m_options = options;
    m_elapsed = elapsed;
  }
  void TakeOptions();
  void BuildViews();
  void SetupMetrics();
  void Redraw();
  void ClearSelection();
  bool IsDragging() const { return m_dragging; }
  uint16_t PressedPile() const { return m_pressedPile; }
  uint16_t PressedCard() const { return m_pressedCard; }
  const SolFieldMetrics& Metrics() const { return m_metrics; }
  SolTargetSet& Targets() { return m_targets; }
  int SelectedPile() const { return m_selectedPile; }
  int SelectedCard() const { return m_selectedCard; }
  // Selects (highlights) a pile's card, or its base for kSolNone.
  void Select(int pile, int card);

  // --- rule queries and moves ----------------------------------------------
  bool CanPickCard(uint16_t card) const;
  bool CanTapPile(uint16_t pile) const;
  bool CanMoveCardTo(uint16_t card, uint16_t pile) const;
  bool TryMove(uint16_t card, uint16_t pile, SolViewCommandList& commands);
  bool TapPile(uint16_t pile, SolViewCommandList& commands);
  bool RunAutomaticMoves(SolViewCommandList& commands);
  // The automatic moves after a player's move, then the check message.
  void FinishMove();
  // Blinks a hint: the card and its target pile (card kSolNone: a tap).
  // The passes run on the field's timer, so the field stays drawn and
  // answers between them; a new hint, a deal, an undo, the stylus or a key
  // ends them.
  void ShowMove(uint16_t card, uint16_t pile);
  void StopBlink();
  bool IsBlinking() const { return m_blinkPass < m_blink.size(); }
  // The rule set's card at a view position; -1 when there is none.
  int CardAt(int pile, int position) const;

  // --- keyboard targets ----------------------------------------------------
  // Marks the entries whose card can be picked or whose pile can be tapped.
  void MarkForPicking();
  // Marks the tops and bases that the card can move to; false when none.
  bool MarkForDrop(uint16_t card);

  // --- view commands -------------------------------------------------------
  void ApplyViewCommands(SolViewCommandList& commands);
  void MoveCards(int source, int start, int count, int target, int position);
  void MoveRunToPile(int source, int start, int target);
  void SetFaceUp(int pile, int start, int count, bool faceUp);
  void ReversePile(int pile);
  void ShufflePile(int pile, int seed);
  // The picture of a run as its pile fans it; `offset` receives where the
  // run's first card lies in it.
  std::unique_ptr<SolCardImage> ComposeRunImage(int pile, int start, int count, HDC dc, POINT& offset) const;

  // Geometry of the last paint, for tests and the keyboard: a pile's origin.
  POINT PileOrigin(int pile) const;

  void OnPaint(bool& handled) override;
  void OnLButtonDown(UINT keys, POINT pt, bool& handled) override;
  void OnLButtonUp(UINT keys, POINT pt, bool& handled) override;
  void OnMouseMove(UINT keys, POINT pt, bool& handled) override;
  void OnTimer(UINT id, bool& handled) override;
  // Mouse messages answer 1 when handled, else 0.
  LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  SolGameField();

  // Drawing.
  void MakeBackBuffer();
  void FreeBackBuffer();
  void Paint(bool showClock);
  void CopyToScreen();
  void DrawClock(HDC dc);
  void DrawPile(int pile);
  void DrawCard(const SolCardView& card, int x, int y);
  void Highlight(int x, int y);
  int FanStep(const SolPileView& view, int x0, int y0, int limit) const;
  POINT EntryCorner(int pile, int position) const;

  // Input.
  int HitTest(POINT pt, uint16_t& pile, uint16_t& card, RECT* rect = nullptr) const;
  bool Tap(POINT pt);
  bool Press(POINT pt);
  void DragTo(POINT pt);
  bool Release(POINT pt);
  void StartDrag(POINT pt);
  void FreeDrag();
  bool SecondTap(uint16_t pile, uint16_t position);
  // Adds the passes that blink one card (or base) to the hint.
  void AddBlink(int pile, int position);
  void ShowBlinkPass();

  // Views.
  SolPileView* View(int pile);
  void Animate(const SolCardImage& image, POINT offset, POINT from, POINT to);

  // Back buffer and window geometry.
  RECT m_client{};
  int m_clientWidth = 0;
  int m_clientHeight = 0;
  HDC m_backDc = nullptr;
  HBITMAP m_backBitmap = nullptr;
  HGDIOBJ m_backOld = nullptr;
  int m_backWidth = 0;
  int m_backHeight = 0;
  bool m_dirty = true;
  bool m_buttonDown = false;
  HFONT m_clockFont = nullptr;

  // Drag and drop.
  POINT m_press{};
  std::unique_ptr<SolCardImage> m_dragImage;
  std::unique_ptr<SolCardImage> m_saveUnder;
  bool m_dragging = false;
  uint16_t m_savedCount = 0;
  POINT m_dragOffset{};
  RECT m_hitRect{};
  POINT m_dragPos{};

  // Play.
  uint8_t m_playMode = kSolDragDrop;
  bool m_animate = true;
  std::vector<uint16_t> m_pileOrder;
  SolCardStyle m_style;
  std::unique_ptr<SolCardBitmapCache> m_bitmaps;
  SolTargetSet m_targets;
  SolRuleSet* m_rules = nullptr;
  const SolOptions* m_options = nullptr;
  const uint32_t* m_elapsed = nullptr;
  SolFieldMetrics m_metrics;
  uint16_t m_pickedCard = kSolNone;
  uint16_t m_pressedPile = kSolNone;
  uint16_t m_pressedCard = kSolNone;
  int m_selectedPile = kSolNone;
  int m_selectedCard = kSolNone;
  uint32_t m_selectionTime = 0;
  // Drag and drop: the card tapped once, and when.
  int m_firstTapCard = -1;
  uint32_t m_firstTapTime = 0;

  // The hint: what each pass marks ({kSolNone, kSolNone}: nothing), and the
  // pass shown now.
  std::vector<std::pair<int, int>> m_blink;
  size_t m_blinkPass = 0;
};
