// A stand-in application object for Pellwyn until its own application lands:
// a short load screen, then an empty screen; Back quits. Its hooks fill the
// launch settings and create the object.
#pragma once

#include <cstdint>
#include <string>

#include "qzf_application.h"

class CAppScaffold : public CQZFApplication {
 public:
  static constexpr int kLoadFrames = 20;

  int16_t preInit(const QZFModeTable** out) override;
  const int16_t* getValueTable(int displayKind) override;
  void onUpdate() override;
  int onSystemEvent(const MSG& message) override;
  int onPen(int type, int x, int y) override;

  uint32_t getFrameCount() const { return frames_; }
  bool isLoading() const { return frames_ < kLoadFrames; }
  // The object's facts for the state dump.
  void describe(std::string& out) const;

 protected:
  void drawUserInterface() override;

 private:
  uint32_t frames_ = 0;
  int penX_ = -1;
  int penY_ = -1;
};

// The application's hooks for the platform layer.
QZApplicationHooks AppScaffoldHooks();
