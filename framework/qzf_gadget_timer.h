// A count-down shown in a label: the remaining whole seconds replace a
// token in a template, and the form is told when the count reaches zero
// (at the first frame after it that finds the form active).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "qzf_gadget_label.h"

class CQZFMetrics;

class CQZFGadgetTimer : public CQZFGadgetLabel {
 public:
  CQZFGadgetTimer();

  [[nodiscard]] int16_t init(const QZFGadgetDescription& description) override;
  // One count step a frame while running.
  void update() override;
  // Starts a count from the value (hundredths) down to 0.
  void setValue(int32_t hundredths) override;
  // The template; the shown text follows at the next count step. None
  // clears the template, and with it the rebuilding.
  void setText(const char16_t* text) override;
  // Replaces the token in the template while something is shown.
  void replaceInText(const char16_t* token, const char16_t* value) override;
  [[nodiscard]] int16_t serialise(SerialiseStream& stream) override;

  bool isRunning() const { return running_; }
  int32_t getCurrent() const { return current_; }

 private:
  // The shown text from the template and the remaining seconds.
  void rebuild();

  CQZFMetrics* metrics_ = nullptr;
  bool running_ = false;
  int32_t current_ = 0;
  int32_t target_ = 0;
  std::optional<std::u16string> template_ = u"#TIMER#";
  std::optional<std::u16string> token_ = u"#TIMER#";
};
