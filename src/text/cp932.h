#pragma once
// Code page 932 (Windows Shift_JIS) to UTF-16 and back, exactly as ICU's
// "windows-31j" converter does it with callbacks that stop at every bad
// sequence: through tables made from that converter at build time, so that
// the programs need no ICU. Invalid input is never dropped: the calls fail
// and say where, so the caller can name the file and line.
#include <string>
#include <string_view>

#include "text/utf8.h"

namespace text {

class Cp932 {
 public:
  // Decodes bytes into out (replacing its content). Returns false when the
  // bytes are not valid code page 932; each bad sequence then stands as
  // U+FFFD in out, and the rest is decoded as usual.
  bool Decode(std::string_view bytes, std::u16string& out);
  // Appends the encoding of text to out. Returns false when a character has
  // no code page 932 form; *bad_index is then its position (0-based) in text
  // (for a character beyond the BMP, that of its second half), and out holds
  // the bytes of the characters before it. *reads_back tells whether the
  // bytes decode back to exactly text (not so for the few characters the
  // converter writes as nothing or as another's bytes).
  bool Encode(std::u16string_view text, std::string& out, size_t* bad_index = nullptr,
              bool* reads_back = nullptr);
};

// The name of the encoding bytes from the start of a file are in when they are
// plainly not code page 932: "UTF-8" (a byte order mark, or multi-byte UTF-8
// sequences and nothing else that is not ASCII) or "UTF-16" (a byte order
// mark); empty otherwise. Code page 932 text with any kana or kanji is never
// valid UTF-8 as a whole, so real Japan Post files are never taken for it.
std::string_view ForeignEncoding(std::string_view head);

}  // namespace text
