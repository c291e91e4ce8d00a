#include "soldb_solve.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_set>

namespace {

// The piles of the live game, card numbers bottom first.
std::vector<std::vector<int>> PileCards(const SolRuleSet& rules) {
  std::vector<std::vector<int>> piles(rules.PileCount());
  for (size_t p = 0; p < piles.size(); ++p) piles[p].assign(static_cast<size_t>(std::max<int16_t>(0, rules.Piles()[p].count)), -1);
  const auto& cards = rules.Cards();
  for (size_t c = 0; c < cards.size(); ++c) {
    const SolCardState& s = cards[c];
    if (s.pile < piles.size() && s.position >= 0 && static_cast<size_t>(s.position) < piles[s.pile].size()) {
      piles[s.pile][static_cast<size_t>(s.position)] = static_cast<int>(c);
    }
  }
  return piles;
}

// FNV-1a over everything a later move can depend on: each pile's cards by
// suit, rank and face (so that two copies of a card make one position), the
// counters and the pile flags.
uint64_t PositionKey(const SolRuleSet& rules, const std::vector<std::vector<int>>& piles) {
  uint64_t h = 1469598103934665603ull;
  const auto mix = [&h](uint32_t v) {
    for (int i = 0; i < 4; ++i) {
      h ^= (v >> (8 * i)) & 0xFF;
      h *= 1099511628211ull;
    }
  };
  const auto& defs = rules.Rules().cards;
  for (const auto& pile : piles) {
    mix(static_cast<uint32_t>(pile.size()) | 0x10000u);
    for (int c : pile) {
      const SolCardDef& d = defs[static_cast<size_t>(c)];
      mix(static_cast<uint32_t>(d.suit) << 8 | d.rank | static_cast<uint32_t>(rules.Cards()[static_cast<size_t>(c)].faceUp) << 16);
    }
  }
  for (const SolCounter& c : rules.Counters()) mix(static_cast<uint16_t>(c.value));
  for (const SolPileState& p : rules.Piles()) mix(static_cast<uint32_t>(p.active) << 1 | p.enabled);
  return h;
}

// The worth of the parts of a position (see Promise).
constexpr int kHome = 60;         // a card on a pile that starts empty
constexpr int kHidden = -20;      // a face-down card in a fanned pile
constexpr int kEmpty = 40;        // an empty fanned pile
constexpr int kRankLink = 2;      // a fanned card on the next rank up
constexpr int kSuitLink = 10;     // the same, of one suit
constexpr int kStockCard = 8;     // a card still on a pile that deals when tapped
constexpr int kSuitRun = 3;       // times the square of a run's same-suit links

// How near a position is to the win, as a number to maximise.
int Promise(const SolRuleSet& rules, const std::vector<std::vector<int>>& piles) {
  const auto& defs = rules.Rules().piles;
  const auto& cardDefs = rules.Rules().cards;
  const auto& cards = rules.Cards();
  int score = 0;
  for (size_t p = 0; p < defs.size(); ++p) {
    const int count = static_cast<int>(piles[p].size());
    if (defs[p].dealCount == 0) score += kHome * count;
    if (defs[p].tapEvent != 0 && defs[p].fan == 0) score += kStockCard * count;
    if (defs[p].fan == 0) continue;
    if (count == 0) score += kEmpty;
    int run = 0;
    const auto endRun = [&] {
      score += kSuitRun * run * run;
      run = 0;
    };
    for (size_t i = 0; i < piles[p].size(); ++i) {
      const size_t upper = static_cast<size_t>(piles[p][i]);
      if (!cards[upper].faceUp) {
        score += kHidden;
        continue;
      }
      const size_t lower = i > 0 ? static_cast<size_t>(piles[p][i - 1]) : upper;
      if (i == 0 || !cards[lower].faceUp || cardDefs[upper].rank + 1 != cardDefs[lower].rank) {
        endRun();
      } else if (cardDefs[upper].suit == cardDefs[lower].suit) {
        score += kSuitLink;
        ++run;
      } else {
        score += kRankLink;
        endRun();
      }
    }
    endRun();
  }
  return score;
}

// The card directly under `card` in its pile, or -1.
int CardBelow(const SolRuleSet& rules, uint16_t card) {
  const SolCardState& s = rules.Cards()[card];
  for (size_t c = 0; c < rules.CardCount(); ++c) {
    const SolCardState& o = rules.Cards()[c];
    if (o.pile == s.pile && o.position + 1 == s.position) return static_cast<int>(c);
  }
  return -1;
}

// The card may go onto a pile that starts empty (a foundation).
bool HomeFor(const SolRuleSet& rules, uint16_t card) {
  for (uint16_t p = 0; p < rules.PileCount(); ++p) {
    if (rules.Rules().piles[p].dealCount == 0 && rules.CanMoveCardTo(card, p)) return true;
  }
  return false;
}

// Two piles that play alike once empty.
bool Alike(const SolPileDef& a, const SolPileDef& b) {
  return a.kind == b.kind && a.fan == b.fan && a.baseKind == b.baseKind && a.pickExpr == b.pickExpr &&
         a.dropExpr == b.dropExpr && a.tapEvent == b.tapEvent && a.emptyTapEvent == b.emptyTapEvent &&
         a.dropEvent == b.dropEvent;
}

// Of several empty piles that play alike only the first is a target.
bool FirstEmptyOfItsKind(const SolRuleSet& rules, uint16_t pile) {
  const auto& defs = rules.Rules().piles;
  if (rules.Piles()[pile].count != 0) return true;
  for (uint16_t p = 0; p < pile; ++p) {
    if (rules.Piles()[p].count == 0 && Alike(defs[p], defs[pile])) return false;
  }
  return true;
}

// A run moved between fanned piles gets the game on only when it leaves its
// pile empty, turns up a card, or does not split a run that moves as one
// (unless onto an empty pile, or to free the card under it for a pile that
// starts empty). A whole pile moved onto an empty pile only trades places,
// and of several empty piles that play alike only the first is tried.
bool Useful(const SolRuleSet& rules, const SolMove& m) {
  if (m.to == kSolAnyPile) return true;
  if (!FirstEmptyOfItsKind(rules, m.to)) return false;
  const SolCardState& card = rules.Cards()[m.from];
  const auto& piles = rules.Piles();
  if (piles[card.pile].fan == 0 || piles[m.to].fan == 0) return true;
  if (card.position == 0) return piles[m.to].count != 0;
  const int below = CardBelow(rules, m.from);
  if (below < 0 || !rules.Cards()[static_cast<size_t>(below)].faceUp) return true;
  if (!rules.CanPickCard(static_cast<uint16_t>(below)) || piles[m.to].count == 0) return true;
  return HomeFor(rules, static_cast<uint16_t>(below));
}

// Beam search: every round takes the kept positions one step further and
// keeps the `width` most promising of the positions not met before. A kept
// position is held as a saved game, so that it is restored in one piece.
class Beam {
 public:
  Beam(SolRuleSet& rules, size_t width, size_t maxPositions) : m_rules(rules), m_width(width), m_max(maxPositions) {}

  bool Run(uint32_t game, std::vector<SolMove>& line) {
    m_seen.insert(PositionKey(m_rules, PileCards(m_rules)));
    m_steps.push_back({-1, {}});
    std::vector<Kept> layer = {{0, m_rules.EncodeGame(game)}};
    while (!layer.empty() && m_seen.size() <= m_max) {
      std::vector<Candidate> next;
      for (size_t i = 0; i < layer.size(); ++i) {
        Restore(layer[i]);
        std::vector<SolMove> legal;
        m_rules.ListMoves(legal);
        for (const SolMove& m : legal) {
          if (!Useful(m_rules, m) || !SolPlayStep(m_rules, m)) continue;
          if (m_rules.Finished()) {
            m_steps.push_back({layer[i].step, m});
            LineTo(static_cast<int>(m_steps.size() - 1), line);
            return true;
          }
          const auto piles = PileCards(m_rules);
          if (m_seen.insert(PositionKey(m_rules, piles)).second) next.push_back({Promise(m_rules, piles), i, m});
          m_rules.UndoStep();
        }
      }
      std::stable_sort(next.begin(), next.end(), [](const Candidate& a, const Candidate& b) { return a.score > b.score; });
      if (next.size() > m_width) next.resize(m_width);
      std::vector<Kept> kept;
      for (const Candidate& c : next) {
        Restore(layer[c.parent]);
        SolPlayStep(m_rules, c.move);
        m_steps.push_back({layer[c.parent].step, c.move});
        kept.push_back({static_cast<int>(m_steps.size() - 1), m_rules.EncodeGame(game)});
      }
      layer = std::move(kept);
    }
    return false;
  }

  size_t Positions() const { return m_seen.size(); }

 private:
  struct Step {
    int previous;  // the step before it, -1 at the deal
    SolMove move;
  };
  struct Kept {
    int step;  // the last step to the position
    std::vector<uint8_t> game;
  };
  struct Candidate {
    int score;
    size_t parent;  // in the current layer
    SolMove move;
  };

  void Restore(const Kept& kept) {
    uint32_t number = 0;
    m_rules.DecodeGame(kept.game.data(), kept.game.size(), number);
  }

  void LineTo(int step, std::vector<SolMove>& line) const {
    for (int s = step; s > 0; s = m_steps[static_cast<size_t>(s)].previous) line.push_back(m_steps[static_cast<size_t>(s)].move);
    std::reverse(line.begin(), line.end());
  }

  SolRuleSet& m_rules;
  size_t m_width;
  size_t m_max;
  std::unordered_set<uint64_t> m_seen;
  std::vector<Step> m_steps;
};

// Drops every run of one, two or three steps whose removal still leaves a
// winning line (a card moved there and back, a run moved twice), until none
// can go.
void Shorten(SolRuleSet& rules, uint32_t game, std::vector<SolMove>& line) {
  for (bool dropped = true; dropped;) {
    dropped = false;
    for (size_t length = 1; length <= 3; ++length) {
      for (size_t i = line.size(); i-- > 0;) {
        if (i + length > line.size()) continue;
        std::vector<SolMove> shorter = line;
        shorter.erase(shorter.begin() + static_cast<std::ptrdiff_t>(i),
                      shorter.begin() + static_cast<std::ptrdiff_t>(i + length));
        if (SolLineWins(rules, game, shorter)) {
          line = std::move(shorter);
          dropped = true;
        }
      }
    }
  }
}

}  // namespace

bool SolPlayStep(SolRuleSet& rules, const SolMove& step) {
  const bool done = step.to == kSolAnyPile ? rules.TapPile(step.from) : rules.TryMove(step.from, step.to);
  if (done) rules.RunAutomaticMoves();
  return done;
}

bool SolLineWins(SolRuleSet& rules, uint32_t game, const std::vector<SolMove>& line) {
  rules.StartGame(game);
  for (const SolMove& step : line) {
    if (rules.Finished() || !SolPlayStep(rules, step)) return false;
  }
  return rules.Finished();
}

SolSolveResult SolSolve(SolRuleSet& rules, uint32_t game, size_t width, size_t maxPositions) {
  SolSolveResult result;
  rules.StartGame(game);
  Beam beam(rules, width, maxPositions);
  result.won = beam.Run(game, result.line);
  result.positions = beam.Positions();
  if (!result.won) {
    result.line.clear();
    return result;
  }
  result.searchLength = result.line.size();
  Shorten(rules, game, result.line);
  return result;
}

std::string SolStepText(const SolMove& step) {
  if (step.to == kSolAnyPile) return "t" + std::to_string(step.from);
  return std::to_string(step.from) + ":" + std::to_string(step.to);
}

bool SolParseStep(const std::string& text, SolMove& step) {
  const auto number = [](const std::string& digits, uint16_t& out) {
    if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos) return false;
    const unsigned long v = std::strtoul(digits.c_str(), nullptr, 10);
    if (v >= kSolAnyPile) return false;
    out = static_cast<uint16_t>(v);
    return true;
  };
  if (!text.empty() && text[0] == 't') {
    step.to = kSolAnyPile;
    return number(text.substr(1), step.from);
  }
  const size_t colon = text.find(':');
  return colon != std::string::npos && number(text.substr(0, colon), step.from) && number(text.substr(colon + 1), step.to);
}
