#include "convert/read/read_input_lines.h"

#include "convert/read/read_utf_ken_all.h"
#include "text/text_file.h"
#include "text/zip_entry.h"

namespace tessivar {

std::unique_ptr<text::LineSource> OpenInputLines(const std::filesystem::path& in_folder,
                                                 const InputFile& file, std::string& error) {
  auto reader =
      std::make_unique<text::TextFileReader>(file.utf8 ? text::Encoding::kUtf8 : text::Encoding::kCp932);
  if (file.zipped()) {
    std::string why;
    auto bytes = text::OpenZipEntry(in_folder / file.name, file.entry, why);
    const std::string name = file.name + " 内の " + file.entry;
    if (!bytes) {
      error = name + " を開けません (" + why + ")。";
      return nullptr;
    }
    reader->Open(std::move(bytes), name);
  } else if (!reader->Open(in_folder / file.name)) {
    error = reader->error();
    return nullptr;
  }
  if (file.utf8) return std::make_unique<UtfKenAllLines>(std::move(reader));
  return reader;
}

}  // namespace tessivar
