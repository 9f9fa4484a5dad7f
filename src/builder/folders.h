#pragma once
// Preparing the builder's folders at the start of a run, and listing the
// definition scripts of the input folder.
#include <string>

#include "builder/builder_context.h"
#include "builder/step_result.h"

namespace morvane {

// F_MAKE_DIRS: clears working and stale files from MDB_DIR (published
// databases stay until publishing replaces them), makes MDB_DIR, LOG_DIR and
// RESULT_DIR when missing, deletes the old log, and writes "STS=1" when the
// status folder was missing before. Fails when a failure stops the run.
StepResult F_MAKE_DIRS(BuilderContext& ctx);

// F_MAKE_FOLDER: makes every missing level of folder; a failure shows a
// message.
StepResult F_MAKE_FOLDER(BuilderContext& ctx, const std::string& folder);

// Clears what an interrupted run left in folder: deletes its working files
// ("@...", temporary files of publishing included), read-only ones too, and
// the stale journals ("x.mdb-journal") beside published databases, which
// would roll a database back to nothing when it is next opened; puts every
// backup ("BK_x", any case) back in the place of its database, replacing
// whatever stands there: a backup is never deleted here. Failures show a
// message and the step goes on.
void ClearWorkingFiles(BuilderContext& ctx, const std::string& folder);

// F_COUNT_SQLFILE: fills G_SqlFiles with the ".sql" scripts of DSTRB_DIR,
// then its ".squ" scripts, each in folder order. Fails (with the counting
// error logged) when DSTRB_DIR exists but cannot be read; a missing DSTRB_DIR
// holds no script.
StepResult F_COUNT_SQLFILE(BuilderContext& ctx);

}  // namespace morvane
