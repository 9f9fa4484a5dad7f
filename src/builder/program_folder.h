#pragma once
// Where the builder finds Morvane.ini: the folder given with --home, or the
// folder of the running executable when it is a writable program folder's
// Morvane/, else Morvane in the user's Tessivar folder.
#include <filesystem>

namespace morvane {

// The builder's folder for home (empty: the default above), absolute and
// without "." or ".." parts or a trailing "/", so that paths built on it
// read cleanly in the log.
std::filesystem::path ProgramFolder(const std::filesystem::path& home);

}  // namespace morvane
