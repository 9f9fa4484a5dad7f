#pragma once
// The two line formats of a run: a line of the IME word list and a CSV line
// of the selected output fields. Both append one line to ctx.run.output and count
// it in G_RecordCount.
#include "convert/convert_context.h"

namespace tessivar {

// The keep marker in a comment tail: write the comment as it stands.
inline constexpr TextView kKeepComment = u"notCompless";

// One word-list line: reading, TAB, word, TAB, "地名その他" and, when there is
// a comment, TAB and the comment. Rewrites comment and tail as the word list
// writes them (commas restored, bracket prefix stripped, cut to length).
void F_郵便番号SUB(ConvertContext& ctx, Text& word, Text& comment, Text& tail);

// One CSV line of the fields in ctx.run.G_SelFields. The comment items rewrite
// comment/tail (and their kana) as they write them; slots 5 and 8 get their
// commas restored.
void F_WriteCsvLine(ConvertContext& ctx, Text& town, Text& comment, Text& tail, Text& townKana,
                    Text& commentKana, Text& tailKana);

}  // namespace tessivar
