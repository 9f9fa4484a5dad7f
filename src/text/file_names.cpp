#include "text/file_names.h"

#include <algorithm>
#include <system_error>

namespace text {

namespace {

// Length of the UTF-8 sequence that starts with byte b.
size_t CharLength(unsigned char b) {
  if (b < 0x80) return 1;
  if ((b >> 5) == 0x6) return 2;
  if ((b >> 4) == 0xE) return 3;
  if ((b >> 3) == 0x1E) return 4;
  return 1;
}

bool Match(std::string_view name, std::string_view pattern) {
  while (!pattern.empty()) {
    if (pattern[0] == '*') {
      pattern.remove_prefix(1);
      for (size_t i = 0;; i += CharLength(static_cast<unsigned char>(name[i]))) {
        if (Match(name.substr(i), pattern)) return true;
        if (i >= name.size()) return false;
      }
    }
    if (name.empty()) return false;
    size_t n = CharLength(static_cast<unsigned char>(name[0]));
    if (pattern[0] == '?') {
      pattern.remove_prefix(1);
    } else {
      size_t p = CharLength(static_cast<unsigned char>(pattern[0]));
      if (name.substr(0, n) != pattern.substr(0, p)) return false;
      pattern.remove_prefix(p);
    }
    name.remove_prefix(std::min(n, name.size()));
  }
  return name.empty();
}

}  // namespace

bool WildcardMatch(std::string_view name, std::string_view pattern) {
  return Match(UpperAscii(name), UpperAscii(pattern));
}

std::vector<std::string> ListFiles(const std::filesystem::path& dir, std::string_view pattern,
                                   std::error_code* error) {
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code entry_ec;  // an entry that cannot be examined does not end the listing
    if (!it->is_regular_file(entry_ec)) continue;
    std::string name = it->path().filename().string();
    if (WildcardMatch(name, pattern)) names.push_back(std::move(name));
  }
  if (error) *error = ec;
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    auto ua = UpperAscii(a), ub = UpperAscii(b);
    return ua != ub ? ua < ub : a < b;
  });
  return names;
}

std::optional<std::filesystem::path> FindNoCase(const std::filesystem::path& dir, std::string_view name) {
  std::error_code ec;
  if (std::filesystem::exists(dir / name, ec)) return dir / name;
  const std::string wanted = UpperAscii(name);
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (UpperAscii(it->path().filename().string()) == wanted) return it->path();
  }
  return std::nullopt;
}

std::filesystem::path OnDisk(const std::filesystem::path& path) {
  if (!path.has_filename()) return path;
  const auto found = FindNoCase(path.has_parent_path() ? path.parent_path() : ".", path.filename().string());
  return found ? path.parent_path() / found->filename() : path;
}

}  // namespace text
