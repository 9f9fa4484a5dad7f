#pragma once
// Starting the builder as a process of its own, without waiting for it.
#include <sys/types.h>

#include <filesystem>
#include <string>

namespace tessivar {

// Starts program with no arguments. Returns its process id, or 0 with
// *error describing why it could not be started.
pid_t StartProgram(const std::filesystem::path& program, std::string* error);

// Collects the process's exit status whenever it ends, without blocking the
// caller, so that no zombie is left behind.
void ReapWhenDone(pid_t pid);

}  // namespace tessivar
