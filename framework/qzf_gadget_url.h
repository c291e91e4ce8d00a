// A web link (a caption over an address) that starts the device's browser
// when chosen, or a plain text when it has no address. A link is drawn in
// the platform's system font, in colours of the platform's colour table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "qzf_gadget.h"

// Starts a program with a command line, without waiting (the platform's
// process creation). Null: nothing is started.
using QZFProgramStarter = void (*)(const char16_t* program, const char16_t* commandLine);
void QZFSetProgramStarter(QZFProgramStarter starter);

class CQZFGadgetURL : public CQZFGadget {
 public:
  CQZFGadgetURL();

  [[nodiscard]] int16_t init(const QZFGadgetDescription& description) override;
  void draw(const QZRect& rect, int level) override;
  void drawFocus(const QZRect& rect, int level) override;
  Handled onKey(const QZFKeyEvent& key) override;
  Handled onPen(const QZFPenEvent& pen) override;
  void layout() override;
  // Only a link takes the focus.
  bool canFocus() const override { return isLink_; }
  void setValue(int32_t) override {}
  void setText(const char16_t*) override {}
  void replaceInText(const char16_t*, const char16_t*) override {}
  CQZFGadget* getGadget() override { return this; }
  [[nodiscard]] int16_t serialise(SerialiseStream& stream) override;

  void setCaption(const char16_t* text);
  void setAddress(const char16_t* text);
  void setPlainText(const char16_t* text);
  bool isLink() const { return isLink_; }
  bool isPressed() const { return pressed_; }
  // The text shown: the caption, the plain text or the address.
  const char16_t* getShownText() const { return shown_ && *shown_ ? (*shown_)->c_str() : nullptr; }
  // Starts the browser on the address (a link only).
  void openLink() const;

 private:
  void replace(std::optional<std::u16string>& field, const char16_t* text);
  bool usesSystemFont() const { return isLink_ || font_ == QZ_NO_ID; }

  bool pressed_ = false;
  uint16_t colours_[3] = {0, QZ_NO_ID, 0};  // normal, focused, pressed
  std::optional<std::u16string> caption_, address_, plain_;
  int16_t boxWidth_ = -1;
  uint16_t font_ = QZ_NO_ID;
  bool isLink_ = false;
  const std::optional<std::u16string>* shown_ = nullptr;
  int textHeight_ = 0;
};
