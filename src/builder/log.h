#pragma once
// The builder's log: one line per event, "yyyy/mm/dd hh:mm:ss " + text, in
// code page 932 with CR LF, appended to the log file (opened and closed for
// every line, so a crash loses nothing). Failures to write are swallowed.
// The builder has no windows: a message box is printed to standard error
// and written to the log.
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

namespace morvane {

inline constexpr std::string_view kSeparator = "------------------------------------------------------";

class Log {
 public:
  explicit Log(std::ostream& messages) : messages_(messages) {}

  void set_path(std::filesystem::path path) { path_ = std::move(path); }
  const std::filesystem::path& path() const { return path_; }

  // F_WRITE_LOG.
  void Write(std::string_view text) const;
  void Separator() const { Write(kSeparator); }
  // Separator, text, separator.
  void Banner(std::string_view text) const;
  // A message box of the builder.
  void MessageBox(std::string_view text) const;
  // Deletes the log file, ignoring failures.
  void Delete() const;

 private:
  std::filesystem::path path_;
  std::ostream& messages_;
};

// The text in code page 932; characters without a form become "?".
std::string EncodeCp932Lossy(std::string_view utf8);

}  // namespace morvane
