// F_CreateZipData: one conversion run. It writes the output file's header,
// takes every record of the input files through the stages (pipeline.h),
// puts the file in place and reports the count; or, when an input could not
// be read or the output not written, says so and leaves the output as it was.
#include "convert/run.h"

#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "convert/context/record_trap.h"
#include "convert/pipeline.h"
#include "convert/read/read_input_lines.h"
#include "convert/run_changes.h"
#include "convert/write/write_header.h"
#include "text/read_ahead_lines.h"
#include "text/text_file.h"

namespace tessivar {

namespace {

// The input files in the order the run reads them, by input index: the
// all-prefecture file, or else the files of the checked prefectures in code
// order; then the business-office file.
std::vector<int> InputOrder(const RunEnvironment& run) {
  std::vector<int> order;
  if (run.inputs.has_ken_all) {
    order.push_back(kAllPrefecturesIndex);
  } else if (run.inputs.has_pref_files) {
    for (int code = kFirstPrefecture; code <= kLastPrefecture; ++code) {
      const auto box = static_cast<size_t>(code);
      if (run.options.prefecture_checked[box] && !run.inputs.files[box].empty()) order.push_back(code);
    }
  }
  if (run.inputs.has_jigyosyo) order.push_back(kBusinessIndex);
  return order;
}

void WriteHeader(RunEnvironment& run) {
  switch (run.options.purpose) {
    case Purpose::kWordList: F_WriteImeHeader(run); break;
    case Purpose::kDatabase: F_WriteColumnNames(run); break;
    case Purpose::kCsv:
      if (run.options.column_names) F_WriteColumnNames(run);
      break;
    case Purpose::kNone: break;
  }
}

// The input file of index through the stages: opened unpacked or zipped,
// read ahead when the options say so. False when it could not be read.
bool ConvertInputFile(ConvertContext& ctx, Pipeline& stages, int index) {
  std::string error;
  std::unique_ptr<text::LineSource> input =
      OpenInputLines(ctx.run.inputs.in_folder, ctx.run.inputs.files[static_cast<size_t>(index)], error);
  if (!input) {
    ctx.run.dialogs.Message(error);
    return false;
  }
  if (ctx.run.options.read_ahead) input = std::make_unique<text::ReadAheadLines>(std::move(input));
  return stages.Convert(index, *input);
}

}  // namespace

bool F_CreateZipData(ConvertContext& ctx) {
  ctx.town.once_entries_run.clear();
  ctx.last = LastRecord{};

  // Whole or not at all, also when the run is killed; not synced, as the
  // next run makes it again from the inputs (see TextFileWriter::Sync).
  text::TextFileWriter file;
  if (!file.Open(ctx.run.inputs.out_folder / ctx.run.G_OutFileName, text::TextFileWriter::Sync::kNone))
    ctx.run.dialogs.Message(file.error());
  // The word list and the CSV text are compared with the output they
  // replace, line by line as they are written; the old content is kept for
  // that until the new one is in place.
  const bool counted =
      ctx.run.options.purpose == Purpose::kWordList || ctx.run.options.purpose == Purpose::kCsv;
  std::optional<changes::OutputChanges> compared;
  if (counted) file.Observe(&compared.emplace(ChangeSettings(ctx.run)));
  // The word list looks back for the entries it has written (write_once.h).
  OutputFileSink sink(
      file, ctx.run.dialogs, ctx.run.notices,
      ctx.run.options.word_list() ? OutputFileSink::LookBack::kYes : OutputFileSink::LookBack::kNo);
  // The stages every record of the inputs goes through (pipeline.h), into
  // sink, the run's output from here on.
  Pipeline stages(ctx, &sink);
  WriteHeader(ctx.run);
  ctx.reader.G_LineCount = 0;
  ctx.run.G_RecordCount = 0;
  ctx.run.written_entries.Clear();

  bool inputs_read = true;
  bool out_of_memory = false;
  std::optional<std::string> program_fault;  // what went wrong, when it was no rule's failure
  try {
    for (int index : InputOrder(ctx.run)) {
      if (!ConvertInputFile(ctx, stages, index)) inputs_read = false;
    }
  } catch (const std::bad_alloc&) {
    // A record lost to memory is lost from the output: the run cannot go on.
    out_of_memory = true;
  } catch (const std::length_error&) {
    // A text or table grown beyond what one run can hold is the same.
    out_of_memory = true;
  } catch (const std::exception& e) {
    // A fault of the program itself: no record can be trusted after it.
    program_fault = e.what();
  }
  if (out_of_memory) ctx.run.written_entries.Clear();
  ctx.run.output = nullptr;
  ctx.run.notices.Finish();

  // A failure to open or write the output was reported as it happened. An
  // output without the records of an input that could not be read, or
  // without any record, would be taken for the whole: none is put in place.
  const std::string& output = ctx.run.G_OutFileName;
  if (out_of_memory) {
    ctx.run.dialogs.Message("メモリーが足りなくなったため、" + output + " は作成しませんでした。" +
                            Where(ctx.reader.origin));
    return false;
  }
  if (program_fault) {
    ctx.run.dialogs.Message("予期しないエラー（" + *program_fault + "）が発生したため、" + output +
                            " は作成しませんでした。" + Where(ctx.reader.origin));
    return false;
  }
  if (file.failed() || !inputs_read) {
    if (!file.failed())
      ctx.run.dialogs.Message("入力ファイルを読み込めなかったため、" + output + " は作成しませんでした。");
    return false;
  }
  if (ctx.run.G_RecordCount == 0) {
    // An HTML page saved under the input's name, say: nothing in it was a
    // record.
    ctx.run.dialogs.Message("郵便番号データが 0 件のため、" + output + " は作成しませんでした。");
    return false;
  }
  ctx.run.written_entries.Clear();
  if (!file.Close()) {
    ctx.run.dialogs.Message(file.error());
    return false;
  }

  if (counted) {
    const std::string changed = compared->Compare();
    ctx.run.dialogs.Message("郵便番号データを " + std::to_string(ctx.run.G_RecordCount) +
                            " 件 作成しました。" + (changed.empty() ? "" : "\r" + changed));
  }
  return true;
}

}  // namespace tessivar
