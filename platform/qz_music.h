// The music interface: one song player, the music volume and a mute flag.
// Songs are read from the preferred song folder, else from the install folder.
#pragma once

#include <string>

class AuSong;
class AuSongPlayer;

// The preferred song folder (empty: none).
void QZSetSongFolder(const std::string& folder);
// The install folder, as the registry's InstallDir value gives it; the
// start-up sets it.
void QZSetInstallFolder(const std::string& folder);

int QZLoadSong(AuSong* song, const std::string& name);
int QZLoadS3MSong(AuSong* song, const std::string& name);
int QZLoadITSong(AuSong* song, const std::string& name);
// Attaches the song (null: none) to the player on the audio device.
int QZPlaySong(AuSong* song);
// Detaches the player from the device and deletes it.
void QZDeleteSongPlayer();

void QZSetMusicVolume(int volume);
void QZSetMusicMute(bool mute);
int QZGetMusicVolume();
bool QZGetMusicMute();
AuSongPlayer* QZGetSongPlayer();
bool QZIsSongLoaded();
int QZGetEffectiveMusicVolume();
