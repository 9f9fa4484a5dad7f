#pragma once
// File names matched as Windows matches them: without regard to the case of
// Latin letters, in look-ups and in wildcard patterns alike ("@*.MDB" finds
// "@torvask.mdb"). Names are UTF-8 on disk.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "text/ascii.h"

namespace text {

// Matches name against a pattern with "*" (any run) and "?" (one character).
bool WildcardMatch(std::string_view name, std::string_view pattern);

// Regular files of dir whose names match pattern, sorted by their upper-cased
// names (the order a Windows folder listing gives). Empty when dir is missing
// or cannot be read; *error, when given, then says why.
std::vector<std::string> ListFiles(const std::filesystem::path& dir, std::string_view pattern,
                                   std::error_code* error = nullptr);

// The entry of dir whose name equals name without regard to case, if any.
std::optional<std::filesystem::path> FindNoCase(const std::filesystem::path& dir, std::string_view name);

// path spelled as on disk when its last part matches an entry only without
// regard to case; path itself when nothing matches.
std::filesystem::path OnDisk(const std::filesystem::path& path);

}  // namespace text
