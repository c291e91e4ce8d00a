// The profile form: the current player's profile as an open form that shows
// nothing, so that saving a player's open forms stores the profile with
// them and restoring re-creates it. Its saved games travel as apSV
// resources of their own in the same database, each with a checksum.
#pragma once

#include <cstdint>

#include "app_profile.h"
#include "qzf_form.h"

class CQZFFormHandler;

class CAppUserForm : public CQZFForm {
 public:
  static constexpr uint32_t kSavedGameType = QZFourCC("apSV");

  CAppUserForm();

  // Links the application's managers and the form handler; -50 without them.
  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  // Back on the profile form (nothing above it) ends the program.
  Handled onBack() override;
  // A restored profile is the application's settings from then on, so that
  // the forms restored above it open with the player's look and cards; a
  // removed one is no longer.
  Handled onEvent(const QZFFormEvent& event) override;

  // The profile in memory streams (counting included); no saved games.
  [[nodiscard]] int16_t serialise(SerialiseStream& stream) override;
  // In the player's database: the profile in the form's record, then one
  // apSV resource per game type. A missing or damaged one is left out alone.
  int32_t getCustomStateSize() override;
  [[nodiscard]] int16_t saveCustomState(uint16_t recordSize, uint16_t position, CQZFRsrcDatabase* database,
                                        uint8_t* record) override;
  [[nodiscard]] int16_t restoreCustomState(uint16_t recordSize, uint16_t position, CQZFRsrcDatabase* database,
                                           uint8_t* record) override;

  void resetProfile() { profile_.reset(); }
  // Saves every open form in the player's database; -1 when the index names no player.
  [[nodiscard]] int16_t saveProfile(int userIndex);
  // The player's new name in the profile and the list, then saved; -1 for no player.
  [[nodiscard]] int16_t renameProfile(int userIndex, const char16_t* name);
  // A fresh profile under the player's name, saved; -1 for no player.
  [[nodiscard]] int16_t startNewProfile(int userIndex);

  // The form's state becomes the slot's saved game (the old one stays on failure).
  [[nodiscard]] int16_t storeSavedGame(int slot, CQZFForm& form);
  // The form takes the slot's saved game; -1 when there is none.
  [[nodiscard]] int16_t restoreSavedGame(int slot, CQZFForm& form, bool discardAfter);
  void discardSavedGame(int slot) { profile_.discardSavedGame(slot); }
  void advanceDealNumber(int slot) { profile_.advanceDealNumber(slot); }

  // Books a finished game and shows the trophy it won, if any.
  void recordGameResult(uint32_t type, bool won, uint32_t time, int16_t hints, int16_t undos,
                        const CAppProfile::GameState& game);
  // The rule over all trophies, run again when a trophy alert closes.
  void checkTrophies(const CAppProfile::GameState& game);

  CAppProfile& profile() { return profile_; }
  const CAppProfile& profile() const { return profile_; }
  CAppSettings& settings() { return profile_.settings; }

 private:
  [[nodiscard]] int16_t fail(int line, int16_t code);
  [[nodiscard]] int16_t writeSavedGames(CQZFRsrcDatabase& database);
  [[nodiscard]] int16_t readSavedGames(CQZFRsrcDatabase& database);
  void showTrophy(int trophy);

  CAppProfile profile_;
  CQZFFormHandler* formHandler_ = nullptr;
};
