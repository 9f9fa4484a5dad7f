#pragma once
// Where the builder finds Morvane.ini: the folder given with --home, or the
// folder of the running executable.
#include <filesystem>

namespace morvane {

// The program folder for home (empty: the executable's folder, or the
// current folder when that cannot be told), absolute and without "." or
// ".." parts or a trailing "/", so that paths built on it read cleanly in
// the log.
std::filesystem::path ProgramFolder(const std::filesystem::path& home);

}  // namespace morvane
