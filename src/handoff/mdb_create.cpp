// F_MDB_Create: hands the database build to the builder, waits for it to
// end and takes its verdict from the status file.
#include <algorithm>
#include <chrono>
#include <optional>
#include <system_error>

#include "handoff/builder_files.h"
#include "handoff/builder_process.h"
#include "handoff/handoff.h"
#include "handoff/settings_value.h"
#include "text/cp932.h"
#include "text/text_file.h"

namespace tessivar {

namespace {

namespace fs = std::filesystem;
using namespace handoff;

constexpr std::string_view kErrorPrefix = "F_MDB_Create:エラー：";
// How long a builder ended after the time limit gets to remove its working
// files before it is killed.
constexpr std::chrono::seconds kEndingGrace{10};

void RemoveQuietly(const fs::path& path) {
  std::error_code ec;
  fs::remove(path, ec);
}

// The builder's settings: log beside the converter, scripts and data from
// CSV_OUT, databases into MDB_OUT, status file in the builder's own folder,
// and the scripts of this run. Written in UTF-8 (see settings_value.h), so
// that any folder name reaches the builder as it is.
bool WriteSettings(const HandoffSettings& settings, const fs::path& path, std::string* error) {
  const fs::path program = fs::absolute(settings.program_folder);
  std::string scripts;
  for (std::string_view script : kDefinitionScripts) {
    if (!scripts.empty()) scripts += kScriptListSeparator;
    scripts += script;
  }
  std::string content = std::string(kUtf8Mark) + "[" + std::string(kSettingsSection) + "]\r\n";
  auto entry = [&content](std::string_view key, std::string_view value) {
    content += std::string(key) + " = \"" + EscapeSettingsValue(value) + "\"\r\n";
  };
  entry(kLogDirKey, program.native());
  entry(kLogFileKey, kBuilderLogFile);
  entry(kResultDirKey, kBuilderOwnFolder);
  entry(kResultFileKey, kBuilderStatusFile);
  entry(kDistributionDirKey, fs::absolute(settings.out_folder).native());
  entry(kDatabaseDirKey, (program / kDatabaseFolder).native());
  entry(kFileControlKey, kFileControlScript);
  entry(kScriptListKey, scripts);
  // Written for this run alone and removed after it: no waiting for the disk.
  text::TextFileWriter writer;
  if (!writer.Open(path, text::TextFileWriter::Sync::kNone) || !writer.WriteBytes(content) ||
      !writer.Close()) {
    *error = writer.error();
    return false;
  }
  return true;
}

// Waits, letting the windows repaint, until the builder process has ended
// (how, once collected) or the time limit has passed (nullopt). It is looked
// at every poll_ms, and at once when the system tells that it has ended.
std::optional<std::string> AwaitEnd(const HandoffSettings& settings, pid_t builder, Dialogs& dialogs) {
  using Clock = std::chrono::steady_clock;
  using std::chrono::milliseconds;
  constexpr milliseconds kRepaint(50);
  const milliseconds poll(std::max(settings.poll_ms, kLeastPollMs));
  const Clock::time_point limit = Clock::now() + settings.time_limit;
  Clock::time_point next_look = Clock::now();
  EndWatch watch(builder);
  for (Clock::time_point now = Clock::now(); now < limit; now = Clock::now()) {
    if (now >= next_look) {
      if (auto ended = EndOf(builder)) return ended;
      next_look = now + poll;
    }
    const auto rest = std::chrono::ceil<milliseconds>(std::min(next_look, limit) - now);
    if (watch.Sleep(std::min(kRepaint, rest))) next_look = Clock::now();
    dialogs.ProcessEvents();
  }
  return EndOf(builder);
}

enum class Verdict { kNone, kSucceeded, kFailed };

// Reads the status file's first line. A missing file means the builder did
// not write one.
Verdict ReadVerdict(const fs::path& path, Dialogs& dialogs) {
  std::error_code ec;
  if (!fs::exists(path, ec)) return Verdict::kNone;
  text::TextFileReader reader;
  std::u16string line;
  if (!reader.Open(path)) {
    dialogs.Message(std::string(kErrorPrefix) + reader.error());
    return Verdict::kNone;
  }
  if (!reader.Next(line)) return Verdict::kNone;
  const std::string code = text::ToUtf8(std::u16string_view(line).substr(0, 5));
  if (code == StatusLine(Status::kDone)) return Verdict::kSucceeded;
  if (code == StatusLine(Status::kFailed)) return Verdict::kFailed;
  return Verdict::kNone;
}

// Waits for the builder process pid to end and takes its verdict.
BuilderOutcome AwaitVerdict(const HandoffSettings& settings, pid_t pid, const fs::path& status_file,
                            Dialogs& dialogs) {
  const std::optional<std::string> ended = AwaitEnd(settings, pid, dialogs);
  if (!ended) {
    // Left running, it could still publish after this verdict.
    EndProcess(pid, kEndingGrace);
    dialogs.Message("Morvaneが想定時間以内に終了できません。");
    return BuilderOutcome::kTimedOut;
  }
  switch (ReadVerdict(status_file, dialogs)) {
    case Verdict::kSucceeded: return BuilderOutcome::kSucceeded;
    case Verdict::kFailed: return BuilderOutcome::kFailed;
    case Verdict::kNone: break;
  }
  dialogs.Message("Morvaneが結果を書かずに終了しました（" + *ended + "）。");
  return BuilderOutcome::kEnded;
}

}  // namespace

BuilderOutcome F_MDB_Create(const HandoffSettings& settings, Dialogs& dialogs) {
  const fs::path folder = BuilderFolder(settings.program_folder);
  const fs::path program =
      settings.builder_program.empty() ? folder / kBuilderProgram : settings.builder_program;
  const fs::path settings_file = folder / kBuilderSettingsFile;
  const fs::path status_file = folder / kBuilderStatusFile;
  RemoveQuietly(settings_file);
  RemoveQuietly(status_file);

  BuilderOutcome outcome = BuilderOutcome::kNotStarted;
  std::string error;
  if (!WriteSettings(settings, settings_file, &error)) {
    // Without its settings the builder could only fail.
    dialogs.Message(std::string(kErrorPrefix) + error);
    dialogs.Message("Morvaneが起動できません。");
  } else if (const pid_t pid = StartProgram(program, {"--home", folder.string()}, settings.run_lock, &error);
             pid == 0) {
    dialogs.Message(std::string(kErrorPrefix) + error);
    dialogs.Message("Morvaneが起動できません。");
  } else {
    outcome = AwaitVerdict(settings, pid, status_file, dialogs);
  }
  // The builder has ended: nothing reads these any more.
  RemoveQuietly(settings_file);
  RemoveQuietly(status_file);
  return outcome;
}

}  // namespace tessivar
