// The memory of written word-list lines: every distinct line is new once,
// across the growth of its table, whether the output is a list of lines or a
// file the lines are looked for in (in its buffer and, past the first
// mebibyte, in the file itself), also for lines the file cannot give back as
// they were.
#include "convert/output/write_once.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/notices.h"
#include "dialogs/scripted_dialogs.h"

namespace tessivar {
namespace {

namespace fs = std::filesystem;

std::u16string Numbered(int n) {
  std::u16string line = u"０６０－８５５４\t札幌市中央区北一条西";
  for (char c : std::to_string(n)) line += static_cast<char16_t>(c);
  return line;
}

// Lines that are alike but not the same, and lines whose code page 932 form
// is not theirs alone: "〜" has none (written "?"), the soft hyphen U+00AD
// is written as nothing, U+F86F as the bytes of another character.
const std::vector<std::u16string> kAlike = {
    u"",          u"ab",     u"abc",     u"a?c",    u"a〜c", u"a〜c〜",
    u"a\u00ADbc", u"\uF86F", u"a\tb\tc", u"a\r\nb", u"a",    std::u16string(0x10000, u'Ａ'),
};

// Adds line and writes it when new, as the word list does.
bool AddAndWrite(WrittenLines& written, LineSink& output, const std::u16string& line) {
  if (!written.Add(line, output)) return false;
  output.WriteLine(line);
  return true;
}

// The same lines twice, over 30,000 numbered lines that grow the table many
// times and fill more than a mebibyte of a file.
void ExpectEachLineNewOnce(LineSink& output) {
  WrittenLines written;
  for (const auto& line : kAlike) EXPECT_TRUE(AddAndWrite(written, output, line)) << line.size();
  for (int n = 0; n < 30000; ++n) EXPECT_TRUE(AddAndWrite(written, output, Numbered(n))) << n;
  for (int n = 0; n < 30000; ++n) EXPECT_FALSE(AddAndWrite(written, output, Numbered(n))) << n;
  for (const auto& line : kAlike) EXPECT_FALSE(AddAndWrite(written, output, line)) << line.size();

  written.Clear();  // a new run remembers nothing of the last
  EXPECT_TRUE(AddAndWrite(written, output, u"ab"));
  EXPECT_TRUE(AddAndWrite(written, output, Numbered(7)));
  EXPECT_FALSE(AddAndWrite(written, output, Numbered(7)));
}

TEST(WrittenLines, EveryDistinctLineIsNewOnceInAListOrAFile) {
  {
    SCOPED_TRACE("list of lines");
    MemorySink lines;
    ExpectEachLineNewOnce(lines);
  }
  {
    SCOPED_TRACE("file");
    const fs::path path = fs::temp_directory_path() / ("write_once_" + std::to_string(::getpid()) + ".TXT");
    ScriptedDialogs dialogs;
    Notices notices(dialogs);
    text::TextFileWriter file;
    ASSERT_TRUE(file.Open(path, text::TextFileWriter::Sync::kNone));
    OutputFileSink sink(file, dialogs, notices, OutputFileSink::LookBack::kYes);
    ExpectEachLineNewOnce(sink);
    EXPECT_GT(file.size(), 1u << 20);
    file.Discard();
  }
}

}  // namespace
}  // namespace tessivar
