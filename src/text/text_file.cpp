#include "text/text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "text/utf8.h"

namespace text {

namespace {

constexpr size_t kBlockSize = 1 << 20;

std::string SystemError(const std::string& name) { return name + ": " + std::strerror(errno); }

}  // namespace

TextFileReader::~TextFileReader() { Close(); }

bool TextFileReader::Open(const std::filesystem::path& path) {
  std::string why;
  auto source = OpenFileBytes(path, why);
  if (!source) {
    Close();
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
  buffer_.clear();
  pos_ = 0;
  eof_ = false;
  read_failure_.clear();
  line_number_ = 0;
  error_.clear();
}

bool TextFileReader::Fill() {
  if (eof_ || !source_) return false;
  buffer_.erase(0, pos_);
  pos_ = 0;
  const size_t old = buffer_.size();
  buffer_.resize(old + kBlockSize);
  const long got = source_->Read(buffer_.data() + old, kBlockSize);
  buffer_.resize(old + static_cast<size_t>(std::max(got, 0L)));
  if (got < 0) read_failure_ = source_->error();
  if (got <= 0) eof_ = true;
  return got > 0;
}

bool TextFileReader::Decode(std::string_view bytes, std::u16string& line) {
  if (encoding_ == Encoding::kCp932) return codec_.Decode(bytes, line);
  const bool valid = DecodeUtf8(bytes, line);
  if (line_number_ == 1 && !line.empty() && line.front() == u'\uFEFF') line.erase(0, 1);
  return valid;
}

bool TextFileReader::Next(std::u16string& line) {
  error_.clear();
  if (!source_) return false;
  size_t end;
  while ((end = buffer_.find('\n', pos_)) == std::string::npos) {
    if (!Fill()) break;
  }
  if (end == std::string::npos) {
    if (!read_failure_.empty()) {
      // What came before the failure is no whole line: it is not handed on.
      error_ = name_ + " の " + std::to_string(line_number_ + 1) + " 行目から先を読めません (" +
               read_failure_ + ")。";
      Close();
      return false;
    }
    if (pos_ >= buffer_.size()) return false;  // no unterminated last line
    end = buffer_.size();
  }
  size_t next = end < buffer_.size() ? end + 1 : end;
  if (end > pos_ && buffer_[end - 1] == '\r') --end;
  ++line_number_;
  if (!Decode(std::string_view(buffer_).substr(pos_, end - pos_), line)) {
    error_ = name_ + " の " + std::to_string(line_number_) + " 行目に " +
             (encoding_ == Encoding::kCp932 ? "Shift_JIS" : "UTF-8") + " として読めないバイトがあります。";
  }
  pos_ = next;
  return true;
}

void TextFileReader::Close() { source_.reset(); }

TextFileWriter::~TextFileWriter() { Close(); }

bool TextFileWriter::Open(const std::filesystem::path& path) {
  Close();
  name_ = path.filename().string();
  file_ = std::fopen(path.c_str(), "wb");
  line_number_ = 0;
  buffer_.clear();
  if (!file_) {
    error_ = SystemError(name_) + " を作成できません。";
    return false;
  }
  error_.clear();
  return true;
}

bool TextFileWriter::WriteLine(std::u16string_view text) {
  if (!file_) {
    error_ = name_ + " は開かれていません。";
    return false;
  }
  ++line_number_;
  bool ok = true;
  size_t bad = 0;
  while (!codec_.Encode(text, buffer_, &bad)) {
    if (ok) {
      error_ = name_ + " の " + std::to_string(line_number_) + " 行目の文字「" + ToUtf8(text.substr(bad, 1)) +
               "」は Shift_JIS で書けません。";
    }
    ok = false;
    buffer_.push_back('?');
    text.remove_prefix(bad + 1);
  }
  buffer_ += "\r\n";
  if (buffer_.size() >= kBlockSize && !Flush()) return false;
  return ok;
}

bool TextFileWriter::Flush() {
  if (buffer_.empty()) return true;
  bool ok = std::fwrite(buffer_.data(), 1, buffer_.size(), file_) == buffer_.size();
  buffer_.clear();
  if (!ok) error_ = SystemError(name_) + " に書き込めません。";
  return ok;
}

bool TextFileWriter::Close() {
  if (!file_) return true;
  bool ok = Flush();
  if (std::fclose(file_) != 0 && ok) {
    error_ = SystemError(name_) + " を閉じられません。";
    ok = false;
  }
  file_ = nullptr;
  return ok;
}

bool ReadAllLines(const std::filesystem::path& path, std::vector<std::u16string>& lines, std::string& error) {
  TextFileReader reader;
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
