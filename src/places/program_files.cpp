#include "places/program_files.h"

#include <unistd.h>

#include <system_error>

#include "handoff/builder_files.h"
#include "package_paths.h"
#include "shell/windows_module.h"

namespace places {

namespace fs = std::filesystem;

namespace {

bool Writable(const fs::path& folder) { return ::access(folder.c_str(), W_OK) == 0; }

bool IsPackage(const fs::path& executable_folder) {
  std::error_code ec;
  return fs::is_regular_file(executable_folder / kPackageDataFolder / "Tessivar.ini", ec);
}

}  // namespace

fs::path ExecutableFolder() {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::current_path(ec) : self.parent_path();
}

ProgramFiles LocateProgramFiles(const fs::path& executable_folder) {
  ProgramFiles files;
  files.folder = executable_folder;
  files.folder_writable = Writable(executable_folder);
  if (IsPackage(executable_folder)) {
    const fs::path lib = (executable_folder / kPackageLibFolder).lexically_normal();
    const fs::path data = (executable_folder / kPackageDataFolder).lexically_normal();
    files.layout = Layout::kPackage;
    files.windows_module = lib / tessivar::kWindowsModuleFile;
    files.field_sets = data / "Tessivar.ini";
    files.builder_program = executable_folder / kPackageBuilderProgram;
    files.definition_folder = data / handoff::kDefinitionFolder;
  } else {
    const fs::path builder = handoff::BuilderFolder(executable_folder);
    files.windows_module = executable_folder / tessivar::kWindowsModuleFile;
    files.field_sets = executable_folder / "Tessivar.ini";
    files.builder_program = builder / handoff::kBuilderProgram;
    files.definition_folder = builder / handoff::kDefinitionFolder;
  }
  return files;
}

fs::path DefaultHome(const ProgramFiles& files, const UserEnvironment& env) {
  if (files.layout == Layout::kProgramFolder && files.folder_writable) return files.folder;
  return UserFolder(env);
}

bool IsProgramFolder(const ProgramFiles& files, const fs::path& home) {
  std::error_code ec;
  return files.layout == Layout::kProgramFolder && fs::equivalent(files.folder, home, ec);
}

fs::path DefaultBuilderFolder(const fs::path& executable_folder, const UserEnvironment& env) {
  // The builder of a program folder lies in DIR/Morvane, the package's in bin/.
  if (!IsPackage(executable_folder) && Writable(executable_folder)) return executable_folder;
  return handoff::BuilderFolder(UserFolder(env));
}

}  // namespace places
