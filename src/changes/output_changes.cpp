#include "changes/output_changes.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "changes/file_lines.h"
#include "changes/line_match.h"
#include "text/removal_on_signal.h"
#include "text/text_file.h"

namespace changes {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kKeptMark = ".前回-";

// The old content's second name: "ZIP.TXT.前回-<process>".
fs::path KeptName(const fs::path& output) {
  fs::path kept = output;
  kept += std::string(kKeptMark) + std::to_string(::getpid());
  return kept;
}

// Second names left by a run that was killed (one run at a time works in a
// folder, so no other run is using one).
void RemoveLeftKept(const fs::path& output) {
  const std::string prefix = output.filename().string() + std::string(kKeptMark);
  std::error_code ec;
  for (fs::directory_iterator it(output.parent_path(), ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code ignored;
    if (it->path().filename().string().starts_with(prefix) && it->is_regular_file(ignored))
      fs::remove(it->path(), ignored);
  }
}

// The old content under a second name: the same file, or a copy. The name
// is this process's (see RemoveLeftKept), so it is registered before it is
// made: a signal that ends the run removes it however far the making got.
bool Keep(const fs::path& from, const fs::path& to, text::RemovalOnSignal& on_signal, std::string& why) {
  on_signal.Register(to, text::RemovalOnSignal::Kind::kFile);
  if (::link(from.c_str(), to.c_str()) == 0) return true;
  std::error_code ec;
  fs::copy_file(from, to, ec);
  if (!ec) return true;
  why = ec.message();
  fs::remove(to, ec);
  on_signal.Release();
  return false;
}

// Writes line and CR LF as they stand.
void WriteLineBytes(text::TextFileWriter& file, std::string_view line, std::string& scratch) {
  scratch.assign(line);
  scratch += "\r\n";
  file.WriteBytes(scratch);
}

std::string CountsMessage(long added, long removed) {
  if (added == 0 && removed == 0) return "前回の出力と同じです。";
  return "前回の出力から 追加 " + std::to_string(added) + " 件、削除 " + std::to_string(removed) +
         " 件 です。";
}

std::string Unreadable(const std::string& why) {
  return "前回の出力を読めないため、比較しませんでした（" + why + "）。";
}

constexpr std::string_view kNotWritten = " 前回の出力との比較ファイルは作成しませんでした。";

}  // namespace

ChangeFiles::ChangeFiles(const fs::path& output) {
  const fs::path folder = output.parent_path();
  const std::string stem = output.stem().string(), extension = output.extension().string();
  additions = folder / (stem + "_追加" + extension);
  removals = folder / (stem + "_削除" + extension);
  list = folder / "変更一覧.CSV";
  record = folder / (stem + "_作成条件.TXT");
}

OutputChanges::OutputChanges(OutputSettings settings)
    : settings_(std::move(settings)), files_(settings_.output), new_lines_(settings_.header_lines) {
  RemoveLeftKept(settings_.output);
  if (!settings_.write_changes) return;
  std::error_code ec;
  if (!fs::exists(settings_.output, ec)) {
    not_compared_ = "前回の出力がないため、比較しませんでした。";
    return;
  }
  OutputRecord record;
  if (!ReadRecord(files_.record, record)) {
    not_compared_ = "前回の出力の作成条件が記録されていないため、比較しませんでした。";
    return;
  }
  if (record.options != settings_.options) {
    not_compared_ = "前回の出力は作成条件が異なるため、比較しませんでした。";
    return;
  }
  old_fingerprint_ = record.fingerprint;
  std::string why;
  const fs::path kept = KeptName(settings_.output);
  if (!Keep(settings_.output, kept, kept_on_signal_, why)) {
    not_compared_ = "前回の出力を比較のために残せないため、比較しませんでした（" + why + "）。";
    return;
  }
  kept_ = kept;
  compared_ = std::make_unique<Kept>(settings_.header_lines);
  if (!compared_->file.Open(kept_)) {
    not_compared_ = Unreadable(compared_->file.error());
    LetGoOfKept();
  }
}

OutputChanges::~OutputChanges() { LetGoOfKept(); }

void OutputChanges::Written(std::string_view bytes, uint64_t offset) {
  // A reader of the file splits the line again at any line end it holds.
  for (size_t end; (end = bytes.find('\n')) != std::string_view::npos;) {
    std::string_view line = bytes.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    NewLine(line, offset);
    bytes.remove_prefix(end + 1);
    offset += end + 1;
  }
  NewLine(bytes, offset);
}

void OutputChanges::NewLine(std::string_view line, uint64_t offset) {
  uint64_t hash = 0;
  const bool header = new_lines_.Count(line, hash);
  if (!compared_) return;
  if (header) {
    compared_->header.append(line).append("\r\n");
    return;
  }
  compared_->MatchNew(line, hash, {offset, static_cast<uint32_t>(line.size())});
}

void OutputChanges::Kept::MatchNew(std::string_view line, uint64_t hash, LinePlace place) {
  uint64_t old_hash = 0;
  LinePlace old_place;
  // The outputs in step, as they are but for a few hundred lines.
  if (match.AheadEmpty() ? lines.NextIs(line, hash, old_place) : match.TakeNext(hash)) return;
  while (match.WantsOld() && lines.Next(old_hash, old_place)) match.AddOld(old_hash, old_place);
  match.AddNew(hash, place);
}

void OutputChanges::Kept::FinishMatch() {
  uint64_t old_hash = 0;
  LinePlace old_place;
  while (lines.Next(old_hash, old_place)) match.AddOld(old_hash, old_place);
  match.Finish();
}

void OutputChanges::LetGoOfKept() {
  compared_.reset();
  if (kept_.empty()) return;
  std::error_code ignored;
  fs::remove(kept_, ignored);
  kept_on_signal_.Release();
  kept_.clear();
}

std::string OutputChanges::Compare() {
  std::string said;
  // Files that described the output replaced go first, so that none is
  // left beside one it does not describe, whatever fails next.
  for (const fs::path& earlier : {files_.additions, files_.removals, files_.list, files_.record}) {
    std::error_code ec;
    const fs::file_type type = fs::symlink_status(earlier, ec).type();
    if (type == fs::file_type::not_found) continue;
    if (type != fs::file_type::regular && type != fs::file_type::symlink) {
      said += earlier.filename().string() + " はファイルではないため、削除できません。";
      continue;
    }
    fs::remove(earlier, ec);
    if (ec) said += earlier.filename().string() + " を削除できません（" + ec.message() + "）。";
  }

  said.insert(0, compared_ ? CompareWithKept() : not_compared_);
  LetGoOfKept();

  std::string error;
  WriteRecord(files_.record, {settings_.options, new_lines_.fingerprint()},
              settings_.output.filename().string(), error);
  if (!error.empty()) said += error + " 次の作成では 今回の出力と比較できません。";
  return said;
}

// The old lines not yet read matched too, then the lines that differ read
// again by their places, in file order.
std::string OutputChanges::CompareWithKept() {
  compared_->FinishMatch();
  const LineMatch& match = compared_->match;
  FileLines& old_file = compared_->file;
  if (!old_file.error().empty()) return Unreadable(old_file.error());
  if (!(compared_->lines.fingerprint() == old_fingerprint_))
    return "前回の出力は作成後に書き換えられているため、比較しませんでした。";
  FileLines new_file;
  if (!new_file.Open(settings_.output)) return new_file.error() + std::string(kNotWritten);
  const std::string& header = compared_->header;

  // Not synced: like the output, they are made again by the next run.
  constexpr auto kNoSync = text::TextFileWriter::Sync::kNone;
  text::TextFileWriter additions, removals, list_file;
  ChangeList list(settings_.layout);
  if (!additions.Open(files_.additions, kNoSync)) return additions.error() + std::string(kNotWritten);
  if (!removals.Open(files_.removals, kNoSync)) return removals.error() + std::string(kNotWritten);
  if (list.possible() && !list_file.Open(files_.list, kNoSync))
    return list_file.error() + std::string(kNotWritten);
  additions.WriteBytes(header);
  removals.WriteBytes(header);
  std::string scratch;
  std::string_view line;
  for (const LinePlace& place : match.added()) {
    if (!new_file.ReadAt(place.offset, place.length, line))
      return new_file.error() + std::string(kNotWritten);
    WriteLineBytes(additions, line, scratch);
    list.Added(line, place.offset);
  }
  for (const LinePlace& place : match.removed()) {
    if (!old_file.ReadAt(place.offset, place.length, line)) return Unreadable(old_file.error());
    WriteLineBytes(removals, line, scratch);
    list.Removed(line, place.offset);
  }

  std::string error;
  if (list.possible() &&
      !list.Write(list_file, settings_.output.filename().string(), old_file, new_file, error))
    return error + std::string(kNotWritten);
  // All of them or none.
  const std::pair<text::TextFileWriter*, const fs::path*> written[] = {
      {&additions, &files_.additions}, {&removals, &files_.removals}, {&list_file, &files_.list}};
  std::vector<const fs::path*> placed;
  for (const auto& [file, path] : written) {
    if (!file->is_open()) continue;
    if (file->Close())
      placed.push_back(path);
    else if (error.empty())
      error = file->error();
  }
  if (!error.empty()) {
    std::error_code ignored;
    for (const fs::path* path : placed) fs::remove(*path, ignored);
    return error + std::string(kNotWritten);
  }
  return CountsMessage(static_cast<long>(match.added().size()), static_cast<long>(match.removed().size()));
}

}  // namespace changes
