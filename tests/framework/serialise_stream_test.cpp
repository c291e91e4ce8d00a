#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "app_serialise_stream.h"

namespace {

struct Sample {
  uint8_t flag = 1;
  uint16_t word = 0x1234;
  uint32_t big = 0xA1B2C3D4;
  uint8_t raw[3] = {7, 8, 9};
  uint16_t text[4] = {u'a', u'b', u'c', 0};
};

QZStatus walkSample(SerialiseStream& s, Sample& v) {
  QZStatus worst = 0;
  for (QZStatus st : {serialiseU8(s, &v.flag, 1), serialiseU16(s, &v.word, 1), serialiseU32(s, &v.big, 1),
                      serialiseBytes(s, 3, v.raw), serialiseU16Array(s, 4, v.text)}) {
    if (st != 0) worst = st;
  }
  return worst;
}

SerialiseStream memoryStream(int32_t mode, std::vector<uint8_t>& block) {
  return SerialiseStream{mode, block.data(), static_cast<uint16_t>(block.size()), 0, nullptr};
}

}  // namespace

TEST(SerialiseStream, CountWriteReadInMemory) {
  Sample in;
  SerialiseStream counter;
  ASSERT_EQ(walkSample(counter, in), 0);
  ASSERT_EQ(counter.position, 1 + 2 + 4 + 3 + 8);
  std::vector<uint8_t> block(counter.position, 0);
  SerialiseStream writer = memoryStream(SERIALISE_WRITE_MEMORY, block);
  ASSERT_EQ(walkSample(writer, in), 0);
  EXPECT_EQ(writer.position, writer.limit);
  const std::vector<uint8_t> expected = {1, 0x12, 0x34, 0xA1, 0xB2, 0xC3, 0xD4, 7, 8, 9, 0, 'a', 0, 'b', 0, 'c', 0, 0};
  EXPECT_EQ(block, expected);
  Sample out{0, 0, 0, {0, 0, 0}, {0, 0, 0, 0}};
  SerialiseStream reader = memoryStream(SERIALISE_READ_MEMORY, block);
  ASSERT_EQ(walkSample(reader, out), 0);
  EXPECT_EQ(out.word, 0x1234);
  EXPECT_EQ(out.big, 0xA1B2C3D4u);
  EXPECT_EQ(out.raw[2], 9);
  EXPECT_EQ(out.text[2], u'c');
}

TEST(SerialiseStream, RecordModesGoThroughTheDatabaseAccessors) {
  CQZCoreDatabaseWin32 db;
  Sample in;
  std::vector<uint8_t> record(18, 0);
  SerialiseStream writer{SERIALISE_WRITE_RECORD, record.data(), 18, 0, &db};
  ASSERT_EQ(walkSample(writer, in), 0);
  EXPECT_EQ(record[1], 0x12);
  Sample out{};
  out.big = 0;
  SerialiseStream reader{SERIALISE_READ_RECORD, record.data(), 18, 0, &db};
  ASSERT_EQ(walkSample(reader, out), 0);
  EXPECT_EQ(out.big, 0xA1B2C3D4u);
  SerialiseStream noDatabase{SERIALISE_READ_RECORD, record.data(), 18, 0, nullptr};
  EXPECT_EQ(walkSample(noDatabase, out), -10);
}

TEST(SerialiseStream, ZeroCountDoesNothingInEveryMode) {
  std::vector<uint8_t> block(4, 0);
  for (int32_t mode : {0, 3, 4}) {
    SerialiseStream s = memoryStream(mode, block);
    uint8_t b = 0;
    uint16_t w = 0;
    uint32_t d = 0;
    EXPECT_EQ(serialiseBytes(s, 0, &b), 0);
    EXPECT_EQ(serialiseU8(s, &b, 0), 0);
    EXPECT_EQ(serialiseU16(s, &w, 0), 0);
    EXPECT_EQ(serialiseU32(s, &d, 0), 0);
    EXPECT_EQ(serialiseU16Array(s, 0, &w), 0);
    EXPECT_EQ(s.position, 0) << mode;
  }
}

// Overruns never touch the byte past the block, and position still advances.
TEST(SerialiseStream, OverrunsStopAtTheLimit) {
  Sample in;
  std::vector<uint8_t> backing(18, 0xEE);
  SerialiseStream writer{SERIALISE_WRITE_MEMORY, backing.data(), 17, 0, nullptr};
  EXPECT_EQ(walkSample(writer, in), -10);
  EXPECT_EQ(backing[17], 0xEE);
  EXPECT_EQ(writer.position, 18);

  std::vector<uint8_t> five(6, 0xEE);
  SerialiseStream s{SERIALISE_WRITE_MEMORY, five.data(), 5, 0, nullptr};
  uint32_t values[2] = {0x01020304, 0x05060708};
  EXPECT_EQ(serialiseU32(s, values, 2), -10);
  EXPECT_EQ(five, (std::vector<uint8_t>{1, 2, 3, 4, 0xEE, 0xEE}));
  EXPECT_EQ(s.position, 8);

  uint8_t bytes[4] = {9, 9, 9, 9};
  SerialiseStream u8{SERIALISE_READ_MEMORY, five.data(), 2, 1, nullptr};
  EXPECT_EQ(serialiseU8(u8, bytes, 3), -10);
  EXPECT_EQ(bytes[0], 2);
  EXPECT_EQ(bytes[1], 9);
  EXPECT_EQ(u8.position, 4);
}

TEST(SerialiseStream, ArrayOfElevenAgainstLimits) {
  std::array<uint16_t, 11> text{};
  text.fill(0x4142);
  std::vector<uint8_t> block(22, 0);
  SerialiseStream ok = memoryStream(SERIALISE_WRITE_MEMORY, block);
  EXPECT_EQ(serialiseU16Array(ok, 11, text.data()), 0);
  std::fill(block.begin(), block.end(), 0);
  SerialiseStream short1{SERIALISE_WRITE_MEMORY, block.data(), 21, 0, nullptr};
  EXPECT_EQ(serialiseU16Array(short1, 11, text.data()), -10);
  EXPECT_EQ(block[19], 0x42);
  EXPECT_EQ(block[20], 0);
  EXPECT_EQ(short1.position, 22);
}

TEST(SerialiseStream, PositionStopsAtTheTopInsteadOfWrapping) {
  SerialiseStream counter;
  uint8_t dummy = 0;
  serialiseBytes(counter, 60000, &dummy);
  serialiseBytes(counter, 60000, &dummy);
  EXPECT_EQ(counter.position, 0xFFFF);
  std::vector<uint8_t> block(8, 0);
  SerialiseStream writer{SERIALISE_WRITE_MEMORY, block.data(), 8, 0xFFF0, nullptr};
  uint32_t value = 1;
  EXPECT_EQ(serialiseU32(writer, &value, 8), -10);
  EXPECT_EQ(serialiseU32(writer, &value, 1), -10);
  EXPECT_EQ(block, std::vector<uint8_t>(8, 0));
}
