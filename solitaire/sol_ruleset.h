// The rule set: the loaded rules of one variant and its live game (cards,
// piles, move table, counters, history), with the operations that change
// the game, the deal, the move search and the saved game.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sol_expression.h"
#include "sol_history.h"
#include "sol_rules.h"
#include "wince/types.h"

struct SolCardState {
  uint8_t faceUp;
  uint8_t pick;
  uint8_t accept;
  uint8_t reserved;
  uint16_t pile;
  int16_t position;  // 0 = bottom card
};
static_assert(sizeof(SolCardState) == 8);

struct SolPileState {
  int16_t x;
  int16_t y;
  uint32_t fan;
  uint8_t active;
  uint8_t reserved;
  int16_t count;
  uint16_t dropExpr;
  uint16_t pickExpr;
  uint32_t fixedAccept;
  uint8_t enabled;
  uint8_t reserved2[3];
  uint32_t marker1;
  uint32_t marker2;
};
static_assert(sizeof(SolPileState) == 32);

struct SolCounter {
  int16_t value;
  uint16_t followUp;
};

// The screen the pile positions are scaled for: logical pixels per inch, and
// the QVGA build's fixed metrics.
struct SolScreen {
  int logPixelsX = 192;
  int logPixelsY = 192;
  bool fixedMetrics = false;
};

// Receives every action the engine executes for a player step, so that the
// game field can mirror it on its views.
class SolActionSink {
 public:
  virtual ~SolActionSink() = default;
  virtual void OnAction(const SolAction& action) = 0;
};

struct SolMove {
  uint16_t from;  // card number, or the pile for a tap
  uint16_t to;    // target pile, or kSolAnyPile for a tap
  bool operator==(const SolMove&) const = default;
};

class SolRuleSet {
 public:
  SolRuleSet();
  ~SolRuleSet();
  SolRuleSet(const SolRuleSet&) = delete;
  SolRuleSet& operator=(const SolRuleSet&) = delete;

  // --- rules --------------------------------------------------------------
  // Replaces the rules by a SOLDB record after validating it; on failure the
  // rule set is left empty and `error` says why.
  bool Load(const uint8_t* record, size_t size, const SolScreen& screen, std::string* error = nullptr);
  void Reset();
  void ResetGame();
  void Clear();

  bool Loaded() const { return !m_rules.cards.empty(); }
  const SolRuleData& Rules() const { return m_rules; }
  const std::string& Name() const { return m_rules.name; }
  int16_t Variant() const { return static_cast<int16_t>(m_rules.header[kSolVariant]); }
  bool WideLayout() const { return m_wide; }
  bool WideForced() const { return m_wideForced; }
  size_t CardCount() const { return m_rules.cards.size(); }
  size_t PileCount() const { return m_rules.piles.size(); }

  // --- live game ----------------------------------------------------------
  bool HasGame() const { return m_history != nullptr; }
  const std::vector<SolCardState>& Cards() const { return m_cards; }
  const std::vector<SolPileState>& Piles() const { return m_piles; }
  const std::vector<SolMoveRule>& MoveTable() const { return m_moveTable; }
  const std::vector<SolCounter>& Counters() const { return m_counters; }
  const SolMoveHistory* History() const { return m_history.get(); }
  bool Finished() const { return m_finished != 0; }
  int32_t CurrentScore() const { return m_score; }
  // Card on top of a pile, or -1 when it is empty.
  int TopCard(uint16_t pile) const;
  void SetHistoryObserver(SolMoveHistory::AppendObserver observer, void* context);

  // --- deal ---------------------------------------------------------------
  // Deals game `number`; 0 deals a random game and hands back its number.
  void Deal(uint32_t& number);
  // A deal followed by the opening events and the accept flags, as a new
  // game starts.
  void StartGame(uint32_t& number);

  // --- engine operations --------------------------------------------------
  bool ExecuteAction(SolAction& action, int32_t* previous);
  SolCardList GetPileCards(uint16_t pile) const;
  SolCardList GetRunCards(uint16_t card) const;
  SolCardList GetRunAndBelow(uint16_t card, SolCardList& below) const;
  bool CheckEvent(uint16_t event) const;
  bool TakeCounter(uint16_t event, bool& stepStarted, uint16_t& counter, bool take, bool record);
  bool RunNextAction(uint16_t event, bool& stepStarted, size_t& cursor, SolAction& action, bool record);
  bool RunFollowUp(uint16_t counter, bool& stepStarted, size_t& cursor, SolAction& action, bool record);
  void Score(const SolMoveRecord& record);
  void RefreshAccept(bool record);
  bool RunAutomatic(bool openingOnly, bool record, bool& stepStarted, SolActionSink* sink = nullptr);
  bool FindMove(int n, uint16_t& from, uint16_t& to) const;
  void ListMoves(std::vector<SolMove>& out) const;
  bool UndoRecord(SolMoveRecord& out);

  // --- player steps (the game field's rule queries and moves) -------------
  bool CanPickCard(uint16_t card) const;
  bool CanTapPile(uint16_t pile) const;
  bool CanMoveCardTo(uint16_t card, uint16_t pile) const;
  // A legal move of the run from `card` up onto `pile`, with the target's
  // drop event; false and no change when illegal.
  bool TryMove(uint16_t card, uint16_t pile, SolActionSink* sink = nullptr);
  bool TapPile(uint16_t pile, SolActionSink* sink = nullptr);
  // The automatic events after a player step, then the accept flags, both
  // recorded as part of the step.
  bool RunAutomaticMoves(SolActionSink* sink = nullptr);
  // Takes back one whole player step; false when the history is empty.
  bool UndoStep();

  // --- saved game ---------------------------------------------------------
  // The blob also keeps the seconds played on the deal, in the four bytes
  // that blobs of earlier versions left at 0 (those read as 0 seconds).
  std::vector<uint8_t> EncodeGame(uint32_t gameNumber, uint32_t elapsed = 0) const;
  // Replaces the live game by a blob after checking all of it; false (and
  // no live game) when anything does not fit. A blob saved before the rule
  // set gained trailing counters holds fewer of them: the missing ones start
  // as they do at a deal.
  bool DecodeGame(const uint8_t* blob, size_t size, uint32_t& gameNumber, uint32_t* elapsed = nullptr);
  // The registry side: the variant's "gameState" key of program `gameName`.
  void SaveGame(const WCHAR* gameName, uint32_t gameNumber, uint32_t elapsed = 0) const;
  // Restores the saved game; false (with no live game, so the caller deals)
  // when there is none or it does not fit. A game that fails the checks, or
  // whose last restore never reached ConfirmRestored (the program died while
  // reading or showing it), is deleted and `refused` (when given) is set.
  bool LoadGame(const WCHAR* gameName, uint32_t& gameNumber, bool* refused = nullptr, uint32_t* elapsed = nullptr);
  // The restored game is on the screen: a later crash no longer counts
  // against the saved game, which stays for the next start.
  void ConfirmRestored(const WCHAR* gameName) const;

 private:
  struct ScoreRule {
    int16_t a;
    int16_t b;
    int16_t points;
    uint8_t recordKind;
  };

  void Rescale(SolPileDef& pile, const SolScreen& screen) const;
  void IndexTables();
  void AllocateGame();
  // Counters `first` and after at their initial values, as a deal sets them.
  void StartCounters(size_t first);
  // Counters `first` and after as a new game has them: initial values, then
  // the opening events they limit.
  void OpenCounters(size_t first);
  void Invalidate() { m_listsValid = false; }
  void BuildLists() const;
  bool EvalExpr(uint16_t expr, const SolCardList& a, const SolCardList& b) const;
  bool CounterAllows(uint16_t event) const;
  void Append(SolMoveRecord record, bool& stepStarted);
  bool FireEvent(uint16_t event, bool record, bool& stepStarted, SolActionSink* sink);
  bool TargetAccepts(uint16_t card, uint16_t pile) const;
  template <class Visit>
  bool ForEachMove(Visit&& visit) const;

  bool MoveRun(SolAction& a, int32_t* previous);
  bool ChangePileField(SolAction& a, int32_t* previous);
  bool SetCardFlags(const SolAction& a);
  bool Forbid(uint16_t a, uint16_t b);
  bool Allow(uint16_t a, uint16_t b);
  void Shuffle(uint16_t pile, uint16_t key, bool reverse);
  void RangeOf(const SolAction& a, int& lo, int& hi) const;
  SolAction Inverse(const SolAction& a, int32_t previous) const;
  void PlaceCards(uint32_t seed);
  void ApplyDealTables();

  // Rules.
  SolRuleData m_rules;
  bool m_wide = false;
  bool m_wideForced = false;
  int16_t m_initialScore = 0;
  int16_t m_undoScore = 0;
  std::vector<ScoreRule> m_scoreRules;
  std::vector<uint16_t> m_limitOf;         // event -> counter, or none
  std::vector<uint32_t> m_condStart;       // event -> first of its conditions
  std::vector<uint16_t> m_condList;        // condition numbers grouped by event

  // Live game.
  std::unique_ptr<SolMoveHistory> m_history;
  std::vector<SolCardState> m_cards;
  std::vector<SolPileState> m_piles;
  std::vector<SolMoveRule> m_moveTable;
  std::vector<SolCounter> m_counters;
  int32_t m_score = 0;
  uint8_t m_finished = 0;
  SolMoveHistory::AppendObserver m_observer = nullptr;
  void* m_observerContext = nullptr;

  // Scratch kept between calls so that no query allocates.
  std::vector<int16_t> m_transit;
  mutable bool m_listsValid = false;
  mutable std::vector<SolCardEntry> m_entries;  // every pile's cards, top first
  mutable std::vector<uint16_t> m_order;        // card numbers in the same order
  mutable std::vector<uint32_t> m_pileStart;
};
