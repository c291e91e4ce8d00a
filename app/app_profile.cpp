#include "app_profile.h"

#include <algorithm>
#include <iterator>

#include "app_field_walk.h"
#include "qzf_helpers.h"

namespace {

constexpr uint8_t kReservedTrophyByte = 54;
constexpr uint16_t kCardBackNames = 1581;

// Card-front sets and their first large and small images.
struct CardFronts {
  uint16_t set, large, small;
};
constexpr CardFronts kCardFronts[] = {{81, 925, 1029}, {85, 977, 873}, {91, 1121, 1173}};

// The chooser entry each won trophy makes available; fromDatabaseOnly
// entries only when the profile is read from its database.
struct Unlock {
  int trophy, list, entry;
  bool fromDatabaseOnly;
};
constexpr Unlock kUnlocks[] = {
    {18, 1, 1, false}, {26, 2, 2, false}, {27, 1, 2, false},  {28, 2, 3, false}, {29, 1, 3, false},
    {30, 2, 4, false}, {31, 1, 4, false}, {32, 2, 5, false},  {33, 1, 5, false}, {34, 2, 6, false},
    {35, 1, 6, false}, {36, 2, 7, false}, {37, 1, 7, false},  {40, 2, 1, false}, {41, 2, 8, false},
    {42, 2, 9, false}, {44, 2, 0, true},  {45, 2, 10, false}, {45, 1, 0, true},
};

// Game types whose remembered won deals a loss forgets.
bool forgetsWonDealsOnLoss(uint32_t type) { return type == 2 || type == 3 || type == 11; }

template <typename T, size_t N>
bool inRange(const T (&values)[N], uint32_t low, uint32_t high) {
  return std::all_of(std::begin(values), std::end(values), [&](T v) { return v >= low && v <= high; });
}

}  // namespace

CAppProfile::CAppProfile() { reset(); }
CAppProfile::~CAppProfile() = default;

void CAppProfile::buildChoiceLists() {
  for (auto& list : choiceLists) std::fill(std::begin(list), std::end(list), ChoiceEntry{});
  const auto entry = [](int large, int image, int small, int smallImage, int name) {
    return ChoiceEntry{static_cast<uint16_t>(large),      static_cast<uint16_t>(image), static_cast<uint16_t>(small),
                       static_cast<uint16_t>(smallImage), static_cast<uint16_t>(name),  1};
  };
  const ChoiceEntry random = entry(53, kRandomChoice, 53, kRandomChoice, 1606);
  ChoiceEntry* list = choiceLists[0];
  list[0] = entry(54, 816, 27, 762, kCardBackNames);
  for (int k = 0; k < 3; ++k) list[1 + k] = entry(110 + k, 1258 + 2 * k, 107 + k, 1252 + 2 * k, 1611 + k);
  list[4] = entry(124, 1287, 123, 1285, 1616);
  for (int k = 0; k < 5; ++k) list[6 + k] = entry(118 + k, 1276 + 2 * k, 113 + k, 1266 + 2 * k, 1617 + k);
  list[11] = random;
  list = choiceLists[1];
  list[0] = entry(55, 818, 28, 764, 1582);
  for (int k = 0; k < 7; ++k) list[1 + k] = entry(56 + k, 820 + 2 * k, 29 + k, 766 + 2 * k, 1583 + k);
  list[8] = random;
  list = choiceLists[2];
  list[0] = entry(63, 834, 36, 780, 1590);
  list[1] = entry(64, 836, 37, 782, 1591);
  for (int k = 0; k < 9; ++k) list[2 + k] = entry(70 + k, 848 + 2 * k, 43 + k, 794 + 2 * k, 1592 + k);
  list[11] = random;
  for (ChoiceEntry& e : choiceLists[0]) e.locked = 0;
  choiceLists[1][0].locked = choiceLists[1][8].locked = 0;
  choiceLists[2][0].locked = choiceLists[2][11].locked = 0;
}

void CAppProfile::reset() {
  settings = CAppSettings{};
  for (auto& deals : wonDeals) std::fill(std::begin(deals), std::end(deals), 0u);
  winCount = winRun = 0;
  std::fill(std::begin(statistics), std::end(statistics), Statistics{});
  std::fill(std::begin(history), std::end(history), HistoryEntry{});
  historyCount = historyNext = historyOldest = 0;
  std::fill(std::begin(userName), std::end(userName), u'\0');
  std::fill(std::begin(trophies), std::end(trophies), 0);
  buildChoiceLists();
  noUndoThisGame = noHintThisGame = 1;
  std::fill(std::begin(customRules), std::end(customRules), 0);
  lossTime = 0;
  std::fill(std::begin(instructionsShown), std::end(instructionsShown), 0);
  for (int slot = 0; slot < kAppGameTypes; ++slot) discardSavedGame(slot);
}

// --- Record ---------------------------------------------------------------------

QZStatus CAppProfile::serialise(SerialiseStream& stream) {
  const QZStatus r = serialiseSections(stream);
  const bool reading = stream.mode == SERIALISE_READ_RECORD || stream.mode == SERIALISE_READ_MEMORY;
  if (!reading) return r;
  // A profile that could not be read whole is a fresh one, never half of one.
  if (r < 0 || !isConsistent()) {
    reset();
    return r < 0 ? r : QZ_ERR_GENERAL;
  }
  takeLook();
  unlockWonEntries(stream.mode == SERIALISE_READ_RECORD);
  return QZ_OK;
}

QZStatus CAppProfile::serialiseSections(SerialiseStream& stream) {
  CAppFieldWalk walk(stream);
  walk.u8(settings.titleIntroShown).u8(settings.tutorialPending).u32(settings.currentGameType);
  if (!walk.ok()) return walk.status();
  using Section = QZStatus (CAppProfile::*)(SerialiseStream&);
  constexpr Section kSections[] = {&CAppProfile::serialiseOptions,    &CAppProfile::serialiseLook,
                                   &CAppProfile::serialiseRules,      &CAppProfile::serialiseHistory,
                                   &CAppProfile::serialiseStatistics, &CAppProfile::serialiseTrophies};
  for (Section section : kSections) {
    if (const QZStatus r = (this->*section)(stream); r < 0) return r;
  }
  return QZ_OK;
}

// Per type the eight option bytes, byte 1 first.
QZStatus CAppProfile::serialiseOptions(SerialiseStream& stream) {
  CAppFieldWalk walk(stream);
  for (uint8_t* options : settings.gameOptions) {
    walk.u8(options[1]).u8(options[0]).u8s(options + 2, kAppOptionBytes - 2);
  }
  return walk.status();
}

QZStatus CAppProfile::serialiseLook(SerialiseStream& stream) {
  CAppSettings& s = settings;
  CAppFieldWalk walk(stream);
  walk.u16(s.colourScheme).u8(s.cardBackPage).u8(s.cardBackEntry).u16(s.cardBackLarge).u16(s.cardBackSmall);
  walk.u16(s.cardFrontLargeSet).u16(s.cardFrontLargeImage).u16(s.cardFrontSmallSet).u16(s.cardFrontSmallImage);
  walk.u8(s.backgroundPage).u8(s.backgroundCell).u16(s.backgroundImage).u8(s.backgroundScheme);
  walk.u8(s.backgroundGradient);
  return walk.status();
}

// The rules of the twelve games, in the block's order except for FreeCell's
// first pair of bytes, which travel second one first.
QZStatus CAppProfile::serialiseRules(SerialiseStream& stream) {
  CAppGameRules& r = settings.rules;
  CAppFieldWalk walk(stream);
  auto& k = r.klondike;
  walk.u8(k.unused).u8(k.drawCount).u8(k.redealLimit).u8(k.box1341).u32(k.threeWayA).u32(k.fourWayB);
  auto& f = r.freecell;
  walk.u8(f.box1341).u8(f.choice1354).u32(f.threeWayA).u32(f.threeWayC);
  auto& p = r.pyramid;
  walk.u8(p.box1366).u8(p.box1367).u8(p.unused).u8(p.redealLimit).u8(p.box1368);
  auto& sp = r.spider;
  walk.u32(sp.threeWayA).u32(sp.fourWayB).u8(sp.suits).u32(sp.choice1363).u8(sp.box1450);
  auto& c = r.calculation;
  walk.u8(c.box1341).u32(c.choice1357).u8(c.choice1357Flag).u8(c.box1453);
  walk.u8(r.golf.firstFlag).u8(r.golf.secondFlag);
  auto& su = r.sultan;
  walk.u8(su.drawCount).u8(su.redealLimit).u8(su.box1420).u32(su.choice1357);
  walk.u8(r.idiot.box1366).u8(r.idiot.box1450);
  auto& cf = r.canfield;
  walk.u8(cf.drawCount).u8(cf.redealLimit).u8(cf.box1366).u8(cf.box1420).u8(cf.box1436);
  walk.u8(r.clock.box1438);
  auto& fc = r.fourCorners;
  walk.u8(fc.redealLimit).u8(fc.box1368).u8(fc.box1420).u8(fc.box1440).u8(r.spare);
  auto& y = r.yukon;
  walk.u8(y.box1341).u32(y.threeWayA).u32(y.fourWayB).u32(y.threeWayC);
  return walk.status();
}

QZStatus CAppProfile::serialiseHistory(SerialiseStream& stream) {
  CAppFieldWalk walk(stream);
  for (HistoryEntry& e : history) {
    QZDateTime& d = e.when;
    walk.u32(e.gameType).u16(d.year).u16(d.month).u16(d.day).u16(d.hour).u16(d.minute).u16(d.second);
    walk.u16as32(d.weekday).u32(e.time).u8(e.won).s16(e.hints).s16(e.undos);
  }
  return walk.status();
}

QZStatus CAppProfile::serialiseStatistics(SerialiseStream& stream) {
  CAppFieldWalk walk(stream);
  for (uint32_t& deal : settings.dealNumber) walk.u32(deal);
  for (Statistics& s : statistics) {
    walk.u32(s.totalTime).u16(s.games).u32(s.averageTime).u16(s.wins).u16(s.losses);
    walk.u16(s.longestWinStreak).u16(s.longestLossStreak).s16(s.currentStreak);
  }
  walk.u8(historyCount).u8(historyNext).u8(historyOldest);
  return walk.status();
}

QZStatus CAppProfile::serialiseTrophies(SerialiseStream& stream) {
  CAppFieldWalk walk(stream);
  uint8_t reserved = kReservedTrophyByte;
  walk.u8s(trophies, kTrophies).u8(reserved);
  for (auto& deals : wonDeals) {
    for (uint32_t& deal : deals) walk.u32(deal);
  }
  walk.u8(winCount).u8(noUndoThisGame).u8(noHintThisGame);
  walk.u8s(customRules, kAppGameTypes).u8s(instructionsShown, kAppGameTypes).u8(winRun);
  return walk.status();
}

bool CAppProfile::isConsistent() const {
  const CAppSettings& s = settings;
  const bool look = s.colourScheme <= 8 && s.cardBackPage < kChoiceLists && s.cardBackEntry < kChoiceEntries &&
                    s.backgroundImage >= 2 && s.backgroundImage <= 7 &&
                    (s.backgroundScheme <= 8 || s.backgroundScheme == kAppNoScheme);
  const bool game =
      s.currentGameType >= 1 && s.currentGameType <= kAppGameTypes && inRange(s.dealNumber, 1, kAppLastDealNumber);
  const bool ring = historyCount <= kHistorySize && historyNext < kHistorySize && historyOldest < kHistorySize;
  return look && game && ring;
}

// The card-back images follow the chosen entry, the card-front images their set.
void CAppProfile::takeLook() {
  CAppSettings& s = settings;
  const ChoiceEntry& back = choiceLists[s.cardBackPage][s.cardBackEntry];
  s.cardBackLarge = back.largeImage;
  s.cardBackSmall = back.smallImage;
  for (const CardFronts& fronts : kCardFronts) {
    if (fronts.set != s.cardFrontLargeSet) continue;
    s.cardFrontLargeImage = fronts.large;
    s.cardFrontSmallImage = fronts.small;
  }
}

void CAppProfile::unlockWonEntries(bool fromDatabase) {
  for (const Unlock& u : kUnlocks) {
    if (trophies[u.trophy] && (fromDatabase || !u.fromDatabaseOnly)) choiceLists[u.list][u.entry].locked = 0;
  }
}

// --- Booking --------------------------------------------------------------------

void CAppProfile::bookStatistics(Statistics& s, bool won, uint32_t time) {
  ++s.games;
  s.totalTime += time;
  if (won) {
    ++s.wins;
    s.currentStreak = s.currentStreak <= 0 ? 1 : static_cast<int16_t>(s.currentStreak + 1);
    s.longestWinStreak = std::max<uint16_t>(s.longestWinStreak, static_cast<uint16_t>(s.currentStreak));
  } else {
    ++s.losses;
    s.currentStreak = s.currentStreak >= 0 ? -1 : static_cast<int16_t>(s.currentStreak - 1);
    s.longestLossStreak = std::max<uint16_t>(s.longestLossStreak, static_cast<uint16_t>(-s.currentStreak));
  }
  s.averageTime = s.games ? s.totalTime / s.games : 0;
}

void CAppProfile::writeHistory(uint32_t type, bool won, uint32_t time, int16_t hints, int16_t undos) {
  HistoryEntry& e = history[historyNext];
  e.gameType = type;
  e.time = time;
  e.won = won ? 1 : 0;
  e.hints = hints;
  e.undos = undos;
  QZFGetDateTime(&e.when);
  historyNext = static_cast<uint8_t>((historyNext + 1) % kHistorySize);
  if (historyCount == kHistorySize) historyOldest = historyNext;
  else ++historyCount;
}

int CAppProfile::recordGameResult(uint32_t type, bool won, uint32_t time, int16_t hints, int16_t undos,
                                  const GameState& game) {
  if (type < 1 || type > kAppGameTypes) return kNoTrophy;
  bookStatistics(statistics[0], won, time);
  bookStatistics(statistics[type], won, time);
  writeHistory(type, won, time, hints, undos);
  lossTime = won ? 0 : lossTime + time;
  const int trophy = checkTypeTrophies(type, won);
  return trophy != kNoTrophy ? trophy : checkTrophies(game);
}

int CAppProfile::grant(int trophy) {
  if (trophy != kNoTrophy) trophies[trophy] = 1;
  return trophy;
}

// One trophy per type for the first win, and two for enough different deals won.
int CAppProfile::checkTypeTrophies(uint32_t type, bool won) {
  const int i = static_cast<int>(type) - 1;
  instructionsShown[i] = 1;
  uint32_t* deals = wonDeals[i];
  if (!won) {
    if (forgetsWonDealsOnLoss(type)) std::fill(deals, deals + kWonDeals, 0u);
    winRun = 0;
    return kNoTrophy;
  }
  ++winCount;
  ++winRun;
  if (trophies[i] && trophies[13 + i] && trophies[26 + i]) return kNoTrophy;
  const uint32_t deal = settings.dealNumber[i];
  if (!trophies[i]) {
    deals[0] = deal;
    return grant(i);
  }
  const int n = static_cast<int>(std::count_if(deals, deals + kWonDeals, [](uint32_t d) { return d != 0; }));
  // A full list has nowhere to remember another deal.
  if (n == kWonDeals || std::find(deals, deals + n, deal) != deals + n) return kNoTrophy;
  deals[n] = deal;
  const int b = type >= 4 && type <= 8 ? 1 : 0;
  if (n + b == 2 && !trophies[13 + i]) return grant(13 + i);
  if (n + 2 * b == 4 && !trophies[26 + i]) return grant(26 + i);
  return kNoTrophy;
}

bool CAppProfile::allWon(int first, int last) const {
  return std::all_of(trophies + first, trophies + last + 1, [](uint8_t t) { return t != 0; });
}

// The trophies of a won game: the three series, the win counts, the run, a
// game without undo or hint, the lunch hour and custom rules.
int CAppProfile::checkWinTrophies(const GameState& game) const {
  if (!trophies[12]) {
    if (allWon(0, 11)) return 12;
  } else if (!trophies[25]) {
    if (allWon(13, 24)) return 25;
  } else if (!trophies[38] && allWon(26, 37)) {
    return 38;
  }
  struct Rule {
    int trophy;
    bool holds;
  };
  QZDateTime now{};
  QZFGetDateTime(&now);
  const uint32_t type = game.gameType >= 1 && game.gameType <= kAppGameTypes ? game.gameType : 1;
  const Rule rules[] = {{41, winCount >= 10},
                        {40, winCount >= 25},
                        {39, winCount >= 100},
                        {45, winRun == 10},
                        {46, noUndoThisGame != 0},
                        {49, noHintThisGame != 0},
                        {50, now.hour == 12 || now.hour == 13},
                        {44, customRules[type - 1] != 0}};
  for (const Rule& rule : rules) {
    if (rule.holds && !trophies[rule.trophy]) return rule.trophy;
  }
  return checkLongTermTrophies();
}

int CAppProfile::checkLongTermTrophies() const {
  const bool everyType =
      std::all_of(statistics + 1, statistics + kStatisticsPages, [](const Statistics& s) { return s.games > 0; });
  if (everyType && !trophies[48]) return 48;
  if (statistics[0].totalTime >= kLongPlayTime && !trophies[42]) return 42;
  if (allWon(0, 50) && !trophies[51]) return 51;
  return kNoTrophy;
}

int CAppProfile::checkTrophies(const GameState& game) {
  if (trophies[51]) return kNoTrophy;
  if (game.won) return grant(checkWinTrophies(game));
  if (!trophies[43] && game.finishedOrAbsent) return grant(43);
  if (lossTime >= kLongLossTime && !trophies[47]) return grant(47);
  return grant(checkLongTermTrophies());
}

bool CAppProfile::isOnlyTrophy() const { return std::count(trophies, trophies + 51, 1) == 1; }

void CAppProfile::advanceDealNumber(int slot) {
  uint32_t& deal = settings.dealNumber[slot];
  deal = deal >= kAppLastDealNumber ? 1 : deal + 1;
}

void CAppProfile::resetStatistics(int page) {
  if (page == 0) std::fill(std::begin(statistics), std::end(statistics), Statistics{});
  else if (page > 0 && page < kStatisticsPages) statistics[page] = Statistics{};
}

int CAppProfile::resolveRandomChoice() {
  CAppSettings& s = settings;
  const ChoiceEntry* list = choiceLists[s.cardBackPage];
  if (list[s.cardBackEntry].largeImage != kRandomChoice) return s.cardBackEntry;
  // Draw among the available entries 0-10 (none: the choice stays as it is).
  int candidates[kChoiceEntries - 1];
  int n = 0;
  for (int i = 0; i < kChoiceEntries - 1; ++i) {
    const ChoiceEntry& e = list[i];
    if (e.largeImage != 0 && e.largeImage != kRandomChoice && e.locked == 0) candidates[n++] = i;
  }
  if (n == 0) return s.cardBackEntry;
  const int drawn = candidates[QZFRandom(n)];
  s.cardBackLarge = list[drawn].largeImage;
  s.cardBackSmall = list[drawn].smallImage;
  return drawn;
}

// --- Saved games ------------------------------------------------------------------

void CAppProfile::setSavedGame(int slot, std::unique_ptr<uint8_t[]> block, uint16_t length) {
  savedGame_[slot] = std::move(block);
  savedGameLength_[slot] = savedGame_[slot] ? length : 0;
}

void CAppProfile::discardSavedGame(int slot) { setSavedGame(slot, nullptr, 0); }
