#pragma once
// Importing a script's data file (its base name + ".CSV", beside it) into the
// script's table: the engine's set-based import, or the record-by-record
// loader when the input folder's path holds "]" (which the set-based
// statement cannot name). Both load all rows or none.
#include <filesystem>
#include <string>

#include "builder/builder_context.h"
#include "builder/engine.h"
#include "builder/step_result.h"

namespace morvane {

// The data file name of a script: its name up to the first "." + ".CSV"
// (found without regard to case).
std::string DataFileName(const std::string& script);

// F_IMPORT_CSV: imports the script's data file. Nothing is imported when the
// table block created no table; a missing data file is logged and no failure.
StepResult F_IMPORT_CSV(BuilderContext& ctx);

// The record-by-record loader: the header names the columns (a name matches
// as written or without its enclosing quotes, without regard to case); an
// empty file, a header name that is no column, a line with more values than
// the header, or a value the column cannot hold fails the whole load.
void LoadRecords(Database& db, const std::string& table, const std::filesystem::path& file);

}  // namespace morvane
