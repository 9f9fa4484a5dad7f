#pragma once
// The postal record reader: turns the lines of one Japan Post file into
// postal records, one at a time, and hands each to the next stage. It knows
// the column layouts of the two kinds of file and nothing of what the
// records become.
#include <functional>

#include "convert/context/read_state.h"
#include "convert/context/run_environment.h"
#include "text/line_source.h"

namespace tessivar {

// Receives each finished record (state.ZipRec); runs before the next line
// is split.
using RecordHandler = std::function<void(ZipRecord&)>;

// F_ReadZipFile: reads input to its end and closes it. The lines of unchecked
// prefectures are skipped, continued address records joined, and business
// lines (state.G_InputIndex 48) laid out as address lines. A line that could
// not be decoded and a line over the line limit are reported (the latter
// skipped); state.origin names the file, line and postal code of what is
// being read. Reading stops early when the run's output has failed. Returns
// false, after saying so, for an input that is empty, that is plainly not in
// the encoding it is read in (a KEN_ALL.CSV in UTF-8, a utf_ken_all.csv in
// code page 932; then nothing is read) or that could not be read to its end.
bool F_ReadZipFile(const RunEnvironment& run, ReaderState& state, text::LineSource& input,
                   const RecordHandler& hand_on);

// A text field without its quotes (a view into field): the first and the
// last character dropped, whatever they are. A field shorter than two
// characters cannot be unquoted (InvalidArgument).
TextView Unquote(TextView field);

}  // namespace tessivar
