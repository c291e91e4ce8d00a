// The title screen with all of the built data: the names of the game in
// front and of the player, the facts the fader draws in each language, and
// the title song, which plays while the title is open at the music's volume
// and mute, with the sound form's music controls beside it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_dial.h"
#include "app_form_soundsettings.h"
#include "app_form_title.h"
#include "app_installed_fixture.h"
#include "app_stats_fader.h"
#include "app_value_tables.h"
#include "qz_audio_waveout.h"
#include "qz_music.h"
#include "qz_plane.h"
#include "qz_screen.h"
#include "qz_song_player.h"
#include "qz_sound.h"
#include "qzf_audio.h"
#include "qzf_font_manager.h"
#include "qzf_gadget_event.h"
#include "qzf_graphics.h"
#include "wince/host/audio.h"

namespace {

class AppTitleTest : public InstalledAppTest {
 protected:
  CAppTitleForm* title() const { return dynamic_cast<CAppTitleForm*>(app_->getFormHandler()->findForm(1000)); }
  std::u16string gadgetText(uint16_t id) const {
    const char16_t* text = title()->getGadgetText(id);
    return text ? text : u"(none)";
  }
  CQZFAudioManager& audio() const { return *app_->getAudioManager(); }
  static int playerVolume(int musicVolume) { return (musicVolume * QZGetEffectVolumeFactor()) >> 8; }
  // Whether the title song is on the song player.
  bool songPlays() const {
    const AuSongPlayer* player = QZGetSongPlayer();
    return player && audio().getSong() && player->getSong() == audio().getSong();
  }
};

}  // namespace

TEST_F(AppTitleTest, TheTitleNamesTheGameInFrontAndThePlayer) {
  startWithPlayer();
  ASSERT_NE(title(), nullptr);
  EXPECT_EQ(gadgetText(CAppTitleForm::kGameName), u"Klondike");
  EXPECT_EQ(gadgetText(CAppTitleForm::kPlayerName), u"Ann");
  // The name follows the dial as soon as it turns (once the intro spin rests).
  for (int i = 0; i < 200 && (title()->dial()->isTurning() || title()->dial()->isIntroRunning()); ++i) {
    wince::advanceClock(20);
    frames(1);
  }
  static_cast<void>(title()->onKey(QZFKeyEvent::key(kQZFKeyRight)));
  EXPECT_EQ(gadgetText(CAppTitleForm::kGameName), u"Pyramid");
}

// What the fader draws on a line, at its place: the same pixels as the
// heading and the fact drawn there by the font manager.
TEST_F(AppTitleTest, TheFaderDrawsEachLinesHeadingAndFactInTheLanguage) {
  struct Case {
    uint16_t language;
    int32_t gameType;
    int line;
    const char16_t* heading;
    const char16_t* fact;
  };
  const Case cases[] = {
      {1033, 1, 0, u"Difficulty:", u"Medium"},
      {1033, 5, 1, u"Game length:", u"Short"},
      {1031, 6, 3, u"Gewinnchance:", u"Sehr gering"},
      {1036, 4, 2, u"Part de chance :", u"Faible"},
      {1034, 2, 2, u"Suerte:", u"Muy baja"},
      {1040, 8, 1, u"Durata:", u"Molto breve"},
  };
  startWithPlayer();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.language << " game " << c.gameType << " line " << c.line);
    setLanguage(c.language);
    CAppStatsFader fader(app_->getUserForm());
    ASSERT_EQ(fader.init(c.gameType), 0);
    // Frames of a fifth of a second until the line stands at full level.
    for (int i = 0; i < 200 && !(fader.getLine() == c.line && fader.getLevel() == 255); ++i) {
      wince::advanceClock(200);
      fader.update();
    }
    ASSERT_EQ(fader.getLine(), c.line);
    ASSERT_EQ(fader.getLevel(), 255);

    CQZFGraphics& g = *app_->getGraphics();
    const auto values = app_->getCurrentValueTable();
    const QZRect area{values[kAppValueFaderX], values[kAppValueFaderY], values[kAppValueFaderWidth],
                      static_cast<int16_t>(values[kAppValueFaderHeight] + values[kAppValueFaderLineGap])};
    // A ground of one colour, the text drawn on it.
    constexpr uint16_t kGround = 0x1234;
    const auto picture = [&](auto draw) {
      g.invalidateAll();
      g.fillRect(area.x, area.y, area.w, area.h, 0, 255, kGround);
      draw();
      g.flush();
      std::vector<uint16_t> pixels;
      for (int y = area.y; y < area.y + area.h; ++y) {
        for (int x = area.x; x < area.x + area.w; ++x) pixels.push_back(screenPixel(x, y));
      }
      return pixels;
    };
    const std::vector<uint16_t> drawn = picture([&] { fader.draw(); });
    const std::vector<uint16_t> expected = picture([&] {
      CQZFFontManager& fonts = *app_->getFontManager();
      fonts.drawText(c.heading, area.x, area.y, area.w, 0, CAppStatsFader::kFont, 255);
      fonts.drawText(c.fact, area.x, area.y + values[kAppValueFaderLineGap], area.w, 0, CAppStatsFader::kFont, 255);
    });
    EXPECT_NE(std::count(expected.begin(), expected.end(), kGround), static_cast<long>(expected.size()))
        << "no text drawn";
    EXPECT_EQ(drawn, expected);
  }
}

TEST_F(AppTitleTest, TheTitleSongPlaysAtTheMusicVolumeWhileTheTitleIsOpen) {
  startWithPlayer();
  ASSERT_NE(audio().getSong(), nullptr) << "no title song";
  EXPECT_TRUE(songPlays());
  AuSongPlayer* player = QZGetSongPlayer();
  wince::captureWaveOut(QZGetAudioDevice()->getWaveOut(), 6000);
  bool sounding = false;
  for (int v = 4; v < 32; ++v) sounding = sounding || !QZGetAudioDevice()->mixer().voice(v).isSilent();
  EXPECT_TRUE(sounding);
  audio().setMusicVolume(128);
  EXPECT_EQ(player->getVolume(), playerVolume(128));
  audio().setMusicMuted(true);
  EXPECT_EQ(player->getVolume(), 0);
  audio().setMusicMuted(false);
  EXPECT_EQ(player->getVolume(), playerVolume(128));
  // A game takes the title's place: the song stops, and comes back with the title.
  app_->startChosenGame();
  frames(1);
  ASSERT_EQ(title(), nullptr);
  EXPECT_FALSE(songPlays());
  ASSERT_EQ(app_->openForm(1000, kAppTagTitle, 0), 0);
  EXPECT_TRUE(songPlays());
}

TEST_F(AppTitleTest, MusicSwitchedOffStaysSilentFromTheStart) {
  QZGetSystemPreferences().musicOff = 1;
  startWithPlayer();
  EXPECT_TRUE(songPlays());
  EXPECT_EQ(QZGetSongPlayer()->getVolume(), 0);
  audio().setMusicMuted(false);
  EXPECT_EQ(QZGetSongPlayer()->getVolume(), playerVolume(audio().getMusicVolume()));
}

TEST_F(AppTitleTest, TheSoundFormOffersTheMusicsVolumeAndMute) {
  startWithPlayer();
  audio().setMusicVolume(256);
  audio().setMusicMuted(true);
  ASSERT_EQ(app_->onMenuCommand(1004, 1), 1);
  CQZFForm* sound = app_->getFormHandler()->findForm(1040);
  ASSERT_NE(sound, nullptr);
  for (uint16_t id : {1044, 1045, 1046}) EXPECT_NE(sound->getGadget(id), nullptr) << id;
  EXPECT_EQ(sound->getGadgetValue(CAppSoundSettingsForm::kMusicVolume), 50);
  EXPECT_EQ(sound->getGadgetValue(CAppSoundSettingsForm::kMusicMuted), 1);
  CQZFGadgetEvent unmute;
  unmute.gadgetId = CAppSoundSettingsForm::kMusicMuted;
  unmute.type = kQZFEventCheckbox;
  unmute.checked = 0;
  static_cast<void>(sound->onGadgetEvent(unmute));
  CQZFGadgetEvent slide;
  slide.gadgetId = CAppSoundSettingsForm::kMusicVolume;
  slide.type = kQZFEventSliderbar;
  slide.value = 25;
  static_cast<void>(sound->onGadgetEvent(slide));
  EXPECT_EQ(audio().getMusicVolume(), 128);
  EXPECT_FALSE(audio().isMusicMuted());
  EXPECT_EQ(QZGetSongPlayer()->getVolume(), playerVolume(128));
  // The title below still plays its song.
  EXPECT_TRUE(songPlays());
}
