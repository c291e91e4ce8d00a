#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "imgpack_lz.h"
#include "qz_lz.h"

namespace {

void put32(std::vector<uint8_t>& s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

std::vector<uint8_t> stream(const std::vector<uint8_t>& ops, const std::vector<uint8_t>& offsets,
                            const std::vector<uint8_t>& literals, uint32_t outputLength) {
  std::vector<uint8_t> s(28, 0);
  s[1] = 28;
  put32(s, 8, outputLength);
  put32(s, 12, static_cast<uint32_t>(ops.size()));
  put32(s, 16, static_cast<uint32_t>(offsets.size()));
  put32(s, 20, static_cast<uint32_t>(literals.size()));
  s.insert(s.end(), ops.begin(), ops.end());
  s.insert(s.end(), offsets.begin(), offsets.end());
  s.insert(s.end(), literals.begin(), literals.end());
  return s;
}

std::vector<uint8_t> sequence(size_t n) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(i * 7 + 3);
  return v;
}

std::vector<uint8_t> decode(const std::vector<uint8_t>& s, size_t capacity, int32_t* result) {
  std::vector<uint8_t> out(capacity, 0xEE);
  *result = QZLZ::decompress(s.data(), s.size(), out.data(), out.size());
  return out;
}

struct OpCase {
  std::string name;
  std::vector<uint8_t> ops, offsets, literals;
  std::vector<uint8_t> expected;
};

TEST(LZDecompress, OperationsExpandAsSpecified) {
  const std::vector<uint8_t> nine = sequence(9);
  const std::vector<uint8_t> many = sequence(504);
  auto concat = [](std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  std::vector<uint8_t> repeated = sequence(20);
  for (int i = 0; i < 256; ++i) repeated.push_back(repeated[16 + i]);
  std::vector<uint8_t> farCopy = many;
  farCopy.push_back(many[0]);
  farCopy.push_back(many[1]);

  const std::vector<OpCase> cases = {
      {"three single literals", {0, 0, 0}, {}, {'a', 'b', 'c'}, {'a', 'b', 'c'}},
      {"run of five", {1, 0, 5}, {}, {'x'}, {'x', 'x', 'x', 'x', 'x'}},
      {"short run writes nothing and keeps the literal", {1, 0, 3, 0}, {}, {'y'}, {'y'}},
      {"n of 1 and 2 do nothing", {1, 1, 1, 2, 0}, {}, {'z'}, {'z'}},
      {"literal block", {1, 5}, {}, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}},
      {"seven from nine back", {1, 9, 7}, {9}, nine, concat(nine, {nine[0], nine[1], nine[2], nine[3], nine[4], nine[5], nine[6]})},
      {"absolute copy of 256 repeats bytes", {1, 20, 2, 0, 1, 0}, {0, 16}, sequence(20), repeated},
      {"absolute short form", {1, 4, 2, 5}, {0, 1}, {9, 8, 7, 6}, {9, 8, 7, 6, 8, 7, 6, 8, 7}},
      {"overlapping back copy repeats", {0, 0, 0, 3}, {3}, {1, 2, 3}, {1, 2, 3, 1, 2, 3}},
  };
  for (const OpCase& c : cases) {
    int32_t result = 0;
    const auto s = stream(c.ops, c.offsets, c.literals, static_cast<uint32_t>(c.expected.size()));
    const auto out = decode(s, c.expected.size(), &result);
    EXPECT_EQ(result, static_cast<int32_t>(c.expected.size())) << c.name;
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + c.expected.size()), c.expected) << c.name;
  }
  // 504 literals in blocks of 252, then operation 7 with offset byte 2.
  int32_t result = 0;
  std::vector<uint8_t> ops = {1, 252, 1, 252, 7};
  const auto out = decode(stream(ops, {2}, many, 506), 506, &result);
  EXPECT_EQ(result, 506);
  EXPECT_EQ(out, farCopy);
}

TEST(LZDecompress, MalformedStreamsAreRefused) {
  struct Bad {
    std::string name;
    std::vector<uint8_t> s;
    size_t capacity;
  };
  std::vector<uint8_t> shortHeader(20, 0);
  std::vector<uint8_t> streamsPastEnd = stream({0}, {}, {1}, 1);
  streamsPastEnd.pop_back();
  const std::vector<Bad> cases = {
      {"short header", shortHeader, 16},
      {"streams past the end", streamsPastEnd, 16},
      {"literal stream exhausted", stream({0, 0}, {}, {1}, 2), 16},
      {"back reference before the start", stream({0, 3}, {5}, {1}, 4), 16},
      {"absolute position not yet written", stream({0, 2, 3}, {0, 1}, {1}, 4), 16},
      {"offset stream exhausted", stream({0, 3}, {}, {1}, 4), 16},
      {"operation stream ends inside an operation", stream({1, 0}, {}, {1}, 4), 16},
      {"more output than announced", stream({0, 0}, {}, {1, 2}, 1), 16},
      {"less output than announced", stream({0}, {}, {1}, 3), 16},
      {"announced length over the capacity", stream({0}, {}, {1}, 1), 0},
      {"header start inside the fields", [] {
         auto s = stream({0}, {}, {1}, 1);
         s[1] = 4;
         return s;
       }(), 16},
  };
  for (const Bad& c : cases) {
    int32_t result = 0;
    decode(c.s, c.capacity, &result);
    EXPECT_EQ(result, -1) << c.name;
  }
}

TEST(LZEncoder, RoundTripsThroughTheDecoder) {
  std::mt19937 random(7);
  std::vector<std::vector<uint8_t>> inputs;
  inputs.push_back({});
  inputs.push_back({42});
  inputs.push_back(std::vector<uint8_t>(1000, 9));
  std::vector<uint8_t> noise(5000);
  for (auto& b : noise) b = static_cast<uint8_t>(random());
  inputs.push_back(noise);
  // Image-like data past the 64 KiB that absolute positions reach.
  std::vector<uint8_t> picture;
  for (int y = 0; y < 400; ++y) {
    for (int x = 0; x < 240; ++x) picture.push_back(static_cast<uint8_t>(((x / 8) ^ (y / 5)) + (random() % 3 == 0)));
  }
  inputs.push_back(picture);
  for (const auto& input : inputs) {
    const std::vector<uint8_t> packed = imgpack::encodeLZ(input.data(), input.size());
    ASSERT_EQ(QZLZ::outputLength(packed.data(), packed.size()), static_cast<int32_t>(input.size()));
    std::vector<uint8_t> out(input.size());
    EXPECT_EQ(QZLZ::decompress(packed.data(), packed.size(), out.data(), out.size()), static_cast<int32_t>(input.size()));
    EXPECT_EQ(out, input);
  }
  const std::vector<uint8_t> flat(60000, 3);
  EXPECT_LT(imgpack::encodeLZ(flat.data(), flat.size()).size(), 1000u);
}

}  // namespace
