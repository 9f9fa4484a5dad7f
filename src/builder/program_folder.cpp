#include "builder/program_folder.h"

#include <system_error>

#include "places/program_files.h"

namespace morvane {

namespace fs = std::filesystem;

fs::path ProgramFolder(const fs::path& home) {
  std::error_code ec;
  fs::path folder = home;
  if (folder.empty()) {
    folder = places::DefaultBuilderFolder(places::ExecutableFolder(), places::CurrentUserEnvironment());
  }
  folder = fs::absolute(folder, ec).lexically_normal();
  // "dir/." normalises to "dir/": drop the empty last part.
  if (!folder.has_filename() && folder.has_relative_path()) folder = folder.parent_path();
  return folder;
}

}  // namespace morvane
