// F_MDB_Create: hands the database build to the builder and waits for its
// verdict in the status file.
#include <algorithm>
#include <chrono>
#include <optional>
#include <system_error>
#include <thread>

#include "handoff/builder_files.h"
#include "handoff/builder_process.h"
#include "handoff/handoff.h"
#include "text/cp932.h"
#include "text/text_file.h"

namespace tessivar {

namespace {

namespace fs = std::filesystem;
using namespace handoff;

constexpr std::string_view kErrorPrefix = "F_MDB_Create:エラー：";

void RemoveQuietly(const fs::path& path) {
  std::error_code ec;
  fs::remove(path, ec);
}

// The builder's settings: log beside the converter, scripts and data from
// CSV_OUT, databases into MDB_OUT, status file in the builder's own folder.
bool WriteSettings(const HandoffSettings& settings, const fs::path& path, std::string* error) {
  const fs::path program = fs::absolute(settings.program_folder);
  text::TextFileWriter writer;
  if (!writer.Open(path)) {
    *error = writer.error();
    return false;
  }
  auto entry = [](std::string_view key, const std::string& value) {
    return text::FromUtf8(std::string(key) + " = \"" + value + "\"");
  };
  bool ok = writer.WriteLine(text::FromUtf8("[" + std::string(kSettingsSection) + "]"));
  ok = writer.WriteLine(entry(kLogDirKey, program.string())) && ok;
  ok = writer.WriteLine(entry(kLogFileKey, std::string(kBuilderLogFile))) && ok;
  ok = writer.WriteLine(entry(kResultDirKey, std::string(kBuilderOwnFolder))) && ok;
  ok = writer.WriteLine(entry(kResultFileKey, std::string(kBuilderStatusFile))) && ok;
  ok = writer.WriteLine(entry(kDistributionDirKey, fs::absolute(settings.out_folder).string())) && ok;
  ok = writer.WriteLine(entry(kDatabaseDirKey, (program / kDatabaseFolder).string())) && ok;
  ok = writer.WriteLine(entry(kFileControlKey, std::string(kFileControlScript))) && ok;
  if (!ok) *error = writer.error();
  if (!writer.Close() && ok) {
    *error = writer.error();
    ok = false;
  }
  return ok;
}

// Sleeps until the next look at the status file, in short slices, letting
// the windows repaint in between (the batch mode has nothing to repaint).
// Returns how the builder ended as soon as it has, without waiting further.
std::optional<std::string> SleepBetweenPolls(int poll_ms, pid_t builder, Dialogs& dialogs) {
  using Clock = std::chrono::steady_clock;
  constexpr Clock::duration kSlice = std::chrono::milliseconds(50);
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(poll_ms);
  for (Clock::time_point now = Clock::now(); now < end; now = Clock::now()) {
    if (auto ended = EndOf(builder)) return ended;
    std::this_thread::sleep_for(std::min(kSlice, end - now));
    dialogs.ProcessEvents();
  }
  return EndOf(builder);
}

enum class Verdict { kNone, kSucceeded, kFailed };

// Reads the status file's first line. A missing file means the builder has
// not written it yet (it is deleted and rewritten while the builder works).
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

BuilderOutcome Outcome(Verdict verdict) {
  return verdict == Verdict::kSucceeded ? BuilderOutcome::kSucceeded : BuilderOutcome::kFailed;
}

// Waits for the verdict of the builder process pid.
BuilderOutcome AwaitVerdict(const HandoffSettings& settings, pid_t pid, const fs::path& status_file,
                            Dialogs& dialogs) {
  for (int poll = 0; poll < settings.max_polls; ++poll) {
    const std::optional<std::string> ended = SleepBetweenPolls(settings.poll_ms, pid, dialogs);
    const Verdict verdict = ReadVerdict(status_file, dialogs);
    if (verdict != Verdict::kNone) {
      if (!ended) ReapWhenDone(pid);
      return Outcome(verdict);
    }
    if (ended) {
      // Dead at once or half-way: there will be no verdict to wait for.
      dialogs.Message("Morvaneが結果を書かずに終了しました（" + *ended + "）。");
      return BuilderOutcome::kEnded;
    }
  }
  dialogs.Message("Morvaneが想定時間以内に終了できません。");
  ReapWhenDone(pid);
  return BuilderOutcome::kTimedOut;
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
  } else if (const pid_t pid = StartProgram(program, {"--home", folder.string()}, &error); pid == 0) {
    dialogs.Message(std::string(kErrorPrefix) + error);
    dialogs.Message("Morvaneが起動できません。");
  } else {
    outcome = AwaitVerdict(settings, pid, status_file, dialogs);
  }
  RemoveQuietly(settings_file);
  RemoveQuietly(status_file);
  return outcome;
}

}  // namespace tessivar
