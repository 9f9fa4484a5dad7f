// Cutting bytes into lines, fed one byte at a time so that every line end also
// falls across the boundary of two reads.
#include "text/line_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace text {
namespace {

// The lines of bytes, a line too long written as "<too long>".
std::vector<std::string> Lines(const std::string& bytes, size_t read_size) {
  size_t at = 0;
  LineSplitter splitter([&](char* data, size_t size) {
    const size_t n = std::min({size, read_size, bytes.size() - at});
    bytes.copy(data, n, at);
    at += n;
    return n;
  });
  std::vector<std::string> lines;
  std::string_view line;
  for (LineSplitter::Result r; (r = splitter.Next(line)) != LineSplitter::Result::kEnd;) {
    lines.push_back(r == LineSplitter::Result::kTooLong ? "<too long>" : std::string(line));
  }
  EXPECT_EQ(splitter.line_number(), static_cast<long>(lines.size()));
  return lines;
}

TEST(LineSplitter, LineEndsAndTheLineLimit) {
  const std::string longest(kMaxLineBytes, 'a');
  const std::string too_long(kMaxLineBytes + 1, 'b');
  struct Case {
    const char* label;
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"LF only", "a\nb\n", {"a", "b"}},
      {"CR only, the old line end", "a\rb\rc", {"a", "b", "c"}},
      {"empty lines", "\r\n\r\n\n\r", {"", "", "", ""}},
      {"last line without a line end", "a\r\nb", {"a", "b"}},
      {"empty input", "", {}},
      {"a line of exactly the limit", longest + "\r\nz", {longest, "z"}},
      {"a line over the limit is skipped whole", "x\r\n" + too_long + "\r\ny\r\n", {"x", "<too long>", "y"}},
      {"over the limit at the end of the input", "x\r\n" + too_long, {"x", "<too long>"}},
      {"over the limit, ended by a lone CR", too_long + "\ry", {"<too long>", "y"}},
  };
  for (const Case& c : cases) {
    for (size_t read_size : {size_t{1}, size_t{7}, size_t{1} << 20}) {
      SCOPED_TRACE(std::string(c.label) + ", reads of " + std::to_string(read_size));
      EXPECT_EQ(Lines(c.bytes, read_size), c.lines);
    }
  }
}

}  // namespace
}  // namespace text
