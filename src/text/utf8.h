#pragma once
// Strict UTF-8 decoding of input lines: a byte sequence that is not UTF-8 is
// reported, never dropped silently.
#include <string>
#include <string_view>

namespace text {

// Decodes bytes into out (replacing its content). Returns false when the
// bytes are not valid UTF-8; each bad sequence then stands as U+FFFD in out,
// and the rest is decoded as usual.
bool DecodeUtf8(std::string_view bytes, std::u16string& out);

}  // namespace text
