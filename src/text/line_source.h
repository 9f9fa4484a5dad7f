#pragma once
// The lines of one input as the record reader takes them, whatever holds
// them: a code page 932 file, a UTF-8 file, a file inside a zip archive. Each
// source names itself and counts its lines, so that a message about a line
// can say where it stands.
#include <string>
#include <string_view>

namespace text {

class LineSource {
 public:
  virtual ~LineSource() = default;

  // Reads the next line without its line end. Returns false at the end of
  // the input, and also when reading failed: error() then says why. A line
  // with bytes that could not be decoded is still returned, U+FFFD standing
  // for them, and error() names the input and the line. A line over
  // kMaxLineBytes (line_splitter.h) comes back empty with line_too_long()
  // set and error() naming it; its bytes were skipped.
  virtual bool Next(std::u16string& line) = 0;
  virtual void Close() = 0;

  // The input's name in messages: "KEN_ALL.CSV", "ken_all.zip 内の KEN_ALL.CSV".
  virtual const std::string& name() const = 0;
  // The number of the line Next returned last; 1 for the first line.
  virtual long line_number() const = 0;
  // What went wrong in the last Next (or Open); empty when nothing did.
  virtual const std::string& error() const = 0;
  // Whether the line Next returned last was too long and skipped.
  virtual bool line_too_long() const = 0;
  // The encoding the input is read in: "Shift_JIS (コードページ 932)" or "UTF-8".
  virtual std::string_view encoding() const = 0;
  // The encoding the start of the input plainly is in when it is not
  // encoding() (a code page 932 input in UTF-8 or UTF-16, a UTF-8 input in
  // code page 932, say), so that it is named rather than read as garbage;
  // empty otherwise, also for an input with a few bad bytes in the encoding
  // it is read in (each is reported with its line). Call before the first
  // Next.
  virtual std::string_view foreign_encoding() = 0;
};

}  // namespace text
