// songmake SCORE OUTPUT: compiles a text score into an S3M module.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "score.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: songmake SCORE OUTPUT.s3m\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << "songmake: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();
  Score score;
  std::string error;
  if (!parseScore(text.str(), score, error)) {
    std::cerr << argv[1] << ": " << error << "\n";
    return 1;
  }
  const std::vector<uint8_t> bytes = writeS3M(score);
  const std::string temp = std::string(argv[2]) + ".tmp";
  std::ofstream out(temp, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out || std::rename(temp.c_str(), argv[2]) != 0) {
    std::cerr << "songmake: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
