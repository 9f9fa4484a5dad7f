#include "changes/output_record.h"

#include <charconv>

#include "text/cp932.h"
#include "text/text_file.h"

namespace changes {

namespace {

constexpr std::string_view kLines = "lines=";
constexpr std::string_view kFingerprint = "fingerprint=";

bool ParseNumber(std::string_view text, uint64_t& value, int base) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

std::string Hex(uint64_t value) {
  std::string hex(16, '0');
  for (size_t i = 16; i-- > 0; value >>= 4) hex[i] = "0123456789abcdef"[value & 15];
  return hex;
}

}  // namespace

bool ReadRecord(const std::filesystem::path& path, OutputRecord& record) {
  std::vector<std::u16string> lines;
  std::string error;
  if (!text::ReadAllLines(path, lines, error)) return false;
  record = OutputRecord{};
  bool counted = false, fingerprinted = false;
  for (const std::u16string& wide : lines) {
    const std::string line = text::ToUtf8(wide);
    if (line.empty() || line.front() == ';') continue;
    if (line.starts_with(kLines)) {
      counted = ParseNumber(line.substr(kLines.size()), record.fingerprint.lines, 10);
    } else if (line.starts_with(kFingerprint)) {
      fingerprinted = ParseNumber(line.substr(kFingerprint.size()), record.fingerprint.value, 16);
    } else if (counted || fingerprinted || line.find('=') == std::string::npos) {
      return false;  // the options come first, each a key=value line
    } else {
      record.options.push_back(line);
    }
  }
  return counted && fingerprinted;
}

bool WriteRecord(const std::filesystem::path& path, const OutputRecord& record, std::string_view output_name,
                 std::string& error) {
  text::TextFileWriter file;
  if (file.Open(path, text::TextFileWriter::Sync::kNone)) {
    file.WriteLine(text::FromUtf8("; " + std::string(output_name) +
                                  " を作成した条件です。次の作成で 前回の出力と比べるときに読みます。"));
    for (const std::string& option : record.options) file.WriteLine(text::FromUtf8(option));
    file.WriteLine(text::FromUtf8(std::string(kLines) + std::to_string(record.fingerprint.lines)));
    file.WriteLine(text::FromUtf8(std::string(kFingerprint) + Hex(record.fingerprint.value)));
  }
  if (file.Close()) return true;
  error = file.error();
  return false;
}

}  // namespace changes
