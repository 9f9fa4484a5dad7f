#pragma once
// UTF-8 to UTF-16 and back, as ICU does it: a byte sequence that is not UTF-8
// is reported (or, where the caller cannot fail, replaced), never dropped
// silently.
#include <string>
#include <string_view>

namespace text {

// Decodes bytes into out (replacing its content). Returns false when the
// bytes are not valid UTF-8; each bad sequence then stands as U+FFFD in out,
// and the rest is decoded as usual. A bad sequence is the longest start of a
// valid one (or a single byte that starts none), as Unicode recommends.
bool DecodeUtf8(std::string_view bytes, std::u16string& out);

// The same, bad sequences replaced silently.
std::u16string FromUtf8(std::string_view utf8);
// UTF-8 of text, each half of a surrogate pair standing alone as U+FFFD.
std::string ToUtf8(std::u16string_view text);

}  // namespace text
