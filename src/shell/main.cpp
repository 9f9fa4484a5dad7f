// Tessivar, the converter of Japan Post's postal-code files: the windows, or
// the batch mode with --batch (which never starts the window toolkit).
#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "places/program_files.h"
#include "program_version.h"
#include "shell/batch_mode.h"
#include "shell/display_check.h"
#include "shell/windows_module.h"

namespace {

int RunWindows(const std::filesystem::path& module, const std::filesystem::path& home, int argc,
               char** argv) {
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
  if (parsed->version) {
    std::cout << "Tessivar " << tessivar::kVersionText << "\n";
    return 0;
  }
  // The program folder, or the package's folders with a folder of the user's own.
  const places::ProgramFiles files = places::LocateProgramFiles(places::ExecutableFolder());
  if (parsed->home.empty()) parsed->home = places::DefaultHome(files, places::CurrentUserEnvironment());
  if (!parsed->windows) return tessivar::RunBatch(*parsed, files, std::cout, std::cerr);

  const std::string missing = tessivar::MissingDisplay(tessivar::CurrentDisplayEnvironment());
  if (!missing.empty()) {
    std::cerr << "Tessivar: the windows need a display (" << missing << "); use --batch to run without one\n";
    return 2;
  }
  return RunWindows(files.windows_module, parsed->home, argc, argv);
}
