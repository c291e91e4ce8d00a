// The statistics of the current player: one page for all games together and
// one per game type, turned with the arrows; the reset form clears the page
// shown, or every page from the all-games page.
#pragma once

#include <cstdint>

#include "app_profile.h"
#include "qzf_form.h"

class CAppApplication;

class CAppStatsForm : public CQZFForm {
 public:
  static constexpr int kPages = CAppProfile::kStatisticsPages;
  static constexpr uint16_t kPageName = 1357;
  static constexpr uint16_t kPrevious = 1358;
  static constexpr uint16_t kNext = 1359;
  static constexpr uint16_t kReset = 1387;
  static constexpr uint16_t kClose = 1;
  // The figures: total time, games, average time, wins, losses, longest
  // winning and losing streaks, current streak.
  static constexpr uint16_t kTotalTime = 28;
  static constexpr uint16_t kGames = 29;
  static constexpr uint16_t kAverageTime = 30;
  static constexpr uint16_t kWins = 31;
  static constexpr uint16_t kLosses = 32;
  static constexpr uint16_t kLongestWins = 33;
  static constexpr uint16_t kLongestLosses = 34;
  static constexpr uint16_t kStreak = 35;
  // The name of each page: all games, then game types 1-12.
  static constexpr uint16_t kPageNames[kPages] = {1232, 1153, 1159, 1165, 1182, 1177, 1179,
                                                  1180, 1181, 1183, 1184, 1178, 1171};

  CAppStatsForm();
  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  Handled onEvent(const QZFFormEvent& event) override;
  Handled onGadgetEvent(const CQZFGadgetEvent& event) override;
  // Left and right turn the pages while the page name has the focus.
  Handled onKeyEvent(const QZFKeyEvent& key) override;

  // Fills the figures of the page shown (the reset form asks again after a reset).
  void showPage();
  void turnPage(bool forward);
  int page() const { return page_; }

 private:
  CAppApplication* app_ = nullptr;
  uint8_t page_ = 0;
  const CAppProfile::Statistics* records_[kPages] = {};
};

class CAppResetStatsForm : public CQZFForm {
 public:
  static constexpr uint16_t kQuestion = 20;
  static constexpr uint16_t kYes = 3;
  static constexpr uint16_t kNo = 4;
  // The question for one game, "#" standing for its name.
  static constexpr uint16_t kGameQuestion = 1566;

  CAppResetStatsForm();
  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  Handled onGadgetEvent(const CQZFGadgetEvent& event) override;
  // The page to clear (0: all) and its name (unused for page 0).
  void setPage(int page, uint16_t nameId);

 private:
  CAppApplication* app_ = nullptr;
  uint8_t page_ = 0;
};
