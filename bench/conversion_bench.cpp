// Times the whole country through the installed program, one purpose at a
// time, against a plain decode of the same files run alternately with it:
// `iconv -f CP932 -t UTF-8` of KEN_ALL.CSV and JIGYOSYO.CSV, and for the
// database also the sqlite3 shell importing the same rows into the same
// schema, with its index and VACUUM INTO. Taking turns, run after run, lets
// the load of a shared machine fall on both sides alike; the table gives
// medians and the ratios of the medians, of the wall time and of the
// processor time (user and system), which a busy machine disturbs less.
//
// usage: tessivar_bench PROGRAM_FOLDER JAPANPOST_DIR [--runs N] [--address-file FILE] [ime|csv|mdb ...]
//
// Each purpose runs as "Tessivar --batch ... --yes" in a copy of the program
// folder with the address file (KEN_ALL.CSV unless FILE names another, such
// as utf_ken_all.csv or a zip, relative to JAPANPOST_DIR) and JIGYOSYO.CSV in
// its CSV_IN. The word list and the CSV text run as users run them, replacing
// the previous output and comparing with it ("changes"), and with
// --no-changes. The wall time and the peak memory are those of that process
// (and, for the database, of the builder it starts, which the converter
// waits for).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct Measured {
  double seconds = 0;
  double cpu_seconds = 0;  // user and system
  long peak_kib = 0;
  std::string out;
  int status = -1;
};

// Runs command with sh (which the commands replace by exec, so that the
// shell's own start counts on neither side), collecting its standard output,
// the wall time, the processor time and the peak resident memory of that
// process tree (wait4 reports the largest
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
  const auto in_seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  m.cpu_seconds = in_seconds(usage.ru_utime) + in_seconds(usage.ru_stime);
  return m;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// One command timed run after run.
struct Timed {
  explicit Timed(std::string command_line) : command(std::move(command_line)) {}

  std::string command;
  std::vector<double> seconds;
  std::vector<double> cpu_seconds;
  long peak_kib = 0;
  std::string last_out;
  bool failed = false;

  void Run() {
    Measured m = RunMeasured(command);
    seconds.push_back(m.seconds);
    cpu_seconds.push_back(m.cpu_seconds);
    peak_kib = std::max(peak_kib, m.peak_kib);
    last_out = m.out;
    if (m.status != 0) failed = true;
  }
};

// The record count a run reports: "郵便番号データを 150648 件 作成しました。"
std::string Records(const std::string& out) {
  const size_t end = out.find(" 件 作成しました");
  if (end == std::string::npos) return "?";
  const size_t start = out.rfind(' ', end - 1);
  return start == std::string::npos ? "?" : out.substr(start + 1, end - start - 1);
}

// A program folder of its own with the inputs in its CSV_IN.
fs::path Home(const fs::path& program, const fs::path& data, const fs::path& address_file,
              const std::string& name) {
  const fs::path home =
      fs::temp_directory_path() / ("tessivar_bench_" + std::to_string(::getpid()) + "_" + name);
  fs::remove_all(home);
  fs::copy(program, home, fs::copy_options::recursive);
  fs::create_directories(home / "CSV_IN");
  fs::copy_file(address_file, home / "CSV_IN" / address_file.filename());
  fs::copy_file(data / "JIGYOSYO.CSV", home / "CSV_IN" / "JIGYOSYO.CSV");
  return home;
}

// The sqlite3 shell building the search database from rows.csv (UTF-8, one
// line of column names) as the builder does: the table and its index of
// MDB定義/torvaskmdb.sql, then a compacted copy.
std::string SqliteShellCommand(const fs::path& folder) {
  std::ofstream script(folder / "build.sql");
  script
      << "PRAGMA synchronous = OFF;\n"
         "CREATE TABLE T_郵便番号 (地方自治体コード TEXT, 新郵便番号 TEXT, 都道府県名カタカナ TEXT,\n"
         "  市区町村名カタカナ TEXT, 町域名カタカナ TEXT, 都道府県名漢字 TEXT, 市区町村名漢字 TEXT,\n"
         "  町域名漢字 TEXT, コメント漢字 TEXT, コメントカナ TEXT, 会社名カタカナ TEXT, 会社名漢字 TEXT);\n"
         ".import --csv --skip 1 "
      << Quoted(folder / "rows.csv")
      << " T_郵便番号\n"
         "CREATE INDEX IX_新郵便番号 ON T_郵便番号 (新郵便番号);\n"
         "VACUUM INTO "
      << Quoted(folder / "torvask.mdb") << ";\n";
  const std::string work = Quoted(folder / "work.db");
  return "rm -f " + work + " " + Quoted(folder / "torvask.mdb") + " && exec sqlite3 " + work + " < " +
         Quoted(folder / "build.sql");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: tessivar_bench PROGRAM_FOLDER JAPANPOST_DIR [--runs N] [--address-file FILE] "
                 "[ime|csv|mdb ...]\n";
    return 2;
  }
  const fs::path program = fs::absolute(argv[1]);
  const fs::path data = fs::absolute(argv[2]);
  std::vector<std::string> args(argv + 3, argv + argc);
  int runs = 11;
  fs::path address_file = data / "KEN_ALL.CSV";
  while (args.size() >= 2 && (args[0] == "--runs" || args[0] == "--address-file")) {
    if (args[0] == "--runs")
      runs = std::max(1, std::stoi(args[1]));
    else
      address_file = data / args[1];
    args.erase(args.begin(), args.begin() + 2);
  }
  std::vector<std::string> purposes = args.empty() ? std::vector<std::string>{"ime", "csv", "mdb"} : args;

  Timed decode("exec iconv -f CP932 -t UTF-8 " + Quoted(data / "KEN_ALL.CSV") + " " +
               Quoted(data / "JIGYOSYO.CSV") + " > /dev/null");
  std::string load;
  std::getline(std::ifstream("/proc/loadavg"), load);
  std::printf("address file: %s; %d alternating runs each; load average at start: %s\n",
              address_file.filename().c_str(), runs,
              load.substr(0, load.find(' ', load.find(' ', 5) + 1)).c_str());
  std::printf("%-8s %-9s %7s %8s %8s %7s %8s %8s %7s %8s %9s %8s %9s %8s\n", "purpose", "changes", "records",
              "wall s", "iconv s", "x iconv", "cpu s", "iconv s", "x iconv", "peak MiB", "sqlite3 s",
              "x sqlite", "cpu s", "x sqlite");

  std::vector<fs::path> homes;
  int failures = 0;
  for (const auto& purpose : purposes) {
    const fs::path home = Home(program, data, address_file, purpose);
    homes.push_back(home);
    const std::string base = "exec " + Quoted(home / "Tessivar") + " --batch --purpose " + purpose + " --yes";
    std::vector<std::pair<std::string, std::string>> variants;
    if (purpose == "mdb") {
      // The database purpose looks every 50 ms whether its builder has ended.
      variants.emplace_back("-", base + " --poll-ms 50");
    } else {
      variants.emplace_back("compared", base);
      variants.emplace_back("none", base + " --no-changes");
    }

    // The same rows for the sqlite3 shell: the database's field set as CSV text.
    Timed shell("");
    if (purpose == "mdb") {
      const std::string rows = Quoted(home / "CSV_OUT" / "ZIPDATA.CSV");
      RunMeasured(Quoted(home / "Tessivar") +
                  " --batch --purpose csv --field-set Quillmere用 --column-names " +
                  "--no-changes --yes >/dev/null && iconv -f CP932 -t UTF-8 " + rows + " > " +
                  Quoted(home / "rows.csv"));
      shell.command = SqliteShellCommand(home);
    }

    for (const auto& [changes, command] : variants) {
      Timed tessivar(command);
      decode.seconds.clear();
      decode.cpu_seconds.clear();
      shell.seconds.clear();
      shell.cpu_seconds.clear();
      tessivar.Run();  // warms the cache, and leaves the output the next runs replace
      tessivar.seconds.clear();
      tessivar.cpu_seconds.clear();
      for (int i = 0; i < runs; ++i) {
        decode.Run();
        tessivar.Run();
        if (!shell.command.empty()) shell.Run();
      }
      const std::string records = Records(tessivar.last_out);
      if (tessivar.failed || records == "?" || shell.failed) {
        ++failures;
        std::cerr << purpose << " failed:\n" << tessivar.last_out << shell.last_out << "\n";
      }
      const double median = Median(tessivar.seconds), floor = Median(decode.seconds);
      const double cpu = Median(tessivar.cpu_seconds), cpu_floor = Median(decode.cpu_seconds);
      std::printf("%-8s %-9s %7s %8.3f %8.3f %7.2f %8.3f %8.3f %7.2f %8.1f", purpose.c_str(), changes.c_str(),
                  records.c_str(), median, floor, floor > 0 ? median / floor : 0.0, cpu, cpu_floor,
                  cpu_floor > 0 ? cpu / cpu_floor : 0.0, static_cast<double>(tessivar.peak_kib) / 1024.0);
      if (shell.command.empty()) {
        std::printf("\n");
      } else {
        const double sqlite = Median(shell.seconds), sqlite_cpu = Median(shell.cpu_seconds);
        std::printf(" %9.3f %8.2f %9.3f %8.2f\n", sqlite, sqlite > 0 ? median / sqlite : 0.0, sqlite_cpu,
                    sqlite_cpu > 0 ? cpu / sqlite_cpu : 0.0);
      }
      std::fflush(stdout);
    }
  }
  for (const auto& home : homes) fs::remove_all(home);
  return failures == 0 ? 0 : 1;
}
