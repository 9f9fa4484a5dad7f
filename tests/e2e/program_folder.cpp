#include "program_folder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include "text/cp932.h"

namespace tessivar::e2e {

namespace fs = std::filesystem;
using text::Cp932;
using text::FromUtf8;

namespace {

void RemoveTestRootIfAllPassed();

// The folders of one test process, removed when it ends with every test
// passed (kept for a look otherwise): each holds whole-country outputs, and
// a few runs of the suite would fill the disk.
fs::path TestRoot() {
  static const fs::path root = [] {
    fs::path r = fs::temp_directory_path() / ("tessivar_e2e_" + std::to_string(::getpid()));
    fs::remove_all(r);
    fs::create_directories(r);
    return r;
  }();
  // Registered once root is whole, so that it runs before root is destroyed.
  static const bool removed_at_exit = std::atexit(RemoveTestRootIfAllPassed) == 0;
  (void)removed_at_exit;
  return root;
}

void RemoveTestRootIfAllPassed() {
  std::error_code ec;
  if (::testing::UnitTest::GetInstance()->Passed()) fs::remove_all(TestRoot(), ec);
}

const fs::path& InstalledFolder() {
  static const fs::path installed = [] {
    fs::path dir = TestRoot() / "installed";
    std::string command = std::string("\"") + CMAKE_COMMAND + "\" --install \"" + PROJECT_BINARY_DIR +
                          "\" --prefix \"" + dir.string() + "\" > /dev/null";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("cmake --install failed: " + command);
    return dir;
  }();
  return installed;
}

}  // namespace

fs::path FreshProgramFolder(const std::string& name) { return ProgramFolderAt(TestRoot() / name); }

fs::path ProgramFolderAt(const fs::path& folder) {
  fs::remove_all(folder);
  fs::create_directories(folder.parent_path());
  fs::copy(InstalledFolder(), folder, fs::copy_options::recursive);
  return folder;
}

BatchRun RunTessivar(const fs::path& folder, const std::string& args, const std::string& shell_prefix) {
  BatchRun run;
  const fs::path err_file = folder / "stderr.txt";
  std::string command = shell_prefix + "\"" + (folder / "Tessivar").string() + "\" --batch " + args +
                        " 2> \"" + err_file.string() + "\"";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buffer;
  size_t got;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), got);
  int status = ::pclose(pipe);
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.err = ReadBytes(err_file);
  fs::remove(err_file);
  return run;
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

std::string Cp932Bytes(const std::string& utf8_text) {
  Cp932 codec;
  std::string bytes;
  std::istringstream lines(utf8_text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!codec.Encode(FromUtf8(line), bytes)) throw std::runtime_error("not code page 932: " + line);
    bytes += "\r\n";
  }
  return bytes;
}

void WriteCp932(const fs::path& path, const std::string& utf8_text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << Cp932Bytes(utf8_text);
}

std::string WithoutInputLines(const std::string& messages) {
  static const std::regex kWhere("（[^（）\n]* の \\d+ 行目、(郵便番号 \\d+)）");
  return std::regex_replace(messages, kWhere, "（$1）");
}

}  // namespace tessivar::e2e
