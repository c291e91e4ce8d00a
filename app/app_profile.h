// Everything Pellwyn remembers about one player: the settings block, the
// statistics, a ring of the last 100 games, the trophies and the chooser
// entries they unlock, the won deals behind the trophies and one saved game
// per game type. The profile form stores it with the player's saved forms;
// this class holds the data, its record format and the booking of games.
#pragma once

#include <cstdint>
#include <memory>

#include "app_settings.h"
#include "qz_datetime.h"
#include "qz_types.h"

struct SerialiseStream;

class CAppProfile {
 public:
  static constexpr int kStatisticsPages = kAppGameTypes + 1;  // 0: all games
  static constexpr int kHistorySize = 100;
  static constexpr int kTrophies = 52;
  static constexpr int kWonDeals = 5;
  static constexpr int kChoiceLists = 9;
  static constexpr int kChoiceEntries = 12;
  static constexpr int kNameUnits = 11;
  static constexpr uint16_t kRandomChoice = 814;
  // A game lost after this much time lost since the last win (hundredths).
  static constexpr uint32_t kLongLossTime = 360000;
  static constexpr uint32_t kLongPlayTime = 3600000;
  static constexpr int kNoTrophy = -1;

  struct Statistics {
    uint32_t totalTime = 0;
    uint16_t games = 0;
    uint32_t averageTime = 0;
    uint16_t wins = 0;
    uint16_t losses = 0;
    uint16_t longestWinStreak = 0;
    uint16_t longestLossStreak = 0;
    int16_t currentStreak = 0;  // +n after n wins in a row, -n after n losses
  };
  struct HistoryEntry {
    uint32_t gameType = 1;
    QZDateTime when{};
    uint8_t won = 0;
    uint32_t time = 0;
    int16_t hints = 0;
    int16_t undos = 0;
  };
  // A chooser entry: large set and image (0: empty, kRandomChoice: random),
  // small set and image, name string, lock word (1 locked).
  struct ChoiceEntry {
    uint16_t largeSet = 0;
    uint16_t largeImage = 0;
    uint16_t smallSet = 0;
    uint16_t smallImage = 0;
    uint16_t nameId = 0;
    uint16_t locked = 1;
  };
  // What the general trophy rule asks of the game on the play screen.
  struct GameState {
    bool won = false;              // its end-of-game animation runs
    bool finishedOrAbsent = true;  // no play screen, or its game is finished
    uint32_t gameType = 1;
  };

  CAppProfile();
  ~CAppProfile();
  CAppProfile(const CAppProfile&) = delete;
  CAppProfile& operator=(const CAppProfile&) = delete;

  // Every field to its default; saved games freed, entries of lists 1-8 locked.
  void reset();
  // The record (sections of settings, history, statistics, trophies), in
  // any stream mode. A read refuses values no save writes (-1) and then
  // leaves a fresh profile; a good read unlocks the entries of the won
  // trophies (two more when read from the player's database).
  [[nodiscard]] QZStatus serialise(SerialiseStream& stream);

  // Books a finished game; the trophy granted (at most one), else kNoTrophy.
  int recordGameResult(uint32_t type, bool won, uint32_t time, int16_t hints, int16_t undos, const GameState& game);
  // The rule over all trophies; the trophy granted, else kNoTrophy.
  int checkTrophies(const GameState& game);
  // Whether exactly one of trophies 0-50 is won.
  bool isOnlyTrophy() const;
  void advanceDealNumber(int slot);
  void resetStatistics(int page);
  // The chosen card-back entry, drawing an available one for the random entry.
  int resolveRandomChoice();

  // Saved games: one byte block per type slot.
  uint16_t getSavedGameLength(int slot) const { return savedGameLength_[slot]; }
  const uint8_t* getSavedGame(int slot) const { return savedGame_[slot].get(); }
  void setSavedGame(int slot, std::unique_ptr<uint8_t[]> block, uint16_t length);
  void discardSavedGame(int slot);

  CAppSettings settings;
  uint32_t wonDeals[kAppGameTypes][kWonDeals] = {};
  uint8_t winCount = 0;
  uint8_t winRun = 0;
  Statistics statistics[kStatisticsPages];
  HistoryEntry history[kHistorySize];
  uint8_t historyCount = 0;
  uint8_t historyNext = 0;
  uint8_t historyOldest = 0;
  char16_t userName[kNameUnits] = {};
  uint8_t trophies[kTrophies] = {};
  ChoiceEntry choiceLists[kChoiceLists][kChoiceEntries];
  uint8_t noUndoThisGame = 1;
  uint8_t noHintThisGame = 1;
  uint8_t customRules[kAppGameTypes] = {};
  uint32_t lossTime = 0;
  uint8_t instructionsShown[kAppGameTypes] = {};

 private:
  void buildChoiceLists();
  [[nodiscard]] QZStatus serialiseSections(SerialiseStream& stream);
  [[nodiscard]] QZStatus serialiseOptions(SerialiseStream& stream);
  [[nodiscard]] QZStatus serialiseLook(SerialiseStream& stream);
  [[nodiscard]] QZStatus serialiseRules(SerialiseStream& stream);
  [[nodiscard]] QZStatus serialiseHistory(SerialiseStream& stream);
  [[nodiscard]] QZStatus serialiseStatistics(SerialiseStream& stream);
  [[nodiscard]] QZStatus serialiseTrophies(SerialiseStream& stream);
  // After a read: the values every user of the profile indexes by are in range.
  bool isConsistent() const;
  void takeLook();
  void unlockWonEntries(bool fromDatabase);
  void bookStatistics(Statistics& s, bool won, uint32_t time);
  void writeHistory(uint32_t type, bool won, uint32_t time, int16_t hints, int16_t undos);
  int checkTypeTrophies(uint32_t type, bool won);
  int checkWinTrophies(const GameState& game) const;
  int checkLongTermTrophies() const;
  bool allWon(int first, int last) const;
  int grant(int trophy);

  uint16_t savedGameLength_[kAppGameTypes] = {};
  std::unique_ptr<uint8_t[]> savedGame_[kAppGameTypes];
};
