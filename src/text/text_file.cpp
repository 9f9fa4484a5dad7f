#include "text/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

#include "text/strings.h"
#include "text/utf8.h"

namespace text {

namespace {

// Small enough for the bytes to be still in the processor's cache when they
// are written out.
constexpr size_t kFlushSize = 128 * 1024;

// How much of its start an input is looked at for the encoding it plainly
// is in, and a first look at that.
constexpr size_t kLookedAt = 1 << 20;
constexpr size_t kFirstLook = 64 * 1024;

bool IsAsciiByte(char c) { return (c & 0x80) == 0; }

// "<path>: <the system's reason>"
std::string SystemError(const std::filesystem::path& path, int error = errno) {
  return path.string() + ": " + std::strerror(error);
}

// Whether most lines of head that are not plain ASCII are not UTF-8 either:
// a file in another encoding, where a UTF-8 file with a few bad bytes has
// them reported line by line.
bool MostlyNotUtf8(std::string_view head) {
  long utf8 = 0, other = 0;
  std::u16string decoded;
  while (!head.empty()) {
    const size_t end = std::min(head.find('\n'), head.size());
    const std::string_view line = head.substr(0, end);
    head.remove_prefix(std::min(end + 1, head.size()));
    const bool ascii = std::all_of(line.begin(), line.end(), IsAsciiByte);
    if (ascii) continue;
    ++(DecodeUtf8(line, decoded) ? utf8 : other);
  }
  return other > utf8;
}

}  // namespace

TextFileReader::~TextFileReader() { Close(); }

bool TextFileReader::Open(const std::filesystem::path& path) {
  std::string why;
  auto source = OpenFileBytes(path, why);
  if (!source) {
    Close();
    splitter_.reset();
    name_ = path.filename().string();
    error_ = name_ + ": " + why + " を開けません。";
    return false;
  }
  Open(std::move(source), path.filename().string());
  return true;
}

void TextFileReader::Open(std::unique_ptr<ByteSource> source, std::string name) {
  source_ = std::move(source);
  name_ = std::move(name);
  // A failure to read ends the lines; it is reported by Next.
  splitter_ = std::make_unique<LineSplitter>([this](char* data, size_t size) -> size_t {
    if (!source_ || !read_failure_.empty()) return 0;
    const long got = source_->Read(data, size);
    if (got < 0) read_failure_ = source_->error();
    return got > 0 ? static_cast<size_t>(got) : 0;
  });
  too_long_ = false;
  read_failure_.clear();
  error_.clear();
}

std::string_view TextFileReader::encoding() const {
  return encoding_ == Encoding::kCp932 ? "Shift_JIS (コードページ 932)" : "UTF-8";
}

std::string_view TextFileReader::foreign_encoding() {
  if (!splitter_) return {};
  if (encoding_ == Encoding::kCp932) {
    // What the first MiB shows is settled by its first 64 KiB when they hold
    // a byte order mark or a byte that is no UTF-8 (Japan Post's files: in
    // their first line), which then needs no more of the input read yet.
    const std::string_view first = splitter_->Peek(kFirstLook);
    const std::string_view found = ForeignEncoding(first);
    const bool settled = first.size() < kFirstLook || first.starts_with("\xEF\xBB\xBF") ||
                         first.starts_with("\xFF\xFE") || first.starts_with("\xFE\xFF") ||
                         (found.empty() && !std::all_of(first.begin(), first.end(), IsAsciiByte));
    return settled ? found : ForeignEncoding(splitter_->Peek(kLookedAt));
  }
  std::string_view head = splitter_->Peek(kLookedAt);
  if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF")) return "UTF-16";
  head = head.substr(0, head.rfind('\n') + 1);  // whole lines: no character cut in two
  if (!MostlyNotUtf8(head)) return {};
  std::u16string decoded;
  return codec_.Decode(head, decoded) ? "Shift_JIS (コードページ 932)" : "不明な文字コード";
}

bool TextFileReader::Decode(std::string_view bytes, std::u16string& line) {
  if (encoding_ == Encoding::kCp932) return codec_.Decode(bytes, line);
  const bool valid = DecodeUtf8(bytes, line);
  if (line_number() == 1 && !line.empty() && line.front() == u'\uFEFF') line.erase(0, 1);
  return valid;
}

bool TextFileReader::Next(std::u16string& line) {
  error_.clear();
  if (!source_) return false;
  std::string_view bytes;
  const LineSplitter::Result result = splitter_->Next(bytes);
  if (!read_failure_.empty()) {
    // What came before the failure is no whole line: it is not handed on.
    error_ = name_ + " の " + std::to_string(line_number() + (result == LineSplitter::Result::kEnd)) +
             " 行目から先を読めません (" + read_failure_ + ")。";
    Close();
    return false;
  }
  if (result == LineSplitter::Result::kEnd) return false;
  too_long_ = result == LineSplitter::Result::kTooLong;
  if (too_long_) {
    line.clear();
    error_ = LineTooLongMessage(name_, line_number());
  } else if (!Decode(bytes, line)) {
    error_ = name_ + " の " + std::to_string(line_number()) + " 行目に " +
             (encoding_ == Encoding::kCp932 ? "Shift_JIS" : "UTF-8") + " として読めないバイトがあります。";
  }
  return true;
}

void TextFileReader::Close() { source_.reset(); }

TextFileWriter::~TextFileWriter() { Discard(); }

bool TextFileWriter::Open(const std::filesystem::path& path, Sync sync) {
  Discard();
  target_ = path;
  sync_ = sync;
  name_ = path.filename().string();
  line_number_ = 0;
  buffer_.clear();
  buffer_.reserve(2 * kFlushSize);  // at once: growing would move it into fresh pages
  flushed_ = 0;
  failed_ = false;
  error_.clear();
  std::error_code ec;
  const int fd = temp_.Create(path, ec);
  if (fd >= 0) file_ = ::fdopen(fd, "wb");
  if (!file_) {
    // The reason is the folder's (missing, not a folder, read-only, full).
    Fail(SystemError(target_, fd < 0 ? ec.value() : errno) + " を作成できません。");
    if (fd >= 0) ::close(fd);
    temp_.Remove();
    return false;
  }
  return true;
}

void TextFileWriter::Fail(const std::string& what) {
  if (!failed_) error_ = what;
  failed_ = true;
}

bool TextFileWriter::WriteLine(std::u16string_view text, bool* reads_back) {
  if (reads_back) *reads_back = false;
  if (!file_) {
    if (!failed_) error_ = name_ + " は開かれていません。";
    return false;
  }
  ++line_number_;
  bool exact = false;
  // A line end inside the text would end the line early when read back.
  bool* const exact_if_asked = reads_back && !HasLineEnd(text) ? &exact : nullptr;
  bool ok = true;
  size_t bad = 0;
  const size_t start = buffer_.size();
  while (!codec_.Encode(text, buffer_, &bad, exact_if_asked)) {
    if (ok) {
      error_ = name_ + " の " + std::to_string(line_number_) + " 行目の文字「" + ToUtf8(text.substr(bad, 1)) +
               "」は Shift_JIS で書けません。";
    }
    ok = false;
    buffer_.push_back('?');
    text.remove_prefix(bad + 1);
  }
  if (observer_) observer_->Written(std::string_view(buffer_).substr(start), flushed_ + start);
  buffer_ += "\r\n";
  if (reads_back) *reads_back = ok && exact;
  if (buffer_.size() >= kFlushSize && !Flush()) return false;
  return ok;
}

bool TextFileWriter::ReadsBackAs(uint64_t offset, std::u16string_view text) {
  if (!file_ || failed_ || offset > size() || HasLineEnd(text)) return false;
  read_back_.clear();
  bool exact = false;
  if (!codec_.Encode(text, read_back_, nullptr, &exact) || !exact) return false;
  read_back_ += "\r\n";
  const size_t length = read_back_.size();
  if (offset >= flushed_) {
    // A line is written whole into the buffer, so it is either there or in the file.
    return std::string_view(buffer_).substr(offset - flushed_, length) == read_back_;
  }
  if (offset + length > flushed_ || std::fflush(file_) != 0) return false;
  read_back_.resize(2 * length);
  const ssize_t got = ::pread(fileno(file_), read_back_.data() + length, length, static_cast<off_t>(offset));
  return got == static_cast<ssize_t>(length) &&
         std::string_view(read_back_).substr(0, length) == std::string_view(read_back_).substr(length);
}

bool TextFileWriter::WriteBytes(std::string_view bytes) {
  if (!file_) return false;
  buffer_ += bytes;
  return Flush();
}

bool TextFileWriter::Flush() {
  if (failed_) {
    buffer_.clear();  // nothing more reaches a file that will not be kept
    return false;
  }
  if (buffer_.empty()) return true;
  const bool ok = std::fwrite(buffer_.data(), 1, buffer_.size(), file_) == buffer_.size();
  flushed_ += buffer_.size();
  buffer_.clear();
  if (!ok) Fail(SystemError(target_) + " に書き込めません。");
  return ok;
}

bool TextFileWriter::Close() {
  if (!file_) {
    Discard();
    return !failed_;
  }
  if (Flush() && (std::fflush(file_) != 0 || (sync_ == Sync::kBeforeRename && ::fsync(fileno(file_)) != 0))) {
    Fail(SystemError(target_) + " に書き込めません。");
  }
  if (std::fclose(file_) != 0) Fail(SystemError(target_) + " を閉じられません。");
  file_ = nullptr;
  std::error_code ec;
  if (!failed_ && !temp_.RenameOver(target_, ec))
    Fail(SystemError(target_, ec.value()) + " を作成できません。");
  if (failed_) temp_.Remove();
  return !failed_;
}

void TextFileWriter::Discard() {
  if (!file_) return;
  std::fclose(file_);
  file_ = nullptr;
  temp_.Remove();
}

bool CopyWhole(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& ec) {
  const int source = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat status {};
  if (source < 0 || ::fstat(source, &status) != 0) {
    ec.assign(errno, std::generic_category());
    if (source >= 0) ::close(source);
    return false;
  }
  TemporaryFile temp;
  const int target = temp.Create(to, ec);
  bool ok = target >= 0;
  std::vector<char> block(1 << 16);
  while (ok) {
    const ssize_t got = ::read(source, block.data(), block.size());
    if (got == 0) break;
    ok = got > 0;
    for (ssize_t done = 0; ok && done < got;) {
      const ssize_t put = ::write(target, block.data() + done, static_cast<size_t>(got - done));
      ok = put > 0;
      if (ok) done += put;
    }
  }
  if (ok && ::fchmod(target, status.st_mode & 07777) != 0) ok = false;
  if (!ok && target >= 0) ec.assign(errno, std::generic_category());
  ::close(source);
  if (target >= 0 && ::close(target) != 0 && ok) {
    ec.assign(errno, std::generic_category());
    ok = false;
  }
  return ok && temp.RenameOver(to, ec);
}

bool ReadAllLines(const std::filesystem::path& path, std::vector<std::u16string>& lines, std::string& error,
                  Encoding encoding) {
  TextFileReader reader(encoding);
  lines.clear();
  if (!reader.Open(path)) {
    error = reader.error();
    return false;
  }
  std::u16string line;
  bool ok = true;
  while (reader.Next(line)) {
    if (!reader.error().empty() && ok) {
      error = reader.error();
      ok = false;
    }
    lines.push_back(line);
  }
  return ok;
}

}  // namespace text
