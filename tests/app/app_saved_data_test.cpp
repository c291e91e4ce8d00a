// What a player meets when the data Pellwyn keeps is damaged or cannot be
// written: a player's database damaged in every part of it, and saves that
// fail on the way to the disk. Nothing that could be read is lost, a copy of
// the damaged file is kept aside before anything is written over it, and the
// player is told in the players' alert.
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app_installed_fixture.h"
#include "base/byte_order.h"
#include "qz_database_file.h"
#include "qz_preferences.h"
#include "qzf_resource.h"
#include "wince/host/shell.h"
#include "wince/host/window.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(bytes.data()),
                                                                static_cast<std::streamsize>(bytes.size()));
}

// The directory entry of a resource, found in the file's bytes.
QZDatabaseEntry entryOf(const std::vector<uint8_t>& file, uint32_t type, uint16_t id) {
  QZDatabaseHeader header;
  std::vector<QZDatabaseEntry> entries;
  EXPECT_EQ(QZParseDatabase(file.data(), file.size(), file.size(), QZDatabaseKind::Resource, header, entries), 0);
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].type == type && entries[i].id == id) {
      QZDatabaseEntry e = entries[i];
      e.extra[0] = static_cast<uint8_t>(i);  // the entry's place in the directory
      return e;
    }
  }
  ADD_FAILURE() << "no such resource";
  return {};
}

constexpr uint32_t kSavedForm = QZFourCC("Afrm");
constexpr uint32_t kSavedGame = CAppUserForm::kSavedGameType;
constexpr int kSavedSlot = 4;

// What the player finds after a start on the damaged file.
enum class Outcome { Kept, ProfileLost, PartDropped, SavedGameDropped };

struct Damage {
  const char* what;
  std::function<void(std::vector<uint8_t>&)> apply;
  Outcome outcome;
  bool savedGameKept;
};

void flipBit(std::vector<uint8_t>& file, size_t at) { file[at] ^= 0x10; }

// A bit inside a resource's data, past its checksum.
std::function<void(std::vector<uint8_t>&)> flipInside(uint32_t type, uint16_t id) {
  return [=](std::vector<uint8_t>& f) { flipBit(f, entryOf(f, type, id).offset + 9); };
}

// A bit of a resource's type in the directory.
std::function<void(std::vector<uint8_t>&)> flipType(uint32_t type, uint16_t id) {
  return [=](std::vector<uint8_t>& f) { flipBit(f, QZ_DB_HEADER_SIZE + 10u * entryOf(f, type, id).extra[0] + 3); };
}

const Damage kDamages[] = {
    {"nothing", [](std::vector<uint8_t>&) {}, Outcome::Kept, true},
    {"a bit of the profile record's type", flipType(kSavedForm, 0), Outcome::ProfileLost, false},
    {"zeros over bytes 72-96", [](std::vector<uint8_t>& f) { std::fill(f.begin() + 72, f.begin() + 96, 0); },
     Outcome::ProfileLost, false},
    {"a bit inside the profile record", flipInside(kSavedForm, 0), Outcome::ProfileLost, false},
    {"a bit of the database name", [](std::vector<uint8_t>& f) { flipBit(f, 1); }, Outcome::ProfileLost, false},
    {"a bit of the creator", [](std::vector<uint8_t>& f) { flipBit(f, 66); }, Outcome::ProfileLost, false},
    {"a bit of the type", [](std::vector<uint8_t>& f) { flipBit(f, 61); }, Outcome::ProfileLost, false},
    {"the header cut short", [](std::vector<uint8_t>& f) { f.resize(60); }, Outcome::ProfileLost, false},
    {"the directory cut short", [](std::vector<uint8_t>& f) { f.resize(QZ_DB_HEADER_SIZE + 15); },
     Outcome::ProfileLost, false},
    {"an offset past the end", [](std::vector<uint8_t>& f) { f[QZ_DB_HEADER_SIZE + 6] = 0x7F; },
     Outcome::ProfileLost, false},
    {"garbage throughout", [](std::vector<uint8_t>& f) { for (size_t i = 0; i < f.size(); ++i) f[i] = static_cast<uint8_t>(i * 37 + 11); },
     Outcome::ProfileLost, false},
    {"a bit inside the saved game", flipInside(kSavedGame, kSavedSlot), Outcome::SavedGameDropped, false},
    {"a bit of the saved game's length", [](std::vector<uint8_t>& f) { flipBit(f, entryOf(f, kSavedGame, kSavedSlot).offset + 5); },
     Outcome::SavedGameDropped, false},
    {"a bit of the saved game's type", flipType(kSavedGame, kSavedSlot), Outcome::PartDropped, false},
    {"a bit inside the title form's record", flipInside(kSavedForm, 1), Outcome::PartDropped, true},
    {"a stray byte after the directory", [](std::vector<uint8_t>& f) {
       const size_t at = QZ_DB_HEADER_SIZE + 10u * base::loadBE16(f.data() + 76) + QZ_DB_GAP_SIZE;
       f.insert(f.begin() + static_cast<std::ptrdiff_t>(at), 0);
       for (size_t e = QZ_DB_HEADER_SIZE + 6; e < at - QZ_DB_GAP_SIZE; e += 10) {
         base::storeBE32(f.data() + e, base::loadBE32(f.data() + e) + 1);
       }
     },
     Outcome::PartDropped, true},
};

class AppSavedDataTest : public InstalledAppTest {
 protected:
  fs::path database() const { return scratchFolder() / "Ann-QZSUser.pdb"; }
  fs::path copy(int n) const { return database().string() + ".damaged." + std::to_string(n); }

  // Ann with 12 games played, trophy 0 and a saved game of type 5, saved by the stop.
  void makeAnn() {
    startWithPlayer();
    CAppUserForm* profile = app_->getUserForm();
    ASSERT_NE(profile, nullptr);
    profile->profile().statistics[0].games = 12;
    profile->profile().trophies[0] = 1;
    {
      StubForm game;  // the form that borrows the graphics goes before the stop
      game.bytes[2] = 0x5A;
      game.setOwner(app_->getFormHandler());
      ASSERT_EQ(game.open(kAppFormGame, 0), 0);
      ASSERT_EQ(profile->storeSavedGame(kSavedSlot, game), 0);
    }
    stop();
  }
  void startAgain() {
    app_ = std::make_unique<InstalledApplication>();
    ASSERT_EQ(app_->init(), 0) << app_->getLastErrorReport();
    frames(1);
  }
  // The text of the players' alert, empty when none is open.
  std::u16string alertText() const {
    const CQZFForm* alert = app_->getFormHandler()->findForm(kAppFormUserAlert);
    const char16_t* text = alert && !alert->isClosed() ? alert->getGadgetText(20) : nullptr;
    return text ? text : u"";
  }
  static std::u16string stringOf(uint16_t id) { return CQZFResourceManager::getStringText(id); }
  static std::u16string told(uint16_t text, const std::u16string& tail) {
    std::u16string t = stringOf(text);
    for (size_t at; (at = t.find(u"#a")) != std::u16string::npos;) t.replace(at, 2, u"Ann");
    return t + u" " + tail;
  }
};

TEST_F(AppSavedDataTest, EachDamageKeepsWhatCouldBeReadKeepsACopyAndIsTold) {
  makeAnn();
  const std::vector<uint8_t> good = readBytes(database());
  ASSERT_GT(good.size(), 96u);
  const std::u16string copyTold = u"A copy of the damaged file is kept as Ann-QZSUser.pdb.damaged.1.";
  for (const Damage& d : kDamages) {
    SCOPED_TRACE(d.what);
    std::vector<uint8_t> damaged = good;
    d.apply(damaged);
    writeBytes(database(), damaged);
    fs::remove(copy(1));
    startAgain();
    // Ann stays the current player, whatever became of her data.
    EXPECT_EQ(app_->getPreferences()->getCurrent(), 0);
    EXPECT_EQ(app_->getPreferences()->getCount(), 1);
    ASSERT_NE(app_->getUserForm(), nullptr);
    const CAppProfile& profile = app_->getUserForm()->profile();
    const bool profileKept = d.outcome != Outcome::ProfileLost;
    EXPECT_EQ(profile.statistics[0].games, profileKept ? 12 : 0);
    EXPECT_EQ(profile.trophies[0], profileKept ? 1 : 0);
    EXPECT_EQ(profile.getSavedGameLength(kSavedSlot) != 0, d.savedGameKept);
    switch (d.outcome) {
      case Outcome::Kept:
        EXPECT_EQ(alertText(), u"");
        EXPECT_FALSE(fs::exists(copy(1)));
        break;
      case Outcome::ProfileLost: EXPECT_EQ(alertText(), told(2031, copyTold)); break;
      case Outcome::PartDropped: EXPECT_EQ(alertText(), told(2032, copyTold)); break;
      case Outcome::SavedGameDropped: EXPECT_EQ(alertText(), told(2033, copyTold)); break;
    }
    if (d.outcome != Outcome::Kept) {
      EXPECT_EQ(readBytes(copy(1)), damaged);
    }
    // The stop saves what was kept; the next start finds it whole.
    stop();
    EXPECT_EQ(fs::exists(copy(2)), false);
  }
}

TEST_F(AppSavedDataTest, ACopyNeverOverwritesAnOlderOne) {
  makeAnn();
  std::vector<uint8_t> damaged = readBytes(database());
  flipInside(kSavedGame, kSavedSlot)(damaged);
  writeBytes(database(), damaged);
  writeBytes(copy(1), {1, 2, 3});
  startAgain();
  EXPECT_NE(alertText().find(u"Ann-QZSUser.pdb.damaged.2."), std::u16string::npos);
  EXPECT_EQ(readBytes(copy(1)), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(readBytes(copy(2)), damaged);
}

TEST_F(AppSavedDataTest, AnotherPlayersDamageIsToldWhenThatPlayerIsChosen) {
  makeAnn();
  startAgain();
  createPlayer(u"Bob");
  stop();
  std::vector<uint8_t> damaged = readBytes(database());
  flipInside(kSavedForm, 0)(damaged);
  writeBytes(database(), damaged);
  startAgain();
  EXPECT_EQ(alertText(), u"");
  app_->users().requestLoadUser(0, kAppFormTitle);
  frames(2);
  EXPECT_EQ(app_->getPreferences()->getCurrent(), 0);
  EXPECT_EQ(alertText(), told(2031, u"A copy of the damaged file is kept as Ann-QZSUser.pdb.damaged.1."));
  EXPECT_EQ(readBytes(copy(1)), damaged);
}

// The settings database damaged as a whole or in one block: the players'
// alert tells that settings went back to their defaults and where the copy
// of the damaged file is.
TEST_F(AppSavedDataTest, DamagedSettingsAreToldInThePlayersAlert) {
  const struct {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> apply;
  } kSettingsDamages[] = {
      {"garbage throughout",
       [](std::vector<uint8_t>& f) { for (size_t i = 0; i < f.size(); ++i) f[i] = static_cast<uint8_t>(i * 37 + 11); }},
      {"cut short inside the header", [](std::vector<uint8_t>& f) { f.resize(50); }},
      {"a bit inside the application's block", flipInside(QZPreferencesType(0x7072, true), 0)},
  };
  makeAnn();
  const fs::path settings = scratchFolder() / "Pellwyn-Settings.pdb";
  const std::vector<uint8_t> good = readBytes(settings);
  const std::u16string told = stringOf(2034) + u" " + stringOf(2035);
  for (const auto& d : kSettingsDamages) {
    SCOPED_TRACE(d.what);
    std::vector<uint8_t> damaged = good;
    d.apply(damaged);
    QZClosePreferences();
    writeBytes(settings, damaged);
    fs::remove(settings.string() + ".damaged.1");
    openPreferences();
    startAgain();
    std::u16string expected = told;
    expected.replace(expected.find(u"#b"), 2, u"Pellwyn-Settings.pdb.damaged.1");
    EXPECT_EQ(alertText(), expected);
    EXPECT_EQ(readBytes(settings.string() + ".damaged.1"), damaged);
    stop();
    writeBytes(settings, good);
  }
}

// Saves that fail on the way to the disk: the player hears of it, the
// program goes on, and the file holds what was saved before.
TEST_F(AppSavedDataTest, AFailedSaveIsToldAndKeepsTheOldFile) {
  struct Fault {
    wince::AtomicWriteStep step;
    int error;
  };
  const Fault kFaults[] = {{wince::AtomicWriteStep::Write, ENOSPC},
                           {wince::AtomicWriteStep::Flush, EIO},
                           {wince::AtomicWriteStep::Rename, EIO}};
  makeAnn();
  startAgain();
  const std::vector<uint8_t> before = readBytes(database());
  for (const Fault& f : kFaults) {
    SCOPED_TRACE(static_cast<int>(f.step));
    app_->getUserForm()->profile().statistics[0].games = 40;
    wince::setAtomicWriteFaultForTest(f.step, f.error);
    EXPECT_LT(app_->getUserForm()->saveProfile(0), 0);
    wince::setAtomicWriteFaultForTest(f.step, 0);
    frames(1);
    EXPECT_EQ(alertText(), stringOf(2037));
    EXPECT_EQ(readBytes(database()), before);
    app_->getFormHandler()->closeForm(kAppFormUserAlert);
    frames(1);
  }
  // Told once per failure, not again while nothing fails.
  EXPECT_EQ(alertText(), u"");
  EXPECT_EQ(app_->getUserForm()->saveProfile(0), 0);
  frames(1);
  EXPECT_EQ(alertText(), u"");
}

// A save that fails while the program stops is told in a message box (the
// players' alert has no next frame to show in); the old file stays.
TEST_F(AppSavedDataTest, ASaveThatFailsAtTheStopIsToldInAMessageBox) {
  makeAnn();
  startAgain();
  const std::vector<uint8_t> saved = readBytes(database());
  app_->getUserForm()->profile().statistics[0].games = 40;
  std::vector<wince::ModalKind> modals;
  wince::setModalHook([&modals](HWND window, wince::ModalKind kind) {
    modals.push_back(kind);
    wince::endModalLoop(window, IDOK);
  });
  const size_t before = wince::messageBoxLog().size();
  wince::setAtomicWriteFaultForTest(wince::AtomicWriteStep::Write, ENOSPC);
  app_->shutdown();
  wince::setAtomicWriteFaultForTest(wince::AtomicWriteStep::Write, 0);
  app_.reset();
  wince::setModalHook(nullptr);
  EXPECT_EQ(modals, std::vector<wince::ModalKind>{wince::ModalKind::MessageBox});
  ASSERT_EQ(wince::messageBoxLog().size(), before + 1);
  EXPECT_EQ(wince::messageBoxLog().back().text, stringOf(2037));
  EXPECT_EQ(wince::messageBoxLog().back().answer, IDOK);
  EXPECT_EQ(readBytes(database()), saved);
}

}  // namespace
