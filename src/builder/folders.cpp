#include "builder/folders.h"

#include <system_error>

#include "text/ascii.h"
#include "text/file_names.h"

namespace morvane {

namespace fs = std::filesystem;

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
  const auto& listed = ctx.settings.scripts;
  auto is_listed = [&listed](const std::string& name) {
    if (!listed) return true;
    for (const auto& script : *listed) {
      if (text::EqualsNoCase(script, name)) return true;
    }
    return false;
  };
  // An input folder that exists but cannot be read fails the run rather than
  // look empty; a missing folder only means there is no script.
  for (const char* pattern : {"*.sql", "*.squ"}) {
    std::error_code ec;
    for (auto& name : text::ListFiles(ctx.settings.dstrb_dir, pattern, &ec)) {
      if (is_listed(name)) ctx.G_SqlFiles.push_back(name);
    }
    if (ec && ec != std::errc::no_such_file_or_directory) {
      ctx.log.Write("取り込み用(.SQL/.SQU)ファイルのカウント処理中にエラーが発生しました。(" +
                    std::to_string(ec.value()) + ")");
      return StepResult::kFailed;
    }
  }
  // A listed script that is missing would make a database without its table.
  for (const auto& script : listed ? *listed : std::vector<std::string>{}) {
    bool found = false;
    for (const auto& name : ctx.G_SqlFiles) found |= text::EqualsNoCase(script, name);
    if (!found) {
      ctx.log.Write("取り込み用(" + script + ")ファイルが " + ctx.settings.dstrb_dir + " にありません。");
      return StepResult::kFailed;
    }
  }
  return StepResult::kDone;
}

}  // namespace morvane
