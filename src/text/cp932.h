#pragma once
// Code page 932 (Windows Shift_JIS) to UTF-16 and back, as ICU's
// "windows-31j" converter does it: through tables made from that converter at
// build time, and through the converter itself for what the tables do not
// cover (bytes that are no character, characters without a code page 932
// form), so that the converter is opened only when a text needs it. Invalid
// input is never dropped: the calls fail and say where, so the caller can
// name the file and line.
#include <memory>
#include <string>
#include <string_view>

struct UConverter;

namespace text {

class Cp932 {
 public:
  Cp932();
  ~Cp932();
  Cp932(const Cp932&) = delete;
  Cp932& operator=(const Cp932&) = delete;

  // Decodes bytes into out (replacing its content). Returns false when the
  // bytes are not valid code page 932; each bad sequence then stands as
  // U+FFFD in out, and the rest is decoded as usual.
  bool Decode(std::string_view bytes, std::u16string& out);
  // Appends the encoding of text to out. Returns false when a character has
  // no code page 932 form; *bad_index is then its position (0-based) in text.
  // *reads_back tells whether the bytes decode back to exactly text (not so
  // for the few characters the converter writes as nothing or as another's
  // bytes).
  bool Encode(std::u16string_view text, std::string& out, size_t* bad_index = nullptr,
              bool* reads_back = nullptr);

  // The same, through the converter alone (for the tests of the tables).
  bool DecodeByIcu(std::string_view bytes, std::u16string& out);
  bool EncodeByIcu(std::u16string_view text, std::string& out, size_t* bad_index = nullptr);

 private:
  UConverter* decoder_ = nullptr;  // opened at the first text the tables do not cover
  UConverter* encoder_ = nullptr;
};

// The name of the encoding bytes from the start of a file are in when they are
// plainly not code page 932: "UTF-8" (a byte order mark, or multi-byte UTF-8
// sequences and nothing else that is not ASCII) or "UTF-16" (a byte order
// mark); empty otherwise. Code page 932 text with any kana or kanji is never
// valid UTF-8 as a whole, so real Japan Post files are never taken for it.
std::string_view ForeignEncoding(std::string_view head);

std::u16string FromUtf8(std::string_view utf8);
std::string ToUtf8(std::u16string_view text);

}  // namespace text
