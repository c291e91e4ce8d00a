#include "key_route.h"

#include <deque>
#include <set>

#include "app_card.h"
#include "app_in_hand_pile.h"

namespace {

constexpr int kArrows[] = {CAppGame::kKeyRight, CAppGame::kKeyDown, CAppGame::kKeyLeft, CAppGame::kKeyUp};

}  // namespace

KeyRoute::KeyRoute(int32_t type, uint32_t deal, int keyLimit) : type_(type), deal_(deal), keyLimit_(keyLimit) {}

bool KeyRoute::run(const std::vector<SolveMove>& line) {
  keys_.clear();
  failedMove_ = -1;
  for (size_t i = 0; i < line.size(); ++i) {
    if (!route(line[i])) {
      failedMove_ = static_cast<int>(i);
      return false;
    }
  }
  return true;
}

std::unique_ptr<SolveTable> KeyRoute::replay(const std::vector<int>& more) const {
  auto table = std::make_unique<SolveTable>(type_, deal_, false, false);
  for (const SolveStep& step : keys_) table->play(step);
  for (int key : more) table->play(SolveStep::press(key));
  return table;
}

std::string KeyRoute::focusOf(const SolveTable& table) {
  const CAppGame& game = table.game();
  const CAppCardPile* p = game.focusedPile();
  const CAppCard* selected = p ? p->selectedCard() : nullptr;
  return std::to_string(game.isKeyboardMode()) + ":" + std::to_string(game.focusPile()) + ":" +
         std::to_string(game.cursorRow()) + "," + std::to_string(game.cursorColumn()) + ":" +
         std::to_string(selected ? selected->id() : -1) + ":" + std::to_string(p && p->isSelected());
}

bool KeyRoute::route(const SolveMove& move) {
  std::deque<std::vector<int>> queue{{}};
  std::set<std::string> seen{focusOf(*replay({}))};
  while (!queue.empty()) {
    const std::vector<int> keys = queue.front();
    queue.pop_front();
    std::vector<int> select = keys;
    select.push_back(SolveStep::kActionKey);
    const std::unique_ptr<SolveTable> after = replay(select);
    if (after->position() == move.position && after->game().inHand().count() == 0 && (move.won || !after->isLost())) {
      for (int key : select) keys_.push_back(SolveStep::press(key));
      return true;
    }
    if (static_cast<int>(keys.size()) >= keyLimit_) continue;
    for (int arrow : kArrows) {
      std::vector<int> next = keys;
      next.push_back(arrow);
      if (seen.insert(focusOf(*replay(next))).second) queue.push_back(std::move(next));
    }
  }
  return false;
}
