// The main window's word to the player about the saved data: what a damaged
// registry file lost, and saves that failed (the data saved before is kept,
// and the program keeps running).
#include "sol_main_wnd.h"
#include "sol_platform.h"
#include "sol_utils.h"

namespace {

constexpr UINT kAppTitle = 1;
constexpr UINT kDamagedCopiedText = 3020;
constexpr UINT kDamagedText = 3021;
constexpr UINT kNotSavedText = 3022;
constexpr UINT kQuitUnsavedText = 3023;

}  // namespace

void SolMainWnd::TellSavedData() {
  const auto tell = [&](const CeString& text) {
    Paused([&] {
      return ::MessageBox(m_hWnd, text.GetString(), LoadText(kAppTitle).GetString(), MB_OK | MB_ICONWARNING);
    });
  };
  uint32_t dropped = 0;
  std::u16string copy;
  if (SolTakeRegistryDamage(dropped, copy)) {
    CeString text;
    if (copy.empty()) {
      text.Format(LoadText(kDamagedText).GetString(), dropped);
    } else {
      text.Format(LoadText(kDamagedCopiedText).GetString(), dropped, copy.c_str());
    }
    tell(text);
  }
  if (SolWriteFailures() == m_failuresTold) return;
  m_failuresTold = SolWriteFailures();
  tell(LoadText(kNotSavedText));
}

bool SolMainWnd::QuitUnsaved() {
  m_failuresTold = SolWriteFailures();
  return Paused([&] {
           return ::MessageBox(m_hWnd, LoadText(kQuitUnsavedText).GetString(), LoadText(kAppTitle).GetString(),
                               MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2);
         }) == IDYES;
}
