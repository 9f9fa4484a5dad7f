#pragma once
// The file and folder operations of the file-control script, with the rules
// of the classic scripting file-system object: a wildcard may stand in the
// last part of a source; a destination ending with "/" is a folder to copy or
// move into; copies overwrite, moves refuse an existing destination; without
// force, read-only files are not deleted. "\" in paths is read as "/". The
// last part of a path matches an entry without regard to case.
// Failures throw FsoError with the classic number and description.
#include <stdexcept>
#include <string>

namespace morvane {

class FsoError : public std::runtime_error {
 public:
  FsoError(int number, const std::string& description) : std::runtime_error(description), number_(number) {}
  int number() const { return number_; }

 private:
  int number_;
};

// The classic failure numbers the builder reports.
inline constexpr int kFsoInvalidCall = 5;
inline constexpr int kFsoFileNotFound = 53;
inline constexpr int kFsoFileExists = 58;
inline constexpr int kFsoPermissionDenied = 70;
inline constexpr int kFsoPathNotFound = 76;

// The failure of one of the numbers above, its classic description naming
// the path when there is one.
FsoError FsoFailure(int number, const std::string& path);

void CreateFolder(const std::string& folder);
void DeleteFolder(const std::string& pattern, bool force);
void MoveFolder(const std::string& source, const std::string& destination);
void CopyFolder(const std::string& source, const std::string& destination);
void DeleteFile(const std::string& pattern);
void CopyFile(const std::string& source, const std::string& destination);
void MoveFile(const std::string& source, const std::string& destination);

}  // namespace morvane
