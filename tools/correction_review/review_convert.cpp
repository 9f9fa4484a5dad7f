#include "review_convert.h"

#include <unistd.h>

#include <fstream>
#include <memory>
#include <stdexcept>

#include "convert/business_edit.h"
#include "convert/convert_context.h"
#include "convert/emit_record.h"
#include "convert/read_zip_file.h"
#include "convert/town_area.h"
#include "convert/write_line.h"
#include "dialogs/scripted_dialogs.h"
#include "text/cp932.h"
#include "text/text_file.h"

namespace tessivar::review {

namespace fs = std::filesystem;

namespace {

// The postal code of an input line: the third column of an address line,
// the eighth of a business line.
Text CodeOf(const Text& line, FileKind kind) {
  std::vector<Text> columns = Split(line, u",");
  const size_t column = kind == FileKind::kAddresses ? 2 : 7;
  if (columns.size() <= column || columns[column].size() < 2) return Text();
  return columns[column].substr(1, columns[column].size() - 2);
}

std::vector<Text> ReadLines(const fs::path& file, bool utf8) {
  std::vector<Text> lines;
  if (utf8) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error(file.string() + ": cannot open");
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty() && line[0] != '#') lines.push_back(FromUtf8(line));
    }
    return lines;
  }
  TextFileReader in;
  if (!in.Open(file)) throw std::runtime_error(in.error());
  for (Text line; in.Next(line);) lines.push_back(line);
  return lines;
}

// A scratch file of input lines in code page 932, removed with the object.
class ScratchFile {
 public:
  explicit ScratchFile(const std::vector<Text>& lines) {
    static int count = 0;
    path_ = fs::temp_directory_path() /
            ("tessivar-review-" + std::to_string(getpid()) + "-" + std::to_string(++count) + ".csv");
    TextFileWriter out;
    if (!out.Open(path_)) throw std::runtime_error(out.error());
    for (const Text& line : lines) {
      if (!out.WriteLine(line)) throw std::runtime_error(out.error());
    }
    if (!out.Close()) throw std::runtime_error(out.error());
  }
  ~ScratchFile() { fs::remove(path_); }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

class NullSink : public LineSink {
 public:
  void WriteLine(std::u16string_view) override {}
};

RunOptions OptionsFor(Purpose purpose) {
  RunOptions options;
  options.purpose = purpose;
  options.hyphen = purpose == Purpose::kWordList;
  options.prefecture_checked.fill(true);
  return options;
}

// Reads file through the reader and the rules of its kind into sink.
void Convert(const fs::path& file, FileKind kind, Purpose purpose, const std::vector<Text>& fields,
             const Tables& tables, LineSink& sink, Dialogs& dialogs) {
  InputFiles inputs;
  inputs.has_jigyosyo = true;  // as in a run over the whole country
  ConvertContext ctx(OptionsFor(purpose), inputs, dialogs);
  ctx.run.output = &sink;
  ctx.run.G_SelFields.assign(1, u"0");
  ctx.run.G_SelFields.insert(ctx.run.G_SelFields.end(), fields.begin(), fields.end());
  ctx.run.G_SelFields.push_back(u"-1");
  ctx.reader.G_InputIndex = kind == FileKind::kBusiness ? kBusinessIndex : kAllPrefecturesIndex;
  const std::unique_ptr<LineWriter> writer = LineWriterFor(ctx.run, ctx.reader.ZipRec);
  Emitter emitter(ctx.run, ctx.reader.ZipRec, ctx.last, writer.get());
  TextFileReader input;
  if (!input.Open(file)) throw std::runtime_error(input.error());
  F_ReadZipFile(ctx.run, ctx.reader, input, [&](ZipRecord&) {
    emitter.StartRecord();
    if (kind == FileKind::kBusiness) {
      F_BusinessEdit(ctx, emitter, tables.business_word_list, tables.business);
    } else {
      F_TownAreaEdit(ctx, emitter, tables.town);
    }
  });
}

}  // namespace

std::vector<SourceRecord> ReadRecords(const fs::path& file, FileKind kind, bool utf8,
                                      const std::set<Text>& codes) {
  std::vector<Text> kept;
  for (const Text& line : ReadLines(file, utf8)) {
    if (codes.contains(CodeOf(line, kind))) kept.push_back(line);
  }
  // The reader joins the lines of one record; the lines it has taken when it
  // hands a record on end with that record.
  ScratchFile scratch(kept);
  ScriptedDialogs dialogs;
  RunEnvironment env(OptionsFor(Purpose::kWordList), InputFiles{}, dialogs);
  ReaderState state;
  state.G_InputIndex = kind == FileKind::kBusiness ? kBusinessIndex : kAllPrefecturesIndex;
  std::vector<SourceRecord> records;
  size_t first_line = 0;
  TextFileReader input;
  if (!input.Open(scratch.path())) throw std::runtime_error(input.error());
  F_ReadZipFile(env, state, input, [&](ZipRecord& rec) {
    // Handed on before the line that begins the next record was counted.
    const auto end = std::min(kept.size(), static_cast<size_t>(state.G_LineCount));
    records.push_back({rec, std::vector<Text>(kept.begin() + static_cast<long>(first_line),
                                              kept.begin() + static_cast<long>(end))});
    first_line = end;
  });
  return records;
}

Converted ConvertLines(const std::vector<Text>& lines, FileKind kind, Purpose purpose,
                       const std::vector<Text>& fields, const Tables& tables) {
  ScratchFile scratch(lines);
  MemorySink sink;
  ScriptedDialogs dialogs;
  Convert(scratch.path(), kind, purpose, fields, tables, sink, dialogs);
  return {sink.lines, dialogs.messages()};
}

void ConvertFile(const fs::path& file, FileKind kind, const Tables& tables) {
  NullSink sink;
  ScriptedDialogs dialogs;
  Convert(file, kind, Purpose::kWordList, {}, tables, sink, dialogs);
}

}  // namespace tessivar::review
