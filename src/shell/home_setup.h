#pragma once
// The home a run works in, when it is not the program folder: the user's
// folder ("Tessivar" in the documents folder) of a package or of a program
// folder the user may not write, or a folder named with --home. Start-up
// makes it and gives it what the program folder holds.
#include "places/program_files.h"
#include "shell/application.h"

namespace tessivar {

// Gives app the program's files: the builder it starts and, when app's home
// is not the program folder, where start-up takes the home's first files from.
void UseProgramFiles(Application& app, const places::ProgramFiles& files);

// Makes the home from app.home_source, keeping whatever it already holds:
// the folders CSV_IN, CSV_OUT, MDB_OUT and Morvane/ (the builder's settings,
// status file and lock go there, its log into the home), the default
// Tessivar.ini when there is none, and the builder's definition files in
// Morvane/MDB定義: each copied when missing, and replaced by a newer one of
// the program's only while it still holds what was copied, so that a file
// the user changed is kept. What was copied is noted in MDB定義/.copied.
// Failures are reported; start-up goes on and meets their consequences.
void PrepareHome(Application& app);

// The note of copied definition files.
inline constexpr char kCopiedNoteFile[] = ".copied";

}  // namespace tessivar
