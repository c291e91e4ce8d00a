// songmake SCORE OUTPUT: compiles a text score into an S3M module.
#include <iostream>
#include <string>

#include "score.h"
#include "tool_file.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: songmake SCORE OUTPUT.s3m\n";
    return 2;
  }
  std::string text;
  std::string error;
  if (!tools::readWholeFile(argv[1], text, error)) {
    std::cerr << "songmake: " << error << "\n";
    return 1;
  }
  Score score;
  if (!parseScore(text, score, error)) {
    std::cerr << argv[1] << ": " << error << "\n";
    return 1;
  }
  const std::vector<uint8_t> bytes = writeS3M(score);
  if (!tools::writeWholeFile(argv[2], bytes, error)) {
    std::cerr << "songmake: " << error << "\n";
    return 1;
  }
  return 0;
}
