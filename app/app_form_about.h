// The about form: the program's name and version, its build date and the
// years of its copyright; a button shows the build details.
#pragma once

#include <cstdint>

#include "qzf_form.h"

class CAppAboutForm : public CQZFForm {
 public:
  static constexpr uint16_t kName = 1101;
  static constexpr uint16_t kBuildDate = 1102;
  static constexpr uint16_t kCopyright = 1105;
  static constexpr uint16_t kDetails = 1106;
  static constexpr uint16_t kClose = 1;
  // The program's name, its version, and the first year of its copyright.
  static constexpr uint16_t kNameText = 1000;
  static constexpr uint16_t kVersionText = 1001;
  static constexpr uint16_t kFirstYearText = 1002;

  CAppAboutForm();
  Handled onEvent(const QZFFormEvent& event) override;
  Handled onGadgetEvent(const CQZFGadgetEvent& event) override;
};
