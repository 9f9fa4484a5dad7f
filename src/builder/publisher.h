#pragma once
// Publishing: every working database "@name.mdb" of the working folder is
// compacted into a new file there, which then takes the place of its final
// file "name.mdb" in MDB_DIR in one step; a previous database stays whole
// until then, also when the compaction fails. Afterwards the working files
// and the consumed inputs (the scripts run and their data files) are cleared.
#include <filesystem>
#include <string>

#include "builder/builder_context.h"
#include "builder/step_result.h"

namespace morvane {

// F_DISTRIBUTE_MDB: fails when a compaction fails.
StepResult F_DISTRIBUTE_MDB(BuilderContext& ctx);

// F_COMPACT_MDB: compacts the working database G_MdbName into its final
// file.
StepResult F_COMPACT_MDB(BuilderContext& ctx);

// F_READ_TVERSION: "VLDATA" of the first row of "T_Version" of the database
// at path into *version; fails when it cannot be read or there is no row.
StepResult F_READ_TVERSION(const std::filesystem::path& path, std::string* version);

// F_GET_VERSION: the version text of the database at path, or "NFND".
std::string F_GET_VERSION(const std::filesystem::path& path);

}  // namespace morvane
