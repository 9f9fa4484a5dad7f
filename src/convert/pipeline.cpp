#include "convert/pipeline.h"

namespace tessivar {

namespace {

// The line writer of the run, writing into sink as the run's output.
std::unique_ptr<LineWriter> WriterInto(RunEnvironment& run, const ZipRecord& rec, LineSink* sink) {
  run.output = sink;
  return LineWriterFor(run, rec);
}

}  // namespace

Pipeline::Pipeline(ConvertContext& ctx, LineSink* sink, const RuleTables& tables)
    : ctx_(ctx),
      tables_(tables),
      writer_(WriterInto(ctx.run, ctx.reader.ZipRec, sink)),
      emitter_(ctx.run, ctx.reader.ZipRec, ctx.last, *writer_),
      convert_record_([this](ZipRecord&) { ConvertRecord(); }) {}

bool Pipeline::Convert(int index, text::LineSource& input) {
  ctx_.reader.G_InputIndex = index;
  return F_ReadZipFile(ctx_.run, ctx_.reader, input, convert_record_);
}

void Pipeline::ConvertRecord() {
  emitter_.StartRecord();
  if (ctx_.reader.G_InputIndex == kBusinessIndex) {
    F_BusinessEdit(ctx_, emitter_, *tables_.business_word_list, *tables_.business);
  } else {
    F_TownAreaEdit(ctx_, emitter_, *tables_.town);
  }
}

}  // namespace tessivar
