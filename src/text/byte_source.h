#pragma once
// The bytes of one input, read block by block: a file, or a file inside a
// zip archive (zip_entry.h), so that neither is ever held whole.
#include <filesystem>
#include <memory>
#include <string>

namespace text {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to size bytes into into. Returns how many were read, 0 at the
  // end, -1 when reading failed (error() then says why).
  virtual long Read(char* into, size_t size) = 0;
  virtual std::string error() const = 0;
};

// The bytes of the file at path; nullptr, with error set, when it cannot be
// opened.
std::unique_ptr<ByteSource> OpenFileBytes(const std::filesystem::path& path, std::string& error);

}  // namespace text
