#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "../common/wait_until.h"
#include "wince/audio.h"
#include "wince/host/audio.h"

namespace {

struct Log {
  std::mutex lock;
  std::condition_variable changed;
  std::vector<UINT> messages;
  std::vector<LPWAVEHDR> done;
  std::vector<DWORD> flagsAtDone;
  std::thread::id thread;
  HWAVEOUT refillOn = nullptr;  // when set, WOM_DONE rewrites the header
  int refills = 0;
};

void CALLBACK record(HWAVEOUT hwo, UINT msg, DWORD_PTR instance, DWORD_PTR p1, DWORD_PTR) {
  Log& log = *reinterpret_cast<Log*>(instance);
  auto* header = reinterpret_cast<LPWAVEHDR>(p1);
  if (msg == WOM_DONE && log.refillOn && log.refills > 0) {
    --log.refills;
    EXPECT_EQ(waveOutUnprepareHeader(hwo, header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutPrepareHeader(hwo, header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutWrite(hwo, header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  }
  std::lock_guard<std::mutex> guard(log.lock);
  log.messages.push_back(msg);
  if (msg == WOM_DONE) {
    log.done.push_back(header);
    log.flagsAtDone.push_back(header->dwFlags);
    log.thread = std::this_thread::get_id();
  }
  log.changed.notify_all();
}

WAVEFORMATEX stereo16(DWORD rate = 22050) {
  return WAVEFORMATEX{WAVE_FORMAT_PCM, 2, rate, rate * 4, 4, 16, 0};
}

class WaveOut : public ::testing::Test {
 protected:
  void SetUp() override {
    path = std::string(PELLWYN_TEST_TMP) + "/capture-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".wav";
    std::system(("mkdir -p " + std::string(PELLWYN_TEST_TMP)).c_str());
    wince::selectWaveOutBackend(wince::WaveOutBackend::Capture, path);
    const WAVEFORMATEX f = stereo16();
    ASSERT_EQ(waveOutOpen(&hwo, 0, &f, reinterpret_cast<DWORD_PTR>(&record), reinterpret_cast<DWORD_PTR>(&log),
                          CALLBACK_FUNCTION),
              MMSYSERR_NOERROR);
    for (int i = 0; i < 2; ++i) {
      data[i].assign(400, static_cast<char>(i + 1));
      headers[i] = WAVEHDR{};
      headers[i].lpData = data[i].data();
      headers[i].dwBufferLength = 400;
    }
  }
  void TearDown() override {
    if (hwo) {
      waveOutReset(hwo);
      EXPECT_EQ(waveOutClose(hwo), MMSYSERR_NOERROR);
    }
    wince::selectWaveOutBackend(wince::WaveOutBackend::Automatic);
    waveOutSetVolume(nullptr, 0xFFFFFFFF);
  }
  void queue(int i) {
    ASSERT_EQ(waveOutPrepareHeader(hwo, &headers[i], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    ASSERT_EQ(waveOutWrite(hwo, &headers[i], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  }
  std::vector<uint8_t> captured() {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  std::string path;
  Log log;
  HWAVEOUT hwo = nullptr;
  std::vector<char> data[2];
  WAVEHDR headers[2];
};

TEST_F(WaveOut, BuffersPlayInOrderAndComeBackDone) {
  queue(0);
  queue(1);
  EXPECT_EQ(headers[0].dwFlags & (WHDR_DONE | WHDR_INQUEUE), WHDR_INQUEUE);
  EXPECT_EQ(waveOutUnprepareHeader(hwo, &headers[0], sizeof(WAVEHDR)), WAVERR_STILLPLAYING);
  EXPECT_EQ(waveOutClose(hwo), WAVERR_STILLPLAYING);
  EXPECT_STREQ(wince::waveOutBackendName(hwo), "capture");
  EXPECT_EQ(wince::waveOutBackendName(nullptr), nullptr);
  EXPECT_EQ(wince::captureWaveOut(hwo, 150), 150u);  // the first buffer and half the second
  ASSERT_EQ(log.done.size(), 1u);
  EXPECT_EQ(log.done[0], &headers[0]);
  EXPECT_EQ(log.flagsAtDone[0], WHDR_DONE | WHDR_PREPARED);
  EXPECT_NE(log.thread, std::this_thread::get_id());
  EXPECT_EQ(wince::captureWaveOut(hwo, 100), 50u);  // the queue runs dry
  ASSERT_EQ(log.done.size(), 2u);
  EXPECT_EQ(log.done[1], &headers[1]);
  EXPECT_EQ(waveOutUnprepareHeader(hwo, &headers[0], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  EXPECT_EQ(waveOutClose(hwo), MMSYSERR_NOERROR);
  hwo = nullptr;
  EXPECT_EQ(log.messages.front(), static_cast<UINT>(WOM_OPEN));
  EXPECT_EQ(log.messages.back(), static_cast<UINT>(WOM_CLOSE));
  const std::vector<uint8_t> wav = captured();
  ASSERT_EQ(wav.size(), 44u + 800);
  EXPECT_EQ(std::memcmp(wav.data(), "RIFF", 4), 0);
  EXPECT_EQ(wav[40] | (wav[41] << 8), 800);
  EXPECT_EQ(wav[44], 1);
  EXPECT_EQ(wav[44 + 400], 2);
}

TEST_F(WaveOut, CallbackMayRequeueItsBuffer) {
  log.refillOn = hwo;
  log.refills = 3;
  queue(0);
  EXPECT_EQ(wince::captureWaveOut(hwo, 1000), 400u);
  EXPECT_EQ(log.done.size(), 4u);
  EXPECT_EQ(captured().size(), 44u + 1600);
}

TEST_F(WaveOut, ResetReturnsEveryQueuedBufferBeforeReturning) {
  queue(0);
  queue(1);
  EXPECT_EQ(waveOutReset(hwo), MMSYSERR_NOERROR);
  EXPECT_EQ(log.done.size(), 2u);
  EXPECT_TRUE(headers[1].dwFlags & WHDR_DONE);
  EXPECT_FALSE(headers[1].dwFlags & WHDR_INQUEUE);
  EXPECT_EQ(wince::captureWaveOut(hwo, 100), 0u);
}

TEST_F(WaveOut, PauseHoldsTheQueue) {
  queue(0);
  EXPECT_EQ(waveOutPause(hwo), MMSYSERR_NOERROR);
  EXPECT_EQ(wince::captureWaveOut(hwo, 100), 0u);
  EXPECT_EQ(waveOutRestart(hwo), MMSYSERR_NOERROR);
  EXPECT_EQ(wince::captureWaveOut(hwo, 100), 100u);
}

TEST_F(WaveOut, RefusesBadCalls) {
  WAVEHDR loose{};
  loose.lpData = data[0].data();
  loose.dwBufferLength = 4;
  EXPECT_EQ(waveOutWrite(hwo, &loose, sizeof(WAVEHDR)), WAVERR_UNPREPARED);
  EXPECT_EQ(waveOutPrepareHeader(hwo, &loose, 4), MMSYSERR_INVALPARAM);
  EXPECT_EQ(waveOutWrite(nullptr, &loose, sizeof(WAVEHDR)), MMSYSERR_INVALHANDLE);
  HWAVEOUT other = nullptr;
  WAVEFORMATEX bad = stereo16();
  bad.nBlockAlign = 3;
  EXPECT_EQ(waveOutOpen(&other, 0, &bad, 0, 0, CALLBACK_NULL), WAVERR_BADFORMAT);
  const WAVEFORMATEX good = stereo16();
  EXPECT_EQ(waveOutOpen(&other, 5, &good, 0, 0, CALLBACK_NULL), MMSYSERR_BADDEVICEID);
  wince::setWaveOutDeviceCount(0);
  EXPECT_EQ(waveOutGetNumDevs(), 0u);
  EXPECT_NE(waveOutOpen(&other, 0, &good, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
  EXPECT_EQ(waveOutOpen(&other, WAVE_MAPPER, &good, 0, 0, CALLBACK_NULL), MMSYSERR_NODRIVER);
  wince::setWaveOutDeviceCount(1);
}

TEST_F(WaveOut, VolumeIsOneForTheDevice) {
  DWORD v = 0;
  ASSERT_EQ(waveOutGetVolume(nullptr, &v), MMSYSERR_NOERROR);
  EXPECT_EQ(v, 0xFFFFFFFFu);  // full at start
  ASSERT_EQ(waveOutSetVolume(nullptr, 0x12345678), MMSYSERR_NOERROR);
  ASSERT_EQ(waveOutGetVolume(hwo, &v), MMSYSERR_NOERROR);  // a stream reads its device's
  EXPECT_EQ(v, 0x12345678u);
  ASSERT_EQ(waveOutSetVolume(hwo, 0x00FF0000), MMSYSERR_NOERROR);
  ASSERT_EQ(waveOutGetVolume(nullptr, &v), MMSYSERR_NOERROR);
  EXPECT_EQ(v, 0x00FF0000u);

  const auto stale = reinterpret_cast<HWAVEOUT>(0x57A0001);
  EXPECT_EQ(waveOutGetVolume(stale, &v), MMSYSERR_INVALHANDLE);
  EXPECT_EQ(waveOutSetVolume(stale, 0), MMSYSERR_INVALHANDLE);
  EXPECT_EQ(waveOutGetVolume(nullptr, nullptr), MMSYSERR_INVALPARAM);
  wince::setWaveOutDeviceCount(0);
  EXPECT_EQ(waveOutGetVolume(nullptr, &v), MMSYSERR_BADDEVICEID);
  EXPECT_EQ(waveOutSetVolume(nullptr, 0), MMSYSERR_BADDEVICEID);
  wince::setWaveOutDeviceCount(1);
  ASSERT_EQ(waveOutGetVolume(nullptr, &v), MMSYSERR_NOERROR);
  EXPECT_EQ(v, 0x00FF0000u);
}

int16_t sampleAt(const std::vector<uint8_t>& wav, size_t index) {
  return static_cast<int16_t>(wav[44 + 2 * index] | (wav[45 + 2 * index] << 8));
}

// What plays is scaled, channel by channel, by the volume at the time it
// plays; the program's own buffer keeps its samples.
TEST_F(WaveOut, CaptureIsScaledByTheVolumeAsItPlays) {
  std::vector<int16_t> pcm;
  for (int i = 0; i < 100; ++i) pcm.insert(pcm.end(), {20000, -20000});
  std::memcpy(data[0].data(), pcm.data(), 400);
  queue(0);
  ASSERT_EQ(waveOutSetVolume(nullptr, MAKELONG(0x8000, 0x4000)), MMSYSERR_NOERROR);
  EXPECT_EQ(wince::captureWaveOut(hwo, 40), 40u);
  ASSERT_EQ(waveOutSetVolume(nullptr, MAKELONG(0, 0xFFFF)), MMSYSERR_NOERROR);
  EXPECT_EQ(wince::captureWaveOut(hwo, 60), 60u);
  const std::vector<uint8_t> wav = captured();
  ASSERT_EQ(wav.size(), 44u + 400);
  EXPECT_EQ(sampleAt(wav, 0), 10000);  // 20000 * 0x8000 / 0xFFFF
  EXPECT_EQ(sampleAt(wav, 1), -5000);  // -20000 * 0x4000 / 0xFFFF
  EXPECT_EQ(sampleAt(wav, 79), -5000);
  EXPECT_EQ(sampleAt(wav, 80), 0);
  EXPECT_EQ(sampleAt(wav, 81), -20000);
  EXPECT_EQ(std::memcmp(data[0].data(), pcm.data(), 400), 0);
}

// An 8-bit mono stream is scaled around its midpoint, by the left level.
TEST_F(WaveOut, MonoEightBitFollowsTheLeftLevel) {
  ASSERT_EQ(waveOutClose(hwo), MMSYSERR_NOERROR);
  const WAVEFORMATEX mono8{WAVE_FORMAT_PCM, 1, 8000, 8000, 1, 8, 0};
  ASSERT_EQ(waveOutOpen(&hwo, 0, &mono8, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
  const char pcm[] = {static_cast<char>(228), 28, static_cast<char>(128), static_cast<char>(255), 0};
  data[0].assign(pcm, pcm + 5);
  headers[0].dwBufferLength = 5;
  queue(0);
  ASSERT_EQ(waveOutSetVolume(nullptr, MAKELONG(0x8000, 0)), MMSYSERR_NOERROR);
  EXPECT_EQ(wince::captureWaveOut(hwo, 5), 5u);
  const std::vector<uint8_t> wav = captured();
  ASSERT_EQ(wav.size(), 44u + 5);
  EXPECT_EQ(std::vector<uint8_t>(wav.begin() + 44, wav.end()), (std::vector<uint8_t>{178, 78, 128, 191, 64}));
}

// Plays one buffer of silence on a real-time back end and waits for its
// WOM_DONE, which must come from another thread.
void playOneBuffer(const char* expectedBackend, DWORD frames) {
  Log log;
  HWAVEOUT hwo = nullptr;
  const WAVEFORMATEX f = stereo16(22050);
  ASSERT_EQ(waveOutOpen(&hwo, 0, &f, reinterpret_cast<DWORD_PTR>(&record), reinterpret_cast<DWORD_PTR>(&log),
                        CALLBACK_FUNCTION),
            MMSYSERR_NOERROR);
  EXPECT_STREQ(wince::waveOutBackendName(hwo), expectedBackend);
  std::vector<char> pcm(frames * 4);
  WAVEHDR h{};
  h.lpData = pcm.data();
  h.dwBufferLength = static_cast<DWORD>(pcm.size());
  ASSERT_EQ(waveOutPrepareHeader(hwo, &h, sizeof h), MMSYSERR_NOERROR);
  ASSERT_EQ(waveOutWrite(hwo, &h, sizeof h), MMSYSERR_NOERROR);
  {
    std::unique_lock<std::mutex> lock(log.lock);
    ASSERT_TRUE(log.changed.wait_for(lock, test_wait::kHangGuard, [&] { return !log.done.empty(); }));
    EXPECT_NE(log.thread, std::this_thread::get_id());
  }
  EXPECT_EQ(waveOutClose(hwo), MMSYSERR_NOERROR);
}

TEST(WaveOutRealTime, SilentDeviceConsumesBuffersWithoutASoundCard) {
  wince::selectWaveOutBackend(wince::WaveOutBackend::Silent);
  playOneBuffer("silent", 22);  // one millisecond
  wince::selectWaveOutBackend(wince::WaveOutBackend::Automatic);
}

TEST(WaveOutRealTime, PlaysThroughSdlAudio) {
  // SDL's dummy driver consumes audio like a sound card would.
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  wince::selectWaveOutBackend(wince::WaveOutBackend::Automatic);
  playOneBuffer("sdl", 2205);
  unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
