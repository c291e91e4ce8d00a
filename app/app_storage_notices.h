// What the player is told about the data Pellwyn keeps: a player's database
// or the settings database found damaged (what was left out, and where a copy
// of the damaged file is kept), and saves that failed. Notices wait for the
// next frame and are shown one at a time in the players' alert; a save that
// fails while the program stops is told in a message box.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "qzf_form_handler.h"

class CAppApplication;

class CAppStorageNotices {
 public:
  enum Kind : uint8_t { kProfileLost, kPartDropped, kSavedGameDropped, kSettingsDamaged, kSaveFailed };

  explicit CAppStorageNotices(CAppApplication& application) : app_(application) {}

  // What a restore of the player's forms could not read; profileLost when
  // the player starts afresh.
  void addRestoreDamage(const char16_t* player, const CQZFFormHandler::RestoreDamage& damage, bool profileLost);
  // A save failed: told once until the notice is shown.
  void addSaveFailure();
  // Once per frame: takes the settings database's damage, then shows the
  // next notice unless a players' alert is open already.
  void showNext();
  // While the program stops: a failed save in a message box.
  void tellSaveFailureNow();
  bool isEmpty() const { return pending_.empty(); }

  // The alert's text of a notice (the strings of the current language).
  struct Notice {
    Kind kind;
    std::u16string player;
    std::u16string copy;  // device path of the copy kept aside, empty for none
  };
  static std::u16string textOf(const Notice& notice);

 private:
  CAppApplication& app_;
  std::deque<Notice> pending_;
};
