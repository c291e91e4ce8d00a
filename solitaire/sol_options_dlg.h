// The options dialog: a tabbed dialog with a "Game" page (timed game, time
// limit, variant) and an "Interface" page (play mode, card back preview,
// background swatch with the colour chooser, animation, timer, soft keys).
// OK hands the edited options to the main window, which applies them at once.
#pragma once

#include "sol_dialog_base.h"
#include "sol_options.h"
#include "wince/controls.h"

class SolMainWnd;

class SolOptionsInterfacePage : public SolTabPage {
 public:
  SolOptionsInterfacePage(SolPagedDialog& owner, uint32_t cardBack);

  int OnCommand(UINT wParam, LPARAM lParam, bool& handled) override;
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

  uint32_t CardBack() const { return m_cardBack; }
  void SetCardBack(uint32_t back) { m_cardBack = back; }
  COLORREF Colour() const { return m_colour; }
  void SetColour(COLORREF colour) { m_colour = colour; }

 private:
  void DrawItem(const DRAWITEMSTRUCT& item) const;
  void ChooseBackground();

  uint32_t m_cardBack;
  COLORREF m_colour = 0;
};

class SolOptionsDlg : public SolTabbedDialog {
 public:
  explicit SolOptionsDlg(SolMainWnd& main);

  void CreatePages() override;
  void InitPages() override;
  void ApplyPages() override;
  void OnHelp() override;

  SolTabPage* GamePage() const { return m_game; }
  SolOptionsInterfacePage* InterfacePage() const { return m_interface; }

 private:
  // The options with the pages' values in place of the edited ones.
  SolOptions Read() const;

  SolMainWnd& m_main;
  SolTabPage* m_game = nullptr;
  SolOptionsInterfacePage* m_interface = nullptr;
};
