#include "app_game_text.h"

#include "app_card.h"
#include "app_card_pile.h"
#include "app_game.h"

namespace {

const char* kindName(AppPileKind kind) {
  static const char* const kNames[] = {"stock", "waste", "foundation", "tableau", "cell", "reserve", "hand"};
  return kind >= kPileStock && kind <= kPileInHand ? kNames[kind] : "?";
}

}  // namespace

std::string describePiles(const CAppGame& game) {
  std::string text;
  for (int i = 0; i < game.pileCount(); ++i) {
    const CAppCardPile& pile = *game.pile(i);
    text += std::to_string(i) + " " + kindName(pile.kind()) + ":";
    for (int k = 0; k < pile.count(); ++k) {
      const CAppCard& card = *pile.cardFromBottom(k);
      text += " " + std::to_string(card.rank()) + "." + std::to_string(card.suit()) + (card.isFaceUp() ? "u" : "d");
    }
    text += "\n";
  }
  return text;
}
