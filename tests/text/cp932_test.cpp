#include "text/cp932.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "text/text_file.h"

namespace text {
namespace {

// A temporary path of this test process: tests run side by side.
std::filesystem::path TempFile(const std::string& name) {
  return std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + "_" + name);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The whole real files decode and encode back to the same bytes, line by line
// through the reader and writer the program uses.
class RealFileRoundTrip : public ::testing::TestWithParam<const char*> {};

TEST_P(RealFileRoundTrip, ReadAndWrittenBackByteForByte) {
  const std::string path = std::string(JAPANPOST_DIR) + "/" + GetParam();
  const std::string original = ReadBytes(path);
  ASSERT_GT(original.size(), 1000000u);

  TextFileReader reader;
  ASSERT_TRUE(reader.Open(path)) << reader.error();
  const auto copy = TempFile(GetParam());
  TextFileWriter writer;
  ASSERT_TRUE(writer.Open(copy));
  std::u16string line;
  long lines = 0;
  while (reader.Next(line)) {
    ASSERT_TRUE(reader.error().empty()) << reader.error();
    ASSERT_TRUE(writer.WriteLine(line)) << writer.error();
    ++lines;
  }
  ASSERT_TRUE(writer.Close());
  EXPECT_EQ(ReadBytes(copy.string()), original);
  EXPECT_GT(lines, 20000);
  std::filesystem::remove(copy);
}

INSTANTIATE_TEST_SUITE_P(JapanPost, RealFileRoundTrip, ::testing::Values("KEN_ALL.CSV", "JIGYOSYO.CSV"));

TEST(Cp932, DecodesKanjiKanaAndFullWidthSigns) {
  Cp932 codec;
  std::u16string text;
  // 大通西（１～１９丁目） and ｵｵﾄﾞｵﾘ as Japan Post writes them.
  ASSERT_TRUE(codec.Decode(
      "\x91\xe5\x92\xca\x90\xbc\x81\x69\x82\x50\x81\x60\x82\x50\x82\x58\x92\x9a\x96\xda\x81\x6a", text));
  EXPECT_EQ(text, u"大通西（１～１９丁目）");
  ASSERT_TRUE(codec.Decode("\xb5\xb5\xc4\xde\xb5\xd8", text));
  EXPECT_EQ(text, u"ｵｵﾄﾞｵﾘ");
}

TEST(Cp932, BadBytesAreMarkedAndTheRestIsKept) {
  Cp932 codec;
  std::u16string text;
  // 0x85 0x40 lies in an unassigned row; "AB" around it must survive.
  EXPECT_FALSE(
      codec.Decode("A\x85\x40"
                   "B",
                   text));
  ASSERT_GE(text.size(), 3u);
  EXPECT_EQ(text.front(), u'A');
  EXPECT_EQ(text.back(), u'B');
  EXPECT_NE(text.find(u'\uFFFD'), std::u16string::npos);
}

TEST(Cp932, UnwritableCharacterIsFoundByPosition) {
  Cp932 codec;
  std::string bytes;
  size_t bad = 99;
  EXPECT_FALSE(codec.Encode(u"AB\u00E9C", bytes, &bad));  // é has no code page 932 form
  EXPECT_EQ(bad, 2u);
  EXPECT_TRUE(codec.Encode(u"髙", bytes));  // an IBM extension kanji does
}

TEST(TextFiles, ReaderNamesFileAndLineOfBadBytesAndKeepsGoing) {
  const auto path = TempFile("bad_bytes.CSV");
  std::ofstream(path, std::ios::binary) << "first\r\nse\x85\x40"
                                           "cond\r\nthird\r\n";
  TextFileReader reader;
  ASSERT_TRUE(reader.Open(path));
  std::u16string line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_TRUE(reader.error().empty());
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(reader.error(),
            path.filename().string() + " の 2 行目に Shift_JIS として読めないバイトがあります。");
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, u"third");
  EXPECT_TRUE(reader.error().empty());
  EXPECT_FALSE(reader.Next(line));
  std::filesystem::remove(path);
}

TEST(TextFiles, WriterNamesFileLineAndCharacterItCannotWrite) {
  const auto path = TempFile("unwritable.TXT");
  TextFileWriter writer;
  ASSERT_TRUE(writer.Open(path));
  EXPECT_TRUE(writer.WriteLine(u"一"));
  EXPECT_FALSE(writer.WriteLine(u"x\u00E9y"));
  EXPECT_EQ(writer.error(), path.filename().string() + " の 2 行目の文字「é」は Shift_JIS で書けません。");
  ASSERT_TRUE(writer.Close());
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(bytes, "\x88\xea\r\nx?y\r\n");  // nothing else lost
  std::filesystem::remove(path);
}

TEST(TextFiles, LastLineWithoutLineEndIsRead) {
  const auto path = TempFile("no_final_crlf.txt");
  std::ofstream(path, std::ios::binary) << "a\r\nb";
  TextFileReader reader;
  ASSERT_TRUE(reader.Open(path));
  std::u16string line;
  ASSERT_TRUE(reader.Next(line));
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, u"b");
  EXPECT_FALSE(reader.Next(line));
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace text
