#pragma once
// The converter's side of the database build: placing the builder's inputs,
// writing its settings file, starting it, waiting for its status, and the
// result message. No windows: every message goes through Dialogs.
#include <array>
#include <chrono>
#include <filesystem>
#include <string_view>

#include "dialogs/dialogs.h"

namespace tessivar {

// How often Tessivar looks whether the builder has ended (--poll-ms), and
// the least interval it accepts.
inline constexpr int kDefaultPollMs = 100;
inline constexpr int kLeastPollMs = 10;
// The longest wait for the builder: a whole-country build takes well under a
// minute; one that has not ended after this is ended.
inline constexpr std::chrono::milliseconds kBuilderTimeLimit = std::chrono::minutes(30);

// The files copied from Morvane/MDB定義 into the output folder for the
// builder, and of them the scripts it is to run.
inline constexpr std::array<std::string_view, 3> kDefinitionFiles = {"torvaskmdb.sql", "県tbl.sql",
                                                                     "県tbl.csv"};
inline constexpr std::array<std::string_view, 2> kDefinitionScripts = {"torvaskmdb.sql", "県tbl.sql"};

struct HandoffSettings {
  std::filesystem::path program_folder;  // the converter's folder (holds Morvane/)
  // The builder's executable; empty: Morvane/Morvane in program_folder. It
  // runs in program_folder's Morvane/, wherever it is installed.
  std::filesystem::path builder_program;
  std::filesystem::path out_folder;  // G_OutFolder (CSV_OUT)
  int poll_ms = kDefaultPollMs;      // --poll-ms
  std::chrono::milliseconds time_limit = kBuilderTimeLimit;
  // The run lock's descriptor, handed to the builder so that the lock is
  // held until the builder has ended, even when Tessivar ends first; -1
  // for none.
  int run_lock = -1;
};

enum class BuilderOutcome {
  kSucceeded,
  kFailed,      // the builder reported "STS=9"
  kEnded,       // the builder ended without a verdict (it crashed, or refused to run)
  kTimedOut,    // it was ended after the time limit
  kNotStarted,  // its settings could not be written, or it could not be started
};

// Copies torvaskmdb.sql, 県tbl.sql, 県tbl.csv from Morvane/MDB定義 into
// out_folder (overwriting), each whole or not at all. False, after saying
// which files could not be copied and why, when one of them failed: without
// its definitions the builder would build nothing.
bool CopyDefinitionFiles(const HandoffSettings&, Dialogs&);

// The definition files copied for a database run, taken back from
// out_folder when the run ends before a builder started that would consume
// them (a question answered No, a failed conversion, a builder that could
// not start): a run leaves no files of its own behind.
class CopiedDefinitionFiles {
 public:
  explicit CopiedDefinitionFiles(const HandoffSettings& settings) : settings_(settings) {}
  ~CopiedDefinitionFiles();
  CopiedDefinitionFiles(const CopiedDefinitionFiles&) = delete;
  CopiedDefinitionFiles& operator=(const CopiedDefinitionFiles&) = delete;

  bool Copy(Dialogs& dialogs) {
    copied_ = true;  // also a part of them, when one failed
    return CopyDefinitionFiles(settings_, dialogs);
  }
  // A builder started: they are its inputs now, and it removes them.
  void HandOn() { copied_ = false; }

 private:
  const HandoffSettings& settings_;
  bool copied_ = false;
};

// F_MDB_Create: settings file, process start, waiting, verdict, clean-up.
// The builder's end decides: its status file is read once it has ended. A
// builder still running after time_limit is ended (SIGTERM, which makes it
// remove its working files and publish nothing) and the wait reported as
// timed out.
BuilderOutcome F_MDB_Create(const HandoffSettings&, Dialogs&);

// The result message after a database run ("郵便番号MDB を N 件 作成しました。…"
// or the failure text); silent when F_MDB_Create has shown its own message
// (time-out, failed start, builder ended without a verdict).
void ShowBuilderResult(BuilderOutcome, long record_count, Dialogs&);

}  // namespace tessivar
