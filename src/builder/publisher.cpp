#include "builder/publisher.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <vector>

#include "builder/engine.h"
#include "builder/importer.h"
#include "text/ascii.h"
#include "text/file_names.h"

namespace morvane {

namespace fs = std::filesystem;

namespace {

// " Ver=" + version + " ", or nothing without a readable version.
std::string VersionPart(const fs::path& path) {
  const std::string version = F_GET_VERSION(path);
  return version == "NFND" ? std::string() : " Ver=" + version + " ";
}

// The compacted copy of a working database, before it takes its final name.
fs::path CompactionFile(const std::string& work_dir, const std::string& working) {
  return fs::path(work_dir + working + ".new");
}

void RemoveWithJournal(const fs::path& database) {
  std::error_code ec;
  fs::remove(database, ec);
  fs::remove(fs::path(database.string() + "-journal"), ec);
}

// Writes the file's data to the disk, so that after the rename below even a
// crash of the machine leaves a whole database under the final name.
void SyncFile(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0 || ::fsync(fd) != 0) {
    const int error = errno;
    if (fd >= 0) ::close(fd);
    throw std::system_error(error, std::generic_category(), path.string());
  }
  ::close(fd);
}

// Puts the compacted copy of working in place of the final database in
// dir. The previous database stays in place, whole, up to the rename, which
// replaces it in one step: a run cut off at any moment leaves the one or the
// other, and no backup name is needed. A journal SQLite left beside the
// previous database belongs to it and would damage the new one: it goes.
bool Publish(const std::string& work_dir, const std::string& dir, const std::string& working) {
  const std::string final_name = working.substr(1);
  const fs::path target = dir + final_name;
  const fs::path previous = text::OnDisk(target);  // may differ from target in case only
  const fs::path compacted = CompactionFile(work_dir, working);
  std::error_code ec;
  const bool had_previous = fs::exists(previous, ec);
  fs::rename(compacted, target, ec);
  if (ec) {
    RemoveWithJournal(compacted);
    return false;
  }
  fs::remove(fs::path(target.string() + "-journal"), ec);
  // A previous database spelled in another case is replaced too.
  if (had_previous && previous != target) RemoveWithJournal(previous);
  return true;
}

}  // namespace

StepResult F_READ_TVERSION(const fs::path& path, std::string* version) {
  try {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return StepResult::kFailed;
    Database db(path, true);
    std::vector<std::string> names;
    const auto row = db.FirstRow("SELECT * FROM T_Version; ", &names);
    if (!row) return StepResult::kFailed;
    for (size_t i = 0; i < names.size(); ++i) {
      if (text::UpperAscii(names[i]) == "VLDATA") {
        if (!(*row)[i]) return StepResult::kFailed;  // a NULL version cannot be shown
        *version = *(*row)[i];
        return StepResult::kDone;
      }
    }
  } catch (const EngineError&) {
  }
  return StepResult::kFailed;
}

std::string F_GET_VERSION(const fs::path& path) {
  std::string version;
  return F_READ_TVERSION(path, &version) == StepResult::kFailed ? "NFND" : version;
}

StepResult F_COMPACT_MDB(BuilderContext& ctx) {
  const fs::path temp = CompactionFile(ctx.work_dir, ctx.G_MdbName);
  RemoveWithJournal(temp);
  try {
    Database::Compact(ctx.WorkingDatabase(), temp);
    SyncFile(temp);
  } catch (const std::exception&) {
    RemoveWithJournal(temp);  // no partial file, no journal stays behind
    return StepResult::kFailed;
  }
  return StepResult::kDone;
}

StepResult F_DISTRIBUTE_MDB(BuilderContext& ctx) {
  const std::string& dir = ctx.settings.mdb_dir;
  StepResult result = StepResult::kDone;
  for (const auto& working : text::ListFiles(ctx.work_dir, "@*.MDB")) {
    ctx.G_MdbName = working;
    const std::string final_name = working.substr(1);
    const std::string old_version = VersionPart(text::OnDisk(dir + final_name));
    const std::string new_version = VersionPart(ctx.WorkingDatabase());
    if (F_COMPACT_MDB(ctx) == StepResult::kFailed || !Publish(ctx.work_dir, dir, working)) {
      ctx.log.Write(working + "の コピーができません。");
      result = StepResult::kFailed;
      break;
    }
    ctx.log.Write(ctx.work_dir + working + new_version + "を " + dir + final_name + old_version +
                  "へコピーしました。");
  }
  // The working databases go with the working folder. Of the input folder,
  // exactly the scripts of the run and their data files go: any other file
  // there (a CSV text of an earlier run, the user's own) stays.
  std::error_code ec;
  for (const auto& working : text::ListFiles(ctx.work_dir, "@*.MDB"))
    RemoveWithJournal(ctx.work_dir + working);
  for (const auto& script : ctx.G_SqlFiles) {
    fs::remove(ctx.settings.dstrb_dir + script, ec);
    if (const auto data = text::FindNoCase(ctx.settings.dstrb_dir, DataFileName(script)))
      fs::remove(*data, ec);
  }
  return result;
}

}  // namespace morvane
