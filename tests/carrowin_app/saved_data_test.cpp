// What the player keeps and is told when the saved data is damaged or
// cannot be written: a damaged registry file loses only its damaged lines,
// and a save that fails is told while the old data stays whole.
#include <cerrno>
#include <fstream>
#include <iterator>
#include <sstream>

#include "carrowin_app_fixture.h"
#include "sol_statistics.h"
#include "wince/host/file.h"
#include "wince/host/shell.h"
#include "wince/host/text.h"

namespace {

namespace fs = std::filesystem;

class SavedDataTest : public CarrowinAppTest {
 protected:
  void TearDown() override {
    wince::setAtomicWriteFaultForTest(wince::AtomicWriteStep::Write, 0);
    CarrowinAppTest::TearDown();
  }

  // Message boxes get `answer`; their texts are kept in `told`.
  void AnswerBoxes(int boxAnswer) {
    wince::setModalHook([this, boxAnswer](HWND window, wince::ModalKind kind) {
      if (kind != wince::ModalKind::MessageBox) return;
      told.push_back(wince::messageBoxLog().back().text);
      wince::endModalLoop(window, boxAnswer);
    });
  }

  // Klondike One Card, tapped, a few turns of the stock into it.
  void PlaySome(uint32_t game) {
    Deal(kSolTapping, game);
    for (int i = 0; i < 3; ++i) {
      SolViewCommandList commands;
      ASSERT_TRUE(Field().TapPile(0, commands));
    }
  }

  static std::string FileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static bool Mentions(const std::u16string& text, const std::u16string& part) {
    return text.find(part) != std::u16string::npos;
  }

  std::vector<std::u16string> told;
};

TEST_F(SavedDataTest, ADamagedRegistryLosesOnlyItsDamagedLinesAndThePlayerIsTold) {
  struct Case {
    const char* damage;
    std::function<std::string(const std::string&)> apply;
    const char16_t* message;  // a part of what the player is told; null: nothing is told
  };
  const Case cases[] = {
      {"the final line end cut off", [](const std::string& t) { return t.substr(0, t.size() - 1); }, nullptr},
      {"the card back's value damaged",
       [](const std::string& t) {
         const std::string value = "\"cardBack\" dword 0x";
         std::string out = t;
         return out.replace(out.find(value), value.size(), "\"cardBack\" dword 0y");
       },
       u"1 damaged line(s) were left out, and everything else was kept.\nA copy of the damaged file is kept as "
       u"\\registry.txt.damaged.1."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.damage);
    Stop();
    std::error_code ignored;
    fs::remove(wince::registryFilePath().string() + ".damaged.1", ignored);
    fs::remove(wince::registryFilePath(), ignored);
    wince::reloadRegistry();
    Start();
    PlaySome(4);
    Main().Options().bgColor = 0x804000;
    Main().Options().cardBack = 2;
    const size_t history = Rules().History()->Count();
    const std::vector<SolCardState> cards = Rules().Cards();
    Stop();
    const std::string damaged = c.apply(FileText(wince::registryFilePath()));
    WriteText(wince::registryFilePath(), damaged);
    wince::reloadRegistry();
    const size_t logged = wince::messageBoxLog().size();
    Start();
    const std::vector<wince::MessageBoxRecord> shown(wince::messageBoxLog().begin() + static_cast<long>(logged),
                                                     wince::messageBoxLog().end());
    // The game and the other options are all there.
    EXPECT_EQ(Rules().History()->Count(), history);
    for (size_t i = 0; i < cards.size(); ++i) EXPECT_EQ(Rules().Cards()[i].pile, cards[i].pile);
    EXPECT_EQ(Main().Options().bgColor, 0x804000u);
    if (!c.message) {
      EXPECT_TRUE(shown.empty());
      EXPECT_EQ(Main().Options().cardBack, 2u);
      EXPECT_FALSE(fs::exists(wince::registryFilePath().string() + ".damaged.1"));
      continue;
    }
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(Mentions(shown[0].text, c.message)) << wince::wideToUtf8(shown[0].text);
    EXPECT_EQ(Main().Options().cardBack, 0u);  // the damaged value takes its default
    EXPECT_EQ(FileText(wince::registryFilePath().string() + ".damaged.1"), damaged);
  }
}

TEST_F(SavedDataTest, ASaveThatFailsAtTheCloseAsksWhetherToQuitAndTheOldDataStaysWhole) {
  PlaySome(4);
  Restart();
  SolViewCommandList commands;
  ASSERT_TRUE(Field().TapPile(0, commands));
  const std::string before = FileText(wince::registryFilePath());
  const struct {
    wince::AtomicWriteStep step;
    int error;
  } faults[] = {{wince::AtomicWriteStep::Write, ENOSPC},
                {wince::AtomicWriteStep::Flush, EIO},
                {wince::AtomicWriteStep::Rename, EIO}};
  // No: the program keeps running, and the game goes on.
  AnswerBoxes(IDNO);
  for (const auto& fault : faults) {
    wince::setAtomicWriteFaultForTest(fault.step, fault.error);
    told.clear();
    wince::injectClose();
    wince::dispatchPending();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(Mentions(told[0], u"could not be saved")) << wince::wideToUtf8(told[0]);
    EXPECT_TRUE(Mentions(told[0], u"Quit anyway?"));
    ASSERT_TRUE(::IsWindow(Main().m_hWnd));
    EXPECT_EQ(FileText(wince::registryFilePath()), before);
    EXPECT_FALSE(fs::exists(wince::temporaryFileFor(wince::registryFilePath())));
  }
  EXPECT_TRUE(Field().TapPile(0, commands));
  // Yes: it ends, the file as it was.
  AnswerBoxes(IDYES);
  told.clear();
  wince::injectClose();
  wince::dispatchPending();
  EXPECT_EQ(told.size(), 1u);
  EXPECT_FALSE(Main().m_hWnd && ::IsWindow(Main().m_hWnd));
  EXPECT_EQ(FileText(wince::registryFilePath()), before);
}

TEST_F(SavedDataTest, ASaveThatFailsDuringPlayIsToldAndPlayGoesOn) {
  PlaySome(4);
  AnswerBoxes(IDOK);
  wince::setAtomicWriteFaultForTest(wince::AtomicWriteStep::Write, ENOSPC);
  Command(kSolCmdNewGame);  // books the game given up: a statistics write
  ASSERT_EQ(told.size(), 1u);
  EXPECT_TRUE(Mentions(told[0], u"Your progress could not be saved")) << wince::wideToUtf8(told[0]);
  EXPECT_EQ(Rules().History()->Count(), 0u);  // the new deal is there
  Command(kSolCmdNewGame);
  EXPECT_EQ(told.size(), 2u);
  wince::setAtomicWriteFaultForTest(wince::AtomicWriteStep::Write, 0);
  Command(kSolCmdNewGame);
  EXPECT_EQ(told.size(), 2u);
  EXPECT_EQ(SolStatistics::Load(Main().GameName(), Rules().Name().c_str()).played, 1);
}

}  // namespace
