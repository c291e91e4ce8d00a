// The trophy cabinet: the player's 52 trophies on four shelves of thirteen
// over a background of its own. The keys or the pen pick a trophy, which is
// then shown large with its text in a panel over the other half.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "app_object_trophy.h"
#include "qzf_form.h"

struct CAppSettings;

class CAppTrophyForm : public CQZFForm {
 public:
  static constexpr int kPlane = 8;

  CAppTrophyForm();
  ~CAppTrophyForm() override;

  // Needs the application, its form handler and the profile (-50 otherwise);
  // the background plane is painted once the description is open.
  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  // Opened: the pictures loaded and the trophies placed; restored from a
  // saved form: the panel's texts cleared (no trophy shows yet); removed:
  // released.
  Handled onEvent(const QZFFormEvent& event) override;
  Handled onGadgetEvent(const CQZFGadgetEvent& event) override;
  // The arrows walk the shelves; the answer is always 2, so the gadgets' own
  // navigation follows (the description gives it nothing to do).
  Handled onKeyEvent(const QZFKeyEvent& key) override;
  // A press or a drag over a trophy shows it while the pen is down.
  Handled onPenEvent(const QZFPenEvent& event) override;
  Handled drawBackground() override;
  Handled drawForeground() override;

  // The colour theme of the panel: the profile's form colour theme.
  int themeIndex() const;
  // Sets the labels to the texts (each only when it changes).
  void showTexts(const AppTrophyCabinet::Texts& texts);

  const AppTrophyCabinet::Cursor& cursor() const { return cursor_; }
  const CAppTrophy* trophy(int a) const { return trophies_[a].get(); }

 private:
  [[nodiscard]] int16_t fail(int line, int16_t code);
  void paintBackground();
  void build();
  void release();
  // Empties the panel's labels, whatever they hold.
  void clearTexts();
  // The old trophy deselected, the cursor's trophy marked for drawing.
  void select(const AppTrophyCabinet::Cursor& next);
  // The first trophy under the point; -1 for none.
  int trophyAt(int x, int y) const;

  CAppApplication* app_ = nullptr;
  CAppSettings* settings_ = nullptr;
  std::array<std::unique_ptr<CAppTrophy>, AppTrophyCabinet::kTrophies> trophies_;
  AppTrophyCabinet::Cursor cursor_;
  AppTrophyCabinet::Texts texts_;
  bool penPressed_ = false;
  uint32_t loadedSets_ = 0;
};
