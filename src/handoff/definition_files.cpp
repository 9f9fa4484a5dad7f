// Placing the builder's definition files in the output folder before a
// database run.
#include <system_error>

#include "handoff/builder_files.h"
#include "handoff/handoff.h"
#include "text/file_names.h"

namespace tessivar {

void CopyDefinitionFiles(const HandoffSettings& settings, Dialogs& dialogs) {
  namespace fs = std::filesystem;
  const fs::path source_folder = BuilderFolder(settings.program_folder) / kDefinitionFolder;
  for (std::string_view name : {"torvaskmdb.sql", "県tbl.sql", "県tbl.csv"}) {
    const fs::path source = text::OnDisk(source_folder / name);
    std::error_code ec;
    fs::copy_file(source, settings.out_folder / name, fs::copy_options::overwrite_existing, ec);
    if (ec) dialogs.Message(source.string() + " をコピーできません: " + ec.message());
  }
}

}  // namespace tessivar
