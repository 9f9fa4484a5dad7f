#include "review_convert.h"

#include <unistd.h>

#include <fstream>
#include <memory>
#include <stdexcept>
#include <utility>

#include "convert/context/convert_context.h"
#include "convert/pipeline.h"
#include "convert/read/read_input_lines.h"
#include "convert/read/read_zip_file.h"
#include "dialogs/scripted_dialogs.h"
#include "shell/input_discovery.h"
#include "text/cp932.h"
#include "text/file_names.h"
#include "text/text_file.h"

namespace tessivar::review {

namespace fs = std::filesystem;

const std::vector<Text> kTownFields = {u"3", u"26", u"9", u"26", u"6", u"26", u"24", u"26", u"25"};
const std::vector<Text> kBusinessFields = {u"3",  u"26", u"8",  u"26", u"9", u"26",
                                           u"24", u"26", u"29", u"26", u"30"};

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

RunOptions OptionsFor(Purpose purpose) {
  RunOptions options;
  options.purpose = purpose;
  options.hyphen = purpose == Purpose::kWordList;
  options.prefecture_checked.fill(true);
  return options;
}

// A run's context for one purpose, with the field set of its CSV lines.
class RunContext : public ConvertContext {
 public:
  RunContext(Purpose purpose, const std::vector<Text>& fields, const InputFiles& inputs, Dialogs& dialogs)
      : ConvertContext(OptionsFor(purpose), inputs, dialogs) {
    run.G_SelFields.assign(1, u"0");
    run.G_SelFields.insert(run.G_SelFields.end(), fields.begin(), fields.end());
    run.G_SelFields.push_back(u"-1");
  }
};

RuleTables RulesOf(const Tables& tables) {
  return {&tables.town, &tables.business_word_list, &tables.business};
}

int IndexOf(FileKind kind) { return kind == FileKind::kBusiness ? kBusinessIndex : kAllPrefecturesIndex; }

// Reads file through the stages of a run of purpose into sink.
void Convert(const fs::path& file, FileKind kind, Purpose purpose, const std::vector<Text>& fields,
             const Tables& tables, LineSink& sink, Dialogs& dialogs) {
  InputFiles inputs;
  inputs.has_jigyosyo = true;  // as in a run over the whole country
  RunContext ctx(purpose, fields, inputs, dialogs);
  Pipeline stages(ctx, &sink, RulesOf(tables));
  TextFileReader input;
  if (!input.Open(file)) throw std::runtime_error(input.error());
  stages.Convert(IndexOf(kind), input);
}

// The lines written since they were last taken (all are kept: the word
// list looks there for lines written before).
class CollectingSink : public MemorySink {
 public:
  std::vector<Text> Take() {
    std::vector<Text> taken(lines.begin() + static_cast<long>(taken_), lines.end());
    taken_ = lines.size();
    return taken;
  }

 private:
  size_t taken_ = 0;
};

// One purpose's stages fed with the records another reader reads.
class MonthRun {
 public:
  MonthRun(Purpose purpose, const std::vector<Text>& fields, const InputFiles& inputs, const Tables& tables)
      : ctx_(purpose, fields, inputs, dialogs_), stages_(ctx_, &sink_, RulesOf(tables)) {}

  std::vector<Text> Convert(const ReaderState& read) {
    ReaderState& reader = ctx_.reader;
    reader.G_InputIndex = read.G_InputIndex;
    reader.ZipRec = read.ZipRec;
    reader.origin = read.origin;
    stages_.ConvertRecord();
    return sink_.Take();
  }
  const std::vector<std::string>& messages() const { return dialogs_.messages(); }

 private:
  CollectingSink sink_;
  ScriptedDialogs dialogs_;
  RunContext ctx_;
  Pipeline stages_;
};

// The input files in the order a run reads them: the all-prefecture file or
// the per-prefecture files in code order, then the business-office file.
std::vector<int> InputOrder(const InputFiles& inputs) {
  std::vector<int> order;
  if (inputs.has_ken_all) {
    order.push_back(kAllPrefecturesIndex);
  } else {
    for (int code = kFirstPrefecture; code <= kLastPrefecture; ++code) {
      if (!inputs.files[static_cast<size_t>(code)].empty()) order.push_back(code);
    }
  }
  if (inputs.has_jigyosyo) order.push_back(kBusinessIndex);
  return order;
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
  state.G_InputIndex = IndexOf(kind);
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

std::vector<Text> CsvFields(TextView line) {
  std::vector<Text> fields(1);
  bool quoted = false;
  for (char16_t c : line) {
    if (c == u'"') {
      quoted = !quoted;
    } else if (c == u',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

void ConvertMonth(const fs::path& folder, const Tables& tables,
                  const std::function<void(const MonthRecord&)>& on_record,
                  std::vector<std::string>& report) {
  // The files as start-up finds them in CSV_IN.
  ScriptedDialogs dialogs;
  InputFiles inputs;
  inputs.in_folder = folder;
  std::vector<std::string> listing = text::ListFiles(folder, "*.csv");
  for (auto& zip : text::ListFiles(folder, "*.zip")) listing.push_back(std::move(zip));
  const int all_prefecture_files = ClassifyInputFiles(inputs, listing, dialogs);
  report.insert(report.end(), dialogs.messages().begin(), dialogs.messages().end());
  if (!inputs.has_ken_all && !inputs.has_pref_files)
    throw std::runtime_error(folder.string() +
                             ": no address file (KEN_ALL.CSV, utf_ken_all.csv, their zips "
                             "or the per-prefecture files)");
  if (all_prefecture_files > 0 && inputs.has_pref_files)
    throw std::runtime_error(folder.string() + ": both the all-prefecture file and per-prefecture files");

  MonthRun words(Purpose::kWordList, {}, inputs, tables);
  MonthRun town_csv(Purpose::kCsv, kTownFields, inputs, tables);
  MonthRun business_csv(Purpose::kCsv, kBusinessFields, inputs, tables);
  ScriptedDialogs reading;
  RunEnvironment env(OptionsFor(Purpose::kWordList), inputs, reading);
  ReaderState state;
  env.origin = &state.origin;
  for (int index : InputOrder(inputs)) {
    const InputFile& file = inputs.files[static_cast<size_t>(index)];
    std::string error;
    const auto input = OpenInputLines(folder, file, error);
    if (!input) throw std::runtime_error(error);
    report.push_back("read: " + input->name());
    state.G_InputIndex = index;
    const FileKind kind = index == kBusinessIndex ? FileKind::kBusiness : FileKind::kAddresses;
    MonthRun& csv = kind == FileKind::kBusiness ? business_csv : town_csv;
    const bool read = F_ReadZipFile(env, state, *input, [&](ZipRecord& rec) {
      MonthRecord record{kind, rec, state.origin.file, state.origin.line, {}, {}};
      record.words = words.Convert(state);
      record.csv = csv.Convert(state);
      on_record(record);
    });
    if (!read) {
      std::string why = input->name() + " could not be read";
      for (const std::string& message : reading.messages()) why += ": " + message;
      throw std::runtime_error(why);
    }
  }
  report.insert(report.end(), reading.messages().begin(), reading.messages().end());
  report.insert(report.end(), words.messages().begin(), words.messages().end());
}

void ConvertFile(const fs::path& file, FileKind kind, const Tables& tables) {
  MemorySink sink;  // the word list looks there for lines written before
  ScriptedDialogs dialogs;
  Convert(file, kind, Purpose::kWordList, {}, tables, sink, dialogs);
}

std::string U8(TextView text) { return ToUtf8(text); }

std::string GuardText(const correction::Guard& guard) {
  return std::string(NameOf(correction::kFieldNames, guard.field)) + " " +
         std::string(NameOf(correction::kMatchNames, guard.match)) +
         (guard.text.empty() ? "" : " " + U8(guard.text));
}

}  // namespace tessivar::review
