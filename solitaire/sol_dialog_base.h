// Every dialog of the program is a full-screen page made of two dialogs: a
// modal header (title line, separator, menu bar) and the content dialog, a
// modeless child of the header below the title line. SolDialog is the
// content side and owns its header; SolPagedDialog adds pages (SolTabPage)
// with validate and apply steps, SolTabbedDialog a tab strip along the
// bottom to choose them.
#pragma once

#include <memory>
#include <vector>

#include "ce_dialog.h"
#include "ce_menu_bar.h"
#include "ce_string.h"

// Posted to a dialog's owner once the dialog has closed: a dialog that gets
// it shows its menu bar again.
constexpr UINT kSolMsgDialogClosed = 0x1404;
// The Help item of the dialogs' menu.
constexpr UINT kSolCmdDialogHelp = 9;
// A header command handed to the content dialog as it stands.
constexpr UINT kSolCmdHeaderCommand = 40012;

class SolDialog;

class SolDialogHeader : public CeDialog {
 public:
  SolDialogHeader(SolDialog& owner, UINT titleId, UINT iconId, UINT menuId, UINT menuBarId);
  ~SolDialogHeader() override;
  SolDialogHeader(const SolDialogHeader&) = delete;
  SolDialogHeader& operator=(const SolDialogHeader&) = delete;

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  HBRUSH OnCtlColorStatic(HDC dc, HWND control, bool& handled) override;
  LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
  int OnCommand(UINT wParam, LPARAM lParam, bool& handled) override;
  void OnPaint(bool& handled) override;
  void OnSize(UINT type, int cx, int cy, bool& handled) override;

  const CeString& Title() const { return m_title; }
  // The height of the title band: 0 without a title.
  int TitleHeight() const;

 private:
  // Fits the page to the visible desktop, leaving room for the menu bar.
  void OnActivate();
  void PlaceContent();

  bool m_hasTitle;
  HFONT m_font = nullptr;
  std::unique_ptr<CMenuBar> m_menuBar;
  CeString m_title;
  UINT m_iconId;
  UINT m_menuId;
  UINT m_menuBarId;
  SolDialog& m_owner;
};

class SolDialog : public CeDialog {
 public:
  SolDialog(UINT templateId, UINT titleId, UINT iconId, UINT menuId, UINT menuBarId);
  ~SolDialog() override;
  SolDialog(const SolDialog&) = delete;
  SolDialog& operator=(const SolDialog&) = delete;

  // Runs the header modally over the main window; afterwards the input
  // panel goes down and `owner` (when given) is activated and told that the
  // dialog closed. Returns the modal result.
  int DoModal(HWND owner);
  // Ends the header's modal loop.
  virtual void CloseDialog(int result);
  virtual void OnHeaderOK(bool& /*proceed*/) {}
  virtual void OnHeaderCancel(bool& /*proceed*/) {}
  virtual void OnHeaderCommand(UINT /*id*/) {}
  virtual bool IsScrollable() { return false; }
  virtual void OnHelp() {}

  BOOL OnInitDialog() override { return FALSE; }
  int OnCommand(UINT wParam, LPARAM lParam, bool& handled) override;
  void OnSize(UINT type, int cx, int cy, bool& handled) override;
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

  // Given by the header once its window exists.
  void TakeHeaderParts(HFONT font, CMenuBar* menuBar);
  HFONT TitleFont() const { return m_font; }
  CMenuBar* MenuBar() const { return m_menuBar; }
  UINT TemplateId() const { return m_templateId; }

 protected:
  // A command of the content or of the bar; true when it was handled.
  virtual bool Command(UINT) { return false; }
  CeString Text(UINT id) const;

 private:
  HFONT m_font = nullptr;
  CMenuBar* m_menuBar = nullptr;
  std::unique_ptr<SolDialogHeader> m_header;
  UINT m_templateId;
};

class SolPagedDialog;

class SolTabPage : public CeDialog {
 public:
  // Makes the page a hidden modeless child of the owner's content window.
  SolTabPage(SolPagedDialog& owner, UINT templateId);

  virtual bool IsScrollable() { return true; }
  virtual bool Validate(bool /*apply*/) { return true; }
  virtual void OnEnter() {}
  virtual void OnLeave() {}
  virtual void OnHelp() {}

  void OnSize(UINT type, int cx, int cy, bool& handled) override;
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

 protected:
  SolPagedDialog& Owner() const { return m_owner; }

 private:
  SolPagedDialog& m_owner;
};

class SolPagedDialog : public SolDialog {
 public:
  SolPagedDialog(UINT titleId, UINT iconId, UINT menuId, UINT menuBarId);

  void OnHeaderOK(bool& proceed) override;
  void OnHeaderCancel(bool& proceed) override;
  void OnHelp() override;
  void OnSize(UINT type, int cx, int cy, bool& handled) override;

  void SelectPage(SolTabPage* page);
  virtual void ShowPage(int index);
  virtual void CreatePages() {}
  virtual void InitPages() {}
  virtual bool ValidatePages(bool apply);
  virtual void ApplyPages() {}
  virtual void CancelPages() {}

  int CurrentPage() const { return m_current; }
  SolTabPage* Page(int index) const { return m_pages[static_cast<size_t>(index)].get(); }
  int PageCount() const { return static_cast<int>(m_pages.size()); }

 protected:
  int AddPage(std::unique_ptr<SolTabPage> page);
  void PlacePages(int cx, int cy);

 private:
  std::vector<std::unique_ptr<SolTabPage>> m_pages;
  int m_current = -1;
};

class SolTabbedDialog : public SolPagedDialog {
 public:
  using SolPagedDialog::SolPagedDialog;
  ~SolTabbedDialog() override;

  BOOL OnInitDialog() override;
  void ShowPage(int index) override;
  LRESULT OnNotify(int id, NMHDR* header, bool& handled) override;
  void OnSize(UINT type, int cx, int cy, bool& handled) override;

  // Appends a tab labelled with the string and its page; the page's index.
  int AddTab(UINT titleId, std::unique_ptr<SolTabPage> page);
  HWND TabStrip() const { return m_tab; }

 private:
  // The strip's height: 20 logical units, one less with 32-pixel small icons.
  static int StripHeight();
  void PlaceStrip(int cx, int cy);

  HWND m_tab = nullptr;
};
