// Times the whole country through the installed program, one purpose at a
// time, beside a plain code page 932 decode of KEN_ALL.CSV and JIGYOSYO.CSV.
//
// usage: tessivar_bench PROGRAM_FOLDER JAPANPOST_DIR [--address-file FILE] [ime|csv|mdb ...]
//
// Each purpose runs as "Tessivar --batch ... --yes" in a copy of the program
// folder with the address file (KEN_ALL.CSV unless FILE names another, such
// as utf_ken_all.csv or a zip, relative to JAPANPOST_DIR) and JIGYOSYO.CSV in
// its CSV_IN; the wall time and the peak memory are those of that process
// (and, for the database, of the builder it starts, which the converter
// waits for).
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <regex>
#include <string>
#include <vector>

#include "text/text_file.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

const char* const kInputs[] = {"KEN_ALL.CSV", "JIGYOSYO.CSV"};

struct Measured {
  double seconds = 0;
  long peak_kib = 0;
  std::string out;
  int status = -1;
};

// Runs command with sh, collecting its standard output, the wall time and
// the peak resident memory of that process tree (wait4 reports the largest
// of the process and the descendants it waited for).
Measured RunMeasured(const std::string& command) {
  Measured m;
  int pipe_fds[2];
  if (::pipe(pipe_fds) != 0) return m;
  const auto start = Clock::now();
  pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(pipe_fds[1], 1);
    ::close(pipe_fds[0]);
    ::execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
    ::_exit(127);
  }
  ::close(pipe_fds[1]);
  char buffer[4096];
  ssize_t got;
  while ((got = ::read(pipe_fds[0], buffer, sizeof buffer)) > 0)
    m.out.append(buffer, static_cast<size_t>(got));
  ::close(pipe_fds[0]);
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  m.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  m.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  m.peak_kib = usage.ru_maxrss;
  return m;
}

// The plain decode of the input files, line by line, as the reader does it.
double DecodeSeconds(const fs::path& data_dir, long& lines) {
  const auto start = Clock::now();
  lines = 0;
  std::u16string line;
  for (const char* name : kInputs) {
    text::TextFileReader reader;
    if (!reader.Open(data_dir / name)) {
      std::cerr << reader.error() << "\n";
      return 0;
    }
    while (reader.Next(line)) ++lines;
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr
        << "usage: tessivar_bench PROGRAM_FOLDER JAPANPOST_DIR [--address-file FILE] [ime|csv|mdb ...]\n";
    return 2;
  }
  const fs::path program = fs::absolute(argv[1]);
  const fs::path data = fs::absolute(argv[2]);
  std::vector<std::string> purposes(argv + 3, argv + argc);
  fs::path address_file = data / "KEN_ALL.CSV";
  if (purposes.size() >= 2 && purposes[0] == "--address-file") {
    address_file = data / purposes[1];
    purposes.erase(purposes.begin(), purposes.begin() + 2);
  }
  if (purposes.empty()) purposes = {"ime", "csv", "mdb"};

  long input_lines = 0;
  double decode = DecodeSeconds(data, input_lines);
  for (int i = 0; i < 2; ++i) decode = std::min(decode, DecodeSeconds(data, input_lines));  // warm cache
  std::printf("plain code page 932 decode: %ld lines in %.3f s\n", input_lines, decode);
  std::printf("address file: %s\n", address_file.filename().c_str());
  std::printf("%-8s %12s %12s %10s %12s %8s\n", "purpose", "input lines", "records", "wall s", "peak MiB",
              "x decode");

  const fs::path home = fs::temp_directory_path() / ("tessivar_bench_" + std::to_string(::getpid()));
  int failures = 0;
  for (const auto& purpose : purposes) {
    fs::remove_all(home);
    fs::copy(program, home, fs::copy_options::recursive);
    fs::create_directories(home / "CSV_IN");
    fs::copy_file(address_file, home / "CSV_IN" / address_file.filename());
    fs::copy_file(data / "JIGYOSYO.CSV", home / "CSV_IN" / "JIGYOSYO.CSV");

    // The database purpose looks every 50 ms whether its builder has ended.
    std::string command = "'" + (home / "Tessivar").string() + "' --batch --purpose " + purpose + " --yes" +
                          (purpose == "mdb" ? " --poll-ms 50" : "");
    Measured m = RunMeasured(command);
    std::smatch count;
    static const std::regex kCount("(\\d+) 件 作成しました");
    std::string records = std::regex_search(m.out, count, kCount) ? count[1].str() : "?";
    if (m.status != 0 || records == "?") {
      ++failures;
      std::cerr << purpose << " failed (exit " << m.status << "):\n" << m.out << "\n";
    }
    std::printf("%-8s %12ld %12s %10.3f %12.1f %8.1f\n", purpose.c_str(), input_lines, records.c_str(),
                m.seconds, static_cast<double>(m.peak_kib) / 1024.0, decode > 0 ? m.seconds / decode : 0.0);
  }
  fs::remove_all(home);
  return failures == 0 ? 0 : 1;
}
