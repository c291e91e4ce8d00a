#include "base/byte_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

const std::array<uint8_t, 7> kBytes = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE};

TEST(ByteReaderTest, ReadsBothByteOrdersInSequence) {
  base::ByteReader r(kBytes);
  EXPECT_EQ(r.readU8(), 0x12);
  EXPECT_EQ(r.readBE16(), 0x3456);
  EXPECT_EQ(r.readLE32(), 0xDEBC9A78u);
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.position(), 7u);
  EXPECT_EQ(r.remaining(), 0u);

  base::ByteReader again(kBytes.data(), kBytes.size());
  EXPECT_EQ(again.readLE16(), 0x3412);
  EXPECT_EQ(again.readBE32(), 0x56789ABCu);
}

TEST(ByteReaderTest, ReadPastTheEndFailsAndStaysFailed) {
  base::ByteReader r(kBytes);
  ASSERT_TRUE(r.skip(5));
  EXPECT_EQ(r.readBE32(), 0u);  // only two bytes left
  EXPECT_TRUE(r.failed());
  EXPECT_EQ(r.position(), 5u);
  EXPECT_EQ(r.readU8(), 0u);  // would fit, but the failure is sticky
  EXPECT_FALSE(r.seek(0));
  EXPECT_TRUE(r.rest().empty());
  EXPECT_TRUE(r.viewBytes(0).empty());
}

TEST(ByteReaderTest, SkipAndSeekAreBoundedByTheSize) {
  struct Case {
    size_t skip;
    size_t seek;
    bool ok;
  };
  for (const Case& c : {Case{7, 7, true}, Case{8, 0, false}, Case{0, 8, false}, Case{SIZE_MAX, 0, false}}) {
    base::ByteReader r(kBytes);
    EXPECT_EQ(r.skip(c.skip) && r.seek(c.seek), c.ok) << c.skip << " " << c.seek;
    EXPECT_EQ(r.ok(), c.ok);
  }
}

TEST(ByteReaderTest, FieldsKeepTheirValueOnFailure) {
  base::ByteReader r(kBytes.data(), 3);
  int16_t a = 0;
  uint8_t b = 0;
  uint16_t c = 0xAAAA;
  EXPECT_TRUE(r.readBE(a));
  EXPECT_TRUE(r.readLE(b));
  EXPECT_FALSE(r.readLE(c));
  EXPECT_EQ(a, 0x1234);
  EXPECT_EQ(b, 0x56);
  EXPECT_EQ(c, 0xAAAA);
}

TEST(ByteReaderTest, SignedAndEnumFields) {
  enum class Kind : uint32_t { A = 0xFFFFFFFE };
  const std::array<uint8_t, 6> bytes = {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFE};
  base::ByteReader r(bytes);
  int16_t s = 0;
  Kind k{};
  EXPECT_TRUE(r.readBE(s));
  EXPECT_TRUE(r.readBE(k));
  EXPECT_EQ(s, -2);
  EXPECT_EQ(k, Kind::A);
}

TEST(ByteReaderTest, BytesViewsAndSubReaders) {
  base::ByteReader r(kBytes);
  std::array<uint8_t, 2> out{};
  EXPECT_TRUE(r.readBytes(out.data(), out.size()));
  EXPECT_EQ(out[1], 0x34);
  const auto view = r.viewBytes(2);
  ASSERT_EQ(view.size(), 2u);
  EXPECT_EQ(view[0], 0x56);
  base::ByteReader sub = r.subReader(2);
  EXPECT_EQ(sub.size(), 2u);
  EXPECT_EQ(sub.readBE16(), 0x9ABC);
  EXPECT_EQ(sub.readU8(), 0u);
  EXPECT_TRUE(sub.failed());
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.rest().size(), 1u);
  base::ByteReader tooLong = r.subReader(2);
  EXPECT_TRUE(tooLong.failed());
  EXPECT_TRUE(r.failed());
}

TEST(ByteReaderTest, EmptyAndNullInputs) {
  base::ByteReader none;
  EXPECT_EQ(none.remaining(), 0u);
  EXPECT_TRUE(none.skip(0));
  EXPECT_EQ(none.readU8(), 0u);
  EXPECT_TRUE(none.failed());
  base::ByteReader null(nullptr, 10);  // a null block has no bytes whatever its size says
  EXPECT_EQ(null.size(), 0u);
  EXPECT_FALSE(null.skip(1));
}

TEST(ByteReaderTest, CallerMayFailTheInput) {
  base::ByteReader r(kBytes);
  r.fail();
  EXPECT_FALSE(r.has(1));
  EXPECT_EQ(r.readU8(), 0u);
}

}  // namespace
