#pragma once
// The file-control script: after a successful run, each line of the script
// FileCntl in DSTRB_DIR asks for one file operation ("FSO,verb arguments")
// or starts a program ("SHELL,command line"). Every line is logged; problems
// are log lines and never change the run's status.
#include <filesystem>
#include <optional>
#include <string>

#include "builder/builder_context.h"

namespace morvane {

// The file-control script FileCntl of DSTRB_DIR, its name matched without
// regard to case; nullopt when there is no such file.
std::optional<std::filesystem::path> FindFileControlScript(const BuilderContext& ctx);

// F_RUN_FILECNTL: runs the script FindFileControlScript finds.
void F_RUN_FILECNTL(BuilderContext& ctx);
// F_FSO_COMMAND: one file operation: CREATEFOLDER, DELETEFOLDER (",TRUE"
// forces read-only content), MOVEFOLDER, COPYFOLDER, DELETEFILE, COPYFILE,
// MOVEFILE.
void F_FSO_COMMAND(BuilderContext& ctx, const std::string& command);
// F_SHELL_COMMAND: starts a command line without waiting.
void F_SHELL_COMMAND(BuilderContext& ctx, const std::string& command);

}  // namespace morvane
