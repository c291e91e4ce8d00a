// Cross-checks of the song loaders, the players and the sample decoders with
// independent implementations: libxmp, libopenmpt, openmpt123 and ffmpeg, on
// the modules that Debian packages ship. Each check skips with a message when
// its package is missing; the test command installs them all.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "qz_audio_device.h"
#include "qz_sample.h"
#include "qz_song.h"
#include "qz_song_player.h"
#include "song_builder.h"

#if __has_include(<xmp.h>) && __has_include(<libopenmpt/libopenmpt.h>)
#include <libopenmpt/libopenmpt.h>
#include <xmp.h>
#define HAVE_MODULE_HEADERS 1
#endif

namespace {

std::vector<uint8_t> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool exists(const std::string& path) { return std::ifstream(path).good(); }

bool run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

struct Module {
  std::string path;
  const char* package;
  bool it;
};

// Files of every kind the players meet in the wild: stereo and mono, tempo
// 125 and others, tempo slides, compressed 8- and 16-bit samples, all 64
// channel slots enabled, with and without instruments.
std::vector<Module> modules() {
  std::vector<Module> list;
  for (const char* name : {"credits", "menu", "stage1", "stage3", "stage4"}) {
    list.push_back({"/usr/share/pachi/music/" + std::string(name) + ".s3m", "pachi-data", false});
  }
  list.push_back({"/usr/share/sounds/gweled/autonom.s3m", "gweled", false});
  list.push_back({"/usr/share/games/gltron/music/song_revenge_of_cats.it", "gltron", true});
  list.push_back({"/usr/share/games/njam/data/ritam.s3m", "njam-data", false});  // mono
  for (const char* name : {"gd-cancn.it", "gd-giirm.s3m", "gd-ite.it", "gd-matth.it", "gd-myla.it", "goin_march.it",
                           "pingus-1.it", "pingus-2.it", "pingus-3.it", "pingus-4.it", "pingus-5.it", "pingus-6.it",
                           "pingus-7.it", "pingus-8.it", "pingus-9.it", "rough_journey.it", "sorcerer.it",
                           "success_1.it", "success_2.it", "the_big_march_in_space.it"}) {
    const std::string path = "/usr/share/games/pingus/data/music/" + std::string(name);
    list.push_back({path, "pingus-data", path.ends_with(".it")});
  }
  return list;
}

std::unique_ptr<AuSong> makeSong(bool it) {
  if (it) return std::make_unique<AuImpulseTrackerSong>();
  return std::make_unique<AuScreamTrackerSong>();
}

std::unique_ptr<AuSong> load(const Module& m) {
  std::unique_ptr<AuSong> song = makeSong(m.it);
  EXPECT_EQ(song->loadImage(readFile(m.path)), 0) << m.path;
  return song;
}

// The song playing on a device of its own (mono unless `stereo`).
struct Playing {
  Playing(AuSong& song, bool stereo) : player(song.makePlayer()) {
    device.open();
    device.setStereo(stereo);
    player->attachSong(&song);
    player->attachDevice(&device);
  }
  AuMultichannelAudioDevice device;
  std::unique_ptr<AuSongPlayer> player;
};

// Runs `check` on every installed module; false when none is installed.
template <typename Check>
bool forEachModule(Check check) {
  bool any = false;
  for (const Module& m : modules()) {
    if (!exists(m.path)) continue;
    any = true;
    std::unique_ptr<AuSong> song = load(m);
    check(m, *song);
  }
  return any;
}

constexpr const char* kNoModules = "no module files: install pachi-data, gweled, gltron, njam-data and pingus-data";

#ifdef HAVE_MODULE_HEADERS

// The two libraries are opened at run time so that the build needs neither.
struct Libraries {
  void* xmp = dlopen("libxmp.so.4", RTLD_NOW);
  void* mpt = dlopen("libopenmpt.so.0", RTLD_NOW);
#define RESOLVE(lib, name) decltype(&::name) name = lib ? reinterpret_cast<decltype(&::name)>(dlsym(lib, #name)) : nullptr
  RESOLVE(xmp, xmp_create_context);
  RESOLVE(xmp, xmp_load_module);
  RESOLVE(xmp, xmp_get_module_info);
  RESOLVE(xmp, xmp_release_module);
  RESOLVE(xmp, xmp_free_context);
  RESOLVE(mpt, openmpt_module_create_from_memory2);
  RESOLVE(mpt, openmpt_module_destroy);
  RESOLVE(mpt, openmpt_module_get_num_channels);
  RESOLVE(mpt, openmpt_module_get_pattern_num_rows);
  RESOLVE(mpt, openmpt_module_get_pattern_row_channel_command);
  RESOLVE(mpt, openmpt_module_format_pattern_row_channel_command);
  RESOLVE(mpt, openmpt_free_string);
  RESOLVE(mpt, openmpt_module_get_duration_seconds);
  RESOLVE(mpt, openmpt_module_select_subsong);
  RESOLVE(mpt, openmpt_module_read_stereo);
  RESOLVE(mpt, openmpt_module_get_current_order);
  RESOLVE(mpt, openmpt_module_get_current_row);
#undef RESOLVE
  bool ok() const { return xmp_get_module_info && openmpt_module_get_current_row; }
};

Libraries& libs() {
  static Libraries l;
  return l;
}

#define REQUIRE_LIBRARIES()                                                                      \
  if (!libs().ok()) GTEST_SKIP() << "libxmp or libopenmpt is missing (packages libxmp-dev, " \
                                    "libopenmpt-dev)"

class Xmp {
 public:
  explicit Xmp(const char* path) : m_context(libs().xmp_create_context()) {
    if (libs().xmp_load_module(m_context, const_cast<char*>(path)) == 0) {
      libs().xmp_get_module_info(m_context, &m_info);
      m_loaded = true;
    }
  }
  ~Xmp() {
    if (m_loaded) libs().xmp_release_module(m_context);
    libs().xmp_free_context(m_context);
  }
  const xmp_module* operator->() const { return m_info.mod; }
  bool loaded() const { return m_loaded; }

 private:
  xmp_context m_context;
  xmp_module_info m_info{};
  bool m_loaded = false;
};

class Mpt {
 public:
  explicit Mpt(const std::vector<uint8_t>& bytes)
      : m_module(libs().openmpt_module_create_from_memory2(bytes.data(), bytes.size(), nullptr, nullptr, nullptr,
                                                           nullptr, nullptr, nullptr, nullptr)) {}
  ~Mpt() {
    if (m_module) libs().openmpt_module_destroy(m_module);
  }
  openmpt_module* get() const { return m_module; }

 private:
  openmpt_module* m_module;
};

TEST(ModuleCrossCheck, HeadersOrdersAndSamplesEqualLibxmp) {
  REQUIRE_LIBRARIES();
  const bool checked = forEachModule([](const Module& m, AuSong& ourSong) {
    AuSong* song = &ourSong;
    Xmp x(m.path.c_str());
    ASSERT_TRUE(x.loaded()) << m.path;
    EXPECT_EQ(song->initialSpeed, x->spd) << m.path;
    EXPECT_EQ(song->initialTempo, x->bpm) << m.path;
    EXPECT_EQ(song->globalVolume, x->gvl) << m.path;
    ASSERT_EQ(song->orderCount, x->len) << m.path;
    for (int i = 0; i < x->len; ++i) EXPECT_EQ(song->orders[i], x->xxo[i]) << m.path << " order " << i;
    EXPECT_EQ(song->sampleCount, x->smp) << m.path;
    // A mono song plays every channel centred and a surround channel (IT pan
    // 100) centred too; libxmp keeps other values for both, and for disabled
    // channels.
    const std::vector<uint8_t> file = readFile(m.path);
    for (int c = 0; c < x->chn && song->stereo; ++c) {
      if (!song->channels[c].enabled || (m.it && file[0x40 + static_cast<size_t>(c)] == 100)) continue;
      EXPECT_NEAR(song->channels[c].pan, x->xxc[c].pan / 16.0, 1.0) << m.path << " channel " << c;
    }
    for (int i = 0; i < std::min<int>(song->sampleCount, x->smp); ++i) {
      const AuSampleRecord& ours = song->samples[static_cast<size_t>(i)];
      const xmp_sample& theirs = x->xxs[i];
      const bool is16 = theirs.flg & XMP_SAMPLE_16BIT;
      const size_t unit = is16 ? 2 : 1;
      if (!ours.start) {
        EXPECT_TRUE(theirs.len == 0 || !m.it) << m.path << " sample " << i;
        continue;
      }
      ASSERT_EQ(ours.length, static_cast<uint32_t>(theirs.len) * unit) << m.path << " sample " << i;
      EXPECT_EQ(ours.format == kAuFormatSigned16, is16) << m.path << " sample " << i;
      if (theirs.flg & XMP_SAMPLE_LOOP) {
        ASSERT_NE(ours.loopStart, nullptr) << m.path << " sample " << i;
        EXPECT_EQ(static_cast<size_t>(ours.loopStart - ours.start), theirs.lps * unit) << m.path << " sample " << i;
        EXPECT_EQ(static_cast<size_t>(ours.end - ours.start), theirs.lpe * unit) << m.path << " sample " << i;
      }
      for (int k = 0; k < x->ins; ++k) {
        if (x->xxi[k].nsm > 0 && x->xxi[k].sub[0].sid == i) {
          EXPECT_EQ(ours.volume, x->xxi[k].sub[0].vol) << m.path << " sample " << i;
        }
      }
      // Every sample that plays must match, up to the last few before the
      // loop end or the sample end, which libxmp rewrites for its
      // interpolation (and past the end of a ping-pong loop, libxmp unrolls
      // the loop backwards).
      const int end = ((theirs.flg & XMP_SAMPLE_LOOP) ? theirs.lpe : theirs.len) - 8;
      size_t mismatches = 0;
      for (int s = 0; s < end; ++s) {
        int ourValue;
        int theirValue;
        if (is16) {
          ourValue = static_cast<int16_t>(ours.start[2 * s] | (ours.start[2 * s + 1] << 8));
          theirValue = reinterpret_cast<const int16_t*>(theirs.data)[s];
        } else {
          ourValue = ours.format == kAuFormatUnsigned8 ? ours.start[s] - 128 : static_cast<int8_t>(ours.start[s]);
          theirValue = static_cast<int8_t>(theirs.data[s]);
        }
        mismatches += ourValue != theirValue;
      }
      EXPECT_EQ(mismatches, 0u) << m.path << " sample " << i;
    }
  });
  if (!checked) GTEST_SKIP() << kNoModules;
}

int openmptNote(const AuSong& song, uint16_t note) {
  if (note == kAuNoNote) return 0;
  if (note >= 254) return note;
  if (song.isImpulseTracker()) return note < 120 ? note + 1 : 253;
  return 12 * (note >> 4) + (note & 15) + 13;
}

TEST(ModuleCrossCheck, PatternCellsEqualLibopenmpt) {
  REQUIRE_LIBRARIES();
  const bool checked = forEachModule([](const Module& m, AuSong& ourSong) {
    AuSong* song = &ourSong;
    Mpt mpt(readFile(m.path));
    ASSERT_NE(mpt.get(), nullptr) << m.path;
    // libopenmpt counts the channels the patterns use, also disabled ones.
    const int channels = libs().openmpt_module_get_num_channels(mpt.get());
    int playing = channels;
    while (playing > 0 && !song->channels[playing - 1].enabled) --playing;
    ASSERT_EQ(song->getChannelCount(), playing) << m.path;
    size_t cells = 0;
    for (int p = 0; p < song->patternCount; ++p) {
      const uint8_t* data = nullptr;
      size_t size = 0;
      int rows = 0;
      song->getPattern(p, data, size, rows);
      EXPECT_EQ(rows, libs().openmpt_module_get_pattern_num_rows(mpt.get(), p)) << m.path << " pattern " << p;
      AuPatternReader reader;
      reader.start(data, size, song->isImpulseTracker());
      for (int r = 0; r < rows; ++r) {
        AuCell row[64];
        reader.readRow(row, 64);
        for (int c = 0; c < channels; ++c) {
          auto get = [&](int what) {
            return libs().openmpt_module_get_pattern_row_channel_command(mpt.get(), p, r, c, what);
          };
          const AuCell& cell = row[c];
          const std::string where = m.path + " pattern " + std::to_string(p) + " row " +
                                    std::to_string(r) + " channel " + std::to_string(c);
          // Notes outside the octave are dropped by both readers in their own ways.
          if (cell.note < 254 && !song->isImpulseTracker() && (cell.note & 15) > 11) continue;
          EXPECT_EQ(openmptNote(*song, cell.note), get(OPENMPT_MODULE_COMMAND_NOTE)) << where;
          EXPECT_EQ(cell.instrument, get(OPENMPT_MODULE_COMMAND_INSTRUMENT)) << where;
          if (cell.volume >= 1 && cell.volume <= 65) {
            EXPECT_EQ(cell.volume - 1, get(OPENMPT_MODULE_COMMAND_VOLUME)) << where;
          }
          if (cell.command >= 1 && cell.command <= 26) {
            const char* text =
                libs().openmpt_module_format_pattern_row_channel_command(mpt.get(), p, r, c, OPENMPT_MODULE_COMMAND_EFFECT);
            EXPECT_EQ(std::string(1, static_cast<char>('A' + cell.command - 1)), text) << where;
            libs().openmpt_free_string(text);
            // libopenmpt keeps only the low nibble of a volume slide that names
            // both directions.
            const bool bothWays = cell.command == 4 && (cell.info >> 4) && (cell.info & 15) &&
                                  (cell.info >> 4) != 15 && (cell.info & 15) != 15;
            EXPECT_EQ(bothWays ? cell.info & 15 : cell.info, get(OPENMPT_MODULE_COMMAND_PARAMETER)) << where;
          }
          ++cells;
        }
      }
    }
    EXPECT_GT(cells, 0u) << m.path;
  });
  if (!checked) GTEST_SKIP() << kNoModules;
}

// The song's first pass, until the player returns to a row it has already
// played: the (order, row) of every row start, and its length in seconds.
struct FirstPass {
  std::vector<std::pair<int, int>> rowStarts;
  double seconds = 0;
};

FirstPass firstPass(AuSong& song) {
  Playing playing(song, false);
  AuMultichannelAudioDevice& device = playing.device;
  AuSongPlayer* player = playing.player.get();
  FirstPass pass;
  std::set<std::pair<int, int>> seen;
  int64_t frames = 0;
  int32_t next = player->tick(0);
  pass.rowStarts.push_back({player->getOrder(), player->getRow()});
  seen.insert(pass.rowStarts.back());
  for (int guard = 0; guard < 2000000 && !player->isStopped(); ++guard) {
    frames += next;
    next = player->tick(next);
    const std::pair<int, int> at{player->getOrder(), player->getRow()};
    if (at == pass.rowStarts.back()) continue;
    if (!seen.insert(at).second) break;
    pass.rowStarts.push_back(at);
  }
  pass.seconds = static_cast<double>(frames) / device.mixer().getRate();
  return pass;
}

TEST(ModuleCrossCheck, SongLengthWithinOnePercentOfLibopenmpt) {
  REQUIRE_LIBRARIES();
  const bool checked = forEachModule([](const Module& m, AuSong& song) {
    Mpt mpt(readFile(m.path));
    libs().openmpt_module_select_subsong(mpt.get(), 0);
    const double theirs = libs().openmpt_module_get_duration_seconds(mpt.get());
    EXPECT_NEAR(firstPass(song).seconds / theirs, 1.0, 0.01) << m.path << ": libopenmpt " << theirs << " s";
  });
  if (!checked) GTEST_SKIP() << kNoModules;
}

// The level of each side of a stereo render in dB below full scale.
struct Balance {
  double left = 0;
  double right = 0;
};

Balance levels(const std::vector<int16_t>& left, const std::vector<int16_t>& right) {
  auto dB = [](const std::vector<int16_t>& side) {
    double sum = 0;
    for (int16_t v : side) sum += static_cast<double>(v) * v;
    return 10 * std::log10(std::max(sum / static_cast<double>(side.size()), 1e-3) / (32767.0 * 32767.0));
  };
  return {dB(left), dB(right)};
}

// The first 20 seconds in stereo: neither side is silent, and the balance
// between the sides is the one libopenmpt renders (a mono song is centred).
TEST(ModuleCrossCheck, RendersBothSidesInTheBalanceOfLibopenmpt) {
  REQUIRE_LIBRARIES();
  constexpr int kRate = 22050;
  constexpr int kFrames = 20 * kRate;
  const bool checked = forEachModule([](const Module& m, AuSong& song) {
    Playing playing(song, true);
    std::vector<int16_t> mixed(2 * kFrames);
    playing.device.mixer().render(mixed.data(), kFrames);
    std::vector<int16_t> left(kFrames), right(kFrames);
    for (size_t i = 0; i < left.size(); ++i) {
      left[i] = mixed[2 * i];
      right[i] = mixed[2 * i + 1];
    }
    const Balance ours = levels(left, right);

    Mpt mpt(readFile(m.path));
    ASSERT_NE(mpt.get(), nullptr) << m.path;
    libs().openmpt_module_select_subsong(mpt.get(), 0);
    std::fill(left.begin(), left.end(), 0);
    std::fill(right.begin(), right.end(), 0);
    for (size_t done = 0; done < left.size();) {
      const size_t n = libs().openmpt_module_read_stereo(mpt.get(), kRate, left.size() - done, left.data() + done,
                                                          right.data() + done);
      if (n == 0) break;
      done += n;
    }
    const Balance theirs = levels(left, right);
    EXPECT_GT(ours.left, -45) << m.path << ": left side silent";
    EXPECT_GT(ours.right, -45) << m.path << ": right side silent";
    EXPECT_NEAR(ours.left - ours.right, theirs.left - theirs.right, 3.0)
        << m.path << ": ours " << ours.left << "/" << ours.right << " dB, libopenmpt " << theirs.left << "/"
        << theirs.right << " dB";
  });
  if (!checked) GTEST_SKIP() << kNoModules;
}

TEST(ModuleCrossCheck, RowSequenceWithSpeedTempoJumpsAndMarkersEqualsLibopenmpt) {
  REQUIRE_LIBRARIES();
  songtest::S3M m;
  m.orders = {0, 254, 1, 2, 255, 3};
  m.patterns = {songtest::Pattern{}, songtest::Pattern{}, songtest::Pattern{}, songtest::Pattern{}};
  auto command = [](int cmd, int info) {
    songtest::Cell c;
    c.command = cmd;
    c.info = info;
    return c;
  };
  m.patterns[0][{0, 0}] = command(1, 3);  // A03
  m.patterns[0][{8, 0}] = command(3, 0);  // C00
  m.patterns[1][{0, 0}] = command(20, 0x50);  // T50
  m.patterns[1][{4, 1}] = command(2, 5);  // B05: past the end marker
  m.patterns[3][{0, 0}] = command(1, 2);
  m.patterns[3][{10, 0}] = command(20, 0x96);
  m.patterns[3][{20, 0}] = command(3, 0);  // on past the end of the list
  const std::vector<uint8_t> bytes = m.bytes();
  AuScreamTrackerSong song;
  ASSERT_EQ(song.loadImage(bytes), 0);
  const std::vector<std::pair<int, int>> ours = firstPass(song).rowStarts;

  Mpt mpt(bytes);
  ASSERT_NE(mpt.get(), nullptr);
  libs().openmpt_module_select_subsong(mpt.get(), 0);
  // Polled every 64 frames, far less than a row; the pass ends at the first
  // row start seen before, as ours does.
  std::vector<std::pair<int, int>> theirs;
  std::set<std::pair<int, int>> seen;
  std::vector<int16_t> left(64), right(64);
  for (int guard = 0; guard < 200000; ++guard) {
    const std::pair<int, int> at{libs().openmpt_module_get_current_order(mpt.get()),
                                 libs().openmpt_module_get_current_row(mpt.get())};
    if (theirs.empty() || theirs.back() != at) {
      if (!seen.insert(at).second) break;
      theirs.push_back(at);
    }
    if (libs().openmpt_module_read_stereo(mpt.get(), 22050, 64, left.data(), right.data()) == 0) break;
  }
  EXPECT_EQ(ours, theirs);
  EXPECT_EQ(ours.size(), 9u + 5u + 21u);
}

#endif  // HAVE_MODULE_HEADERS

double zeroCrossingHz(const std::vector<int16_t>& pcm, int rate) {
  int crossings = 0, first = -1, last = -1;
  for (size_t i = 1; i < pcm.size(); ++i) {
    if ((pcm[i - 1] < 0) != (pcm[i] < 0)) {
      if (first < 0) first = static_cast<int>(i);
      last = static_cast<int>(i);
      ++crossings;
    }
  }
  return crossings < 2 ? 0 : (crossings - 1) / 2.0 * rate / (last - first);
}

TEST(ModuleCrossCheck, OneNoteModulesSoundAtTheSamePitchAsOpenmpt123) {
  if (!run("command -v openmpt123")) GTEST_SKIP() << "openmpt123 is missing (package openmpt123)";
  for (bool it : {false, true}) {
    songtest::Sample s;
    s.data = songtest::sine(1900, 100, false, !it);
    s.loop = true;
    s.loopEnd = 1900;
    songtest::Cell c;
    c.note = it ? 60 : 0x40;
    c.instrument = 1;
    std::vector<uint8_t> bytes;
    if (it) {
      songtest::IT m;
      m.samples = {s};
      m.patterns[0][{0, 0}] = c;
      bytes = m.bytes();
    } else {
      songtest::S3M m;
      m.samples = {s};
      m.patterns[0][{0, 0}] = c;
      bytes = m.bytes();
    }
    const std::string module = scratchPath(it ? "tone.it" : "tone.s3m");
    const std::string raw = module + ".raw";
    FILE* f = std::fopen(module.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    ASSERT_TRUE(run("openmpt123 --quiet --render --samplerate 22050 --channels 1 --filter 1 --ramping 0 "
                    "--no-float --end-time 2 --force -o " + raw + " " + module +
                    " || openmpt123 --batch --samplerate 22050 --channels 1 --filter 1 --ramping 0 --no-float "
                    "--end-time 2 --force -o " + raw + " " + module));
    const std::vector<uint8_t> theirBytes = readFile(raw);
    std::vector<int16_t> theirs(theirBytes.size() / 2);
    std::memcpy(theirs.data(), theirBytes.data(), theirs.size() * 2);

    std::unique_ptr<AuSong> song = makeSong(it);
    ASSERT_EQ(song->loadImage(bytes), 0);
    Playing playing(*song, false);
    std::vector<int16_t> ours(22050);
    playing.device.mixer().render(ours.data(), 22050);
    const double theirHz = zeroCrossingHz(theirs, 22050);
    ASSERT_GT(theirHz, 0) << "openmpt123 rendered nothing";
    EXPECT_NEAR(zeroCrossingHz(ours, 22050) / theirHz, 1.0, 0.015) << (it ? "IT" : "S3M");
  }
}

TEST(SampleCrossCheck, ADPCMEqualsFfmpegOnFfmpegEncodedSound) {
  if (!run("command -v ffmpeg")) GTEST_SKIP() << "ffmpeg is missing (package ffmpeg)";
  const std::string encoded = scratchPath("yamaha.wav");
  const std::string decoded = scratchPath("yamaha.s16");
  ASSERT_TRUE(run("ffmpeg -y -f lavfi -i 'sine=frequency=440:sample_rate=8000:duration=1' -af "
                  "'volume=0.9,aeval=val(0)+0.3*sin(2*PI*1250*t)' -ar 8000 -ac 1 -c:a adpcm_yamaha " +
                  encoded));
  ASSERT_TRUE(run("ffmpeg -y -i " + encoded + " -f s16le " + decoded));
  const std::vector<uint8_t> wav = readFile(encoded);
  QZPlayableRecord r;
  // The RIFF walk finds the data chunk of ffmpeg's file; its bytes are the codes.
  ASSERT_EQ(QZParseWave(wav.data(), static_cast<uint32_t>(wav.size()), r), 0);
  const std::vector<uint8_t> theirBytes = readFile(decoded);
  std::vector<uint8_t> ours(2 * r.sampleLength);
  QZDecodeADPCM(r.samples, r.sampleLength, ours.data());
  ASSERT_GE(ours.size(), theirBytes.size() / 2);
  ASSERT_GT(theirBytes.size(), 8000u);
  size_t mismatches = 0;
  for (size_t i = 0; i < theirBytes.size() / 2; ++i) {
    const int16_t s = static_cast<int16_t>(theirBytes[2 * i] | (theirBytes[2 * i + 1] << 8));
    const int expected = (std::max<int>(s, -32767) >> 8) + 128;
    mismatches += ours[i] != expected;
  }
  EXPECT_EQ(mismatches, 0u);
}

TEST(SampleCrossCheck, WaveDataEqualsFfmpegsPCM) {
  if (!run("command -v ffmpeg")) GTEST_SKIP() << "ffmpeg is missing (package ffmpeg)";
  const std::string wavPath = scratchPath("u8.wav");
  const std::string raw = scratchPath("u8.raw");
  ASSERT_TRUE(run("ffmpeg -y -f lavfi -i 'sine=frequency=300:sample_rate=22050:duration=0.5' -ac 1 -c:a pcm_u8 "
                  "-metadata title=Pellwyn " + wavPath));
  ASSERT_TRUE(run("ffmpeg -y -i " + wavPath + " -f u8 " + raw));
  // ffmpeg writes a LIST chunk between fmt and data for the title.
  const std::vector<uint8_t> wav = readFile(wavPath);
  const std::vector<uint8_t> pcm = readFile(raw);
  QZPlayableRecord r;
  ASSERT_EQ(r.initRecord(wav.data(), static_cast<uint32_t>(wav.size()), kQZSamplePCM), 0);
  EXPECT_EQ(r.rate, 22050);
  ASSERT_EQ(r.sampleLength, pcm.size());
  EXPECT_EQ(std::memcmp(r.samples, pcm.data(), pcm.size()), 0);
}

}  // namespace
