#include "text/zip_entry.h"

#include <zip.h>

namespace text {

namespace {

struct ArchiveCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }  // read only: nothing to write back
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

std::string ErrorText(int code) {
  zip_error_t error;
  zip_error_init_with_code(&error, code);
  std::string text = zip_error_strerror(&error);
  zip_error_fini(&error);
  return text;
}

// The stricter consistency checks catch an archive whose directory and
// entries disagree, as a broken download leaves it.
Archive OpenArchive(const std::filesystem::path& path, std::string& error) {
  int code = ZIP_ER_OK;
  Archive archive(zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code));
  if (!archive) error = ErrorText(code);
  return archive;
}

class ZipEntryBytes : public ByteSource {
 public:
  ZipEntryBytes(Archive archive, zip_file_t* file) : archive_(std::move(archive)), file_(file) {}
  ~ZipEntryBytes() override { zip_fclose(file_); }
  ZipEntryBytes(const ZipEntryBytes&) = delete;
  ZipEntryBytes& operator=(const ZipEntryBytes&) = delete;

  long Read(char* into, size_t size) override { return static_cast<long>(zip_fread(file_, into, size)); }
  std::string error() const override { return zip_error_strerror(zip_file_get_error(file_)); }

 private:
  Archive archive_;  // outlives file_: declared first, destroyed last
  zip_file_t* file_;
};

}  // namespace

ZipEntryLookup FindZipEntry(const std::filesystem::path& zip, std::string_view name) {
  ZipEntryLookup found;
  const Archive archive = OpenArchive(zip, found.error);
  if (!archive) return found;
  const zip_int64_t index = zip_name_locate(archive.get(), std::string(name).c_str(), ZIP_FL_NOCASE);
  if (index >= 0)
    found.entry = zip_get_name(archive.get(), static_cast<zip_uint64_t>(index), ZIP_FL_ENC_GUESS);
  return found;
}

std::unique_ptr<ByteSource> OpenZipEntry(const std::filesystem::path& zip, const std::string& entry,
                                         std::string& error) {
  Archive archive = OpenArchive(zip, error);
  if (!archive) return nullptr;
  zip_file_t* file = zip_fopen(archive.get(), entry.c_str(), 0);
  if (!file) {
    error = zip_error_strerror(zip_get_error(archive.get()));
    return nullptr;
  }
  return std::make_unique<ZipEntryBytes>(std::move(archive), file);
}

}  // namespace text
