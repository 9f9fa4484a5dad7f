#pragma once
// The start button: takes the program folder's run lock, chooses the output
// file, asks for confirmation, clears an old output file, checks the
// prefecture choice, runs the conversion and, for the database, hands the
// data file to the builder.
#include "shell/application.h"

namespace tessivar {

enum class RunResult {
  kRefused,      // the user said No, no prefecture was chosen, or another run is in progress
  kCompleted,    // the count or result message was shown
  kFailed,       // an input could not be read or an output not written whole; for the
                 // database, no record was read (the old database stays)
  kBuildFailed,  // the database builder failed, timed out or did not start
};

// The lock file in the program folder that lets one run at a time work there.
inline constexpr std::string_view kRunLockFile = "Tessivar.lock";

RunResult Btn_作成開始_Click(Application& app);

// G_SelFields = the list of the set "<" + name + ">"; "NotFound" alone when
// the set does not exist.
void F_SelectFieldSet(Application& app, std::u16string_view name);

}  // namespace tessivar
