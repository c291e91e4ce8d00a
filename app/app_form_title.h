// The title screen: the table of the current colour scheme with the game
// dial in front and its two arrow buttons. Keys and the pen turn the dial and
// start the chosen game; Back on it ends the program.
#pragma once

#include <memory>

#include "qzf_form.h"

class CAppApplication;
class CAppDialButton;
class CAppDialControl;
class CAppGamePreview;
class CAppStatsFader;
struct CAppSettings;

class CAppTitleForm : public CQZFForm {
 public:
  static constexpr int kTablePlane = 1;
  static constexpr uint16_t kGameName = 20;
  static constexpr uint16_t kPlayerName = 22;
  static constexpr uint16_t kColourSettingsKey = 121;

  CAppTitleForm();
  ~CAppTitleForm() override;

  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  Handled onEvent(const QZFFormEvent& event) override;
  Handled onKeyEvent(const QZFKeyEvent& key) override;
  // The title's menu is the application's: its items open their forms.
  Handled onMenuEvent(const QZFMenuEvent& event) override;
  Handled onPenEvent(const QZFPenEvent& pen) override;
  Handled onUpdate() override;
  Handled drawBackground() override;
  Handled drawForeground() override;
  Handled onBack() override;

  // The game in front becomes the current game type and is named.
  void showChosenGame(int32_t gameType);
  const CAppDialControl* dial() const { return dial_.get(); }
  const CAppStatsFader* fader() const { return fader_.get(); }
  CAppGamePreview* preview() const { return preview_.get(); }

 private:
  Handled turn(bool forward);
  Handled onPenDown(int x, int y);
  Handled onPenMove(int x, int y);
  Handled onPenUp(int x, int y);

  CAppApplication* app_ = nullptr;
  CAppSettings* settings_ = nullptr;
  std::unique_ptr<CAppDialControl> dial_;
  std::unique_ptr<CAppDialButton> forward_;
  std::unique_ptr<CAppDialButton> back_;
  std::unique_ptr<CAppStatsFader> fader_;
  std::unique_ptr<CAppGamePreview> preview_;
  bool penDown_ = false;
};

