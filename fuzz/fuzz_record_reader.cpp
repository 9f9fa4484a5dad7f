// The record reader and the stages behind it, on any bytes: the input's first
// byte picks the file's kind, its encoding and the run's options, the rest is
// the file. No input may crash a run, overflow or run away. Address records
// go through the town-area rules, business-office records through theirs.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "convert/context/convert_context.h"
#include "convert/pipeline.h"
#include "convert/read/read_utf_ken_all.h"
#include "text/text_file.h"

namespace {

using namespace tessivar;

class SilentDialogs : public Dialogs {
 public:
  void Message(std::string_view) override {}
  bool Ask(std::string_view) override { return false; }
};

// The input's bytes from memory, in small reads so that lines cross the
// reader's block boundaries.
class MemoryBytes : public text::ByteSource {
 public:
  MemoryBytes(const uint8_t* data, size_t size) : data_(data), left_(size) {}
  long Read(char* into, size_t size) override {
    const size_t n = std::min({size, left_, size_t{4093}});
    std::memcpy(into, data_, n);
    data_ += n;
    left_ -= n;
    return static_cast<long>(n);
  }
  std::string error() const override { return {}; }

 private:
  const uint8_t* data_;
  size_t left_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t choice = data[0];

  RunOptions options;
  options.purpose = choice & 1 ? Purpose::kWordList : Purpose::kCsv;
  options.with_blank = choice & 2;
  options.with_prefecture = choice & 4;
  options.hyphen = choice & 8;
  options.ime_target = choice & 128 ? ImeTarget::kMozc : ImeTarget::kMsIme;
  options.prefecture_checked.fill(true);
  InputFiles inputs;
  inputs.has_jigyosyo = choice & 16;
  SilentDialogs dialogs;
  ConvertContext ctx(options, inputs, dialogs);
  ctx.run.G_SelFields = {u"0",  u"1",  u"26", u"3",  u"26", u"6",  u"26", u"9",  u"26", u"22", u"26",
                         u"23", u"26", u"24", u"26", u"25", u"26", u"29", u"26", u"30", u"-1"};
  MemorySink sink;  // the word list looks there for lines written before
  Pipeline stages(ctx, &sink);
  const bool business = choice & 32;

  // Bit 6: the bytes as utf_ken_all.csv, else as code page 932.
  const bool utf8 = (choice & 64) && !business;
  auto file = std::make_unique<text::TextFileReader>(utf8 ? text::Encoding::kUtf8 : text::Encoding::kCp932);
  file->Open(std::make_unique<MemoryBytes>(data + 1, size - 1), "KEN_ALL.CSV");
  std::unique_ptr<text::LineSource> input = std::move(file);
  if (utf8) input = std::make_unique<UtfKenAllLines>(std::move(input));
  (void)stages.Convert(business ? kBusinessIndex : kAllPrefecturesIndex, *input);
  return 0;
}
