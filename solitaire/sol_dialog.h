// The program's dialogs: a full-screen dialog from a template with a bold
// title line (static 6000), a separator under it and its own soft-key bar;
// and the message, rules, statistics and about dialogs built on it.
#pragma once

#include <vector>

#include "ce_dialog.h"
#include "ce_string.h"
#include "sol_best_times.h"
#include "sol_options.h"
#include "sol_statistics.h"

class SolDialog : public CeDialog {
 public:
  SolDialog(UINT templateId, UINT titleId, UINT barId);
  ~SolDialog() override;

  // Runs the dialog modally over `owner`; its title stands in the owner's
  // record of the open dialog while it shows.
  int Run(HWND owner);

  BOOL OnInitDialog() override;
  int OnCommand(UINT wParam, LPARAM lParam, bool& handled) override;
  void OnPaint(bool& handled) override;

 protected:
  // Fills the controls; called once the dialog and its bar exist.
  virtual void Fill() {}
  // A command other than OK and Cancel; true when it was handled.
  virtual bool Command(UINT) { return false; }
  CeString Text(UINT id) const;

 private:
  UINT m_titleId;
  UINT m_barId;
  HWND m_bar = nullptr;
  HFONT m_titleFont = nullptr;
};

// A message with a choice of closing commands (the soft keys and the bar's
// menu); ends with 0, the caller reads the command chosen.
class SolMessageDlg : public SolDialog {
 public:
  SolMessageDlg(UINT titleId, UINT textId, UINT barId, std::vector<UINT> closing);
  UINT GetChosenCommand() const { return m_chosen; }

 protected:
  void Fill() override;
  bool Command(UINT id) override;

 private:
  UINT m_textId;
  std::vector<UINT> m_closing;
  UINT m_chosen = 0;
};

// A page of text (the rules): HTML shown as plain text.
class SolHelpDlg : public SolDialog {
 public:
  SolHelpDlg(UINT titleId, const CeString& html);

 protected:
  void Fill() override;

 private:
  CeString m_html;
};

class SolStatisticsDlg : public SolDialog {
 public:
  SolStatisticsDlg(const WCHAR* gameName, const char* variant);

 protected:
  void Fill() override;
  bool Command(UINT id) override;

 private:
  const WCHAR* m_gameName;
  const char* m_variant;
};

class SolAboutDlg : public SolDialog {
 public:
  SolAboutDlg();
  ~SolAboutDlg() override;

 protected:
  void Fill() override;

 private:
  HBITMAP m_logo = nullptr;
};

// Asks the winner's name for the best times; OK stores it in `name`.
class SolNameEntryDlg : public SolDialog {
 public:
  explicit SolNameEntryDlg(WCHAR (&name)[16]);

 protected:
  void Fill() override;
  bool Command(UINT id) override;

 private:
  WCHAR (&m_name)[16];
};

// The best times of the variant in a list, best first; Clear asks first.
class SolBestTimesDlg : public SolDialog {
 public:
  SolBestTimesDlg(const WCHAR* gameName, const char* variant);

 protected:
  void Fill() override;
  bool Command(UINT id) override;

 private:
  const WCHAR* m_gameName;
  const char* m_variant;
  SolBestTimes m_table;
};

// The options on one page. Card back and background step through their
// choices with each tap on their buttons.
class SolOptionsDlg : public SolDialog {
 public:
  explicit SolOptionsDlg(const SolOptions& options);
  // The options as the dialog left them (after OK).
  const SolOptions& Result() const { return m_options; }

 protected:
  void Fill() override;
  bool Command(UINT id) override;

 private:
  void ShowChoices();
  void Read();

  SolOptions m_options;
};

// Background colours the options offer, the default first.
constexpr COLORREF kSolBackgrounds[] = {0x008000, 0x804000, 0x800000, 0x000080, 0x404040, 0x808000};
