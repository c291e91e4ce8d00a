// The music interface: one song player, the music volume and a mute flag.
// Songs are read from the preferred song folder, else from the install folder.
#pragma once

#include <string>

class AuSong;
class AuSongPlayer;

// The preferred song folder, a device path (empty: none).
void QZSetSongFolder(const std::u16string& folder);
// The program's key under HKEY_LOCAL_MACHINE, whose InstallDir value names
// the install folder ("SOFTWARE\Apps\Pellwyn" until the start-up sets it).
void QZSetProgramKey(const std::u16string& key);

// `name` is the file name with its extension.
int QZLoadSong(AuSong* song, const std::u16string& name);
int QZLoadS3MSong(AuSong* song, const std::u16string& name);
int QZLoadITSong(AuSong* song, const std::u16string& name);
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
