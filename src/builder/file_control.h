#pragma once
// The file-control script: after a successful run, each line of the script
// FileCntl in DSTRB_DIR asks for one file operation ("FSO,verb arguments")
// or starts a program ("SHELL,command line"). Every line is logged; problems
// are log lines and never change the run's status.
#include <string>

#include "builder/builder_context.h"

namespace morvane {

// F_RUN_FILECNTL.
void F_RUN_FILECNTL(BuilderContext& ctx);
// F_FSO_COMMAND: one file operation: CREATEFOLDER, DELETEFOLDER (",TRUE"
// forces read-only content), MOVEFOLDER, COPYFOLDER, DELETEFILE, COPYFILE,
// MOVEFILE.
void F_FSO_COMMAND(BuilderContext& ctx, const std::string& command);
// F_SHELL_COMMAND: starts a command line without waiting.
void F_SHELL_COMMAND(BuilderContext& ctx, const std::string& command);

}  // namespace morvane
