#include "qz_music.h"

#include <memory>

#include "qz_audio_waveout.h"
#include "qz_song.h"
#include "qz_song_player.h"
#include "qz_sound.h"
#include "wince/registry.h"
#include "wince/system.h"

namespace {

struct MusicState {
  std::unique_ptr<AuSongPlayer> player;
  int volume = 256;
  bool mute = false;
  std::u16string songFolder;
  std::u16string programKey = u"SOFTWARE\\Apps\\Pellwyn";
};

MusicState& music() {
  static MusicState m;
  return m;
}

int playerVolume() {
  const MusicState& m = music();
  return m.mute ? 0 : (m.volume * QZGetEffectVolumeFactor()) >> 8;
}

void makePlayer(AuSong* song) {
  MusicState& m = music();
  if (m.player || !song) return;
  m.player = song->makePlayer();
  m.player->setVolume(playerVolume());
}

int loadFrom(AuSong* song, const std::u16string& folder, const std::u16string& name) {
  return song->load(folder + u"\\" + name);
}

// The InstallDir value of the program's key; empty when missing.
std::u16string installFolder() {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, music().programKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
  WCHAR value[MAX_PATH] = {};
  DWORD size = sizeof value - sizeof(WCHAR);
  DWORD type = 0;
  const LONG result = RegQueryValueEx(key, u"InstallDir", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS && type == REG_SZ ? std::u16string(value) : std::u16string();
}

}  // namespace

void QZSetSongFolder(const std::u16string& folder) { music().songFolder = folder; }

void QZSetProgramKey(const std::u16string& key) { music().programKey = key; }

int QZLoadSong(AuSong* song, const std::u16string& name) {
  if (!song) return -1;
  makePlayer(song);
  const MusicState& m = music();
  if (!m.songFolder.empty() && loadFrom(song, m.songFolder, name) == 0) return 0;
  return loadFrom(song, installFolder(), name);
}

int QZLoadS3MSong(AuSong* song, const std::u16string& name) { return QZLoadSong(song, name); }

int QZLoadITSong(AuSong* song, const std::u16string& name) { return QZLoadSong(song, name); }

int QZPlaySong(AuSong* song) {
  MusicState& m = music();
  makePlayer(song);
  if (!m.player) return -1;
  // The old song is no longer used once this returns: the detach runs under
  // the device lock, which the mixer holds while it calls the player.
  m.player->attachSong(nullptr);
  m.player->attachSong(song);
  m.player->setFirstVoice(4);
  if (AuWin32AudioDevice* device = QZGetAudioDevice()) {
    device->stopAll();
    m.player->attachDevice(device);
  }
  return 0;
}

void QZDeleteSongPlayer() { music().player.reset(); }

void QZSetMusicVolume(int volume) {
  MusicState& m = music();
  m.volume = volume;
  if (m.player) m.player->setVolume(playerVolume());
}

void QZSetMusicMute(bool mute) {
  music().mute = mute;
  QZSetMusicVolume(music().volume);
}

int QZGetMusicVolume() { return music().volume; }

bool QZGetMusicMute() { return music().mute; }

AuSongPlayer* QZGetSongPlayer() { return music().player.get(); }

bool QZIsSongLoaded() {
  const MusicState& m = music();
  return m.player && m.player->getSong() && m.player->getSong()->isLoaded();
}

int QZGetEffectiveMusicVolume() { return music().mute ? 0 : music().volume; }
