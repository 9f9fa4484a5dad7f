// The line sources beside the code-page-932 file: a UTF-8 file, and a
// damaged zip. (The real zips, streamed whole, are read in the converter's
// tests; the names inside zips in the start-up's.)
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <regex>
#include <stdexcept>

#include "support/zip_files.h"
#include "text/read_ahead_lines.h"
#include "text/text_file.h"
#include "text/zip_entry.h"
#include "text/zip_library.h"

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
  EXPECT_FALSE(FindZipEntry(not_zip, "KEN_ALL.CSV").library_missing);
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

// libzip is loaded at the first zip read. The one the build linked loads;
// one missing, or a library without its functions, fails every zip read as an
// unreadable archive does, with the soname and the loader's reason.
TEST(ZipEntries, AnUnloadableLibzipFailsTheReadNamingIt) {
  ASSERT_EQ(LinkedZipLibrary().error, "");
  const fs::path zip = ScratchPath("sound.zip");
  ASSERT_TRUE(test_support::WriteZip(zip, {{"KEN_ALL.CSV", "1\r\n"}}));
  ASSERT_EQ(FindZipEntry(LinkedZipLibrary(), zip, "ken_all.csv").entry, "KEN_ALL.CSV");
  const struct {
    const char* soname;
    const char* reason;
  } cases[] = {
      {"libzip-missing.so.0",
       "libzip-missing.so.0: cannot open shared object file: No such file or directory"},
      {"libc.so.6", "undefined symbol: zip_open"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.soname);
    const ZipLibrary missing = LoadZipLibrary(c.soname);
    const std::string start = std::string("libzip (") + c.soname + ") cannot be loaded: ";
    EXPECT_EQ(missing.error.rfind(start, 0), 0u) << missing.error;
    EXPECT_NE(missing.error.find(c.reason), std::string::npos) << missing.error;
    EXPECT_EQ(missing.open, nullptr);
    const ZipEntryLookup found = FindZipEntry(missing, zip, "KEN_ALL.CSV");
    EXPECT_EQ(found.entry, "");
    EXPECT_EQ(found.error, missing.error);
    EXPECT_TRUE(found.library_missing);
    std::string error;
    EXPECT_EQ(OpenZipEntry(missing, zip, "KEN_ALL.CSV", error), nullptr);
    EXPECT_EQ(error, missing.error);
  }
  fs::remove(zip);
}

// Bytes from memory in small reads; -1 (a failure to read) after fail_after
// bytes when that is given.
class MemoryBytes : public ByteSource {
 public:
  MemoryBytes(std::string bytes, long fail_after) : bytes_(std::move(bytes)), fail_after_(fail_after) {}
  long Read(char* into, size_t size) override {
    if (fail_after_ >= 0 && at_ >= static_cast<size_t>(fail_after_)) return -1;
    const size_t n = std::min({size, bytes_.size() - at_, size_t{4093}});
    std::memcpy(into, bytes_.data() + at_, n);
    at_ += n;
    return static_cast<long>(n);
  }
  std::string error() const override { return "the disk went away"; }

 private:
  std::string bytes_;
  long fail_after_;
  size_t at_ = 0;
};

// A source that throws at its line throw_at, as one would when memory runs out.
class ThrowingLines : public TextFileReader {
 public:
  explicit ThrowingLines(long throw_at) : throw_at_(throw_at) {}
  bool Next(std::u16string& line) override {
    if (line_number() + 1 == throw_at_) throw std::runtime_error("out of memory");
    return TextFileReader::Next(line);
  }

 private:
  long throw_at_;
};

// All a reader sees of a source: each line with its number, error and
// whether it was too long, then how it ended (or what it threw).
std::vector<std::string> Seen(LineSource& source) {
  std::vector<std::string> seen;
  std::u16string line;
  try {
    while (source.Next(line)) {
      seen.push_back(std::to_string(source.line_number()) + " " + ToUtf8(line) + " | " + source.error() +
                     (source.line_too_long() ? " | too long" : ""));
    }
    seen.push_back("end at " + std::to_string(source.line_number()) + " | " + source.error());
  } catch (const std::runtime_error& e) {
    seen.push_back(std::string("threw ") + e.what());
  }
  source.Close();
  return seen;
}

// Read ahead in a thread or not, a reader sees the same lines, numbers,
// errors and end, over many batches of lines.
TEST(LineSources, ReadAheadSeesWhatTheSourceGives) {
  const std::string many = ManyLines();
  const std::string too_long = "a\r\n" + std::string(kMaxLineBytes + 5, 'x') + "\r\nb\r\n";
  struct Case {
    const char* label;
    std::string bytes;
    long fail_after = -1;  // bytes read before reading fails
    long throw_at = 0;     // the line the source throws at
  };
  const Case cases[] = {
      {"many lines", many},
      {"bad bytes",
       "a\r\nb\x81\x20"
       "c\r\n\xA0\r\nd"},
      {"a line too long", too_long},
      {"empty", ""},
      {"reading fails", many, 200000},
      {"the source throws", many, -1, 1500},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    auto open = [&] {
      auto source = std::make_unique<ThrowingLines>(c.throw_at);
      source->Open(std::make_unique<MemoryBytes>(c.bytes, c.fail_after), "KEN_ALL.CSV");
      return source;
    };
    const auto direct = open();
    ReadAheadLines ahead(open());
    EXPECT_EQ(Seen(ahead), Seen(*direct));
  }
  // Closed early, the thread stops without the caller taking the rest.
  ReadAheadLines closed_early([&] {
    auto source = std::make_unique<TextFileReader>();
    source->Open(std::make_unique<MemoryBytes>(many, -1), "KEN_ALL.CSV");
    return source;
  }());
  std::u16string line;
  ASSERT_TRUE(closed_early.Next(line));
  closed_early.Close();
  EXPECT_FALSE(closed_early.Next(line));
}

}  // namespace
}  // namespace text
