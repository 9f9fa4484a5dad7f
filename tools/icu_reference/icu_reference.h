#pragma once
// The conversions of the text layer done by ICU itself, as the text layer
// once called it, for the tests that compare the two.
#include <string>
#include <string_view>

namespace text {

// The "windows-31j" converter with callbacks that stop at every bad sequence:
// each bad sequence U+FFFD, the rest decoded as usual.
bool Cp932DecodeByIcu(std::string_view bytes, std::u16string& out);
// Appends the bytes up to the first character without a form; false and its
// index (as the converter counts it) if there is one.
bool Cp932EncodeByIcu(std::u16string_view text, std::string& out, size_t* bad_index = nullptr);

// u_strFromUTF8WithSub with U+FFFD; false when it substituted anything.
bool DecodeUtf8ByIcu(std::string_view bytes, std::u16string& out);
std::u16string FromUtf8ByIcu(std::string_view utf8);
std::string ToUtf8ByIcu(std::u16string_view text);

// The "Fullwidth-Halfwidth" and "Halfwidth-Fullwidth" transliterators.
std::u16string NarrowByIcu(std::u16string_view text);
std::u16string WidenByIcu(std::u16string_view text);

}  // namespace text
