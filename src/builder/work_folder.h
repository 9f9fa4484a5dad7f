#pragma once
// The builder's working folder: a folder of its own, made new in MDB_DIR for
// each run ("@Morvane." and six random characters), that holds the working
// databases and their compacted copies until they are published. So no name
// the builder works under can be a file the user keeps in MDB_DIR. While the
// run lasts the folder's path is recorded in the builder's own folder
// ("Morvane作業.TXT"): a SIGTERM, SIGINT or SIGHUP removes the folder at
// once, and the next run removes what a run killed otherwise left.
#include <filesystem>
#include <string>
#include <string_view>

#include "text/removal_on_signal.h"

namespace morvane {

inline constexpr std::string_view kWorkRecordFile = "Morvane作業.TXT";

class WorkFolder {
 public:
  explicit WorkFolder(std::filesystem::path builder_folder) : builder_folder_(std::move(builder_folder)) {}
  // Removes the folder with everything in it, and the record.
  ~WorkFolder() { Remove(); }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  // Removes the folder a cut-off run recorded, when it is one of the
  // builder's working folders; then the record.
  void RemoveLeftover();
  // Makes a new working folder in mdb_dir and records it; false with *error
  // saying why it could not.
  bool Make(const std::string& mdb_dir, std::string* error);
  void Remove();

  // The folder, ending with "/"; empty before Make.
  const std::string& path() const { return path_; }

 private:
  std::filesystem::path Record() const { return builder_folder_ / kWorkRecordFile; }

  std::filesystem::path builder_folder_;
  std::string path_;
  text::RemovalOnSignal on_signal_;
  text::RemovalOnSignal record_on_signal_;
};

}  // namespace morvane
