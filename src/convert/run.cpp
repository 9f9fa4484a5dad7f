#include "convert/run.h"

#include <ctime>

#include "convert/read_zip_file.h"
#include "fieldsets/field_set_file.h"
#include "program_version.h"
#include "text/text_file.h"

namespace tessivar {

namespace {

// The output file as the run's line sink: a line that cannot be written in
// code page 932 is reported with the file and line, and the run goes on. An
// output that could not be opened is reported once, not once per record.
class OutputFileSink : public LineSink {
 public:
  OutputFileSink(TextFileWriter& file, const ConvertContext& ctx) : file_(file), ctx_(ctx) {}
  void WriteLine(std::u16string_view line) override {
    if (!file_.is_open()) return;
    if (!file_.WriteLine(line)) ctx_.run.dialogs.Message(file_.error());
  }

 private:
  TextFileWriter& file_;
  const ConvertContext& ctx_;
};

std::u16string TwoDigits(int n) { return Concat(n < 10 ? u"0" : u"", Decimal(n)); }

// "yyyy年mm月dd日 hh:nn" in local time.
std::u16string LocalDateTime() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return Concat(Decimal(local.tm_year + 1900), u"年", TwoDigits(local.tm_mon + 1), u"月",
                TwoDigits(local.tm_mday), u"日 ", TwoDigits(local.tm_hour), u":", TwoDigits(local.tm_min));
}

void ReadInputFile(ConvertContext& ctx, int index) {
  ctx.reader.G_InputIndex = index;
  TextFileReader input;
  if (!input.Open(ctx.run.inputs.in_folder / ctx.run.inputs.names[static_cast<size_t>(index)])) {
    ctx.run.dialogs.Message(input.error());
    return;
  }
  F_ReadZipFile(ctx, input);
}

}  // namespace

void F_WriteImeHeader(ConvertContext& ctx) {
  ctx.run.output->WriteLine(u"!Microsoft IME Dictionary Tool 98");
  ctx.run.output->WriteLine(Concat(u"!Version:", Decimal(kVersionMajor), u".", Decimal(kVersionMinor)));
  ctx.run.output->WriteLine(u"!Format:WORDLIST");
  ctx.run.output->WriteLine(u"!User Dictionary Name:");
  ctx.run.output->WriteLine(u"!Output File Name:");
  ctx.run.output->WriteLine(Concat(u"!DateTime:", LocalDateTime()));
  ctx.run.output->WriteLine(u"");
}

void F_WriteColumnNames(ConvertContext& ctx) {
  ctx.run.output->WriteLine(ColumnNameLine(ctx.run.G_SelFields));
}

void F_CreateZipData(ConvertContext& ctx) {
  ctx.town.G_DupSeen.fill(false);
  ctx.last.G_LastCommentKanji.clear();
  ctx.last.G_LastTownKanji.clear();
  ctx.last.G_LastCommentKana.clear();
  ctx.last.G_LastTownKana.clear();

  TextFileWriter file;
  if (!file.Open(ctx.run.inputs.out_folder / ctx.run.G_OutFileName)) ctx.run.dialogs.Message(file.error());
  OutputFileSink sink(file, ctx);
  ctx.run.output = &sink;

  switch (ctx.run.options.purpose) {
    case Purpose::kWordList: F_WriteImeHeader(ctx); break;
    case Purpose::kDatabase: F_WriteColumnNames(ctx); break;
    case Purpose::kCsv:
      if (ctx.run.options.column_names) F_WriteColumnNames(ctx);
      break;
    case Purpose::kNone: break;
  }

  ctx.reader.G_LineCount = 0;
  ctx.run.G_RecordCount = 0;

  if (ctx.run.inputs.has_ken_all) {
    ReadInputFile(ctx, kAllPrefecturesIndex);
  } else if (ctx.run.inputs.has_pref_files) {
    for (int code = kFirstPrefecture; code <= kLastPrefecture; ++code) {
      if (ctx.run.options.prefecture_checked[static_cast<size_t>(code)] &&
          !ctx.run.inputs.names[static_cast<size_t>(code)].empty()) {
        ReadInputFile(ctx, code);
      }
    }
  }
  if (ctx.run.inputs.has_jigyosyo) ReadInputFile(ctx, kBusinessIndex);

  if (file.is_open() && !file.Close()) ctx.run.dialogs.Message(file.error());
  ctx.run.output = nullptr;

  if (ctx.run.options.purpose == Purpose::kWordList || ctx.run.options.purpose == Purpose::kCsv) {
    ctx.run.dialogs.Message("郵便番号データを " + std::to_string(ctx.run.G_RecordCount) +
                            " 件 作成しました。");
  }
}

}  // namespace tessivar
