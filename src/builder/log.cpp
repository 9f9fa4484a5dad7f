#include "builder/log.h"

#include <fcntl.h>
#include <unistd.h>

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
  // Never through a link: a link planted at the log's name must not make
  // the log grow into the file it points to.
  const int fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return;
  const ssize_t written = ::write(fd, line.data(), line.size());
  (void)written;  // a log line that cannot be written is lost
  ::close(fd);
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
