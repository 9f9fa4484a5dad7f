// Faults of the folders around a database run, through the installed program
// folder: the user's own files in CSV_OUT and MDB_OUT, links planted at fixed
// temporary names and at the log, odd and long folder names, a status
// file that cannot be written, runs killed half-way. Each case names what it
// sets up, what the run must say and end with, and the files that must be
// byte for byte as they were before it. "<home>" in an expected message
// stands for the program folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <map>
#include <thread>

#include "program_folder.h"

extern char** environ;

namespace tessivar::e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kAskWordList =
    "MS-IME ユーザー辞書用 郵便番号テキスト作成を 作成します。よろしいですか？\n";
const std::string kBuilt =
    kAskDatabase +
    "郵便番号MDB を 2 件 作成しました。 MDB_OUTディレクトリ内の torvask.mdbを「Quillmere」システムへコピーし"
    "てください。\n";
const std::string kBuilderFailed =
    kAskDatabase +
    "Morvaneが失敗しました。  Tessivarと同じディレクトリの Morvane.Log ファイルを参照ください。\n";
const std::string kBusy =
    "別の Tessivar がこのフォルダーで作成中です。終わってから もう一度 実行してください。\n";

// The files a database run hands to the builder, which it removes after
// publishing.
const char* const kHandoffFiles[] = {"torvaskmdb.CSV", "torvaskmdb.sql", "県tbl.sql", "県tbl.csv"};

bool IsDatabase(const fs::path& path) { return ReadBytes(path).starts_with("SQLite format 3"); }

std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    names.push_back(it->path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

bool HasTemporaryFile(const fs::path& folder) {
  for (const auto& name : Entries(folder)) {
    if (name.ends_with(".tmp")) return true;
  }
  return false;
}

// A builder that takes its time: the real one, started late. It leaves the
// file "started" in its folder as it starts.
void SlowBuilder(const fs::path& home, const char* delay) {
  const fs::path builder = home / "Morvane" / "Morvane";
  fs::rename(builder, home / "Morvane" / "Morvane.real");
  WriteBytes(builder, std::string("#!/bin/sh\nd=$(dirname \"$0\")\ntouch \"$d/started\"\nsleep ") + delay +
                          "\nexec \"$d/Morvane.real\"\n");
  fs::permissions(builder, fs::perms::owner_all);
}

// Starts program with args and the default disposition of every signal (a
// test runner may ignore some), without a shell: any folder name goes. Its
// standard output and error go to the files named, or nowhere.
pid_t Start(const fs::path& program, std::vector<std::string> args, const fs::path& out = "/dev/null",
            const fs::path& err = "/dev/null") {
  args.insert(args.begin(), program.string());
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t all, none;
  sigfillset(&all);
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ) != 0) pid = 0;
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

std::vector<std::string> BatchArguments(const std::string& purpose, const char* poll_ms = "20") {
  return {"--batch", "--yes", "--purpose", purpose, "--poll-ms", poll_ms};
}

// How a process ended, as a shell reports it (128 + the signal).
int EndOf(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

// Runs program to its end; its output is kept beside the program folder.
BatchRun RunProgram(const fs::path& home, const fs::path& program, const std::vector<std::string>& args) {
  const fs::path out = home.parent_path() / (home.filename().string() + ".out");
  const fs::path err = home.parent_path() / (home.filename().string() + ".err");
  BatchRun run;
  run.exit_code = EndOf(Start(program, args, out, err));
  run.out = ReadBytes(out);
  run.err = ReadBytes(err);
  return run;
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = 60s,
             std::chrono::milliseconds look_every = 20ms) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(look_every);
  }
  return true;
}

// The process whose program is path, or 0.
pid_t ProcessOf(const fs::path& path) {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator("/proc", ec)) {
    const std::string cmdline = ReadBytes(entry.path() / "cmdline");
    if (cmdline.substr(0, cmdline.find('\0')) == path.string())
      return static_cast<pid_t>(std::stol(entry.path().filename().string()));
  }
  return 0;
}

// A run of the batch mode that a signal ends once the run's temporary
// output has grown past a megabyte.
BatchRun KilledWordListRun(const fs::path& home, int signal) {
  const pid_t pid = Start(home / "Tessivar", BatchArguments("ime"));
  WaitFor([&] {
    for (const auto& name : Entries(home / "CSV_OUT")) {
      std::error_code ec;
      if (name.ends_with(".tmp") && fs::file_size(home / "CSV_OUT" / name, ec) > (1 << 20)) return true;
    }
    return false;
  });
  kill(pid, signal);
  return BatchRun{EndOf(pid), "", ""};
}

void WholeCountryInput(const fs::path& home) {
  fs::remove(home / "CSV_IN" / "KEN_ALL.CSV");
  fs::copy_file(fs::path(JAPANPOST_ZIP_DIR) / "ken_all.zip", home / "CSV_IN" / "ken_all.zip");
}

// Six levels of 95 characters: 596 characters with the test's folder.
std::string DeepFolder() {
  std::string path;
  for (int level = 0; level < 6; ++level) path += (level ? "/" : "") + std::string(95, 'd');
  return path;
}

// The files the links planted below point to, beside the program folder.
fs::path Victim(const fs::path& home, int n) {
  return home.parent_path() / (home.filename().string() + ".victims") / ("victim" + std::to_string(n));
}
constexpr const char* kPlantedLinks[] = {
    "CSV_OUT/torvaskmdb.CSV.tmp", "CSV_OUT/torvaskmdb.sql.tmp", "CSV_OUT/県tbl.sql.tmp",
    "CSV_OUT/県tbl.csv.tmp",      "Morvane/Morvane.ini.tmp",    "Morvane/Morvane結果.TXT.tmp",
    "MDB_OUT/@torvask.mdb",       "MDB_OUT/@torvask.mdb.new",   "Morvane.Log"};

struct FolderFault {
  const char* name;
  // Where the program folder stands below the test's folder ("" for itself).
  std::string subfolder;
  std::function<void(const fs::path& home)> arrange;
  // The run: the batch mode with these arguments, or act when given (its
  // output is then not compared).
  std::vector<std::string> args;
  std::function<BatchRun(const fs::path& home)> act;
  int exit_code;
  std::string out;
  // Files (relative to the program folder) that must be byte for byte as
  // they were before the run.
  std::vector<std::string> kept;
  std::function<void(const fs::path& home)> check;
};

const std::vector<std::string> kDatabaseArgs = BatchArguments("mdb");
const std::vector<std::string> kWordListArgs = BatchArguments("ime");

void KillSoon(const fs::path& home) {
  WholeCountryInput(home);
  WriteBytes(home / "CSV_OUT" / "ZIP.TXT", "old");
}

// An output made the same way before: the run keeps its content under a
// second name to compare with while it writes.
void KillSoonAfterARun(const fs::path& home) {
  RunProgram(home, home / "Tessivar", kWordListArgs);
  WholeCountryInput(home);
}

bool HasKeptOutput(const fs::path& folder) {
  for (const auto& name : Entries(folder)) {
    if (name.find(".前回-") != std::string::npos) return true;
  }
  return false;
}

const FolderFault kFaultCases[] = {
    {"user_files_in_csv_out_stay_and_do_not_break_the_build",
     "",
     [](const fs::path& h) {
       for (const char* name : {"ZIPDATA.CSV", "customers.csv", "notes.sqlite", "report.sql", "Report.SQU"})
         WriteBytes(h / "CSV_OUT" / name, std::string("the user's ") + name);
     },
     kDatabaseArgs,
     nullptr,
     0,
     kBuilt,
     {"CSV_OUT/ZIPDATA.CSV", "CSV_OUT/customers.csv", "CSV_OUT/notes.sqlite", "CSV_OUT/report.sql",
      "CSV_OUT/Report.SQU"},
     [](const fs::path& h) {
       EXPECT_TRUE(IsDatabase(h / "MDB_OUT" / "torvask.mdb"));
       for (const char* name : kHandoffFiles) EXPECT_FALSE(fs::exists(h / "CSV_OUT" / name)) << name;
     }},
    {"user_files_in_mdb_out_stay_when_the_build_fails",
     "",
     [](const fs::path& h) {
       for (const char* name : {"torvask.mdb", "BK_torvask.mdb", "BK_notes.txt", "notes.txt", "@mine.mdb"})
         WriteBytes(h / "MDB_OUT" / name, std::string("the user's ") + name);
       WriteCp932(h / "Morvane" / "MDB定義" / "県tbl.sql",
                  "MDBNAME torvask.mdb\nTABLENAME T_県\nINSERT INTO Nowhere VALUES (1);\n");
     },
     kDatabaseArgs,
     nullptr,
     1,
     kBuilderFailed,
     {"MDB_OUT/torvask.mdb", "MDB_OUT/BK_torvask.mdb", "MDB_OUT/BK_notes.txt", "MDB_OUT/notes.txt",
      "MDB_OUT/@mine.mdb"},
     [](const fs::path& h) { EXPECT_EQ(Entries(h / "MDB_OUT").size(), 5u); }},
    {"user_files_in_mdb_out_stay_when_the_build_succeeds",
     "",
     [](const fs::path& h) {
       for (const char* name : {"BK_torvask.mdb", "BK_notes.txt", "notes.txt", "@mine.mdb", "@torvask.mdb"})
         WriteBytes(h / "MDB_OUT" / name, std::string("the user's ") + name);
     },
     kDatabaseArgs,
     nullptr,
     0,
     kBuilt,
     {"MDB_OUT/BK_torvask.mdb", "MDB_OUT/BK_notes.txt", "MDB_OUT/notes.txt", "MDB_OUT/@mine.mdb",
      "MDB_OUT/@torvask.mdb"},
     [](const fs::path& h) {
       EXPECT_TRUE(IsDatabase(h / "MDB_OUT" / "torvask.mdb"));
       EXPECT_EQ(Entries(h / "MDB_OUT").size(), 6u);
     }},
    {"links_planted_at_fixed_temporary_names_and_at_the_log_lead_nowhere",
     "",
     [](const fs::path& h) {
       int n = 0;
       for (const char* name : kPlantedLinks) {
         WriteBytes(Victim(h, ++n), "precious");
         fs::create_directories((h / name).parent_path());
         fs::create_symlink(Victim(h, n), h / name);
       }
     },
     kDatabaseArgs,
     nullptr,
     0,
     kBuilt,
     {},
     [](const fs::path& h) {
       EXPECT_TRUE(IsDatabase(h / "MDB_OUT" / "torvask.mdb"));
       for (int n = 1; n <= static_cast<int>(std::size(kPlantedLinks)); ++n)
         EXPECT_EQ(ReadBytes(Victim(h, n)), "precious") << kPlantedLinks[n - 1];
     }},
    {"link_planted_at_the_fixed_word_list_temporary_name_leads_nowhere",
     "",
     [](const fs::path& h) {
       WriteBytes(Victim(h, 1), "precious");
       fs::create_directories(h / "CSV_OUT");
       fs::create_symlink(Victim(h, 1), h / "CSV_OUT" / "ZIP.TXT.tmp");
     },
     kWordListArgs,
     nullptr,
     0,
     kAskWordList + "郵便番号データを 2 件 作成しました。 前回の出力がないため、比較しませんでした。\n",
     {},
     [](const fs::path& h) { EXPECT_EQ(ReadBytes(Victim(h, 1)), "precious"); }},
    // A path longer than SQLite opens a database under: the build fails and
    // says why in the log beside Tessivar; nothing is written above it.
    {"program_folder_path_over_511_characters",
     DeepFolder(),
     nullptr,
     kDatabaseArgs,
     nullptr,
     1,
     kBuilderFailed,
     {},
     [](const fs::path& h) {
       EXPECT_NE(ReadBytes(h / "Morvane.Log")
                     .find(Cp932Bytes("バイトを超えるため、データベースを開けません。\n").substr(0, 20)),
                 std::string::npos);
       EXPECT_FALSE(fs::exists(h.parent_path() / "Morvane.Log"));
       EXPECT_FALSE(fs::exists(h / "MDB_OUT" / "torvask.mdb"));
     }},
    {"backslash_in_the_folder_name_is_a_character",
     "my\\data",
     nullptr,
     kDatabaseArgs,
     nullptr,
     0,
     kBuilt,
     {},
     [](const fs::path& h) {
       EXPECT_TRUE(IsDatabase(h / "MDB_OUT" / "torvask.mdb"));
       EXPECT_FALSE(fs::exists(h.parent_path() / "my"));
     }},
    {"folder_name_outside_code_page_932",
     "郵便〜−é",
     nullptr,
     kDatabaseArgs,
     nullptr,
     0,
     kBuilt,
     {},
     [](const fs::path& h) { EXPECT_TRUE(IsDatabase(h / "MDB_OUT" / "torvask.mdb")); }},
    {"folder_name_with_a_line_end_a_quote_and_a_byte_that_is_no_utf8",
     "a\nb\" %0A\xE9",
     nullptr,
     kDatabaseArgs,
     nullptr,
     0,
     kBuilt,
     {},
     [](const fs::path& h) { EXPECT_TRUE(IsDatabase(h / "MDB_OUT" / "torvask.mdb")); }},
    {"poll_interval_0_is_refused",
     "",
     nullptr,
     BatchArguments("mdb", "0"),
     nullptr,
     2,
     "",
     {},
     [](const fs::path& h) { EXPECT_FALSE(fs::exists(h / "MDB_OUT")); }},
    {"poll_interval_5_is_refused",
     "",
     nullptr,
     BatchArguments("mdb", "5"),
     nullptr,
     2,
     "",
     {},
     [](const fs::path& h) { EXPECT_FALSE(fs::exists(h / "MDB_OUT")); }},
    // The shortest interval still waits for the builder, however long it takes.
    {"builder_slower_than_many_poll_intervals",
     "",
     [](const fs::path& h) { SlowBuilder(h, "1.5"); },
     BatchArguments("mdb", "10"),
     nullptr,
     0,
     kBuilt,
     {},
     [](const fs::path& h) { EXPECT_TRUE(IsDatabase(h / "MDB_OUT" / "torvask.mdb")); }},
    {"status_file_that_cannot_be_written_publishes_nothing",
     "",
     [](const fs::path& h) {
       WriteBytes(h / "MDB_OUT" / "torvask.mdb", "the last good database");
       fs::create_directories(h / "Morvane" / "Morvane結果.TXT" / "in the way");
     },
     kDatabaseArgs,
     nullptr,
     1,
     kAskDatabase + "Morvaneが結果を書かずに終了しました（終了コード 1）。\n",
     {"MDB_OUT/torvask.mdb"},
     [](const fs::path& h) { EXPECT_EQ(Entries(h / "MDB_OUT").size(), 1u); }},
    // Tessivar killed while its builder works: the builder holds the run
    // lock until it has ended, so the next run waits for it.
    {"builder_outliving_a_killed_tessivar_keeps_the_lock",
     "",
     [](const fs::path& h) {
       SlowBuilder(h, "2");
       const pid_t first = Start(h / "Tessivar", kDatabaseArgs);
       ASSERT_TRUE(WaitFor([&] { return fs::exists(h / "Morvane" / "started"); }));
       kill(first, SIGKILL);
       EndOf(first);
     },
     kWordListArgs,
     nullptr,
     1,
     kBusy,
     {},
     [](const fs::path& h) {
       EXPECT_FALSE(fs::exists(h / "CSV_OUT" / "ZIP.TXT"));
       // Once the builder has ended, its database is there and runs go on.
       EXPECT_TRUE(WaitFor([&] { return RunProgram(h, h / "Tessivar", kWordListArgs).exit_code == 0; }, 30s));
       EXPECT_TRUE(IsDatabase(h / "MDB_OUT" / "torvask.mdb"));
     }},
    {"sigterm_leaves_no_temporary_file",
     "",
     KillSoonAfterARun,
     {},
     [](const fs::path& h) { return KilledWordListRun(h, SIGTERM); },
     128 + SIGTERM,
     "",
     {"CSV_OUT/ZIP.TXT", "CSV_OUT/ZIP_作成条件.TXT"},
     [](const fs::path& h) {
       EXPECT_FALSE(HasTemporaryFile(h / "CSV_OUT"));
       EXPECT_FALSE(HasKeptOutput(h / "CSV_OUT"));
     }},
    {"sigint_leaves_no_temporary_file",
     "",
     KillSoon,
     {},
     [](const fs::path& h) { return KilledWordListRun(h, SIGINT); },
     128 + SIGINT,
     "",
     {"CSV_OUT/ZIP.TXT"},
     [](const fs::path& h) { EXPECT_FALSE(HasTemporaryFile(h / "CSV_OUT")); }},
    {"sighup_leaves_no_temporary_file",
     "",
     KillSoon,
     {},
     [](const fs::path& h) { return KilledWordListRun(h, SIGHUP); },
     128 + SIGHUP,
     "",
     {"CSV_OUT/ZIP.TXT"},
     [](const fs::path& h) { EXPECT_FALSE(HasTemporaryFile(h / "CSV_OUT")); }},
    // The builder ended by a signal while it builds: its working folder goes
    // with it, the previous database stays.
    {"builder_ended_by_sigterm_leaves_no_working_folder",
     "",
     [](const fs::path& h) {
       WholeCountryInput(h);
       WriteBytes(h / "MDB_OUT" / "torvask.mdb", "the last good database");
     },
     {},
     [](const fs::path& h) {
       const pid_t pid = Start(h / "Tessivar", kDatabaseArgs);
       pid_t builder = 0;
       // The builder loads the whole country in well under a second: the
       // cheap look at its working folder comes first, and often.
       WaitFor(
           [&] {
             if (Entries(h / "MDB_OUT").size() != 2) return false;
             builder = ProcessOf(h / "Morvane" / "Morvane");
             return builder != 0;
           },
           60s, 1ms);
       EXPECT_NE(builder, 0);
       if (builder > 0) kill(builder, SIGTERM);
       return BatchRun{EndOf(pid), "", ""};
     },
     1,
     "",
     {"MDB_OUT/torvask.mdb"},
     [](const fs::path& h) {
       EXPECT_EQ(Entries(h / "MDB_OUT"), std::vector<std::string>{"torvask.mdb"});
       EXPECT_EQ(Entries(h / "Morvane"), (std::vector<std::string>{"MDB定義", "Morvane", "Morvane.lock"}));
     }},
    // Morvane run by hand on a settings file in the classic form: code page
    // 932, "\" between folders, "*" for its own folder.
    {"hand_written_classic_settings_file",
     "",
     [](const fs::path& h) {
       fs::create_directories(h / "in");
       for (const char* name : {"県tbl.sql", "県tbl.csv"})
         fs::copy_file(h / "Morvane" / "MDB定義" / name, h / "in" / name);
       WriteCp932(h / "Morvane" / "Morvane.ini",
                  "[Morvane Section]\nLOG_DIR = \"*\\log\"\nLOG_FILE = \"M.Log\"\nRESULT_DIR = \"*\"\n"
                  "RESULT_FILE = \"r.txt\"\nDSTRB_DIR = \"" +
                      h.string() + "\\in\"\nMDB_DIR = \"*\\hand\"\n");
     },
     {},
     [](const fs::path& h) { return RunProgram(h, h / "Morvane" / "Morvane", {}); },
     0,
     "",
     {},
     [](const fs::path& h) {
       EXPECT_TRUE(IsDatabase(h / "Morvane" / "hand" / "torvask.mdb"));
       EXPECT_EQ(ReadBytes(h / "Morvane" / "r.txt"), "STS=0\r\n");
       EXPECT_TRUE(fs::exists(h / "Morvane" / "log" / "M.Log"));
       EXPECT_EQ(Entries(h / "in"), std::vector<std::string>{});
     }},
};

class FolderFaults : public ::testing::TestWithParam<FolderFault> {};

TEST_P(FolderFaults, NothingOfTheUsersIsLost) {
  const FolderFault& c = GetParam();
  fs::path home = FreshProgramFolder(std::string("folder_") + c.name);
  if (!c.subfolder.empty()) {
    const fs::path placed = home.parent_path() / (home.filename().string() + ".placed") / c.subfolder;
    fs::create_directories(placed.parent_path());
    fs::rename(home, placed);
    home = placed;
  }
  WriteCp932(home / "CSV_IN" / "KEN_ALL.CSV", kTwoRecords);
  if (c.arrange) c.arrange(home);
  std::map<std::string, std::string> before;
  for (const auto& file : c.kept) before[file] = ReadBytes(home / file);

  const BatchRun run = c.act ? c.act(home) : RunProgram(home, home / "Tessivar", c.args);
  if (!c.act) {
    EXPECT_EQ(Replace(run.out, home.string(), "<home>"), c.out) << "stderr: " << run.err;
  }
  EXPECT_EQ(run.exit_code, c.exit_code) << "stderr: " << run.err;
  for (const auto& file : c.kept) {
    EXPECT_TRUE(fs::exists(home / file)) << file;
    EXPECT_EQ(ReadBytes(home / file), before[file]) << file;
  }
  if (c.check) c.check(home);
}

INSTANTIATE_TEST_SUITE_P(Cases, FolderFaults, ::testing::ValuesIn(kFaultCases),
                         [](const auto& instance) { return std::string(instance.param.name); });

}  // namespace
}  // namespace tessivar::e2e
