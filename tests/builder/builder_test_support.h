#pragma once
// Helpers of the builder tests: a temporary program folder with the
// builder's settings, code page 932 files, log lines without their time
// stamps, and SQL queries on a database file.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "builder/builder_context.h"
#include "text/cp932.h"

namespace morvane::testing {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "morvane_test_XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ec;
    // Read-only entries left by a test must not block the clean-up.
    for (auto it = fs::recursive_directory_iterator(path_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// Writes UTF-8 lines as code page 932 with CR LF.
inline void WriteCp932(const fs::path& path, const std::vector<std::string>& lines) {
  text::Cp932 codec;
  std::string bytes;
  for (const auto& line : lines) {
    EXPECT_TRUE(codec.Encode(text::FromUtf8(line), bytes)) << line;
    bytes += "\r\n";
  }
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Lines of a code page 932 file with CR LF, as UTF-8.
inline std::vector<std::string> ReadCp932Lines(const fs::path& path) {
  text::Cp932 codec;
  std::u16string text;
  codec.Decode(ReadBytes(path), text);
  std::vector<std::string> lines;
  std::string all = text::ToUtf8(text);
  size_t start = 0;
  for (size_t end; (end = all.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(all.substr(start, end - start));
  }
  EXPECT_EQ(start, all.size()) << path << " does not end with CR LF";
  return lines;
}

// The texts of the log's lines; every line must carry its time stamp.
inline std::vector<std::string> LogTexts(const fs::path& log) {
  static const std::regex stamp(R"(^\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2} )");
  std::vector<std::string> texts;
  for (const auto& line : ReadCp932Lines(log)) {
    EXPECT_TRUE(std::regex_search(line, stamp)) << line;
    texts.push_back(line.size() >= 20 ? line.substr(20) : line);
  }
  return texts;
}

inline bool Contains(const std::vector<std::string>& lines, const std::string& text) {
  for (const auto& line : lines) {
    if (line == text) return true;
  }
  return false;
}

// Rows of a query on a database file, values as text ("NULL" for NULL),
// columns joined with "|".
inline std::vector<std::string> Query(const fs::path& db_path, const std::string& sql) {
  std::vector<std::string> rows;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(db_path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    ADD_FAILURE() << "cannot open " << db_path;
    sqlite3_close(db);
    return rows;
  }
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
    ADD_FAILURE() << sql << ": " << sqlite3_errmsg(db);
  } else {
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      std::string row;
      for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
        if (i) row += "|";
        const auto* text = sqlite3_column_text(stmt, i);
        row += text ? reinterpret_cast<const char*>(text) : "NULL";
      }
      rows.push_back(row);
    }
  }
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  return rows;
}

// A builder laid out as the converter lays it out: the program folder with
// Morvane/ (settings, status), CSV_OUT (inputs), MDB_OUT (databases) and the
// log in the program folder.
class BuilderFolders {
 public:
  BuilderFolders() {
    fs::create_directories(builder());
    fs::create_directories(inputs());
  }
  fs::path root() const { return temp_.path(); }
  fs::path builder() const { return root() / "Morvane"; }
  fs::path inputs() const { return root() / "CSV_OUT"; }
  fs::path databases() const { return root() / "MDB_OUT"; }
  fs::path log() const { return root() / "Morvane.Log"; }
  fs::path status() const { return builder() / "Morvane結果.TXT"; }

  void WriteSettings() const { WriteSettings(inputs()); }
  void WriteSettings(const fs::path& inputs_folder) const {
    WriteCp932(builder() / "Morvane.ini",
               {"[Morvane Section]", "LOG_DIR = \"" + root().string() + "\"", "LOG_FILE = \"Morvane.Log\"",
                "RESULT_DIR = \"*\"", "RESULT_FILE = \"Morvane結果.TXT\"",
                "DSTRB_DIR = \"" + inputs_folder.string() + "\"",
                "MDB_DIR = \"" + databases().string() + "\"", "FileCntl = \"FileCntl.CTL\""});
  }

  std::string StatusLine() const {
    auto lines = ReadCp932Lines(status());
    return lines.empty() ? std::string() : lines.front();
  }

 private:
  TempFolder temp_;
};

// A context whose settings point at the folders, ready for one procedure.
inline BuilderContext ContextFor(const BuilderFolders& folders, std::ostream& messages,
                                 const fs::path& inputs = {}) {
  BuilderContext ctx(folders.builder(), messages);
  ctx.settings.log_dir = folders.root().string() + "/";
  ctx.settings.log_file = "Morvane.Log";
  ctx.settings.result_dir = folders.builder().string() + "/";
  ctx.settings.result_file = "Morvane結果.TXT";
  ctx.settings.dstrb_dir = (inputs.empty() ? folders.inputs() : inputs).string() + "/";
  ctx.settings.mdb_dir = folders.databases().string() + "/";
  ctx.settings.file_cntl = "FileCntl.CTL";
  ctx.log.set_path(folders.log());
  ctx.status.set_path(folders.status());
  ctx.work_dir = (folders.databases() / "@Morvane.test00").string() + "/";
  fs::create_directories(ctx.work_dir);
  return ctx;
}

// The repository's shipped files (kept in UTF-8), e.g. "MDB定義/県tbl.sql".
inline fs::path ShippedSource(const std::string& name) {
  // TEST_DATA_DIR is <source>/tests/builder/data, which need not exist.
  return fs::path(TEST_DATA_DIR).parent_path().parent_path().parent_path() / "data" / name;
}

// Copies a shipped UTF-8 file into folder in code page 932, as installed.
inline void InstallShipped(const std::string& name, const fs::path& folder) {
  std::ifstream in(ShippedSource(name));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  WriteCp932(folder / fs::path(name).filename(), lines);
}

}  // namespace morvane::testing
