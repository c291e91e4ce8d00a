// The card sound effects, each with random variants from the platform's
// random source.
#pragma once

#include <cstdint>

#include "qzf_object.h"

class CAppGameServices;

class CAppSounds : public CQZFObject {
 public:
  CAppSounds(CQZFObject* owner, CAppGameServices* services);

  void playPickUp();
  void playLand();
  void playFlip();
  void playPlace(int pitch);
  void playRedeal();
  void playLaunch();
  // Search and tests silence the sounds for a while.
  void setMuted(bool muted) { muted_ = muted; }

 private:
  void play(int id, int pitch, int volume);

  CAppGameServices* services_;
  bool muted_ = false;
};
