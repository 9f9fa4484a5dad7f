#include "builder/publisher.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <vector>

#include "builder/engine.h"
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

void DeleteMatching(const std::string& folder, std::string_view pattern) {
  std::error_code ec;
  for (const auto& name : text::ListFiles(folder, pattern)) fs::remove(fs::path(folder) / name, ec);
}

// The compacted copy of a working database, before it takes its final name.
// It begins with "@" like the working files, so the next run clears it when
// a run is cut off.
fs::path CompactionFile(const std::string& dir, const std::string& working) {
  return fs::path(dir + working + ".new");
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

// Puts the compacted copy of working in place of the final database. The
// previous database stays in place up to the rename, which replaces it in
// one step; beside it, "BK_" + name holds it until then (a second name of the
// same file), so that a run cut off at any moment leaves the previous
// database whole, and the next run puts that backup back. False when a
// backup that could not be put back stands in the way: publishing over it
// would have the next run undo this one (the previous database then stays).
bool Publish(const std::string& dir, const std::string& working) {
  const std::string final_name = working.substr(1);
  const fs::path target = dir + final_name;
  const fs::path previous = text::OnDisk(target);  // may differ from target in case only
  const fs::path backup = dir + "BK_" + final_name;
  const fs::path compacted = CompactionFile(dir, working);
  std::error_code ec;
  if (text::FindNoCase(dir, backup.filename().string())) {
    RemoveWithJournal(compacted);
    return false;
  }
  const bool had_previous = fs::exists(previous, ec);
  // Without links (some file systems) the rename below is safe on its own.
  if (had_previous) fs::create_hard_link(previous, backup, ec);
  fs::rename(compacted, target, ec);
  if (ec) {
    RemoveWithJournal(compacted);
    if (had_previous) fs::remove(backup, ec);
    return false;
  }
  // A previous database spelled in another case is replaced too.
  if (had_previous && previous != target) fs::remove(previous, ec);
  if (had_previous) fs::remove(backup, ec);
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
  const std::string& dir = ctx.settings.mdb_dir;
  const fs::path temp = CompactionFile(dir, ctx.G_MdbName);
  RemoveWithJournal(temp);  // left by a run that was cut off
  try {
    Database::Compact(dir + ctx.G_MdbName, temp);
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
  for (const auto& working : text::ListFiles(dir, "@*.MDB")) {
    ctx.G_MdbName = working;
    const std::string final_name = working.substr(1);
    const std::string old_version = VersionPart(text::OnDisk(dir + final_name));
    const std::string new_version = VersionPart(dir + working);
    if (F_COMPACT_MDB(ctx) == StepResult::kFailed || !Publish(dir, working)) {
      ctx.log.Write(working + "の コピーができません。");
      result = StepResult::kFailed;
      break;
    }
    ctx.log.Write(dir + working + new_version + "を " + dir + final_name + old_version +
                  "へコピーしました。");
  }
  DeleteMatching(dir, "@*.MDB");
  DeleteMatching(ctx.settings.dstrb_dir, "*.SQ*");
  DeleteMatching(ctx.settings.dstrb_dir, "*.CSV");
  return result;
}

}  // namespace morvane
