#pragma once
// The start button: chooses the output file, asks for confirmation, clears an
// old output file, checks the prefecture choice, runs the conversion and, for
// the database, hands the data file to the builder.
#include "shell/application.h"

namespace tessivar {

enum class RunResult {
  kRefused,      // the user said No, or no prefecture was chosen
  kCompleted,    // the count or result message was shown
  kBuildFailed,  // the database builder failed, timed out or did not start
};

RunResult Btn_作成開始_Click(Application& app);

// G_SelFields = the list of the set "<" + name + ">"; "NotFound" alone when
// the set does not exist.
void F_SelectFieldSet(Application& app, std::u16string_view name);

}  // namespace tessivar
