// The rules of one game in four pages (the aim, the deal, how to play, the
// player's choices), turned with back and next. The open parameter is the
// game type; the play screen, the tour and a new game's first deal open it.
#pragma once

#include <cstdint>

#include "qzf_form.h"

class CAppInstructionsForm : public CQZFForm {
 public:
  static constexpr uint16_t kClose = 1;
  static constexpr uint16_t kNext = 1388;
  static constexpr uint16_t kPrevious = 1427;
  static constexpr uint16_t kPageTitle = 20;
  static constexpr uint16_t kPageText = 21;
  static constexpr int kPages = 4;
  // The page titles' strings: this and the three after it.
  static constexpr uint16_t kFirstPageTitle = 1388;

  // Opens and shows the first page of the game type the parameter names.
  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  // Page 0 of the game type's rules (a type outside 1-12 has no texts).
  void setGame(int32_t gameType);
  void turnPage(bool forward);
  Handled onEvent(const QZFFormEvent& event) override;
  Handled onGadgetEvent(const CQZFGadgetEvent& event) override;
  // Back closes the rules, as the close button does.
  Handled onBack() override;

  int page() const { return page_; }
  uint16_t pageText(int page) const { return texts_[page]; }

 private:
  void showPage();

  uint16_t texts_[kPages] = {};
  int page_ = 0;
};
