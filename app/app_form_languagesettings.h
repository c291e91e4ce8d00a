// Language: one of five, set at once when picked. OK restarts the whole
// program in the language picked (asking first while a game is on screen);
// leaving the form any other way brings the old language back.
#pragma once

#include <cstdint>

#include "qzf_form.h"

class CAppLanguageSettingsForm : public CQZFForm {
 public:
  static constexpr uint16_t kOk = 1;
  static constexpr uint16_t kFirstBox = 1081;
  static constexpr int kLanguages = 5;
  // The languages of boxes 1081-1085.
  static constexpr uint16_t kLanguageIds[kLanguages] = {1031, 1033, 1034, 1036, 1040};
  static constexpr uint16_t kEnglish = 1033;

  Handled onEvent(const QZFFormEvent& event) override;
  Handled onGadgetEvent(const CQZFGadgetEvent& event) override;
  // The box of the language in force stays ticked.
  Handled onUpdate() override;

  uint16_t rememberedLanguage() const { return remembered_; }

 private:
  void tickOnly(uint16_t box);
  void tickCurrent();
  static uint16_t currentBox();
  void confirm();

  uint16_t remembered_ = kEnglish;
  bool confirmed_ = false;
};
