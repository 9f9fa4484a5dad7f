#pragma once
// Splitting one line of a data file into values, as the converter writes
// them: values separated by ",", a value in double quotes may hold commas,
// nothing inside quotes is escaped.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// Splits line at the commas outside quotes; each piece keeps its quotes. A
// quoted value ends at a quote followed by "," or the line end. Returns false
// when a quoted value is never closed.
bool SplitCsvLine(std::string_view line, std::vector<std::string_view>& values);

// The stored value of a piece: NULL when it is empty or a pair of quotes;
// the text inside the quotes when it begins with a quote; else the piece.
std::optional<std::string_view> CsvValue(std::string_view piece);

}  // namespace morvane
