#pragma once
// One run of the builder: settings, folders, every definition script,
// publishing, the file-control script; progress in the log, the outcome in
// the status file ("STS=0" or "STS=9").
#include <filesystem>
#include <ostream>
#include <string_view>

#include "builder/builder_context.h"
#include "builder/step_result.h"

namespace morvane {

// Main of the builder, on an existing context (tests look at it afterwards).
StepResult RunBuilder(BuilderContext& ctx);

// The lock file in the builder's folder that lets one builder run there at a
// time.
inline constexpr std::string_view kRunLockFile = "Morvane.lock";

// Runs the builder whose program folder is program_folder, unless another
// builder runs there; message boxes go to messages. Returns the process exit
// code: 0 success, 1 failure (or another builder running).
int RunBuilder(const std::filesystem::path& program_folder, std::ostream& messages);

}  // namespace morvane
