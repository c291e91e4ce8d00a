// The root object of the framework: owns the framework's managers, creates
// them in a fixed order, runs each frame in a fixed order and routes the
// window's events. A concrete application derives from it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "qz_app_bridge.h"
#include "qzf_object.h"

class CQZFAudioManager;
class CQZFGraphics;
struct QZFModeTable;

class CQZFApplication : public CQZFObject, public QZApplicationInterface {
 public:
  using Factory = std::function<std::unique_ptr<CQZFObject>()>;

  CQZFApplication();
  ~CQZFApplication() override;

  // Reports a failure of `reporter` to its application (or to itself when it
  // is the application) and returns the code.
  static int16_t report(CQZFObject* reporter, const char* source, int line, int16_t code);

  virtual int16_t preInit(const QZFModeTable** out);
  virtual const int16_t* getValueTable(int displayKind);
  virtual void onUpdate() {}
  virtual int16_t reinitialise();
  virtual int16_t postUpdate() { return 0; }
  virtual int16_t registerClasses() { return 0; }
  int16_t init() override;
  int16_t shutdown() override;
  void drawFrame() override;
  void repaintAll() override;
  int onSystemEvent(const MSG& message) override;
  int onPen(int type, int x, int y) override;
  virtual int onKey(int code, int value);
  int onSuspendResume(int active) override;
  virtual int onMenuEvent() { return 2; }
  virtual void reportError(const char* source, int line, int16_t code) {}

  int16_t tick() override;
  void requestMinimise() { minimiseRequest_ = true; }
  bool isStopping() const;
  void setScreenSuspended(int flag);
  int isScreenSuspended() const;
  void setFrameParameters(int16_t tickInterval, int16_t idleInterval);
  void setAudioActive(int on);

  void registerClass(const std::string& tag, Factory factory) { classes_[tag] = std::move(factory); }
  std::unique_ptr<CQZFObject> createObject(const std::string& tag) const;

  CQZFGraphics* getGraphics() const { return graphics_.get(); }
  CQZFAudioManager* getAudioManager() const { return audio_.get(); }
  const int16_t* getCurrentValueTable() const { return valueTable_; }
  bool isInitialised() const { return initialised_; }
  bool isActive() const { return active_; }
  bool isReinitialiseRequested() const { return reinitialiseRequest_; }
  bool isMinimiseRequested() const { return minimiseRequest_; }
  uint8_t settingByte = 0;

 protected:
  // What the user interface draws between the update list and the flush;
  // the forms come with the user interface.
  virtual void drawUserInterface() {}
  // The user interface's answer to a window message; 2 without one.
  virtual int translateMessage(const MSG&) { return 2; }
  virtual int penToUserInterface(int, int, int) { return 2; }
  virtual int keyToUserInterface(int, int, bool) { return 2; }
  virtual void suspendResumeToUserInterface(int) {}
  virtual void tickUserInterface() {}

 private:
  int16_t fail(int line, int16_t code) { return report(this, "qzf_application", line, code); }
  void applyAudioState();

  bool reinitialiseRequest_ = false;
  bool minimiseRequest_ = false;
  bool active_ = true;
  uint8_t audioState_ = 1;
  int8_t audioCountdown_ = -1;
  bool initialised_ = false;
  bool resume_ = false;
  bool reinitialising_ = false;
  std::map<std::string, Factory> classes_;
  std::unique_ptr<CQZFAudioManager> audio_;
  std::unique_ptr<CQZFGraphics> graphics_;
  const int16_t* valueTable_ = nullptr;
};
