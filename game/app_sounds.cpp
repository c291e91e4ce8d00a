#include "app_sounds.h"

#include "app_game_services.h"

namespace {

constexpr int kPan = 8;
constexpr int kPriority = 30;

}  // namespace

CAppSounds::CAppSounds(CQZFObject* owner, CAppGameServices* services) : CQZFObject(owner), services_(services) {}

void CAppSounds::play(int id, int pitch, int volume) {
  if (!muted_) services_->playSound(id, kPan, pitch, volume, kPriority);
}

void CAppSounds::playPickUp() {
  static constexpr int kVolumes[] = {100, 256, 256};
  const int v = services_->random(3);
  play(4011 + v, 0, kVolumes[v]);
}

void CAppSounds::playLand() {
  static constexpr int kVolumes[] = {128, 256, 256, 256, 128};
  const int v = services_->random(5);
  play(4014 + v, 0, kVolumes[v]);
}

void CAppSounds::playFlip() {
  const int a = services_->random(2);
  const int b = services_->random(2);
  const int c = services_->random(5);
  play(4019 + a, c - 2, b == 0 ? 128 : 192);
}

void CAppSounds::playPlace(int pitch) { play(4022 + services_->random(8), pitch, 256); }

void CAppSounds::playRedeal() { play(4030 + services_->random(2), 0, 128); }

void CAppSounds::playLaunch() {
  const int a = services_->random(2);
  const int b = services_->random(3);
  play(4005, b - 1, a == 0 ? 128 : 192);
}
