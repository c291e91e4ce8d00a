// The title screen's miniature of the chosen game: every pile of its opening
// position as small plain cards (light face up, dark face down, empty places
// outlined), laid out by the game engine's own definition with the preview's
// metrics, so a change of the game's rules shows at once.
#pragma once

#include <cstdint>
#include <memory>

#include "qz_rect.h"
#include "qzf_object.h"

class CAppApplication;
class CAppGameDefinition;
class CAppPlayServices;

class CAppGamePreview : public CQZFObject {
 public:
  explicit CAppGamePreview(CQZFObject* owner);
  ~CAppGamePreview() override;

  // -50 without the application or the profile form.
  [[nodiscard]] int16_t init(int32_t gameType);
  // A fresh definition of the type from the profile's settings as they stand.
  void setGameType(int32_t gameType);
  // Rebuilds first when the profile's settings changed (and clears that flag).
  void draw();
  void invalidate() const;
  bool isDirty() const;
  void drawCard(bool faceUp, int x, int y) const;
  void drawEmptyPile(int x, int y) const;

  int32_t getGameType() const { return type_; }
  const CAppGameDefinition* definition() const { return definition_.get(); }
  QZRect area() const;

 private:
  int value(int entry) const;
  // Whether card i of n is face up under a pile's face-up rule.
  bool isFaceUp(int rule, int i, int n) const;

  CAppApplication* app_ = nullptr;
  std::unique_ptr<CAppPlayServices> services_;
  std::unique_ptr<CAppGameDefinition> definition_;
  int32_t type_ = 0;
};
