#pragma once
// Zip archives made for tests, the way Japan Post publishes its files: each
// file deflated into one archive.
#include <zip.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace test_support {

// Writes an archive at zip holding files (name, bytes). False when libzip
// cannot.
inline bool WriteZip(const std::filesystem::path& zip,
                     const std::vector<std::pair<std::string, std::string>>& files) {
  int error = 0;
  zip_t* archive = zip_open(zip.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (!archive) return false;
  for (const auto& [name, bytes] : files) {
    // The buffer is read when the archive is closed; files outlives that.
    zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
    if (!source || zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
      zip_source_free(source);
      zip_discard(archive);
      return false;
    }
  }
  return zip_close(archive) == 0;
}

}  // namespace test_support
