// The matching of a new output's lines against the old one's, on lines
// named by letters, in the cases that matter: lines added, gone, changed,
// moved, held twice, a block gone longer than the look ahead, nothing alike.
#include "changes/line_match.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "changes/change_list.h"
#include "changes/line_hash.h"

namespace changes {
namespace {

struct MatchCase {
  const char* what;
  std::string old_lines, new_lines;  // a letter a line
  std::string added;                 // the new lines the old lack, in new order
  std::string removed;               // the old lines the new lack, in old order
};

// A line's place is its number here; the old lines are read ahead as the
// comparison of an output reads them.
void Match(const std::string& old_lines, const std::string& new_lines, std::string& added,
           std::string& removed) {
  const auto hash = [](const std::string& lines, size_t i) { return LineHash(lines.substr(i, 1)); };
  LineMatch match;
  size_t old_read = 0;
  for (size_t i = 0; i < new_lines.size(); ++i) {
    for (; match.WantsOld() && old_read < old_lines.size(); ++old_read)
      match.AddOld(hash(old_lines, old_read), {old_read, 1});
    match.AddNew(hash(new_lines, i), {i, 1});
  }
  for (; old_read < old_lines.size(); ++old_read) match.AddOld(hash(old_lines, old_read), {old_read, 1});
  match.Finish();
  added.clear();
  for (const LinePlace& place : match.added()) added += new_lines[place.offset];
  removed.clear();
  for (const LinePlace& place : match.removed()) removed += old_lines[place.offset];
}

TEST(LineMatch, FindsWhatEachSideLacksCountingLinesHeldTwice) {
  const std::string many(300, 'x');
  const MatchCase cases[] = {
      {"the same", "abcdef", "abcdef", "", ""},
      {"one added", "abcdef", "abcXdef", "X", ""},
      {"one gone", "abcdef", "abdef", "", "c"},
      {"one changed", "abcdef", "abCdef", "C", "c"},
      {"moved", "abcdef", "bcdefa", "", ""},
      {"swapped far", "abcdefgh", "hbcdefga", "", ""},
      {"held twice, once gone", "abcabc", "abcbc", "", "a"},
      {"held once, twice now", "abc", "abca", "a", ""},
      {"a block gone, longer than the look ahead", "ab" + many + "cd", "abcd", "", many},
      {"a block added", "abcd", "ab" + many + "cd", many, ""},
      {"many alike, one gone after the look ahead", many + "abc", many + "ac", "", "b"},
      {"many alike, moved behind the look ahead", "a" + many + many + "b", many + "b" + many + "a", "", ""},
      {"nothing alike", "abc", "xyz", "xyz", "abc"},
      {"no old lines", "", "ab", "ab", ""},
      {"no new lines", "ab", "", "", "ab"},
  };
  for (const MatchCase& c : cases) {
    std::string added, removed;
    Match(c.old_lines, c.new_lines, added, removed);
    EXPECT_EQ(added, c.added) << c.what;
    EXPECT_EQ(removed, c.removed) << c.what;
  }
}

// The postal code a line names, for 変更一覧.CSV: the word list's reading in
// either target's form, the CSV text's column of the code, quoted or not.
TEST(ChangeList, NamesTheCodeOfALineInEveryForm) {
  const struct {
    std::string line;  // code page 932
    LineLayout layout;
    uint32_t code;
  } cases[] = {
      {"\x82\x4f\x82\x55\x82\x4f\x81\x7c\x82\x57\x82\x54\x82\x54\x82\x53\tw\tp", {true, -1, true}, 608554},
      {"\x82\x4f\x82\x55\x82\x4f\x82\x57\x82\x54\x82\x54\x82\x53\tw\tp", {true, -1, false}, 608554},
      {"060-8554\tw\tp", {true, -1, true}, 608554},
      {"0608554\tw\tp\tc", {true, -1, false}, 608554},
      {"01101,\"060  \",\"0600042\",\"x\"", {false, 2, false}, 600042},
      {"01101,\"060-0042\",\"a,b\"", {false, 1, true}, 600042},
      {"\"a,b\",\"0600042\"", {false, 1, false}, 600042},
      {"060854\tw\tp", {true, -1, false}, ChangeList::kNoCode},    // six digits
      {"06085541\tw\tp", {true, -1, false}, ChangeList::kNoCode},  // eight
      {"060x8554\tw\tp", {true, -1, true}, ChangeList::kNoCode},
      {"a,b", {false, 5, false}, ChangeList::kNoCode},  // no such column
  };
  for (const auto& c : cases) EXPECT_EQ(ChangeList(c.layout).CodeOf(c.line), c.code) << c.line;
}

}  // namespace
}  // namespace changes
