#include "builder/file_system_object.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "text/file_names.h"

namespace morvane {

namespace fs = std::filesystem;

namespace {

std::string Slashes(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

bool EndsWithSlash(const std::string& path) { return !path.empty() && path.back() == '/'; }
bool HasWildcard(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

[[noreturn]] void Throw(int number, const std::string& path) { throw FsoFailure(number, path); }

[[noreturn]] void Throw(const std::error_code& ec, const std::string& path) {
  if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted)
    Throw(kFsoPermissionDenied, path);
  if (ec == std::errc::file_exists || ec == std::errc::directory_not_empty) Throw(kFsoFileExists, path);
  if (ec == std::errc::no_such_file_or_directory) Throw(kFsoPathNotFound, path);
  throw FsoError(ec.value(), ec.message() + " (" + path + ")");
}

using text::OnDisk;

// The entries a source names: itself, or those matching its wildcard part.
std::vector<fs::path> Expand(const std::string& pattern, bool folders) {
  const fs::path path(Slashes(pattern));
  std::vector<fs::path> found;
  std::error_code ec;
  const std::string name = path.filename().string();
  if (!HasWildcard(name)) {
    const fs::path entry = OnDisk(path);
    if (folders ? fs::is_directory(entry, ec) : fs::is_regular_file(entry, ec)) found.push_back(entry);
    return found;
  }
  const fs::path parent = path.has_parent_path() ? path.parent_path() : fs::path(".");
  for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec)) {
    const bool is_folder = it->is_directory(ec);
    if (is_folder == folders && text::WildcardMatch(it->path().filename().string(), name)) {
      found.push_back(it->path());
    }
  }
  return found;
}

std::vector<fs::path> ExpandOrThrow(const std::string& pattern, bool folders) {
  auto found = Expand(pattern, folders);
  if (found.empty()) Throw(folders ? kFsoPathNotFound : kFsoFileNotFound, pattern);
  return found;
}

bool IsReadOnly(const fs::path& path) {
  std::error_code ec;
  return (fs::status(path, ec).permissions() & fs::perms::owner_write) == fs::perms::none;
}

void MakeWritable(const fs::path& path) {
  std::error_code ec;
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ec);
}

// Where a copy or move of source lands.
fs::path Target(const fs::path& source, const std::string& destination, bool into) {
  const std::string dest = Slashes(destination);
  if (into || EndsWithSlash(dest)) return OnDisk(fs::path(dest) / source.filename());
  return OnDisk(fs::path(dest));
}

void Move(const fs::path& source, const fs::path& target) {
  std::error_code ec;
  if (fs::exists(target, ec)) Throw(kFsoFileExists, target.string());
  if (target.has_parent_path() && !fs::is_directory(target.parent_path(), ec))
    Throw(kFsoPathNotFound, target.string());
  fs::rename(source, target, ec);
  if (ec == std::errc::cross_device_link) {
    fs::copy(source, target, fs::copy_options::recursive, ec);
    if (!ec) fs::remove_all(source, ec);
  }
  if (ec) Throw(ec, source.string());
}

}  // namespace

FsoError FsoFailure(int number, const std::string& path) {
  const char* text = "Path not found";
  if (number == kFsoInvalidCall) text = "Invalid procedure call or argument";
  if (number == kFsoFileNotFound) text = "File not found";
  if (number == kFsoFileExists) text = "File already exists";
  if (number == kFsoPermissionDenied) text = "Permission denied";
  return FsoError(number, path.empty() ? std::string(text) : std::string(text) + " (" + path + ")");
}

void CreateFolder(const std::string& folder) {
  const fs::path path(Slashes(folder));
  std::error_code ec;
  if (fs::exists(OnDisk(path), ec)) Throw(kFsoFileExists, folder);
  fs::create_directory(path, ec);
  if (ec) Throw(ec, folder);
}

void DeleteFolder(const std::string& pattern, bool force) {
  for (const auto& folder : ExpandOrThrow(pattern, true)) {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      if (!IsReadOnly(it->path())) continue;
      if (!force) Throw(kFsoPermissionDenied, it->path().string());
      MakeWritable(it->path());
    }
    fs::remove_all(folder, ec);
    if (ec) Throw(ec, folder.string());
  }
}

void MoveFolder(const std::string& source, const std::string& destination) {
  const auto folders = ExpandOrThrow(source, true);
  for (const auto& folder : folders)
    Move(folder, Target(folder, destination, folders.size() > 1 || HasWildcard(source)));
}

void CopyFolder(const std::string& source, const std::string& destination) {
  const auto folders = ExpandOrThrow(source, true);
  for (const auto& folder : folders) {
    const fs::path target = Target(folder, destination, HasWildcard(source));
    std::error_code ec;
    fs::copy(folder, target, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
    if (ec) Throw(ec, target.string());
  }
}

void DeleteFile(const std::string& pattern) {
  for (const auto& file : ExpandOrThrow(pattern, false)) {
    if (IsReadOnly(file)) Throw(kFsoPermissionDenied, file.string());
    std::error_code ec;
    fs::remove(file, ec);
    if (ec) Throw(ec, file.string());
  }
}

void CopyFile(const std::string& source, const std::string& destination) {
  for (const auto& file : ExpandOrThrow(source, false)) {
    const fs::path target = Target(file, destination, HasWildcard(source));
    std::error_code ec;
    if (fs::is_directory(target, ec)) Throw(kFsoPermissionDenied, target.string());
    if (fs::exists(target, ec) && IsReadOnly(target)) Throw(kFsoPermissionDenied, target.string());
    fs::copy_file(file, target, fs::copy_options::overwrite_existing, ec);
    if (ec) Throw(ec, target.string());
  }
}

void MoveFile(const std::string& source, const std::string& destination) {
  for (const auto& file : ExpandOrThrow(source, false))
    Move(file, Target(file, destination, HasWildcard(source)));
}

}  // namespace morvane
