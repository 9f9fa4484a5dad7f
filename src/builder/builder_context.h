#pragma once
// The state of one builder run, under the names the builder's procedures
// share: settings, log, status file, the script list and the script being
// processed, its database and table, and the statement flags of its table
// block.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "builder/log.h"
#include "builder/settings.h"
#include "builder/status_file.h"

namespace morvane {

struct BuilderContext {
  BuilderContext(std::filesystem::path folder, std::ostream& messages)
      : program_folder(std::move(folder)), log(messages) {}

  std::filesystem::path program_folder;  // the builder's own folder (Morvane.ini)
  Settings settings;
  Log log;
  StatusFile status;

  std::vector<std::string> G_SqlFiles;  // scripts of DSTRB_DIR, ".sql" before ".squ"
  std::string G_SqlFile;                // the script being processed
  std::string G_MdbName;                // working database name, "@" + name
  std::string G_TableName;              // table of the script's table block
  bool G_DropTable = false;             // a DROP TABLE was seen
  bool G_DropMissing = false;           // a DROP TABLE found no table
  bool G_CreateTable = false;           // a CREATE TABLE was seen

  // The run's working folder in MDB_DIR (see WorkFolder), ending with "/":
  // the working databases live there until they are published.
  std::string work_dir;

  std::filesystem::path WorkingDatabase() const { return work_dir + G_MdbName; }
};

}  // namespace morvane
