// The root object of the framework: owns the framework's managers, creates
// them in a fixed order, runs each frame in a fixed order and routes the
// window's events. A concrete application derives from it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <new>
#include <span>
#include <string>

#include "qz_app_bridge.h"
#include "qzf_helpers.h"
#include "qzf_object.h"

class CQZFAudioManager;
class CQZFControls;
class CQZFFontManager;
class CQZFGraphics;
class CQZFLoadScreen;
class CQZFMetrics;
class CQZFMinimise;
class CQZFResourceManager;
class CQZFUI;
struct QZFModeTable;

class CQZFApplication : public CQZFObject, public QZApplicationInterface {
 public:
  static constexpr uint16_t kKind = kQZFKindApplication;

  using Factory = std::function<std::unique_ptr<CQZFObject>()>;

  CQZFApplication();
  ~CQZFApplication() override;

  // Reports a failure of `reporter` to its application (or to itself when it
  // is the application) and returns the code.
  [[nodiscard]] static int16_t report(CQZFObject* reporter, const char* source, int line, int16_t code);

  [[nodiscard]] virtual int16_t preInit(const QZFModeTable** out);
  // The layout-value table of the display kind; empty when there is none.
  virtual std::span<const int16_t> getValueTable(int displayKind);
  virtual void onUpdate() {}
  [[nodiscard]] virtual int16_t reinitialise();
  [[nodiscard]] virtual int16_t postUpdate() { return 0; }
  // Registers the framework's gadget kinds; an application adds its form
  // tags after the base's.
  [[nodiscard]] virtual int16_t registerClasses();
  [[nodiscard]] int16_t init() override;
  int16_t shutdown() override;
  void drawFrame() override;
  void repaintAll() override;
  int onSystemEvent(const MSG& message) override;
  int onPen(int type, int x, int y) override;
  int onKey(int code, int value) override;
  int onSuspendResume(int active) override;
  // Whether Back closes the form it reaches (else it minimises the program).
  virtual bool backClosesForms() const { return true; }
  virtual int onMenuEvent() { return 2; }
  virtual void reportError(const char* source, int line, int16_t code) {}

  int16_t tick() override;
  void requestMinimise() { minimiseRequest_ = true; }
  // The next tick stops and starts the whole application again (a new language).
  void requestReinitialise() { reinitialiseRequest_ = true; }
  bool isStopping() const;
  void setScreenSuspended(int flag);
  int isScreenSuspended() const;
  void setFrameParameters(int16_t tickInterval, int16_t idleInterval);
  void setAudioActive(int on);

  // The class registry is the one way forms and gadgets come into being:
  // descriptions and saved forms name their classes by these tags.
  void registerClass(const std::string& tag, Factory factory) { classes_[tag] = std::move(factory); }
  template <class T>
  void registerClass(const std::string& tag) {
    registerClass(tag, [] { return std::unique_ptr<CQZFObject>(new (std::nothrow) T()); });
  }
  // A new object of the tag's class; null for an unknown tag or without memory.
  std::unique_ptr<CQZFObject> createObject(const std::string& tag) const;
  // The same as a T; null too when the tag's class is no T.
  template <class T>
  std::unique_ptr<T> createObject(const std::string& tag) const {
    std::unique_ptr<CQZFObject> object = createObject(tag);
    T* typed = dynamic_cast<T*>(object.get());
    if (!typed) return nullptr;
    object.release();
    return std::unique_ptr<T>(typed);
  }

  // The managers the application base owns; null before init and after shutdown.
  CQZFResourceManager* getResourceManager() const { return resources_.get(); }
  CQZFAudioManager* getAudioManager() const { return audio_.get(); }
  CQZFGraphics* getGraphics() const { return graphics_.get(); }
  CQZFMetrics* getMetrics() const { return metrics_.get(); }
  CQZFUI* getUI() const { return ui_.get(); }

  // The objects the concrete application owns and lends to the base.
  CQZFLoadScreen* getLoadScreen() const { return loadScreen_; }
  void setLoadScreen(CQZFLoadScreen* loadScreen) { loadScreen_ = loadScreen; }
  CQZFMinimise* getMinimise() const { return minimise_; }
  void setMinimise(CQZFMinimise* minimise) { minimise_ = minimise; }
  CQZFFontManager* getFontManager() const { return fontManager_; }
  void setFontManager(CQZFFontManager* fontManager) { fontManager_ = fontManager; }
  CQZFControls* getControls() const { return controls_; }
  void setControls(CQZFControls* controls) { controls_ = controls; }

  std::span<const int16_t> getCurrentValueTable() const { return valueTable_; }
  // The horizontal and vertical conversions between layout units and the
  // screen (factor 128 = 1.0 until getValueTable sets others).
  void setScaling(int horizontalFactor, int verticalFactor);
  int32_t scaleX(int16_t value) const { return horizontal_->up(value); }
  int32_t unscaleX(int16_t value) const { return horizontal_->down(value); }
  int32_t scaleY(int16_t value) const { return vertical_->up(value); }
  int32_t unscaleY(int16_t value) const { return vertical_->down(value); }

  bool isInitialised() const { return initialised_; }
  bool isActive() const { return active_; }
  bool isReinitialiseRequested() const { return reinitialiseRequest_; }
  bool isMinimiseRequested() const { return minimiseRequest_; }
  uint8_t settingByte = 0;

 protected:
  // The user interface init starts; an application may give it its own form handler.
  virtual std::unique_ptr<CQZFUI> makeUserInterface();

 private:
  [[nodiscard]] int16_t fail(int line, int16_t code) { return report(this, "qzf_application", line, code); }
  // The user interface's answer to a window message; 2 without one.
  int translate(const MSG& message);
  [[nodiscard]] int16_t startManagers(const QZFModeTable* modes);
  // Stops what init started, in reverse order; safe to run again.
  void stopManagers();
  void step() const;
  void applyAudioState();

  bool reinitialiseRequest_ = false;
  bool minimiseRequest_ = false;
  bool active_ = true;
  uint8_t audioState_ = 1;
  int8_t audioCountdown_ = -1;
  bool initialised_ = false;
  bool resume_ = false;
  bool reinitialising_ = false;
  bool imagesLoaded_ = false;
  std::map<std::string, Factory> classes_;
  CQZFLoadScreen* loadScreen_ = nullptr;
  CQZFMinimise* minimise_ = nullptr;
  std::unique_ptr<CQZFAudioManager> audio_;
  std::unique_ptr<CQZFGraphics> graphics_;
  std::unique_ptr<CQZFMetrics> metrics_;
  std::unique_ptr<CQZFResourceManager> resources_;
  std::unique_ptr<CQZFUI> ui_;
  CQZFFontManager* fontManager_ = nullptr;
  CQZFControls* controls_ = nullptr;
  std::span<const int16_t> valueTable_;
  const QZFScalePair* horizontal_;
  const QZFScalePair* vertical_;
};
