#include "soldb_show.h"

#include <sstream>
#include <vector>

std::string SolCardText(const SolRuleSet& rules, uint16_t card) {
  static const char kRanks[] = "?A23456789TJQK";
  static const char kSuits[] = "?SHCD";
  const SolCardDef& def = rules.Rules().cards[card];
  std::string text = {kRanks[def.rank <= 13 ? def.rank : 0], kSuits[def.suit <= 4 ? def.suit : 0]};
  return rules.Cards()[card].faceUp ? text : "[" + text + "]";
}

std::string SolLayoutText(const SolRuleSet& rules) {
  std::ostringstream o;
  for (size_t p = 0; p < rules.PileCount(); ++p) {
    std::vector<int> cards(static_cast<size_t>(rules.Piles()[p].count), -1);
    for (size_t c = 0; c < rules.CardCount(); ++c) {
      const SolCardState& s = rules.Cards()[c];
      if (s.pile == p && s.position >= 0 && s.position < rules.Piles()[p].count) cards[static_cast<size_t>(s.position)] = static_cast<int>(c);
    }
    o << "p" << p << ":";
    for (int c : cards) o << ' ' << (c < 0 ? "??" : SolCardText(rules, static_cast<uint16_t>(c)));
    o << "\n";
  }
  return o.str();
}

std::string SolMovesText(const SolRuleSet& rules) {
  std::vector<SolMove> moves;
  rules.ListMoves(moves);
  std::ostringstream o;
  for (const SolMove& m : moves) {
    if (m.to == kSolAnyPile) {
      o << "tap p" << m.from << "\n";
    } else {
      o << "card " << m.from << " (" << SolCardText(rules, m.from) << " in p" << rules.Cards()[m.from].pile << ") -> p"
        << m.to << "\n";
    }
  }
  return o.str();
}
