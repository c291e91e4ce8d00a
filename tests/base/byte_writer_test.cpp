#include "base/byte_writer.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "base/byte_reader.h"

namespace {

TEST(ByteWriterTest, GrowingBufferTakesBothByteOrders) {
  base::ByteWriter w;
  EXPECT_TRUE(w.writeU8(0x12));
  EXPECT_TRUE(w.writeBE16(0x3456));
  EXPECT_TRUE(w.writeLE32(0xDEBC9A78u));
  EXPECT_TRUE(w.writeLE16(0x0102));
  EXPECT_TRUE(w.writeBE32(0x03040506u));
  const std::vector<uint8_t> expected = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0x02, 0x01, 3, 4, 5, 6};
  EXPECT_EQ(std::vector<uint8_t>(w.written().begin(), w.written().end()), expected);
  EXPECT_EQ(w.take(), expected);
  EXPECT_EQ(w.size(), 0u);
}

TEST(ByteWriterTest, FixedBufferFailsAtItsEndAndStaysFailed) {
  std::array<uint8_t, 5> buffer{};
  base::ByteWriter w(buffer);
  EXPECT_TRUE(w.writeBE32(0x01020304u));
  EXPECT_FALSE(w.writeBE16(0x0506));  // one byte left
  EXPECT_TRUE(w.failed());
  EXPECT_EQ(buffer[4], 0u);  // nothing of the failed value was written
  EXPECT_FALSE(w.writeU8(7));
  EXPECT_EQ(buffer[4], 0u);
  EXPECT_EQ(w.size(), 4u);
}

TEST(ByteWriterTest, SeekBackOverwritesAndKeepsTheSize) {
  base::ByteWriter w;
  EXPECT_TRUE(w.writeBE16(0));
  EXPECT_TRUE(w.writeBytes(std::array<uint8_t, 3>{7, 8, 9}));
  EXPECT_TRUE(w.seek(0));
  EXPECT_TRUE(w.writeBE16(3));
  EXPECT_EQ(w.size(), 5u);
  EXPECT_FALSE(w.seek(6));  // beyond what was written
  EXPECT_TRUE(w.failed());
  const std::vector<uint8_t> expected = {0, 3, 7, 8, 9};
  EXPECT_EQ(w.take(), expected);
}

TEST(ByteWriterTest, SkipZeroFillsAGrowingBufferAndLeavesAFixedOne) {
  base::ByteWriter growing;
  EXPECT_TRUE(growing.writeU8(1));
  EXPECT_TRUE(growing.skip(2));
  EXPECT_EQ(growing.take(), (std::vector<uint8_t>{1, 0, 0}));

  std::array<uint8_t, 3> buffer = {9, 9, 9};
  base::ByteWriter fixed(buffer);
  EXPECT_TRUE(fixed.skip(2));
  EXPECT_TRUE(fixed.writeU8(1));
  EXPECT_EQ(buffer, (std::array<uint8_t, 3>{9, 9, 1}));
  EXPECT_FALSE(fixed.skip(1));
}

TEST(ByteWriterTest, FieldsRoundTripThroughTheReader) {
  enum class Kind : uint16_t { B = 0xBEEF };
  base::ByteWriter w;
  EXPECT_TRUE(w.writeBE(int16_t{-2}));
  EXPECT_TRUE(w.writeLE(Kind::B));
  EXPECT_TRUE(w.writeLE(uint32_t{0x11223344}));
  EXPECT_TRUE(w.writeBE(int8_t{-1}));
  const std::vector<uint8_t> bytes = w.take();
  base::ByteReader r(bytes);
  int16_t s = 0;
  Kind k{};
  uint32_t u = 0;
  int8_t c = 0;
  EXPECT_TRUE(r.readBE(s) && r.readLE(k) && r.readLE(u) && r.readBE(c));
  EXPECT_EQ(s, -2);
  EXPECT_EQ(k, Kind::B);
  EXPECT_EQ(u, 0x11223344u);
  EXPECT_EQ(c, -1);
  EXPECT_EQ(r.remaining(), 0u);
}

TEST(ByteWriterTest, NullFixedBufferHoldsNothing) {
  base::ByteWriter w(nullptr, 8);
  EXPECT_EQ(w.remaining(), 0u);
  EXPECT_FALSE(w.writeU8(1));
}

}  // namespace
