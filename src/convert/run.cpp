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
    if (!file_.WriteLine(line)) ctx_.Report({}, file_.error());
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
  ctx.G_InputIndex = index;
  TextFileReader input;
  if (!input.Open(ctx.inputs.in_folder / ctx.inputs.names[static_cast<size_t>(index)])) {
    ctx.Report({}, input.error());
    return;
  }
  F_ReadZipFile(ctx, input);
}

}  // namespace

void F_WriteImeHeader(ConvertContext& ctx) {
  ctx.output->WriteLine(u"!Microsoft IME Dictionary Tool 98");
  ctx.output->WriteLine(Concat(u"!Version:", Decimal(kVersionMajor), u".", Decimal(kVersionMinor)));
  ctx.output->WriteLine(u"!Format:WORDLIST");
  ctx.output->WriteLine(u"!User Dictionary Name:");
  ctx.output->WriteLine(u"!Output File Name:");
  ctx.output->WriteLine(Concat(u"!DateTime:", LocalDateTime()));
  ctx.output->WriteLine(u"");
}

void F_WriteColumnNames(ConvertContext& ctx) { ctx.output->WriteLine(ColumnNameLine(ctx.G_SelFields)); }

void F_CreateZipData(ConvertContext& ctx) {
  ctx.G_DupSeen.fill(false);
  ctx.G_LastCommentKanji.clear();
  ctx.G_LastTownKanji.clear();
  ctx.G_LastCommentKana.clear();
  ctx.G_LastTownKana.clear();

  TextFileWriter file;
  if (!file.Open(ctx.inputs.out_folder / ctx.G_OutFileName)) ctx.Report({}, file.error());
  OutputFileSink sink(file, ctx);
  ctx.output = &sink;

  switch (ctx.options.purpose) {
    case Purpose::kWordList: F_WriteImeHeader(ctx); break;
    case Purpose::kDatabase: F_WriteColumnNames(ctx); break;
    case Purpose::kCsv:
      if (ctx.options.column_names) F_WriteColumnNames(ctx);
      break;
    case Purpose::kNone: break;
  }

  ctx.G_LineCount = 0;
  ctx.G_RecordCount = 0;

  if (ctx.inputs.has_ken_all) {
    ReadInputFile(ctx, kAllPrefecturesIndex);
  } else if (ctx.inputs.has_pref_files) {
    for (int code = kFirstPrefecture; code <= kLastPrefecture; ++code) {
      if (ctx.options.prefecture_checked[static_cast<size_t>(code)] &&
          !ctx.inputs.names[static_cast<size_t>(code)].empty()) {
        ReadInputFile(ctx, code);
      }
    }
  }
  if (ctx.inputs.has_jigyosyo) ReadInputFile(ctx, kBusinessIndex);

  if (file.is_open() && !file.Close()) ctx.Report({}, file.error());
  ctx.output = nullptr;

  if (ctx.options.purpose == Purpose::kWordList || ctx.options.purpose == Purpose::kCsv) {
    ctx.dialogs.Message("郵便番号データを " + std::to_string(ctx.G_RecordCount) + " 件 作成しました。");
  }
}

}  // namespace tessivar
