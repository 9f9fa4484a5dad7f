#pragma once
// Files inside zip archives, read as Japan Post publishes them (every file
// comes as a zip): found by name without regard to case, and streamed block
// by block, never unpacked to disk. Through libzip, loaded at the first zip
// read (see zip_library.h).
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "text/byte_source.h"

namespace text {

struct ZipLibrary;

// What a look into a zip archive for one file found.
struct ZipEntryLookup {
  std::string entry;             // the file's name as the archive stores it; empty when it holds none such
  std::string error;             // why the archive cannot be read; empty when it can
  bool library_missing = false;  // the error is that libzip cannot be loaded: no fault of the archive
};

// Looks in the archive at zip for the file named name, without regard to case.
ZipEntryLookup FindZipEntry(const std::filesystem::path& zip, std::string_view name);

// The unpacked bytes of entry (as the archive stores its name) of the archive
// at zip; nullptr, with error set, when it cannot be opened. A damaged entry
// fails while it is read.
std::unique_ptr<ByteSource> OpenZipEntry(const std::filesystem::path& zip, const std::string& entry,
                                         std::string& error);

// The same with the libzip given (the one linked at build time above).
ZipEntryLookup FindZipEntry(const ZipLibrary& zip, const std::filesystem::path& path, std::string_view name);
std::unique_ptr<ByteSource> OpenZipEntry(const ZipLibrary& zip, const std::filesystem::path& path,
                                         const std::string& entry, std::string& error);

}  // namespace text
