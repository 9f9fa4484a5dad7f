// Tessivar, the converter of Japan Post's postal-code files: the windows, or
// the batch mode with --batch (which never starts the window toolkit).
#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "shell/batch_mode.h"
#include "shell/display_check.h"
#include "shell/windows_module.h"

namespace {

// The program folder is the folder of the running executable.
std::filesystem::path ProgramFolder(const char* argv0) {
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) self = std::filesystem::absolute(argv0);
  return self.parent_path();
}

int RunWindows(const std::filesystem::path& module_folder, const std::filesystem::path& home, int argc,
               char** argv) {
  const std::filesystem::path module = module_folder / tessivar::kWindowsModuleFile;
  void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
  auto entry =
      handle ? reinterpret_cast<tessivar::WindowsEntry>(dlsym(handle, tessivar::kWindowsEntryName)) : nullptr;
  if (!entry) {
    std::cerr << "Tessivar: the windows cannot be loaded (" << dlerror()
              << "); use --batch to run without them\n";
    return 2;
  }
  return entry(home.c_str(), &argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  auto parsed = tessivar::ParseBatchArguments(args, error);
  if (!parsed) {
    std::cerr << "Tessivar: " << error << "\n" << tessivar::kBatchUsage;
    return 2;
  }
  if (parsed->help) {
    std::cout << tessivar::kBatchUsage;
    return 0;
  }
  const std::filesystem::path program_folder = ProgramFolder(argv[0]);
  if (parsed->home.empty()) parsed->home = program_folder;
  if (!parsed->windows) return tessivar::RunBatch(*parsed, std::cout, std::cerr);

  const std::string missing = tessivar::MissingDisplay(tessivar::CurrentDisplayEnvironment());
  if (!missing.empty()) {
    std::cerr << "Tessivar: the windows need a display (" << missing << "); use --batch to run without one\n";
    return 2;
  }
  return RunWindows(program_folder, parsed->home, argc, argv);
}
