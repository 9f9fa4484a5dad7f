#pragma once
// A conversion context and its stages for the emitter, writer, shortening and
// business tests: scripted dialogs, lines collected in memory.
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "convert/context/convert_context.h"
#include "convert/output/write_sink.h"
#include "convert/pipeline.h"
#include "convert/reader_test_support.h"
#include "dialogs/scripted_dialogs.h"
#include "text/cp932.h"

namespace tessivar::testing {

// Text as UTF-8, readable in a failure's output.
inline std::string U8(std::u16string_view text) { return ToUtf8(text); }

struct EmitHarness {
  explicit EmitHarness(Purpose purpose, bool has_jigyosyo = false)
      : ctx(Options(purpose), Inputs(has_jigyosyo), dialogs) {
    stages.emplace(ctx, &sink);
  }

  static RunOptions Options(Purpose purpose) {
    RunOptions options;
    options.purpose = purpose;
    options.prefecture_checked.fill(true);
    return options;
  }
  static InputFiles Inputs(bool has_jigyosyo) {
    InputFiles inputs;
    inputs.has_jigyosyo = has_jigyosyo;
    return inputs;
  }

  // An address record: code, prefecture, city and town as read.
  void Address(std::u16string code, std::u16string pref, std::u16string city, std::u16string town) {
    ctx.reader.ZipRec.assign(kZipSlots, {});
    ctx.reader.ZipRec[kPostalCode] = std::move(code);
    ctx.reader.ZipRec[kPrefKanji] = std::move(pref);
    ctx.reader.ZipRec[kCityKanji] = std::move(city);
    ctx.reader.ZipRec[kTownKanji] = std::move(town);
    ctx.reader.ZipRec[kFlag1] = u"0";
  }

  // A business-office record as the reader lays it out.
  void Business(std::u16string code, std::u16string city, std::u16string address, std::u16string name,
                std::u16string name_kana = u"ｶﾅ", std::u16string office = u"\"太宰府\"") {
    ctx.reader.ZipRec.assign(kZipSlots, {});
    ctx.reader.ZipRec[kLocalCode] = u"40221";
    ctx.reader.ZipRec[kOldCode] = u"818  ";
    ctx.reader.ZipRec[kPostalCode] = std::move(code);
    ctx.reader.ZipRec[kPrefKanji] = u"福岡県";
    ctx.reader.ZipRec[kCityKanji] = std::move(city);
    ctx.reader.ZipRec[kTownKanji] = std::move(address);
    ctx.reader.ZipRec[kFlag1] = std::move(office);
    ctx.reader.ZipRec[kCompanyKana] = std::move(name_kana);
    ctx.reader.ZipRec[kCompanyKanji] = std::move(name);
  }

  // G_SelFields from catalogue numbers (index 0 is the marker "0"). The
  // stages are made again: the line writer reads the field set once, as a
  // run sets it before it starts.
  void Fields(std::initializer_list<const char16_t*> entries) {
    ctx.run.G_SelFields.assign(1, u"0");
    for (auto e : entries) ctx.run.G_SelFields.emplace_back(e);
    stages.emplace(ctx, &sink);
  }

  // One line of an input of index through the reader and the stages after it.
  void Convert(std::u16string_view line, int index) {
    MemoryLines input({std::u16string(line)}, index == kBusinessIndex ? "JIGYOSYO.CSV" : "KEN_ALL.CSV");
    stages->Convert(index, input);
  }

  Emitter& emitter() { return stages->emitter(); }

  // The columns of a written word-list line.
  static std::vector<std::u16string> Columns(const std::u16string& line) { return Split(line, u"\t"); }

  const std::vector<std::u16string>& lines() const { return sink.lines; }

  ScriptedDialogs dialogs;
  MemorySink sink;
  ConvertContext ctx;
  std::optional<Pipeline> stages;
};

}  // namespace tessivar::testing
