// The stages put together by the pipeline, whatever the lines come from and
// wherever the written lines go: every line source gives the same lines in
// every sink, and without a sink the records still go through the stages
// but nothing is written.
#include "convert/pipeline.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "dialogs/scripted_dialogs.h"
#include "reader_test_support.h"
#include "text/cp932.h"
#include "text/read_ahead_lines.h"
#include "text/text_file.h"

namespace tessivar::testing {
namespace {

namespace fs = std::filesystem;

// A plain town, a record continued over two lines and a list of parts.
const std::vector<std::u16string> kLines = {
    uR"L(01101,"064  ","0640941","ﾎｯｶｲﾄﾞｳ","ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ","ｱｻﾋｶﾞｵｶ","北海道","札幌市中央区","旭ケ丘",0,0,1,0,0,0)L",
    uR"L(01101,"060  ","0600042","ﾎｯｶｲﾄﾞｳ","ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ","ｵｵﾄﾞｵﾘﾆｼ(1-","北海道","札幌市中央区","大通西（１～",1,0,1,0,0,0)L",
    uR"L(01101,"060  ","0600042","ﾎｯｶｲﾄﾞｳ","ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ","3ﾁｮｳﾒ)","北海道","札幌市中央区","３丁目）",1,0,1,0,0,0)L",
    uR"L(01101,"060  ","0600001","ﾎｯｶｲﾄﾞｳ","ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ","ｷﾀ1ｼﾞｮｳﾆｼ(1-19ﾁｮｳﾒ)","北海道","札幌市中央区","北一条西（１～１９丁目）",1,0,1,0,0,0)L",
};

enum class Source { kMemory, kFile, kReadAhead };
enum class Sink { kMemory, kFile, kNone };

struct PipelineCase {
  const char* name;
  Source source;
  Sink sink;
};

class PipelineParameters : public ::testing::TestWithParam<PipelineCase> {
 protected:
  void SetUp() override { fs::create_directories(folder_); }
  void TearDown() override { fs::remove_all(folder_); }

  std::unique_ptr<text::LineSource> Open(Source source) {
    if (source == Source::kMemory) return std::make_unique<MemoryLines>(kLines);
    if (source == Source::kReadAhead)
      return std::make_unique<text::ReadAheadLines>(std::make_unique<MemoryLines>(kLines));
    text::TextFileWriter out;
    EXPECT_TRUE(out.Open(folder_ / "KEN_ALL.CSV")) << out.error();
    for (const auto& line : kLines) out.WriteLine(line);
    EXPECT_TRUE(out.Close()) << out.error();
    auto file = std::make_unique<text::TextFileReader>();
    EXPECT_TRUE(file->Open(folder_ / "KEN_ALL.CSV")) << file->error();
    return file;
  }

  // The word list converted from source into sink, and the lines written.
  std::vector<std::u16string> Convert(Source source, Sink sink) {
    RunOptions options;
    options.purpose = Purpose::kWordList;
    options.prefecture_checked.fill(true);
    ScriptedDialogs dialogs;
    ConvertContext ctx(options, InputFiles{}, dialogs);
    MemorySink memory;
    text::TextFileWriter file;
    EXPECT_TRUE(file.Open(folder_ / "ZIP.TXT"));
    OutputFileSink in_file(file, dialogs, ctx.run.notices, OutputFileSink::LookBack::kYes);
    LineSink* into = sink == Sink::kMemory ? static_cast<LineSink*>(&memory)
                     : sink == Sink::kFile ? &in_file
                                           : nullptr;
    Pipeline stages(ctx, into);
    const auto input = Open(source);
    EXPECT_TRUE(stages.Convert(kAllPrefecturesIndex, *input));
    EXPECT_EQ(dialogs.messages(), std::vector<std::string>{});
    // The rules went on from the last record in every case.
    EXPECT_EQ(ctx.last.G_LastTownKanji, u"北一条西");
    records_written_ = ctx.run.G_RecordCount;
    if (sink != Sink::kFile) return memory.lines;
    EXPECT_TRUE(file.Close()) << file.error();
    text::TextFileReader back;
    EXPECT_TRUE(back.Open(folder_ / "ZIP.TXT"));
    std::vector<std::u16string> lines;
    for (std::u16string line; back.Next(line);) lines.push_back(line);
    return lines;
  }

  const fs::path folder_ = fs::temp_directory_path() / ("pipeline_test_" + std::to_string(::getpid()));
  long records_written_ = 0;
};

TEST_P(PipelineParameters, GiveTheLinesOfMemoryToMemory) {
  const PipelineCase& c = GetParam();
  const auto expected = Convert(Source::kMemory, Sink::kMemory);
  ASSERT_EQ(expected.size(), 1u + 3u + 19u);
  EXPECT_EQ(ToUtf8(expected[3]), "０６０－００４２\t札幌市中央区大通西３丁目\t地名その他");
  const auto lines = Convert(c.source, c.sink);
  if (c.sink == Sink::kNone) {
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(records_written_, 0);
  } else {
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(records_written_, static_cast<long>(expected.size()));
  }
}

INSTANTIATE_TEST_SUITE_P(Every, PipelineParameters,
                         ::testing::Values(PipelineCase{"MemoryToFile", Source::kMemory, Sink::kFile},
                                           PipelineCase{"FileToMemory", Source::kFile, Sink::kMemory},
                                           PipelineCase{"ReadAheadToMemory", Source::kReadAhead,
                                                        Sink::kMemory},
                                           PipelineCase{"ReadAheadToFile", Source::kReadAhead, Sink::kFile},
                                           PipelineCase{"MemoryToNone", Source::kMemory, Sink::kNone}),
                         [](const auto& instance) { return std::string(instance.param.name); });

}  // namespace
}  // namespace tessivar::testing
