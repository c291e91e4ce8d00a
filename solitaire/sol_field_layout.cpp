// The game field's layout: pile views from the rule set, card size and fan
// steps scaled to the screen, placement against the field's size, fans
// squeezed to stay inside it, and the drawing of each pile with the
// registration of its hit rectangles.
#include <algorithm>

#include "sol_game_field.h"
#include "sol_utils.h"

namespace {

// A position in placement units against the extent E: 1 proportional,
// 2 centred, 3 from the far edge.
int Place(int v, int extent, int mode) {
  switch (mode) {
    case 1: return v * extent / 160;
    case 2: return v + (extent - 160) / 2;
    case 3: return v + extent - 160;
    default: return v;
  }
}

constexpr int kNoLimit = 0x7FFF;

}  // namespace

void SolGameField::BuildViews() {
  StopBlink();
  m_metrics = SolFieldMetrics{};
  FreeDrag();
  m_dragging = false;
  m_buttonDown = false;
  if (GetCapture() == m_hWnd) ReleaseCapture();
  if (!m_rules || !m_rules->HasGame()) return;
  m_metrics.wide = m_rules->WideLayout() ? 1 : 0;
  const auto& defs = m_rules->Rules().piles;
  const auto& states = m_rules->Piles();
  m_metrics.piles.resize(defs.size());
  for (size_t p = 0; p < defs.size(); ++p) {
    const SolPileDef& d = defs[p];
    const SolPileState& s = states[p];
    SolPileView& v = m_metrics.piles[p];
    v.x = d.x;
    v.y = d.y;
    v.xMode = d.xMode;
    v.yMode = d.yMode;
    v.fan = d.fan;
    v.baseKind = d.baseKind;
    v.orderKey = d.orderKey;
    v.fanLimitMode = d.fanLimitMode <= 1 ? d.fanLimitMode : 3;
    v.fanLimit = d.fanLimit;
    v.visible = s.active != 0;
    if (d.baseKind == 3) {
      v.markerRank = static_cast<int>(s.marker1 & 0xFFFF);
    } else if (d.baseKind == 2) {
      v.markerRank = static_cast<int>(s.marker1) - 1;
      v.markerSuit = static_cast<int>(s.marker2) - 1;
    }
    v.cards.resize(static_cast<size_t>(std::max<int16_t>(0, s.count)));
  }
  const auto& cards = m_rules->Cards();
  const auto& cardDefs = m_rules->Rules().cards;
  for (size_t c = 0; c < cards.size(); ++c) {
    const SolCardState& s = cards[c];
    if (s.pile >= m_metrics.piles.size()) continue;
    auto& pile = m_metrics.piles[s.pile].cards;
    if (s.position < 0 || static_cast<size_t>(s.position) >= pile.size()) continue;
    pile[s.position] = {static_cast<int>(c), cardDefs[c].suit - 1, cardDefs[c].rank - 1, s.faceUp != 0};
  }
  m_dirty = true;
}

void SolGameField::SetupMetrics() {
  const bool w = m_metrics.wide != 0;
  m_metrics.cardWidth = SolFixedX(w ? 26 : 20);
  m_metrics.cardHeight = SolFixedY(w ? 35 : 27);
  m_metrics.fanX = SolFixedX(w ? 12 : 9);
  m_metrics.fanY = SolFixedY(w ? 12 : 9);
  m_style.wide = m_metrics.wide;
  m_style.cardWidth = m_metrics.cardWidth;
  m_style.cardHeight = m_metrics.cardHeight;
  m_bitmaps = std::make_unique<SolCardBitmapCache>();
  if (!m_backDc || !m_bitmaps->Build(m_backDc, m_style)) m_bitmaps.reset();
  m_pileOrder.resize(m_metrics.piles.size());
  for (size_t p = 0; p < m_pileOrder.size(); ++p) m_pileOrder[p] = static_cast<uint16_t>(p);
  std::stable_sort(m_pileOrder.begin(), m_pileOrder.end(), [this](uint16_t a, uint16_t b) {
    return static_cast<uint16_t>(m_metrics.piles[a].orderKey) < static_cast<uint16_t>(m_metrics.piles[b].orderKey);
  });
  ClearSelection();
  m_dirty = true;
}

SolPileView* SolGameField::View(int pile) {
  return pile >= 0 && static_cast<size_t>(pile) < m_metrics.piles.size() ? &m_metrics.piles[pile] : nullptr;
}

POINT SolGameField::PileOrigin(int pile) const {
  const SolPileView& v = m_metrics.piles[pile];
  return {Place(v.x, m_clientWidth, v.xMode) - (m_metrics.cardWidth >> 1),
          Place(v.y, m_clientHeight, v.yMode) - (m_metrics.cardHeight >> 1)};
}

// The step between fanned cards: never more than the full step, squeezed so
// that the fan stays within its limit and the field; never negative.
int SolGameField::FanStep(const SolPileView& v, int x0, int y0, int limit) const {
  const int k = static_cast<int>(v.cards.size()) - 1;
  if (k < 1) return 0;
  int room = 0;
  int full = 0;
  switch (v.fan) {
    case 1: room = x0; full = m_metrics.fanX; break;
    case 2: room = m_clientWidth - m_metrics.cardWidth - x0; full = m_metrics.fanX; break;
    case 3: room = y0; full = m_metrics.fanY; break;
    case 4: room = m_clientHeight - m_metrics.cardHeight - y0; full = m_metrics.fanY; break;
    default: return 0;
  }
  return std::max(0, std::min(full, std::min(limit, room) / k));
}

void SolGameField::DrawCard(const SolCardView& card, int x, int y) {
  if (!m_bitmaps) return;
  if (card.faceUp) {
    m_bitmaps->DrawFace(m_backDc, x, y, card.suit, card.rank);
  } else {
    m_bitmaps->DrawBack(m_backDc, x, y, m_options ? static_cast<int>(m_options->cardBack) : 0);
  }
}

void SolGameField::Highlight(int x, int y) {
  const RECT r{x, y, x + m_metrics.cardWidth, y + m_metrics.cardHeight};
  InvertRect(m_backDc, &r);
}

void SolGameField::DrawPile(int pile) {
  const SolPileView& v = m_metrics.piles[pile];
  if (!v.visible) return;
  const POINT origin = PileOrigin(pile);
  int x = origin.x;
  int y = origin.y;
  const int w = m_metrics.cardWidth;
  const int h = m_metrics.cardHeight;
  const auto rect = [w, h](int left, int top) { return RECT{left, top, left + w, top + h}; };
  const auto& states = m_rules->Cards();
  const auto mark = [&states](const SolCardView& c) { return states[c.card].pick || !states[c.card].accept; };
  if (v.cards.empty()) {
    const bool base = v.baseKind != 1;
    if (base) {
      SolDrawPileBase(m_style, m_backDc, x, y, {v.baseKind, v.markerRank, v.markerSuit});
      if (m_selectedPile == pile) Highlight(x, y);
    }
    m_targets.Add(rect(x, y), static_cast<uint16_t>(pile), kSolNone, base);
    return;
  }
  const int n = static_cast<int>(v.cards.size());
  if (v.fan == 0) {
    if (n >= 2) {
      DrawCard(v.cards[n - 2], x, y);
      ++y;
    }
    DrawCard(v.cards[n - 1], x, y);
    if (m_selectedPile == pile && m_selectedCard == n - 1) Highlight(x, y);
    m_targets.Add(rect(x, y), static_cast<uint16_t>(pile), static_cast<uint16_t>(n - 1), mark(v.cards[n - 1]));
    return;
  }
  int limit = kNoLimit;
  if (v.fanLimit != 0) {
    const int extent = v.fan <= 2 ? m_clientWidth : m_clientHeight;
    limit = v.fanLimitMode == 0 ? v.fanLimit : Place(v.fanLimit, extent, v.fanLimitMode);
  }
  const int step = FanStep(v, x, y, limit);
  const int dx = v.fan == 1 ? -step : v.fan == 2 ? step : 0;
  const int dy = v.fan == 3 ? -step : v.fan == 4 ? step : 0;
  for (int i = 0; i < n; ++i) {
    DrawCard(v.cards[i], x, y);
    if (m_selectedPile == pile && m_selectedCard == i) Highlight(x, y);
    m_targets.Add(rect(x, y), static_cast<uint16_t>(pile), static_cast<uint16_t>(i), mark(v.cards[i]));
    x += dx;
    y += dy;
  }
}

// The top-left corner registered for a pile's card at `position`, else for
// its bottom card or base, else for any of its entries; (0, 0) without one.
POINT SolGameField::EntryCorner(int pile, int position) const {
  int i = m_targets.Find(static_cast<uint16_t>(pile), static_cast<uint16_t>(position));
  if (i < 0) i = m_targets.Find(static_cast<uint16_t>(pile), 0);
  if (i < 0) i = m_targets.Find(static_cast<uint16_t>(pile), kSolNone);
  if (i < 0) i = m_targets.FirstOfPile(static_cast<uint16_t>(pile));
  if (i < 0) return {0, 0};
  return {m_targets.At(i).rect.left, m_targets.At(i).rect.top};
}
