// Runs a fuzz target's entry point over every file of its seed corpus, and
// over a fixed set of truncations and byte changes of each seed, so that the
// readers' checks are exercised on every test run without a fuzzing engine.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<uint8_t> readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void run(const std::vector<uint8_t>& bytes) {
  // A copy of exactly the right size, so that a read past the end is caught.
  std::vector<uint8_t> copy(bytes);
  LLVMFuzzerTestOneInput(copy.empty() ? nullptr : copy.data(), copy.size());
}

void mutate(const std::vector<uint8_t>& seed) {
  uint32_t state = 0x2545F491u ^ static_cast<uint32_t>(seed.size());
  auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  };
  const size_t steps = std::max<size_t>(1, seed.size() / 64);
  for (size_t cut = 0; cut < seed.size(); cut += steps) {
    run(std::vector<uint8_t>(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(cut)));
  }
  if (seed.empty()) return;
  for (int round = 0; round < 300; ++round) {
    std::vector<uint8_t> m(seed);
    const int changes = 1 + static_cast<int>(next() % 4);
    for (int c = 0; c < changes; ++c) {
      const size_t at = next() % m.size();
      switch (next() % 3) {
        case 0: m[at] = static_cast<uint8_t>(next()); break;
        case 1: m[at] = 0xFF; break;
        default: m[at] = 0x00; break;
      }
    }
    run(m);
  }
}

}  // namespace

int main(int argc, char** argv) {
  size_t seeds = 0;
  for (int i = 1; i < argc; ++i) {
    std::filesystem::path dir(argv[i]);
    if (!std::filesystem::is_directory(dir)) {
      std::fprintf(stderr, "no corpus folder %s\n", argv[i]);
      return 1;
    }
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir)) {
      if (e.is_regular_file()) files.push_back(e.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& f : files) {
      const std::vector<uint8_t> seed = readFile(f);
      run(seed);
      mutate(seed);
      ++seeds;
    }
  }
  std::printf("%zu seeds and their mutations ran\n", seeds);
  return seeds == 0 ? 1 : 0;
}
