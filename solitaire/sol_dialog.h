// The program's dialogs on the dialog layer: messages, the rules page,
// statistics, about, the winner's name and the best times.
#pragma once

#include <vector>

#include "ce_string.h"
#include "sol_best_times.h"
#include "sol_dialog_base.h"
#include "sol_options.h"
#include "sol_statistics.h"

// A message with a choice of closing commands (the soft keys and the bar's
// menu); ends with 0, the caller reads the command chosen.
class SolMessageDlg : public SolDialog {
 public:
  SolMessageDlg(UINT titleId, UINT textId, UINT barId, std::vector<UINT> closing);
  UINT GetChosenCommand() const { return m_chosen; }

  BOOL OnInitDialog() override;

 protected:
  bool Command(UINT id) override;

 private:
  UINT m_textId;
  std::vector<UINT> m_closing;
  UINT m_chosen = 0;
};

// A page of HTML (the rules, the options' help) in the HTML view. Without
// the view the page stays empty and can still be closed.
class SolHelpDlg : public SolDialog {
 public:
  SolHelpDlg(UINT titleId, const CeString& html);
  SolHelpDlg(UINT titleId, UINT textId);
  ~SolHelpDlg() override;

  BOOL OnInitDialog() override;
  void OnSize(UINT type, int cx, int cy, bool& handled) override;
  void OnDestroy(bool& handled) override;
  HWND Viewer() const { return m_viewer; }

 private:
  CeString m_html;
  HMODULE m_library = nullptr;
  HWND m_viewer = nullptr;
};

class SolStatisticsDlg : public SolDialog {
 public:
  SolStatisticsDlg(const WCHAR* gameName, const char* variant);

  BOOL OnInitDialog() override;
  bool IsScrollable() override { return true; }

 protected:
  bool Command(UINT id) override;

 private:
  const WCHAR* m_gameName;
  const char* m_variant;
};

class SolAboutDlg : public SolDialog {
 public:
  SolAboutDlg();
  ~SolAboutDlg() override;

  BOOL OnInitDialog() override;

 private:
  HBITMAP m_logo = nullptr;
};

// Asks the winner's name for the best times; OK stores it in `name`.
class SolNameEntryDlg : public SolDialog {
 public:
  explicit SolNameEntryDlg(WCHAR (&name)[16]);

  BOOL OnInitDialog() override;
  void OnHeaderOK(bool& proceed) override;

 private:
  WCHAR (&m_name)[16];
};

// The best times of the variant in a list, best first; Clear asks first.
class SolBestTimesDlg : public SolDialog {
 public:
  SolBestTimesDlg(const WCHAR* gameName, const char* variant);

  BOOL OnInitDialog() override;
  // Fits the list to the page, no higher than 312 pixels (161 in the QVGA
  // build), and gives the name column the width the time leaves.
  void OnSize(UINT type, int cx, int cy, bool& handled) override;

 protected:
  bool Command(UINT id) override;

 private:
  const WCHAR* m_gameName;
  const char* m_variant;
  SolBestTimes m_table;
};
