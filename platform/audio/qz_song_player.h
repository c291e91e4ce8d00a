// Song players: turn a loaded module song into commands for the mixer voices.
// The mixer calls the player once per tick from its render loop (on the audio
// thread, under the device lock); everything the game thread does to a player
// takes the device lock first and the player's lock second.
#pragma once

#include <cstdint>
#include <mutex>

#include "qz_audio_mixer.h"
#include "qz_song.h"

class AuMultichannelAudioDevice;

class AuSongPlayer {
 public:
  static constexpr int kMaxChannels = 64;
  // Voices 0-3 belong to the effects, so at most 28 channels get a voice.
  static constexpr int kMaxMusicChannels = AuMixer::kVoiceCount - 4;

  AuSongPlayer();
  virtual ~AuSongPlayer();
  AuSongPlayer(const AuSongPlayer&) = delete;
  AuSongPlayer& operator=(const AuSongPlayer&) = delete;

  virtual void restart();
  // Installs the player as the mixer's tick callback (null detaches it).
  virtual void attachDevice(AuMultichannelAudioDevice* device);
  virtual void attachSong(AuSong* song);
  void setVolume(int volume);
  int getVolume() const { return m_master; }
  void setFirstVoice(int voice);
  AuSong* getSong() const { return m_song; }

  // The mixer's tick: returns the frames to the next tick.
  int32_t tick(int32_t framesElapsed);
  static int32_t tickCallback(AuMixer* mixer, void* user, int32_t framesElapsed);

  // Position, for tests and tools.
  int getOrder() const { return m_order; }
  int getRow() const { return m_row; }
  int getSpeed() const { return m_speed; }
  int getTempo() const { return m_tempo; }
  int getFramesPerTick() const { return m_framesPerTick; }
  bool isStopped() const { return m_stopped; }

 protected:
  struct Channel {
    int volume = 0;
    uint8_t lastSlide = 0;
    int period = 0;
    int outPeriod = 0;  // period given to the voice (with vibrato)
    int note = 0;
    int octave = 0;
    int instrument = 0;
    int portaTarget = 0;
    int portaSpeed = 0;
    int toneSpeed = 0;
    int vibratoPosition = 0;
    int vibratoSpeed = 0;
    int vibratoDepth = 0;
    uint8_t pan = 0;  // as the file gives it: 0 is left
    uint8_t lastTempoSlide = 0;
    // Impulse Tracker state.
    int voice = -1;
    int sample = 0;
    bool released = true;
    int envelopeTick = 0;
    int envelope = 64;
  };

  // The lock order: the device's first, then the player's.
  class Guard {
   public:
    explicit Guard(AuSongPlayer& player);
    ~Guard();

   private:
    AuSongPlayer& m_player;
  };

  virtual int lastRow() const { return 63; }
  virtual void playNotes(int ch, const AuCell& cell) = 0;
  virtual void tickChannel(int ch, const AuCell& cell, bool firstTick);
  virtual int voiceOf(int ch) const;
  virtual int voiceVolume(const Channel& c) const;
  virtual void slidePeriod(Channel& c, int speed, bool up);
  virtual void tonePortamento(Channel& c);
  virtual void setVibrato(Channel& c, uint8_t info);
  virtual void tempoCommand(Channel& c, uint8_t info, bool firstTick);
  // The channel's pan for the mixer, in half steps (30 is left).
  virtual int voicePan(const Channel& c) const;

  AuMixerVoice* voiceFor(int ch);
  void updateVoice(int ch);
  void startSample(int ch, const AuSampleRecord& s, int period);
  void volumeSlide(Channel& c, uint8_t info, bool firstTick);
  void vibrato(Channel& c);
  void setTempo(int tempo);
  void nextTickLength();
  void playRow();
  void otherTicks();
  void stopSong();
  bool usable() const { return m_song && m_song->isLoaded() && m_mixer; }

  std::recursive_mutex m_lock;
  AuMultichannelAudioDevice* m_device = nullptr;
  AuMixer* m_mixer = nullptr;
  AuSong* m_song = nullptr;
  int m_firstVoice = 4;
  int m_channelCount = 0;
  int m_master = 256;
  int m_order = 0;
  int m_row = 0;
  int m_rows = 64;
  int m_tick = 0;
  int m_framesIntoTick = 0;
  int m_tempo = 125;
  // Frames per tick in 16.16 fixed point, and the fraction of a frame that the
  // ticks so far have carried over: tick lengths alternate between the two
  // whole numbers around the true length, which keeps every tempo's speed.
  int64_t m_tickLength = 441 << 16;
  int64_t m_tickCarry = 0;
  int m_framesPerTick = 441;  // of the current tick
  int m_speed = 6;
  int m_globalVolume = 64;
  bool m_newOrder = false;
  bool m_pending = false;
  int m_targetOrder = 0;
  bool m_stopped = false;  // no playable pattern: the song is silent
  int m_markersSeen = 0;
  AuPatternReader m_reader;
  AuCell m_cells[kMaxChannels];
  Channel m_channels[kMaxChannels];
};

class AuScreamTrackerPlayer : public AuSongPlayer {
 protected:
  void playNotes(int ch, const AuCell& cell) override;
};

class AuImpulseTrackerPlayer : public AuSongPlayer {
 public:
  void restart() override;

 protected:
  int lastRow() const override { return m_rows - 1; }
  void playNotes(int ch, const AuCell& cell) override;
  void tickChannel(int ch, const AuCell& cell, bool firstTick) override;
  int voiceOf(int ch) const override;
  int voiceVolume(const Channel& c) const override;
  void slidePeriod(Channel& c, int speed, bool up) override;
  void tonePortamento(Channel& c) override;
  void setVibrato(Channel& c, uint8_t info) override;
  void tempoCommand(Channel& c, uint8_t info, bool firstTick) override;
  int voicePan(const Channel& c) const override;

 private:
  AuImpulseTrackerSong* song() const { return static_cast<AuImpulseTrackerSong*>(m_song); }
  int allocateVoice(int ch);
  void releaseVoice(int ch, bool end);
  void runEnvelope(Channel& c);
  const AuSampleRecord* sampleOf(int instrument, int note) const;

  bool m_voiceReleased[AuMixer::kVoiceCount] = {};
  bool m_voiceEnded[AuMixer::kVoiceCount] = {};
};
