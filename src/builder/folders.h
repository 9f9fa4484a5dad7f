#pragma once
// Preparing the builder's folders at the start of a run, and listing the
// definition scripts of the input folder.
#include <string>

#include "builder/builder_context.h"
#include "builder/step_result.h"

namespace morvane {

// F_MAKE_DIRS: makes MDB_DIR, LOG_DIR and RESULT_DIR when missing, deletes
// the old log, and writes "STS=1" when the status folder was missing before.
// Nothing already in MDB_DIR is touched. Fails when a failure stops the run.
StepResult F_MAKE_DIRS(BuilderContext& ctx);

// F_MAKE_FOLDER: makes every missing level of folder; a failure shows a
// message.
StepResult F_MAKE_FOLDER(BuilderContext& ctx, const std::string& folder);

// F_COUNT_SQLFILE: fills G_SqlFiles with the ".sql" scripts of DSTRB_DIR,
// then its ".squ" scripts, each in folder order; when the settings list the
// scripts of the run (SQL_FILES), only those: other scripts of the folder
// are someone else's. Fails (with the counting error logged) when DSTRB_DIR
// exists but cannot be read, or a listed script is not there; a missing
// DSTRB_DIR holds no script.
StepResult F_COUNT_SQLFILE(BuilderContext& ctx);

}  // namespace morvane
