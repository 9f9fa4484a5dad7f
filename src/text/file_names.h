#pragma once
// File names matched as Windows matches them: without regard to the case of
// Latin letters, in look-ups and in wildcard patterns alike ("@*.MDB" finds
// "@torvask.mdb"). Names are UTF-8 on disk.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessivar {

// Upper-cases ASCII letters only; other characters stay as they are.
std::string UpperAscii(std::string_view s);

// Matches name against a pattern with "*" (any run) and "?" (one character).
bool WildcardMatch(std::string_view name, std::string_view pattern);

// Regular files of dir whose names match pattern, sorted by their upper-cased
// names (the order a Windows folder listing gives). Empty when dir is missing.
std::vector<std::string> ListFiles(const std::filesystem::path& dir, std::string_view pattern);

// The entry of dir whose name equals name without regard to case, if any.
std::optional<std::filesystem::path> FindNoCase(const std::filesystem::path& dir, std::string_view name);

}  // namespace tessivar
