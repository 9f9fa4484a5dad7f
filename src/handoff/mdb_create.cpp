// F_MDB_Create: hands the database build to the builder and waits for its
// verdict in the status file.
#include <algorithm>
#include <chrono>
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
  bool ok = writer.WriteLine(u"[Morvane Section]");
  ok = writer.WriteLine(entry("LOG_DIR", program.string())) && ok;
  ok = writer.WriteLine(entry("LOG_FILE", std::string(kBuilderLogFile))) && ok;
  ok = writer.WriteLine(entry("RESULT_DIR", "*")) && ok;
  ok = writer.WriteLine(entry("RESULT_FILE", std::string(kBuilderStatusFile))) && ok;
  ok = writer.WriteLine(entry("DSTRB_DIR", fs::absolute(settings.out_folder).string())) && ok;
  ok = writer.WriteLine(entry("MDB_DIR", (program / kDatabaseFolder).string())) && ok;
  ok = writer.WriteLine(entry("FileCntl", "FileCntl.CTL")) && ok;
  if (!ok) *error = writer.error();
  if (!writer.Close() && ok) {
    *error = writer.error();
    ok = false;
  }
  return ok;
}

// Sleeps between two looks at the status file in short slices, letting the
// windows repaint in between (the batch mode has nothing to repaint).
void SleepBetweenPolls(int poll_ms, Dialogs& dialogs) {
  using Clock = std::chrono::steady_clock;
  constexpr Clock::duration kSlice = std::chrono::milliseconds(50);
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(poll_ms);
  for (Clock::time_point now = Clock::now(); now < end; now = Clock::now()) {
    std::this_thread::sleep_for(std::min(kSlice, end - now));
    dialogs.ProcessEvents();
  }
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
  const std::u16string_view code = std::u16string_view(line).substr(0, 5);
  if (code == u"STS=0") return Verdict::kSucceeded;
  if (code == u"STS=9") return Verdict::kFailed;
  return Verdict::kNone;
}

}  // namespace

BuilderOutcome F_MDB_Create(const HandoffSettings& settings, Dialogs& dialogs) {
  const fs::path folder = BuilderFolder(settings.program_folder);
  const fs::path settings_file = folder / kBuilderSettingsFile;
  const fs::path status_file = folder / kBuilderStatusFile;
  RemoveQuietly(settings_file);
  RemoveQuietly(status_file);

  std::string error;
  if (!WriteSettings(settings, settings_file, &error)) dialogs.Message(std::string(kErrorPrefix) + error);

  BuilderOutcome outcome = BuilderOutcome::kTimedOut;
  const pid_t pid = StartProgram(folder / kBuilderProgram, &error);
  if (pid == 0) {
    dialogs.Message(std::string(kErrorPrefix) + error);
    dialogs.Message("Morvaneが起動できません。");
    outcome = BuilderOutcome::kNotStarted;
  } else {
    for (int poll = 0; poll < settings.max_polls && outcome == BuilderOutcome::kTimedOut; ++poll) {
      SleepBetweenPolls(settings.poll_ms, dialogs);
      switch (ReadVerdict(status_file, dialogs)) {
        case Verdict::kSucceeded: outcome = BuilderOutcome::kSucceeded; break;
        case Verdict::kFailed: outcome = BuilderOutcome::kFailed; break;
        case Verdict::kNone: break;
      }
    }
    if (outcome == BuilderOutcome::kTimedOut) dialogs.Message("Morvaneが想定時間以内に終了できません。");
    ReapWhenDone(pid);
  }
  RemoveQuietly(settings_file);
  RemoveQuietly(status_file);
  return outcome;
}

}  // namespace tessivar
