#pragma once
// Full-width/half-width conversion for Japanese text, as ICU's
// "Fullwidth-Halfwidth" (narrow) and "Halfwidth-Fullwidth" (widen)
// transliterators do it, through tables made from them at build time:
// narrow("ガ１") == u"ｶﾞ1", widen("ｶﾞ-1") == u"ガ－１".
#include <string>
#include <string_view>

namespace text {

std::u16string Narrow(std::u16string_view text);
std::u16string Widen(std::u16string_view text);
// Narrow(text) appended to out, for a caller that narrows many pieces into
// one string.
void AppendNarrow(std::u16string_view text, std::u16string& out);
// Widen(text) appended to out.
void AppendWide(std::u16string_view text, std::u16string& out);

}  // namespace text
