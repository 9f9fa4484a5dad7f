#include "builder/program_folder.h"

#include <system_error>

namespace morvane {

namespace fs = std::filesystem;

fs::path ProgramFolder(const fs::path& home) {
  std::error_code ec;
  fs::path folder = home;
  if (folder.empty()) {
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    folder = ec ? fs::current_path(ec) : exe.parent_path();
  }
  folder = fs::absolute(folder, ec).lexically_normal();
  // "dir/." normalises to "dir/": drop the empty last part.
  if (!folder.has_filename() && folder.has_relative_path()) folder = folder.parent_path();
  return folder;
}

}  // namespace morvane
