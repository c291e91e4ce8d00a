// The nine colour schemes (the colour themes the player chooses among), the
// blob sets every screen shares, and the recolouring of the artwork, the
// title screen's table and the background when the scheme or the
// background changes.
#pragma once

#include <cstdint>
#include <span>

#include "qz_types.h"

class CQZFGraphics;
class CQZFLoadScreen;
struct CAppSettings;

class CAppColourSchemes {
 public:
  static constexpr int kSchemes = 9;
  static constexpr int kDefaultScheme = 3;
  // The tint is stored with this bias: 127 means no change.
  static constexpr int kTintBias = 127;
  static constexpr uint8_t kNoneApplied = 99;

  // Top colour, bottom colour, tint (biased) and form background, each R, G, B.
  struct Scheme {
    uint16_t top[3];
    uint16_t bottom[3];
    uint16_t tint[3];
    uint16_t form[3];
  };

  CAppColourSchemes();

  // Fills the table and loads the shared blob sets, the load screen advancing
  // after some of them; the first failure is returned.
  [[nodiscard]] int16_t loadColourSchemes(CQZFGraphics& graphics, CQZFLoadScreen* loadScreen);
  // Recolours everything for the profile's scheme (the default without a profile).
  void applyColourScheme(CQZFGraphics& graphics, std::span<const int16_t> values, const CAppSettings* settings);
  // Takes a newly chosen background when the profile's settings-changed flag is set.
  void applyBackground(CQZFGraphics& graphics, std::span<const int16_t> values, CAppSettings& settings);

  // The form background of the profile's scheme (the default without a profile).
  uint16_t formColour(const CAppSettings* settings) const;
  Scheme& scheme(int index) { return schemes_[index]; }
  const Scheme& scheme(int index) const { return schemes_[index]; }
  uint8_t getAppliedScheme() const { return applied_; }
  void setAppliedScheme(uint8_t scheme) { applied_ = scheme; }
  uint16_t getBackgroundPlane() const { return backgroundPlane_; }
  void setBackgroundPlane(uint16_t plane) { backgroundPlane_ = plane; }

 private:
  // Loads the set again and tints it by the scheme's tint.
  void retint(CQZFGraphics& graphics, int setId, const Scheme& scheme) const;
  void drawTitleTable(CQZFGraphics& graphics, std::span<const int16_t> values, const Scheme& scheme) const;
  // The background plane washed in the colours of its scheme; false when it has no wash.
  bool washBackground(CQZFGraphics& graphics, std::span<const int16_t> values, const CAppSettings& settings) const;
  void drawOrnaments(CQZFGraphics& graphics, std::span<const int16_t> values) const;
  void loadBackground(CQZFGraphics& graphics, uint16_t plane);

  Scheme schemes_[kSchemes];
  uint8_t applied_ = kNoneApplied;
  uint16_t backgroundPlane_ = 0;
};
