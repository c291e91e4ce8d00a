#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ce_file.h"

#include "wince/host/file.h"

namespace fs = std::filesystem;

namespace {

class CeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::path(PELLWYN_TEST_TMP) /
            (std::string("ce_file_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    ASSERT_TRUE(wince::setDeviceRoot(root_));
  }

  void Put(const char* name, const std::string& bytes) { std::ofstream(root_ / name, std::ios::binary) << bytes; }

  std::string Get(const char* name) {
    std::ifstream in(root_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::u16string Line(CeFile& file, int maximum = 64) {
    WCHAR buffer[64];
    const int units = file.ReadLine(buffer, maximum);
    EXPECT_EQ(static_cast<size_t>(units), std::u16string(buffer).size());
    return buffer;
  }

  fs::path root_;
};

TEST_F(CeFileTest, Utf16TextSkipsTheMarkAndEndsLinesAtCarriageReturns) {
  // FF FE, then "one\r\ntwo\rthr\nee" in UTF-16LE.
  std::string bytes = "\xFF\xFE";
  for (char16_t c : std::u16string(u"one\r\ntwo\rthr\nee")) {
    bytes += static_cast<char>(c);
    bytes += '\0';
  }
  Put("u.txt", bytes);
  CeFile file;
  ASSERT_TRUE(file.OpenText(u"\\u.txt", GENERIC_READ, 0, false));
  EXPECT_TRUE(file.IsUnicode());
  EXPECT_FALSE(file.AtEnd());
  EXPECT_EQ(Line(file), u"one");
  EXPECT_FALSE(file.AtEnd());  // text read ahead
  EXPECT_EQ(Line(file), u"two");
  EXPECT_EQ(Line(file), u"thr\nee");  // an LF alone belongs to the line
  EXPECT_TRUE(file.AtEnd());
  EXPECT_EQ(Line(file), u"");
}

TEST_F(CeFileTest, AnsiTextAndLongLines) {
  Put("a.txt", "caf\xE9 au lait\r\nend");
  CeFile file;
  ASSERT_TRUE(file.OpenText(u"\\a.txt", GENERIC_READ, 0, false));
  EXPECT_FALSE(file.IsUnicode());
  EXPECT_EQ(Line(file, 5), u"caf\u00e9");  // 5 units with the terminator
  EXPECT_EQ(Line(file, 5), u" au ");
  EXPECT_EQ(Line(file), u"lait");
  EXPECT_TRUE(file.SeekToStart());  // drops the text read ahead
  EXPECT_EQ(Line(file), u"caf\u00e9 au lait");
  EXPECT_EQ(Line(file), u"end");
  EXPECT_EQ(Line(file), u"");
}

TEST_F(CeFileTest, WrittenLinesReadBack) {
  for (bool ansi : {false, true}) {
    CeFile out;
    ASSERT_TRUE(out.Create(u"\\w.txt", GENERIC_WRITE, FILE_ATTRIBUTE_NORMAL, true));
    if (!ansi) {
      EXPECT_TRUE(out.WriteByteOrderMark());
    }
    EXPECT_EQ(out.WriteLine(u"first line", ansi), ansi ? 10 : 20);
    EXPECT_EQ(out.WriteLine(u"\u00c9t\u00e9", ansi), ansi ? 3 : 6);
    EXPECT_EQ(out.WriteLine(u"", ansi), 0);
    EXPECT_EQ(out.IsUnicode(), !ansi);
    out.Close(true);

    CeFile in;
    ASSERT_TRUE(in.OpenText(u"\\w.txt", GENERIC_READ, 0, false));
    EXPECT_EQ(in.IsUnicode(), !ansi);
    EXPECT_EQ(Line(in), u"first line");
    EXPECT_EQ(Line(in), u"\u00c9t\u00e9");
    EXPECT_EQ(Line(in), u"");
    EXPECT_TRUE(in.AtEnd());
  }
  EXPECT_EQ(Get("w.txt"), "first line\r\n\xC9t\xE9\r\n\r\n");
}

TEST_F(CeFileTest, RawAccessNeedsTheRightAccess) {
  CeFile file;
  ASSERT_TRUE(file.Create(u"\\raw.bin", GENERIC_READ | GENERIC_WRITE, FILE_ATTRIBUTE_NORMAL, false));
  EXPECT_EQ(file.Write("abcdef", 6), 6u);
  EXPECT_EQ(file.GetSize(), 6u);
  EXPECT_EQ(file.GetPosition(), 6u);
  EXPECT_TRUE(file.Seek(1));
  EXPECT_TRUE(file.Skip(2));
  char two[2];
  EXPECT_EQ(file.Read(two, 2), 2u);
  EXPECT_EQ(std::string(two, 2), "de");
  EXPECT_TRUE(file.SeekToEnd());
  EXPECT_TRUE(file.AtEnd());
  EXPECT_TRUE(file.SeekToStart());
  EXPECT_FALSE(file.AtEnd());
  EXPECT_EQ(file.GetPosition(), 0u);
  EXPECT_EQ(file.GetAttributes() & FILE_ATTRIBUTE_DIRECTORY, 0u);
  FILETIME written{};
  EXPECT_TRUE(file.GetLastWriteTime(&written));
  file.Close(true);

  CeFile again;
  EXPECT_FALSE(again.Create(u"\\raw.bin", GENERIC_WRITE, FILE_ATTRIBUTE_NORMAL, false));  // exists
  ASSERT_TRUE(again.OpenText(u"\\raw.bin", GENERIC_READ, 0, false));
  EXPECT_EQ(again.Write("x", 1), 0u);
  EXPECT_EQ(again.WriteLine(u"x", true), 0);
  EXPECT_FALSE(again.WriteByteOrderMark());
  EXPECT_EQ(Get("raw.bin"), "abcdef");
}

TEST_F(CeFileTest, ClosedOrMissingFilesDoNothing) {
  CeFile file;
  EXPECT_FALSE(file.OpenText(u"\\missing.txt", GENERIC_READ, 0, false));
  EXPECT_FALSE(file.IsOpen());
  char byte;
  WCHAR line[4] = u"abc";
  FILETIME time;
  EXPECT_EQ(file.Read(&byte, 1), 0u);
  EXPECT_EQ(file.ReadLine(line, 4), 0);
  EXPECT_EQ(line[0], 0);
  EXPECT_FALSE(file.Seek(0));
  EXPECT_FALSE(file.AtEnd());
  EXPECT_EQ(file.GetSize(), 0u);
  EXPECT_FALSE(file.GetCreationTime(&time));
  file.Close(true);
}

TEST_F(CeFileTest, AnEmptyFileStaysOpen) {
  CeFile file;
  ASSERT_TRUE(file.OpenText(u"\\new.txt", GENERIC_READ | GENERIC_WRITE, 0, true));
  EXPECT_TRUE(file.IsOpen());
  EXPECT_TRUE(file.AtEnd());
  EXPECT_EQ(file.WriteLine(u"kept", true), 4);
  file.Close(true);
  EXPECT_EQ(Get("new.txt"), "kept\r\n");
}

TEST_F(CeFileTest, CreateDirectoryPath) {
  EXPECT_EQ(CreateDirectoryPath(u"\\one\\two\\three\\file.txt"), 3);
  EXPECT_TRUE(fs::is_directory(root_ / "one" / "two" / "three"));
  EXPECT_EQ(CreateDirectoryPath(u"\\one\\two\\three\\other.txt"), 1);  // exists already
  EXPECT_EQ(CreateDirectoryPath(u"\\one\\four\\"), 2);
  EXPECT_TRUE(fs::is_directory(root_ / "one" / "four"));
  EXPECT_EQ(CreateDirectoryPath(u"rel\\sub\\x"), 2);  // no leading backslash: nothing lost
  EXPECT_TRUE(fs::is_directory(root_ / "rel" / "sub"));
  EXPECT_EQ(CreateDirectoryPath(u"file.txt"), 1);  // the root
  Put("plain", "x");
  EXPECT_EQ(CreateDirectoryPath(u"\\plain\\below\\x"), 0);  // a file stands in the way
}

}  // namespace
