// The game field's view commands: the rule engine's executed actions
// replayed on the pile views, with the card-move animation.
#include <algorithm>
#include <utility>

#include "sol_game_field.h"
#include "wince/clock.h"

namespace {

constexpr int kFrames = 4;
// Each frame of a moving card stays this long, so that a move glides in
// about a twentieth of a second instead of jumping to its end.
constexpr DWORD kFrameMs = 15;

// Collects the engine's executed actions as view commands.
class CommandSink : public SolActionSink {
 public:
  explicit CommandSink(SolViewCommandList& list) : m_list(list) {}
  void OnAction(const SolAction& action) override { SolAddViewCommand(action, m_list); }

 private:
  SolViewCommandList& m_list;
};

}  // namespace

bool SolGameField::CanPickCard(uint16_t card) const { return m_rules && m_rules->CanPickCard(card); }
bool SolGameField::CanTapPile(uint16_t pile) const { return m_rules && m_rules->CanTapPile(pile); }
bool SolGameField::CanMoveCardTo(uint16_t card, uint16_t pile) const {
  return m_rules && m_rules->CanMoveCardTo(card, pile);
}

bool SolGameField::TryMove(uint16_t card, uint16_t pile, SolViewCommandList& commands) {
  CommandSink sink(commands);
  return m_rules && m_rules->TryMove(card, pile, &sink);
}

bool SolGameField::TapPile(uint16_t pile, SolViewCommandList& commands) {
  CommandSink sink(commands);
  return m_rules && m_rules->TapPile(pile, &sink);
}

bool SolGameField::RunAutomaticMoves(SolViewCommandList& commands) {
  CommandSink sink(commands);
  return m_rules && m_rules->RunAutomaticMoves(&sink);
}

void SolGameField::FinishMove() {
  SolViewCommandList commands;
  if (RunAutomaticMoves(commands)) ApplyViewCommands(commands);
  ::SendMessage(::GetParent(m_hWnd), kSolMsgCheckState, 0, 0);
}

int SolGameField::CardAt(int pile, int position) const {
  if (pile < 0 || static_cast<size_t>(pile) >= m_metrics.piles.size()) return -1;
  const auto& cards = m_metrics.piles[pile].cards;
  if (position < 0 || static_cast<size_t>(position) >= cards.size()) return -1;
  return cards[position].card;
}

void SolGameField::ApplyViewCommands(SolViewCommandList& commands) {
  for (const SolViewCommand& c : commands) {
    SolPileView* v = View(c.pile);
    if (!v) continue;
    const int n = static_cast<int>(v->cards.size());
    int start = 0;
    int count = 0;
    switch (c.kind) {
      case kSolViewMove: {
        SolSelectRange(c.mode, c.a, c.b, n, start, count);
        const SolPileView* t = View(c.target);
        if (!t) break;
        const int at = SolTargetPosition(c.targetMode, c.targetValue, static_cast<int>(t->cards.size()), count,
                                         c.target == c.pile, start);
        MoveCards(c.pile, start, count, c.target, at);
        break;
      }
      case kSolViewFace:
        SolSelectRange(c.mode, c.a, c.b, n, start, count);
        SetFaceUp(c.pile, start, count, c.target != 0);
        break;
      case kSolViewShow:
        v->visible = c.value != 0;
        if (m_animate) Redraw();
        break;
      case kSolViewReverse:
        ReversePile(c.pile);
        break;
      case kSolViewMarker:
        if (v->baseKind == 3) {
          v->markerRank = c.value;
        } else if (v->baseKind == 2) {
          v->markerRank = (c.value & 0xFF) - 1;
          v->markerSuit = (c.value >> 8) - 1;
        }
        if (m_animate) Redraw();
        break;
      case kSolViewShuffle:
        ShufflePile(c.pile, c.value);
        break;
      default:
        break;
    }
  }
  commands.clear();
  if (!m_animate) Redraw();
}

void SolGameField::SetFaceUp(int pile, int start, int count, bool faceUp) {
  SolPileView* v = View(pile);
  if (!v) return;
  for (int i = start; i < start + count && static_cast<size_t>(i) < v->cards.size(); ++i) v->cards[i].faceUp = faceUp;
  if (m_animate) Redraw();
}

void SolGameField::ReversePile(int pile) {
  SolPileView* v = View(pile);
  if (!v) return;
  std::reverse(v->cards.begin(), v->cards.end());
  if (m_animate) Redraw();
}

void SolGameField::ShufflePile(int pile, int seed) {
  SolPileView* v = View(pile);
  if (!v || v->cards.empty()) return;
  const size_t n = v->cards.size();
  for (size_t i = 0; i < n; ++i) std::swap(v->cards[i], v->cards[(static_cast<size_t>(seed) * (i + 1)) % n]);
  if (m_animate) Redraw();
}

std::unique_ptr<SolCardImage> SolGameField::ComposeRunImage(int pile, int start, int count, HDC dc,
                                                            POINT& offset) const {
  const SolPileView& v = m_metrics.piles[pile];
  const int w = m_metrics.cardWidth;
  const int h = m_metrics.cardHeight;
  const int k = count - 1;
  const int fan = count > 1 ? v.fan : 0;
  const int width = fan == 1 || fan == 2 ? w + k * m_metrics.fanX : w;
  const int height = fan == 3 || fan == 4 ? h + k * m_metrics.fanY : h;
  auto image = std::make_unique<SolCardImage>();
  if (!image->Make(dc, width, height)) return nullptr;
  int x = fan == 1 ? k * m_metrics.fanX : 0;
  int y = fan == 3 ? k * m_metrics.fanY : 0;
  offset = {x, y};
  const int dx = fan == 1 ? -m_metrics.fanX : fan == 2 ? m_metrics.fanX : 0;
  const int dy = fan == 3 ? -m_metrics.fanY : fan == 4 ? m_metrics.fanY : 0;
  const int first = fan == 0 ? start + count - 1 : start;
  const int back = m_options ? static_cast<int>(m_options->cardBack) : 0;
  for (int i = first; i < start + count; ++i) {
    const SolCardView& c = v.cards[i];
    if (m_bitmaps && c.faceUp) m_bitmaps->DrawFace(image->Dc(), x, y, c.suit, c.rank);
    if (m_bitmaps && !c.faceUp) m_bitmaps->DrawBack(image->Dc(), x, y, back);
    x += dx;
    y += dy;
  }
  return image;
}

void SolGameField::Animate(const SolCardImage& image, POINT offset, POINT from, POINT to) {
  SolCardImage under;
  if (!under.Make(m_backDc, image.Width(), image.Height())) return;
  const long dx = (to.x - from.x) * 256L / (kFrames + 1);
  const long dy = (to.y - from.y) * 256L / (kFrames + 1);
  for (int k = 0; k < kFrames; ++k) {
    const POINT at{static_cast<LONG>(from.x + k * dx / 256) - offset.x, static_cast<LONG>(from.y + k * dy / 256) - offset.y};
    under.SaveFrom(m_backDc, at);
    image.Draw(m_backDc, at.x, at.y);
    CopyToScreen();
    Sleep(kFrameMs);
    under.RestoreTo(m_backDc, at);
  }
}

void SolGameField::MoveCards(int source, int start, int count, int target, int position) {
  SolPileView* from = View(source);
  SolPileView* to = View(target);
  if (count <= 0 || !from || !to || start < 0 || static_cast<int>(from->cards.size()) < start + count) return;
  const bool animate = from->visible && to->visible && m_animate;
  std::vector<SolCardView> run(from->cards.begin() + start, from->cards.begin() + start + count);
  POINT offset{};
  std::unique_ptr<SolCardImage> image = animate ? ComposeRunImage(source, start, count, m_backDc, offset) : nullptr;
  from->cards.erase(from->cards.begin() + start, from->cards.begin() + start + count);
  if (static_cast<int>(to->cards.size()) < position) {
    from->cards.insert(from->cards.begin() + start, run.begin(), run.end());
    return;
  }
  if (from->visible && m_animate) Redraw();
  if (image) {
    const POINT a = EntryCorner(source, start - 1);
    const POINT b = EntryCorner(target, position - 1);
    Animate(*image, {0, 0}, a, b);
  }
  to->cards.insert(to->cards.begin() + position, run.begin(), run.end());
  if (to->visible && m_animate) Redraw();
}

void SolGameField::MoveRunToPile(int source, int start, int target) {
  SolPileView* from = View(source);
  SolPileView* to = View(target);
  if (!from || !to || start < 0 || static_cast<size_t>(start) >= from->cards.size()) return;
  to->cards.insert(to->cards.end(), from->cards.begin() + start, from->cards.end());
  from->cards.erase(from->cards.begin() + start, from->cards.end());
}
