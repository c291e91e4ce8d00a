#include "score.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>

namespace {

void put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}

void align16(std::vector<uint8_t>& b) { b.resize((b.size() + 15) & ~size_t{15}); }

// A '#' at the line start or after a blank starts a comment (C#4 is a note).
std::string stripComment(const std::string& s) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '#' && (i == 0 || s[i - 1] == ' ' || s[i - 1] == '\t')) return s.substr(0, i);
  }
  return s;
}

std::string trim(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t\r");
  const size_t b = s.find_last_not_of(" \t\r");
  return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

bool parseNote(const std::string& t, int& note) {
  static const char* names[12] = {"C-", "C#", "D-", "D#", "E-", "F-", "F#", "G-", "G#", "A-", "A#", "B-"};
  if (t == "---") return note = -1, true;
  if (t == "^^^") return note = 254, true;
  if (t.size() != 3 || t[2] < '0' || t[2] > '7') return false;
  for (int i = 0; i < 12; ++i) {
    if (t.compare(0, 2, names[i]) == 0) return note = ((t[2] - '0') << 4) | i, true;
  }
  return false;
}

bool parseNumber(const std::string& t, int max, int& value) {
  if (t == "..") return value = -1, true;
  if (t.empty() || t.size() > 2 || !std::all_of(t.begin(), t.end(), ::isdigit)) return false;
  value = std::stoi(t);
  return value <= max;
}

bool parseCell(const std::string& text, ScoreCell& cell) {
  std::istringstream in(text);
  std::string note, ins, vol, fx;
  if (!(in >> note >> ins >> vol >> fx)) return false;
  int instrument = 0;
  if (!parseNote(note, cell.note) || !parseNumber(ins, 99, instrument) || !parseNumber(vol, 64, cell.volume)) {
    return false;
  }
  cell.instrument = std::max(instrument, 0);
  if (fx == "...") return true;
  if (fx.size() != 3 || fx[0] < 'A' || fx[0] > 'Z' || !std::isxdigit(fx[1]) || !std::isxdigit(fx[2])) return false;
  cell.command = fx[0] - 'A' + 1;
  cell.info = std::stoi(fx.substr(1), nullptr, 16);
  return true;
}

std::vector<uint8_t> sampleData(const ScoreInstrument& ins) {
  const int length = ins.length ? ins.length : ins.cycle;
  std::vector<uint8_t> out;
  uint32_t noise = 12345;
  for (int i = 0; i < length; ++i) {
    const double t = static_cast<double>(i % ins.cycle) / ins.cycle;
    double v = t < 0.5 ? 1 : -1;
    if (ins.wave == "sine") v = std::sin(2 * M_PI * t);
    if (ins.wave == "triangle") v = t < 0.5 ? 4 * t - 1 : 3 - 4 * t;
    if (ins.wave == "saw") v = 2 * t - 1;
    if (ins.wave == "noise") {
      noise = noise * 1664525u + 1013904223u;
      v = static_cast<double>(noise >> 8) / 8388608.0 - 1.0;
    }
    if (ins.decay > 0) v *= std::exp(-static_cast<double>(i) / ins.decay);
    out.push_back(static_cast<uint8_t>(128 + std::lround(100 * v)));
  }
  return out;
}

}  // namespace

void packS3MCell(std::vector<uint8_t>& out, int channel, const ScoreCell& cell) {
  uint8_t what = static_cast<uint8_t>(channel & 31);
  if (cell.note >= 0 || cell.instrument) what |= 0x20;
  if (cell.volume >= 0) what |= 0x40;
  if (cell.command) what |= 0x80;
  if ((what & 0xE0) == 0) return;
  out.push_back(what);
  if (what & 0x20) {
    out.push_back(static_cast<uint8_t>(cell.note >= 0 ? cell.note : 255));
    out.push_back(static_cast<uint8_t>(cell.instrument));
  }
  if (what & 0x40) out.push_back(static_cast<uint8_t>(cell.volume));
  if (what & 0x80) {
    out.push_back(static_cast<uint8_t>(cell.command));
    out.push_back(static_cast<uint8_t>(cell.info));
  }
}

bool parseScore(const std::string& text, Score& score, std::string& error) {
  std::istringstream lines(text);
  std::string raw;
  int number = 0;
  std::vector<std::vector<ScoreCell>>* pattern = nullptr;
  auto fail = [&](const std::string& what) {
    error = "line " + std::to_string(number) + ": " + what;
    return false;
  };
  while (std::getline(lines, raw)) {
    ++number;
    const std::string line = trim(stripComment(raw));
    if (line.empty()) continue;
    std::istringstream in(line);
    std::string key;
    in >> key;
    if (key == "title") {
      std::getline(in, score.title);
      score.title = trim(score.title).substr(0, 27);
    } else if (key == "speed" || key == "tempo" || key == "global") {
      int v = 0;
      if (!(in >> v) || v < 1 || v > 255 || (key == "global" && v > 64)) return fail("bad " + key);
      (key == "speed" ? score.speed : key == "tempo" ? score.tempo : score.globalVolume) = v;
    } else if (key == "channel") {
      int channel = 0, pan = 0;
      if (!(in >> channel >> pan) || channel < 0 || channel > 15 || pan < 0 || pan > 15) return fail("bad channel");
      if (score.pans.size() <= static_cast<size_t>(channel)) score.pans.resize(static_cast<size_t>(channel) + 1, 7);
      score.pans[static_cast<size_t>(channel)] = pan;
    } else if (key == "instrument") {
      int n = 0;
      ScoreInstrument ins;
      if (!(in >> n >> ins.wave >> ins.cycle) || n != static_cast<int>(score.instruments.size()) + 1 ||
          ins.cycle < 2 || ins.cycle > 4096) {
        return fail("bad instrument (numbered from 1 in order)");
      }
      std::string option;
      int value = 0;
      while (in >> option >> value) {
        if (option == "length" && value > 0 && value <= 65535) {
          ins.length = value;
        } else if (option == "decay" && value >= 0) {
          ins.decay = value;
        } else if (option == "volume" && value >= 0 && value <= 64) {
          ins.volume = value;
        } else {
          return fail("bad instrument option " + option);
        }
      }
      if (ins.wave != "sine" && ins.wave != "square" && ins.wave != "triangle" && ins.wave != "saw" &&
          ins.wave != "noise") {
        return fail("bad wave " + ins.wave);
      }
      score.instruments.push_back(ins);
    } else if (key == "pattern") {
      int n = 0;
      if (!(in >> n) || n != static_cast<int>(score.patterns.size())) return fail("patterns are numbered in order");
      score.patterns.emplace_back();
      pattern = &score.patterns.back();
    } else if (key == "order") {
      int n = 0;
      while (in >> n) {
        if (n < 0 || n >= static_cast<int>(score.patterns.size())) return fail("order names no pattern");
        score.orders.push_back(n);
      }
    } else {
      if (!pattern) return fail("a row outside a pattern");
      if (pattern->size() == 64) return fail("more than 64 rows");
      std::vector<ScoreCell> row;
      std::istringstream cells(line);
      std::string cellText;
      while (std::getline(cells, cellText, '|')) {
        if (trim(cellText).empty()) continue;
        ScoreCell cell;
        if (!parseCell(cellText, cell)) return fail("bad cell '" + trim(cellText) + "'");
        row.push_back(cell);
      }
      if (row.size() > 16) return fail("more than 16 channels");
      pattern->push_back(row);
    }
  }
  if (score.orders.empty()) return fail("no order list");
  return true;
}

std::vector<uint8_t> writeS3M(const Score& score) {
  size_t channels = score.pans.size();
  for (const auto& p : score.patterns) {
    for (const auto& row : p) channels = std::max(channels, row.size());
  }
  std::vector<uint8_t> orders(score.orders.begin(), score.orders.end());
  if (orders.size() % 2) orders.push_back(255);
  std::vector<uint8_t> b(0x60, 0);
  std::memcpy(b.data(), score.title.data(), score.title.size());
  b[0x1C] = 0x1A;
  b[0x1D] = 16;
  put16(b, 0x20, static_cast<uint32_t>(orders.size()));
  put16(b, 0x22, static_cast<uint32_t>(score.instruments.size()));
  put16(b, 0x24, static_cast<uint32_t>(score.patterns.size()));
  put16(b, 0x28, 0x1320);
  put16(b, 0x2A, 2);
  std::memcpy(b.data() + 0x2C, "SCRM", 4);
  b[0x30] = static_cast<uint8_t>(score.globalVolume);
  b[0x31] = static_cast<uint8_t>(score.speed);
  b[0x32] = static_cast<uint8_t>(score.tempo);
  b[0x33] = 0x80 | 48;
  b[0x35] = 0xFC;
  for (size_t i = 0; i < 32; ++i) {
    const int pan = i < score.pans.size() ? score.pans[i] : 7;
    b[0x40 + i] = i < channels ? static_cast<uint8_t>(pan < 8 ? i % 8 : 8 + i % 8) : 255;
  }
  b.insert(b.end(), orders.begin(), orders.end());
  const size_t insTable = b.size();
  b.resize(b.size() + 2 * score.instruments.size());
  const size_t patTable = b.size();
  b.resize(b.size() + 2 * score.patterns.size());
  for (size_t i = 0; i < 32; ++i) {
    b.push_back(static_cast<uint8_t>(0x20 | (i < score.pans.size() ? score.pans[i] : 7)));
  }
  std::vector<size_t> headers;
  for (size_t i = 0; i < score.instruments.size(); ++i) {
    align16(b);
    put16(b, insTable + 2 * i, static_cast<uint32_t>(b.size() / 16));
    headers.push_back(b.size());
    b.resize(b.size() + 0x50, 0);
  }
  for (size_t k = 0; k < score.patterns.size(); ++k) {
    align16(b);
    put16(b, patTable + 2 * k, static_cast<uint32_t>(b.size() / 16));
    const size_t start = b.size();
    b.resize(b.size() + 2);
    for (const auto& row : score.patterns[k]) {
      for (size_t ch = 0; ch < row.size(); ++ch) packS3MCell(b, static_cast<int>(ch), row[ch]);
      b.push_back(0);
    }
    for (size_t r = score.patterns[k].size(); r < 64; ++r) b.push_back(0);
    put16(b, start, static_cast<uint32_t>(b.size() - start));
  }
  for (size_t i = 0; i < score.instruments.size(); ++i) {
    const ScoreInstrument& ins = score.instruments[i];
    const std::vector<uint8_t> data = sampleData(ins);
    align16(b);
    const size_t h = headers[i];
    b[h] = 1;
    put16(b, h + 0x0E, static_cast<uint32_t>(b.size() / 16));
    put16(b, h + 0x10, static_cast<uint32_t>(data.size()));
    put16(b, h + 0x18, ins.length ? 0 : static_cast<uint32_t>(data.size()));
    b[h + 0x1C] = static_cast<uint8_t>(ins.volume);
    b[h + 0x1F] = ins.length ? 0 : 1;
    put16(b, h + 0x20, 8363);
    std::memcpy(b.data() + h + 0x4C, "SCRS", 4);
    b.insert(b.end(), data.begin(), data.end());
  }
  return b;
}
