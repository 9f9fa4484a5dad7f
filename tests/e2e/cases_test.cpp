// End-to-end cases of the batch mode, one folder each under data/cases:
//   case.txt         "args: ...", "exit: N", optional "remove: FILE" lines, then
//                    "stdout:" and the expected messages to the end of the file
//   CSV_IN/          input files (kept in UTF-8 here, written as code page 932)
//   home/            files put into the program folder first (e.g. Tessivar.ini)
//   CSV_OUT.before/  files already in CSV_OUT before the run
//   CSV_OUT/         the exact output files expected afterwards, nothing more
//   home.after/      program-folder files expected afterwards
// Expected files are compared byte for byte after encoding in code page 932
// with CR LF; the word list's "!DateTime:<date>" line stands for the time of
// the run, checked by its pattern, and a record's "fingerprint=<fingerprint>"
// for the output's fingerprint (its use is checked in changes_test.cpp).
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "program_folder.h"
#include "text/cp932.h"

namespace tessivar::e2e {
namespace {

namespace fs = std::filesystem;
using text::Cp932;
using text::ToUtf8;

const fs::path kCasesDir = fs::path(TEST_DATA_DIR) / "cases";

struct CaseSpec {
  std::string args;
  int exit_code = 0;
  std::vector<std::string> removals;
  std::string stdout_text;
};

CaseSpec ReadCase(const fs::path& file) {
  CaseSpec the_case;
  std::istringstream in(ReadBytes(file));
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("args: ", 0) == 0)
      the_case.args = line.substr(6);
    else if (line.rfind("exit: ", 0) == 0)
      the_case.exit_code = std::stoi(line.substr(6));
    else if (line.rfind("remove: ", 0) == 0)
      the_case.removals.push_back(line.substr(8));
    else if (line == "stdout:") {
      std::ostringstream rest;
      rest << in.rdbuf();
      the_case.stdout_text = rest.str();
      break;
    }
  }
  return the_case;
}

void CopyEncoded(const fs::path& from, const fs::path& to) {
  if (!fs::exists(from)) return;
  for (const auto& entry : fs::directory_iterator(from)) {
    WriteCp932(to / entry.path().filename(), ReadBytes(entry.path()));
  }
}

// Replaces the run's date line by the expected placeholder when it has the
// documented form.
std::string MaskDateLine(const std::string& bytes) {
  const std::string prefix = "\r\n!DateTime:";
  auto at = bytes.find(prefix);
  if (at == std::string::npos) return bytes;
  auto end = bytes.find("\r\n", at + 2);
  Cp932 codec;
  std::u16string decoded;
  codec.Decode(std::string_view(bytes).substr(at + prefix.size(), end - at - prefix.size()), decoded);
  static const std::regex kForm("\\d{4}年\\d{2}月\\d{2}日 \\d{2}:\\d{2}");
  if (!std::regex_match(ToUtf8(decoded), kForm)) return bytes;
  return bytes.substr(0, at) + "\r\n!DateTime:<date>" + bytes.substr(end);
}

std::string MaskFingerprint(const std::string& bytes) {
  static const std::regex kFingerprint("\r\nfingerprint=[0-9a-f]{16}\r\n");
  return std::regex_replace(bytes, kFingerprint, "\r\nfingerprint=<fingerprint>\r\n");
}

std::vector<std::string> FileNames(const fs::path& dir) {
  std::vector<std::string> names;
  if (fs::exists(dir)) {
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(kCasesDir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class BatchCase : public ::testing::TestWithParam<std::string> {};

TEST_P(BatchCase, OutputsAndMessagesAreExactlyAsExpected) {
  const fs::path dir = kCasesDir / GetParam();
  const CaseSpec the_case = ReadCase(dir / "case.txt");
  const fs::path home = FreshProgramFolder(GetParam());
  for (const auto& name : the_case.removals) fs::remove(home / name);
  CopyEncoded(dir / "home", home);
  CopyEncoded(dir / "CSV_IN", home / "CSV_IN");
  CopyEncoded(dir / "CSV_OUT.before", home / "CSV_OUT");

  const BatchRun run = RunTessivar(home, the_case.args);
  EXPECT_EQ(run.out, the_case.stdout_text) << "stderr: " << run.err;
  EXPECT_EQ(run.exit_code, the_case.exit_code) << "stderr: " << run.err;

  EXPECT_EQ(FileNames(home / "CSV_OUT"), FileNames(dir / "CSV_OUT"));
  for (const auto& name : FileNames(dir / "CSV_OUT")) {
    EXPECT_EQ(MaskFingerprint(MaskDateLine(ReadBytes(home / "CSV_OUT" / name))),
              Cp932Bytes(ReadBytes(dir / "CSV_OUT" / name)))
        << name << " differs (decoded):\n"
        << [&] {
             std::u16string text;
             Cp932().Decode(ReadBytes(home / "CSV_OUT" / name), text);
             return ToUtf8(text);
           }();
  }
  for (const auto& name : FileNames(dir / "home.after")) {
    EXPECT_EQ(ReadBytes(home / name), Cp932Bytes(ReadBytes(dir / "home.after" / name))) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, BatchCase, ::testing::ValuesIn(CaseNames()),
                         [](const auto& instance) { return instance.param; });

}  // namespace
}  // namespace tessivar::e2e
