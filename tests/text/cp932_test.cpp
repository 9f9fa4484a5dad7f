#include "text/cp932.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include <fstream>
#include <sstream>

#include "icu_reference.h"
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

INSTANTIATE_TEST_SUITE_P(RealData, RealFileRoundTrip, ::testing::Values("KEN_ALL.CSV", "JIGYOSYO.CSV"),
                         [](const auto& instance) {
                           std::string name = instance.param;
                           std::replace(name.begin(), name.end(), '.', '_');
                           return name;
                         });

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

// The tables give exactly what the converter gives: every byte and pair of
// bytes decoded (inside runs of ASCII, which go many bytes at a time, at
// every place of a block; before ASCII, a kanji, a lead byte, or the end),
// every character encoded (also the ones without a form, and halves of pairs
// standing alone or before another half), every character beyond the BMP.
TEST(Cp932, TablesAgreeWithTheConverter) {
  Cp932 codec;
  std::u16string by_table, by_icu;
  std::string bytes_by_table, bytes_by_icu;
  const std::string byte_endings[] = {"z,0123456789\"~!", "", "\x88\x9F", "\x81"};
  for (int lead = 0; lead < 256; ++lead) {
    for (int trail = -1; trail < 256; ++trail) {
      for (const std::string& ending : byte_endings) {
        std::string bytes =
            std::string(1 + (lead + trail + 1) % 17, 'a') + std::string(1, static_cast<char>(lead));
        if (trail >= 0) bytes += static_cast<char>(trail);
        bytes += ending;
        ASSERT_EQ(codec.Decode(bytes, by_table), Cp932DecodeByIcu(bytes, by_icu)) << lead << " " << trail;
        ASSERT_EQ(by_table, by_icu) << lead << " " << trail;
      }
    }
  }
  const auto encode_alike = [&](const std::u16string& text) {
    size_t bad_by_table = 0, bad_by_icu = 0;
    bool reads_back = false;
    bytes_by_table = bytes_by_icu = "x";
    const bool written = codec.Encode(text, bytes_by_table, &bad_by_table, &reads_back);
    ASSERT_EQ(written, Cp932EncodeByIcu(text, bytes_by_icu, &bad_by_icu));
    ASSERT_EQ(bytes_by_table, bytes_by_icu);
    if (written) {
      ASSERT_TRUE(codec.Decode(std::string_view(bytes_by_table).substr(1), by_table) || !reads_back);
      ASSERT_EQ(reads_back, by_table == text);
    } else {
      ASSERT_EQ(bad_by_table, bad_by_icu);
      ASSERT_FALSE(reads_back);
    }
  };
  const std::u16string text_endings[] = {u"z,0123456789\"~!", u"", u"\xDC00", u"亜"};
  for (char32_t c = 0; c < 0x10000; ++c) {
    for (const std::u16string& ending : text_endings) {
      encode_alike(std::u16string(1 + c % 9, u'a') + std::u16string(1, static_cast<char16_t>(c)) + ending);
      ASSERT_FALSE(HasFailure()) << std::hex << static_cast<uint32_t>(c);
    }
  }
  for (char32_t c = 0x10000; c < 0x110000; ++c) {
    encode_alike(u"a" +
                 std::u16string{static_cast<char16_t>(0xD7C0 + (c >> 10)),
                                static_cast<char16_t>(0xDC00 | (c & 0x3FF))} +
                 u"b");
    ASSERT_FALSE(HasFailure()) << std::hex << static_cast<uint32_t>(c);
  }
}

// And on every line of the real files, both ways.
TEST_P(RealFileRoundTrip, TablesAgreeWithTheConverter) {
  const std::string path = std::string(JAPANPOST_DIR) + "/" + GetParam();
  std::ifstream in(path, std::ios::binary);
  Cp932 codec;
  std::u16string by_table, by_icu;
  std::string bytes_by_table, bytes_by_icu;
  std::string line;
  long lines = 0;
  while (std::getline(in, line)) {
    ASSERT_EQ(codec.Decode(line, by_table), Cp932DecodeByIcu(line, by_icu)) << lines;
    ASSERT_EQ(by_table, by_icu) << lines;
    bytes_by_table.clear();
    bytes_by_icu.clear();
    ASSERT_EQ(codec.Encode(by_table, bytes_by_table), Cp932EncodeByIcu(by_table, bytes_by_icu)) << lines;
    ASSERT_EQ(bytes_by_table, bytes_by_icu) << lines;
    ++lines;
  }
  EXPECT_GT(lines, 20000);
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

TEST(TextFiles, ReaderSkipsALineOverTheLimitAndSaysWhere) {
  const auto path = TempFile("long_line.CSV");
  std::ofstream(path, std::ios::binary) << "a\r\n" << std::string(kMaxLineBytes + 1, 'x') << "\r\nb\r\n";
  TextFileReader reader;
  ASSERT_TRUE(reader.Open(path));
  std::u16string line;
  ASSERT_TRUE(reader.Next(line));
  ASSERT_TRUE(reader.Next(line));
  EXPECT_TRUE(reader.line_too_long());
  EXPECT_EQ(line, u"");
  EXPECT_EQ(reader.error(),
            path.filename().string() + " の 2 行目は 65536 バイトを超えるため読み飛ばしました。");
  ASSERT_TRUE(reader.Next(line));
  EXPECT_FALSE(reader.line_too_long());
  EXPECT_EQ(line, u"b");
  std::filesystem::remove(path);
}

TEST(TextFiles, ForeignEncodingsAreRecognised) {
  EXPECT_EQ(ForeignEncoding("01101,\"\xe5\x8c\x97\xe6\xb5\xb7\xe9\x81\x93\""), "UTF-8");  // "北海道"
  EXPECT_EQ(ForeignEncoding("\xef\xbb\xbf"
                            "01101"),
            "UTF-8");
  EXPECT_EQ(ForeignEncoding("\xff\xfe"
                            "0\0"
                            "1\0"),
            "UTF-16");
  // ﾎｯｶｲﾄﾞｳ and 北海道 in code page 932, and plain ASCII.
  EXPECT_EQ(ForeignEncoding("01101,\"\xce\xaf\xb6\xb2\xc4\xde\xb3\",\"\x96\x6b\x8a\x43\x93\xb9\""), "");
  EXPECT_EQ(ForeignEncoding("01101,\"060  \""), "");
}

// A file that cannot be written whole is never put in place: the old file
// stays, and no temporary file is left. A full disk is a file size limit here.
TEST(TextFiles, WriterReplacesTheFileOnlyWhenWholeWritten) {
  const auto path = TempFile("whole.TXT");
  std::ofstream(path, std::ios::binary) << "old\r\n";
  auto contents = [&] {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  };
  {
    TextFileWriter writer;
    ASSERT_TRUE(writer.Open(path));
    EXPECT_TRUE(writer.WriteLine(u"abandoned"));
  }  // destroyed without Close
  EXPECT_EQ(contents(), "old\r\n");

  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 100000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  TextFileWriter writer;
  ASSERT_TRUE(writer.Open(path));
  bool written = true;
  for (int i = 0; i < 200000 && written; ++i) written = writer.WriteLine(u"0600042 the disk fills up");
  const bool closed = writer.Close();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_FALSE(written);
  EXPECT_FALSE(closed);
  EXPECT_TRUE(writer.failed());
  EXPECT_EQ(writer.error(), path.string() + ": File too large に書き込めません。");
  EXPECT_EQ(contents(), "old\r\n");
  for (const auto& entry : std::filesystem::directory_iterator(path.parent_path())) {
    EXPECT_FALSE(entry.path().filename().string().starts_with(path.filename().string() + "."))
        << entry.path() << " left behind";
  }

  TextFileWriter in_missing_folder;
  EXPECT_FALSE(in_missing_folder.Open(path / "x.TXT"));
  EXPECT_EQ(in_missing_folder.error(), (path / "x.TXT").string() + ": Not a directory を作成できません。");
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace text
