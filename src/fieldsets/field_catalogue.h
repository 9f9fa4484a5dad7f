#pragma once
// The catalogue of output items of the CSV text and the database data file,
// and how an entry of a selected output field list is read.
#include <array>
#include <string>
#include <string_view>

namespace tessivar {

// G_FieldNames: index 0 the editor's heading line, 1..30 the output items.
const std::array<std::u16string_view, 31>& G_FieldNames();
inline constexpr int kCommaSeparator = 26, kFullWidthBlank = 27, kHalfWidthBlank = 28;
inline constexpr int kLastItem = 30;

// What one entry of G_SelFields stands for: its catalogue number, kEndOfList
// for the end marker "-1", kNoItem for a text that is not a whole number
// (such an entry writes nothing, as an out-of-range number does).
inline constexpr int kEndOfList = -1;
inline constexpr int kNoItem = -2;
int FieldEntryNumber(std::u16string_view entry);

}  // namespace tessivar
