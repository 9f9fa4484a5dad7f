// Tessivar, the converter of Japan Post's postal-code files.
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "shell/batch_mode.h"

namespace {

// The program folder is the folder of the running executable.
std::filesystem::path ProgramFolder(const char* argv0) {
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) self = std::filesystem::absolute(argv0);
  return self.parent_path();
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
  if (parsed->home.empty()) parsed->home = ProgramFolder(argv[0]);
  return tessivar::RunBatch(*parsed, std::cout, std::cerr);
}
