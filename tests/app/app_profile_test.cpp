// A player's profile: its record in every stream mode, the booking of games
// with statistics, history and trophies, and the random card back.
#include <gtest/gtest.h>

#include <vector>

#include "app_profile.h"
#include "app_serialise_stream.h"

namespace {

std::vector<uint8_t> written(CAppProfile& profile) {
  SerialiseStream counter;
  EXPECT_EQ(profile.serialise(counter), 0);
  std::vector<uint8_t> block(counter.position);
  SerialiseStream writer{SERIALISE_WRITE_MEMORY, block.data(), static_cast<uint16_t>(block.size()), 0, nullptr};
  EXPECT_EQ(profile.serialise(writer), 0);
  EXPECT_EQ(writer.position, block.size());
  return block;
}

QZStatus readInto(CAppProfile& profile, std::vector<uint8_t>& block) {
  SerialiseStream reader{SERIALISE_READ_MEMORY, block.data(), static_cast<uint16_t>(block.size()), 0, nullptr};
  return profile.serialise(reader);
}

const CAppProfile::GameState kWonGame{true, true, 1};
const CAppProfile::GameState kLostGame{false, true, 1};

}  // namespace

TEST(AppProfile, TheRecordReadsBackWhatWasWritten) {
  CAppProfile profile;
  profile.settings.currentGameType = 7;
  profile.settings.gameOptions[0][0] = 5;
  profile.settings.gameOptions[0][1] = 9;
  profile.settings.rules.freecell.choice1354 = 2;
  profile.settings.rules.yukon.threeWayC = 0x01020304;
  profile.settings.colourScheme = 6;
  profile.settings.cardFrontLargeSet = 91;
  profile.trophies[5] = 1;
  profile.recordGameResult(3, true, 4500, 2, 7, kWonGame);
  std::vector<uint8_t> block = written(profile);
  // Option bytes travel byte 1 first: type 1's block starts at offset 6.
  EXPECT_EQ(block[6], 9);
  EXPECT_EQ(block[7], 5);
  CAppProfile read;
  ASSERT_EQ(readInto(read, block), 0);
  EXPECT_EQ(read.settings.currentGameType, 7u);
  EXPECT_EQ(read.settings.gameOptions[0][0], 5);
  EXPECT_EQ(read.settings.rules.freecell.choice1354, 2);
  EXPECT_EQ(read.settings.rules.yukon.threeWayC, 0x01020304u);
  EXPECT_EQ(read.settings.colourScheme, 6);
  // The card-front images follow their set.
  EXPECT_EQ(read.settings.cardFrontLargeImage, 1121);
  EXPECT_EQ(read.settings.cardFrontSmallImage, 1173);
  EXPECT_EQ(read.statistics[3].wins, 1);
  EXPECT_EQ(read.history[0].gameType, 3u);
  EXPECT_EQ(read.history[0].undos, 7);
  EXPECT_EQ(read.history[0].when.weekday, profile.history[0].when.weekday);
  EXPECT_EQ(read.trophies[5], 1);
  EXPECT_EQ(read.historyCount, 1);
}

TEST(AppProfile, AShortOrImpossibleRecordLeavesAFreshProfile) {
  CAppProfile profile;
  profile.settings.currentGameType = 4;
  std::vector<uint8_t> block = written(profile);
  std::vector<uint8_t> shorter(block.begin(), block.end() - 1);
  CAppProfile read;
  read.settings.currentGameType = 9;
  EXPECT_EQ(readInto(read, shorter), QZ_ERR_OVERRUN);
  EXPECT_EQ(read.settings.currentGameType, 1u);
  // Game type 13 and a history slot past the ring: values every reader indexes by.
  // historyNext lies before the 321 bytes of the trophy section.
  for (const size_t at : {size_t{5}, block.size() - 323}) {
    std::vector<uint8_t> bad = block;
    bad[at] = at == 5 ? 13 : 100;
    CAppProfile damaged;
    EXPECT_EQ(readInto(damaged, bad), QZ_ERR_GENERAL) << at;
    EXPECT_EQ(damaged.settings.currentGameType, 1u);
  }
}

TEST(AppProfile, StatisticsFollowWinsAndLosses) {
  CAppProfile profile;
  for (int i = 0; i < 3; ++i) profile.recordGameResult(1, false, 100, 0, 0, kLostGame);
  profile.recordGameResult(1, true, 400, 0, 0, kWonGame);
  const CAppProfile::Statistics& s = profile.statistics[1];
  EXPECT_EQ(s.currentStreak, 1);
  EXPECT_EQ(s.longestLossStreak, 3);
  EXPECT_EQ(s.longestWinStreak, 1);
  EXPECT_EQ(s.games, 4);
  EXPECT_EQ(s.averageTime, 175u);
  EXPECT_EQ(profile.statistics[0].games, 4);
  EXPECT_EQ(profile.lossTime, 0u);
}

TEST(AppProfile, TheHundredAndFirstGameOverwritesTheOldest) {
  CAppProfile profile;
  for (uint32_t i = 0; i < 101; ++i) profile.recordGameResult(1 + i % 12, false, i, 0, 0, kLostGame);
  EXPECT_EQ(profile.historyCount, 100);
  EXPECT_EQ(profile.historyNext, 1);
  EXPECT_EQ(profile.historyOldest, 1);
  EXPECT_EQ(profile.history[0].time, 100u);
}

TEST(AppProfile, DealNumbersWrapAfterTheLast) {
  CAppProfile profile;
  profile.settings.dealNumber[2] = kAppLastDealNumber;
  profile.advanceDealNumber(2);
  EXPECT_EQ(profile.settings.dealNumber[2], 1u);
}

// A game state under which the rule over all trophies finds nothing.
const CAppProfile::GameState kQuiet{false, false, 1};

int play(CAppProfile& profile, uint32_t type, bool won, uint32_t deal) {
  profile.settings.dealNumber[type - 1] = deal;
  return profile.recordGameResult(type, won, 100, 1, 1, kQuiet);
}

TEST(AppProfile, TypeTrophiesCountDifferentWonDeals) {
  CAppProfile profile;
  EXPECT_EQ(play(profile, 1, true, 10), 0);
  EXPECT_EQ(play(profile, 1, true, 10), CAppProfile::kNoTrophy);  // the same deal again
  EXPECT_EQ(play(profile, 1, true, 11), CAppProfile::kNoTrophy);
  EXPECT_EQ(play(profile, 1, false, 12), CAppProfile::kNoTrophy);  // a Klondike loss forgets nothing
  EXPECT_EQ(play(profile, 1, true, 12), 13);
  EXPECT_EQ(play(profile, 1, true, 13), CAppProfile::kNoTrophy);
  EXPECT_EQ(play(profile, 1, true, 14), 26);
  EXPECT_EQ(play(profile, 1, true, 15), CAppProfile::kNoTrophy);
  // Types 4-8 need two and three deals.
  EXPECT_EQ(play(profile, 5, true, 1), 4);
  EXPECT_EQ(play(profile, 5, true, 2), 17);
  EXPECT_EQ(play(profile, 5, true, 3), 30);
}

TEST(AppProfile, ASpiderLossForgetsItsWonDeals) {
  CAppProfile profile;
  EXPECT_EQ(play(profile, 3, true, 1), 2);
  EXPECT_EQ(play(profile, 3, true, 2), CAppProfile::kNoTrophy);
  EXPECT_EQ(play(profile, 3, false, 3), CAppProfile::kNoTrophy);
  EXPECT_EQ(profile.wonDeals[2][0], 0u);
  EXPECT_EQ(profile.winRun, 0);
  // Trophy 2 is held, so the first deal after the loss is remembered in slot 0 anew.
  EXPECT_EQ(play(profile, 3, true, 4), CAppProfile::kNoTrophy);
  EXPECT_EQ(profile.wonDeals[2][0], 4u);
}

// A profile whose list of won deals is full has nowhere to put another.
TEST(AppProfile, AFullListOfWonDealsTakesNoMore) {
  CAppProfile profile;
  profile.trophies[0] = 1;
  for (uint32_t i = 0; i < CAppProfile::kWonDeals; ++i) profile.wonDeals[0][i] = 100 + i;
  EXPECT_EQ(play(profile, 1, true, 7), CAppProfile::kNoTrophy);
}

// Each trophy of the rule over all trophies is granted once: a held one is
// never granted again, so the alerts that follow one another end.
TEST(AppProfile, TheGeneralRuleNeverGrantsAHeldTrophy) {
  CAppProfile profile;
  profile.trophies[0] = 1;  // no type trophy in the way
  profile.wonDeals[0][0] = 1;
  std::vector<int> granted;
  for (int i = 0; i < 60; ++i) {
    const int t = profile.checkTrophies(kWonGame);
    if (t == CAppProfile::kNoTrophy) break;
    granted.push_back(t);
  }
  ASSERT_FALSE(granted.empty());
  EXPECT_LT(granted.size(), 60u);
  for (size_t i = 0; i < granted.size(); ++i) {
    for (size_t j = i + 1; j < granted.size(); ++j) EXPECT_NE(granted[i], granted[j]);
  }
  EXPECT_EQ(granted.front(), 46);  // no undo in this game
}

TEST(AppProfile, LongLossesAndTheFirstFinishedGameGrantTheirTrophies) {
  CAppProfile profile;
  EXPECT_EQ(profile.checkTrophies(kLostGame), 43);
  profile.lossTime = CAppProfile::kLongLossTime;
  EXPECT_EQ(profile.checkTrophies(kLostGame), 47);
  EXPECT_EQ(profile.checkTrophies(kLostGame), CAppProfile::kNoTrophy);
  EXPECT_FALSE(profile.isOnlyTrophy());
}

TEST(AppProfile, ARandomCardBackDrawsAnAvailableEntry) {
  CAppProfile profile;
  profile.settings.cardBackPage = 1;
  profile.settings.cardBackEntry = 8;  // the random entry
  // Of list 1 only entry 0 is available after construction.
  EXPECT_EQ(profile.resolveRandomChoice(), 0);
  EXPECT_EQ(profile.settings.cardBackLarge, 818);
  EXPECT_EQ(profile.settings.cardBackSmall, 764);
  // A page with nothing available keeps its choice instead of drawing for ever.
  profile.settings.cardBackPage = 1;
  profile.choiceLists[1][0].locked = 1;
  EXPECT_EQ(profile.resolveRandomChoice(), 8);
}

TEST(AppProfile, WonTrophiesUnlockTheirChooserEntries) {
  CAppProfile profile;
  profile.trophies[18] = 1;
  profile.trophies[45] = 1;
  std::vector<uint8_t> block = written(profile);
  CAppProfile read;
  ASSERT_EQ(readInto(read, block), 0);
  EXPECT_EQ(read.choiceLists[1][1].locked, 0);
  EXPECT_EQ(read.choiceLists[2][10].locked, 0);
  // Only a read from the player's database unlocks entry 0 of list 1 for trophy 45.
  EXPECT_EQ(read.choiceLists[1][0].locked, 0);  // available from the start
  read.reset();
  EXPECT_EQ(read.choiceLists[1][1].locked, 1);
}
