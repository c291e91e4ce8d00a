#include "sol_main_wnd.h"

#include "ce_hidpi.h"
#include "sol_platform.h"

SolMainWnd* g_pMainWnd = nullptr;

namespace {

constexpr UINT kClockTimer = 1;
constexpr UINT kClockPeriodMs = 50;
constexpr UINT kIconBar = 107;
constexpr UINT kSoftkeyBar = 130;
constexpr int kToolbarBitmap = 500;
constexpr int kToolbarImages = 4;
constexpr uint32_t kDoubleKeySeconds = 2;

bool KeyboardMode(uint8_t playMode) { return playMode == kSolKeyboardCW || playMode == kSolKeyboardPW; }

}  // namespace

SolMainWnd::SolMainWnd() {
  m_gameName.LoadString(GetModuleHandle(nullptr), 1);
}

SolMainWnd::~SolMainWnd() = default;

bool SolMainWnd::CreateMenuBar() {
  m_menuBar = std::make_unique<SolMenuBar>(m_hWnd, GetModuleHandle(nullptr), kIconBar, kSoftkeyBar, false,
                                           kToolbarBitmap + (g_bIsVGA ? 1 : 0), kToolbarImages, 0);
  if (!m_menuBar->GetMenuBarHWND()) m_menuBar.reset();
  return m_menuBar != nullptr;
}

int SolMainWnd::OnCreate(CREATESTRUCTW*, bool& handled) {
  handled = true;
  m_activateInfo = SHACTIVATEINFO{};
  m_activateInfo.cbSize = sizeof m_activateInfo;
  if (!CreateMenuBar()) return -1;
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  m_field = SolGameField::Create(m_hWnd, client);
  if (!m_field) return -1;
  m_rules = std::make_unique<SolRuleSet>();
  m_field->SetRuleSet(m_rules.get());
  m_field->SetOwnerState(&m_options, &m_elapsed);
  SolSetWriteFailureHandler([] {
    if (g_pMainWnd && g_pMainWnd->m_hWnd) ::PostMessage(g_pMainWnd->m_hWnd, kSolMsgTellSavedData, 0, 0);
  });
  ::PostMessage(m_hWnd, kSolMsgTellSavedData, 0, 0);
  LoadOptions();
  if (g_HIDPI_VXFontScale == 1.0 || g_HIDPI_VXFontScale == 2.0) {
    ApplySoftkeyMode();
  } else {
    m_options.softkeyMenu = 1;
  }
  m_field->TakeOptions();
  if (!LoadRules()) return -1;
  m_optionsChanged = false;
  m_lastClock = 0;
  m_elapsed = 0;
  m_clockPaused = true;
  m_clockResync = true;
  ::SetTimer(m_hWnd, kClockTimer, kClockPeriodMs, nullptr);
  RestoreOrDeal();
  if (KeyboardMode(m_options.playMode)) {
    ResetKeyboard();
    m_cursorRefresh = true;
  }
  return 0;
}

void SolMainWnd::OnClose(bool& handled) {
  handled = true;
  const uint32_t failures = SolWriteFailures();
  SaveOptions();
  if (m_rules && m_rules->HasGame()) m_rules->SaveGame(GameName(), m_options.curGameNumber, m_elapsed);
  if (SolWriteFailures() != failures && !QuitUnsaved()) return;
  ::DestroyWindow(m_hWnd);
}

void SolMainWnd::OnDestroy(bool& handled) {
  SolSetWriteFailureHandler(nullptr);
  ::KillTimer(m_hWnd, kClockTimer);
  ::PostQuitMessage(0);
  handled = false;
}

int SolMainWnd::OnCommand(UINT wParam, LPARAM, bool& handled) {
  if (!handled) ExecuteCommand(LOWORD(wParam), handled);
  return handled ? 0 : static_cast<int>(Default());
}

void SolMainWnd::OnSize(UINT type, int cx, int cy, bool& handled) {
  CeWnd::OnSize(type, cx, cy, handled);
  if (m_field) ::MoveWindow(m_field->m_hWnd, 0, 0, cx, cy, TRUE);
}

void SolMainWnd::OnSettingChange(WORD flag, LPCWSTR section, bool& handled) {
  SHHandleWMSettingChange(m_hWnd, flag, reinterpret_cast<LPARAM>(section), &m_activateInfo);
  handled = true;
}

void SolMainWnd::OnTimer(UINT, bool& handled) {
  handled = true;
  if (m_clockPaused) return;
  if (m_cursorRefresh) {
    m_cursorRefresh = false;
    m_field->MarkForPicking();
    m_field->Redraw();
  }
  const uint32_t now = SolSeconds();
  if (m_clockResync) {
    m_clockResync = false;
  } else if (now > m_lastClock) {
    // The clock only counts forward: a reading that went back adds nothing.
    m_elapsed += now - m_lastClock;
    if (m_options.showTimer && !m_field->IsDragging()) m_field->Redraw();
    if (m_options.timedGame && m_elapsed / 60 >= m_options.timeLimit) {
      m_lastClock = now;
      ::SendMessage(m_hWnd, kSolMsgCheckState, 0, 0);
      return;
    }
  }
  m_lastClock = now;
}

LRESULT SolMainWnd::OnMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled) {
  switch (msg) {
    case WM_EXITMENULOOP:
      m_clockPaused = false;
      break;
    case WM_ENTERMENULOOP:
      m_clockPaused = true;
      m_clockResync = true;
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        m_clockPaused = false;
      } else {
        m_clockPaused = true;
        m_clockResync = true;
      }
      break;
    case kSolMsgCheckState:
      handled = true;
      CheckGameState();
      break;
    case kSolMsgTellSavedData:
      handled = true;
      TellSavedData();
      break;
    default:
      break;
  }
  return 0;
}

void SolMainWnd::ResetKeyboard() {
  m_pickPile = m_pickCard = kSolNone;
  m_field->Targets().SetPicked(kSolNone, kSolNone);
  m_field->ClearSelection();
  m_field->Targets().SetAllMarks(false);
}

void SolMainWnd::DropPick() {
  m_pickPile = m_pickCard = kSolNone;
  m_field->Targets().SetPicked(kSolNone, kSolNone);
  m_field->ClearSelection();
  m_field->MarkForPicking();
  m_field->Redraw();
}

void SolMainWnd::OnKeyDown(UINT vk, UINT, UINT, bool& handled) {
  if (!KeyboardMode(m_options.playMode) || m_field->Targets().Count() == 0) return;
  m_field->StopBlink();
  SolTargetSet& targets = m_field->Targets();
  if (!targets.HasCursor()) targets.PlaceCursor(kSolNone, kSolNone);
  switch (vk) {
    case VK_LEFT: targets.MoveLeft(); break;
    case VK_RIGHT: targets.MoveRight(); break;
    case VK_UP: targets.MoveUp(); break;
    case VK_DOWN: targets.MoveDown(); break;
    case VK_RETURN:
      KeyboardEnter();
      handled = true;
      return;
    default: return;
  }
  targets.SetFrozen(true);
  m_field->Redraw();
  targets.SetFrozen(false);
  handled = true;
}

void SolMainWnd::KeyboardEnter() {
  SolTargetSet& targets = m_field->Targets();
  uint16_t pile = kSolNone;
  uint16_t card = kSolNone;
  if (!targets.GetCursor(pile, card)) return;
  SolViewCommandList commands;
  bool moved = false;
  const int cardIndex = m_field->CardAt(pile, card);
  const auto tapPile = [&] {
    if (!m_field->CanTapPile(pile)) return false;
    ResetKeyboard();
    return m_field->TapPile(pile, commands);
  };
  if (m_pickPile == kSolNone) {
    if (cardIndex >= 0 && m_field->CanPickCard(static_cast<uint16_t>(cardIndex)) &&
        m_field->MarkForDrop(static_cast<uint16_t>(cardIndex))) {
      m_pickPile = pile;
      m_pickCard = card;
      targets.SetPicked(pile, card);
      m_pickTime = SolSeconds();
      m_field->Select(pile, card);
      targets.PlaceCursor(pile, card);
      m_field->Redraw();
      targets.PlaceCursor(pile, card);
      return;
    }
    moved = tapPile();
  } else if (pile == m_pickPile && card == m_pickCard) {
    if (SolSeconds() - m_pickTime < kDoubleKeySeconds) {
      moved = tapPile();
      if (!moved) DropPick();
    } else {
      DropPick();
    }
  } else if (pile != m_pickPile) {
    const int picked = m_field->CardAt(m_pickPile, m_pickCard);
    if (picked < 0 || !m_field->CanMoveCardTo(static_cast<uint16_t>(picked), pile)) return;
    const uint16_t from = m_pickPile;
    const uint16_t start = m_pickCard;
    ResetKeyboard();
    m_field->TryMove(static_cast<uint16_t>(picked), pile, commands);
    const int count = static_cast<int>(m_field->Metrics().piles[from].cards.size()) - start;
    m_field->MoveCards(from, start, count, pile, static_cast<int>(m_field->Metrics().piles[pile].cards.size()));
    moved = true;
  } else {
    DropPick();
    return;
  }
  if (!moved) return;
  m_field->ApplyViewCommands(commands);
  m_field->Redraw();
  m_field->MarkForPicking();
  targets.PlaceCursor(pile, card);
  m_field->FinishMove();
}
