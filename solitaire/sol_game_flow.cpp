// The main window's game flow: the command dispatcher, new deals, restart,
// undo and hints, the choice of the rule set, and the check after every
// move that ends a game won, lost or out of time.
#include <vector>

#include "ce_hidpi.h"
#include "ce_strutil.h"
#include "sol_dialog.h"
#include "sol_main_wnd.h"
#include "sol_options_dlg.h"
#include "sol_platform.h"
#include "sol_statistics.h"
#include "sol_utils.h"

#ifndef CARROWIN_QVGA
#define CARROWIN_QVGA 0
#endif

namespace {

constexpr UINT kAppTitle = 1;
constexpr UINT kLostTitle = 110;
constexpr UINT kLostText = 111;
constexpr UINT kRulesTitle = 115;
constexpr UINT kNoUndoTitle = 3000;
constexpr UINT kNoUndoText = 3001;
constexpr UINT kTimeUpTitle = 3002;
constexpr UINT kTimeUpText = 3003;
constexpr UINT kRefusedText = 3019;
constexpr UINT kLostBar = 127;
constexpr UINT kTimeUpBar = 126;

// The rules text as a page: line feeds become line breaks.
CeString RulesPage(const std::string& rules) {
  CeStringA page;
  for (char c : rules) {
    if (c == '\n') {
      page += "<br>";
    } else {
      const char one[2] = {c, 0};
      page += one;
    }
  }
  CeString wide;
  WidenText(page.GetString(), wide);
  return wide;
}

}  // namespace

void SolMainWnd::ExecuteCommand(UINT id, bool& handled) {
  handled = true;
  switch (id) {
    case kSolCmdHelp:
      Paused([&] { return SolHelpDlg(kRulesTitle, RulesPage(m_rules->Rules().rulesText)).DoModal(m_hWnd); });
      break;
    case kSolCmdUndo:
      Undo();
      break;
    case kSolCmdHint:
      ShowHint();
      break;
    case kSolCmdNewGame:
    case kSolCmdRestart:
      CountLostGame(m_elapsed);
      if (id == kSolCmdNewGame) {
        NewGame(0, true);
      } else {
        RestartGame();
      }
      break;
    case kSolCmdStatistics:
      Paused([&] { return SolStatisticsDlg(GameName(), m_rules->Name().c_str()).DoModal(m_hWnd); });
      break;
    case kSolCmdOptions:
      RunOptions();
      break;
    case kSolCmdBestTimes:
      Paused([&] { return SolBestTimesDlg(GameName(), m_rules->Name().c_str()).DoModal(m_hWnd); });
      break;
    case kSolCmdAbout:
      Paused([&] { return SolAboutDlg().DoModal(m_hWnd); });
      break;
    default:
      handled = false;
      break;
  }
}

void SolMainWnd::RunOptions() {
  SolOptionsDlg dialog(*this);
  Paused([&] { return dialog.DoModal(m_hWnd); });
  if (!m_optionsChanged) return;
  m_optionsChanged = false;
  if (m_options.playMode == kSolKeyboardCW || m_options.playMode == kSolKeyboardPW) ResetKeyboard();
  m_field->SetupMetrics();
  m_field->Redraw();
  ::SendMessage(m_hWnd, kSolMsgCheckState, 0, 0);
}

void SolMainWnd::ApplyOptions(const SolOptions& o) {
#if CARROWIN_SPIDER
  const bool variant = o.suitsNumber != m_options.suitsNumber;
#else
  const bool variant = o.gameType != m_options.gameType;
#endif
  if (variant) {
    m_optionsChanged = true;
    m_rules->SaveGame(GameName(), m_options.curGameNumber, m_elapsed);
    m_options.suitsNumber = o.suitsNumber;
#if !CARROWIN_SPIDER
    m_options.gameType = o.gameType;
#endif
    if (LoadRules()) {
      RestoreOrDeal();
    } else {
      NewGame(0, false);
    }
  }
  m_options.animation = o.animation;
  m_optionsChanged |= o.playMode != m_options.playMode || o.bgColor != m_options.bgColor ||
                      o.cardBack != m_options.cardBack || o.showTimer != m_options.showTimer;
  m_options.playMode = o.playMode;
  m_options.bgColor = o.bgColor;
  m_options.cardBack = o.cardBack;
  m_options.showTimer = o.showTimer;
  if (o.softkeyMenu != m_options.softkeyMenu) {
    m_options.softkeyMenu = o.softkeyMenu;
    ApplySoftkeyMode();
  }
  m_field->TakeOptions();
  m_options.timedGame = o.timedGame;
  m_options.timeLimit = o.timeLimit;
}

void SolMainWnd::RestoreOrDeal() {
  uint32_t number = 0;
  uint32_t elapsed = 0;
  bool refused = false;
  if (m_rules->LoadGame(GameName(), number, &refused, &elapsed)) {
    m_options.curGameNumber = number;
    m_elapsed = elapsed;
    RefreshRestoredGame();
    m_rules->ConfirmRestored(GameName());
    return;
  }
  if (refused) {
    ::MessageBox(m_hWnd, LoadText(kRefusedText).GetString(), LoadText(kAppTitle).GetString(), MB_OK | MB_ICONWARNING);
  }
  NewGame(0, false);
}

void SolMainWnd::CountLostGame(uint32_t seconds) {
  SolStatistics::AddGame(GameName(), m_rules->Name().c_str(), false, seconds);
}

bool SolMainWnd::LoadRules() {
  const uint16_t id = m_options.RuleSetId();
  size_t size = 0;
  const uint8_t* record = SolFindResource(id, u"SOLDB", size);
  const SolScreen screen{g_HIDPI_LogPixelsX, g_HIDPI_LogPixelsY, CARROWIN_QVGA != 0};
  std::string error;
  if (record && m_rules->Load(record, size, screen, &error)) return true;
  ::MessageBox(m_hWnd, u"The rules of this game cannot be read.", u"Error", MB_OK | MB_ICONERROR);
  return false;
}

void SolMainWnd::ApplySoftkeyMode() {
  if (m_menuBar) m_menuBar->SetSoftkeyMode(m_options.softkeyMenu != 0);
}

void SolMainWnd::NewGame(uint32_t number, bool redraw) {
  m_rules->StartGame(number);
  m_options.curGameNumber = number;
  m_hintIndex = 0;
  m_field->BuildViews();
  m_field->SetupMetrics();
  if (m_options.playMode == kSolKeyboardCW || m_options.playMode == kSolKeyboardPW) {
    ResetKeyboard();
    m_cursorRefresh = true;
  }
  if (redraw) m_field->Redraw();
  m_clockResync = true;
  m_clockPaused = false;
  m_elapsed = 0;
  if (!m_optionsChanged) ::SendMessage(m_hWnd, kSolMsgCheckState, 0, 0);
}

void SolMainWnd::RefreshRestoredGame() {
  m_field->BuildViews();
  m_field->SetupMetrics();
  m_field->Redraw();
  m_clockPaused = false;
  m_clockResync = true;
}

int SolMainWnd::Undo() {
  if (!m_rules->UndoStep()) {
    Paused([&] {
      return ::MessageBox(m_hWnd, LoadText(kNoUndoText).GetString(), LoadText(kNoUndoTitle).GetString(), MB_OK);
    });
    return 0;
  }
  const bool keyboard = m_options.playMode == kSolKeyboardCW || m_options.playMode == kSolKeyboardPW;
  m_field->BuildViews();
  m_field->SetupMetrics();
  if (keyboard) ResetKeyboard();
  m_field->Redraw();
  if (keyboard) {
    m_field->MarkForPicking();
    m_field->Redraw();
  }
  m_hintIndex = 0;
  return 1;
}

void SolMainWnd::ShowHint() {
  uint16_t from = 0;
  uint16_t to = 0;
  bool found = m_rules->FindMove(m_hintIndex, from, to);
  if (!found && m_hintIndex != 0) {
    m_hintIndex = 0;
    found = m_rules->FindMove(0, from, to);
  }
  if (!found) return;
  // A tap names the pile: the field blinks it without a card.
  if (to == kSolAnyPile) {
    m_field->ShowMove(kSolNone, from);
  } else {
    m_field->ShowMove(from, to);
  }
  ++m_hintIndex;
}

void SolMainWnd::EndOfGame(UINT titleId, UINT textId, UINT barId, bool lost) {
  std::vector<UINT> closing = {kSolCmdNewGame, kSolCmdRestart};
  if (lost) closing.push_back(kSolCmdUndo);
  SolMessageDlg dialog(titleId, textId, barId, closing);
  Paused([&] { return dialog.DoModal(m_hWnd); });
  const UINT chosen = dialog.GetChosenCommand();
  if (chosen == kSolCmdUndo && Undo()) return;
  if (lost) CountLostGame(m_elapsed);
  NewGame(chosen == kSolCmdRestart ? m_options.curGameNumber : 0, true);
}

void SolMainWnd::CheckGameState() {
  // A check runs once at a time: the deal that ends one sends the next.
  if (m_checking) return;
  m_checking = true;
  if (m_rules->Finished()) {
    const uint32_t now = SolSeconds();
    if (now > m_lastClock && !m_clockResync) m_elapsed += now - m_lastClock;
    m_lastClock = now;
    SolStatistics::AddGame(GameName(), m_rules->Name().c_str(), true, m_elapsed);
    SolBestTimes best;
    best.Load(GameName(), m_rules->Name().c_str());
    if (best.Qualifies(m_elapsed) &&
        Paused([&] { return SolNameEntryDlg(m_options.lastEnteredName).DoModal(m_hWnd); }) == IDOK) {
      best.Insert(m_options.lastEnteredName, m_elapsed);
      best.Save(GameName(), m_rules->Name().c_str());
      Paused([&] { return SolBestTimesDlg(GameName(), m_rules->Name().c_str()).DoModal(m_hWnd); });
    }
    m_checking = false;
    NewGame(0, true);
    m_hintIndex = 0;
    return;
  }
  if (m_options.playMode == kSolKeyboardCW || m_options.playMode == kSolKeyboardPW) {
    m_field->MarkForPicking();
    m_field->Redraw();
  }
  uint16_t from = 0;
  uint16_t to = 0;
  if (!m_rules->FindMove(0, from, to)) {
    EndOfGame(kLostTitle, kLostText, kLostBar, true);
  } else if (m_options.timedGame && m_elapsed / 60 >= m_options.timeLimit) {
    SolStatistics::AddGame(GameName(), m_rules->Name().c_str(), false, m_options.timeLimit * 60);
    EndOfGame(kTimeUpTitle, kTimeUpText, kTimeUpBar, false);
  }
  m_hintIndex = 0;
  m_checking = false;
}
