// A stand-in application object for Pellwyn until its own application lands:
// a load screen while the start runs, then an empty screen; Back quits. Its
// hooks fill the launch settings and create the object.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "qzf_application.h"
#include "qzf_load_screen.h"

// The start's progress: a bar that grows with every step, drawn straight to
// the window while the managers start.
class CAppScaffoldLoadScreen : public CQZFLoadScreen {
 public:
  explicit CAppScaffoldLoadScreen(CQZFObject* owner) : CQZFLoadScreen(owner) {}

  // Draws only once the images are loaded (the graphics run by then).
  void drawProgress() override;
  // Takes the application's graphics; -50 without them.
  int16_t loadImages(int flag) override;
  void releaseImages() override;
  // 100 when there are no steps, else the share of steps done.
  int getPercent() const;

  // Where the bar lies on a screen of the given size.
  struct Bar {
    int x, y, w, h;
  };
  static Bar barFor(int screenWidth, int screenHeight);
};

class CAppScaffold : public CQZFApplication {
 public:
  // The start's steps after the framework's.
  static constexpr uint16_t kOwnSteps = 1;

  int16_t preInit(const QZFModeTable** out) override;
  std::span<const int16_t> getValueTable(int displayKind) override;
  int16_t init() override;
  int16_t shutdown() override;
  void drawFrame() override;
  void onUpdate() override;
  int onSystemEvent(const MSG& message) override;
  int onPen(int type, int x, int y) override;

  uint32_t getFrameCount() const { return frames_; }
  // The object's facts for the state dump.
  void describe(std::string& out) const;

 private:
  void paintEmptyScreen();
  void closeLoadScreen();

  std::unique_ptr<CAppScaffoldLoadScreen> loadScreen_;
  uint32_t frames_ = 0;
  bool lastFrameWhole_ = false;
  int penX_ = -1;
  int penY_ = -1;
};

// The application's hooks for the platform layer.
QZApplicationHooks AppScaffoldHooks();
