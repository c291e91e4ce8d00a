// The game field's pointer input: tapping mode (select, then tap the target
// pile; a quick second tap plays the pile's own action) and drag-and-drop
// mode (press, drag more than 3 pixels, release over the target), and the
// blinking hint.
#include <cstdlib>

#include "sol_game_field.h"
#include "sol_platform.h"

namespace {

constexpr int kDragThreshold = 3;
constexpr uint32_t kDoubleTapSeconds = 2;
constexpr int kBlinkPasses = 4;
constexpr UINT kBlinkTimer = 1;
constexpr UINT kBlinkMs = 200;

}  // namespace

int SolGameField::HitTest(POINT pt, uint16_t& pile, uint16_t& card, RECT* rect) const {
  const int i = m_targets.HitTest(pt, [this](uint16_t p) {
    return p < m_metrics.piles.size() && (!m_metrics.piles[p].cards.empty() || m_metrics.piles[p].baseKind != 1);
  });
  if (i < 0) return -1;
  const SolTarget& t = m_targets.At(i);
  pile = t.pile;
  card = t.card;
  if (rect) *rect = t.rect;
  return i;
}

void SolGameField::OnLButtonDown(UINT, POINT pt, bool& handled) {
  StopBlink();
  if (pt.x < m_client.left || pt.y < m_client.top || pt.x >= m_client.right || pt.y >= m_client.bottom) return;
  if (m_playMode == kSolTapping) {
    handled = Tap(pt);
  } else if (m_playMode == kSolDragDrop) {
    m_pressedPile = m_pressedCard = kSolNone;
    handled = Press(pt);
  }
  if (handled) m_buttonDown = true;
}

void SolGameField::OnMouseMove(UINT, POINT pt, bool&) {
  if (m_buttonDown && m_playMode == kSolDragDrop) DragTo(pt);
}

void SolGameField::OnLButtonUp(UINT, POINT pt, bool& handled) {
  if (!m_buttonDown) return;
  if (m_playMode == kSolTapping) handled = true;
  if (m_playMode == kSolDragDrop) handled = Release(pt);
  if (GetCapture() == m_hWnd) ReleaseCapture();
  if (handled) m_buttonDown = false;
}

bool SolGameField::Tap(POINT pt) {
  uint16_t pile = kSolNone;
  uint16_t card = kSolNone;
  if (HitTest(pt, pile, card) < 0) {
    ClearSelection();
    Redraw();
    return false;
  }
  SolViewCommandList commands;
  bool moved = false;
  if (m_selectedPile == kSolNone) {
    if (card != kSolNone) m_pickedCard = static_cast<uint16_t>(CardAt(pile, card));
    if (card != kSolNone && CanPickCard(m_pickedCard)) {
      Select(pile, card);
      Redraw();
      m_selectionTime = SolSeconds();
      return true;
    }
    moved = TapPile(pile, commands);
  } else if (pile == m_selectedPile) {
    if (card == m_selectedCard && SolSeconds() - m_selectionTime < kDoubleTapSeconds) {
      moved = TapPile(pile, commands);
      if (!moved) return true;
    } else {
      ClearSelection();
      Redraw();
      return true;
    }
  } else {
    if (!TryMove(m_pickedCard, pile, commands)) return true;
    const int from = m_selectedPile;
    const int start = m_selectedCard;
    const int count = static_cast<int>(m_metrics.piles[from].cards.size()) - start;
    const int at = static_cast<int>(m_metrics.piles[pile].cards.size());
    ClearSelection();
    MoveCards(from, start, count, pile, at);
    ApplyViewCommands(commands);
    FinishMove();
    return true;
  }
  if (moved) {
    ClearSelection();
    ApplyViewCommands(commands);
    FinishMove();
  }
  return true;
}

bool SolGameField::Press(POINT pt) {
  uint16_t pile = kSolNone;
  uint16_t card = kSolNone;
  if (HitTest(pt, pile, card, &m_hitRect) < 0) return false;
  m_pressedPile = pile;
  m_pressedCard = card;
  if (card != kSolNone) m_pickedCard = static_cast<uint16_t>(CardAt(pile, card));
  if (::GetCapture() != m_hWnd) ::SetCapture(m_hWnd);
  m_dragging = false;
  m_press = pt;
  return true;
}

void SolGameField::StartDrag(POINT pt) {
  POINT offset{};
  SolPileView& v = m_metrics.piles[m_pressedPile];
  const int count = static_cast<int>(v.cards.size()) - m_pressedCard;
  m_dragImage = ComposeRunImage(m_pressedPile, m_pressedCard, count, m_backDc, offset);
  if (!m_dragImage) return;
  // The run leaves its pile while it is dragged.
  m_savedCount = static_cast<uint16_t>(v.cards.size());
  std::vector<SolCardView> run(v.cards.begin() + m_pressedCard, v.cards.end());
  v.cards.resize(m_pressedCard);
  m_dirty = true;
  Paint(false);
  if (m_options && m_options->showTimer) DrawClock(m_backDc);
  v.cards.insert(v.cards.end(), run.begin(), run.end());
  m_dragPos = {m_hitRect.left - offset.x, m_hitRect.top - offset.y};
  // The offset is taken from the press, so the run stays where the stylus
  // took it instead of jumping by the distance that started the drag.
  m_dragOffset = {m_dragPos.x - m_press.x, m_dragPos.y - m_press.y};
  m_dragPos = {pt.x + m_dragOffset.x, pt.y + m_dragOffset.y};
  m_saveUnder = std::make_unique<SolCardImage>();
  if (!m_saveUnder->Make(m_backDc, m_dragImage->Width(), m_dragImage->Height())) {
    FreeDrag();
    return;
  }
  m_saveUnder->SaveFrom(m_backDc, m_dragPos);
  m_dragImage->Draw(m_backDc, m_dragPos.x, m_dragPos.y);
  CopyToScreen();
  m_dragging = true;
}

void SolGameField::DragTo(POINT pt) {
  if (!m_dragging) {
    const bool far = std::abs(pt.x - m_press.x) > kDragThreshold || std::abs(pt.y - m_press.y) > kDragThreshold;
    if (far && m_pressedPile != kSolNone && m_pressedCard != kSolNone && CanPickCard(m_pickedCard)) StartDrag(pt);
    return;
  }
  const POINT to{pt.x + m_dragOffset.x, pt.y + m_dragOffset.y};
  if (to.x == m_dragPos.x && to.y == m_dragPos.y) return;
  m_saveUnder->RestoreTo(m_backDc, m_dragPos);
  m_dragPos = to;
  m_saveUnder->SaveFrom(m_backDc, m_dragPos);
  m_dragImage->Draw(m_backDc, m_dragPos.x, m_dragPos.y);
  CopyToScreen();
}

void SolGameField::FreeDrag() {
  m_dragImage.reset();
  m_saveUnder.reset();
  m_dragging = false;
}

bool SolGameField::Release(POINT pt) {
  if (GetCapture() == m_hWnd) ReleaseCapture();
  SolViewCommandList commands;
  bool moved = false;
  if (m_dragging) {
    const POINT centre{m_dragPos.x + m_metrics.cardWidth / 2, m_dragPos.y + m_metrics.cardHeight / 2};
    uint16_t pile = kSolNone;
    uint16_t card = kSolNone;
    if (HitTest(centre, pile, card) >= 0 && pile != m_pressedPile && TryMove(m_pickedCard, pile, commands)) {
      MoveRunToPile(m_pressedPile, m_pressedCard, pile);
      moved = true;
    }
    FreeDrag();
    Redraw();
    if (moved) ApplyViewCommands(commands);
  } else {
    uint16_t pile = kSolNone;
    uint16_t card = kSolNone;
    if (HitTest(pt, pile, card) >= 0 && pile == m_pressedPile && card == m_pressedCard && SecondTap(pile, card)) {
      moved = TapPile(pile, commands);
      if (moved) ApplyViewCommands(commands);
    }
  }
  if (moved) FinishMove();
  return true;
}

// A tap on a card that could be dragged plays the pile's own action only as
// the second of two quick taps on it, as in tapping mode: one double tap
// plays one card, not the next one uncovered too. Other taps (the stock,
// an empty pile's base) act at once.
bool SolGameField::SecondTap(uint16_t pile, uint16_t position) {
  const int card = CardAt(pile, position);
  if (card < 0 || !CanPickCard(static_cast<uint16_t>(card))) return true;
  const uint32_t now = SolSeconds();
  const bool second = card == m_firstTapCard && now - m_firstTapTime < kDoubleTapSeconds;
  m_firstTapCard = second ? -1 : card;
  m_firstTapTime = now;
  return second;
}

void SolGameField::AddBlink(int pile, int position) {
  for (int pass = 0; pass < kBlinkPasses; ++pass) {
    m_blink.emplace_back(pass % 2 == 0 ? pile : static_cast<int>(kSolNone),
                         pass % 2 == 0 ? position : static_cast<int>(kSolNone));
  }
}

void SolGameField::ShowMove(uint16_t card, uint16_t pile) {
  StopBlink();
  if (pile >= m_metrics.piles.size()) return;
  const auto topOf = [this](int p) {
    const int n = static_cast<int>(m_metrics.piles[p].cards.size());
    return n > 0 ? n - 1 : static_cast<int>(kSolNone);
  };
  m_blink.clear();
  if (card != kSolNone) {
    for (size_t p = 0; p < m_metrics.piles.size(); ++p) {
      const auto& cards = m_metrics.piles[p].cards;
      for (size_t i = 0; i < cards.size(); ++i) {
        if (cards[i].card == card) AddBlink(static_cast<int>(p), static_cast<int>(i));
      }
    }
  }
  AddBlink(pile, topOf(pile));
  m_blinkPass = 0;
  ShowBlinkPass();
  ::SetTimer(m_hWnd, kBlinkTimer, kBlinkMs, nullptr);
}

void SolGameField::ShowBlinkPass() {
  const auto [pile, position] = m_blink[m_blinkPass];
  Select(pile, position);
  Redraw();
}

void SolGameField::OnTimer(UINT id, bool& handled) {
  if (id != kBlinkTimer) return;
  handled = true;
  if (++m_blinkPass < m_blink.size()) {
    ShowBlinkPass();
    return;
  }
  StopBlink();
  Redraw();
  if (m_playMode == kSolKeyboardCW || m_playMode == kSolKeyboardPW) MarkForPicking();
}

void SolGameField::StopBlink() {
  if (m_blink.empty()) return;
  ::KillTimer(m_hWnd, kBlinkTimer);
  m_blink.clear();
  m_blinkPass = 0;
  ClearSelection();
}

void SolGameField::MarkForPicking() {
  for (size_t i = 0; i < m_targets.Count(); ++i) {
    const SolTarget& t = m_targets.At(i);
    const int card = CardAt(t.pile, t.card);
    const bool top = t.card == kSolNone || static_cast<size_t>(t.card) + 1 == m_metrics.piles[t.pile].cards.size();
    m_targets.SetMark(i, (card >= 0 && CanPickCard(static_cast<uint16_t>(card))) || (top && CanTapPile(t.pile)));
  }
}

bool SolGameField::MarkForDrop(uint16_t card) {
  bool any = false;
  for (size_t i = 0; i < m_targets.Count(); ++i) {
    const SolTarget& t = m_targets.At(i);
    const bool top = t.card == kSolNone || static_cast<size_t>(t.card) + 1 == m_metrics.piles[t.pile].cards.size();
    const bool ok = top && CanMoveCardTo(card, t.pile);
    // The picked card stays a stop: a second Enter on it plays it.
    m_targets.SetMark(i, ok || CardAt(t.pile, t.card) == card);
    any = any || ok;
  }
  return any;
}
