#include "builder/log.h"

#include <cstdio>
#include <ctime>
#include <system_error>

#include "text/cp932.h"

namespace morvane {

std::string EncodeCp932Lossy(std::string_view utf8) {
  text::Cp932 codec;
  std::u16string text = text::FromUtf8(utf8);
  std::u16string_view rest = text;
  std::string out;
  size_t bad = 0;
  while (!codec.Encode(rest, out, &bad)) {
    out.push_back('?');
    rest.remove_prefix(bad + 1);
  }
  return out;
}

void Log::Write(std::string_view text) const {
  if (path_.empty()) return;
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y/%m/%d %H:%M:%S ", &local);
  std::string line = EncodeCp932Lossy(std::string(stamp) + std::string(text)) + "\r\n";
  if (std::FILE* file = std::fopen(path_.c_str(), "ab")) {
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
  }
}

void Log::Banner(std::string_view text) const {
  Separator();
  Write(text);
  Separator();
}

void Log::MessageBox(std::string_view text) const {
  messages_ << "Morvane: " << text << std::endl;
  Write(text);
}

void Log::Delete() const {
  std::error_code ec;
  if (!path_.empty()) std::filesystem::remove(path_, ec);
}

}  // namespace morvane
