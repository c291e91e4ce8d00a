// The saved game: cards, piles, history and the game's own fields in one
// record, written and read by the same walk. A record read back is checked
// against this game before play goes on; one that does not fit is refused
// and a new deal takes its place.
#include <vector>

#include "app_card.h"
#include "app_end_game_anim.h"
#include "app_game.h"
#include "app_hints.h"
#include "app_in_hand_pile.h"
#include "app_object_timer.h"
#include "app_serialise_stream.h"
#include "qz_types.h"

namespace {

bool isReading(const SerialiseStream& stream) {
  return stream.mode == SERIALISE_READ_RECORD || stream.mode == SERIALISE_READ_MEMORY;
}

}  // namespace

int16_t CAppGame::serialise(SerialiseStream& stream) {
  busy_ = 1;
  returnCarriedCards();
  // Flights end so that every card is stored on its pile, but a save opens no
  // form: a deal still pending shows its start forms when play goes on.
  finishAnimations();
  resetAutoMoveTime(true);
  // Cards thrown by the end of a won game go back first: a record holds every card on its pile.
  if (endAnim_) endAnim_->stop();
  const bool reading = isReading(stream);
  const int32_t type = type_;
  int16_t status = 0;
  for (CAppCard* c : cards_) {
    if ((status = c->serialise(stream)) < 0) break;
  }
  for (size_t i = 0; status >= 0 && i < piles_.size(); ++i) status = piles_[i]->serialise(stream);
  if (status >= 0) status = state_->serialise(stream);
  uint8_t type8 = static_cast<uint8_t>(type_);
  uint8_t* bytes[] = {&firstIndex_[0], &firstIndex_[1], &firstIndex_[2], &firstIndex_[3],
                      &firstIndex_[4], &firstIndex_[5], &movesFound_,    &focusPile_,
                      &finished_,      &endAnimation_,  &type8};
  for (int i = 0; status >= 0 && i < 11; ++i) {
    status = serialiseU8(stream, bytes[i], 1);
    if (status < 0) status = report("app_game_serialise", 27 + i, status);
  }
  if (status >= 0 && (status = serialiseU32(stream, &dealNumber_, 1)) < 0)
    status = report("app_game_serialise", 38, status);
  if (status >= 0 && (status = serialiseU8(stream, &keepPlaying_, 1)) < 0)
    status = report("app_game_serialise", 39, status);
  if (status >= 0 && clock_) status = clock_->serialise(stream);
  if (status >= 0) status = hints_->serialise(stream);
  freshDeal_ = 0;
  busy_ = 0;
  if (!reading) return status;
  if (status >= 0 && !isConsistent(type8 == type)) status = report("app_game_serialise", 41, QZ_ERR_SIZE_MISMATCH);
  if (status < 0) {
    // Nothing of a record that does not fit this game is kept.
    type_ = type;
    services_->discardSavedGame(type_ - 1);
    newGame(true);
    return status;
  }
  // The restored position replaces the deal made when the screen opened: that
  // deal's start forms are not due (a tour not shown yet waits for the next deal).
  dealPending_ = 0;
  startFormsDue_ = 0;
  for (CAppCard* c : cards_) c->moveHome();
  for (auto& p : piles_) p->layoutCards();
  locateFocusInGrid();
  return 0;
}

bool CAppGame::isConsistent(bool typeMatches) const {
  if (!typeMatches) return false;
  // Every card exactly once, under its own id, a real card.
  std::vector<int> seen(cards_.size(), 0);
  for (size_t i = 0; i < cards_.size(); ++i) {
    const CAppCard* c = cards_[i];
    if (c->id() != i || c->suit() > 3 || c->rank() < 1 || c->rank() > 13) return false;
  }
  for (size_t i = 0; i < piles_.size(); ++i) {
    const CAppCardPile& p = *piles_[i];
    if (p.index() != i) return false;
    for (int k = 0; k < p.count(); ++k) {
      if (++seen[p.cardFromBottom(k)->id()] > 1) return false;
    }
  }
  for (int n : seen) {
    if (n != 1) return false;
  }
  // The first index of each kind points at a pile of that kind.
  static constexpr AppPileKind kKinds[] = {kPileStock,   kPileWaste,   kPileFoundation,
                                           kPileTableau, kPileReserve, kPileCell};
  for (AppPileKind kind : kKinds) {
    for (int i = 0; i < kindCount(kind); ++i) {
      const CAppCardPile* p = pile(firstIndex(kind) + i);
      if (!p || p->kind() != kind) return false;
    }
  }
  return focusPile_ < piles_.size() || piles_.empty();
}

int16_t CAppGame::saveToBytes(std::vector<uint8_t>& bytes) {
  SerialiseStream count;
  count.mode = SERIALISE_COUNT;
  if (const int16_t r = serialise(count); r != 0) return r;
  bytes.assign(count.position, 0);
  SerialiseStream out;
  out.mode = SERIALISE_WRITE_MEMORY;
  out.data = bytes.data();
  out.limit = static_cast<uint16_t>(bytes.size());
  return serialise(out);
}

int16_t CAppGame::loadFromBytes(std::vector<uint8_t> bytes) {
  SerialiseStream in;
  in.mode = SERIALISE_READ_MEMORY;
  in.data = bytes.data();
  in.limit = static_cast<uint16_t>(bytes.size());
  return serialise(in);
}
