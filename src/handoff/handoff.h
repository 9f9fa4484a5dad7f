#pragma once
// The converter's side of the database build: placing the builder's inputs,
// writing its settings file, starting it, waiting for its status, and the
// result message. No windows: every message goes through Dialogs.
#include <filesystem>

#include "dialogs/dialogs.h"

namespace tessivar {

// The builder's status file is read every 5 seconds, at most 100 times.
inline constexpr int kDefaultPollMs = 5000;
inline constexpr int kMaxPolls = 100;

struct HandoffSettings {
  std::filesystem::path program_folder;  // the converter's folder (holds Morvane/)
  // The builder's executable; empty: Morvane/Morvane in program_folder. It
  // runs in program_folder's Morvane/, wherever it is installed.
  std::filesystem::path builder_program;
  std::filesystem::path out_folder;  // G_OutFolder (CSV_OUT)
  int poll_ms = kDefaultPollMs;      // --poll-ms
  int max_polls = kMaxPolls;
};

enum class BuilderOutcome {
  kSucceeded,
  kFailed,  // the builder reported "STS=9"
  kEnded,   // the builder ended without a verdict (it crashed, or refused to run)
  kTimedOut,
  kNotStarted,  // its settings could not be written, or it could not be started
};

// Copies torvaskmdb.sql, 県tbl.sql, 県tbl.csv from Morvane/MDB定義 into
// out_folder (overwriting), each whole or not at all. False, after saying
// which files could not be copied and why, when one of them failed: without
// its definitions the builder would build nothing.
bool CopyDefinitionFiles(const HandoffSettings&, Dialogs&);

// F_MDB_Create: settings file, process start without waiting, polling,
// verdict, clean-up. The wait ends as soon as the builder has ended (its
// status file is then read once), or after max_polls looks at the status
// file, poll_ms apart.
BuilderOutcome F_MDB_Create(const HandoffSettings&, Dialogs&);

// The result message after a database run ("郵便番号MDB を N 件 作成しました。…"
// or the failure text); silent when F_MDB_Create has shown its own message
// (time-out, failed start, builder ended without a verdict).
void ShowBuilderResult(BuilderOutcome, long record_count, Dialogs&);

}  // namespace tessivar
