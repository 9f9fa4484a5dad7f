#pragma once
// The last stage of a record: one line of the output, in the format of the
// run's purpose. The word list writes reading, word, part of speech and
// comment; the CSV text and the database data file write the selected output
// fields. Both append the line to the run's output and count it in
// G_RecordCount.
#include <memory>
#include <vector>

#include "convert/context/emit_values.h"
#include "convert/context/run_environment.h"
#include "convert/context/zip_record.h"

namespace tessivar {

// The keep marker in a comment tail: write the comment as it stands.
inline constexpr TextView kKeepComment = u"notCompless";

// What a line writer wrote of a record, in kanji and in kana: its main name,
// and its comment and tail as the line left them (commas restored, the
// bracket prefix stripped, cut to length, a keep marker spent), no comment
// for a "その他" record. A format that writes no kana comment hands it on as
// it got it. The texts are the writer's or the values': valid until the next
// line is written or the values change.
struct WrittenRecord {
  const Text& town_kanji;
  const Text& comment_kanji;
  const Text& tail_kanji;
  const Text& town_kana;
  const Text& comment_kana;
  const Text& tail_kana;
};

class LineWriter {
 public:
  virtual ~LineWriter() = default;
  // Writes the record the emitter finished as one line and returns what it
  // wrote; the values and ZipRec stay as they are.
  virtual WrittenRecord Write(const EmissionValues& values, EmitOrder order) = 0;
};

// The writer of the run's purpose: word-list lines, or CSV lines for the
// database and the CSV text; one that writes nothing when no purpose is
// chosen or the run has no output. The CSV writer reads the run's field set
// (G_SelFields) here, once: set it first.
std::unique_ptr<LineWriter> LineWriterFor(RunEnvironment& run, const ZipRecord& rec);

// F_郵便番号SUB, one word-list line: reading, TAB, word, TAB, "地名その他"
// and, when there is a comment, TAB and the comment. The reading is the code
// in the form and for the input method of the run's options. Rewrites comment and
// tail as the word list writes them (commas restored, bracket prefix
// stripped, cut to length). A line identical to one already written in the
// run is not written again, nor counted. buffers are the caller's, kept
// between lines.
struct WordListBuffers {
  Text line;
  Text reading;
};
void F_郵便番号SUB(RunEnvironment& run, const ZipRecord& rec, Text& word, Text& comment, Text& tail,
                   WordListBuffers& buffers);

// The items of a field set (run.G_SelFields), up to its end marker.
std::vector<int> CsvItems(const std::vector<Text>& sel_fields);

// F_WriteCsvLine, one CSV line of the field set's items, built in line (the
// caller's buffer, kept between lines; what it holds after is no line). The
// comment items rewrite comment/tail (and their kana) as they write them;
// slots 5 and 8 are written with their commas restored.
void F_WriteCsvLine(RunEnvironment& run, const std::vector<int>& items, const ZipRecord& rec, Text& town,
                    Text& comment, Text& tail, Text& townKana, Text& commentKana, Text& tailKana, Text& line);

}  // namespace tessivar
