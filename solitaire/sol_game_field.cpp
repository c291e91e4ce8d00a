#include "sol_game_field.h"

#include "ce_hidpi.h"
#include "wince/text.h"
#include "sol_platform.h"

namespace {

constexpr WCHAR kFieldText[] = u"SolGameField";

}  // namespace

SolGameField::SolGameField() {
  LOGFONTW font{};
  font.lfHeight = (g_HIDPI_LogPixelsY + 3) * 16 / 96;
  font.lfWeight = FW_BOLD;
  m_clockFont = CreateFontIndirect(&font);
}

std::unique_ptr<SolGameField> SolGameField::Create(HWND parent, const RECT& rc) {
  std::unique_ptr<SolGameField> field(new SolGameField);
  if (!field->CeWnd::Create(nullptr, parent, rc, kFieldText, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0)) {
    return nullptr;
  }
  field->MakeBackBuffer();
  return field;
}

SolGameField::~SolGameField() {
  FreeDrag();
  FreeBackBuffer();
  if (m_clockFont) DeleteObject(m_clockFont);
}

void SolGameField::TakeOptions() {
  if (!m_options) return;
  m_playMode = m_options->playMode;
  m_animate = m_options->animation != 0;
  m_targets.SetPileWise(m_playMode == kSolKeyboardPW);
}

void SolGameField::FreeBackBuffer() {
  if (m_backDc) {
    SelectObject(m_backDc, m_backOld);
    DeleteDC(m_backDc);
  }
  if (m_backBitmap) DeleteObject(m_backBitmap);
  m_backDc = nullptr;
  m_backBitmap = nullptr;
  m_backOld = nullptr;
}

void SolGameField::MakeBackBuffer() {
  FreeBackBuffer();
  ::GetClientRect(m_hWnd, &m_client);
  m_clientWidth = m_client.right - m_client.left;
  m_clientHeight = m_client.bottom - m_client.top;
  HDC dc = ::GetDC(m_hWnd);
  m_backDc = CreateCompatibleDC(dc);
  m_backBitmap = CreateCompatibleBitmap(dc, m_clientWidth, m_clientHeight);
  m_backOld = SelectObject(m_backDc, m_backBitmap);
  m_backWidth = m_clientWidth;
  m_backHeight = m_clientHeight;
  ::ReleaseDC(m_hWnd, dc);
  m_dirty = true;
}

void SolGameField::Paint(bool showClock) {
  RECT rc;
  ::GetClientRect(m_hWnd, &rc);
  if (!EqualRect(&rc, &m_client) || !m_backDc) MakeBackBuffer();
  if (m_dirty) {
    const RECT all{0, 0, m_backWidth, m_backHeight};
    HBRUSH brush = CreateSolidBrush(m_options ? m_options->bgColor : 0x8000);
    FillRect(m_backDc, &all, brush);
    DeleteObject(brush);
    if (!m_pileOrder.empty()) {
      m_targets.Clear();
      for (uint16_t pile : m_pileOrder) DrawPile(pile);
    }
    if ((m_playMode == kSolKeyboardCW || m_playMode == kSolKeyboardPW) && m_targets.HasCursor()) {
      m_targets.DrawCursor(m_backDc);
    }
    m_dirty = false;
  }
  if (showClock && m_options && m_options->showTimer) {
    DrawClock(m_backDc);
    if (m_dragImage) m_dragImage->Draw(m_backDc, m_dragPos.x, m_dragPos.y);
  }
}

void SolGameField::CopyToScreen() {
  HDC dc = ::GetDC(m_hWnd);
  BitBlt(dc, m_client.left, m_client.top, m_backWidth, m_backHeight, m_backDc, 0, 0, SRCCOPY);
  ::ReleaseDC(m_hWnd, dc);
}

void SolGameField::Redraw() {
  m_dirty = true;
  Paint(true);
  CopyToScreen();
}

void SolGameField::DrawClock(HDC dc) {
  const uint32_t elapsed = m_elapsed ? *m_elapsed : 0;
  uint32_t shown = elapsed;
  if (m_options->timedGame) {
    const uint32_t limit = m_options->timeLimit * 60;
    shown = elapsed >= limit ? 0 : limit - elapsed;
  }
  WCHAR text[16];
  wsprintf(text, u"%u:%u%u", shown / 60, shown % 60 / 10, shown % 10);
  RECT r{m_client.right - HIDPI_ScaleX(70), m_client.bottom - HIDPI_ScaleY(20), m_client.right - HIDPI_ScaleX(10),
         m_client.bottom};
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  HGDIOBJ oldFont = SelectObject(dc, m_clockFont);
  DrawText(dc, text, -1, &r, DT_RIGHT);
  SelectObject(dc, oldFont);
  SetBkMode(dc, oldMode);
}

void SolGameField::ClearSelection() {
  m_selectedPile = kSolNone;
  m_selectedCard = kSolNone;
}

void SolGameField::Select(int pile, int card) {
  m_selectedPile = pile;
  m_selectedCard = card;
}

void SolGameField::OnPaint(bool& handled) {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  Paint(true);
  BitBlt(dc, m_client.left, m_client.top, m_backWidth, m_backHeight, m_backDc, 0, 0, SRCCOPY);
  ::EndPaint(m_hWnd, &ps);
  handled = true;
}

LRESULT SolGameField::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  const LRESULT result = CeWnd::ProcessMessage(msg, wParam, lParam, handled);
  if (msg == WM_MOUSEMOVE || msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP || msg == WM_LBUTTONDBLCLK) {
    return handled ? 1 : 0;
  }
  return result;
}
