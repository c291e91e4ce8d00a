// The main window: owns the menu bar, the game field, the rule set and the
// options; runs the game clock, keyboard play, the menu commands and the
// check after every move.
#pragma once

#include <cstdint>
#include <memory>

#include "ce_menu_bar.h"
#include "ce_string.h"
#include "ce_wnd.h"
#include "sol_game_field.h"
#include "sol_options.h"
#include "sol_platform.h"
#include "sol_ruleset.h"

enum SolCommand : UINT {
  kSolCmdQuitKey = 40000,
  kSolCmdHelp = 40001,
  kSolCmdUndo = 40002,
  kSolCmdHint = 40003,
  kSolCmdMenu = 40004,
  kSolCmdNewGame = 40005,
  kSolCmdRestart = 40006,
  kSolCmdOptions = 40007,
  kSolCmdClose = 40008,
  kSolCmdBestTimes = 40009,
  kSolCmdClear = 40010,
  kSolCmdAbout = 40011,
  kSolCmdStatistics = 40018,
};

// Posted to the main window to tell the player about the saved data: once it
// shows, for a damaged registry file read at the start, and after a registry
// write failed.
constexpr UINT kSolMsgTellSavedData = 0x1406;

class SolMenuBar : public CMenuBar {
 public:
  using CMenuBar::CMenuBar;
};

class SolMainWnd : public CeWnd {
 public:
  SolMainWnd();
  ~SolMainWnd() override;

  int OnCreate(CREATESTRUCTW* cs, bool& handled) override;
  void OnClose(bool& handled) override;
  void OnDestroy(bool& handled) override;
  int OnCommand(UINT wParam, LPARAM lParam, bool& handled) override;
  void OnKeyDown(UINT vk, UINT repeat, UINT flags, bool& handled) override;
  void OnSize(UINT type, int cx, int cy, bool& handled) override;
  void OnTimer(UINT id, bool& handled) override;
  void OnSettingChange(WORD flag, LPCWSTR section, bool& handled) override;
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

  // --- game flow -----------------------------------------------------------
  void ExecuteCommand(UINT id, bool& handled);
  void NewGame(uint32_t number, bool redraw);
  void RestartGame() { NewGame(m_options.curGameNumber, true); }
  int Undo();
  void ShowHint();
  void RefreshRestoredGame();
  // Restores the variant's saved game with its clock, or deals a new one; a
  // saved game that cannot be read is thrown away with a message. Once the
  // restored game is shown, the saved game no longer counts as failed.
  void RestoreOrDeal();
  bool LoadRules();
  void ApplySoftkeyMode();
  // Takes the options edited in the options dialog: a new variant switches
  // the rule set at once; what changes the field's look is marked for a redraw.
  void ApplyOptions(const SolOptions& edited);
  void CheckGameState();
  void LoadOptions() { m_options.Load(m_gameName.GetString()); }
  void SaveOptions() const { m_options.Save(m_gameName.GetString()); }

  SolRuleSet* RuleSet() const { return m_rules.get(); }
  SolGameField* Field() const { return m_field.get(); }
  SolOptions& Options() { return m_options; }
  uint32_t Elapsed() const { return m_elapsed; }
  bool ClockPaused() const { return m_clockPaused; }
  const WCHAR* GameName() const { return m_gameName.GetString(); }
  // Keyboard play: the pile and card of the pick, kSolNone without one.
  uint16_t PickPile() const { return m_pickPile; }
  uint16_t PickCard() const { return m_pickCard; }
  // The dialog showing now (its title), empty when none.
  const CeString& OpenDialog() const { return m_openDialog; }
  void SetOpenDialog(const WCHAR* title) { m_openDialog = title ? title : u""; }

 private:
  bool CreateMenuBar();
  void RunOptions();
  void CountLostGame(uint32_t seconds);
  void ResetKeyboard();
  void KeyboardEnter();
  void DropPick();
  // Pauses the clock around a dialog or a message.
  template <class Run>
  auto Paused(Run&& run) {
    m_clockPaused = true;
    m_clockResync = true;
    auto result = run();
    m_clockPaused = false;
    return result;
  }
  void EndOfGame(UINT titleId, UINT textId, UINT barId, bool lost);
  // Saved data the player is told about (sol_saved_data.cpp): what a damaged
  // registry file lost and the writes that failed since the last word; when
  // saving at the close failed, the player chooses whether to quit all the same.
  void TellSavedData();
  bool QuitUnsaved();

  std::unique_ptr<SolMenuBar> m_menuBar;
  std::unique_ptr<SolGameField> m_field;
  std::unique_ptr<SolRuleSet> m_rules;
  SHACTIVATEINFO m_activateInfo{};
  int16_t m_hintIndex = 0;
  uint32_t m_lastClock = 0;
  bool m_clockPaused = true;
  bool m_clockResync = true;
  bool m_optionsChanged = false;
  bool m_cursorRefresh = false;
  bool m_checking = false;
  uint32_t m_elapsed = 0;
  SolOptions m_options;
  CeString m_gameName;
  CeString m_openDialog;
  uint16_t m_pickPile = kSolNone;
  uint16_t m_pickCard = kSolNone;
  uint32_t m_pickTime = 0;
  // Failed writes counted before this window was made were told by the
  // window of their time.
  uint32_t m_failuresTold = SolWriteFailures();
};

extern SolMainWnd* g_pMainWnd;
