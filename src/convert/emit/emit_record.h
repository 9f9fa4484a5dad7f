#pragma once
// The record emitter: every output record of a run passes through here, gets
// its last corrections (quoted notes, floor numbers, the word shortening and
// the word length of the word list) and goes to the run's line writer.
#include "convert/context/emit_interface.h"
#include "convert/context/run_environment.h"
#include "convert/context/zip_record.h"
#include "convert/write/write_line.h"

namespace tessivar {

class Emitter final : public RecordEmitter {
 public:
  // writer: the run's line writer (LineWriterFor).
  Emitter(const RunEnvironment& run, ZipRecord& rec, LastRecord& last, LineWriter& writer);

  // A new input record begins: its output records are counted from none.
  // One record makes at most kMaxRecordEntries (record_limits.h); the call
  // that would make one more raises RecordAbandoned instead.
  void StartRecord() { entries_ = 0; }

  // F_EmitRecord: one output record from values and ZipRec, handed to the
  // line writer; the last-record memory becomes what the writer wrote. The
  // emitter's own corrections may rewrite every value but G_CityKana, and
  // the changes stay. A failure (a postal code that is not a number, a
  // failing text operation) propagates: no line is written and the
  // last-record memory keeps its value.
  void F_EmitRecord(EmissionValues& values, EmitOrder order = EmitOrder::kMainFirst);

  // The rules' calls: F_EmitRecord under their error trap, which reports a
  // failure and lets them go on.
  void Emit(EmissionValues& values) override;
  void EmitSubFirst(EmissionValues& values) override;

 private:
  const RunEnvironment& run_;
  ZipRecord& rec_;
  LastRecord& last_;
  LineWriter& writer_;
  long entries_ = 0;  // output records of the input record at hand
};

}  // namespace tessivar
