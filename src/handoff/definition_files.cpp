// Placing the builder's definition files in the output folder before a
// database run.
#include <system_error>

#include "handoff/builder_files.h"
#include "handoff/handoff.h"
#include "text/file_names.h"
#include "text/text_file.h"

namespace tessivar {

bool CopyDefinitionFiles(const HandoffSettings& settings, Dialogs& dialogs) {
  namespace fs = std::filesystem;
  const fs::path source_folder = handoff::BuilderFolder(settings.program_folder) / handoff::kDefinitionFolder;
  bool copied = true;
  for (std::string_view name : kDefinitionFiles) {
    const fs::path source = text::OnDisk(source_folder / name);
    // A copy cut off (a full disk) never stands in the output folder.
    const fs::path target = settings.out_folder / name;
    std::error_code ec;
    if (!text::CopyWhole(source, target, ec)) {
      // The reason may lie on either side: both are named.
      dialogs.Message(source.string() + " を " + target.string() + " へコピーできません: " + ec.message());
      copied = false;
    }
  }
  return copied;
}

CopiedDefinitionFiles::~CopiedDefinitionFiles() {
  if (!copied_) return;
  for (std::string_view name : kDefinitionFiles) {
    std::error_code ignored;
    std::filesystem::remove(settings_.out_folder / name, ignored);
  }
}

}  // namespace tessivar
