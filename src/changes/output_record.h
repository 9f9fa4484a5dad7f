#pragma once
// What an output file was made with, kept beside it ("ZIP_作成条件.TXT" for
// "ZIP.TXT"), so that the next run knows whether it may compare its output
// with this one: the run's options, one "key=value" line each, then the
// output's number of lines and its fingerprint, which tell whether the file
// is still the one the record was written for (not edited, cut short, or put
// there from elsewhere). Code page 932 with CR LF like every file of the
// program; a first line starting with ";" says what the file is for.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace changes {

// An output's lines and their hashes folded in order; the word list's
// "!DateTime:" line, which names the minute of the run, is left out.
struct Fingerprint {
  uint64_t lines = 0;
  uint64_t value = 0;
  bool operator==(const Fingerprint&) const = default;
};

struct OutputRecord {
  std::vector<std::string> options;  // UTF-8, compared as they stand
  Fingerprint fingerprint;
};

// False when path is missing, unreadable or not a whole record.
bool ReadRecord(const std::filesystem::path& path, OutputRecord& record);
// Writes it whole or not at all; false with error set (file and reason).
bool WriteRecord(const std::filesystem::path& path, const OutputRecord& record, std::string_view output_name,
                 std::string& error);

}  // namespace changes
