// The user interface object between the application and the form handler:
// it owns the form handler, forwards ticks, pens, keys and drawing to it, and
// translates raw window messages into the framework's key events (the soft
// keys, the return key's double report, the input method and the volume keys
// are handled here).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "qzf_form_handler.h"
#include "qzf_object.h"
#include "wince/window.h"

class CQZFUI : public CQZFObject {
 public:
  static constexpr uint16_t kKind = kQZFKindUI;

  // Hundredths of a second within which a second press of the same hot key
  // (or any hot key right after start) counts as the first one again.
  static constexpr uint32_t kHotKeyGap = 50;

  explicit CQZFUI(CQZFObject* owner = nullptr);
  ~CQZFUI() override;

  // Creates the form handler: 0, or -9 when memory runs out.
  [[nodiscard]] int16_t init();
  // Closes every form and deletes the form handler.
  void shutdown();
  void tick();
  void onSuspendResume(int active);
  Handled onPen(const QZFPenEvent& pen);
  Handled onKey(const QZFKeyEvent& key);
  void draw();
  Handled translateMessage(const MSG& message);

  CQZFFormHandler* getFormHandler() const { return formHandler_.get(); }

  // The volume the volume keys step (low word used). By default the
  // system's wave-out volume, whose both channels take the new level.
  struct VolumeControl {
    std::function<uint32_t()> get;
    std::function<void(uint32_t)> set;
  };
  void setVolumeControl(VolumeControl control) { volume_ = std::move(control); }
  // The volume after one step of a volume key.
  static uint32_t stepVolume(uint32_t volume, bool up);

  // Where a finished composition's text comes from. By default the result
  // string of the main window's input context.
  using CompositionReader = std::function<std::u16string()>;
  void setCompositionReader(CompositionReader reader) { composition_ = std::move(reader); }
  // The result string of the window's input context ("" without one).
  static std::u16string readComposition(HWND window);

 protected:
  virtual std::unique_ptr<CQZFFormHandler> makeFormHandler();

 private:
  Handled onKeyDown(WPARAM key);
  Handled onCharacter(WPARAM character);
  Handled onKeyUp(WPARAM key);
  Handled onHotKey(LPARAM lParam);
  Handled onComposition(LPARAM lParam);
  Handled send(int code, bool keyDown);
  bool isPocketPC() const;
  bool isSmartphone() const;

  bool returnKey_ = false;
  bool softKey_ = false;
  uint32_t lastHotKeyTime_;
  int lastHotKey_ = 0;  // 0: none since start, every hot key waits out the gap
  uint16_t deviceType_;
  std::unique_ptr<CQZFFormHandler> formHandler_;
  VolumeControl volume_;
  CompositionReader composition_;
};
