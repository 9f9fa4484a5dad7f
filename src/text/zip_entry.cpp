#include "text/zip_entry.h"

#include "text/zip_library.h"

namespace text {

namespace {

struct ArchiveCloser {
  const ZipLibrary* zip;
  void operator()(zip_t* archive) const { zip->discard(archive); }  // read only: nothing to write back
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

std::string ErrorText(const ZipLibrary& zip, int code) {
  zip_error_t error;
  zip.error_init_with_code(&error, code);
  std::string text = zip.error_strerror(&error);
  zip.error_fini(&error);
  return text;
}

// The stricter consistency checks catch an archive whose directory and
// entries disagree, as a broken download leaves it. A libzip that cannot be
// loaded fails here too, as any archive it cannot open.
Archive OpenArchive(const ZipLibrary& zip, const std::filesystem::path& path, std::string& error) {
  if (!zip.error.empty()) {
    error = zip.error;
    return Archive(nullptr, ArchiveCloser{&zip});
  }
  int code = ZIP_ER_OK;
  Archive archive(zip.open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code), ArchiveCloser{&zip});
  if (!archive) error = ErrorText(zip, code);
  return archive;
}

class ZipEntryBytes : public ByteSource {
 public:
  ZipEntryBytes(Archive archive, zip_file_t* file) : archive_(std::move(archive)), file_(file) {}
  ~ZipEntryBytes() override { zip().fclose(file_); }
  ZipEntryBytes(const ZipEntryBytes&) = delete;
  ZipEntryBytes& operator=(const ZipEntryBytes&) = delete;

  long Read(char* into, size_t size) override { return static_cast<long>(zip().fread(file_, into, size)); }
  std::string error() const override { return zip().error_strerror(zip().file_get_error(file_)); }

 private:
  const ZipLibrary& zip() const { return *archive_.get_deleter().zip; }

  Archive archive_;  // outlives file_: declared first, destroyed last
  zip_file_t* file_;
};

}  // namespace

ZipEntryLookup FindZipEntry(const ZipLibrary& zip, const std::filesystem::path& path, std::string_view name) {
  ZipEntryLookup found;
  found.library_missing = !zip.error.empty();
  const Archive archive = OpenArchive(zip, path, found.error);
  if (!archive) return found;
  const zip_int64_t index = zip.name_locate(archive.get(), std::string(name).c_str(), ZIP_FL_NOCASE);
  if (index >= 0)
    found.entry = zip.get_name(archive.get(), static_cast<zip_uint64_t>(index), ZIP_FL_ENC_GUESS);
  return found;
}

ZipEntryLookup FindZipEntry(const std::filesystem::path& zip, std::string_view name) {
  return FindZipEntry(LinkedZipLibrary(), zip, name);
}

std::unique_ptr<ByteSource> OpenZipEntry(const ZipLibrary& zip, const std::filesystem::path& path,
                                         const std::string& entry, std::string& error) {
  Archive archive = OpenArchive(zip, path, error);
  if (!archive) return nullptr;
  zip_file_t* file = zip.fopen(archive.get(), entry.c_str(), 0);
  if (!file) {
    error = zip.error_strerror(zip.get_error(archive.get()));
    return nullptr;
  }
  return std::make_unique<ZipEntryBytes>(std::move(archive), file);
}

std::unique_ptr<ByteSource> OpenZipEntry(const std::filesystem::path& zip, const std::string& entry,
                                         std::string& error) {
  return OpenZipEntry(LinkedZipLibrary(), zip, entry, error);
}

}  // namespace text
