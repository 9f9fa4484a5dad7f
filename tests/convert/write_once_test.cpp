// The memory of written word-list lines: every distinct line is new once,
// across the growth of its table and the filling of its blocks.
#include "convert/write_once.h"

#include <gtest/gtest.h>

#include <string>

namespace tessivar {
namespace {

std::u16string Numbered(int n) {
  std::u16string line = u"０６０－８５５４\t札幌市中央区北一条西";
  for (char c : std::to_string(n)) line += static_cast<char16_t>(c);
  return line;
}

TEST(WrittenLines, EveryDistinctLineIsNewOnce) {
  WrittenLines written;
  const std::u16string long_line(0xFFFF, u'Ａ');
  const std::u16string longer_line(0x10000, u'Ａ');  // only a damaged input gives it
  EXPECT_TRUE(written.Add(u""));
  EXPECT_TRUE(written.Add(u"ab"));
  EXPECT_TRUE(written.Add(u"abc"));  // a line that begins with another is another line
  EXPECT_TRUE(written.Add(long_line));
  EXPECT_TRUE(written.Add(longer_line));
  // 20,000 lines of some 25 characters: the table grows many times and the
  // lines fill several blocks.
  for (int n = 0; n < 20000; ++n) EXPECT_TRUE(written.Add(Numbered(n))) << n;
  for (int n = 0; n < 20000; ++n) EXPECT_FALSE(written.Add(Numbered(n))) << n;
  EXPECT_FALSE(written.Add(u""));
  EXPECT_FALSE(written.Add(u"ab"));
  EXPECT_FALSE(written.Add(u"abc"));
  EXPECT_FALSE(written.Add(long_line));
  EXPECT_FALSE(written.Add(longer_line));

  written.Clear();  // a new run remembers nothing of the last
  EXPECT_TRUE(written.Add(u"ab"));
  EXPECT_TRUE(written.Add(longer_line));
  EXPECT_TRUE(written.Add(Numbered(7)));
  EXPECT_FALSE(written.Add(Numbered(7)));
}

}  // namespace
}  // namespace tessivar
