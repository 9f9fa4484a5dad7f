#pragma once
// The stages of a conversion, put together in one place:
//
//   the lines of an input (text::LineSource)
//     → records                        F_ReadZipFile
//     → the rules of the record's file F_TownAreaEdit, F_BusinessEdit
//     → the emitter                    Emitter
//     → the line writer                LineWriterFor
//     → the sink                       LineSink
//
// The run converts through it, and so do the review tool, the fuzz target
// and the tests: they differ only in where the lines come from (a file,
// a zip, memory, read ahead in a second thread) and where the written lines
// go (the output file, memory, nowhere).
#include <memory>

#include "convert/business/business_edit.h"
#include "convert/context/convert_context.h"
#include "convert/emit/emit_record.h"
#include "convert/output/write_sink.h"
#include "convert/read/read_zip_file.h"
#include "convert/town_area/town_area.h"
#include "convert/write/write_line.h"
#include "text/line_source.h"

namespace tessivar {

// The rule tables the stages use: the shipped ones, unless a caller brings
// its own (the tests' tables, the review tool's).
struct RuleTables {
  const Corrections* town = &ShippedTownCorrections();
  const Corrections* business_word_list = &ShippedBusinessFixImeRows();
  const Corrections* business = &ShippedBusinessFixRows();
};

class Pipeline {
 public:
  // The stages of ctx's run, writing into sink, which becomes the run's
  // output; without a sink nothing is written. The line writer reads the
  // run's purpose and field set here: set them first. ctx and sink outlive
  // the pipeline.
  Pipeline(ConvertContext& ctx, LineSink* sink, const RuleTables& tables = {});
  Pipeline(const Pipeline&) = delete;
  Pipeline& operator=(const Pipeline&) = delete;

  // Reads input to its end as an input of index (G_InputIndex: 0 the
  // all-prefecture file, 1 to 47 a prefecture's, 48 the business-office
  // file), each record through the stages after the reader. False, after
  // saying so, when the input could not be read (F_ReadZipFile).
  bool Convert(int index, text::LineSource& input);

  // The record in ctx.reader.ZipRec, of the input in G_InputIndex, through
  // the rules, the emitter and the writer: for records read elsewhere.
  void ConvertRecord();

  // The emitter, for the tests that hand it emission values themselves.
  Emitter& emitter() { return emitter_; }

 private:
  ConvertContext& ctx_;
  const RuleTables tables_;
  const std::unique_ptr<LineWriter> writer_;
  Emitter emitter_;
  const RecordHandler convert_record_;
};

}  // namespace tessivar
