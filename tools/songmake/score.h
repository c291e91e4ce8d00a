// A song score in readable text, compiled into an S3M module.
//
//   title NAME            speed N        tempo N        global N (0..64)
//   channel I PAN         PAN 0 (left) .. 15 (right)
//   instrument N WAVE CYCLE [length SAMPLES] [decay SAMPLES] [volume V]
//       WAVE sine, square, triangle, saw or noise; CYCLE samples per period at
//       8363 Hz (32 gives C-4 = 261 Hz); without a length one looped cycle
//   pattern N             then up to 64 row lines, one cell per channel:
//       NOTE INS VOL EFFECT separated by '|', e.g. "C-4 01 40 A06 | --- .. .. ..."
//       NOTE C-4, C#4, --- (none) or ^^^ (cut); INS and VOL decimal or ..;
//       EFFECT a letter and two hex digits, or ...
//   order N N ...
// A '#' at the start of a line or after a blank begins a comment.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ScoreCell {
  int note = -1;  // S3M note byte; -1 none
  int instrument = 0;
  int volume = -1;
  int command = 0;
  int info = 0;
};

// Appends one channel's cell of a packed S3M pattern row; an empty cell
// writes nothing.
void packS3MCell(std::vector<uint8_t>& out, int channel, const ScoreCell& cell);

struct ScoreInstrument {
  std::string wave;
  int cycle = 32;
  int length = 0;  // 0: one looped cycle
  int decay = 0;
  int volume = 64;
};

struct Score {
  std::string title;
  int speed = 6, tempo = 125, globalVolume = 64;
  std::vector<int> pans;  // per channel
  std::vector<ScoreInstrument> instruments;
  std::vector<std::vector<std::vector<ScoreCell>>> patterns;  // pattern, row, channel
  std::vector<int> orders;
};

// False with "line N: ..." in error for anything it does not understand.
bool parseScore(const std::string& text, Score& score, std::string& error);
std::vector<uint8_t> writeS3M(const Score& score);
