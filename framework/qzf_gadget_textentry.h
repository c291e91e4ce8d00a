// A one-line text field: a frame of tiled caps, a blinking cursor image, a
// maximum length and a choice of accepted characters (letters and space,
// digits, anything the font can show; letters kept in lower case or not).
#pragma once

#include <cstdint>
#include <string>

#include "qzf_form_description.h"
#include "qzf_gadget.h"

class CQZFMetrics;

class CQZFGadgetTextEntry : public CQZFGadget {
 public:
  enum Accepted : uint8_t { kLetters = 1, kDigits = 2, kAnyGlyph = 4, kKeepLowerCase = 8 };
  // The blink counter's start (hundredths); the cursor shows from 1 up.
  static constexpr int kBlink = 40;

  CQZFGadgetTextEntry();

  [[nodiscard]] int16_t init(const QZFGadgetDescription& description) override;
  void draw(const QZRect& rect, int level) override;
  void drawFocus(const QZRect& rect, int level) override;
  Handled onKey(const QZFKeyEvent& key) override;
  Handled onPen(const QZFPenEvent& pen) override;
  // The input method's text is taken and left alone.
  Handled onTextInput(const char16_t*) override { return Handled::kDone; }
  // The cursor's blink.
  void update() override;
  void layout() override;
  // The value names a string resource whose text the entry takes.
  void setValue(int32_t stringId) override;
  // At most the maximum length of the text; the cursor goes to its end.
  void setText(const char16_t* text) override;
  const char16_t* getText() const override { return text_.c_str(); }
  void replaceInText(const char16_t* token, const char16_t* value) override;
  CQZFGadget* getGadget() override { return this; }
  [[nodiscard]] int16_t serialise(SerialiseStream& stream) override;

  int getCursor() const { return cursor_; }
  int getFirstVisible() const { return firstVisible_; }
  int getBlink() const { return blink_; }
  int getVisibleWidth() const { return visibleWidth_; }

 private:
  bool accepts(char16_t c) const;
  // Inserts c at the cursor (8 deletes the character before it).
  void edit(char16_t c);
  void scrollToCursor();
  int lineHeight() const;

  std::u16string text_;
  uint8_t accepted_ = 0;
  int16_t boxWidth_ = 0;
  QZFBoxImages normal_, focused_;
  uint16_t font_ = QZ_NO_ID;
  uint16_t cursorImage_ = QZ_NO_ID;
  int textX_ = 0;
  int visibleWidth_ = 0;
  int cursor_ = 0;
  int blink_ = kBlink;
  int firstVisible_ = 0;
  int maxLength_ = 0;
  CQZFMetrics* metrics_ = nullptr;
};
