#include "builder/publisher.h"

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
  try {
    Database::Compact(dir + ctx.G_MdbName, dir + ctx.G_MdbName.substr(1));
  } catch (const EngineError&) {
    return StepResult::kFailed;
  }
  return StepResult::kDone;
}

StepResult F_DISTRIBUTE_MDB(BuilderContext& ctx) {
  const std::string& dir = ctx.settings.mdb_dir;
  StepResult result = StepResult::kDone;
  std::error_code ec;
  for (const auto& working : text::ListFiles(dir, "@*.MDB")) {
    ctx.G_MdbName = working;
    const std::string final_name = working.substr(1);
    // The previous database may differ from the new name in case only.
    const fs::path previous = text::OnDisk(dir + final_name);
    const fs::path backup = dir + "BK_" + final_name;
    const std::string old_version = VersionPart(previous);
    const std::string new_version = VersionPart(dir + working);
    const bool had_final = fs::exists(previous, ec);
    bool moved_aside = false;
    if (had_final) {
      fs::remove(backup, ec);
      fs::rename(previous, backup, ec);
      moved_aside = !ec;
    }
    // A previous database that could not be moved aside is left untouched.
    if ((had_final && !moved_aside) || F_COMPACT_MDB(ctx) == StepResult::kFailed) {
      ctx.log.Write(working + "の コピーができません。");
      if (moved_aside) {
        // The partial result goes; the database of the last good build returns.
        fs::remove(dir + final_name, ec);
        fs::rename(backup, previous, ec);
      }
      result = StepResult::kFailed;
      break;
    }
    ctx.log.Write(dir + working + new_version + "を " + dir + final_name + old_version +
                  "へコピーしました。");
    fs::remove(backup, ec);
  }
  DeleteMatching(dir, "@*.MDB");
  DeleteMatching(ctx.settings.dstrb_dir, "*.SQ*");
  DeleteMatching(ctx.settings.dstrb_dir, "*.CSV");
  return result;
}

}  // namespace morvane
