#pragma once
// Starting the builder as a process of its own, without waiting for it.
#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tessivar {

// Starts program with arguments. Returns its process id, or 0 with *error
// describing why it could not be started.
pid_t StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                   std::string* error);

// When the process has ended: how ("終了コード 3", "シグナル 9"), having
// collected it. nullopt while it runs.
std::optional<std::string> EndOf(pid_t pid);

// Collects the process's exit status whenever it ends, without blocking the
// caller, so that no zombie is left behind.
void ReapWhenDone(pid_t pid);

}  // namespace tessivar
