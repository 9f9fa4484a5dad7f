// The line sources beside the code-page-932 file: a UTF-8 file, and a
// damaged zip. (The real zips, streamed whole, are read in the converter's
// tests; the names inside zips in the start-up's.)
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <regex>

#include "support/zip_files.h"
#include "text/text_file.h"
#include "text/zip_entry.h"

namespace text {
namespace {

namespace fs = std::filesystem;

fs::path ScratchPath(const std::string& name) {
  return fs::temp_directory_path() / (std::to_string(::getpid()) + "_" + name);
}

// Every line of source with the error after it, the end's error last.
std::vector<std::pair<std::u16string, std::string>> ReadAll(LineSource& source) {
  std::vector<std::pair<std::u16string, std::string>> lines;
  std::u16string line;
  while (source.Next(line)) lines.emplace_back(line, source.error());
  lines.emplace_back(u"<end>", source.error());
  return lines;
}

TEST(LineSources, Utf8FileReportsBadBytesByLineKeepsTheRestAndDropsTheByteOrderMark) {
  const fs::path path = ScratchPath("utf8.csv");
  std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBF"
                                           "a\r\n\xE3\x83\x9B\r\nb\xFF"
                                           "c\r\n\xE2\x88\x92";
  TextFileReader reader(Encoding::kUtf8);
  ASSERT_TRUE(reader.Open(path));
  const std::string bad = path.filename().string() + " の 3 行目に UTF-8 として読めないバイトがあります。";
  EXPECT_EQ(ReadAll(reader),
            (std::vector<std::pair<std::u16string, std::string>>{
                {u"a", ""}, {u"ホ", ""}, {u"b\uFFFDc", bad}, {u"\u2212", ""}, {u"<end>", ""}}));
  fs::remove(path);
}

// More lines than one block of reading holds, so that the damage is met
// after the first pieces of the stream.
std::string ManyLines() {
  std::string bytes;
  for (int i = 0; i < 60000; ++i) bytes += "line " + std::to_string(i * 7919 % 100003) + ",\x88\xea\r\n";
  return bytes;
}

TEST(ZipEntries, DamageIsReportedWithTheNameWhereItIsMet) {
  const fs::path not_zip = ScratchPath("not.zip");
  std::ofstream(not_zip) << "PK\x03\x04 cut short";
  EXPECT_EQ(FindZipEntry(not_zip, "KEN_ALL.CSV").error, "Not a zip archive");
  std::string error;
  EXPECT_EQ(OpenZipEntry(not_zip, "KEN_ALL.CSV", error), nullptr);
  EXPECT_EQ(error, "Not a zip archive");

  // A sound directory over damaged data: found, opened, and the reading ends
  // early with a message instead of a silent short file.
  const fs::path zip = ScratchPath("damaged.zip");
  ASSERT_TRUE(test_support::WriteZip(zip, {{"KEN_ALL.CSV", ManyLines()}}));
  {
    std::fstream file(zip, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>(fs::file_size(zip) / 2));
    file << std::string(64, '\xA5');
  }
  ASSERT_EQ(FindZipEntry(zip, "KEN_ALL.CSV").entry, "KEN_ALL.CSV");
  TextFileReader reader;
  reader.Open(OpenZipEntry(zip, "KEN_ALL.CSV", error), "damaged.zip 内の KEN_ALL.CSV");
  const auto lines = ReadAll(reader);
  EXPECT_TRUE(
      std::regex_match(lines.back().second,
                       std::regex("damaged.zip 内の KEN_ALL.CSV の \\d+ 行目から先を読めません \\(.+\\)。")))
      << lines.back().second;
  fs::remove(not_zip);
  fs::remove(zip);
}

}  // namespace
}  // namespace text
