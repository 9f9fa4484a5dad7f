#include "builder/folders.h"

#include <system_error>

#include "text/ascii.h"
#include "text/file_names.h"

namespace morvane {

namespace fs = std::filesystem;

namespace {

void Remove(BuilderContext& ctx, const fs::path& file) {
  std::error_code ec;
  // A read-only file is made writable first, as its attributes are reset.
  fs::permissions(file, fs::perms::owner_write, fs::perm_options::add, ec);
  if (!fs::remove(file, ec) && ec) ctx.log.MessageBox(file.string() + ": " + ec.message());
}

}  // namespace

void ClearWorkingFiles(BuilderContext& ctx, const std::string& folder) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return;
  for (const auto& name : text::ListFiles(folder, "*")) {
    const fs::path file = fs::path(folder) / name;
    if (name.starts_with("@") || text::EndsWithNoCase(name, ".mdb-journal")) {
      Remove(ctx, file);
    } else if (text::StartsWithNoCase(name, "BK_")) {
      // Publishing was cut off while the backup stood: the database in its
      // place may be the new one or the old one, but the backup is whole.
      // Still a second name of the database in place, it is that database.
      const fs::path published = text::OnDisk(fs::path(folder) / name.substr(3));
      if (fs::equivalent(file, published, ec)) {
        fs::remove(file, ec);
      } else {
        fs::rename(file, published, ec);
      }
      if (ec) ctx.log.MessageBox(file.string() + ": " + ec.message());
    }
  }
}

StepResult F_MAKE_FOLDER(BuilderContext& ctx, const std::string& folder) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) {
    ctx.log.MessageBox(folder + ": " + ec.message());
    return StepResult::kFailed;
  }
  return StepResult::kDone;
}

StepResult F_MAKE_DIRS(BuilderContext& ctx) {
  const Settings& s = ctx.settings;
  ClearWorkingFiles(ctx, s.mdb_dir);
  struct Folder {
    const std::string& path;
    const char* made;
  };
  for (const Folder& folder : {Folder{s.mdb_dir, " ディレクトリをを作成しました。"},
                               Folder{s.log_dir, " ディレクトリを作成しました。"},
                               Folder{s.result_dir, " ディレクトリを作成しました。"}}) {
    std::error_code ec;
    if (fs::is_directory(folder.path, ec)) continue;
    if (F_MAKE_FOLDER(ctx, folder.path) == StepResult::kFailed) {
      ctx.log.Write(folder.path + " ディレクトリを作成できません。");
    } else {
      ctx.log.Write(folder.path + folder.made);
    }
  }
  ctx.log.Delete();
  // "STS=1" could not be written before the status file's folder was made.
  if (ctx.status.written().empty()) ctx.status.Write(Status::kStarted);
  return StepResult::kDone;
}

StepResult F_COUNT_SQLFILE(BuilderContext& ctx) {
  ctx.G_SqlFiles.clear();
  // An input folder that exists but cannot be read fails the run rather than
  // look empty; a missing folder only means there is no script.
  for (const char* pattern : {"*.sql", "*.squ"}) {
    std::error_code ec;
    for (auto& name : text::ListFiles(ctx.settings.dstrb_dir, pattern, &ec)) ctx.G_SqlFiles.push_back(name);
    if (ec && ec != std::errc::no_such_file_or_directory) {
      ctx.log.Write("取り込み用(.SQL/.SQU)ファイルのカウント処理中にエラーが発生しました。(" +
                    std::to_string(ec.value()) + ")");
      return StepResult::kFailed;
    }
  }
  return StepResult::kDone;
}

}  // namespace morvane
