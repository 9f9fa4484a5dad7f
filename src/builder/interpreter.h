#pragma once
// The definition-script interpreter: one script names a working database
// (created with its version table when missing) and a table block whose
// statements run on it; the script's data file is imported afterwards.
#include "builder/builder_context.h"
#include "builder/engine.h"
#include "builder/step_result.h"
#include "text/text_file.h"

namespace morvane {

// F04_READ_SQLTXT: processes the script G_SqlFile of DSTRB_DIR; a failure's
// reason is logged.
StepResult F04_READ_SQLTXT(BuilderContext& ctx);

// F05_CRE_MDB: makes sure the working database MDB_DIR + G_MdbName exists,
// creating it with an empty "T_Version". An existing file whose name differs
// only in case is that database: G_MdbName takes its spelling. Every
// failing step is logged.
StepResult F05_CRE_MDB(BuilderContext& ctx);

// F_EXEC_SQL: runs the statements of the rest of the script on the working
// database. Fails when a statement fails (a DROP of a missing table is no
// failure). Throws EngineError when the database cannot be opened.
StepResult F_EXEC_SQL(BuilderContext& ctx, text::TextFileReader& script);

// F_CREATE_TABLE: creates the table of one CREATE TABLE statement; columns
// or tables the engine rejects are reported and left out, never failing the
// script.
void F_CREATE_TABLE(BuilderContext& ctx, Database& db, const std::string& statement);

}  // namespace morvane
