#include "text/byte_source.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace text {

namespace {

class FileBytes : public ByteSource {
 public:
  explicit FileBytes(std::FILE* file) : file_(file) {}
  ~FileBytes() override { std::fclose(file_); }
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;

  long Read(char* into, size_t size) override {
    const size_t got = std::fread(into, 1, size, file_);
    if (got == 0 && std::ferror(file_)) {
      error_ = std::strerror(errno);
      return -1;
    }
    return static_cast<long>(got);
  }
  std::string error() const override { return error_; }

 private:
  std::FILE* file_;
  std::string error_;
};

}  // namespace

std::unique_ptr<ByteSource> OpenFileBytes(const std::filesystem::path& path, std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    error = std::strerror(errno);
    return nullptr;
  }
  return std::make_unique<FileBytes>(file);
}

}  // namespace text
