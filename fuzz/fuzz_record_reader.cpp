// The record reader and the stages behind it, on any bytes: the input's first
// byte picks the file's kind and the run's options, the rest is the file. No
// input may crash a run, overflow or run away. Address records go through
// the town-area rules; business-office records are emitted as they are read
// (their rules are not built for fuzzing, see CMakeLists.txt).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "convert/convert_context.h"
#include "convert/emit_record.h"
#include "convert/read_zip_file.h"
#include "convert/town_area.h"
#include "convert/write_line.h"

namespace {

using namespace tessivar;

class SilentDialogs : public Dialogs {
 public:
  void Message(std::string_view) override {}
  bool Ask(std::string_view) override { return false; }
};

class CountingSink : public LineSink {
 public:
  void WriteLine(std::u16string_view) override { ++lines; }
  long lines = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t choice = data[0];
  static const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("fuzz_record_reader_" + std::to_string(::getpid()) + ".CSV");
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(data + 1), std::streamsize(size - 1));

  RunOptions options;
  options.purpose = choice & 1 ? Purpose::kWordList : Purpose::kCsv;
  options.with_blank = choice & 2;
  options.with_prefecture = choice & 4;
  options.hyphen = choice & 8;
  options.prefecture_checked.fill(true);
  InputFiles inputs;
  inputs.has_jigyosyo = choice & 16;
  SilentDialogs dialogs;
  ConvertContext ctx(options, inputs, dialogs);
  CountingSink sink;
  ctx.run.output = &sink;
  ctx.run.G_SelFields = {u"0",  u"1",  u"26", u"3",  u"26", u"6",  u"26", u"9",  u"26", u"22", u"26",
                         u"23", u"26", u"24", u"26", u"25", u"26", u"29", u"26", u"30", u"-1"};
  ctx.reader.G_InputIndex = choice & 32 ? kBusinessIndex : kAllPrefecturesIndex;
  const std::unique_ptr<LineWriter> writer = LineWriterFor(ctx.run, ctx.reader.ZipRec);
  Emitter emitter(ctx.run, ctx.reader.ZipRec, ctx.last, writer.get());
  text::TextFileReader input;
  if (!input.Open(file)) return 0;
  F_ReadZipFile(ctx.run, ctx.reader, input, [&](ZipRecord& rec) {
    if (ctx.reader.G_InputIndex != kBusinessIndex) {
      F_TownAreaEdit(ctx, emitter);
      return;
    }
    ctx.values.G_OutTownKanji = rec[kCityKanji];
    ctx.values.G_OutSubKanji = rec[kTownKanji];
    emitter.Emit(ctx.values);
  });
  return 0;
}
