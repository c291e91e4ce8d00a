// Wave output: the waveOut calls of the handheld OS. A stream plays through
// SDL2 audio on the desktop, through a silent device that consumes buffers in
// real time where no audio device exists, or into a WAV file (the capture
// device, for tests). Completion callbacks run on a runtime thread with no
// runtime lock held, never inside the audio device's own callback, and may
// re-enter waveOutUnprepareHeader, waveOutPrepareHeader and waveOutWrite.
#pragma once

#include "wince/types.h"

#define WAVE_FORMAT_PCM 1
#define WAVE_MAPPER (static_cast<UINT>(-1))

#define CALLBACK_NULL 0x00000000u
#define CALLBACK_FUNCTION 0x00030000u

#define WOM_OPEN 0x3BB
#define WOM_CLOSE 0x3BC
#define WOM_DONE 0x3BD

#define WHDR_DONE 0x00000001u
#define WHDR_PREPARED 0x00000002u
#define WHDR_BEGINLOOP 0x00000004u
#define WHDR_ENDLOOP 0x00000008u
#define WHDR_INQUEUE 0x00000010u

#define MMSYSERR_NOERROR 0
#define MMSYSERR_ERROR 1
#define MMSYSERR_BADDEVICEID 2
#define MMSYSERR_INVALHANDLE 5
#define MMSYSERR_NODRIVER 6
#define MMSYSERR_NOMEM 7
#define MMSYSERR_INVALFLAG 10
#define MMSYSERR_INVALPARAM 11
#define WAVERR_BADFORMAT 32
#define WAVERR_STILLPLAYING 33
#define WAVERR_UNPREPARED 34

typedef struct tWAVEFORMATEX {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
  WORD wBitsPerSample;
  WORD cbSize;
} WAVEFORMATEX, *LPWAVEFORMATEX;
typedef const WAVEFORMATEX* LPCWAVEFORMATEX;

typedef struct wavehdr_tag {
  LPSTR lpData;
  DWORD dwBufferLength;
  DWORD dwBytesRecorded;
  DWORD_PTR dwUser;
  DWORD dwFlags;
  DWORD dwLoops;
  struct wavehdr_tag* lpNext;
  DWORD_PTR reserved;
} WAVEHDR, *LPWAVEHDR;

typedef HWAVEOUT* LPHWAVEOUT;
typedef void(CALLBACK* LPWAVECALLBACK)(HWAVEOUT hwo, UINT uMsg, DWORD_PTR dwInstance, DWORD_PTR dwParam1,
                                       DWORD_PTR dwParam2);

UINT waveOutGetNumDevs();
MMRESULT waveOutOpen(LPHWAVEOUT phwo, UINT uDeviceID, LPCWAVEFORMATEX pwfx, DWORD_PTR dwCallback,
                     DWORD_PTR dwInstance, DWORD fdwOpen);
// Fails with WAVERR_STILLPLAYING while buffers are queued; sends WOM_CLOSE.
MMRESULT waveOutClose(HWAVEOUT hwo);
MMRESULT waveOutPrepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh);
// Fails with WAVERR_STILLPLAYING for a queued header.
MMRESULT waveOutUnprepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh);
// Queues in order; clears WHDR_DONE and sets WHDR_INQUEUE. When the buffer
// has played, WHDR_DONE is set, WHDR_INQUEUE cleared and WOM_DONE sent with
// the header as dwParam1.
MMRESULT waveOutWrite(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh);
MMRESULT waveOutPause(HWAVEOUT hwo);
MMRESULT waveOutRestart(HWAVEOUT hwo);
// Stops playback and returns every queued buffer: all their WOM_DONE
// callbacks have run when it returns.
MMRESULT waveOutReset(HWAVEOUT hwo);
// The output volume, one for the whole device as the system keeps it: the
// low word is the left channel, the high word the right, each from 0
// (silent) to 0xFFFF (full, the level at start). Every stream is scaled by it
// as it plays, whatever its back end; a mono stream plays at the left level.
// hwo is null (device 0) or an open stream, which addresses its device.
MMRESULT waveOutGetVolume(HWAVEOUT hwo, LPDWORD pdwVolume);
MMRESULT waveOutSetVolume(HWAVEOUT hwo, DWORD dwVolume);
